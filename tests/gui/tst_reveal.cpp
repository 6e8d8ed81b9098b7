// Uncovering answers into the pot, strikes and the five-second timed question, played with
// the keys the operator uses.
#include <QDirIterator>
#include <QImage>
#include <QtTest>

#include "BoardFixture.h"
#include "art/Art.h"
#include "sound/Sound.h"

using namespace velta;
using test::BoardFixture;
using test::BoardView;
using test::played;

namespace {

// A board showing card 1 of `answers`, its start splash over and the sounds forgotten.
bool startOnCard(BoardFixture& f, const QStringList& answers) {
    f.folder.writeRound(1, QStringLiteral("Pregunta 1"), answers);
    f.folder.writeRound(2, QStringLiteral("Pregunta 2"), test::standardAnswers());
    if (!f.start()) {
        return false;
    }
    f.press('s');
    f.board->splashTick();
    f.sound.clear();
    return BoardView(*f.board).Label16->text() == QLatin1String("Pregunta 1");
}

void copyTree(const QString& from, const QString& to) {
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + QDir(from).relativeFilePath(source).prepend('/');
        QDir().mkpath(QFileInfo(target).absolutePath());
        QVERIFY(QFile::copy(source, target));
    }
}

}  // namespace

class Reveal : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void potFollowsRevealsAndHides();
    void potFrozenAfterAward();
    void answerTypeSize();
    void keysNeedAQuestionOnTheBoard();
    void blankAndBrokenAnswerLines();
    void pointsAnAnswerCannotCarry_data();
    void pointsAnAnswerCannotCarry();
    void strikesCycleThroughTheirPictures();
    void strikeDuringSplash();
    void missingOrBrokenStrikePictures();
    void timedQuestion();
    void screenshots();
};

void Reveal::potFollowsRevealsAndHides() {
    BoardFixture f;
    QVERIFY(startOnCard(
        f, {QStringLiteral("Uno,40"), QStringLiteral("Dos,30"), QStringLiteral("Tres,15"),
            QStringLiteral("Cuatro,12"), QStringLiteral("Cinco,3")}));
    BoardView b(*f.board);

    f.press('2');
    QCOMPARE(b.Label17->text(), QStringLiteral("30"));
    QCOMPARE(b.rows[1].answer->text(), QStringLiteral("Dos"));
    QCOMPARE(b.rows[1].points->text(), QStringLiteral("30"));
    QVERIFY(!b.rows[1].cover->isVisible());
    QVERIFY(f.control.marks[1]);
    f.press('4');
    QCOMPARE(b.Label17->text(), QStringLiteral("42"));
    QCOMPARE(f.sound.effects(), played(effects::kAnswer) + played(effects::kAnswer));

    f.sound.clear();
    f.press('2');
    QCOMPARE(b.Label17->text(), QStringLiteral("12"));
    QVERIFY(b.rows[1].cover->isVisible());
    QCOMPARE(b.rows[1].points->text(), QStringLiteral("0"));
    QVERIFY(!f.control.marks[1]);
    f.press('4');
    QCOMPARE(b.Label17->text(), QStringLiteral("0"));
    QVERIFY(f.sound.calls.isEmpty());
    QVERIFY(f.dialogs.shown.isEmpty());
}

// Once the pot has gone to a team, reveals and hides change the rows but not the pot,
// until the next card.
void Reveal::potFrozenAfterAward() {
    BoardFixture f;
    QVERIFY(startOnCard(f, test::standardAnswers()));
    BoardView b(*f.board);

    f.press('1');
    b.SpeedButton13->click();
    QCOMPARE(b.Label19->text(), QStringLiteral("40"));
    QCOMPARE(b.Label17->text(), QStringLiteral("00"));
    f.press('3');
    QCOMPARE(b.rows[2].answer->text(), QStringLiteral("Tres"));
    QCOMPARE(b.rows[2].points->text(), QStringLiteral("15"));
    QVERIFY(!b.rows[2].cover->isVisible());
    f.press('1');
    QVERIFY(b.rows[0].cover->isVisible());
    QCOMPARE(b.Label17->text(), QStringLiteral("00"));
    QCOMPARE(b.Label19->text(), QStringLiteral("40"));

    f.type("s2");
    QCOMPARE(b.Label17->text(), QStringLiteral("30"));
}

// Short answers get the large type, longer ones the smaller; the type follows the answer
// each time the row is revealed.
void Reveal::answerTypeSize() {
    const QString thirty(30, QChar('a'));
    const QString thirtyOne(31, QChar('b'));
    BoardFixture f;
    QVERIFY(startOnCard(f, {thirty + QStringLiteral(",60"), thirtyOne + QStringLiteral(",40")}));
    BoardView b(*f.board);
    f.type("12");
    QCOMPARE(b.rows[0].answer->text(), thirty);
    QCOMPARE(b.rows[0].answer->font().pointSize(), 24);
    QCOMPARE(b.rows[1].answer->text(), thirtyOne);
    QCOMPARE(b.rows[1].answer->font().pointSize(), 18);

    f.type("s2");
    QCOMPARE(b.rows[1].answer->text(), QStringLiteral("Dos"));
    QCOMPARE(b.rows[1].answer->font().pointSize(), 24);
}

// Keys 1 to 5, X and H act only while a question shows in the game view.
void Reveal::keysNeedAQuestionOnTheBoard() {
    BoardFixture f(1);
    QVERIFY(f.start());
    BoardView b(*f.board);

    f.type("12345xnh");
    QVERIFY(f.sound.calls.isEmpty());
    QCOMPARE(b->state().StrikeCount, 0);
    QVERIFY(!b.Timer9->isActive());
    QVERIFY(!b.Timer1->isActive());

    f.press('s');
    b->splashTick();
    f.press('g');
    QVERIFY(b.Image2->isVisible());
    f.sound.clear();
    f.type("1xh");
    QVERIFY(f.sound.calls.isEmpty());
    QVERIFY(b.rows[0].points->text() == QLatin1String("0"));
    QCOMPARE(b->state().StrikeCount, 0);
    QVERIFY(!b.Timer9->isActive());

    f.type("g1");
    QVERIFY(!b.rows[0].cover->isVisible());
    QCOMPARE(b.Label17->text(), QStringLiteral("40"));
}

// A card whose second answer was left blank shows an empty row worth nothing; points that
// are no number report the error and leave the row covered, and the pot keeps working.
void Reveal::blankAndBrokenAnswerLines() {
    BoardFixture f;
    f.folder.writeRound(3, QStringLiteral("Pregunta 3"), {QStringLiteral("Solo")});
    QVERIFY(startOnCard(f, {QStringLiteral("Uno,100"), QStringLiteral(","), QStringLiteral(","),
                            QStringLiteral(","), QStringLiteral(",")}));
    BoardView b(*f.board);

    f.type("12");
    QVERIFY(!b.rows[1].cover->isVisible());
    QVERIFY(b.rows[1].answer->text().isEmpty());
    QCOMPARE(b.rows[1].points->text(), QStringLiteral("0"));
    QCOMPARE(b.Label17->text(), QStringLiteral("100"));
    QVERIFY(f.dialogs.shown.isEmpty());

    f.folder.writeRound(2, QStringLiteral("Pregunta 2"),
                        {QStringLiteral("Uno,4O"), QStringLiteral("Dos,30")});
    f.type("s1");
    QCOMPARE(f.dialogs.errors().size(), 1);
    QVERIFY(b.rows[0].cover->isVisible());
    QCOMPARE(b.rows[0].points->text(), QStringLiteral("0"));
    f.press('2');
    QCOMPARE(b.Label17->text(), QStringLiteral("30"));
    QCOMPARE(f.dialogs.errors().size(), 1);

    // A line without points (never written by the editor) is an answer worth nothing.
    f.press('s');
    f.type("12");
    QCOMPARE(b.rows[0].answer->text(), QStringLiteral("Solo"));
    QCOMPARE(b.Label17->text(), QStringLiteral("0"));
    QCOMPARE(f.dialogs.errors().size(), 1);
}

void Reveal::pointsAnAnswerCannotCarry_data() {
    QTest::addColumn<QString>("points");
    QTest::addColumn<QString>("why");  // empty: the answer is revealed
    const QString notANumber = QStringLiteral("'%1' no es un valor entero válido");
    const QString tooMany = QStringLiteral("los puntos %1 pasan del máximo de 99999.");
    QTest::newRow("the largest") << "99999" << QString();
    QTest::newRow("letters") << "12abc" << notANumber.arg("12abc");
    QTest::newRow("one past the largest") << "100000" << tooMany.arg("100000");
    QTest::newRow("past 32 bits") << "2147483648" << tooMany.arg("2147483648");
    QTest::newRow("sixty thousand digits")
        << QString(60000, QChar('7')) << tooMany.arg(QString(39, QChar('7')) + QChar(0x2026));
    QTest::newRow("negative") << "-5" << QStringLiteral("los puntos -5 no pueden ser negativos.");
}

// Points no answer can carry never reach the pot: the message names the card and its line
// and quotes no more than the start of the value; the row stays covered.
void Reveal::pointsAnAnswerCannotCarry() {
    QFETCH(QString, points);
    QFETCH(QString, why);
    BoardFixture f;
    QVERIFY(startOnCard(f, {QStringLiteral("Uno,") + points, QStringLiteral("Dos,30")}));
    BoardView b(*f.board);

    f.press('1');
    if (why.isEmpty()) {
        QCOMPARE(b.Label17->text(), points);
        QVERIFY(f.dialogs.shown.isEmpty());
        return;
    }
    QCOMPARE(f.dialogs.errors(),
             QStringList{QStringLiteral("\"%1\", línea 2 (respuesta 1): ")
                             .arg(f.folder.file(QStringLiteral("Rondas/ronda1.txt"))) +
                         why});
    QVERIFY(b.rows[0].cover->isVisible());
    f.press('2');
    QCOMPARE(b.Label17->text(), QStringLiteral("30"));
}

// Strikes count 1, 2, 3, 1 on a card, each with its picture for one second on both
// windows; N shows its own picture without counting. Nothing blinks.
void Reveal::strikesCycleThroughTheirPictures() {
    BoardFixture f;
    QVERIFY(startOnCard(f, test::standardAnswers()));
    BoardView b(*f.board);

    for (const int count : {1, 2, 3, 1}) {
        f.sound.clear();
        f.press('x');
        QCOMPARE(b->state().StrikeCount, count);
        QVERIFY(b.Image1->isVisible());
        QCOMPARE(b.Image1->image(), art::strikeMarks(count));
        QVERIFY(f.control.pictureShown);
        QCOMPARE(f.control.picture, art::strikeMarks(count));
        QCOMPARE(f.sound.effects(), played(effects::kWrong));
        QVERIFY(b.Timer1->isActive());
        QCOMPARE(b.Timer1->interval(), 1000);
        QVERIFY(!b.Timer2->isActive());
        QVERIFY(!b.SpeedButton2->isEnabled());
        b->splashTick();
        QVERIFY(!b.Image1->isVisible());
        QVERIFY(!f.control.pictureShown);
        QVERIFY(b.SpeedButton2->isEnabled());
    }

    f.sound.clear();
    f.press('n');
    QCOMPARE(b->state().StrikeCount, 1);
    QCOMPARE(b.Image1->image(), art::notOnBoardMark());
    QCOMPARE(f.sound.effects(), played(effects::kWrong));
    QVERIFY(!b.SpeedButton2->isEnabled());
    b->splashTick();

    f.press('s');
    QCOMPARE(b->state().StrikeCount, 0);
    f.press('x');
    QCOMPARE(b->state().StrikeCount, 1);
}

// A strike cuts a start splash short to one second. While it shows, X on the board is
// ignored; a press from the control window still counts.
void Reveal::strikeDuringSplash() {
    BoardFixture f(1);
    QVERIFY(f.start());
    BoardView b(*f.board);

    f.press('s');
    QVERIFY(b.Timer1->isActive());
    QCOMPARE(b.Timer1->interval(), 3000);
    f.sound.clear();
    f.press('x');
    QCOMPARE(b.Timer1->interval(), 1000);
    QVERIFY(b.Timer1->isActive());
    QCOMPARE(b.Image1->image(), art::strikeMarks(1));
    f.press('x');
    QCOMPARE(b->state().StrikeCount, 1);
    QCOMPARE(f.sound.effects(), played(effects::kWrong));

    b.SpeedButton2->press();
    QCOMPARE(b->state().StrikeCount, 2);
    QCOMPARE(b.Image1->image(), art::strikeMarks(2));

    QVERIFY(!b.Timer2->isActive());
    b->splashTick();
    QVERIFY(b.SpeedButton2->isEnabled());
    QVERIFY(b.SpeedButton10->isEnabled());
    f.press('x');
    QCOMPARE(b->state().StrikeCount, 3);

    // The next card's splash runs its full three seconds again.
    f.press('s');
    QVERIFY(b.Timer1->isActive());
    QCOMPARE(b.Timer1->interval(), 3000);
    QVERIFY(b.Timer2->isActive());
}

// A strike picture that is missing or cannot be read shows the built-in one; the strike
// still counts, sounds and ends, and X is pressed again afterwards.
void Reveal::missingOrBrokenStrikePictures() {
    BoardFixture f;
    QImage own(120, 60, QImage::Format_RGB32);
    own.fill(Qt::red);
    QDir().mkpath(f.folder.file(QStringLiteral("Imagen/Pictures")));
    QVERIFY(own.save(f.folder.file(QStringLiteral("Imagen/Pictures/equis1.bmp")), "BMP"));
    f.folder.writeBytes(QStringLiteral("Imagen/Pictures/equis2.bmp"), "no es una imagen");
    QVERIFY(startOnCard(f, test::standardAnswers()));
    BoardView b(*f.board);

    f.press('x');
    QCOMPARE(b.Image1->image().size(), own.size());
    b->splashTick();
    for (const int count : {2, 3}) {
        f.sound.clear();
        f.press('x');
        QCOMPARE(b->state().StrikeCount, count);
        QVERIFY(b.Image1->isVisible());
        QCOMPARE(b.Image1->image(), art::strikeMarks(count));
        QCOMPARE(f.sound.effects(), played(effects::kWrong));
        QVERIFY(b.Timer1->isActive());
        b->splashTick();
        QVERIFY(b.SpeedButton2->isEnabled());
    }
    f.press('n');
    QCOMPARE(b.Image1->image(), art::notOnBoardMark());
    QVERIFY(f.dialogs.shown.isEmpty());
}

// H: the digits 5 to 1 a second apart, a strike at five seconds unless an answer is
// revealed first, and the display emptied at the sixth second.
void Reveal::timedQuestion() {
    BoardFixture f;
    QVERIFY(startOnCard(f, test::standardAnswers()));
    BoardView b(*f.board);
    const auto ticks = [&b](int count) {
        QStringList shown;
        for (int i = 0; i < count; ++i) {
            b->countdownTick();
            shown << b.Label53->text();
        }
        return shown;
    };

    f.press('h');
    QVERIFY(b.Timer9->isActive());
    QCOMPARE(b.Timer9->interval(), 5000);
    QVERIFY(b.Timer10->isActive());
    QCOMPARE(ticks(5), (QStringList{"5", "4", "3", "2", "1"}));
    QCOMPARE(f.control.countdown, QStringLiteral("1"));
    b->autoStrikeTick();
    QVERIFY(!b.Timer9->isActive());
    QCOMPARE(b->state().StrikeCount, 1);
    QCOMPARE(b.Image1->image(), art::strikeMarks(1));
    QCOMPARE(f.sound.effects(), played(effects::kWrong));
    QCOMPARE(ticks(1), QStringList{QString()});
    QVERIFY(!b.Timer10->isActive());
    QVERIFY(f.control.countdown.isEmpty());
    b->splashTick();

    // A reveal takes the strike out; the digits run on. H again starts from 5.
    f.press('h');
    QCOMPARE(ticks(2), (QStringList{"5", "4"}));
    f.press('2');
    QVERIFY(!b.Timer9->isActive());
    QVERIFY(b.Timer10->isActive());
    QCOMPARE(ticks(1), QStringList{"3"});
    f.press('h');
    QVERIFY(b.Timer9->isActive());
    QCOMPARE(ticks(6), (QStringList{"5", "4", "3", "2", "1", ""}));

    // A manual X does not cancel it: both strikes count, the automatic one although the
    // board's X is still disabled.
    f.type("hx");
    QVERIFY(b.Timer9->isActive());
    QVERIFY(!b.SpeedButton2->isEnabled());
    b->autoStrikeTick();
    QCOMPARE(b->state().StrikeCount, 3);
    b->splashTick();

    // A click on the frame cancels it too; the digits run on to their end.
    f.press('h');
    QTest::mouseClick(b.Image13, Qt::LeftButton);
    QVERIFY(!b.Timer9->isActive());
    QCOMPARE(ticks(5).last(), QStringLiteral("1"));
    QCOMPARE(f.control.countdown, QStringLiteral("1"));
    ticks(1);
    QVERIFY(f.control.countdown.isEmpty());
    QCOMPARE(b->state().StrikeCount, 3);
}

// What the audience sees, painted with the shipped pictures: a question with two answers
// up, and a strike over it.
void Reveal::screenshots() {
    const QString shipped = qEnvironmentVariable("VELTA_PROGRAM_DIR");
    if (shipped.isEmpty() || qEnvironmentVariableIsEmpty("VELTA_BUILD_DIR")) {
        QSKIP("VELTA_PROGRAM_DIR and VELTA_BUILD_DIR come from CTest");
    }
    BoardFixture f;
    copyTree(shipped + QStringLiteral("/Imagen"), f.folder.file(QStringLiteral("Imagen")));
    QVERIFY(startOnCard(f, {QStringLiteral("Bloqueador solar,38"), QStringLiteral("Toalla,27"),
                            QStringLiteral("Pelota inflable para la arena,16"),
                            QStringLiteral("Sombrilla de colores del hotel,11"),
                            QStringLiteral("Lentes de sol,8")}));
    BoardView b(*f.board);
    b.Label16->setText(QStringLiteral("Menciona algo que llevas a la playa"));
    f.type("12");
    QCOMPARE(b.Label17->text(), QStringLiteral("65"));

    QVERIFY(test::saveScreenshot(&b.board, QStringLiteral("question_two_revealed.png")));
    f.press('x');
    QVERIFY(b.Image1->isVisible());
    const QImage strike = b->grab().toImage();
    QVERIFY(test::saveScreenshot(strike, QStringLiteral("strike.png")));
    // The board shows around the X: the picture's flat background is see-through.
    const QPoint corner = b.Image1->mapTo(&b.board, QPoint(2, 2));
    QVERIFY(strike.pixelColor(corner) != QColor(Qt::black));
}

QTEST_MAIN(Reveal)
#include "tst_reveal.moc"
