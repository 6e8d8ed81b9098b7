#pragma once

#include <QString>
#include <QStringList>
#include <cstdio>

namespace velta {

// The question transfers without a window, for shows prepared by script, whether or not
// the show is running: each takes a file and, optionally, the rounds folder (else the one
// in force for the program folder). Each returns the process status and writes what it did
// to `out`, what went wrong to `err`.
inline const QString kImportQuestionsOption = QStringLiteral("--importar-preguntas");
inline const QString kExportQuestionsOption = QStringLiteral("--exportar-preguntas");
inline const QString kHostSheetOption = QStringLiteral("--hoja");

// Whether the first argument names one of these commands.
bool isQuestionCommand(const QString& option);

// Runs the command the option names; the host's sheet needs a QGuiApplication.
int questionCommand(const QString& programFolder, const QString& option,
                    const QStringList& arguments, FILE* out, FILE* err);

// Status 0 when every row was imported; 1 when any was refused or nothing could be written.
int importQuestionsCommand(const QString& programFolder, const QStringList& arguments, FILE* out,
                           FILE* err);
int exportQuestionsCommand(const QString& programFolder, const QStringList& arguments, FILE* out,
                           FILE* err);
int hostSheetCommand(const QString& programFolder, const QStringList& arguments, FILE* out,
                     FILE* err);

}  // namespace velta
