#include "app/qt/form1.hpp"

#include <QCloseEvent>
#include <QIcon>
#include <QMetaObject>

#include "app/qt/dialogs.hpp"
#include "app/qt/qt_text.hpp"
#include "app/window_logic.hpp"
#include "ui_form1.h"

// The resources of a static library are linked in only when something names them.
static void initResources() {
    Q_INIT_RESOURCE(resources);
}

namespace sintegra::app {
namespace {

// The window names Tahoma and MS Sans Serif. Where they are missing, a font of their width
// keeps "Analisar Sintegra" within its button; the first one is metric-compatible with Arial.
void substituteMissingFonts() {
    const QStringList narrowSans = {QStringLiteral("Liberation Sans"),
                                    QStringLiteral("DejaVu Sans Condensed")};
    QFont::insertSubstitutions(QStringLiteral("Tahoma"), narrowSans);
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), narrowSans);
}

} // namespace

Form1::Form1(Engine& engine, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent)
    , ui_(std::make_unique<Ui::Form1>())
    , dialogs_(dialogs)
    , logic_(std::make_unique<WindowLogic>(engine, static_cast<WindowView&>(*this))) {
    initResources();
    substituteMissingFonts();
    ui_->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(size());
    setWindowIcon(QIcon(QStringLiteral(":/icons/sintegra-orv.png")));

    connect(ui_->OptAnalisarSintegra, &QRadioButton::toggled, this, [this](bool on) {
        if (on) {
            logic_->selectMode(Mode::Analyse);
        }
    });
    connect(ui_->OptJuntarSintegra, &QRadioButton::toggled, this, [this](bool on) {
        if (on) {
            logic_->selectMode(Mode::Join);
        }
    });
    connect(ui_->BtnLocalizar, &QPushButton::clicked, this, [this] { logic_->chooseFile(PathRow::First); });
    connect(ui_->BtnLocalizar1, &QPushButton::clicked, this, [this] { logic_->chooseFile(PathRow::Second); });
    connect(ui_->BtnProc, &QPushButton::clicked, this, [this] { logic_->analisar(); });
    connect(ui_->BtnClose, &QPushButton::clicked, this, &QWidget::close);

    logic_->load();
    ui_->BtnProc->setFocus();
}

// A run still under way stops first; what it posted meanwhile goes with the window.
Form1::~Form1() {
    logic_.reset();
    QCoreApplication::removePostedEvents(this);
}

void Form1::closeEvent(QCloseEvent* event) {
    event->setAccepted(logic_->closeRequested());
}

void Form1::setTitle(std::string_view title) {
    setWindowTitle(fromEngineText(title));
}

// The buttons' signals stay quiet: the logic has already set the mode.
void Form1::setModeChecked(Mode mode) {
    QRadioButton* button = mode == Mode::Analyse ? ui_->OptAnalisarSintegra : ui_->OptJuntarSintegra;
    const QSignalBlocker quiet(button);
    button->setChecked(true);
}

void Form1::setCaption(PathRow row, std::string_view text) {
    caption(row)->setText(fromEngineText(text));
}

void Form1::showControl(Control control, bool visible) {
    widget(control)->setVisible(visible);
}

void Form1::enableControl(Control control, bool enabled) {
    widget(control)->setEnabled(enabled);
}

void Form1::setProgress(const ProgressDisplay& progress) {
    ui_->Prg->setFormat(fromEngineText(progress.phase) + QStringLiteral(" – %p%"));
    ui_->Prg->setTextVisible(!progress.phase.empty());
    ui_->Prg->setValue(progress.percent);
}

void Form1::showMessage(std::string_view text, std::string_view details) {
    dialogs_.inform(this, fromEngineText(text), fromEngineText(details));
}

bool Form1::ask(std::string_view question) {
    return dialogs_.confirm(this, fromEngineText(question));
}

void Form1::withdrawQuestion() {
    dialogs_.withdrawQuestion();
}

std::string Form1::chooseFile() {
    return toEnginePath(dialogs_.chooseSintegraFile(this));
}

void Form1::closeWindow() {
    QWidget::close();
}

void Form1::post(std::function<void()> task) {
    QMetaObject::invokeMethod(this, std::move(task), Qt::QueuedConnection);
}

QWidget* Form1::widget(Control control) const {
    switch (control) {
    case Control::Label2:
        return ui_->Label2;
    case Control::TxtFile1:
        return ui_->TxtFile1;
    case Control::BtnLocalizar1:
        return ui_->BtnLocalizar1;
    case Control::BtnProc:
        return ui_->BtnProc;
    case Control::BtnLocalizar:
        return ui_->BtnLocalizar;
    }
    return nullptr;
}

QLabel* Form1::caption(PathRow row) const {
    return row == PathRow::First ? ui_->TxTFile : ui_->TxtFile1;
}

} // namespace sintegra::app
