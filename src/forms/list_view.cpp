#include "forms/list_view.h"

namespace rvm46::forms {

void ListView::SetColumns(std::vector<std::string> columns) {
    if (columns == p_.columns) return;
    p_.columns = std::move(columns);
    Notify(Property::ListItems);
}

void ListView::SetRows(std::vector<std::vector<std::string>> rows) {
    if (rows == p_.rows) return;
    p_.rows = std::move(rows);
    Notify(Property::ListItems);
}

}  // namespace rvm46::forms
