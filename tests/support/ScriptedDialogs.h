#pragma once

#include <QQueue>
#include <QString>
#include <QStringList>

#include "platform/Dialogs.h"

namespace velta::test {

// Dialogs for tests: answers are queued in advance and every text shown is recorded.
// A question or input with nothing queued fails the test loudly.
class ScriptedDialogs : public Dialogs {
  public:
    ScriptedDialogs() { setDialogs(this); }
    ~ScriptedDialogs() override { setDialogs(nullptr); }

    // Queued answers, taken in order.
    QQueue<bool> answers;                   // ask()
    QQueue<QString> files;                  // openFile(), saveFile(), pickFolder()
    QQueue<std::optional<QString>> inputs;  // textInput(); nullopt = cancel
    QQueue<std::optional<QString>> prints;  // print(): the PDF file printed to; nullopt = cancel

    // Everything shown, in order, each prefixed by its kind: "ask: ", "notice: ",
    // "error: ", "open: ", "save: ", "folder: ", "input: ", "print: ".
    QStringList shown;

    QStringList notices() const { return withPrefix(QStringLiteral("notice: ")); }
    QStringList errors() const { return withPrefix(QStringLiteral("error: ")); }
    QStringList questions() const { return withPrefix(QStringLiteral("ask: ")); }

    bool ask(const QString& question, bool yesByDefault = false) override;
    void notice(const QString& text) override;
    void error(const QString& text) override;
    QString openFile(const QString& startFolder, const QString& filter) override;
    QString saveFile(const QString& title, const QString& startFolder, const QString& proposedName,
                     const QString& filter, const QString& defaultSuffix) override;
    QString pickFolder(const QString& startFolder) override;
    std::optional<QString> textInput(const QString& title, const QString& prompt,
                                     const QString& defaultText) override;
    bool print(QPrinter& printer) override;

  private:
    QStringList withPrefix(const QString& prefix) const;
};

}  // namespace velta::test
