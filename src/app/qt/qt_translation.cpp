#include "app/qt/qt_translation.hpp"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace sintegra::app {
namespace {

// Qt 6 names the kinds of file in its open-file dialog ("Folder", "Drive") under the context
// QAbstractFileIconProvider, but the Portuguese catalogue still holds them under QFileDialog, where
// Qt 5 asked. This translator answers for the new context from the old one, and only where the
// catalogue itself has no answer, since translators installed later are asked first.
class FileKindTexts : public QTranslator {
public:
    FileKindTexts(const QTranslator& catalogue, QObject* parent)
        : QTranslator(parent)
        , catalogue_(catalogue) {}

    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* source, const char* disambiguation,
                      int n) const override {
        if (qstrcmp(context, "QAbstractFileIconProvider") != 0) {
            return {};
        }
        return catalogue_.translate("QFileDialog", source, disambiguation, n);
    }

private:
    const QTranslator& catalogue_;
};

} // namespace

void installPortugueseQtTexts(QCoreApplication& application) {
    // Also the descriptions of file types that Qt reads from the system's MIME database.
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    auto* catalogue = new QTranslator(&application);
    if (!catalogue->load(QStringLiteral("qtbase_pt_BR"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        return;
    }
    QCoreApplication::installTranslator(new FileKindTexts(*catalogue, &application));
    QCoreApplication::installTranslator(catalogue);
}

} // namespace sintegra::app
