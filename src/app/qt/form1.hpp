#pragma once

#include <memory>

#include <QWidget>

#include "app/run_controller.hpp"
#include "app/run_inputs.hpp"

class QLabel;

namespace Ui {
class Form1;
}

namespace sintegra {
class Engine;
}

namespace sintegra::app {

class Dialogs;

// The program's one window: the mode, the chosen files, and the runs started with "Analisar". The
// path labels are the only store of the choices; runs read them on the window's thread.
class Form1 : public QWidget, public RunInputs {
    Q_OBJECT

public:
    Form1(Engine& engine, Dialogs& dialogs, QWidget* parent = nullptr);
    ~Form1() override;

    QString firstPath() const override;
    // Empty in analyse mode: the hidden second row names no file for the run.
    QString secondPath() const override;
    Mode mode() const override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void showAnalyseLayout();
    void showJoinLayout();
    void chooseInto(QLabel& label);
    QString SelecionarArquivo();
    void startRun();
    void showProgress(const QString& phase, int percent);
    void finishRun(const RunOutcome& outcome);
    void setRunLocked(bool locked);

    std::unique_ptr<Ui::Form1> ui_;
    Dialogs& dialogs_;
    RunController runs_;
    bool closeWhenStopped_ = false;
};

} // namespace sintegra::app
