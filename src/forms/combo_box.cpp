#include "forms/combo_box.h"

#include <algorithm>
#include <utility>

#include "forms/errors.h"

namespace rvm46::forms {

std::string ComboBox::List(int index) const {
    if (index < 0 || index >= ListCount()) return {};
    return items_[static_cast<std::size_t>(index)];
}

void ComboBox::CheckInsertIndex(int index) const {
    if (index < -1 || index > ListCount()) {
        throw ControlError(ErrorNumber::InvalidProcedureCall,
                           Name() + ": no place " + std::to_string(index) + " to add an item");
    }
}

void ComboBox::CheckItemIndex(int index) const {
    if (index < 0 || index >= ListCount()) {
        throw ControlError(ErrorNumber::InvalidProcedureCall,
                           Name() + ": no item " + std::to_string(index));
    }
}

void ComboBox::AddItem(std::string text, int index) {
    CheckInsertIndex(index);
    if (index == -1) index = ListCount();
    items_.insert(items_.begin() + index, std::move(text));
    Notify(Property::ListItems);
    if (list_index_ >= index) SetSelection(list_index_ + 1);
}

void ComboBox::RemoveItem(int index) {
    CheckItemIndex(index);
    items_.erase(items_.begin() + index);
    Notify(Property::ListItems);
    if (index == list_index_) {
        SetSelection(-1);
    } else if (index < list_index_) {
        SetSelection(list_index_ - 1);
    }
}

void ComboBox::Clear() {
    if (items_.empty()) return;
    items_.clear();
    Notify(Property::ListItems);
    SetSelection(-1);
}

void ComboBox::SetSelection(int index) {
    if (index == list_index_) return;
    list_index_ = index;
    Notify(Property::ListIndex);
}

void ComboBox::SetListIndex(int index) {
    if (index < -1 || index >= ListCount()) {
        throw ControlError(ErrorNumber::InvalidPropertyValue,
                           Name() + ": ListIndex " + std::to_string(index) + " out of range");
    }
    SetSelection(index);
    if (index >= 0) Raise(Click);
}

void ComboBox::SetText(const std::string& text) {
    auto it = std::find(items_.begin(), items_.end(), text);
    if (it == items_.end()) {
        throw ControlError(ErrorNumber::PropertyReadOnly,
                           Name() + ": no item \"" + text + "\" to select");
    }
    SetListIndex(static_cast<int>(it - items_.begin()));
}

bool ComboBox::UserSelect(int index) {
    if (index < 0 || index >= ListCount()) return false;
    if (!UserMayAct() || !TakeFocusForUser()) return false;
    SetListIndex(index);
    return true;
}

void ComboBox::SaveDesign() {
    Control::SaveDesign();
    items_design_ = items_;
    list_index_design_ = list_index_;
}

void ComboBox::RestoreDesign() {
    Control::RestoreDesign();
    items_ = items_design_;
    list_index_ = list_index_design_;
}

}  // namespace rvm46::forms
