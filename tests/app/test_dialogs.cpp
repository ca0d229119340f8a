#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include "app/qt/file_dialog.hpp"
#include "app/qt/qt_dialogs.hpp"
#include "app/qt/qt_translation.hpp"

// The open-file dialog lists SINTEGRA files whatever their letter case, and every file on demand, in
// Portuguese; a question can be taken back.
class TestDialogs : public QObject {
    Q_OBJECT

    static QStringList listed(QFileDialog& dialog, const QString& folder) {
        auto* model = dialog.findChild<QFileSystemModel*>();
        QStringList names;
        for (int row = 0; row < model->rowCount(model->index(folder)); ++row) {
            names.append(model->index(row, 0, model->index(folder)).data().toString());
        }
        names.sort();
        return names;
    }

    // What the dialog's list shows in a column for an entry of its folder.
    static QString shown(QFileDialog& dialog, const QString& name, int column) {
        const auto* list = dialog.findChild<QTreeView*>();
        const QModelIndexList found =
            list->model()->match(list->model()->index(0, 0, list->rootIndex()), Qt::DisplayRole, name);
        return found.isEmpty() ? QString() : found.front().siblingAtColumn(column).data().toString();
    }

private slots:
    void listsTxtInAnyCaseThenEveryFile() {
        QTemporaryDir folder;
        for (const char* name : {"janeiro.txt", "SINTEGRA.TXT", "Fevereiro.Txt", "notas.dat", "LEIAME"}) {
            QFile file(folder.filePath(QString::fromLatin1(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QFileDialog dialog;
        sintegra::app::configureSintegraFileDialog(dialog, folder.path());
        dialog.show();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Selecione o arquivo do sintegra"));
        QCOMPARE(dialog.fileMode(), QFileDialog::ExistingFile);
        auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        QCOMPARE(types->currentText(), QStringLiteral("Arquivos do Sintegra do ORV"));
        QTRY_COMPARE(listed(dialog, folder.path()),
                     QStringList({"Fevereiro.Txt", "SINTEGRA.TXT", "janeiro.txt"}));

        dialog.selectNameFilter(dialog.nameFilters().at(1));
        QCOMPARE(types->currentText(), QStringLiteral("Todos arquivos (*.*)"));
        QTRY_COMPARE(listed(dialog, folder.path()).size(), 5);
    }

    void speaksPortugueseWhateverTheSystemSpeaks() {
        sintegra::app::installPortugueseQtTexts(*QCoreApplication::instance());
        QTemporaryDir folder;
        QFile file(folder.filePath(QStringLiteral("janeiro.txt")));
        QVERIFY(file.open(QIODevice::WriteOnly) && QDir(folder.path()).mkdir(QStringLiteral("Copias")));
        QFileDialog dialog;
        sintegra::app::configureSintegraFileDialog(dialog, folder.path());
        dialog.show();
        QTRY_COMPARE(shown(dialog, QStringLiteral("Copias"), 2), QStringLiteral("Pasta"));
        QCOMPARE(shown(dialog, QStringLiteral("janeiro.txt"), 2), QStringLiteral("Documento de Texto"));
        const QString date = shown(dialog, QStringLiteral("janeiro.txt"), 3);
        QVERIFY2(
            QRegularExpression(QStringLiteral("^\\d\\d/\\d\\d/\\d{4} \\d\\d:\\d\\d$")).match(date).hasMatch(),
            qPrintable(date));
    }

    void aQuestionTakenBackAnswersNo() {
        sintegra::app::QtDialogs dialogs;
        QTimer::singleShot(0, [&dialogs] { dialogs.withdrawQuestion(); });
        QVERIFY(!dialogs.confirm(nullptr, QStringLiteral("Deseja interromper e sair?")));
    }
};

QTEST_MAIN(TestDialogs)
#include "test_dialogs.moc"
