#pragma once
// Control arrays: controls sharing one name, told apart by a sparse index (the grid's cells use
// 1000 * column + row). A window wires an event once for the whole array; the handler receives
// the member's index first:
//     txtChannel.On(&TextBox::Click, [this](int index) { txtChannel_Click(index); });
//     txtChannel.On(&TextBox::MouseDown,
//                   [this](int index, int button, int shift, float x, float y) { ... });
// Members added later get the same handlers.

#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "forms/control.h"
#include "forms/errors.h"

namespace rvm46::forms {

class Form;

class ControlArrayBase {
  public:
    ControlArrayBase(Form& form, std::string name, std::string container)
        : form_(form), name_(std::move(name)), container_(std::move(container)) {}
    virtual ~ControlArrayBase() = default;
    ControlArrayBase(const ControlArrayBase&) = delete;
    ControlArrayBase& operator=(const ControlArrayBase&) = delete;

    const std::string& Name() const { return name_; }
    const std::string& Container() const { return container_; }
    // nullptr when no member has the index.
    virtual Control* FindMember(int index) const = 0;
    virtual std::vector<int> Indexes() const = 0;
    int Count() const { return static_cast<int>(Indexes().size()); }

  protected:
    Form& form_;

  private:
    std::string name_;
    std::string container_;
};

template <class T>
class ControlArray : public ControlArrayBase {
    static_assert(std::is_base_of_v<Control, T>);

  public:
    using ControlArrayBase::ControlArrayBase;

    // Creates the member with this index (defined in form.h). A duplicate or negative index is
    // a programming fault (std::logic_error).
    T& Add(int index);
    // Adds first..last.
    void AddRange(int first, int last) {
        for (int i = first; i <= last; ++i) Add(i);
    }

    // The member; an index without member is a run-time error.
    T& operator()(int index) const {
        T* member = Find(index);
        if (member == nullptr) {
            throw ControlError(ErrorNumber::ElementDoesNotExist,
                               Name() + "(" + std::to_string(index) + ") does not exist");
        }
        return *member;
    }
    T* Find(int index) const {
        auto it = members_.find(index);
        return it == members_.end() ? nullptr : it->second;
    }
    bool Exists(int index) const { return members_.count(index) != 0; }
    Control* FindMember(int index) const override { return Find(index); }
    std::vector<int> Indexes() const override {
        std::vector<int> indexes;
        for (const auto& entry : members_) indexes.push_back(entry.first);
        return indexes;
    }

    // Wires `event` of every member (present and future) to `handler(index, args...)`.
    template <class C, class... Args, class F>
    void On(Event<Args...> C::*event, F handler) {
        static_assert(std::is_base_of_v<C, T>);
        std::function<void(int, Args...)> wrapped = std::move(handler);
        auto binder = [event, wrapped](T& member) {
            int index = member.Index();
            static_cast<C&>(member).*event = [wrapped, index](Args... args) {
                wrapped(index, std::forward<Args>(args)...);
            };
        };
        for (auto& entry : members_) binder(*entry.second);
        binders_.push_back(std::move(binder));
    }

  private:
    std::map<int, T*> members_;
    std::vector<std::function<void(T&)>> binders_;
};

}  // namespace rvm46::forms
