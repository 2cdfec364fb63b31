#pragma once

#include "shell/window_description.h"
#include "toolkit/controls.h"
#include "toolkit/win32/controls/native_control.h"

namespace win32 {

// A brush of one colour, released with its owner.
class SolidBrush {
  public:
    explicit SolidBrush(ui::Colour colour) : brush_(CreateSolidBrush(colour)) {}
    SolidBrush(const SolidBrush&) = delete;
    SolidBrush& operator=(const SolidBrush&) = delete;
    ~SolidBrush() {
        if (brush_ != nullptr) DeleteObject(brush_);
    }
    HBRUSH Get() const { return brush_; }

  private:
    HBRUSH brush_;
};

// A BUTTON of the group-box kind: a frame with its caption in the top edge, white inside.
class GroupBox : public ui::GroupBox, public NativeControl {
  public:
    GroupBox(const ControlDescription& control, const Placement& placement);
    std::string Caption() const override;
    HBRUSH OnColour(HDC dc) override;

  private:
    SolidBrush background_;
};

// A STATIC line of text over its container's background, vertically centred; a long caption
// widens it by the rule of CaptionLabelWidth.
class TransparentLabel : public ui::TransparentLabel, public NativeControl {
  public:
    TransparentLabel(const ControlDescription& control, const Placement& placement);
    std::string Caption() const override;
    void SetCaption(const std::string& caption) override;
    HBRUSH OnColour(HDC dc) override;

  private:
    int describedWidth_;
    int roomToRight_;  // from its left edge to the right edge of the container
};

// An opaque coloured STATIC rectangle: the progress bar.
class Label : public ui::Label, public NativeControl {
  public:
    Label(const ControlDescription& control, const Placement& placement);
    int Width() const override;
    void SetWidth(int width) override;
    HBRUSH OnColour(HDC dc) override;

  private:
    SolidBrush background_;
};

}  // namespace win32
