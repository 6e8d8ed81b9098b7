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

// Card numbers have at most nine digits.
inline constexpr int kLargestRoundNumber = 999999999;

struct RoundCard {
    QString question;
    QStringList answerLines;  // always 5 entries, missing lines empty
};

QString roundFileName(RoundKind kind, int number);
QString RoundFilePath(const QString& folder, RoundKind kind, int number);

// Whether the card's file is there. Like every look at the folder, it first finishes a
// removal that was cut short (see RemoveRound), so it never sees a gap the program left.
bool RoundExists(const QString& folder, RoundKind kind, int number);
// The same look, without finishing anything.
bool cardFileExists(const QString& folder, RoundKind kind, int number);

// The numbers of the series' files in the folder, in increasing order: a way past a gap
// that someone left in the numbering by hand.
QList<int> roundNumbers(const QString& folder, RoundKind kind);
// (N, question) of every card of the series in number order, gaps in the numbering crossed.
QList<std::pair<int, QString>> listCards(const QString& folder, RoundKind kind);

// Throws FileError, naming the file and the reason, when the file cannot be read.
RoundCard LoadRoundCard(const QString& path);
// The card a file's text holds.
RoundCard roundCardFromText(const QString& text);

// (text, points) of an answer line. A line without a comma is all text and worth "0".
std::pair<QString, QString> SplitAnswerLine(const QString& line);

// The line an answer is saved as: commas in the text become "/", line breaks spaces, and
// blanks around the text and the points go.
QString answerLine(const QString& text, const QString& points);

// The most points one answer may carry: the board refuses more when it adds them up.
inline constexpr int kLargestAnswerPoints = 99999;

// Why the points typed for answer `row` (1 to 5) cannot be stored, as the end of a sentence
// ("no son un número entero de 0 a 99999"), or an empty text when they can. The board adds
// the points of every answer it reveals, so they are a whole number from 0 to
// kLargestAnswerPoints; only an answer row 3 to 5 left out of use (no text, no points) has
// none.
QString answerPointsFault(int row, const QString& text, const QString& points);

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
// renumbers the cards after it so the series has no gap. Before it moves anything it notes
// what it is doing in a journal in "borrado": a removal cut short by a crash is finished
// the next time the folder is looked at. When a move fails, the moves already made are
// undone and FileError says which file could not be moved.
void RemoveRound(const QString& folder, RoundKind kind, int number);

// "Rondas" below the program folder.
QString defaultRoundFolder(const QString& programFolder);

// The rounds folder: the default one, unless Config\RondaDir.txt names an existing
// folder. Throws FileError when that file is there but cannot be read.
QString ResolveRoundFolder(const QString& programFolder);

}  // namespace velta
