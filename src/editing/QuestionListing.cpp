#include "editing/QuestionListing.h"

#include <QStringList>

#include "content/RoundFiles.h"
#include "content/TextFiles.h"

namespace velta {

QString searchKey(const QString& text) {
    const QString decomposed = text.normalized(QString::NormalizationForm_D);
    QString key;
    key.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (c.category() != QChar::Mark_NonSpacing) {
            key += c;
        }
    }
    return key.toCaseFolded();
}

QString questionListing(const QString& folder, const QString& title) {
    const QString separator = QStringLiteral("\r");
    QStringList lines{QStringLiteral("Rondas ") + title, separator};
    for (const int number : roundNumbers(folder, RoundKind::Normal)) {
        const QStringList card = readTextLines(RoundFilePath(folder, RoundKind::Normal, number));
        for (int k = 0; k < card.size(); ++k) {
            lines << (k == 0 ? card[k] : QStringLiteral("%1.- %2").arg(k).arg(card[k]));
        }
        lines << separator;
    }
    lines << separator << QStringLiteral("Rondas Extras") << separator;
    for (const int number : roundNumbers(folder, RoundKind::Extra)) {
        lines << readTextLines(RoundFilePath(folder, RoundKind::Extra, number)) << separator;
    }
    return lines.join(QStringLiteral("\r\n"));
}

}  // namespace velta
