// The room without a network: what each page's state holds after each change of the game,
// that the audience's never holds an answer before it is uncovered nor what the options
// hide, the room code and host secret with their wait after wrong tries, and the room's
// settings file.
#include <QJsonArray>
#include <QJsonDocument>
#include <QtTest>
#include <functional>

#include "TempProgramFolder.h"
#include "UnitHelpers.h"
#include "editing/RoomSettings.h"
#include "game/Game.h"
#include "room/QrImage.h"
#include "room/RoomAccess.h"
#include "room/RoomState.h"

using namespace velta;
using velta::test::columns;

namespace {

const QString kSaved = QStringLiteral("asfzcx345");
const QString kOnAtStart = QStringLiteral("sfzcx345");
const QStringList kAnswers{QStringLiteral("Manzana"), QStringLiteral("Pera"), QStringLiteral("Uva"),
                           QStringLiteral("Melón")};
const QString kQuestion = QStringLiteral("Una fruta de verano");

RoundCard fruitCard() {
    return {kQuestion,
            {QStringLiteral("Manzana,40"), QStringLiteral("Pera,30"), QStringLiteral("Uva,20"),
             QStringLiteral("Melón,10"), QString()}};
}

void startGame(Game& g) {
    g.putUpCard(RoundKind::Normal, 7, fruitCard(), QStringLiteral("r7"));
    g.setGameView(true);
}

QString text(const QJsonValue& v) {
    return QString::fromUtf8(QJsonDocument(v.toObject()).toJson(QJsonDocument::Compact));
}

QStringList rowStates(const QJsonObject& state) {
    QStringList out;
    for (const auto& r : state.value(QStringLiteral("rows")).toArray()) {
        out << r.toObject().value(QStringLiteral("state")).toString();
    }
    return out;
}

using Change = std::function<void(Game&)>;

}  // namespace

Q_DECLARE_METATYPE(Change)

class RoomTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void eachChangeReachesEachPage_data();
    void eachChangeReachesEachPage();
    void audienceNeverHoldsAHiddenAnswer();
    void optionsHideQuestionAndScores();
    void onlyChangedMembersAreSent();
    void typedFastMoneyReachesTheHostOnly();
    void codeAndSecret();
    void wrongTriesMakeAnAddressWait();
    void settingsFile_data();
    void settingsFile();
    void qrCodeHasItsQuietZoneAndGrowsWithItsText();
};

void RoomTest::eachChangeReachesEachPage_data() {
    // The member of each page's state that must change, and its value there afterwards.
    columns<Change, QString, QString, QString>("change", "member", "audience", "host");
    const auto row = [](const char* name, Change c, const char* member, const char* audience,
                        const char* host) {
        QTest::newRow(name) << c << QString::fromLatin1(member) << QString::fromUtf8(audience)
                            << QString::fromUtf8(host);
    };
    row(
        "uncover 2", [](Game& g) { g.setUncovered(2, true); }, "rows",
        R"([{"state":"covered"},{"points":"30","state":"open","text":"Pera"},{"state":"covered"},{"state":"covered"},{"state":"blank"}])",
        R"([{"open":false,"points":"40","text":"Manzana"},{"open":true,"points":"30","text":"Pera"},{"open":false,"points":"20","text":"Uva"},{"open":false,"points":"10","text":"Melón"},{"open":false,"points":"0","text":""}])");
    row(
        "pot after uncover", [](Game& g) { g.setUncovered(1, true); }, "pot", R"("40")", R"("40")");
    row(
        "strike", [](Game& g) { g.strike(); }, "strikes", "1", "1");
    row(
        "double", [](Game& g) { g.setMultiplier(true, false); }, "multiplier", "2", "2");
    row(
        "triple", [](Game& g) { g.setMultiplier(false, true); }, "multiplier", "3", "3");
    row(
        "award left",
        [](Game& g) {
            g.setUncovered(1, true);
            g.award(game::Side::Left, 1);
        },
        "scores", R"(["40","00"])", R"(["40","00"])");
    row(
        "cover view", [](Game& g) { g.setGameView(false); }, "view", R"("cover")", R"("cover")");
    row(
        "fast money",
        [](Game& g) {
            g.setFastMoneyBoardShown(true);
            g.showFastMoneyAnswer(1, QStringLiteral("Perro"));
            g.showFastMoneyScore(1, QStringLiteral("33"));
        },
        "fastMoney",
        R"({"answers":["Perro","","","","","","","","",""],"scores":["33","","","","","","","","",""]})",
        R"({"answers":["Perro","","","","","","","","",""],"scores":["33","","","","","","","","",""]})");
    row(
        "clock", [](Game& g) { g.setCountdown(3); }, "countdown", "3", "3");
}

void RoomTest::eachChangeReachesEachPage() {
    QFETCH(Change, change);
    QFETCH(QString, member);
    QFETCH(QString, audience);
    QFETCH(QString, host);
    Game g(kSaved, kOnAtStart);
    startGame(g);
    const GameSettings settings;
    const QJsonObject audienceBefore = audienceState(g, settings);
    const QJsonObject hostBefore = hostState(g, settings);
    change(g);
    const QJsonObject audienceAfter = audienceState(g, settings);
    const QJsonObject hostAfter = hostState(g, settings);
    const auto compact = [](const QJsonValue& v) {
        return QString::fromUtf8(QJsonDocument(QJsonArray{v}).toJson(QJsonDocument::Compact))
            .mid(1)
            .chopped(1);
    };
    QVERIFY(stateChanges(audienceBefore, audienceAfter).contains(member));
    QVERIFY(stateChanges(hostBefore, hostAfter).contains(member));
    QCOMPARE(compact(audienceAfter.value(member)), audience);
    QCOMPARE(compact(hostAfter.value(member)), host);
}

void RoomTest::audienceNeverHoldsAHiddenAnswer() {
    // A whole scripted game: after every step, no answer still covered is anywhere in what
    // the audience would receive, and the host has every answer throughout.
    Game g(kSaved, kOnAtStart);
    const GameSettings settings;
    const QList<Change> steps{
        [](Game& x) { x.putUpCard(RoundKind::Normal, 7, fruitCard(), QStringLiteral("r7")); },
        [](Game& x) { x.setGameView(true); },
        [](Game& x) { x.setUncovered(3, true); },
        [](Game& x) { x.strike(); },
        [](Game& x) { x.setMultiplier(true, false); },
        [](Game& x) { x.setUncovered(1, true); },
        [](Game& x) { x.strike(); },
        [](Game& x) { x.award(game::Side::Right, 2); },
        [](Game& x) { x.setUncovered(3, false); },
        [](Game& x) { x.setGameView(false); },
        [](Game& x) { x.setGameView(true); },
        [](Game& x) { x.setUncovered(4, true); },
    };
    QJsonObject last;
    for (int i = 0; i < steps.size(); ++i) {
        steps[i](g);
        const QJsonObject now = audienceState(g, settings);
        const QString sent = text(stateChanges(last, now)) + text(now);
        last = now;
        for (int row = 1; row <= 4; ++row) {
            const bool shouldShow = g.gameView() && g.uncovered(row);
            QCOMPARE(sent.contains(kAnswers[row - 1]), shouldShow);
        }
        if (g.hasCard()) {
            QVERIFY(text(hostState(g, settings)).contains(kAnswers[1]));
        }
    }
}

void RoomTest::optionsHideQuestionAndScores() {
    Game g(kSaved, kOnAtStart);
    startGame(g);
    g.setUncovered(1, true);
    g.award(game::Side::Left, 1);
    GameSettings settings;
    QCOMPARE(audienceState(g, settings).value(QStringLiteral("question")).toString(), kQuestion);
    QCOMPARE(audienceState(g, settings).value(QStringLiteral("pot")).toString(),
             QStringLiteral("00"));
    settings.hideQuestion = true;
    settings.hideScores = true;
    const QJsonObject hidden = audienceState(g, settings);
    QVERIFY(!text(hidden).contains(kQuestion));
    QVERIFY(hidden.value(QStringLiteral("pot")).isNull());
    QVERIFY(hidden.value(QStringLiteral("scores")).isNull());
    // The host keeps both.
    QVERIFY(text(hostState(g, settings)).contains(kQuestion));
    QCOMPARE(hostState(g, settings).value(QStringLiteral("scores")).toArray().at(0).toString(),
             QStringLiteral("40"));
}

void RoomTest::onlyChangedMembersAreSent() {
    Game g(kSaved, kOnAtStart);
    startGame(g);
    const GameSettings settings;
    const QJsonObject before = audienceState(g, settings);
    QVERIFY(stateChanges(before, audienceState(g, settings)).isEmpty());
    g.strike();
    const QJsonObject changes = stateChanges(before, audienceState(g, settings));
    QCOMPARE(changes.keys(), QStringList{QStringLiteral("strikes")});
    QCOMPARE(rowStates(before), (QStringList{QStringLiteral("covered"), QStringLiteral("covered"),
                                             QStringLiteral("covered"), QStringLiteral("covered"),
                                             QStringLiteral("blank")}));
}

// The host reads the operator's fast-money fields as they are typed; the audience sees an
// answer only once "»" puts it on the board.
void RoomTest::typedFastMoneyReachesTheHostOnly() {
    Game g(kSaved, kOnAtStart);
    startGame(g);
    g.setFastMoneyBoardShown(true);
    const GameSettings settings;
    const QJsonObject audienceBefore = audienceState(g, settings);
    g.typeFastMoneyAnswer(3, QStringLiteral("Jirafa"));
    g.typeFastMoneyScore(3, QStringLiteral("417"));
    const QJsonObject typed = hostState(g, settings).value(QStringLiteral("typed")).toObject();
    QCOMPARE(typed.value(QStringLiteral("answers")).toArray().at(2).toString(),
             QStringLiteral("Jirafa"));
    QCOMPARE(typed.value(QStringLiteral("scores")).toArray().at(2).toString(),
             QStringLiteral("417"));
    const QJsonObject audience = audienceState(g, settings);
    QVERIFY(stateChanges(audienceBefore, audience).isEmpty());
    QVERIFY(!text(audience).contains(QStringLiteral("Jirafa")));
    QVERIFY(!text(audience).contains(QStringLiteral("417")));
    g.showFastMoneyAnswer(3, g.typedAnswer(3));
    QVERIFY(text(audienceState(g, settings)).contains(QStringLiteral("Jirafa")));
    QVERIFY(!text(audienceState(g, settings)).contains(QStringLiteral("417")));
}

void RoomTest::codeAndSecret() {
    RoomAccess access;
    access.open({});
    QVERIFY(isRoomCode(access.code()));
    QCOMPARE(access.hostSecret().size(), 32);
    const QString firstSecret = access.hostSecret();
    const QHostAddress a(QStringLiteral("192.168.1.20"));
    using P = RoomAccess::Page;
    using V = RoomAccess::Verdict;
    QCOMPARE(access.check(a, P::Audience, access.code()), V::Allowed);
    QCOMPARE(access.check(a, P::Host, access.hostSecret()), V::Allowed);
    // Neither opens the other's page.
    QCOMPARE(access.check(a, P::Host, access.code()), V::Refused);
    QCOMPARE(access.check(a, P::Audience, access.hostSecret()), V::Refused);
    QCOMPARE(access.check(a, P::Audience, QString()), V::Refused);
    access.open(QStringLiteral("123456"));
    QCOMPARE(access.code(), QStringLiteral("123456"));
    QVERIFY(access.hostSecret() != firstSecret);
    access.open(QStringLiteral("12345"));
    QVERIFY(access.code() != QLatin1String("12345"));
}

void RoomTest::wrongTriesMakeAnAddressWait() {
    qint64 now = 1000;
    RoomAccess access([&now] { return now; });
    access.open(QStringLiteral("424242"));
    using P = RoomAccess::Page;
    using V = RoomAccess::Verdict;
    const QHostAddress a(QStringLiteral("10.0.0.5"));
    const QHostAddress b(QStringLiteral("10.0.0.6"));
    for (int i = 0; i < RoomAccess::kWrongTries; ++i) {
        QCOMPARE(access.check(a, P::Audience, QStringLiteral("000000")), V::Refused);
    }
    QCOMPARE(access.check(a, P::Audience, QStringLiteral("424242")), V::Waiting);
    QCOMPARE(access.check(a, P::Host, access.hostSecret()), V::Waiting);
    QCOMPARE(access.check(b, P::Audience, QStringLiteral("424242")), V::Allowed);
    now += RoomAccess::kWaitMs - 1;
    QCOMPARE(access.check(a, P::Audience, QStringLiteral("424242")), V::Waiting);
    now += 1;
    QCOMPARE(access.check(a, P::Audience, QStringLiteral("424242")), V::Allowed);
    // A right code forgets the wrong ones before it.
    for (int i = 0; i < RoomAccess::kWrongTries - 1; ++i) {
        access.check(b, P::Audience, QStringLiteral("1"));
    }
    QCOMPARE(access.check(b, P::Audience, QStringLiteral("424242")), V::Allowed);
    QCOMPARE(access.check(b, P::Audience, QStringLiteral("1")), V::Refused);
    QCOMPARE(access.check(b, P::Audience, QStringLiteral("424242")), V::Allowed);
}

void RoomTest::settingsFile_data() {
    columns<QByteArray, int, bool, QString>("file", "port", "openAtStart", "code");
    const auto row = [](const char* name, const char* file, int port, bool open, const char* code) {
        QTest::newRow(name) << QByteArray(file) << port << open << QString::fromLatin1(code);
    };
    row("all set", "9000\r\n1\r\n012345\r\n", 9000, true, "012345");
    row("closed", "9000\r\n0\r\n\r\n", 9000, false, "");
    row("no port", "x\r\n1\r\n", 8080, true, "");
    row("port too big", "70000\r\n", 8080, false, "");
    row("short code", "8081\r\n1\r\n1234\r\n", 8081, true, "");
    row("letters in code", "8081\r\nsi\r\n12a456\r\n", 8081, false, "");
}

void RoomTest::settingsFile() {
    QFETCH(QByteArray, file);
    QFETCH(int, port);
    QFETCH(bool, openAtStart);
    QFETCH(QString, code);
    velta::test::TempProgramFolder folder;
    QCOMPARE(readRoomSettings(), RoomSettings());
    folder.writeBytes(kRoomFile, file);
    const RoomSettings read = readRoomSettings();
    QCOMPARE(read.port, port);
    QCOMPARE(read.openAtStart, openAtStart);
    QCOMPARE(read.fixedCode, code);
    writeRoomSettings(read);
    QCOMPARE(readRoomSettings(), read);
}

void RoomTest::qrCodeHasItsQuietZoneAndGrowsWithItsText() {
    const QImage small =
        qrImage(QStringLiteral("http://192.168.1.2:8080/tablero?codigo=123456"), 1);
    const QImage big = qrImage(QStringLiteral("http://192.168.1.2:8080/presentador?clave=") +
                                   QString(32, QLatin1Char('a')),
                               4);
    QVERIFY(!small.isNull());
    QCOMPARE(small.width(), small.height());
    // Modules plus the quiet zone, and a longer text takes more modules.
    QVERIFY(big.width() / 4 > small.width());
    QCOMPARE(small.pixelColor(0, 0), QColor(Qt::white));
}

QTEST_GUILESS_MAIN(RoomTest)
#include "tst_room.moc"
