#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/qt/file_dialog.hpp"
#include "app/qt/qt_dialogs.hpp"

// The open-file dialog lists SINTEGRA files whatever their letter case, and every file on demand; a
// question can be taken back.
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

    void aQuestionTakenBackAnswersNo() {
        sintegra::app::QtDialogs dialogs;
        QTimer::singleShot(0, [&dialogs] { dialogs.withdrawQuestion(); });
        QVERIFY(!dialogs.confirm(nullptr, QStringLiteral("Deseja interromper e sair?")));
    }
};

QTEST_MAIN(TestDialogs)
#include "test_dialogs.moc"
