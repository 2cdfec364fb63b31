#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The small control types the behaviours work with. Each toolkit implements them over its own
// widgets; the behaviours see only these. Texts are UTF-8; colours are 0x00BBGGRR values.
namespace ui {

using Colour = std::uint32_t;
using Bytes = std::vector<unsigned char>;

inline constexpr Colour kWhite = 0xFFFFFF;
inline constexpr Colour kBlack = 0x000000;
inline constexpr Colour kGreen = 0x008000;
inline constexpr Colour kBlue = 0xFF0000;
inline constexpr Colour kRed = 0x0000FF;

// The main window's frame.
class Window {
  public:
    virtual ~Window() = default;
    virtual std::string Title() const = 0;
    virtual void SetTitle(const std::string& title) = 0;
    // Closes the window; the program ends once the current handler has returned.
    virtual void Close() = 0;
    virtual bool Closed() const = 0;
    // Redraws at once, during a long handler that keeps the event loop waiting.
    virtual void Repaint() = 0;
};

// A framed box with a caption; the container of the controls listed with it.
class GroupBox {
  public:
    virtual ~GroupBox() = default;
    virtual std::string Caption() const = 0;
};

// Single-line (or multi-line) edit box. contentChanged follows every change of the text:
// typed, pasted, or assigned with SetContent, which raises it exactly once even when the text
// is equal. A multi-line box uses CR LF between lines.
class EditBox {
  public:
    virtual ~EditBox() = default;
    virtual std::string Content() const = 0;
    virtual void SetContent(const std::string& content) = 0;
    std::function<void()> contentChanged;
};

using MultiLineEditBox = EditBox;

class Button {
  public:
    virtual ~Button() = default;
    virtual std::string Caption() const = 0;
    // Presses the button from code, as a click does.
    virtual void Click() = 0;
    std::function<void()> clicked;
};

// A closed list the user picks one item of; items keep the order they were added in.
class DropDownList {
  public:
    virtual ~DropDownList() = default;
    virtual void AddItem(const std::string& text) = 0;
    virtual int ItemCount() const = 0;
    virtual std::string ItemText(int index) const = 0;
    virtual int SelectedIndex() const = 0;  // -1: none
    virtual void SetSelectedIndex(int index) = 0;
};

// One line of text over its container's background.
class TransparentLabel {
  public:
    virtual ~TransparentLabel() = default;
    virtual std::string Caption() const = 0;
    virtual void SetCaption(const std::string& caption) = 0;
};

// The link line: embossed text in a settable colour; a press of the left button raises
// leftButtonPressed at once, before the button is released.
class LinkLabel : public TransparentLabel {
  public:
    virtual Colour TextColour() const = 0;
    virtual void SetTextColour(Colour colour) = 0;
    std::function<void()> leftButtonPressed;
};

// An opaque coloured rectangle (the progress bar).
class Label {
  public:
    virtual ~Label() = default;
    virtual int Width() const = 0;
    virtual void SetWidth(int width) = 0;
};

// Shows a picture given as the bytes of an image file and keeps those bytes, so they can be
// saved again exactly as loaded. Empty bytes clear it.
class PictureBox {
  public:
    virtual ~PictureBox() = default;
    virtual void SetPictureBytes(Bytes bytes) = 0;
    virtual const Bytes& PictureBytes() const = 0;
};

// Raises tick every interval milliseconds; an interval of 0 or less stops it.
class Timer {
  public:
    virtual ~Timer() = default;
    virtual int Interval() const = 0;
    virtual void SetInterval(int milliseconds) = 0;
    std::function<void()> tick;
};

// The settings of the system's file dialog and, after a confirmed Show, the chosen file name.
class SaveFileDialog {
  public:
    virtual ~SaveFileDialog() = default;
    // Shows the dialog modally; true when the user confirmed a file name.
    virtual bool Show() = 0;

    bool saveType = true;
    std::string title;
    std::string fileName;
    std::string nameFilter;
    int filterIndex = 1;
    std::string initialFolder;
    std::string defaultSuffix;
    bool confirmOverwrite = true;
    bool pathMustExist = true;
    bool fileMustExist = true;
    bool hideReadOnly = true;
};

}  // namespace ui
