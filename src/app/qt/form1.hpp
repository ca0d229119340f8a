#pragma once

#include <memory>
#include <optional>

#include <QWidget>

#include "app/window_view.hpp"

class QDropEvent;
class QLabel;

namespace Ui {
class Form1;
}

namespace sintegra {
class Runner;
}

namespace sintegra::app {

class Dialogs;
class WindowLogic;

// The program's one window, drawn with Qt: its widgets and events, and what WindowLogic asks of
// them. The logic decides; this class only shows and forwards.
class Form1 : public QWidget, private WindowView {
    Q_OBJECT

public:
    Form1(Runner& runner, Dialogs& dialogs, QWidget* parent = nullptr);
    ~Form1() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
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

    // Every event's work for the logic goes through here: what it throws becomes a message box.
    void guard(const std::function<void()>& work);
    QWidget* widget(Control control) const;
    QLabel* caption(PathRow row) const;
    // The row under a point, or none: the heading, the path and the "..." of a visible row.
    std::optional<PathRow> rowAt(QPoint point) const;

    std::unique_ptr<Ui::Form1> ui_;
    Dialogs& dialogs_;
    // The logic touches no widget while it is made or while it goes: the order of these is free.
    std::unique_ptr<WindowLogic> logic_;
};

} // namespace sintegra::app
