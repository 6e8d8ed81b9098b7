// Round files in a real folder: reading and writing cards, numbering new ones, listing a
// folder that holds stray files and removing cards without losing any of them.

#include <QDir>
#include <QRegularExpression>
#include <QtTest>

#include "TempProgramFolder.h"
#include "UnitHelpers.h"
#include "content/RemovalJournal.h"
#include "content/RoundFiles.h"
#include "content/TextFiles.h"
#include "platform/Errors.h"
#include "platform/FileMoves.h"

using namespace velta;
using velta::test::columns;
using velta::test::row;
using velta::test::TempProgramFolder;

using Listing = QList<std::pair<int, QString>>;

namespace {

QString question(int number, bool extra = false) {
    return (extra ? QStringLiteral("Extra %1: ¿qué año?")
                  : QStringLiteral("Pregunta %1: ¿qué año?"))
        .arg(number);
}

// Cards with the given numbers, each with a question of its own.
void writeCards(const TempProgramFolder& folder, const QList<int>& numbers, bool extra = false) {
    for (int n : numbers) {
        folder.writeRound(
            n, question(n, extra),
            {QStringLiteral("Uno %1,40").arg(n), QStringLiteral("Dos,30"),
             QStringLiteral("Tres,15"), QStringLiteral("Cuatro,10"), QStringLiteral("Cinco,5")},
            extra);
    }
}

Listing listing(const QList<int>& numbers, bool extra = false) {
    Listing rounds;
    for (int n : numbers) {
        rounds.append({n, question(n, extra)});
    }
    return rounds;
}

QStringList removedNames(const TempProgramFolder& folder) {
    return QDir(folder.file(QStringLiteral("Rondas/borrado")))
        .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

QList<QByteArray> sorted(QList<QByteArray> list) {
    std::sort(list.begin(), list.end());
    return list;
}

// What a crash does to a removal: everything stops where it is.
struct Crash {};

// Stands in for the file system's renames: counts them, lets them through, and makes the
// ones numbered in `failing` fail or the one numbered `crashAt` crash.
class CutShort : public FileMoves {
  public:
    CutShort() { setFileMoves(this); }
    ~CutShort() override { setFileMoves(nullptr); }
    bool move(const QString& from, const QString& to) override {
        const int call = calls++;
        if (call == crashAt) {
            throw Crash{};
        }
        return !failing.contains(call) && FileMoves::move(from, to);
    }
    int calls = 0;
    int crashAt = -1;
    QSet<int> failing;
};

// The bytes of the cards the folder holds, in number order.
QList<QByteArray> cardBytes(const TempProgramFolder& folder) {
    QList<QByteArray> bytes;
    for (int n = 1; QFile::exists(folder.file(QStringLiteral("Rondas/ronda%1.txt").arg(n))); ++n) {
        bytes << folder.readBytes(QStringLiteral("Rondas/ronda%1.txt").arg(n));
    }
    return bytes;
}

// Cards 1 to 5, each with its own bytes.
QList<QByteArray> fiveCards(const TempProgramFolder& folder) {
    writeCards(folder, {1, 2, 3, 4, 5});
    return cardBytes(folder);
}

}  // namespace

class RoundFilesTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void folderSpelledWithEitherSeparator();
    void loadsCards_data();
    void loadsCards();
    void splitsAnswerLines_data();
    void splitsAnswerLines();
    void pointsTheBoardCanAdd_data();
    void pointsTheBoardCanAdd();
    void savesCardsByteExact_data();
    void savesCardsByteExact();
    void savedCardsReadBackAsTyped_data();
    void savedCardsReadBackAsTyped();
    void numbersNewCards();
    void newCardDefaults();
    void listsRounds_data();
    void listsRounds();
    void removingClosesTheGap();
    void removingTheSameNumberKeepsEveryCopy();
    void removingAMissingNumberOnlyRenumbers();
    void removingOneSeriesLeavesTheOther();
    void removingWithoutARemovedFolderKeepsTheCard();
    void removalCutShortIsFinishedAtTheNextLook_data();
    void removalCutShortIsFinishedAtTheNextLook();
    void failedMoveLeavesTheFolderAsItWas_data();
    void failedMoveLeavesTheFolderAsItWas();
    void journalsThisProgramDidNotWriteMoveNothing_data();
    void journalsThisProgramDidNotWriteMoveNothing();
    void seriesNumbersGoPastGaps();
};

void RoundFilesTest::folderSpelledWithEitherSeparator() {
    TempProgramFolder folder;
    writeCards(folder, {2});
    QDir(folder.path()).mkpath(QStringLiteral("Rondas/ronda3.txt"));
    const QString slash = folder.file(QStringLiteral("Rondas"));
    QString backslash = slash;
    backslash.replace('/', '\\');

    QCOMPARE(roundFileName(RoundKind::Normal, 12), QStringLiteral("ronda12.txt"));
    QCOMPARE(roundFileName(RoundKind::Extra, 3), QStringLiteral("xronda3.txt"));
    for (const QString& spelling : {slash, slash + '/', backslash, backslash + '\\'}) {
        QVERIFY2(RoundExists(spelling, RoundKind::Normal, 2), qPrintable(spelling));
        QCOMPARE(LoadRoundCard(RoundFilePath(spelling, RoundKind::Normal, 2)).question,
                 question(2));
        QVERIFY(!RoundExists(spelling, RoundKind::Extra, 2));
        QVERIFY2(!RoundExists(spelling, RoundKind::Normal, 3), "a folder is not a card");
    }
}

void RoundFilesTest::loadsCards_data() {
    columns<QByteArray, QString, QStringList>("bytes", "question", "answers");

    const QStringList five{"A,40", "B,30", "C,15", "D,10", "E,5"};
    QTest::newRow("as written") << QByteArray("\xBFQu\xE9?\r\nA,40\r\nB,30\r\nC,15\r\nD,10\r\nE,5")
                                << QStringLiteral("¿Qué?") << five;
    QTest::newRow("final break") << QByteArray("Q\r\nA,40\r\nB,30\r\nC,15\r\nD,10\r\nE,5\r\n")
                                 << QStringLiteral("Q") << five;
    QTest::newRow("lines past the sixth ignored")
        << QByteArray("Q\r\nA,40\r\nB,30\r\nC,15\r\nD,10\r\nE,5\r\nF,1\r\nG,2")
        << QStringLiteral("Q") << five;
    QTest::newRow("three lines: two answers")
        << QByteArray("Q\r\nA,60\r\nB,40") << QStringLiteral("Q")
        << QStringList{"A,60", "B,40", "", "", ""};
    QTest::newRow("blank slots kept as stored")
        << QByteArray("Q\r\nA,60\r\nB,40\r\n\r\n,\r\n,0") << QStringLiteral("Q")
        << QStringList{"A,60", "B,40", "", ",", ",0"};
    QTest::newRow("UTF-8 with a mark, LF")
        << QByteArray("\xEF\xBB\xBF") + QStringLiteral("¿Cuál?\nÑandú,40\nGyőr,60").toUtf8()
        << QStringLiteral("¿Cuál?") << QStringList{"Ñandú,40", "Győr,60", "", "", ""};
    QTest::newRow("empty file") << QByteArray() << QString() << QStringList{"", "", "", "", ""};
}

void RoundFilesTest::loadsCards() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, question);
    QFETCH(QStringList, answers);
    TempProgramFolder folder;
    folder.writeBytes(QStringLiteral("Rondas/ronda1.txt"), bytes);

    const RoundCard card = LoadRoundCard(folder.file(QStringLiteral("Rondas/ronda1.txt")));

    QCOMPARE(card.question, question);
    QCOMPARE(card.answerLines, answers);
}

void RoundFilesTest::splitsAnswerLines_data() {
    columns<QString, QString, QString>("line", "text", "points");

    row("text and points", "Sal/ pimienta,15", "Sal/ pimienta", "15");
    row("spaces belong to the fields", " Perro , 40 ", " Perro ", " 40 ");
    row("further fields ignored", "a,b,c", "a", "b");
    row("no comma: all text, worth 0", "Sin coma", "Sin coma", "0");
    row("empty line", "", "", "0");
    row("blank answer", ",", "", "");
    row("blank answer worth 0", ",0", "", "0");
    row("points not a number", "A,cuarenta", "A", "cuarenta");
    row("quoted text with a comma", "\"Sal, pimienta\",15", "Sal, pimienta", "15");
    row("doubled quotes", "\"Dijo \"\"hola\"\"\",5", "Dijo \"hola\"", "5");
    row("unclosed quote", "\"Abierta,10", "Abierta,10", "0");
    row("quoted points", "A,\"25\"", "A", "25");
}

void RoundFilesTest::splitsAnswerLines() {
    QFETCH(QString, line);
    QFETCH(QString, text);
    QFETCH(QString, points);
    const auto split = SplitAnswerLine(line);
    QCOMPARE(split.first, text);
    QCOMPARE(split.second, points);
}

void RoundFilesTest::pointsTheBoardCanAdd_data() {
    columns<int, QString, QString, bool>("row", "text", "points", "stored");
    row("whole number", 1, "Perro", "40", true);
    row("zero", 4, "Texto", "0", true);
    row("blanks around", 2, "Gato", " 30 ", true);
    row("largest", 1, "A", "99999", true);
    row("leading zeros", 3, "A", "0005", true);
    row("unused row", 5, "", "", true);
    row("unused row, blanks", 3, " ", " ", true);
    row("empty, row 1", 1, "", "", false);
    row("empty, row 2", 2, "Gato", "", false);
    row("empty with a text", 4, "Texto", "", false);
    row("negative", 3, "A", "-15", false);
    row("signed", 3, "A", "+15", false);
    row("over the largest", 1, "A", "100000", false);
    row("many digits", 1, "A", "99999999999999999999", false);
    row("not a number", 2, "A", "diez", false);
    row("decimal", 2, "A", "1.5", false);
}

void RoundFilesTest::pointsTheBoardCanAdd() {
    QFETCH(int, row);
    QFETCH(QString, text);
    QFETCH(QString, points);
    QFETCH(bool, stored);
    QCOMPARE(answerPointsFault(row, text, points).isEmpty(), stored);
}

void RoundFilesTest::savesCardsByteExact_data() {
    columns<QString, QStringList, QStringList, QByteArray>("question", "answers", "points",
                                                           "bytes");

    const QStringList defaultPoints{"40", "30", "15", "10", "5"};
    QTest::newRow("plain card") << QStringLiteral("¿Qué llevas a la playa?")
                                << QStringList{"Toalla", "Sombrilla", "Crema", "Gafas", "Libro"}
                                << defaultPoints
                                << QByteArray(
                                       "\xBFQu\xE9 llevas a la playa?\r\nToalla,40\r\n"
                                       "Sombrilla,30\r\nCrema,15\r\nGafas,10\r\nLibro,5");
    QTest::newRow("commas in answers become slashes, question kept whole")
        << QStringLiteral("Uno, dos, tres: ¿cuál?")
        << QStringList{"Sal, pimienta", "a,b,c", " , ", "D", "E"} << defaultPoints
        << QByteArray(
               "Uno, dos, tres: \xBF"
               "cu\xE1l?\r\nSal/ pimienta,40\r\na/b/c,30\r\n/,15\r\n"
               "D,10\r\nE,5");
    QTest::newRow("blanks trimmed")
        << QStringLiteral(" \t  Pregunta") << QStringList{"  Toalla\t", "B ", "C", "D", "E"}
        << QStringList{" 40 ", "30\t", "15", "10", "5"}
        << QByteArray("Pregunta\r\nToalla,40\r\nB,30\r\nC,15\r\nD,10\r\nE,5");
    QTest::newRow("blank answers") << QStringLiteral("Q") << QStringList{"A", "B", "C", "", " "}
                                   << QStringList{"50", "30", "20", "", "0"}
                                   << QByteArray("Q\r\nA,50\r\nB,30\r\nC,20\r\n,\r\n,0");
    QTest::newRow("fewer than five answers given")
        << QStringLiteral("Q") << QStringList{"A", "B"} << QStringList{"60", "40"}
        << QByteArray("Q\r\nA,60\r\nB,40\r\n,\r\n,\r\n,");
    QTest::newRow("points stored as typed")
        << QStringLiteral("Q") << QStringList{"A", "B", "C", "D", "E"}
        << QStringList{"cuarenta", "30", "15", "10", "5"}
        << QByteArray("Q\r\nA,cuarenta\r\nB,30\r\nC,15\r\nD,10\r\nE,5");
    QTest::newRow("empty question stays line 1")
        << QString() << QStringList{"A", "B", "C", "D", "E"} << defaultPoints
        << QByteArray("\r\nA,40\r\nB,30\r\nC,15\r\nD,10\r\nE,5");
    QTest::newRow("line breaks inside fields become spaces")
        << QStringLiteral("Uno\r\ndos\ntres\rcuatro")
        << QStringList{"Sal\npimienta", "B\r\n", "C", "D", "E"}
        << QStringList{"4\n0", "30", "15", "10", "5"}
        << QByteArray("Uno dos tres cuatro\r\nSal pimienta,4 0\r\nB,30\r\nC,15\r\nD,10\r\nE,5");
}

void RoundFilesTest::savesCardsByteExact() {
    QFETCH(QString, question);
    QFETCH(QStringList, answers);
    QFETCH(QStringList, points);
    QFETCH(QByteArray, bytes);
    TempProgramFolder folder;
    folder.writeBytes(QStringLiteral("Rondas/ronda4.txt"),
                      "Vieja\r\nA,1\r\nB,2\r\nC,3\r\nD,4\r\nE,5\r\nF,6\r\n");

    SaveRoundCard(folder.file(QStringLiteral("Rondas")), RoundKind::Normal, 4, question, answers,
                  points);

    QCOMPARE(folder.readBytes(QStringLiteral("Rondas/ronda4.txt")), bytes);
}

void RoundFilesTest::savedCardsReadBackAsTyped_data() {
    columns<QString, QStringList>("question", "answers");

    QTest::newRow("accents") << QStringLiteral("¿Qué pides en un café, señor?")
                             << QStringList{"Cortado", "Café con leche", "Té", "Agua", "Nada"};
    QTest::newRow("characters Windows-1252 cannot hold")
        << QStringLiteral("¿Dónde está Győr? 🗺")
        << QStringList{"Hungría", "Ő", "—", "€", "Ω"};
    QTest::newRow("answers that begin with a quote")
        << QStringLiteral("¿Qué dijo?")
        << QStringList{"\"Hola\" y adiós", "\"", "\"\"", "Sin \"comillas\" al inicio", "E"};
}

void RoundFilesTest::savedCardsReadBackAsTyped() {
    QFETCH(QString, question);
    QFETCH(QStringList, answers);
    const QStringList points{"40", "30", "15", "10", "5"};
    TempProgramFolder folder;
    const QString rounds = folder.file(QStringLiteral("Rondas"));

    SaveRoundCard(rounds, RoundKind::Extra, 2, question, answers, points);

    QVERIFY(!RoundExists(rounds, RoundKind::Normal, 2));
    const RoundCard card = LoadRoundCard(RoundFilePath(rounds, RoundKind::Extra, 2));
    QCOMPARE(card.question, question);
    for (int k = 0; k < 5; ++k) {
        const auto split = SplitAnswerLine(card.answerLines[k]);
        QCOMPARE(split.first, answers[k]);
        QCOMPARE(split.second, points[k]);
    }
}

void RoundFilesTest::numbersNewCards() {
    TempProgramFolder folder;
    const QString rounds = folder.file(QStringLiteral("Rondas"));

    QCOMPARE(NewRoundNumber(rounds, RoundKind::Normal, 0), 1);
    QCOMPARE(NewRoundNumber(folder.file(QStringLiteral("Falta")), RoundKind::Normal, 0), 1);

    writeCards(folder, {1, 2, 3});
    writeCards(folder, {1}, true);
    QCOMPARE(NewRoundNumber(rounds, RoundKind::Normal, 0), 4);
    QCOMPARE(NewRoundNumber(rounds, RoundKind::Normal, 2), 4);
    QCOMPARE(NewRoundNumber(rounds, RoundKind::Extra, 0), 2);
}

void RoundFilesTest::newCardDefaults() {
    TempProgramFolder folder;
    const RoundCard normal = NewRoundCard(7, RoundKind::Normal);
    const RoundCard extra = NewRoundCard(2, RoundKind::Extra);

    QCOMPARE(normal.question, QStringLiteral("Pregunta ronda7.txt"));
    QCOMPARE(extra.question, QStringLiteral("Pregunta xronda2.txt"));
    int total = 0;
    for (int k = 0; k < 5; ++k) {
        const auto split = SplitAnswerLine(normal.answerLines.value(k));
        QCOMPARE(split.first, QStringLiteral("Respuesta %1").arg(k + 1));
        total += split.second.toInt();
    }
    QCOMPARE(SplitAnswerLine(normal.answerLines.value(0)).second, QStringLiteral("40"));
    QCOMPARE(total, 100);
    QCOMPARE(extra.answerLines, normal.answerLines);
    QVERIFY2(QDir(folder.file(QStringLiteral("Rondas"))).isEmpty(), "nothing is written");
}

void RoundFilesTest::listsRounds_data() {
    columns<QList<int>, QList<int>, QStringList, bool, int, QList<int>>(
        "cards", "extras", "strays", "extraSeries", "count", "listed");

    QTest::newRow("cards 1 to 4") << QList<int>{1, 2, 3, 4} << QList<int>{} << QStringList{}
                                  << false << 4 << QList<int>{1, 2, 3, 4};
    QTest::newRow("empty folder") << QList<int>{} << QList<int>{} << QStringList{} << false << 0
                                  << QList<int>{};
    QTest::newRow("normal series ignores the extra one")
        << QList<int>{1, 2} << QList<int>{1, 2, 3} << QStringList{} << false << 2
        << QList<int>{1, 2};
    QTest::newRow("extra series ignores the normal one")
        << QList<int>{1, 2} << QList<int>{1, 2, 3} << QStringList{} << true << 3
        << QList<int>{1, 2, 3};
    QTest::newRow("a stray counts but is never listed")
        << QList<int>{1, 2, 3} << QList<int>{} << QStringList{"ronda7.txt.bak"} << false << 4
        << QList<int>{1, 2, 3};
    QTest::newRow("cards past the count are never probed")
        << QList<int>{1, 2, 4} << QList<int>{} << QStringList{} << false << 3 << QList<int>{1, 2};
    QTest::newRow("a stray lifts the count over a gap")
        << QList<int>{1, 2, 4} << QList<int>{} << QStringList{"ronda7.txt.bak"} << false << 4
        << QList<int>{1, 2, 4};
    QTest::newRow("folders and other names do not count")
        << QList<int>{1, 2} << QList<int>{}
        << QStringList{"dir:ronda3.txt", "dir:borrado", "borrado/ronda3a.txt",
                       "preguntas.txt",  "xronda.txt",  "ronda.txt"}
        << false << 3 << QList<int>{1, 2};
}

void RoundFilesTest::listsRounds() {
    QFETCH(QList<int>, cards);
    QFETCH(QList<int>, extras);
    QFETCH(QStringList, strays);
    QFETCH(bool, extraSeries);
    QFETCH(int, count);
    QFETCH(QList<int>, listed);
    TempProgramFolder folder;
    writeCards(folder, cards);
    writeCards(folder, extras, true);
    for (const QString& stray : strays) {
        if (stray.startsWith(QLatin1String("dir:"))) {
            QDir(folder.file(QStringLiteral("Rondas"))).mkpath(stray.mid(4));
        } else {
            folder.writeBytes(QStringLiteral("Rondas/") + stray, "Suelto\r\nA,100");
        }
    }

    int c = -1;
    const Listing rounds = ListRounds(folder.file(QStringLiteral("Rondas")),
                                      extraSeries ? RoundKind::Extra : RoundKind::Normal, &c);

    QCOMPARE(c, count);
    QCOMPARE(rounds, listing(listed, extraSeries));
}

void RoundFilesTest::removingClosesTheGap() {
    TempProgramFolder folder;
    const QString rounds = folder.file(QStringLiteral("Rondas"));
    writeCards(folder, {1, 2, 3, 4, 5});
    const QByteArray third = folder.readBytes(QStringLiteral("Rondas/ronda3.txt"));
    const QByteArray fifth = folder.readBytes(QStringLiteral("Rondas/ronda5.txt"));

    RemoveRound(rounds, RoundKind::Normal, 3);

    Listing expected = listing({1, 2});
    expected << std::pair{3, question(4)} << std::pair{4, question(5)};
    QCOMPARE(ListRounds(rounds, RoundKind::Normal), expected);
    QVERIFY(!RoundExists(rounds, RoundKind::Normal, 5));
    QCOMPARE(removedNames(folder).size(), 1);
    QVERIFY2(QRegularExpression(QStringLiteral("^ronda3[a-z]\\.txt$"))
                 .match(removedNames(folder).constFirst())
                 .hasMatch(),
             qPrintable(removedNames(folder).constFirst()));
    QCOMPARE(
        folder.readBytes(QStringLiteral("Rondas/borrado/") + removedNames(folder).constFirst()),
        third);

    RemoveRound(rounds, RoundKind::Normal, 4);  // the last card: nothing to renumber

    expected.removeLast();
    QCOMPARE(ListRounds(rounds, RoundKind::Normal), expected);
    QCOMPARE(removedNames(folder).size(), 2);
    const QString lastRemoved = removedNames(folder).filter(QStringLiteral("ronda4")).value(0);
    QCOMPARE(folder.readBytes(QStringLiteral("Rondas/borrado/") + lastRemoved), fifth);
}

void RoundFilesTest::removingTheSameNumberKeepsEveryCopy() {
    // More removals of card 1 than there are letters: every removed card must survive.
    const int cards = 30;
    TempProgramFolder folder;
    const QString rounds = folder.file(QStringLiteral("Rondas"));
    writeCards(folder, test::oneTo(cards));
    const QList<QByteArray> originals = cardBytes(folder);

    for (int k = 1; k <= cards; ++k) {
        RemoveRound(rounds, RoundKind::Normal, 1);
        QCOMPARE(removedNames(folder).size(), k);
        if (k < cards) {
            QCOMPARE(LoadRoundCard(RoundFilePath(rounds, RoundKind::Normal, 1)).question,
                     question(k + 1));
            QCOMPARE(ListRounds(rounds, RoundKind::Normal).size(), cards - k);
        }
    }

    QVERIFY(ListRounds(rounds, RoundKind::Normal).isEmpty());
    QStringList letters;
    QList<QByteArray> kept;
    for (const QString& name : removedNames(folder)) {
        QVERIFY2(name.startsWith(QLatin1String("ronda1")) && name.endsWith(QLatin1String(".txt")),
                 qPrintable(name));
        letters << name.mid(6, name.size() - 10);
        kept << folder.readBytes(QStringLiteral("Rondas/borrado/") + name);
    }
    for (const QChar letter : QStringLiteral("abcdefghijklmnopqrstuvwxyz")) {
        QVERIFY2(letters.contains(QString(letter)), qPrintable(letters.join(' ')));
    }
    QCOMPARE(sorted(kept), sorted(originals));
}

void RoundFilesTest::removingAMissingNumberOnlyRenumbers() {
    TempProgramFolder folder;
    const QString rounds = folder.file(QStringLiteral("Rondas"));
    writeCards(folder, {1, 2, 4, 5});

    RemoveRound(rounds, RoundKind::Normal, 0);
    QVERIFY2(RoundExists(rounds, RoundKind::Normal, 1), "there is no card 0 to remove");
    QVERIFY(!RoundExists(rounds, RoundKind::Normal, 0));

    RemoveRound(rounds, RoundKind::Normal, 3);

    Listing expected = listing({1, 2});
    expected << std::pair{3, question(4)} << std::pair{4, question(5)};
    QCOMPARE(ListRounds(rounds, RoundKind::Normal), expected);
    QVERIFY(removedNames(folder).isEmpty());
}

void RoundFilesTest::removingOneSeriesLeavesTheOther() {
    TempProgramFolder folder;
    const QString rounds = folder.file(QStringLiteral("Rondas"));
    writeCards(folder, {1, 2, 3});
    writeCards(folder, {1, 2, 3}, true);

    RemoveRound(rounds, RoundKind::Extra, 1);

    QCOMPARE(ListRounds(rounds, RoundKind::Normal), listing({1, 2, 3}));
    Listing extras;
    extras << std::pair{1, question(2, true)} << std::pair{2, question(3, true)};
    QCOMPARE(ListRounds(rounds, RoundKind::Extra), extras);
    QCOMPARE(removedNames(folder).size(), 1);
    QVERIFY(removedNames(folder).constFirst().startsWith(QLatin1String("xronda1")));
}

void RoundFilesTest::removingWithoutARemovedFolderKeepsTheCard() {
    TempProgramFolder folder;
    const QString rounds = folder.file(QStringLiteral("Rondas"));
    writeCards(folder, {1, 2, 3});
    folder.writeBytes(QStringLiteral("Rondas/borrado"), "no es una carpeta");
    const QByteArray second = folder.readBytes(QStringLiteral("Rondas/ronda2.txt"));

    QVERIFY_THROWS_EXCEPTION(FileError, RemoveRound(rounds, RoundKind::Normal, 2));

    QCOMPARE(ListRounds(rounds, RoundKind::Normal), listing({1, 2, 3}));
    QCOMPARE(folder.readBytes(QStringLiteral("Rondas/ronda2.txt")), second);
}

void RoundFilesTest::removalCutShortIsFinishedAtTheNextLook_data() {
    // "crashAt": the move the crash stops, 0 being card 2's own.
    columns<int, QString>("crashAt", "look");
    // Removing card 2 of 5 is four moves: 2 into "borrado", then 3, 4 and 5 down one.
    for (int move = 0; move <= 4; ++move) {
        for (const char* look : {"listing", "lookup", "numbers", "next removal"}) {
            QTest::addRow("crash at move %d, then %s", move, look)
                << move << QString::fromLatin1(look);
        }
    }
}

// Whatever move a crash stops, the next look at the folder finishes the removal the
// operator asked for: no card lost, no gap, the removed card in "borrado", no journal left.
void RoundFilesTest::removalCutShortIsFinishedAtTheNextLook() {
    QFETCH(int, crashAt);
    QFETCH(QString, look);
    TempProgramFolder folder;
    const QString rounds = folder.file(QStringLiteral("Rondas"));
    QList<QByteArray> cards = fiveCards(folder);
    {
        CutShort crash;
        crash.crashAt = crashAt;
        if (crashAt < 4) {
            QVERIFY_THROWS_EXCEPTION(Crash, RemoveRound(rounds, RoundKind::Normal, 2));
        } else {
            // After the four moves, before the journal goes: put the journal back.
            RemoveRound(rounds, RoundKind::Normal, 2);
            writeTextFile(
                removalJournalPath(rounds),
                removalJournalText({RoundKind::Normal, 2, removedNames(folder).value(0)}));
        }
    }
    QVERIFY(QFile::exists(removalJournalPath(rounds)));

    if (look == QLatin1String("listing")) {
        QCOMPARE(ListRounds(rounds, RoundKind::Normal).size(), 4);
    } else if (look == QLatin1String("lookup")) {
        QVERIFY(!RoundExists(rounds, RoundKind::Normal, 5));
    } else if (look == QLatin1String("numbers")) {
        QCOMPARE(roundNumbers(rounds, RoundKind::Normal), (QList<int>{1, 2, 3, 4}));
    } else {
        RemoveRound(rounds, RoundKind::Normal, 4);
        cards.removeAt(4);
    }

    const QByteArray removed = cards.takeAt(1);
    QCOMPARE(cardBytes(folder), cards);
    const QStringList inRemoved = removedNames(folder);
    QCOMPARE(inRemoved.size(), look == QLatin1String("next removal") ? 2 : 1);
    QCOMPARE(folder.readBytes(QStringLiteral("Rondas/borrado/") +
                              inRemoved.filter(QRegularExpression("^ronda2")).value(0)),
             removed);
    QVERIFY(!QFile::exists(removalJournalPath(rounds)));
}

void RoundFilesTest::failedMoveLeavesTheFolderAsItWas_data() {
    // "failing": the moves that fail, undoing ones included.
    columns<QList<int>, bool>("failing", "undone");
    QTest::newRow("card 2's own move") << QList<int>{0} << true;
    QTest::newRow("card 3 down") << QList<int>{1} << true;
    QTest::newRow("card 5 down") << QList<int>{3} << true;
    // Moves 0 and 1 went; move 2 fails, and so does the first move back (card 2 up to 3).
    QTest::newRow("card 4 down, and its undoing") << QList<int>{2, 3} << false;
}

// A move that fails undoes the removal and says which file could not be moved; when even
// the undoing fails, the journal stays and the next look finishes the removal.
void RoundFilesTest::failedMoveLeavesTheFolderAsItWas() {
    QFETCH(QList<int>, failing);
    QFETCH(bool, undone);
    TempProgramFolder folder;
    const QString rounds = folder.file(QStringLiteral("Rondas"));
    QList<QByteArray> cards = fiveCards(folder);
    QString message;
    {
        CutShort cut;
        cut.failing = QSet<int>(failing.cbegin(), failing.cend());
        message = test::messageOf<FileError>([&] { RemoveRound(rounds, RoundKind::Normal, 2); });
    }

    const int first = failing.constFirst();
    const QString from =
        first == 0 ? QStringLiteral("ronda2.txt") : QStringLiteral("ronda%1.txt").arg(first + 2);
    QVERIFY2(message.startsWith(QStringLiteral("No se pudo quitar la pregunta 2: no se pudo mover "
                                               "\"%1\" a \"")
                                    .arg(folder.file(QStringLiteral("Rondas/") + from))),
             qPrintable(message));
    if (undone) {
        QVERIFY2(message.endsWith(QLatin1String("Las preguntas quedaron como estaban.")),
                 qPrintable(message));
        QCOMPARE(cardBytes(folder), cards);
        QVERIFY(removedNames(folder).isEmpty());
        return;
    }
    QVERIFY(QFile::exists(removalJournalPath(rounds)));
    QCOMPARE(ListRounds(rounds, RoundKind::Normal).size(), 4);
    const QByteArray removed = cards.takeAt(1);
    QCOMPARE(cardBytes(folder), cards);
    QCOMPARE(folder.readBytes(QStringLiteral("Rondas/borrado/") + removedNames(folder).value(0)),
             removed);
    QVERIFY(!QFile::exists(removalJournalPath(rounds)));
}

void RoundFilesTest::journalsThisProgramDidNotWriteMoveNothing_data() {
    QTest::addColumn<QByteArray>("journal");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("garbage") << QByteArray("\x01\x02 no es un diario\r\n\xFF");
    QTest::newRow("another series") << QByteArray("preguntas\r\n2\r\nronda2a.txt");
    QTest::newRow("card 0") << QByteArray("ronda\r\n0\r\n");
    QTest::newRow("ten digits") << QByteArray("ronda\r\n1000000000\r\n");
    QTest::newRow("a name outside borrado") << QByteArray("ronda\r\n2\r\n../../ronda2a.txt");
    QTest::newRow("another card's name") << QByteArray("ronda\r\n2\r\nronda3a.txt");
    QTest::newRow("lines past the third") << QByteArray("ronda\r\n2\r\nronda2a.txt\r\nmás");
}

// A journal this program did not write is dropped, and no file moves on its word.
void RoundFilesTest::journalsThisProgramDidNotWriteMoveNothing() {
    QFETCH(QByteArray, journal);
    TempProgramFolder folder;
    const QString rounds = folder.file(QStringLiteral("Rondas"));
    writeCards(folder, {1, 3, 4});
    folder.writeBytes(QStringLiteral("Rondas/borrado/renumeracion.txt"), journal);

    QCOMPARE(roundNumbers(rounds, RoundKind::Normal), (QList<int>{1, 3, 4}));

    QVERIFY(!QFile::exists(removalJournalPath(rounds)));
    QCOMPARE(removedNames(folder), QStringList());
}

// The numbers a series' files carry, past any gap: the way on for a game whose folder has
// a number missing.
void RoundFilesTest::seriesNumbersGoPastGaps() {
    TempProgramFolder folder;
    const QString rounds = folder.file(QStringLiteral("Rondas"));
    writeCards(folder, {1, 2, 4, 12});
    writeCards(folder, {1, 3}, true);
    for (const char* stray : {"ronda7.txt.bak", "ronda03.txt", "ronda1234567890.txt", "ronda.txt",
                              "Ronda5.txt", "borrado/ronda6a.txt"}) {
        folder.writeBytes(QStringLiteral("Rondas/") + QLatin1String(stray), "Suelto\r\nA,100");
    }
    QVERIFY(QDir(rounds).mkpath(QStringLiteral("ronda8.txt")));

    QCOMPARE(roundNumbers(rounds, RoundKind::Normal), (QList<int>{1, 2, 4, 12}));
    QCOMPARE(roundNumbers(rounds, RoundKind::Extra), (QList<int>{1, 3}));
    QCOMPARE(roundNumbers(folder.file(QStringLiteral("Falta")), RoundKind::Normal), QList<int>());
}

QTEST_GUILESS_MAIN(RoundFilesTest)
#include "tst_roundfiles.moc"
