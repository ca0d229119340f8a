#include "app/qt/qt_text.hpp"

#include <QFile>

namespace sintegra::app {

QString fromEngineText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string toEnginePath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

} // namespace sintegra::app
