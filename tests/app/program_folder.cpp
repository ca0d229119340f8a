#include "program_folder.hpp"

#include <QDir>
#include <QFile>
#include <QTest>
#include <SQLiteCpp/SQLiteCpp.h>

#include "app/qt/qt_text.hpp"
#include "layout/record_types.hpp"

ProgramFolder::ProgramFolder() {
    if (!dir_.isValid() ||
        !QFile::copy(QStringLiteral(ORV_TEMPLATE_FILE), file(QStringLiteral("Sintegra.mod"))) ||
        !QDir(path()).mkdir(QStringLiteral("usuario"))) {
        qFatal("cannot prepare a program folder in %s", qPrintable(path()));
    }
    engine_ = std::make_unique<sintegra::Engine>(sintegra::app::toEnginePath(path()));
}

ProgramFolder::~ProgramFolder() = default;

QString ProgramFolder::userCopy(const QString& dataName) const {
    const QString copy = QDir(userFolder()).filePath(dataName);
    QFile::remove(copy);
    if (!QFile::copy(QStringLiteral(ORV_APP_TEST_DATA "/") + dataName, copy) ||
        !QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner)) {
        qFatal("cannot copy %s", qPrintable(dataName));
    }
    return copy;
}

long long ProgramFolder::stagedRows() const {
    SQLite::Database store(sintegra::app::toEnginePath(file(QStringLiteral("Sintegra.mdb"))));
    long long rows = 0;
    for (const std::string_view code : sintegra::kStagedCodes) {
        rows += store.execAndGet("SELECT COUNT(*) FROM REG" + std::string(code)).getInt64();
    }
    return rows;
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray dataFile(const QString& name) {
    return readAll(QStringLiteral(ORV_APP_TEST_DATA "/") + name);
}
