#include "content/SheetTransfer.h"

#include <QSaveFile>
#include <QStringList>

#include "platform/Errors.h"
#include "platform/ProgramFolder.h"

namespace velta {

namespace {

int index(RoundKind kind) {
    return kind == RoundKind::Extra ? 1 : 0;
}

QString range(RoundKind kind, std::pair<int, int> numbers) {
    if (numbers.first == 0) {
        return QString();
    }
    if (numbers.first == numbers.second) {
        return roundFileName(kind, numbers.first);
    }
    return QStringLiteral("%1 a %2").arg(roundFileName(kind, numbers.first),
                                         roundFileName(kind, numbers.second));
}

}  // namespace

CardImport::CardImport(const QString& folder, const QList<SheetRow>& rows) : folder_(folder) {
    for (const SheetRow& row : rows) {
        if (row.ready()) {
            rows_ << row;
        }
    }
    for (const RoundKind kind : {RoundKind::Normal, RoundKind::Extra}) {
        const QList<int> numbers = roundNumbers(folder, kind);
        next_[index(kind)] = numbers.isEmpty() ? 1 : numbers.last() + 1;
    }
}

bool CardImport::step() {
    if (done_ >= rows_.size()) {
        return false;
    }
    const SheetRow& row = rows_[done_];
    int& next = next_[index(row.kind)];
    // Someone else may have added a card since the folder was looked at.
    while (cardFileExists(folder_, row.kind, next)) {
        ++next;
    }
    if (next > kLargestRoundNumber) {
        throw FileError(
            QStringLiteral("La carpeta de rondas ya tiene el número más alto de "
                           "pregunta; no caben más."));
    }
    SaveRoundCard(folder_, row.kind, next, row.question, row.answers, row.points);
    std::pair<int, int>& taken = taken_[index(row.kind)];
    if (taken.first == 0) {
        taken.first = next;
    }
    taken.second = next;
    ++next;
    ++done_;
    return done_ < rows_.size();
}

std::pair<int, int> CardImport::numbers(RoundKind kind) const {
    return taken_[index(kind)];
}

int CardImport::nextNumber(RoundKind kind) const {
    return next_[index(kind)];
}

QList<std::pair<RoundKind, int>> folderCards(const QString& folder) {
    QList<std::pair<RoundKind, int>> cards;
    for (const RoundKind kind : {RoundKind::Normal, RoundKind::Extra}) {
        for (const int n : roundNumbers(folder, kind)) {
            cards.append({kind, n});
        }
    }
    return cards;
}

SheetExport::SheetExport(const QString& folder)
    : folder_(folder), cards_(folderCards(folder)), bytes_("\xEF\xBB\xBF") {
    bytes_ += sheetLine(sheetHeader());
}

bool SheetExport::step() {
    if (done_ >= cards_.size()) {
        return false;
    }
    const auto [kind, number] = cards_[done_];
    const RoundCard card = LoadRoundCard(RoundFilePath(folder_, kind, number));
    QStringList fields{
        kind == RoundKind::Extra ? QStringLiteral("extra") : QStringLiteral("normal"),
        card.question};
    for (const QString& line : card.answerLines) {
        if (line.isEmpty()) {
            fields << QString() << QString();
        } else {
            const auto [text, points] = SplitAnswerLine(line);
            fields << text << points;
        }
    }
    bytes_ += sheetLine(fields);
    ++done_;
    return done_ < cards_.size();
}

QString questionCount(int count) {
    return count == 1 ? QStringLiteral("1 pregunta") : QStringLiteral("%1 preguntas").arg(count);
}

QString importNote(const CardImport& import, const QString& folder) {
    QStringList parts;
    for (const RoundKind kind : {RoundKind::Normal, RoundKind::Extra}) {
        const QString r = range(kind, import.numbers(kind));
        if (!r.isEmpty()) {
            parts << r;
        }
    }
    const QString verb =
        import.done() == 1 ? QStringLiteral("importó") : QStringLiteral("importaron");
    const QString note = QStringLiteral("Se %1 %2 en \"%3\"")
                             .arg(verb, questionCount(import.done()), shownPath(folder));
    return parts.isEmpty() ? note + '.'
                           : note + QStringLiteral(" (%1).").arg(parts.join(QStringLiteral(", ")));
}

void writeWholeFile(const QString& path, const QByteArray& bytes) {
    QSaveFile file(normalizeSeparators(path));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        throw FileError(
            QStringLiteral("No se pudo guardar el archivo \"%1\"").arg(shownPath(path)));
    }
}

}  // namespace velta
