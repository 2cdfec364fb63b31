#include "toolkit/win32/main_frame.h"

#include <algorithm>

#include "toolkit/win32/controls/native_control.h"
#include "toolkit/win32/controls/timer.h"

namespace win32 {

namespace {

constexpr wchar_t kClassName[] = L"QRBatchMainWindow";
// Caption, system menu and minimise box; no sizing border and no maximise box.
constexpr DWORD kFrameStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
// The program's icon in its resources (packaging/windows, written by the build).
constexpr WORD kProgramIcon = 1;

HICON ProgramIcon(HINSTANCE instance, int side) {
    auto icon = static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(kProgramIcon), IMAGE_ICON, side, side, 0));
    return icon != nullptr ? icon : LoadIconW(nullptr, IDI_APPLICATION);
}

bool RegisterFrameClass(WNDPROC procedure) {
    static const bool registered = [procedure] {
        WNDCLASSEXW type{};
        type.cbSize = sizeof type;
        type.lpfnWndProc = procedure;
        type.hInstance = GetModuleHandleW(nullptr);
        type.hIcon = ProgramIcon(type.hInstance, GetSystemMetrics(SM_CXICON));
        type.hIconSm = ProgramIcon(type.hInstance, GetSystemMetrics(SM_CXSMICON));
        type.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        type.hbrBackground = CreateSolidBrush(kMainWindowBackground);
        type.lpszClassName = kClassName;
        return RegisterClassExW(&type) != 0;
    }();
    return registered;
}

bool IsOfClass(HWND control, const wchar_t* className) {
    wchar_t type[16] = {};
    GetClassNameW(control, type, 16);
    return lstrcmpiW(type, className) == 0;
}

bool IsSingleLineEdit(HWND control) {
    return IsOfClass(control, L"Edit") && (GetWindowLongW(control, GWL_STYLE) & ES_MULTILINE) == 0;
}

}  // namespace

MainFrame::MainFrame(const std::string& programFolder) {
    view_.frame = this;
    view_.paths.programFolder = programFolder;
    font_ = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    if (!RegisterFrameClass(&MainFrame::Procedure)) return;

    // The outer size includes the frame; the window opens centred on the screen.
    const int left = (GetSystemMetrics(SM_CXSCREEN) - kMainWindowOuterWidth) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - kMainWindowOuterHeight) / 2;
    // No title of its own until the notice sets one.
    handle_ =
        CreateWindowExW(0, kClassName, L"", kFrameStyle, left, top, kMainWindowOuterWidth,
                        kMainWindowOuterHeight, nullptr, nullptr, GetModuleHandleW(nullptr), this);
    if (handle_ == nullptr) return;

    controls_ = std::make_unique<NativeControlFactory>(handle_, font_);
    BuildMainWindow(view_, *controls_);
    focusOrder_ = controls_->FocusOrder();
    for (HWND box : controls_->GroupBoxes())
        SetWindowPos(box, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    // A close asked for inside a handler happens once that handler has returned.
    view_.events.whenIdle = [this] {
        if (destroyWhenIdle_ && IsWindow(handle_)) {
            destroyWhenIdle_ = false;
            DestroyWindow(handle_);
        }
    };
}

MainFrame::~MainFrame() {
    if (handle_ != nullptr && IsWindow(handle_)) DestroyWindow(handle_);
}

void MainFrame::ShowAndPaint() {
    if (handle_ == nullptr) return;
    ShowWindow(handle_, SW_SHOWNORMAL);
    RedrawWindow(handle_, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    // Only painting now: ticks and input wait until start-up has run.
    MSG message{};
    while (PeekMessageW(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE))
        DispatchMessageW(&message);
    GdiFlush();
}

void MainFrame::RunStartUp() {
    MainWindowCreated(view_);
    // The update messages belong to no window; once they are gone the main window takes the
    // keyboard back.
    if (!closed_) SetForegroundWindow(handle_);
}

void MainFrame::MoveFocus(bool backwards) {
    if (focusOrder_.empty()) return;
    const HWND focus = GetFocus();
    const auto at = std::find(focusOrder_.begin(), focusOrder_.end(), focus);
    const std::size_t count = focusOrder_.size();
    std::size_t index = at == focusOrder_.end()
                            ? (backwards ? 0 : count - 1)
                            : static_cast<std::size_t>(at - focusOrder_.begin());
    for (std::size_t step = 0; step < count; ++step) {
        index = backwards ? (index + count - 1) % count : (index + 1) % count;
        const HWND next = focusOrder_[index];
        if (IsWindowEnabled(next) && IsWindowVisible(next)) {
            SetFocus(next);
            // As in dialogs, a single-line box entered by Tab has its text selected.
            if (IsSingleLineEdit(next)) SendMessageW(next, EM_SETSEL, 0, -1);
            return;
        }
    }
}

bool MainFrame::AcceptsEnter(HWND target) const {
    if (target != nullptr && target == controls_->MultiLineBox()) return true;
    return IsOpenList(target);
}

bool MainFrame::IsOpenList(HWND target) {
    return IsOfClass(target, L"ComboBox") && SendMessageW(target, CB_GETDROPPEDSTATE, 0, 0) != 0;
}

std::string MainFrame::Title() const {
    return TextOf(handle_);
}

void MainFrame::SetTitle(const std::string& title) {
    SetTextOf(handle_, title);
}

void MainFrame::Close() {
    if (handle_ != nullptr && IsWindow(handle_)) SendMessageW(handle_, WM_CLOSE, 0, 0);
    closed_ = true;
}

void MainFrame::Repaint() {
    // Paints what has changed, children included, without letting input in.
    RedrawWindow(handle_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    GdiFlush();
}

void MainFrame::OnActivate(WPARAM wParam) {
    if (LOWORD(wParam) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        if (focus != nullptr && IsChild(handle_, focus)) lastFocus_ = focus;
        return;
    }
    if (HIWORD(wParam) != 0) return;  // minimised
    HWND focus = lastFocus_ != nullptr && IsWindow(lastFocus_) ? lastFocus_ : nullptr;
    if (focus == nullptr && !focusOrder_.empty()) focus = focusOrder_.front();
    if (focus != nullptr) SetFocus(focus);
}

void MainFrame::OnClose() {
    closed_ = true;
    if (view_.events.Busy()) {
        // The handler that asked goes on to its end with the window out of sight.
        ShowWindow(handle_, SW_HIDE);
        destroyWhenIdle_ = true;
        return;
    }
    DestroyWindow(handle_);
}

LRESULT CALLBACK MainFrame::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    auto* self = reinterpret_cast<MainFrame*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    if (self->handle_ == nullptr) self->handle_ = window;
    return self->Handle(message, wParam, lParam);
}

LRESULT MainFrame::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    NativeControl* control = nullptr;
    switch (message) {
        case WM_COMMAND:
            if (lParam != 0 && controls_ &&
                (control = controls_->ControlWithId(LOWORD(wParam))) != nullptr) {
                control->OnCommand(HIWORD(wParam));
                return 0;
            }
            break;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
            if (controls_ && (control = controls_->ControlWithId(
                                  GetDlgCtrlID(reinterpret_cast<HWND>(lParam)))) != nullptr) {
                if (const HBRUSH brush = control->OnColour(reinterpret_cast<HDC>(wParam)))
                    return reinterpret_cast<LRESULT>(brush);
            }
            break;
        case WM_DRAWITEM:
            if (controls_ &&
                (control = controls_->ControlWithId(static_cast<int>(wParam))) != nullptr) {
                control->OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
                return TRUE;
            }
            break;
        case WM_TIMER:
            if (controls_) {
                if (Timer* timer = controls_->TimerWithId(static_cast<int>(wParam))) {
                    timer->OnTick();
                    return 0;
                }
            }
            break;
        case WM_ACTIVATE:
            OnActivate(wParam);
            return 0;
        case WM_CLOSE:
            OnClose();
            return 0;
        case WM_DESTROY:
            closed_ = true;
            PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(handle_, message, wParam, lParam);
}

}  // namespace win32
