// The face-off without a window: its rules, the phones' clock estimate, and when the
// buttons decide.
#include <QSignalSpy>
#include <QtTest>

#include "UnitHelpers.h"
#include "game/Buzzers.h"
#include "game/FaceOff.h"
#include "game/PhoneClock.h"

using namespace velta;
using velta::test::columns;

using Links = QList<QPair<double, double>>;

namespace {

// A face-off written as steps: "a" arms, "d" decides, "c" clears, "name@time/team" presses.
void play(FaceOff& f, const QString& steps) {
    for (const QString& step : steps.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (step == QLatin1String("a")) {
            f.arm();
        } else if (step == QLatin1String("d")) {
            f.decide();
        } else if (step == QLatin1String("c")) {
            f.clear();
        } else {
            const QStringList parts = step.split(QRegularExpression(QStringLiteral("[@/]")));
            f.press({parts[0], parts.value(2).toInt(), parts[0], parts[1].toDouble(), false});
        }
    }
}

QString pressList(const FaceOff& f) {
    QStringList out;
    for (const BuzzerPress& p : f.presses()) {
        out << (p.falseStart ? QStringLiteral("!") : QString()) + p.device;
    }
    return out.join(QLatin1Char(' '));
}

}  // namespace

class FaceOffTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void rules_data();
    void rules();
    void phoneClock_data();
    void phoneClock();
    void buttonsDecideAtOnceAndPhonesAreWaitedFor();
    void seatsAndClearing();
};

void FaceOffTest::rules_data() {
    columns<QString, QString, QString>("steps", "winner", "presses");
    const auto row = [](const char* name, const char* steps, const char* winner,
                        const char* presses) {
        QTest::newRow(name) << QString::fromLatin1(steps) << QString::fromLatin1(winner)
                            << QString::fromLatin1(presses);
    };
    row("the only press", "a ana@10 d", "ana", "ana");
    row("by the time made, not by arrival", "a beto@50/1 ana@20 d", "ana", "ana beto");
    row("nothing counts before a decision", "a ana@10", "", "ana");
    row("not armed, no decision", "d", "", "");
    row("a false start locks its device out", "beto@5/1 a beto@6/1 ana@30 d", "ana", "!beto ana");
    row("each device once", "a ana@10 ana@5 beto@8/1 d", "beto", "beto ana");
    row("a late press after the decision changes nothing", "a ana@10 d beto@1/1", "ana",
        "ana beto");
    row("clearing forgets the lock", "beto@5/1 c a beto@6/1 d", "beto", "beto");
    row("deciding twice keeps the first", "a ana@10 d d", "ana", "ana");
}

void FaceOffTest::rules() {
    QFETCH(QString, steps);
    QFETCH(QString, winner);
    QFETCH(QString, presses);
    FaceOff f;
    play(f, steps);
    QCOMPARE(f.winner() ? f.winner()->device : QString(), winner);
    QCOMPARE(pressList(f), presses);
}

// One phone whose clock runs `offset` ms ahead of the program's, syncing over a link of the
// given one-way delays (a list of exchanges), then pressing at program time 1000 with the
// press delayed by `pressDelay` and claiming `claimed` (NaN: its true time).
void FaceOffTest::phoneClock_data() {
    columns<Links, double, double, double>("exchanges", "pressDelay", "claimedShift", "expected");
    QTest::newRow("symmetric") << Links{{10, 10}, {12, 12}, {10, 10}} << 10.0 << 0.0 << 1000.0;
    // Half the asymmetry cannot be seen: the press looks later by (30 - 10) / 2.
    QTest::newRow("asymmetric") << Links{{30, 10}, {30, 10}} << 30.0 << 0.0 << 1010.0;
    QTest::newRow("a queued exchange does not count")
        << Links{{10, 10}, {150, 10}, {10, 10}} << 10.0 << 0.0 << 1000.0;
    QTest::newRow("a spike at the press") << Links{{10, 10}} << 55.0 << 0.0 << 1000.0;
    // Claiming half a second early gains only up to the bound: arrival - round trip - margin.
    QTest::newRow("a forged early time")
        << Links{{10, 10}} << 10.0 << -500.0 << 1010.0 - 20.0 - PhoneClock::kMarginMs;
    QTest::newRow("a time from the future is its arrival")
        << Links{{10, 10}} << 10.0 << 400.0 << 1010.0;
}

void FaceOffTest::phoneClock() {
    QFETCH(Links, exchanges);
    QFETCH(double, pressDelay);
    QFETCH(double, claimedShift);
    QFETCH(double, expected);
    const double offset = 123456.0;
    PhoneClock clock;
    QVERIFY(!clock.known());
    double t = 0;
    for (const auto& [up, down] : exchanges) {
        // The program sends at t; the phone answers on arrival; the answer comes back.
        clock.exchange(t, t + down + offset, t + down + up);
        t += 250;
    }
    QVERIFY(clock.known());
    const double phoneTime = 1000 + offset + claimedShift;
    QCOMPARE(clock.programTime(phoneTime, 1000 + pressDelay), expected);
}

void FaceOffTest::buttonsDecideAtOnceAndPhonesAreWaitedFor() {
    double now = 0;
    Buzzers b([&now] { return now; });
    QSignalSpy decided(&b, &Buzzers::decided);

    // Buttons only: the first press decides at once; a press before L is nothing.
    b.pressButton(0);
    QVERIFY(b.faceOff().presses().isEmpty());
    b.toggle();
    b.pressButton(1);
    QCOMPARE(decided.count(), 1);
    QCOMPARE(b.faceOff().winner()->device, Buzzers::kRightButton);

    // A phone present on a slow link (round trip 300 ms) is waited for past the 150 ms.
    b.toggle();
    b.toggle();
    b.phoneJoined(QStringLiteral("p1"));
    b.phoneSynced(QStringLiteral("p1"), now - 300, 5000);
    b.pressButton(0);
    QCOMPARE(decided.count(), 1);
    now = 200;
    QTest::qWait(260);
    QCOMPARE(decided.count(), 1);
    // Its press made 100 ms before the button's arrives and wins.
    b.phonePressed(QStringLiteral("p1"), 1, QStringLiteral("Ana"), 5000 + 150 - 100 + 0);
    QCOMPARE(decided.count(), 2);
    QCOMPARE(b.faceOff().winner()->player, QStringLiteral("Ana"));

    // A phone that does not press holds the decision only as long as its link could take.
    b.toggle();
    b.toggle();
    now = 10000;
    b.pressButton(0);
    QTRY_COMPARE_WITH_TIMEOUT(decided.count(), 3, int(Buzzers::kLongestWaitMs) + 500);
}

void FaceOffTest::seatsAndClearing() {
    double now = 0;
    Buzzers b([&now] { return now; });
    const QString ana = QStringLiteral("ana");
    const QString beto = QStringLiteral("beto");
    b.phoneJoined(ana);
    b.phoneJoined(beto);
    QCOMPARE(b.seat(ana), Buzzers::Seat::Wait);
    b.phonePressed(beto, 1, beto, 0);
    QCOMPARE(b.seat(beto), Buzzers::Seat::Locked);
    b.toggle();
    QCOMPARE(b.seat(ana), Buzzers::Seat::Go);
    QCOMPARE(b.seat(beto), Buzzers::Seat::Locked);
    QCOMPARE(b.syncIntervalMs(), Buzzers::kArmedSyncMs);
    // Every phone present that can press has: no need to wait.
    b.phonePressed(ana, 0, ana, 0);
    QCOMPARE(b.faceOff().phase(), FaceOff::Phase::Decided);
    QCOMPARE(b.seat(ana), Buzzers::Seat::First);
    b.toggle();
    QCOMPARE(b.seat(beto), Buzzers::Seat::Wait);
    QCOMPARE(b.syncIntervalMs(), Buzzers::kIdleSyncMs);
}

QTEST_GUILESS_MAIN(FaceOffTest)
#include "tst_faceoff.moc"
