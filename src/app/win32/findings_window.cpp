#include "app/win32/findings_window.hpp"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "app/startup.hpp"
#include "app/win32/dialog_window.hpp"
#include "app/win32/dialogs.hpp"
#include "app/win32/form1_design.hpp"
#include "files/wide_text.hpp"
#include "words/window_texts.hpp"

namespace sintegra::app::win32 {
namespace {

constexpr wchar_t kClassName[] = L"SintegraORV.Findings";
// At 96 dots per inch: the room around and between controls, a control's height, a button's width,
// and the size the window takes when the screen has room for it.
constexpr int kGap = 8;
constexpr int kRowHeight = 23;
constexpr int kButtonWidth = 130;
constexpr int kWantedWidth = 820;
constexpr int kWantedHeight = 520;

const wchar_t* windowClass() {
    static const ATOM registered = registerDialogClass(kClassName, dialogWindowProcedure<FindingsWindow>);
    return registered != 0 ? kClassName : nullptr;
}

std::wstring countsText(const FindingsList& findings) {
    std::wstring text;
    for (const std::string& line : findings.counts()) {
        text += (text.empty() ? L"" : L"\r\n") + widen(line);
    }
    return text;
}

} // namespace

FindingsWindow::FindingsWindow(const FindingsList& findings, Dialogs& dialogs, HWND owner)
    : findings_(findings)
    , dialogs_(dialogs) {
    CreateWindowExW(WS_EX_DLGMODALFRAME, windowClass(), widen(texts::kFindingsTitle).c_str(),
                    WS_OVERLAPPEDWINDOW & ~WS_MINIMIZEBOX, CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, owner, nullptr,
                    GetModuleHandleW(nullptr), this);
    if (window_ == nullptr) {
        throw std::runtime_error("CreateWindowExW: " + std::to_string(GetLastError()));
    }
    createControls();
    fill();
    fitScreen(owner);
    ShowWindow(window_, SW_SHOWNORMAL);
    // The keyboard starts on the list, where the arrows and Page Down read it.
    SendMessageW(window_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(item(FindingsItem::List)), TRUE);
}

FindingsWindow::~FindingsWindow() {
    if (IsWindow(window_)) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
}

void FindingsWindow::runModal() {
    const HWND owner = GetWindow(window_, GW_OWNER);
    EnableWindow(owner, FALSE);
    MSG message;
    while (IsWindow(window_)) {
        if (GetMessageW(&message, nullptr, 0, 0) <= 0) {
            // The program is ending: its loop must hear of it too.
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (!IsDialogMessageW(window_, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    EnableWindow(owner, TRUE);
    SetActiveWindow(owner);
}

LRESULT FindingsWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL) {
            DestroyWindow(window_);
        } else if (LOWORD(wParam) == static_cast<WORD>(FindingsItem::Save) && HIWORD(wParam) == BN_CLICKED) {
            save();
        } else if (LOWORD(wParam) == static_cast<WORD>(FindingsItem::Filter) &&
                   HIWORD(wParam) == CBN_SELCHANGE) {
            fill();
        }
        return 0;
    case WM_NOTIFY: {
        auto& header = *reinterpret_cast<NMHDR*>(lParam);
        if (header.code == LVN_GETDISPINFOW) {
            showCell(*reinterpret_cast<NMLVDISPINFOW*>(lParam));
        } else if (header.code == LVN_COLUMNCLICK) {
            sortBy(reinterpret_cast<NMLISTVIEW*>(lParam)->iSubItem);
        }
        return 0;
    }
    case WM_SIZE:
        layout();
        return 0;
    case WM_CLOSE:
        DestroyWindow(window_);
        return 0;
    default:
        break;
    }
    return DefDlgProcW(window_, message, wParam, lParam);
}

void FindingsWindow::createControls() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    const auto make = [&](const wchar_t* type, const std::wstring& text, DWORD style, FindingsItem id) {
        const HWND control = CreateWindowExW(0, type, text.c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0,
                                             window_, reinterpret_cast<HMENU>(id), instance, nullptr);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
        return control;
    };
    const INITCOMMONCONTROLSEX classes{sizeof classes, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&classes);
    const LOGFONTW font = fontOf(FontRole::Window, GetDpiForWindow(window_));
    font_.reset(CreateFontIndirectW(&font));
    make(WC_STATICW, countsText(findings_), SS_LEFT | SS_NOPREFIX, FindingsItem::Counts);
    make(WC_STATICW, widen(texts::kFilterByCheck), SS_LEFT | SS_CENTERIMAGE, FindingsItem::FilterLabel);
    const HWND filter =
        make(WC_COMBOBOXW, L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, FindingsItem::Filter);
    for (const std::string& choice : findings_.filters()) {
        SendMessageW(filter, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(choice).c_str()));
    }
    SendMessageW(filter, CB_SETCURSEL, 0, 0);
    const HWND list =
        make(WC_LISTVIEWW, L"", WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS,
             FindingsItem::List);
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    const int widths[kFindingColumns] = {60, 60, 160, 140, 380};
    for (std::size_t column = 0; column < kFindingColumns; ++column) {
        std::wstring heading = widen(FindingsList::heading(static_cast<FindingColumn>(column)));
        LVCOLUMNW entry{};
        entry.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        entry.pszText = heading.data();
        entry.cx = MulDiv(widths[column], static_cast<int>(GetDpiForWindow(window_)), 96);
        entry.iSubItem = static_cast<int>(column);
        ListView_InsertColumn(list, static_cast<int>(column), &entry);
    }
    make(WC_BUTTONW, widen(texts::kSaveReport), WS_TABSTOP | BS_PUSHBUTTON, FindingsItem::Save);
    make(WC_BUTTONW, widen(texts::kClose), WS_TABSTOP | BS_DEFPUSHBUTTON, FindingsItem::Close);
}

// The counts keep their lines, the buttons their row at the bottom; the list takes the rest.
void FindingsWindow::layout() {
    const int dpi = static_cast<int>(GetDpiForWindow(window_));
    const auto px = [dpi](int pixels96) { return MulDiv(pixels96, dpi, 96); };
    RECT client;
    GetClientRect(window_, &client);
    const int width = client.right - 2 * px(kGap);
    const int countsHeight = static_cast<int>(findings_.counts().size()) * px(15);
    const int filterTop = px(kGap) * 2 + countsHeight;
    const int listTop = filterTop + px(kRowHeight) + px(kGap);
    const int buttonsTop = client.bottom - px(kGap) - px(kRowHeight);
    const auto place = [&](FindingsItem id, int left, int top, int w, int h) {
        SetWindowPos(item(id), nullptr, left, top, std::max(w, 0), std::max(h, 0),
                     SWP_NOZORDER | SWP_NOACTIVATE);
    };
    place(FindingsItem::Counts, px(kGap), px(kGap), width, countsHeight);
    place(FindingsItem::FilterLabel, px(kGap), filterTop, px(80), px(kRowHeight));
    place(FindingsItem::Filter, px(kGap) + px(80), filterTop, width - px(80), px(300));
    place(FindingsItem::List, px(kGap), listTop, width, buttonsTop - px(kGap) - listTop);
    place(FindingsItem::Close, client.right - px(kGap) - px(kButtonWidth), buttonsTop, px(kButtonWidth),
          px(kRowHeight));
    place(FindingsItem::Save, client.right - 2 * (px(kGap) + px(kButtonWidth)), buttonsTop, px(kButtonWidth),
          px(kRowHeight));
}

void FindingsWindow::fill() {
    const auto filter = SendMessageW(item(FindingsItem::Filter), CB_GETCURSEL, 0, 0);
    rows_ = findings_.shown(filter < 0 ? 0 : static_cast<std::size_t>(filter), by_, descending_);
    ListView_SetItemCountEx(item(FindingsItem::List), static_cast<int>(rows_.size()), 0);
    InvalidateRect(item(FindingsItem::List), nullptr, TRUE);
}

// A second click on a heading turns its order round; the heading shows the arrow.
void FindingsWindow::sortBy(int column) {
    const auto chosen = static_cast<FindingColumn>(column);
    descending_ = by_ == chosen && !descending_;
    by_ = chosen;
    const HWND headings = ListView_GetHeader(item(FindingsItem::List));
    for (int each = 0; each < static_cast<int>(kFindingColumns); ++each) {
        HDITEMW heading{};
        heading.mask = HDI_FORMAT;
        Header_GetItem(headings, each, &heading);
        heading.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
        if (each == column) {
            heading.fmt |= descending_ ? HDF_SORTDOWN : HDF_SORTUP;
        }
        Header_SetItem(headings, each, &heading);
    }
    fill();
}

void FindingsWindow::showCell(NMLVDISPINFOW& cell) {
    const auto row = static_cast<std::size_t>(cell.item.iItem);
    if ((cell.item.mask & LVIF_TEXT) == 0 || row >= rows_.size() || cell.item.cchTextMax <= 0) {
        return;
    }
    cell_ = widen(findings_.cell(rows_[row], static_cast<FindingColumn>(cell.item.iSubItem)));
    cell.item.pszText = cell_.data();
}

void FindingsWindow::save() {
    ReportFormat format = ReportFormat::Text;
    const std::wstring path = dialogs_.chooseReportFile(window_, format);
    if (!path.empty()) {
        saveReport(findings_, narrow(path), format);
    }
}

// Placed over its owner, and no larger than the screen that holds it.
void FindingsWindow::fitScreen(HWND owner) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(owner != nullptr ? owner : window_, MONITOR_DEFAULTTOPRIMARY),
                    &monitor);
    const RECT& screen = monitor.rcWork;
    const int dpi = static_cast<int>(GetDpiForWindow(window_));
    const int width = std::min<int>(MulDiv(kWantedWidth, dpi, 96), (screen.right - screen.left) * 9 / 10);
    const int height = std::min<int>(MulDiv(kWantedHeight, dpi, 96), (screen.bottom - screen.top) * 9 / 10);
    SetWindowPos(window_, nullptr, screen.left + (screen.right - screen.left - width) / 2,
                 screen.top + (screen.bottom - screen.top - height) / 2, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace sintegra::app::win32
