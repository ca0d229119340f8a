#pragma once

#include <windows.h>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/win32/form1_design.hpp"
#include "app/window_view.hpp"

namespace sintegra {
class Runner;
}

namespace sintegra::app {
class WindowLogic;
}

namespace sintegra::app::win32 {

class Dialogs;
class Form1Controls;
class PostedTasks;

// The program's one window, drawn with Win32: its controls and messages, and what WindowLogic asks
// of them. The logic decides; this class only shows and forwards. Made hidden, in analyse mode.
class Form1 : private WindowView {
public:
    Form1(Runner& runner, Dialogs& dialogs);
    // A run still under way stops first; what it posted meanwhile goes with the window.
    ~Form1() override;
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    HWND handle() const { return window_; }
    HWND item(ControlId id) const;
    // Centred on its screen, the keyboard on BtnProc.
    void show(int how);

private:
    // The logic first, then the tasks it posted, then the window.
    void destroy() noexcept;
    template <class Window>
    friend LRESULT CALLBACK dialogWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool ready() const { return static_cast<bool>(controls_); }
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void clicked(ControlId id);
    void dropped(HDROP drop);
    void dpiChanged(UINT dpi, const RECT& suggested);
    // Sizes the window so that its client area is the design's at dpi, and moves it to place.
    void fitClientArea(UINT dpi, std::optional<POINT> place);
    // The row under a point of the client area: the heading and the path of a visible row.
    std::optional<PathRow> rowAt(POINT point) const;

    void setTitle(std::string_view title) override;
    void setModeChecked(Mode mode) override;
    void setCaption(PathRow row, std::string_view text) override;
    void showControl(Control control, bool visible) override;
    void enableControl(Control control, bool enabled) override;
    void setProgress(const ProgressDisplay& progress) override;
    void focus(Control control) override;
    void showMessage(std::string_view text, const FindingsList* details, std::string_view file) override;
    void showFindings(const FindingsList& findings) override;
    bool ask(std::string_view question) override;
    void withdrawQuestion() override;
    std::string chooseFile(const std::string& folder) override;
    void closeWindow() override;
    void post(std::function<void()> task) override;

    Dialogs& dialogs_;
    HWND window_ = nullptr;
    std::unique_ptr<Form1Controls> controls_;
    std::unique_ptr<PostedTasks> posted_;
    std::unique_ptr<WindowLogic> logic_;
    std::array<std::string, 2> captions_; // whole, by PathRow: elided again at another scale
};

} // namespace sintegra::app::win32
