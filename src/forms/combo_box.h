#pragma once
// Drop-down list: the user can only pick one of its items, never type free text.
//
// Click rules (the windows depend on them):
// - Setting ListIndex from code to a valid index raises Click every time, EVEN WHEN the index
//   equals the current one. Setting the channel list to index 0 while it already shows 0 must
//   still reload channel 1.
// - Setting ListIndex to -1 (no selection) never raises Click.
// - Setting ListIndex outside -1..ListCount-1 is a run-time error.
// - Adding or removing items moves the selection with its item and raises nothing; removing the
//   selected item leaves no selection (-1).

#include <string>
#include <vector>

#include "forms/control.h"

namespace rvm46::forms {

class ComboBox : public Control {
  public:
    explicit ComboBox(const ControlInit& init) : Control(init, kColorWhite) {}
    const char* TypeName() const override { return "ComboBox"; }
    bool CanFocus() const override { return true; }

    int ListCount() const { return static_cast<int>(items_.size()); }
    // The item's text; empty for an index without item.
    std::string List(int index) const;
    // Adds at `index` (0..ListCount), or at the end when index is -1.
    void AddItem(std::string text, int index = -1);
    void RemoveItem(int index);
    void Clear();

    int ListIndex() const { return list_index_; }
    void SetListIndex(int index);

    // The selected item's text; empty with no selection.
    std::string Text() const { return List(list_index_); }
    // Selects the first item with this text (as SetListIndex, so Click is raised); a text that
    // matches no item is a run-time error.
    void SetText(const std::string& text);

    // The user picks item `index` (focus first); Click is raised even for the current item.
    // Returns false for an index without item.
    bool UserSelect(int index);

    Event<> Click;

  protected:
    void SaveDesign() override;
    void RestoreDesign() override;

  private:
    void CheckInsertIndex(int index) const;
    void CheckItemIndex(int index) const;
    void SetSelection(int index);

    std::vector<std::string> items_;
    int list_index_ = -1;
    std::vector<std::string> items_design_;
    int list_index_design_ = -1;
};

}  // namespace rvm46::forms
