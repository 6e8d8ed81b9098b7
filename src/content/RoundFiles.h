#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <utility>

namespace velta {

// One question per text file in the rounds folder: "ronda" + N + ".txt" for the normal
// series and "xronda" + N + ".txt" for the extra (tie-break) series, numbered from 1 without
// gaps. The folder and the file names are the whole catalogue.

enum class RoundKind { Normal, Extra };

struct RoundCard {
    QString question;
    QStringList answerLines;  // always 5 entries, missing lines empty
};

QString roundFileName(RoundKind kind, int number);
QString RoundFilePath(const QString& folder, RoundKind kind, int number);
bool RoundExists(const QString& folder, RoundKind kind, int number);

// Throws FileError when the file cannot be read.
RoundCard LoadRoundCard(const QString& path);

// (text, points) of an answer line. A line without a comma is all text and worth "0".
std::pair<QString, QString> SplitAnswerLine(const QString& line);

// Writes the card, replacing any earlier content; throws FileError when it cannot write.
void SaveRoundCard(const QString& folder, RoundKind kind, int number, const QString& question,
                   const QStringList& answers, const QStringList& points);

// The first free number from the editor's current one on (never below 1).
int NewRoundNumber(const QString& folder, RoundKind kind, int current);

// What the editor shows for a card not yet saved.
RoundCard NewRoundCard(int number, RoundKind kind);

// (N, question) in number order. *count receives the number of files whose names start
// with the series' prefix: numbers above it are never probed.
QList<std::pair<int, QString>> ListRounds(const QString& folder, RoundKind kind,
                                          int* count = nullptr);

// Moves card N into the "borrado" subfolder (never overwriting an earlier removed card) and
// renumbers the cards after it so the series has no gap.
void RemoveRound(const QString& folder, RoundKind kind, int number);

// "Rondas" below the program folder.
QString defaultRoundFolder(const QString& programFolder);

// The rounds folder: the default one, unless Config\RondaDir.txt names an existing
// folder. Throws FileError when that file is there but cannot be read.
QString ResolveRoundFolder(const QString& programFolder);

}  // namespace velta
