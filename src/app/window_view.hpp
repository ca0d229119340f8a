#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "run/run_request.hpp"

namespace sintegra::app {

class FindingsList;

// The two file rows: TxTFile with BtnLocalizar, and TxtFile1 with BtnLocalizar1 (join mode only).
enum class PathRow { First, Second };

// The controls whose visibility or enabled state changes after the window is created.
enum class Control {
    Label2,
    TxtFile1,
    BtnLocalizar1,
    BtnProc,
    BtnLocalizar,
    BtnVerificar,
    OptAnalisarSintegra,
    OptJuntarSintegra
};

// What the progress bar Prg shows: nothing at position 0 when no phase is under way, else the phase
// with its percentage, or with a busy indicator when the phase has no steps to count.
struct ProgressDisplay {
    std::string phase; // empty: no phase
    std::optional<int> percent;

    bool operator==(const ProgressDisplay&) const = default;
};

// What the window's logic asks of a toolkit. Texts are UTF-8; paths are the engine's. Every call
// but post comes on the window's thread.
class WindowView {
public:
    virtual ~WindowView() = default;

    virtual void setTitle(std::string_view title) = 0;
    // Sets the option button of the mode without raising its click.
    virtual void setModeChecked(Mode mode) = 0;
    virtual void setCaption(PathRow row, std::string_view text) = 0;
    virtual void showControl(Control control, bool visible) = 0;
    virtual void enableControl(Control control, bool enabled) = 0;
    virtual void setProgress(const ProgressDisplay& progress) = 0;
    // Gives the control the keyboard, as its default button when it is a button.
    virtual void focus(Control control) = 0;

    // Modal: a message with an OK button, captioned with the program's title; details, when given,
    // sit behind "Mostrar detalhes...", which closes it and shows them with showFindings. With a
    // file, "Abrir pasta" opens its folder with the file selected.
    virtual void showMessage(std::string_view text, const FindingsList* details, std::string_view file) = 0;
    // Modal: the findings window, resizable and never larger than the screen.
    virtual void showFindings(const FindingsList& findings) = 0;
    // Modal: true for "Sim". Posted tasks keep running while it waits.
    virtual bool ask(std::string_view question) = 0;
    // Closes the question that ask shows, as "Não"; nothing when none is open.
    virtual void withdrawQuestion() = 0;
    // Modal: one existing file, the dialog opening in folder, or where the system opens it when folder
    // is empty; empty when the user cancels.
    virtual std::string chooseFile(const std::string& folder) = 0;
    // Closes the window, which asks WindowLogic::closeRequested first.
    virtual void closeWindow() = 0;

    // From any thread: runs task on the window's thread, after the tasks posted before it. Tasks
    // still waiting when the logic is destroyed must never run.
    virtual void post(std::function<void()> task) = 0;
};

} // namespace sintegra::app
