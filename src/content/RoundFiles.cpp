#include "content/RoundFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>

#include "content/RemovalJournal.h"
#include "content/TextFiles.h"
#include "platform/Errors.h"
#include "platform/ProgramFolder.h"

namespace velta {

namespace {

QString prefix(RoundKind kind) {
    return kind == RoundKind::Extra ? QStringLiteral("x") : QString();
}

QString folderWithSlash(const QString& folder) {
    QString f = normalizeSeparators(folder);
    if (!f.endsWith('/')) {
        f += '/';
    }
    return f;
}

// A card is six lines: a line break typed or pasted into a field would shift every line
// after it, so it becomes a space.
QString oneLine(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    text.replace('\r', ' ');
    text.replace('\n', ' ');
    return text;
}

// An answer text that begins with a double quote would be read as a quoted field and cut
// at its next quote, so it is written quoted, inner quotes doubled.
QString answerField(const QString& text) {
    if (!text.startsWith('"')) {
        return text;
    }
    QString quoted = text;
    quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return '"' + quoted + '"';
}

}  // namespace

QString roundFileName(RoundKind kind, int number) {
    return prefix(kind) + QStringLiteral("ronda") + QString::number(number) +
           QStringLiteral(".txt");
}

QString RoundFilePath(const QString& folder, RoundKind kind, int number) {
    return folderWithSlash(folder) + roundFileName(kind, number);
}

bool RoundExists(const QString& folder, RoundKind kind, int number) {
    finishRemoval(folder);
    return cardFileExists(folder, kind, number);
}

bool cardFileExists(const QString& folder, RoundKind kind, int number) {
    return QFileInfo(RoundFilePath(folder, kind, number)).isFile();
}

QList<int> roundNumbers(const QString& folder, RoundKind kind) {
    finishRemoval(folder);
    const QString series = prefix(kind) + QStringLiteral("ronda");
    const QRegularExpression number(QLatin1Char('^') + series +
                                    QStringLiteral("([1-9][0-9]{0,8})\\.txt$"));
    QList<int> numbers;
    const QDir dir(normalizeSeparators(folder));
    for (const QString& name :
         dir.entryList({series + QStringLiteral("*.txt")}, QDir::Files | QDir::Hidden)) {
        const QRegularExpressionMatch match = number.match(name);
        if (match.hasMatch()) {
            numbers << match.captured(1).toInt();
        }
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

QList<std::pair<int, QString>> listCards(const QString& folder, RoundKind kind) {
    QList<std::pair<int, QString>> cards;
    for (const int n : roundNumbers(folder, kind)) {
        cards.append({n, readFirstLine(RoundFilePath(folder, kind, n))});
    }
    return cards;
}

RoundCard LoadRoundCard(const QString& path) {
    return roundCardFromText(readTextFile(path));
}

RoundCard roundCardFromText(const QString& text) {
    const QStringList lines = splitLines(text);
    RoundCard card;
    card.question = lines.value(0);
    for (int k = 1; k <= 5; ++k) {
        card.answerLines << lines.value(k);
    }
    return card;
}

std::pair<QString, QString> SplitAnswerLine(const QString& line) {
    QStringList fields;
    int i = 0;
    while (i <= line.size() && fields.size() < 2) {
        QString field;
        if (i < line.size() && line[i] == '"') {
            ++i;
            while (i < line.size()) {
                if (line[i] == '"') {
                    if (i + 1 < line.size() && line[i + 1] == '"') {
                        field += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += line[i++];
            }
            while (i < line.size() && line[i] != ',') {
                ++i;
            }
        } else {
            while (i < line.size() && line[i] != ',') {
                field += line[i++];
            }
        }
        fields << field;
        if (i >= line.size()) {
            break;
        }
        ++i;  // the comma
        if (i == line.size()) {
            fields << QString();
            break;
        }
    }
    if (fields.size() < 2) {
        return {fields.value(0), QStringLiteral("0")};
    }
    return {fields[0], fields[1]};
}

void SaveRoundCard(const QString& folder, RoundKind kind, int number, const QString& question,
                   const QStringList& answers, const QStringList& points) {
    // The question loses its leading blanks but stays line 1, even when it is empty.
    const QString first = oneLine(question);
    int start = 0;
    while (start < first.size() && first[start].unicode() <= 0x20) {
        ++start;
    }
    QStringList lines{first.mid(start)};
    for (int k = 0; k < 5; ++k) {
        lines << answerLine(answers.value(k), points.value(k));
    }
    writeTextFile(RoundFilePath(folder, kind, number), lines.join(QStringLiteral("\r\n")));
}

QString answerLine(const QString& text, const QString& points) {
    QString field = oneLine(text);
    field.replace(',', '/');
    return answerField(trimControl(field)) + ',' + trimControl(oneLine(points));
}

QString answerPointsFault(int row, const QString& text, const QString& points) {
    const QString digits = trimControl(oneLine(points));
    if (digits.isEmpty()) {
        if (row > 2 && trimControl(oneLine(text)).isEmpty()) {
            return QString();
        }
        return QStringLiteral("están vacíos");
    }
    // More digits than the largest number holds are too many, whatever they are.
    const QString significant = QString(digits).remove(QRegularExpression(QStringLiteral("^0+")));
    if (!isDigits(digits) || significant.size() > 5 || significant.toInt() > kLargestAnswerPoints) {
        return QStringLiteral("no son un número entero de 0 a %1").arg(kLargestAnswerPoints);
    }
    return QString();
}

int NewRoundNumber(const QString& folder, RoundKind kind, int current) {
    int n = qMax(current, 1);
    while (RoundExists(folder, kind, n)) {
        ++n;
    }
    return n;
}

RoundCard NewRoundCard(int number, RoundKind kind) {
    static const char* const defaultPoints[] = {"40", "30", "15", "10", "5"};
    RoundCard card;
    card.question = QStringLiteral("Pregunta ") + roundFileName(kind, number);
    for (int k = 0; k < 5; ++k) {
        card.answerLines << QStringLiteral("Respuesta %1,%2").arg(k + 1).arg(defaultPoints[k]);
    }
    return card;
}

QList<std::pair<int, QString>> ListRounds(const QString& folder, RoundKind kind, int* count) {
    finishRemoval(folder);
    const QDir dir(normalizeSeparators(folder));
    const int c = dir.exists() ? dir.entryList({prefix(kind) + QStringLiteral("ronda*")},
                                               QDir::Files | QDir::Hidden | QDir::System)
                                     .size()
                               : 0;
    if (count) {
        *count = c;
    }
    QList<std::pair<int, QString>> rounds;
    for (int n = 1; n <= c; ++n) {
        if (cardFileExists(folder, kind, n)) {
            rounds.append({n, readFirstLine(RoundFilePath(folder, kind, n))});
        }
    }
    return rounds;
}

QString defaultRoundFolder(const QString& programFolder) {
    return folderWithSlash(programFolder) + QStringLiteral("Rondas");
}

QString ResolveRoundFolder(const QString& programFolder) {
    QString folder = defaultRoundFolder(programFolder);
    const std::optional<QString> stored =
        readPathFile(folderWithSlash(programFolder) + QStringLiteral("Config/RondaDir.txt"));
    if (stored) {
        const QString found = portablePath(*stored, folderWithSlash(programFolder));
        if (QFileInfo(normalizeSeparators(found)).isDir()) {
            folder = found;
        }
    }
    return folder;
}

}  // namespace velta
