// Taking a card out of the game: the move into "borrado", the renumbering that closes the
// gap, and the journal that lets a removal cut short be finished later.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include "content/RemovalJournal.h"
#include "content/TextFiles.h"
#include "platform/Errors.h"
#include "platform/FileMoves.h"
#include "platform/ProgramFolder.h"

namespace velta {

namespace {

const QString kRemovedFolder = QStringLiteral("borrado");

QString series(RoundKind kind) {
    return kind == RoundKind::Extra ? QStringLiteral("xronda") : QStringLiteral("ronda");
}

QString removedFolder(const QString& folder) {
    return QDir(normalizeSeparators(folder)).filePath(kRemovedFolder);
}

QString removedName(RoundKind kind, int number, const QString& tag) {
    return series(kind) + QString::number(number) + tag + QStringLiteral(".txt");
}

// A free name in "borrado" for a removed card: a random letter while one is free, then the
// numbered names "-2", "-3", ... so a removed card is never overwritten.
QString freeRemovedName(const QDir& removed, RoundKind kind, int number) {
    static const QString letters = QStringLiteral("abcdefghijklmnopqrstuvwxyz");
    QStringList free;
    for (const QChar letter : letters) {
        if (!removed.exists(removedName(kind, number, letter))) {
            free << letter;
        }
    }
    if (!free.isEmpty()) {
        return removedName(kind, number, free[QRandomGenerator::global()->bounded(free.size())]);
    }
    for (int k = 2;; ++k) {
        const QString name = removedName(kind, number, QStringLiteral("-") + QString::number(k));
        if (!removed.exists(name)) {
            return name;
        }
    }
}

// One move of a removal: the file it moves and where it goes.
struct Move {
    QString from;
    QString to;
};

// The moves that take card `number` out and close the gap, as far as the cards go now.
QList<Move> movesOf(const QString& folder, const RemovalJournal& journal) {
    QList<Move> moves;
    const int n = journal.number;
    const QString copy = QDir(removedFolder(folder)).filePath(journal.removedName);
    if (!journal.removedName.isEmpty() && !QFileInfo::exists(copy) &&
        cardFileExists(folder, journal.kind, n)) {
        moves.append({RoundFilePath(folder, journal.kind, n), copy});
    }
    // The gap is at n while card n is still to go; a removal cut short after that has left
    // it further on, and the cards after it still move down.
    int gap = n;
    if (moves.isEmpty()) {
        while (cardFileExists(folder, journal.kind, gap)) {
            ++gap;
        }
    }
    for (int m = gap + 1; cardFileExists(folder, journal.kind, m); ++m) {
        moves.append(
            {RoundFilePath(folder, journal.kind, m), RoundFilePath(folder, journal.kind, m - 1)});
    }
    return moves;
}

}  // namespace

QString removalJournalPath(const QString& folder) {
    return QDir(removedFolder(folder)).filePath(QStringLiteral("renumeracion.txt"));
}

QString removalJournalText(const RemovalJournal& journal) {
    return QStringList{series(journal.kind), QString::number(journal.number), journal.removedName}
        .join(QStringLiteral("\r\n"));
}

std::optional<RemovalJournal> parseRemovalJournal(const QString& text) {
    const QStringList lines = splitLines(text);
    if (lines.size() < 2 || lines.size() > 3) {
        return std::nullopt;
    }
    RemovalJournal journal;
    if (lines[0] == series(RoundKind::Extra)) {
        journal.kind = RoundKind::Extra;
    } else if (lines[0] != series(RoundKind::Normal)) {
        return std::nullopt;
    }
    static const QRegularExpression number(QStringLiteral("^[1-9][0-9]{0,8}$"));
    if (!number.match(lines[1]).hasMatch()) {
        return std::nullopt;
    }
    journal.number = lines[1].toInt();
    journal.removedName = lines.value(2);
    // The removed card's name is a bare file name of this series and number, nothing more.
    const QRegularExpression copyName(QLatin1Char('^') + lines[0] + lines[1] +
                                      QStringLiteral("([a-z]|-[1-9][0-9]{0,8})\\.txt$"));
    if (!journal.removedName.isEmpty() && !copyName.match(journal.removedName).hasMatch()) {
        return std::nullopt;
    }
    return journal;
}

bool finishRemoval(const QString& folder) {
    const QString path = removalJournalPath(folder);
    if (!QFileInfo::exists(path)) {
        return true;
    }
    std::optional<RemovalJournal> journal;
    try {
        journal = parseRemovalJournal(readTextFile(path));
    } catch (const FileError&) {
        return false;
    }
    if (journal) {
        for (const Move& move : movesOf(folder, *journal)) {
            if (!fileMoves().move(move.from, move.to)) {
                return false;
            }
        }
    }
    return QFile::remove(path);
}

void RemoveRound(const QString& folder, RoundKind kind, int number) {
    // Cards are numbered from 1; "closing the gap" at 0 would rename card 1 out of the game.
    if (number < 1) {
        return;
    }
    QDir dir(normalizeSeparators(folder));
    if (!QFileInfo(removedFolder(folder)).isDir() && !dir.mkdir(kRemovedFolder)) {
        throw FileError(QStringLiteral("No se pudo crear la carpeta \"%1\"")
                            .arg(shownPath(removedFolder(folder))));
    }
    if (!finishRemoval(folder)) {
        throw FileError(
            QStringLiteral("No se pudo terminar de quitar la pregunta que quedó a medias (\"%1\").")
                .arg(shownPath(removalJournalPath(folder))));
    }
    RemovalJournal journal{kind, number, QString()};
    if (cardFileExists(folder, kind, number)) {
        journal.removedName = freeRemovedName(QDir(removedFolder(folder)), kind, number);
    }
    const QList<Move> moves = movesOf(folder, journal);
    writeTextFile(removalJournalPath(folder), removalJournalText(journal));

    int done = 0;
    while (done < moves.size() && fileMoves().move(moves[done].from, moves[done].to)) {
        ++done;
    }
    if (done < moves.size()) {
        // Back the way it came: the folder stays as it was before the removal.
        const Move& failed = moves[done];
        while (done > 0 && fileMoves().move(moves[done - 1].to, moves[done - 1].from)) {
            --done;
        }
        const QString why =
            QStringLiteral("No se pudo quitar la pregunta %1: no se pudo mover \"%2\" a \"%3\".")
                .arg(number)
                .arg(shownPath(failed.from), shownPath(failed.to));
        if (done == 0 && QFile::remove(removalJournalPath(folder))) {
            throw FileError(why + QStringLiteral(" Las preguntas quedaron como estaban."));
        }
        throw FileError(why + QStringLiteral(" Se terminará de quitar la próxima vez que se "
                                             "abra la carpeta de rondas."));
    }
    QFile::remove(removalJournalPath(folder));
}

}  // namespace velta
