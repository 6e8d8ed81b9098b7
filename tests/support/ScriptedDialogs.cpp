#include "ScriptedDialogs.h"

#include <QPrinter>
#include <QtTest>

namespace velta::test {

bool ScriptedDialogs::ask(const QString& question, bool yesByDefault) {
    shown << QStringLiteral("ask: ") + question +
                 (yesByDefault ? QStringLiteral(" [Sí]") : QString());
    if (answers.isEmpty()) {
        qFatal("Unexpected question: %s", qPrintable(question));
    }
    return answers.dequeue();
}

void ScriptedDialogs::notice(const QString& text) {
    shown << QStringLiteral("notice: ") + text;
}

void ScriptedDialogs::error(const QString& text) {
    shown << QStringLiteral("error: ") + text;
}

QString ScriptedDialogs::openFile(const QString& startFolder, const QString& filter) {
    shown << QStringLiteral("open: ") + startFolder + QStringLiteral(" | ") + filter;
    return files.isEmpty() ? QString() : files.dequeue();
}

QString ScriptedDialogs::saveFile(const QString& title, const QString& startFolder,
                                  const QString& proposedName, const QString& filter,
                                  const QString& defaultSuffix) {
    shown << QStringLiteral("save: ") + title + QStringLiteral(" | ") + startFolder +
                 QStringLiteral(" | ") + proposedName + QStringLiteral(" | ") + filter +
                 QStringLiteral(" | ") + defaultSuffix;
    return files.isEmpty() ? QString() : files.dequeue();
}

QString ScriptedDialogs::pickFolder(const QString& startFolder) {
    shown << QStringLiteral("folder: ") + startFolder;
    return files.isEmpty() ? QString() : files.dequeue();
}

std::optional<QString> ScriptedDialogs::textInput(const QString& title, const QString& prompt,
                                                  const QString& defaultText) {
    shown << QStringLiteral("input: ") + title + QStringLiteral(" | ") + prompt +
                 QStringLiteral(" | ") + defaultText;
    if (inputs.isEmpty()) {
        qFatal("Unexpected input box: %s", qPrintable(prompt));
    }
    return inputs.dequeue();
}

bool ScriptedDialogs::print(QPrinter& printer) {
    shown << QStringLiteral("print: ") + printer.docName();
    if (prints.isEmpty()) {
        qFatal("Unexpected print dialog: %s", qPrintable(printer.docName()));
    }
    const std::optional<QString> file = prints.dequeue();
    if (!file) {
        return false;
    }
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(*file);
    return true;
}

QStringList ScriptedDialogs::withPrefix(const QString& prefix) const {
    QStringList out;
    for (const QString& s : shown) {
        if (s.startsWith(prefix)) {
            out << s.mid(prefix.size());
        }
    }
    return out;
}

}  // namespace velta::test
