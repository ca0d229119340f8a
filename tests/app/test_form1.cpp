#include <atomic>
#include <memory>

#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include "app/qt/form1.hpp"
#include "app/qt/qt_text.hpp"
#include "app/startup.hpp"
#include "cli/cli_host.hpp"
#include "files/program_folder.hpp"
#include "program_folder.hpp"
#include "scripted_dialogs.hpp"
#include "support/running_copy.hpp"
#include "support/temp_folder.hpp"

using sintegra::Mode;
using sintegra::app::toEnginePath;

namespace {

const QString kAnalyseTitle = QStringLiteral("Sintegra ORV - 04/03/2013 - [Analisar Sintegra]");
const QString kBroken = QStringLiteral("htisistema_SISCOMX_sintegra.txt");
const QString kSmall = QStringLiteral("RooD7_ProjetoProgComercial_SINTEGRA.TXT");
const QString kNoFile = QStringLiteral("Não a nenhum arquivo selecionado para analise!");
const QList<bool> kShown = {true, true, true};
const QList<bool> kHidden = {false, false, false};

QString completion(const QString& path) {
    return QStringLiteral("Analise Terminada do arquivo [") + path + QStringLiteral("] finalizada !");
}

// What the engine writes for these files when no window stands between it and them.
QByteArray engineOutput(const QString& first, const QString& second, Mode mode) {
    ProgramFolder folder;
    const std::atomic<bool> interrupted{false};
    sintegra::cli::CliHost host(mode, toEnginePath(folder.userCopy(first)),
                                second.isEmpty() ? "" : toEnginePath(folder.userCopy(second)), nullptr,
                                interrupted);
    return readAll(QString::fromStdString(folder.engine().run(host).summary.outputPath));
}

} // namespace

// The real window, driven by clicks; its dialogs are answered by ScriptedDialogs. Clicks through
// click() are synchronous, so a run cannot read the window before the test gives control back.
class TestForm1 : public QObject {
    Q_OBJECT

    std::unique_ptr<ProgramFolder> folder_;
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
    void choose(const char* button, const QString& path) {
        dialogs_->files = {path};
        child<QPushButton>(button)->click();
    }
    void join(const QString& first, const QString& second) {
        child<QRadioButton>("OptJuntarSintegra")->click();
        choose("BtnLocalizar", first);
        choose("BtnLocalizar1", second);
    }
    void analisar() { child<QPushButton>("BtnProc")->click(); }
    std::function<void(const std::string&)> inform() {
        return
            [this](const std::string& text) { dialogs_->inform(nullptr, QString::fromStdString(text), {}); };
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
        folder_ = std::make_unique<ProgramFolder>();
        dialogs_ = std::make_unique<ScriptedDialogs>();
        window_ = std::make_unique<sintegra::app::Form1>(folder_->engine(), *dialogs_);
        window_->show();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    }
    void cleanup() {
        window_.reset();
        dialogs_.reset();
        folder_.reset();
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
        for (const char* next : {"BtnClose", "BtnLocalizar", "OptAnalisarSintegra", "BtnProc"}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), child(next));
        }
    }

    void modeSwitchesThereAndBackKeepTheCaptions() {
        const QString first = folder_->userCopy(kBroken);
        const QString second = folder_->userCopy(kSmall);
        dialogs_->files = {first, second};
        QTest::mouseClick(child("BtnLocalizar"), Qt::LeftButton);
        QTest::mouseClick(child("OptJuntarSintegra"), Qt::LeftButton);
        QCOMPARE(window_->windowTitle(), QStringLiteral("Sintegra ORV - 04/03/2013 - [Junção de Período]"));
        QCOMPARE(secondRow(), kShown);
        QTest::mouseClick(child("BtnLocalizar1"), Qt::LeftButton);

        QTest::mouseClick(child("OptAnalisarSintegra"), Qt::LeftButton);
        QCOMPARE(window_->windowTitle(), kAnalyseTitle);
        QCOMPARE(secondRow(), kHidden);
        QCOMPARE(caption("TxTFile"), first);
        QCOMPARE(caption("TxtFile1"), second);
        QTest::mouseClick(child("OptJuntarSintegra"), Qt::LeftButton);
        QCOMPARE(caption("TxtFile1"), second);
        QVERIFY(dialogs_->messages.isEmpty());
    }

    void cancelledChoiceForgetsTheEarlierOne() {
        dialogs_->files = {folder_->userCopy(kBroken), QString()};
        QTest::mouseClick(child("BtnLocalizar"), Qt::LeftButton);
        QTest::mouseClick(child("BtnLocalizar"), Qt::LeftButton);
        QCOMPARE(caption("TxTFile"), QString());
        QCOMPARE(dialogs_->messages.size(), 1);
        QCOMPARE(dialogs_->messages.front().text, QStringLiteral("Selecione um arquivo para analise!!!"));
    }

    void aFileDroppedOnARowIsChosenForIt() {
        const QString file = folder_->userCopy(kSmall);
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(file)});
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
        QCOMPARE(caption("TxtFile1"), file);
        QCOMPARE(caption("TxTFile"), QStringLiteral("."));
    }

    void analyseRunLocksTwoButtonsAndReplacesTheFirstFile() {
        const QString first = folder_->userCopy(kBroken);
        choose("BtnLocalizar", first);
        QSignalSpy bar(child<QProgressBar>("Prg"), &QProgressBar::valueChanged);
        analisar();
        QVERIFY(!child("BtnProc")->isEnabled() && !child("BtnLocalizar")->isEnabled());
        for (const char* name : {"BtnClose", "BtnLocalizar1", "OptAnalisarSintegra", "OptJuntarSintegra"}) {
            QVERIFY2(child(name)->isEnabled(), name);
        }

        QVERIFY(waitForMessages(1));
        QCOMPARE(dialogs_->messages.front().text, completion(first));
        QVERIFY(dialogs_->messages.front().details.contains(QStringLiteral("tipo 90")));
        QCOMPARE(readAll(first), engineOutput(kBroken, {}, Mode::Analyse));
        QVERIFY(bar.contains(QVariantList{100}));
        QVERIFY(idle());
    }

    void joinRunWritesSintegraTxtAndLeavesTheSecondFile() {
        const QString second = folder_->userCopy(kSmall);
        join(folder_->userCopy(kBroken), second);
        analisar();

        QVERIFY(waitForMessages(1));
        const QString output = folder_->file(QStringLiteral("sintegra.txt"));
        QCOMPARE(dialogs_->messages.front().text, completion(output));
        QVERIFY(dialogs_->messages.front().details.contains(second));
        QCOMPARE(readAll(output), engineOutput(kBroken, kSmall, Mode::Join));
        QCOMPARE(readAll(second), dataFile(kSmall));
        QVERIFY(idle());
    }

    void modeChosenDuringARunDecidesItsOutput() {
        choose("BtnLocalizar", folder_->userCopy(kBroken));
        analisar();
        child<QRadioButton>("OptJuntarSintegra")->click();
        QVERIFY(waitForMessages(1));
        QCOMPARE(dialogs_->messages.front().text, completion(folder_->file(QStringLiteral("sintegra.txt"))));
    }

    void analisarWithoutAFileEmptiesTheTablesAndSaysSo() {
        analisar();
        QVERIFY(waitForMessages(1));
        QCOMPARE(dialogs_->messages.at(0).text, kNoFile);
        QVERIFY(idle());

        const QString first = folder_->userCopy(kBroken);
        choose("BtnLocalizar", first);
        analisar();
        QVERIFY(waitForMessages(2));
        const QByteArray analysed = readAll(first);
        choose("BtnLocalizar", QString());
        analisar();
        QVERIFY(waitForMessages(4));
        QCOMPARE(dialogs_->messages.at(3).text, kNoFile);
        QVERIFY(idle());
        QCOMPARE(readAll(first), analysed);
        window_.reset();
        folder_->closeEngine();
        QCOMPARE(folder_->stagedRows(), 0);
    }

    void failedRunShowsTheEngineMessageAndUnlocks() {
        const QString missing = QDir(folder_->userFolder()).filePath(QStringLiteral("sumiu.txt"));
        choose("BtnLocalizar", missing);
        analisar();
        QVERIFY(waitForMessages(1));
        const QString message = dialogs_->messages.front().text;
        QVERIFY2(message.contains(missing) &&
                     message.endsWith(QStringLiteral("Nenhum arquivo foi alterado.")),
                 qPrintable(message));
        QVERIFY(idle());
    }

    void closingDuringARunCanBeRefused() {
        const QString first = folder_->userCopy(kBroken);
        choose("BtnLocalizar", first);
        analisar();
        dialogs_->answers = {false};
        window_->close();
        QCOMPARE(dialogs_->questions,
                 QStringList{QStringLiteral("Uma análise está em andamento. Deseja interromper e sair?")});
        QVERIFY(waitForMessages(1));
        QCOMPARE(dialogs_->messages.front().text, completion(first));
        QVERIFY(window_->isVisible());
    }

    void closingDuringARunStopsItAndLeavesEveryFile() {
        const QString first = folder_->userCopy(kBroken);
        const QString second = folder_->userCopy(kSmall);
        join(first, second);
        analisar();
        dialogs_->answers = {true};
        window_->close();

        QTRY_VERIFY_WITH_TIMEOUT(!window_->isVisible(), 20000);
        QVERIFY(dialogs_->messages.isEmpty());
        QCOMPARE(readAll(first), dataFile(kBroken));
        QCOMPARE(readAll(second), dataFile(kSmall));
        QVERIFY(!QFile::exists(folder_->file(QStringLiteral("sintegra.txt"))));
        QCOMPARE(QDir(folder_->userFolder()).entryList(QDir::Files | QDir::Hidden).size(), 2);
    }

    void windowDestroyedDuringARunStopsItFirst() {
        const QString first = folder_->userCopy(kBroken);
        join(first, folder_->userCopy(kSmall));
        analisar();
        window_.reset();
        QCOMPARE(readAll(first), dataFile(kBroken));
    }

    void withoutItsTemplateTheProgramNamesTheFileAndFolder() {
        QTemporaryDir empty;
        QVERIFY(sintegra::app::openEngine(sintegra::programFoldersAt(toEnginePath(empty.path())), inform()) ==
                nullptr);
        const QString message = dialogs_->messages.value(0).text;
        QVERIFY2(message.contains(QStringLiteral("Sintegra.mod")) && message.contains(empty.path()),
                 qPrintable(message));
    }

    // The program then ends with status 1 (main.cpp) without having touched the folder.
    void aFolderThatARunningCommandLineHoldsIsRefused() {
        const sintegra::test::ProgramFolder folder;
        const sintegra::test::TempFolder work;
        sintegra::test::RunningCopy running(folder.path(), work.path());
        QVERIFY(sintegra::app::openEngine(sintegra::programFoldersAt(folder.path()), inform()) == nullptr);
        QCOMPARE(dialogs_->messages.value(0).text,
                 QStringLiteral("O Sintegra ORV já está em uso nesta pasta. Nenhum arquivo foi alterado."));
        QCOMPARE(running.finish().status, 0);
    }
};

QTEST_MAIN(TestForm1)
#include "test_form1.moc"
