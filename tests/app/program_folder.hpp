#pragma once

#include <memory>

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include "run/engine.hpp"

// A program folder of its own for one test, with the build's Sintegra.mod, its engine, and a
// subfolder for the user's files.
class ProgramFolder {
public:
    ProgramFolder();
    ~ProgramFolder();

    QString path() const { return dir_.path(); }
    QString file(const QString& name) const { return dir_.filePath(name); }
    sintegra::Engine& engine() { return *engine_; }
    // Releases the engine, and with it the staging store, so that the test can read it.
    void closeEngine() { engine_.reset(); }

    // Copies a file of the test data into the user's folder and returns its path there.
    QString userCopy(const QString& dataName) const;
    QString userFolder() const { return dir_.filePath(QStringLiteral("usuario")); }
    // Rows left in the staging tables REG50 to REG88; needs the engine closed.
    long long stagedRows() const;

private:
    QTemporaryDir dir_;
    std::unique_ptr<sintegra::Engine> engine_;
};

QByteArray readAll(const QString& path);
QByteArray dataFile(const QString& name);
