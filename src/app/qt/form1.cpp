#include "app/qt/form1.hpp"

#include <QCloseEvent>
#include <QIcon>

#include "app/qt/dialogs.hpp"
#include "app/window_texts.hpp"
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
    , runs_(engine, *this) {
    initResources();
    substituteMissingFonts();
    ui_->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(size());
    setWindowIcon(QIcon(QStringLiteral(":/icons/sintegra-orv.png")));

    connect(ui_->OptAnalisarSintegra, &QRadioButton::toggled, this, [this](bool on) {
        if (on) {
            showAnalyseLayout();
        }
    });
    connect(ui_->OptJuntarSintegra, &QRadioButton::toggled, this, [this](bool on) {
        if (on) {
            showJoinLayout();
        }
    });
    connect(ui_->BtnLocalizar, &QPushButton::clicked, this, [this] { chooseInto(*ui_->TxTFile); });
    connect(ui_->BtnLocalizar1, &QPushButton::clicked, this, [this] { chooseInto(*ui_->TxtFile1); });
    connect(ui_->BtnProc, &QPushButton::clicked, this, &Form1::startRun);
    connect(ui_->BtnClose, &QPushButton::clicked, this, &QWidget::close);
    connect(&runs_, &RunController::progressed, this, &Form1::showProgress);
    connect(&runs_, &RunController::finished, this, &Form1::finishRun);

    ui_->OptAnalisarSintegra->setChecked(true);
    ui_->BtnProc->setFocus();
}

Form1::~Form1() = default;

QString Form1::firstPath() const {
    return ui_->TxTFile->text();
}

QString Form1::secondPath() const {
    return ui_->OptJuntarSintegra->isChecked() ? ui_->TxtFile1->text() : QString();
}

Mode Form1::mode() const {
    return ui_->OptAnalisarSintegra->isChecked() ? Mode::Analyse : Mode::Join;
}

void Form1::showAnalyseLayout() {
    ui_->Label2->hide();
    ui_->TxtFile1->hide();
    ui_->BtnLocalizar1->hide();
    setWindowTitle(texts::kAnalyseTitle);
}

void Form1::showJoinLayout() {
    ui_->Label2->show();
    ui_->TxtFile1->show();
    ui_->BtnLocalizar1->show();
    setWindowTitle(texts::kJoinTitle);
}

// A cancelled choice forgets the earlier one: the label is all there is.
void Form1::chooseInto(QLabel& label) {
    const QString path = SelecionarArquivo();
    if (!path.isEmpty()) {
        label.setText(path);
        return;
    }
    label.clear();
    dialogs_.inform(this, texts::kChooseAFile);
}

QString Form1::SelecionarArquivo() {
    return dialogs_.chooseSintegraFile(this);
}

void Form1::startRun() {
    if (runs_.isRunning()) {
        return;
    }
    setRunLocked(true);
    runs_.start();
}

void Form1::showProgress(const QString& phase, int percent) {
    ui_->Prg->setFormat(phase + QStringLiteral(" – %p%"));
    ui_->Prg->setTextVisible(true);
    ui_->Prg->setValue(percent);
}

void Form1::finishRun(const RunOutcome& outcome) {
    if (closeWhenStopped_) {
        close();
        return;
    }
    if (outcome.kind == RunOutcome::Kind::NoFileSelected) {
        // Nothing was locked for a run without a file: the window is back as it was first.
        setRunLocked(false);
        dialogs_.inform(this, outcome.message);
        return;
    }
    if (outcome.kind != RunOutcome::Kind::Cancelled) {
        dialogs_.inform(this, outcome.message, outcome.details);
    }
    setRunLocked(false);
}

// Only these two: another run, or another first file, would pull the ground from under this one.
void Form1::setRunLocked(bool locked) {
    ui_->BtnProc->setEnabled(!locked);
    ui_->BtnLocalizar->setEnabled(!locked);
    if (!locked) {
        ui_->Prg->setTextVisible(false);
        ui_->Prg->setValue(0);
    }
}

void Form1::closeEvent(QCloseEvent* event) {
    if (!runs_.isRunning()) {
        event->accept();
        return;
    }
    event->ignore();
    if (!closeWhenStopped_ && dialogs_.confirm(this, texts::kStopRunQuestion)) {
        closeWhenStopped_ = true;
        runs_.cancel();
    }
}

} // namespace sintegra::app
