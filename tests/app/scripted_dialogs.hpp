#pragma once

#include <QList>
#include <QStringList>

#include "app/qt/dialogs.hpp"

// Answers the window's dialogs from lists the test fills, and records what the window said.
class ScriptedDialogs : public sintegra::app::Dialogs {
public:
    struct Message {
        QString text;
        QString details;
    };

    QStringList files;   // the next choices; an empty one is a cancel, and so is none left
    QList<bool> answers; // to the next questions; none left is "no"
    QList<Message> messages;
    QStringList questions;

    QString chooseSintegraFile(QWidget*, const QString&) override {
        return files.isEmpty() ? QString() : files.takeFirst();
    }
    void inform(QWidget*, const QString& text, const QString& details) override {
        messages.append({text, details});
    }
    bool confirm(QWidget*, const QString& question) override {
        questions.append(question);
        return !answers.isEmpty() && answers.takeFirst();
    }
    void withdrawQuestion() override {}
};
