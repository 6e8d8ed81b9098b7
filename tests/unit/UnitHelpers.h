#pragma once

// What the unit tests keep doing: data tables written a row a line, the error a call
// raises and the message it shows, whole files written and read, runs of card numbers.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtTest>

#include <optional>

#include "platform/Errors.h"

namespace velta::test {

// A data function's columns in one line: columns<int, bool>("count", "option").
template <typename... Types, typename... Names>
void columns(const Names&... names) {
    (QTest::addColumn<Types>(names), ...);
}

// A data row in one line, the values in column order.
template <typename... Values>
void row(const char* name, const Values&... values) {
    (QTest::newRow(name) << ... << values);
}

// The Error the call raises; nothing when it raises none.
template <typename Error, typename Call>
std::optional<Error> caught(Call&& call) {
    try {
        call();
    } catch (const Error& e) {
        return e;
    }
    return std::nullopt;
}

// The message the operator reads for the Error the call raises; "no error" when it raises
// none.
template <typename Error, typename Call>
QString messageOf(Call&& call) {
    const std::optional<Error> error = caught<Error>(call);
    return error ? errorMessage(*error) : QStringLiteral("no error");
}

// The whole file; empty when it cannot be read.
inline QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Writes the file, creating its folders; false when it cannot.
inline bool writeFile(const QString& path, const QByteArray& bytes = {}) {
    QFile file(path);
    return QDir().mkpath(QFileInfo(path).absolutePath()) && file.open(QIODevice::WriteOnly) &&
           file.write(bytes) == bytes.size();
}

// The numbers 1 to last.
inline QList<int> oneTo(int last) {
    QList<int> numbers;
    for (int n = 1; n <= last; ++n) {
        numbers << n;
    }
    return numbers;
}

}  // namespace velta::test
