#include "app/win32/form1.hpp"

#include <shellapi.h>
#include <stdexcept>
#include <string>
#include <vector>
#include <windowsx.h>

#include "app/startup.hpp"
#include "app/win32/dialog_window.hpp"
#include "app/win32/dialogs.hpp"
#include "app/win32/form1_controls.hpp"
#include "app/win32/phase_bar.hpp"
#include "app/win32/posted_tasks.hpp"
#include "app/window_logic.hpp"
#include "files/wide_text.hpp"

namespace sintegra::app::win32 {
namespace {

constexpr wchar_t kClassName[] = L"SintegraORV.Form1";
constexpr UINT kRunPosted = WM_APP;
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU; // a fixed frame, no minimize or maximize
constexpr int kIconResource = 1;

HICON programIcon(int metric) {
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kIconResource),
                                         IMAGE_ICON, GetSystemMetrics(metric), GetSystemMetrics(metric),
                                         LR_SHARED));
}

const wchar_t* windowClass() {
    static const ATOM registered = registerDialogClass(kClassName, dialogWindowProcedure<Form1>,
                                                       programIcon(SM_CXICON), programIcon(SM_CXSMICON));
    return registered != 0 ? kClassName : nullptr;
}

ControlId idOf(Control control) {
    switch (control) {
    case Control::Label2:
        return ControlId::Label2;
    case Control::TxtFile1:
        return ControlId::TxtFile1;
    case Control::BtnLocalizar1:
        return ControlId::BtnLocalizar1;
    case Control::BtnProc:
        return ControlId::BtnProc;
    case Control::BtnVerificar:
        return ControlId::BtnVerificar;
    case Control::OptAnalisarSintegra:
        return ControlId::OptAnalisarSintegra;
    case Control::OptJuntarSintegra:
        return ControlId::OptJuntarSintegra;
    case Control::BtnLocalizar:
        break;
    }
    return ControlId::BtnLocalizar;
}

ControlId pathOf(PathRow row) {
    return row == PathRow::First ? ControlId::TxTFile : ControlId::TxtFile1;
}

ControlId buttonOf(PathRow row) {
    return row == PathRow::First ? ControlId::BtnLocalizar : ControlId::BtnLocalizar1;
}

std::vector<std::string> droppedFiles(HDROP drop) {
    std::vector<std::string> files(DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0));
    for (UINT index = 0; index < files.size(); ++index) {
        std::wstring file(DragQueryFileW(drop, index, nullptr, 0), L'\0');
        DragQueryFileW(drop, index, file.data(), static_cast<UINT>(file.size() + 1));
        files[index] = narrow(file);
    }
    return files;
}

} // namespace

// Made on the primary screen, whose dots per inch it takes; load() then sets analyse mode. A window
// made halfway goes before the failure leaves: no message may reach an object that never was.
Form1::Form1(Runner& runner, Dialogs& dialogs)
    : dialogs_(dialogs) {
    CreateWindowExW(0, windowClass(), L"", kStyle, 0, 0, 0, 0, nullptr, nullptr, GetModuleHandleW(nullptr),
                    this);
    if (window_ == nullptr) {
        throw std::runtime_error("CreateWindowExW: " + std::to_string(GetLastError()));
    }
    try {
        const UINT dpi = GetDpiForWindow(window_);
        posted_ = std::make_unique<PostedTasks>(window_, kRunPosted);
        controls_ = std::make_unique<Form1Controls>(window_, dpi);
        fitClientArea(dpi, {});
        DragAcceptFiles(window_, TRUE);
        logic_ = std::make_unique<WindowLogic>(runner, static_cast<WindowView&>(*this));
        logic_->load();
    } catch (...) {
        destroy();
        throw;
    }
}

Form1::~Form1() {
    destroy();
}

void Form1::destroy() noexcept {
    logic_.reset();
    if (posted_) {
        posted_->close();
    }
    if (IsWindow(window_)) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
}

HWND Form1::item(ControlId id) const {
    return controls_->item(id);
}

void Form1::show(int how) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), &monitor);
    RECT frame;
    GetWindowRect(window_, &frame);
    const RECT& screen = monitor.rcWork;
    SetWindowPos(window_, nullptr, (screen.left + screen.right - (frame.right - frame.left)) / 2,
                 (screen.top + screen.bottom - (frame.bottom - frame.top)) / 2, 0, 0,
                 SWP_NOZORDER | SWP_NOSIZE | SWP_NOACTIVATE);
    ShowWindow(window_, how);
    SendMessageW(window_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(item(ControlId::BtnProc)), TRUE);
}

LRESULT Form1::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED && lParam != 0) {
            clicked(static_cast<ControlId>(LOWORD(wParam)));
        }
        return 0;
    case WM_CTLCOLORSTATIC:
        if (const HBRUSH brush =
                controls_->paint(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam))) {
            return reinterpret_cast<LRESULT>(brush);
        }
        break;
    case WM_CLOSE:
        if (logic_->closeRequested()) {
            DestroyWindow(window_);
        }
        return 0;
    case WM_DROPFILES:
        dropped(reinterpret_cast<HDROP>(wParam));
        return 0;
    case WM_DPICHANGED:
        dpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case kRunPosted:
        posted_->runWaiting();
        return 0;
    case WM_NCDESTROY:
        posted_->close();
        break;
    case WM_DESTROY:
        PostQuitMessage(0);
        break;
    default:
        break;
    }
    return DefDlgProcW(window_, message, wParam, lParam);
}

void Form1::clicked(ControlId id) {
    switch (id) {
    case ControlId::OptAnalisarSintegra:
        logic_->selectMode(Mode::Analyse);
        break;
    case ControlId::OptJuntarSintegra:
        logic_->selectMode(Mode::Join);
        break;
    case ControlId::BtnLocalizar:
        logic_->chooseFile(PathRow::First);
        break;
    case ControlId::BtnLocalizar1:
        logic_->chooseFile(PathRow::Second);
        break;
    case ControlId::BtnProc:
        logic_->analisar();
        break;
    case ControlId::BtnVerificar:
        logic_->verificar();
        break;
    case ControlId::BtnClose:
        SendMessageW(window_, WM_CLOSE, 0, 0);
        break;
    default:
        break;
    }
}

void Form1::dropped(HDROP drop) {
    POINT point;
    DragQueryPoint(drop, &point);
    const std::vector<std::string> files = droppedFiles(drop);
    DragFinish(drop);
    if (const std::optional<PathRow> row = rowAt(point)) {
        logic_->dropFiles(*row, files);
    }
}

std::optional<PathRow> Form1::rowAt(POINT point) const {
    for (const PathRow row : {PathRow::First, PathRow::Second}) {
        const HWND path = item(pathOf(row));
        RECT area;
        GetWindowRect(path, &area);
        RECT heading;
        GetWindowRect(item(row == PathRow::First ? ControlId::Label1 : ControlId::Label2), &heading);
        UnionRect(&area, &area, &heading);
        MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&area), 2);
        if (IsWindowVisible(path) && PtInRect(&area, point)) {
            return row;
        }
    }
    return std::nullopt;
}

// The place is the system's; the size is the design's at the new dots per inch.
void Form1::dpiChanged(UINT dpi, const RECT& suggested) {
    controls_->layout(dpi);
    fitClientArea(dpi, POINT{suggested.left, suggested.top});
    for (const PathRow row : {PathRow::First, PathRow::Second}) {
        setCaption(row, std::string(captions_[static_cast<std::size_t>(row)]));
    }
}

// The frame's size is measured once it is there: the system may draw it at another scale than the
// one it was asked for.
void Form1::fitClientArea(UINT dpi, std::optional<POINT> place) {
    const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | (place ? 0 : SWP_NOMOVE);
    const SIZE estimate = controls_->windowSize(dpi);
    SetWindowPos(window_, nullptr, place ? place->x : 0, place ? place->y : 0, estimate.cx, estimate.cy,
                 flags);
    const RECT wanted = pixelRect(kClientArea, dpi);
    RECT client;
    GetClientRect(window_, &client);
    if (client.right != wanted.right || client.bottom != wanted.bottom) {
        SetWindowPos(window_, nullptr, 0, 0, estimate.cx + wanted.right - client.right,
                     estimate.cy + wanted.bottom - client.bottom, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
    }
}

void Form1::setTitle(std::string_view title) {
    SetWindowTextW(window_, widen(title).c_str());
}

// BM_SETCHECK raises no click: the logic has already set the mode.
void Form1::setModeChecked(Mode mode) {
    Button_SetCheck(item(ControlId::OptAnalisarSintegra),
                    mode == Mode::Analyse ? BST_CHECKED : BST_UNCHECKED);
    Button_SetCheck(item(ControlId::OptJuntarSintegra), mode == Mode::Join ? BST_CHECKED : BST_UNCHECKED);
}

void Form1::setCaption(PathRow row, std::string_view text) {
    controls_->showPath(pathOf(row), buttonOf(row), text);
    captions_[static_cast<std::size_t>(row)] = text;
}

void Form1::showControl(Control control, bool visible) {
    ShowWindow(item(idOf(control)), visible ? SW_SHOWNA : SW_HIDE);
}

// The keyboard leaves a button before it is disabled, or Tab would find no way out of it.
void Form1::enableControl(Control control, bool enabled) {
    const HWND button = item(idOf(control));
    if (!enabled && GetFocus() == button) {
        SendMessageW(window_, WM_NEXTDLGCTL, 0, FALSE);
    }
    EnableWindow(button, enabled);
}

void Form1::setProgress(const ProgressDisplay& progress) {
    showProgress(item(ControlId::Prg), progress);
}

// As the dialog manager moves it: the button becomes the default one, and Enter presses it.
void Form1::focus(Control control) {
    SendMessageW(window_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(item(idOf(control))), TRUE);
}

void Form1::showMessage(std::string_view text, const FindingsList* details, std::string_view file) {
    switch (dialogs_.inform(window_, widen(text), details != nullptr, !file.empty())) {
    case MessageButton::Details:
        showFindings(*details);
        break;
    case MessageButton::Folder:
        dialogs_.showInFolder(widen(file));
        break;
    case MessageButton::Ok:
        break;
    }
}

void Form1::showFindings(const FindingsList& findings) {
    dialogs_.showFindings(window_, findings);
}

bool Form1::ask(std::string_view question) {
    return dialogs_.confirm(window_, widen(question));
}

void Form1::withdrawQuestion() {
    dialogs_.withdrawQuestion();
}

std::string Form1::chooseFile(const std::string& folder) {
    return narrow(dialogs_.chooseSintegraFile(window_, widen(folder)));
}

void Form1::closeWindow() {
    SendMessageW(window_, WM_CLOSE, 0, 0);
}

void Form1::post(std::function<void()> task) {
    posted_->post(std::move(task));
}

} // namespace sintegra::app::win32
