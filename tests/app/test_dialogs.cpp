#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLabel>
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

    // The name, size, kind and date that the dialog shows for an entry of its folder.
    static QStringList shown(QFileDialog& dialog, const QString& name) {
        const auto* view = dialog.findChild<QTreeView*>();
        const QModelIndex entry = view->model()
                                      ->match(view->model()->index(0, 0, view->rootIndex()), Qt::DisplayRole,
                                              name, 1, Qt::MatchExactly)
                                      .value(0);
        QStringList columns;
        for (int column = 0; entry.isValid() && column < 4; ++column) {
            columns.append(entry.siblingAtColumn(column).data().toString());
        }
        return columns;
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
        dialog.selectNameFilter(dialog.nameFilters().at(1));
        dialog.show();
        QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("lookInLabel"))->text(),
                 QStringLiteral("Procurar em:"));
        QTRY_COMPARE(shown(dialog, QStringLiteral("Copias")).value(2), QStringLiteral("Pasta"));
        const QStringList txt = shown(dialog, QStringLiteral("janeiro.txt"));
        QCOMPARE(txt.value(2), QStringLiteral("Documento de Texto"));
        QVERIFY2(QRegularExpression(QStringLiteral("^\\d\\d/\\d\\d/\\d{4} \\d\\d:\\d\\d$"))
                     .match(txt.value(3))
                     .hasMatch(),
                 qPrintable(txt.value(3)));
    }

    void aQuestionTakenBackAnswersNo() {
        sintegra::app::QtDialogs dialogs;
        QTimer::singleShot(0, [&dialogs] { dialogs.withdrawQuestion(); });
        QVERIFY(!dialogs.confirm(nullptr, QStringLiteral("Deseja interromper e sair?")));
    }
};

QTEST_MAIN(TestDialogs)
#include "test_dialogs.moc"
