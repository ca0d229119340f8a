#include <memory>
#include <stdexcept>

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

#include "app/findings_list.hpp"
#include "app/qt/dialogs.hpp"
#include "app/qt/findings_dialog.hpp"
#include "app/qt/form1.hpp"
#include "app/qt/qt_text.hpp"
#include "app/run_worker.hpp"
#include "files/path_text.hpp"
#include "run/runner.hpp"
#include "support/files.hpp"
#include "support/temp_folder.hpp"

namespace {

namespace fs = std::filesystem;
using sintegra::test::readFile;

const fs::path kSamples = fs::path(ORV_TEST_DATA) / "samples";
const std::string kBroken = "htisistema_SISCOMX_sintegra.txt";
const std::string kSmall = "RooD7_ProjetoProgComercial_SINTEGRA.TXT";
const QString kAnalyseTitle = QStringLiteral("Sintegra ORV - 04/03/2013 - [Analisar Sintegra]");
const QString kJoinTitle = QStringLiteral("Sintegra ORV - 04/03/2013 - [Junção de Período]");
const QList<bool> kShown = {true, true, true};
const QList<bool> kHidden = {false, false, false};

QString shown(const fs::path& path) {
    return sintegra::app::fromEngineText(sintegra::pathText(path));
}

QString completion(const fs::path& path) {
    return QStringLiteral("Analise Terminada do arquivo [") + shown(path) + QStringLiteral("] finalizada !");
}

// Answers the window's dialogs from lists the test fills, and records what the window said.
struct ScriptedDialogs : sintegra::app::Dialogs {
    QStringList files;   // the next choices; an empty one, or none left, is a cancel, and "!" a failure
    QList<bool> answers; // to the next questions; none left is "no"
    QList<std::pair<QString, bool>> messages; // text, and whether it offered details
    QStringList questions;
    QStringList foldersOpened; // by "Abrir pasta", pressed whenever offered, else "Mostrar detalhes..."
    std::vector<sintegra::app::FindingsList> findings; // shown
    QString reportFile;                                // where "Salvar relatório..." saves, as CSV

    QString chooseSintegraFile(QWidget*, const QString&) override {
        const QString file = files.isEmpty() ? QString() : files.takeFirst();
        return file == QStringLiteral("!") ? throw std::runtime_error("o diálogo falhou") : file;
    }
    sintegra::app::MessageButton inform(QWidget*, const QString& text, bool offerDetails,
                                        bool offerFolder) override {
        messages.append({text, offerDetails});
        if (offerFolder) {
            return sintegra::app::MessageButton::Folder;
        }
        return offerDetails ? sintegra::app::MessageButton::Details : sintegra::app::MessageButton::Ok;
    }
    void showFindings(QWidget*, const sintegra::app::FindingsList& list) override {
        findings.push_back(list);
    }
    QString chooseReportFile(QWidget*, sintegra::app::ReportFormat& format) override {
        format = sintegra::app::ReportFormat::Csv;
        return reportFile;
    }
    void showInFolder(const QString& file) override { foldersOpened.append(file); }
    bool confirm(QWidget*, const QString& question) override {
        questions.append(question);
        return !answers.isEmpty() && answers.takeFirst();
    }
    void withdrawQuestion() override {}
};

} // namespace

// The real window, driven by clicks; its dialogs are answered by ScriptedDialogs. Clicks through
// click() are synchronous, so a run cannot read the window before the test gives control back. What
// the window decides is its logic's, tested in window_logic_test: here, what the Qt view draws and
// forwards.
class TestForm1 : public QObject {
    Q_OBJECT

    std::unique_ptr<sintegra::test::ProgramFolder> folder_;
    std::unique_ptr<sintegra::test::TempFolder> user_;
    std::unique_ptr<sintegra::Runner> runner_;
    std::unique_ptr<ScriptedDialogs> dialogs_;
    std::unique_ptr<sintegra::app::Form1> window_;

    template <typename Widget = QWidget>
    Widget* child(const char* name) {
        auto* widget = window_->findChild<Widget*>(QString::fromLatin1(name));
        if (widget == nullptr) {
            qFatal("no %s in the window", name);
        }
        return widget;
    }
    QString caption(const char* label) { return child<QLabel>(label)->text(); }
    QList<bool> secondRow() {
        return {child("Label2")->isVisible(), child("TxtFile1")->isVisible(),
                child("BtnLocalizar1")->isVisible()};
    }
    // A copy of a sample in the user's folder.
    fs::path sample(const std::string& name) {
        const fs::path copy = user_->path() / name;
        fs::copy_file(kSamples / name, copy, fs::copy_options::overwrite_existing);
        return copy;
    }
    fs::path choose(const char* button, const std::string& name) {
        const fs::path copy = sample(name);
        dialogs_->files = {shown(copy)};
        child<QPushButton>(button)->click();
        return copy;
    }
    void joinRun(const std::string& first, const std::string& second) {
        child<QRadioButton>("OptJuntarSintegra")->click();
        choose("BtnLocalizar", first);
        choose("BtnLocalizar1", second);
        child<QPushButton>("BtnProc")->click();
    }
    bool waitForMessages(qsizetype count) {
        return QTest::qWaitFor([&] { return dialogs_->messages.size() >= count; }, 20000);
    }
    bool idle() {
        return child("BtnProc")->isEnabled() && child("BtnLocalizar")->isEnabled() &&
               child<QProgressBar>("Prg")->value() == 0;
    }

private slots:
    void init() {
        folder_ = std::make_unique<sintegra::test::ProgramFolder>();
        user_ = std::make_unique<sintegra::test::TempFolder>();
        runner_ = std::make_unique<sintegra::Runner>(folder_->path());
        dialogs_ = std::make_unique<ScriptedDialogs>();
        window_ = std::make_unique<sintegra::app::Form1>(*runner_, *dialogs_);
        window_->show();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    }
    void cleanup() {
        window_.reset();
        runner_.reset();
    }

    void startsInAnalyseModeAsDesigned() {
        QCOMPARE(window_->windowTitle(), kAnalyseTitle);
        QVERIFY(child<QRadioButton>("OptAnalisarSintegra")->isChecked());
        QCOMPARE(secondRow(), kHidden);
        QCOMPARE(caption("TxTFile"), QStringLiteral("."));
        QCOMPARE(caption("TxtFile1"), QStringLiteral("."));
        QCOMPARE(caption("Label1"), QStringLiteral("CAMINHO DO ARQUIVOS DO ORV® DOS"));
        QCOMPARE(child<QGroupBox>("FraOpcao")->title(), QStringLiteral("Opcao"));
        QCOMPARE(window_->maximumSize(), QSize(475, 279));
        QCOMPARE(window_->minimumSize(), QSize(475, 279));
        QVERIFY(!(window_->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QVERIFY(window_->windowIcon().availableSizes().contains(QSize(32, 32)));
        // Twips of the design at 15 a pixel; the "..." button sits over the right end of its row.
        QCOMPARE(child("BtnLocalizar1")->geometry(), QRect(436, 169, 27, 23));

        QCOMPARE(QApplication::focusWidget(), child("BtnProc"));
        for (const char* next :
             {"BtnClose", "BtnVerificar", "BtnLocalizar", "OptAnalisarSintegra", "BtnProc"}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), child(next));
        }
    }

    void aFileDroppedOnARowIsChosenForIt() {
        const fs::path file = user_->path() / std::string(120, 'p') / "fevereiro de 2013.txt";
        fs::create_directory(file.parent_path());
        sintegra::test::writeFile(file, "10");
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(shown(file))});
        child<QRadioButton>("OptJuntarSintegra")->click();
        const QPoint row = child("Label2")->geometry().center();
        QDragEnterEvent enter(row, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window_.get(), &enter);
        QVERIFY(enter.isAccepted());
        QDragMoveEvent move(row, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window_.get(), &move);
        QVERIFY(move.isAccepted());
        QDropEvent drop(row, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window_.get(), &drop);
        // Left of the "...": the beginning, "…" and the whole name; all of it in the tip.
        const auto* path = child<QLabel>("TxtFile1");
        QVERIFY2(path->text().endsWith(QStringLiteral("p…/fevereiro de 2013.txt")), qPrintable(path->text()));
        QVERIFY(path->fontMetrics().horizontalAdvance(path->text()) <
                child("BtnLocalizar1")->x() - path->x());
        QCOMPARE(path->toolTip(), shown(file));
        QCOMPARE(caption("TxTFile"), QStringLiteral("."));
        // Back in analyse mode, the row hides and keeps its file.
        QTest::mouseClick(child("OptAnalisarSintegra"), Qt::LeftButton);
        QCOMPARE(window_->windowTitle(), kAnalyseTitle);
        QCOMPARE(secondRow(), kHidden);
        QCOMPARE(path->toolTip(), shown(file));
    }

    // Compared with the reviewed outputs of the samples; the second file of a join stays as it was.
    void aRunLocksItsControlsAndEndsWithItsMessage_data() {
        QTest::addColumn<bool>("join");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("expected");
        QTest::newRow("analisar") << false << QString::fromStdString(kBroken)
                                  << QStringLiteral("htisistema_SISCOMX_sintegra.analisado.txt");
        QTest::newRow("juntar") << true << QStringLiteral("LuFelix_T2Ti_sintegra.txt")
                                << QStringLiteral("juntar-LuFelix-htisistema.txt");
    }
    void aRunLocksItsControlsAndEndsWithItsMessage() {
        QFETCH(bool, join);
        QFETCH(QString, first);
        QFETCH(QString, expected);
        child<QRadioButton>(join ? "OptJuntarSintegra" : "OptAnalisarSintegra")->click();
        QCOMPARE(window_->windowTitle(), join ? kJoinTitle : kAnalyseTitle);
        QCOMPARE(secondRow(), join ? kShown : kHidden);
        const fs::path chosen = choose("BtnLocalizar", first.toStdString());
        const fs::path second = join ? choose("BtnLocalizar1", kBroken) : fs::path();
        QSignalSpy bar(child<QProgressBar>("Prg"), &QProgressBar::valueChanged);
        child<QPushButton>("BtnProc")->click();
        for (const char* name : {"BtnProc", "BtnLocalizar", "BtnLocalizar1", "BtnVerificar",
                                 "OptAnalisarSintegra", "OptJuntarSintegra"}) {
            QVERIFY2(!child(name)->isEnabled(), name);
        }
        QVERIFY(child("BtnClose")->isEnabled());

        QVERIFY(waitForMessages(1));
        const fs::path output = join ? folder_->path() / "sintegra.txt" : chosen;
        QCOMPARE(dialogs_->messages.front().first, completion(output));
        QVERIFY(dialogs_->messages.front().second);
        QVERIFY(join ? dialogs_->findings.empty()
                     : dialogs_->findings.at(0).counts().front().find("tipo 90") != std::string::npos);
        QVERIFY(readFile(output) == readFile(kSamples / "expected" / expected.toStdString()));
        QVERIFY(!join || readFile(second) == readFile(kSamples / kBroken));
        QVERIFY(bar.contains(QVariantList{100}));
        QVERIFY(idle());
        QCOMPARE(QApplication::focusWidget(), child("BtnProc"));
        QCOMPARE(dialogs_->foldersOpened, join ? QStringList{shown(output)} : QStringList{});
    }

    // "Verificar" ends in the findings window: its counts, its rows sorted by a heading and filtered
    // by check, and "Salvar relatório..." as the dialog chose.
    void verificarEndsInTheFindingsWindow() {
        const fs::path file = choose("BtnLocalizar", kBroken);
        child<QPushButton>("BtnVerificar")->click();
        QVERIFY(!child("BtnVerificar")->isEnabled());
        QVERIFY(QTest::qWaitFor([&] { return !dialogs_->findings.empty(); }, 20000));
        QVERIFY(idle() && child("BtnVerificar")->isEnabled() && dialogs_->messages.isEmpty());
        const sintegra::app::FindingsList& list = dialogs_->findings.front();
        sintegra::app::FindingsDialog window(list, *dialogs_, window_.get());
        window.show();
        QVERIFY(window.findChild<QLabel*>(QStringLiteral("counts"))
                    ->text()
                    .startsWith(QStringLiteral("Verificação de ")));
        QVERIFY(window.height() <= window.screen()->availableGeometry().height());
        auto* rows = window.findChild<QTreeWidget*>(QStringLiteral("findings"));
        QCOMPARE(rows->topLevelItemCount(), static_cast<int>(list.size()));
        rows->header()->setSortIndicator(0, Qt::DescendingOrder);
        const auto lines = list.shown(0, sintegra::app::FindingColumn::Line, true);
        QCOMPARE(rows->topLevelItem(0)->text(0),
                 QString::fromStdString(list.cell(lines.front(), sintegra::app::FindingColumn::Line)));
        window.findChild<QComboBox*>(QStringLiteral("filter"))->setCurrentIndex(1);
        QCOMPARE(rows->topLevelItemCount(), static_cast<int>(list.shown(1).size()));
        dialogs_->reportFile = shown(user_->path() / "relatorio.csv");
        window.findChild<QPushButton*>(QStringLiteral("save"))->click();
        QVERIFY(readFile(user_->path() / "relatorio.csv") == list.csvReport());
        QVERIFY(readFile(file) == readFile(kSamples / kBroken));
    }

    // A dialog that fails, a run whose thread the system will not start: each is told, and the
    // window goes on as it was.
    void whatAnEventThrowsIsToldAndTheWindowGoesOn() {
        dialogs_->files = {QStringLiteral("!")};
        child<QPushButton>("BtnLocalizar")->click();
        choose("BtnLocalizar", kBroken);
        const sintegra::app::RefusedThreadStart refused;
        child<QPushButton>("BtnProc")->click();
        QCOMPARE(dialogs_->messages.size(), 2);
        QCOMPARE(dialogs_->messages[0].first,
                 QStringLiteral("Erro inesperado: o diálogo falhou. Nenhum arquivo foi alterado."));
        QVERIFY2(dialogs_->messages[1].first.startsWith(QStringLiteral("O sistema recusou um recurso")),
                 qPrintable(dialogs_->messages[1].first));
        QVERIFY(idle());
    }

    void closingDuringARunCanBeRefused() {
        const fs::path first = choose("BtnLocalizar", kBroken);
        {
            const sintegra::app::HeldRunStart held;
            child<QPushButton>("BtnProc")->click();
            dialogs_->answers = {false};
            window_->close();
        }
        QCOMPARE(dialogs_->questions,
                 QStringList{QStringLiteral("Uma análise está em andamento. Deseja interromper e sair?")});
        QVERIFY(waitForMessages(1));
        QCOMPARE(dialogs_->messages.front().first, completion(first));
        QVERIFY(window_->isVisible());
    }

    void closingDuringARunStopsItAndLeavesEveryFile() {
        const sintegra::app::HeldRunStart held;
        joinRun(kBroken, kSmall);
        dialogs_->answers = {true};
        window_->close();

        QTRY_VERIFY_WITH_TIMEOUT(!window_->isVisible(), 20000);
        QVERIFY(dialogs_->messages.isEmpty());
        QVERIFY(readFile(user_->path() / kBroken) == readFile(kSamples / kBroken));
        QVERIFY(!fs::exists(folder_->path() / "sintegra.txt"));
        QCOMPARE(sintegra::test::folderEntries(user_->path()).size(), 2u);
    }

    void windowDestroyedDuringARunStopsItFirst() {
        const sintegra::app::HeldRunStart held;
        joinRun(kBroken, kSmall);
        window_.reset();
        QVERIFY(readFile(user_->path() / kBroken) == readFile(kSamples / kBroken));
    }
};

QTEST_MAIN(TestForm1)
#include "test_form1.moc"
