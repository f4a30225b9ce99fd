#pragma once
// Label, command button, frame and picture: captions and clicks only.

#include <string>

#include "forms/control.h"

namespace rvm46::forms {

class Label : public CaptionedControl {
  public:
    explicit Label(const ControlInit& init) : CaptionedControl(init, kColorButtonFace) {}
    const char* TypeName() const override { return "Label"; }

    // A label never takes the focus.
    bool UserClick();

    Event<> Click;
};

class CommandButton : public CaptionedControl {
  public:
    explicit CommandButton(const ControlInit& init) : CaptionedControl(init, kColorButtonFace) {}
    const char* TypeName() const override { return "CommandButton"; }
    bool CanFocus() const override { return true; }

    // Focus first (the previous holder's LostFocus runs before Click), then Click.
    bool UserClick();

    Event<> Click;
};

// Frames group controls; controls name the frame as their container.
class Frame : public CaptionedControl {
  public:
    explicit Frame(const ControlInit& init) : CaptionedControl(init, kColorButtonFace) {}
    const char* TypeName() const override { return "Frame"; }
};

// Picture box or image. `PictureName` names the image resource the renderer shows; a picture
// whose image is drawn words (a heading, a language name) carries those words as its Caption,
// shown when it has no image.
class Picture : public CaptionedControl {
  public:
    explicit Picture(const ControlInit& init) : CaptionedControl(init, kColorButtonFace) {}
    const char* TypeName() const override { return "Picture"; }

    const std::string& PictureName() const { return picture_; }
    void SetPictureName(std::string picture);

    bool UserClick();

    Event<> Click;

  protected:
    void SaveDesign() override;
    void RestoreDesign() override;

  private:
    std::string picture_;
    std::string picture_design_;
};

}  // namespace rvm46::forms
