// The rounds folders the program folder ships with, read file by file the way the board reads
// them: numbering, bytes, line ends, question, answers and points. A host who picks one of
// these sets must never meet a card that stops the show or adds up wrong.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QtTest>

#include "UnitHelpers.h"
#include "content/RoundFiles.h"
#include "content/TextFiles.h"
#include "platform/Errors.h"

using namespace velta;
using velta::test::fileBytes;
using velta::test::oneTo;

namespace {

// The question sets of the preset themes: each holds a whole evening of normal questions
// and two tie-breakers, every card with five answers.
const QStringList kThemeFolders{
    QStringLiteral("RondasNochevieja"), QStringLiteral("RondasEscuela"),
    QStringLiteral("RondasOficina"),    QStringLiteral("RondasMadres"),
    QStringLiteral("RondasInfantil"),   QStringLiteral("RondasPadres"),
    QStringLiteral("RondasFamilia"),    QStringLiteral("RondasBabyShower"),
    QStringLiteral("RondasBoda"),       QStringLiteral("RondasMuertos"),
    QStringLiteral("RondasQuince"),     QStringLiteral("RondasNavidad"),
    QStringLiteral("RondasDeportes")};
constexpr int kThemeNormalCards = 10;
constexpr int kThemeExtraCards = 2;

QString shippedData() {
    return qEnvironmentVariable("VELTA_SOURCE_DIR") + QStringLiteral("/data");
}

QString joined(const QList<int>& numbers) {
    QStringList texts;
    for (const int n : numbers) {
        texts << QString::number(n);
    }
    return texts.join(QStringLiteral(", "));
}

// What is wrong with the card file's bytes and lines; nothing when the file is as the
// editor writes it: Windows-1252 without a mark, six lines joined by CR LF, no final break.
QStringList byteFaults(const QString& path) {
    const QByteArray bytes = fileBytes(path);
    QStringList faults;
    if (bytes.startsWith("\xEF\xBB\xBF") || bytes.startsWith("\xFF\xFE") ||
        bytes.startsWith("\xFE\xFF")) {
        faults << QStringLiteral("starts with a byte-order mark");
    }
    QString text;
    try {
        text = readTextFile(path);
    } catch (const FileError& e) {
        return faults << QString::fromUtf8(e.what());
    }
    if (encodeText(text) != bytes) {
        faults << QStringLiteral("is not plain Windows-1252");
    }
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if ((u < 0x20 && u != '\r' && u != '\n') || (u >= 0x7F && u <= 0x9F) ||
            c == QChar::ReplacementCharacter) {
            faults << QStringLiteral("holds the character U+%1").arg(u, 4, 16, QLatin1Char('0'));
            break;
        }
    }
    const qsizetype crlf = bytes.count("\r\n");
    if (bytes.count('\r') != crlf || bytes.count('\n') != crlf) {
        faults << QStringLiteral("has a line end other than CR LF");
    }
    if (bytes.endsWith('\n') || bytes.endsWith('\r')) {
        faults << QStringLiteral("ends with a line break");
    }
    const qsizetype lines = splitLines(text).size();
    if (lines != 6) {
        faults << QStringLiteral("has %1 lines instead of six").arg(lines);
    }
    return faults;
}

// What is wrong with the card as the board loads it. A card may leave its last answers
// blank (","), unless `fiveAnswers`; the answers given come first, most points first, and
// their points add up to 100.
QStringList cardFaults(const QString& path, bool fiveAnswers) {
    RoundCard card;
    try {
        card = LoadRoundCard(path);
    } catch (const FileError& e) {
        return {QString::fromUtf8(e.what())};
    }
    QStringList faults;
    if (trimControl(card.question).isEmpty()) {
        faults << QStringLiteral("has no question");
    }
    static const QRegularExpression wholePoints(QStringLiteral("^[0-9]{1,3}$"));
    int sum = 0;
    int previous = 100;
    bool blankSeen = false;
    for (int k = 0; k < card.answerLines.size(); ++k) {
        const QString& line = card.answerLines[k];
        const QString where = QStringLiteral("answer %1 (\"%2\")").arg(k + 1).arg(line);
        if (line.isEmpty() || line == QLatin1String(",")) {
            if (fiveAnswers) {
                faults << where + QStringLiteral(" is blank");
            }
            blankSeen = true;
            continue;
        }
        if (blankSeen) {
            faults << where + QStringLiteral(" follows a blank one");
        }
        const auto [text, points] = SplitAnswerLine(line);
        if (trimControl(text).isEmpty()) {
            faults << where + QStringLiteral(" has no text");
        }
        const int value = wholePoints.match(points).hasMatch() ? points.toInt() : 0;
        if (value < 1) {
            faults << where + QStringLiteral(" does not give its points as plain digits from 1 up");
            continue;
        }
        if (value > previous) {
            faults << where + QStringLiteral(" is worth more than the one above it");
        }
        previous = value;
        sum += value;
    }
    if (sum != 100) {
        faults << QStringLiteral("points add up to %1, not 100").arg(sum);
    }
    return faults;
}

}  // namespace

class ShippedRoundsTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void initTestCase();
    void shippedFolder_data();
    void shippedFolder();
};

void ShippedRoundsTest::initTestCase() {
    QVERIFY2(qEnvironmentVariableIsSet("VELTA_SOURCE_DIR"),
             "VELTA_SOURCE_DIR names the source tree; run this test through ctest");
    QVERIFY2(QFileInfo(shippedData() + QStringLiteral("/Rondas")).isDir(),
             qPrintable(shippedData() + QStringLiteral("/Rondas is missing")));
}

void ShippedRoundsTest::shippedFolder_data() {
    test::columns<QString, int, int, bool>("folder", "leastNormal", "leastExtra", "fiveAnswers");

    // Every rounds folder that ships, and the themes' folders even when one has gone missing.
    QStringList names = QDir(shippedData())
                            .entryList({QStringLiteral("Rondas*")},
                                       QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot);
    for (const QString& theme : kThemeFolders) {
        if (!names.contains(theme)) {
            names << theme;
        }
    }
    names.sort();
    for (const QString& name : names) {
        const bool theme = kThemeFolders.contains(name);
        QTest::newRow(qPrintable(name))
            << shippedData() + '/' + name << (theme ? kThemeNormalCards : 1)
            << (theme ? kThemeExtraCards : 1) << theme;
    }
}

void ShippedRoundsTest::shippedFolder() {
    QFETCH(QString, folder);
    QFETCH(int, leastNormal);
    QFETCH(int, leastExtra);
    QFETCH(bool, fiveAnswers);

    QVERIFY2(QFileInfo(folder).isDir(), qPrintable(folder + QStringLiteral(" is no folder")));

    // Only cards: a misnamed file is never shown, and a "borrado" folder does not ship. This
    // comes before the numbers are read, since reading them finishes a removal it finds.
    static const QRegularExpression cardName(QStringLiteral("^x?ronda[1-9][0-9]*\\.txt$"));
    QStringList strays;
    for (const QString& name : QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot |
                                                      QDir::Hidden | QDir::System)) {
        if (!cardName.match(name).hasMatch()) {
            strays << name;
        }
    }
    QVERIFY2(strays.isEmpty(), qPrintable(QStringLiteral("not a card: ") + strays.join(", ")));

    const QList<int> normal = roundNumbers(folder, RoundKind::Normal);
    const QList<int> extra = roundNumbers(folder, RoundKind::Extra);
    QVERIFY2(normal == oneTo(normal.size()),
             qPrintable(QStringLiteral("normal cards numbered ") + joined(normal)));
    QVERIFY2(extra == oneTo(extra.size()),
             qPrintable(QStringLiteral("extra cards numbered ") + joined(extra)));
    QVERIFY2(normal.size() >= leastNormal,
             qPrintable(QStringLiteral("%1 normal cards, at least %2 wanted")
                            .arg(normal.size())
                            .arg(leastNormal)));
    QVERIFY2(extra.size() >= leastExtra,
             qPrintable(QStringLiteral("%1 extra cards, at least %2 wanted")
                            .arg(extra.size())
                            .arg(leastExtra)));

    // Every faulty file at once, so one run lists all there is to mend.
    QStringList faults;
    for (const RoundKind kind : {RoundKind::Normal, RoundKind::Extra}) {
        for (const int n : kind == RoundKind::Normal ? normal : extra) {
            const QString path = RoundFilePath(folder, kind, n);
            for (const QString& fault : byteFaults(path) + cardFaults(path, fiveAnswers)) {
                faults << roundFileName(kind, n) + ": " + fault;
            }
        }
    }
    QVERIFY2(faults.isEmpty(), qPrintable('\n' + faults.join('\n')));
}

QTEST_GUILESS_MAIN(ShippedRoundsTest)
#include "tst_shipped_rounds.moc"
