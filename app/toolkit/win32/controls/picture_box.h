#pragma once

#include "shell/window_description.h"
#include "toolkit/controls.h"
#include "toolkit/win32/controls/native_control.h"
#include "toolkit/win32/image/dib_image.h"

namespace win32 {

// A child window of its own class that shows the picture of an image file's bytes on white,
// stretched over the whole box or at natural size in its top-left corner.
class PictureBox : public ui::PictureBox, public NativeControl {
  public:
    PictureBox(const ControlDescription& control, const Placement& placement);

    void SetPictureBytes(ui::Bytes bytes) override;
    const ui::Bytes& PictureBytes() const override { return bytes_; }

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Paint(HDC dc) const;

    bool stretch_;
    ui::Colour background_;
    ui::Bytes bytes_;
    DibImage picture_;
};

}  // namespace win32
