#include "app/qt/form1.hpp"

#include <QCloseEvent>
#include <QIcon>
#include <QMetaObject>
#include <QMimeData>

#include "app/elided_path.hpp"
#include "app/qt/dialogs.hpp"
#include "app/qt/qt_text.hpp"
#include "app/startup.hpp"
#include "app/window_logic.hpp"
#include "ui_form1.h"

// The resources of a static library are linked in only when something names them.
static void initResources() {
    Q_INIT_RESOURCE(resources);
}

namespace sintegra::app {
namespace {

constexpr int kTextGap = 2; // between the end of a path and its "..."

// The window names Tahoma and MS Sans Serif. Where they are missing, a font of their width
// keeps "Analisar Sintegra" within its button; the first one is metric-compatible with Arial.
void substituteMissingFonts() {
    const QStringList narrowSans = {QStringLiteral("Liberation Sans"),
                                    QStringLiteral("DejaVu Sans Condensed")};
    QFont::insertSubstitutions(QStringLiteral("Tahoma"), narrowSans);
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), narrowSans);
}

std::vector<std::string> localFiles(const QMimeData& data) {
    std::vector<std::string> files;
    for (const QUrl& url : data.urls()) {
        files.push_back(url.isLocalFile() ? toEnginePath(url.toLocalFile()) : std::string());
    }
    return files;
}

} // namespace

Form1::Form1(Runner& runner, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent)
    , ui_(std::make_unique<Ui::Form1>())
    , dialogs_(dialogs)
    , logic_(std::make_unique<WindowLogic>(runner, static_cast<WindowView&>(*this))) {
    initResources();
    substituteMissingFonts();
    ui_->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(size());
    setWindowIcon(QIcon(QStringLiteral(":/icons/sintegra-orv.png")));
    setAcceptDrops(true);

    connect(ui_->OptAnalisarSintegra, &QRadioButton::toggled, this, [this](bool on) {
        if (on) {
            guard([this] { logic_->selectMode(Mode::Analyse); });
        }
    });
    connect(ui_->OptJuntarSintegra, &QRadioButton::toggled, this, [this](bool on) {
        if (on) {
            guard([this] { logic_->selectMode(Mode::Join); });
        }
    });
    connect(ui_->BtnLocalizar, &QPushButton::clicked, this,
            [this] { guard([this] { logic_->chooseFile(PathRow::First); }); });
    connect(ui_->BtnLocalizar1, &QPushButton::clicked, this,
            [this] { guard([this] { logic_->chooseFile(PathRow::Second); }); });
    connect(ui_->BtnProc, &QPushButton::clicked, this, [this] { guard([this] { logic_->analisar(); }); });
    connect(ui_->BtnVerificar, &QPushButton::clicked, this,
            [this] { guard([this] { logic_->verificar(); }); });
    connect(ui_->BtnClose, &QPushButton::clicked, this, &QWidget::close);

    logic_->load();
    ui_->BtnProc->setFocus();
}

// A run still under way stops first; what it posted meanwhile goes with the window.
Form1::~Form1() {
    logic_.reset();
    QCoreApplication::removePostedEvents(this);
}

// A question that fails leaves the window open.
void Form1::closeEvent(QCloseEvent* event) {
    event->ignore();
    guard([this, event] { event->setAccepted(logic_->closeRequested()); });
}

// Taken for the whole window, or no move over it would be heard; each move then says where it may fall.
void Form1::dragEnterEvent(QDragEnterEvent* event) {
    event->setAccepted(event->mimeData()->hasUrls());
}

void Form1::dragMoveEvent(QDragMoveEvent* event) {
    const std::optional<PathRow> row = rowAt(event->position().toPoint());
    event->ignore();
    guard([&] { event->setAccepted(row && logic_->acceptsDrop(*row, localFiles(*event->mimeData()))); });
}

void Form1::dropEvent(QDropEvent* event) {
    const std::optional<PathRow> row = rowAt(event->position().toPoint());
    event->ignore();
    guard([&] { event->setAccepted(row && logic_->dropFiles(*row, localFiles(*event->mimeData()))); });
}

std::optional<PathRow> Form1::rowAt(QPoint point) const {
    for (const PathRow row : {PathRow::First, PathRow::Second}) {
        const QLabel* path = caption(row);
        const QWidget* heading = row == PathRow::First ? ui_->Label1 : ui_->Label2;
        if (path->isVisible() && heading->geometry().united(path->geometry()).contains(point)) {
            return row;
        }
    }
    return std::nullopt;
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

// The row's "..." covers its right end: the text fits left of it, and the tip holds it all.
void Form1::setCaption(PathRow row, std::string_view text) {
    QLabel& path = *caption(row);
    const QWidget& button = row == PathRow::First ? *ui_->BtnLocalizar : *ui_->BtnLocalizar1;
    const int room = button.x() - path.x() - path.indent() - path.contentsMargins().left() - kTextGap;
    const QFontMetrics metrics(path.font());
    path.setText(fromEngineText(elidedPath(text, [&](std::string_view shown) {
        return metrics.horizontalAdvance(fromEngineText(shown)) <= room;
    })));
    path.setToolTip(fromEngineText(text));
}

void Form1::showControl(Control control, bool visible) {
    widget(control)->setVisible(visible);
}

void Form1::enableControl(Control control, bool enabled) {
    widget(control)->setEnabled(enabled);
}

void Form1::setProgress(const ProgressDisplay& progress) {
    QProgressBar& bar = *ui_->Prg;
    bar.setRange(0, progress.phase.empty() || progress.percent ? 100 : 0);
    bar.setFormat(fromEngineText(progress.phase) + (progress.percent ? QStringLiteral(" – %p%") : QString()));
    bar.setTextVisible(!progress.phase.empty());
    bar.setValue(progress.percent.value_or(0));
}

void Form1::focus(Control control) {
    widget(control)->setFocus();
}

void Form1::showMessage(std::string_view text, const FindingsList* details, std::string_view file) {
    switch (dialogs_.inform(this, fromEngineText(text), details != nullptr, !file.empty())) {
    case MessageButton::Details:
        showFindings(*details);
        break;
    case MessageButton::Folder:
        dialogs_.showInFolder(fromEngineText(file));
        break;
    case MessageButton::Ok:
        break;
    }
}

void Form1::showFindings(const FindingsList& findings) {
    dialogs_.showFindings(this, findings);
}

bool Form1::ask(std::string_view question) {
    return dialogs_.confirm(this, fromEngineText(question));
}

void Form1::withdrawQuestion() {
    dialogs_.withdrawQuestion();
}

std::string Form1::chooseFile(const std::string& folder) {
    return toEnginePath(dialogs_.chooseSintegraFile(this, fromEngineText(folder)));
}

void Form1::closeWindow() {
    QWidget::close();
}

void Form1::post(std::function<void()> task) {
    QMetaObject::invokeMethod(
        this, [this, task = std::move(task)] { guard(task); }, Qt::QueuedConnection);
}

void Form1::guard(const std::function<void()>& work) {
    caught(work, [this](const std::string& text) { dialogs_.inform(this, fromEngineText(text)); });
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
    case Control::BtnVerificar:
        return ui_->BtnVerificar;
    case Control::OptAnalisarSintegra:
        return ui_->OptAnalisarSintegra;
    case Control::OptJuntarSintegra:
        return ui_->OptJuntarSintegra;
    }
    return nullptr;
}

QLabel* Form1::caption(PathRow row) const {
    return row == PathRow::First ? ui_->TxTFile : ui_->TxtFile1;
}

} // namespace sintegra::app
