#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include "content/RoundFiles.h"

namespace velta {

// Questions as a spreadsheet saves them (CSV), one row per question: an optional first
// column "tipo" ("normal" or "extra"), the question, then up to five pairs of answer and
// points. An optional header row names the columns. Comma, semicolon or tab separates the
// fields, whichever the file uses; the text is UTF-8 (with or without a byte-order mark),
// UTF-16 with a mark, or Windows-1252.

// The columns as the program writes them, "tipo" first.
QStringList sheetHeader();

// A spreadsheet file larger than this is refused unread, so that reading and previewing it
// never keeps the operator waiting: 2,000 questions take about 300 KB.
inline constexpr qint64 kLargestSheetFile = 2 * 1024 * 1024;

// One question row of a sheet, checked.
struct SheetRow {
    int row = 0;  // the spreadsheet's row number, the header row counted
    RoundKind kind = RoundKind::Normal;
    QString question;
    QStringList answers;  // always five, unused ones empty
    QStringList points;   // always five, as typed
    int total = 0;
    // Why the row cannot be imported ("Fila 7: …"); empty when it can.
    QString problem;
    // What the operator should look at although the row can be imported.
    QString warning;

    bool ready() const { return problem.isEmpty(); }
};

struct QuestionSheet {
    QList<SheetRow> rows;  // blank rows and the header are left out
    // The file could not be read as a spreadsheet at all (empty, binary, too large).
    QString problem;

    int readyCount() const;
    int refusedCount() const;
};

// The rows of a spreadsheet file's bytes, each checked.
QuestionSheet readQuestionSheet(const QByteArray& bytes);
// The same for text already decoded, as the clipboard holds it (rows copied from a
// spreadsheet arrive separated by tabs).
QuestionSheet readQuestionSheet(const QString& text);
// The file's rows; a file that cannot be read gives a sheet with its problem.
QuestionSheet readQuestionSheetFile(const QString& path);

// The text of the spreadsheet's bytes, in whichever encoding they are.
QString decodeSheetText(const QByteArray& bytes);

// One line of a sheet, fields quoted and separated by commas, ended by CR LF.
QByteArray sheetLine(const QStringList& fields);

}  // namespace velta
