#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "shell/main_window.h"
#include "toolkit/controls.h"
#include "toolkit/win32/native_control_factory.h"

namespace win32 {

// The main window on Win32: a top-level window of its own class, 879 x 554 with its frame,
// fixed in size, centred on the screen, white, and its controls as direct children.
class MainFrame : public ui::Window {
  public:
    explicit MainFrame(const std::string& programFolder);
    ~MainFrame() override;
    MainFrame(const MainFrame&) = delete;
    MainFrame& operator=(const MainFrame&) = delete;

    HWND Handle() const { return handle_; }
    // The behaviours' view of this window.
    MainWindow& Behaviours() { return view_; }

    // Shows the window with its template state, painted, before start-up begins.
    void ShowAndPaint();
    // The creation-complete event: the start-up sequence.
    void RunStartUp();

    // Keyboard: the next or previous control in the Tab order takes the focus.
    void MoveFocus(bool backwards);
    // Enter starts a new line in the input box and confirms the item of a dropped list.
    bool AcceptsEnter(HWND target) const;
    // A drop-down list whose list part is open; it handles Enter and Esc itself.
    static bool IsOpenList(HWND target);

    std::string Title() const override;
    void SetTitle(const std::string& title) override;
    void Close() override;
    bool Closed() const override { return closed_; }
    void Repaint() override;

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void OnActivate(WPARAM wParam);
    void OnClose();

    HWND handle_ = nullptr;
    HFONT font_ = nullptr;
    MainWindow view_;
    std::unique_ptr<NativeControlFactory> controls_;
    std::vector<HWND> focusOrder_;
    HWND lastFocus_ = nullptr;
    bool closed_ = false;
    bool destroyWhenIdle_ = false;
};

}  // namespace win32
