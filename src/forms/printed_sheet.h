#pragma once
// A one-page sheet for the printer or a PDF file, as plain texts: a title, facts (caption and
// value), a table, a second list of captions and values, a footer. The front end lays it out.

#include <string>
#include <utility>
#include <vector>

namespace rvm46::forms {

struct PrintedSheet {
    int language = 2;  // 1 Chinese (its font), otherwise English
    std::string title;
    std::vector<std::pair<std::string, std::string>> facts;
    std::vector<std::string> columns;
    std::vector<std::vector<std::string>> rows;
    std::string settingsTitle;
    std::vector<std::pair<std::string, std::string>> settings;
    std::string footer;
};

}  // namespace rvm46::forms
