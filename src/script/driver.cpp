#include "script/driver.h"

#include <charconv>
#include <exception>
#include <filesystem>
#include <sstream>

#include "forms/forms.h"
#include "ui/frm_main.h"

namespace rvm46::script {

using namespace forms;

namespace {

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return {};
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

// Drops a comment: a '#' at the start or after white space.
std::string StripComment(const std::string& line) {
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '#' &&
            (i == 0 || line[i - 1] == ' ' || line[i - 1] == '\t' || line[i - 1] == '\r')) {
            return line.substr(0, i);
        }
    }
    return line;
}

std::vector<std::string> Words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

std::optional<int> Integer(const std::string& text) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || text.empty()) return std::nullopt;
    return value;
}

[[noreturn]] void Fail(const std::string& reason) {
    throw ScriptFailure(kExitScriptError, reason);
}

std::size_t FirstCodePointLength(const std::string& text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    std::size_t len = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    return len > text.size() ? text.size() : len;
}

bool AnswerFits(MsgButtons buttons, MsgResult answer) {
    switch (buttons) {
        case MsgButtons::OK:
            return answer == MsgResult::OK;
        case MsgButtons::OKCancel:
            return answer == MsgResult::OK || answer == MsgResult::Cancel;
        case MsgButtons::AbortRetryIgnore:
            return answer == MsgResult::Abort || answer == MsgResult::Retry ||
                   answer == MsgResult::Ignore;
        case MsgButtons::YesNoCancel:
            return answer == MsgResult::Yes || answer == MsgResult::No ||
                   answer == MsgResult::Cancel;
        case MsgButtons::YesNo:
            return answer == MsgResult::Yes || answer == MsgResult::No;
        case MsgButtons::RetryCancel:
            return answer == MsgResult::Retry || answer == MsgResult::Cancel;
    }
    return false;
}

std::string DisplayName(const Control& control) {
    return control.IsArrayMember() ? control.Name() + "(" + std::to_string(control.Index()) + ")"
                                   : control.Name();
}

// Why a user action on the control was refused.
[[noreturn]] void Refused(const Control& control, const std::string& action) {
    std::string why = "refused";
    if (!control.Parent().Loaded()) {
        why = "is on a window that is not loaded";
    } else if (!control.Enabled()) {
        why = "is disabled";
    } else if (!control.Visible()) {
        why = "is hidden";
    }
    Fail(action + " " + DisplayName(control) + ": " + why);
}

template <class T>
T& As(Control& control, const std::string& action) {
    auto* typed = dynamic_cast<T*>(&control);
    if (typed == nullptr) {
        Fail(action + " " + DisplayName(control) + ": not possible on a " + control.TypeName());
    }
    return *typed;
}

}  // namespace

// ---- LineReader ----

std::optional<std::string> LineReader::Next() {
    previous_ = number_;
    if (given_back_) {
        auto [line, number] = std::move(*given_back_);
        given_back_.reset();
        number_ = number;
        return line;
    }
    for (std::string line; std::getline(in_, line);) {
        ++read_;
        if (Trim(StripComment(line)).empty()) continue;
        number_ = read_;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        return line;
    }
    return std::nullopt;
}

void LineReader::GiveBack(std::string line) {
    given_back_.emplace(std::move(line), number_);
    number_ = previous_;
}

// ---- Driver ----

Driver::Driver(std::istream& script, std::ostream& out, std::string folder,
               std::unique_ptr<comm::SerialSystem> serial)
    : reader_(script), out_(out), folder_(std::move(folder)), serial_(std::move(serial)) {
    SetSwallowedErrorObserver([this](std::string_view procedure, std::string_view reason) {
        errors_.push_back({{"procedure", procedure}, {"reason", reason}});
    });
}

Driver::~Driver() {
    SetSwallowedErrorObserver(nullptr);
}

void Driver::Run() {
    while (auto line = reader_.Next()) Execute(*line);
    const std::size_t unused = answers_.size() + file_answers_.size();
    if (unused != 0) {
        Fail("end of script with " + std::to_string(unused) + " queued answer(s) never asked for");
    }
}

Form& Driver::ActiveForm() const {
    return modal_stack_.empty() ? static_cast<Form&>(*main_) : *modal_stack_.back();
}

std::vector<Form*> Driver::LoadedForms() const {
    std::vector<Form*> forms;
    if (main_ && main_->Loaded()) forms.push_back(main_.get());
    for (Form* form : modal_stack_) {
        if (form->Loaded()) forms.push_back(form);
    }
    return forms;
}

Control& Driver::FindControl(Form& form, const std::string& name) const {
    Control* control = nullptr;
    const auto open = name.find('(');
    if (open != std::string::npos) {
        const auto index = name.back() == ')'
                               ? Integer(name.substr(open + 1, name.size() - open - 2))
                               : std::nullopt;
        if (!index) Fail("bad control name " + name);
        control = form.Find(name.substr(0, open), *index);
    } else {
        control = form.Find(name);
        if (control == nullptr && form.FindArray(name) != nullptr) {
            Fail(name + " is a control array on " + form.Name() + ": give an index, e.g. " + name +
                 "(0)");
        }
    }
    if (control == nullptr) Fail("no control " + name + " on " + form.Name());
    return *control;
}

// Where the program is called in, as the toolkit does: an exception no procedure expected goes
// to the window's guard, which closes the port and reports it; a script's own failure passes.
void Driver::Execute(const std::string& line) {
    if (!main_ || ended_) return ExecuteLine(line);
    std::exception_ptr failure;
    main_->CallFromToolkit([&] {
        try {
            ExecuteLine(line);
        } catch (const ScriptFailure&) {
            failure = std::current_exception();
        }
    });
    if (failure) std::rethrow_exception(failure);
}

void Driver::ExecuteLine(const std::string& line) {
    const std::string trimmed = Trim(line);
    const auto space = trimmed.find_first_of(" \t");
    const std::string command = trimmed.substr(0, space);

    // type and set take the rest of the line literally; the other commands allow comments.
    std::string name;
    std::string text;
    std::vector<std::string> args;
    if (command == "type" || command == "set") {
        const std::string rest = space == std::string::npos ? "" : trimmed.substr(space + 1);
        const auto gap = rest.find_first_of(" \t");
        name = rest.substr(0, gap);
        if (gap != std::string::npos) text = rest.substr(gap + 1);
        if (name.empty()) Fail(command + " needs a control name");
    } else {
        args = Words(StripComment(trimmed));
        // A line of other white space (a vertical tab, a form feed) holds no command.
        if (args.empty()) return;
        args.erase(args.begin());
    }
    const auto arity = [&](std::size_t min, std::size_t max) {
        if (args.size() < min || args.size() > max) {
            Fail(command + ": wrong number of arguments");
        }
    };

    if (command == "dump") {
        arity(0, 0);
        Dump();
        return;
    }
    if (ended_) Fail(command + " after the program has ended");

    if (command == "answer") {
        arity(1, 1);
        static const std::pair<const char*, MsgResult> kAnswers[] = {
            {"Yes", MsgResult::Yes},       {"No", MsgResult::No},       {"OK", MsgResult::OK},
            {"Cancel", MsgResult::Cancel}, {"Abort", MsgResult::Abort}, {"Retry", MsgResult::Retry},
            {"Ignore", MsgResult::Ignore},
        };
        for (const auto& [word, answer] : kAnswers) {
            if (args[0] == word) {
                answers_.push_back(answer);
                return;
            }
        }
        Fail("unknown answer " + args[0]);
    }
    if (command == "filename") {
        const auto rest = Trim(StripComment(trimmed.substr(command.size())));
        if (rest.empty()) Fail("filename needs a path or cancel");
        // A real dialog returns a full path: a relative one is taken from the working folder.
        file_answers_.push_back(rest == "cancel"
                                    ? FileAnswer{{}, true}
                                    : FileAnswer{std::filesystem::absolute(rest).string(), false});
        return;
    }
    if (command == "start") {
        arity(0, 0);
        if (main_) Fail("start: the program is already started");
        main_ = std::make_unique<ui::FrmMain>(*this);
        main_->SetSerialSystem(serial_.get());
        main_->Show();
        return;
    }

    static const char* const kActions[] = {"type",       "set",    "focus", "click",
                                           "rightclick", "select", "spin",  "menu",
                                           "toolbar",    "tick",   "close"};
    bool known = false;
    for (const char* action : kActions) known = known || command == action;
    if (!known) Fail("unknown command " + command);
    if (!main_) Fail(command + " before start");

    Form& form = ActiveForm();
    if (command == "close") {
        arity(0, 0);
        const bool closed = form.UserClose();
        if (closed && &form == main_.get()) ended_ = true;
        return;
    }
    if (command == "toolbar") {
        arity(1, 1);
        for (Control* control : form.Controls()) {
            if (auto* toolbar = dynamic_cast<Toolbar*>(control)) {
                if (toolbar->UserClickButton(args[0])) return;
                if (toolbar->ButtonNumber(args[0]) == 0) Fail("no toolbar button " + args[0]);
                Refused(*toolbar, "toolbar " + args[0] + " on");
            }
        }
        Fail("no toolbar on " + form.Name());
    }
    if (command == "tick") {
        arity(1, 2);
        const int count = args.size() == 2 ? Integer(args[1]).value_or(-1) : 1;
        if (count < 0) Fail("tick: bad count " + args[1]);
        // Timers of the windows below a modal window keep running.
        Control* found = nullptr;
        std::vector<Form*> forms = LoadedForms();
        for (auto it = forms.rbegin(); it != forms.rend() && found == nullptr; ++it) {
            if ((*it)->Find(args[0]) != nullptr) found = (*it)->Find(args[0]);
        }
        if (found == nullptr) Fail("no timer " + args[0] + " on a loaded window");
        auto& timer = As<Timer>(*found, "tick");
        for (int i = 0; i < count && !ended_; ++i) timer.Tick();
        return;
    }
    if (command == "menu") {
        arity(1, 1);
        auto& item = As<MenuItem>(FindControl(form, args[0]), "menu");
        if (item.IsSeparator()) Fail("menu " + args[0] + ": a separator");
        // Every menu above the item must be open to the user; a pop-up menu shows its items
        // even when its own entry is hidden.
        for (std::string parent = item.Container(); !parent.empty();) {
            auto* menu = dynamic_cast<MenuItem*>(form.Find(parent));
            if (menu == nullptr || menu == popup_) break;
            if (!menu->Enabled() || !menu->Visible()) Refused(*menu, "menu " + args[0] + " under");
            parent = menu->Container();
        }
        if (!item.UserClick()) Refused(item, "menu");
        return;
    }

    if (command != "type" && command != "set") arity(1, 2);
    Control& control = FindControl(form, command == "type" || command == "set" ? name : args[0]);
    const std::string action = command;

    if (command == "type") {
        auto& box = As<TextBox>(control, action);
        if (text.empty()) Fail("type " + name + ": nothing to type");
        if (!box.UserFocus()) Refused(box, action);
        const std::size_t first = FirstCodePointLength(text);
        if (!box.UserReplace(text.substr(0, first))) Refused(box, action);
        if (first < text.size() && !box.UserType(text.substr(first))) Refused(box, action);
    } else if (command == "set") {
        if (!As<TextBox>(control, action).UserReplace(text)) Refused(control, action);
    } else if (command == "focus") {
        arity(1, 1);
        if (!control.CanFocus())
            Fail("focus " + args[0] + ": a " + control.TypeName() + " cannot take the focus");
        // A handler of the control losing the focus may keep it (a refused frequency stays in
        // its box): that is the program's answer, not a fault of the script; the dump shows
        // where the focus is.
        const bool open_to_user =
            control.Parent().Loaded() && control.Enabled() && control.Visible();
        if (!control.UserFocus() && !open_to_user) Refused(control, action);
    } else if (command == "click") {
        arity(1, 1);
        bool done = false;
        if (auto* label = dynamic_cast<Label*>(&control)) {
            done = label->UserClick();
        } else if (auto* button = dynamic_cast<CommandButton*>(&control)) {
            done = button->UserClick();
        } else if (auto* check = dynamic_cast<CheckBox*>(&control)) {
            done = check->UserClick();
        } else if (auto* option = dynamic_cast<OptionButton*>(&control)) {
            done = option->UserClick();
        } else if (auto* picture = dynamic_cast<Picture*>(&control)) {
            done = picture->UserClick();
        } else if (auto* box = dynamic_cast<TextBox*>(&control)) {
            done = box->UserClick();
        } else {
            Fail("click " + args[0] + ": not possible on a " + control.TypeName() +
                 (dynamic_cast<MenuItem*>(&control) ? " (use menu)" : ""));
        }
        if (!done) Refused(control, action);
    } else if (command == "rightclick") {
        arity(1, 1);
        if (!As<TextBox>(control, action).UserMouseDown(kRightButton, 0, 0.0f, 0.0f)) {
            Refused(control, action);
        }
    } else if (command == "select") {
        arity(2, 2);
        auto& list = As<ComboBox>(control, action);
        const auto index = Integer(args[1]);
        if (!index || *index < 0 || *index >= list.ListCount()) {
            Fail("select " + args[0] + ": no item " + args[1] + " (" +
                 std::to_string(list.ListCount()) + " items)");
        }
        if (!list.UserSelect(*index)) Refused(list, action);
    } else if (command == "spin") {
        arity(2, 2);
        auto& bar = As<ScrollBar>(control, action);
        if (args[1] != "up" && args[1] != "down") Fail("spin: up or down, not " + args[1]);
        if (!(args[1] == "up" ? bar.UserArrowUp() : bar.UserArrowDown())) Refused(bar, action);
    }
}

// ---- Platform ----

MsgResult Driver::MsgBox(const std::string& prompt, MsgButtons buttons, MsgIcon icon,
                         const std::string& title) {
    if (answers_.empty()) {
        throw ScriptFailure(kExitNoAnswer,
                            "message box without a queued answer: \"" + prompt + "\"");
    }
    const MsgResult answer = answers_.front();
    answers_.pop_front();
    nlohmann::json shown = {{"prompt", prompt}, {"title", title}};
    static const char* const kIcons[] = {"None", "Critical", "Question", "Exclamation",
                                         "Information"};
    static const char* const kButtons[] = {"OK",          "OKCancel", "AbortRetryIgnore",
                                           "YesNoCancel", "YesNo",    "RetryCancel"};
    static const char* const kResults[] = {"OK", "Cancel", "Abort", "Retry", "Ignore", "Yes", "No"};
    shown["icon"] = kIcons[static_cast<int>(icon)];
    shown["buttons"] = kButtons[static_cast<int>(buttons)];
    shown["answer"] = kResults[static_cast<int>(answer)];
    messages_.push_back(shown);
    if (!AnswerFits(buttons, answer)) {
        Fail(std::string("answer ") + kResults[static_cast<int>(answer)] +
             " is not a button of the message box \"" + prompt + "\" (" +
             kButtons[static_cast<int>(buttons)] + ")");
    }
    return answer;
}

void Driver::ShowModal(Form& form, Form* /*owner*/) {
    modal_stack_.push_back(&form);
    while (form.Loaded() && form.Visible() && !ended_) {
        auto line = reader_.Next();
        if (!line) Fail("end of script while the modal window " + form.Name() + " is open");
        Execute(*line);
    }
    modal_stack_.pop_back();
}

void Driver::CloseForm(Form& /*form*/) {}

void Driver::PopupMenu(Form& form, MenuItem& menu) {
    // The next line chooses one of the menu's items, or the menu is dismissed and the line is
    // acted on as usual afterwards.
    auto line = reader_.Next();
    if (!line) return;
    const auto words = Words(StripComment(Trim(*line)));
    if (words.size() == 2 && words[0] == "menu") {
        auto* item = dynamic_cast<MenuItem*>(form.Find(words[1]));
        for (MenuItem* up = item; up != nullptr;
             up = dynamic_cast<MenuItem*>(form.Find(up->Container()))) {
            if (up == &menu && item != &menu) {
                MenuItem* outer = popup_;
                popup_ = &menu;
                Execute(*line);
                popup_ = outer;
                return;
            }
        }
    }
    reader_.GiveBack(*line);
}

void Driver::FileDialogShown(FileDialog& dialog, const char* form) {
    if (file_answers_.empty()) {
        throw ScriptFailure(kExitNoAnswer, "file dialog without a queued file name: \"" +
                                               dialog.DialogTitle + "\"");
    }
    FileAnswer answer = std::move(file_answers_.front());
    file_answers_.pop_front();
    file_dialogs_.push_back(
        {{"title", dialog.DialogTitle},
         {"form", form},
         {"filter", dialog.Filter},
         {"default_ext", dialog.DefaultExt},
         {"init_dir", dialog.InitDir},
         {"answer", answer.cancelled ? nlohmann::json(nullptr) : nlohmann::json(answer.path)}});
    dialog.Cancelled = answer.cancelled;
    if (!answer.cancelled) dialog.FileName = answer.path;
}

void Driver::ShowOpenDialog(FileDialog& dialog) {
    FileDialogShown(dialog, "open");
}

void Driver::ShowSaveDialog(FileDialog& dialog) {
    FileDialogShown(dialog, "save");
}

void Driver::ShellOpen(const std::string& path) {
    shell_opens_.push_back(path);
}

namespace {

nlohmann::json SheetJson(const forms::PrintedSheet& sheet, const char* to) {
    return {{"to", to},
            {"title", sheet.title},
            {"facts", sheet.facts},
            {"columns", sheet.columns},
            {"rows", sheet.rows},
            {"settings", sheet.settings},
            {"footer", sheet.footer}};
}

}  // namespace

// Without a toolkit nothing is laid out; the request itself is what a script looks at.
void Driver::PrintSheet(const forms::PrintedSheet& sheet) {
    sheets_.push_back(SheetJson(sheet, "printer"));
}

std::string Driver::ExportSheetPdf(const forms::PrintedSheet& sheet, const std::string& path) {
    nlohmann::json request = SheetJson(sheet, "pdf");
    request["path"] = path;
    sheets_.push_back(std::move(request));
    return "";
}

}  // namespace rvm46::script
