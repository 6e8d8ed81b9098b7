// The two voices: what the commands ask of the sound output, and how the real Qt voices
// behave on a PulseAudio null sink of the test's own (replacing, looping, the bank's close
// before open, the bank's files kept ready, key D, missing files, the start-up warm-up).

#include <QElapsedTimer>
#include <QTest>

#include "AudioFixtures.h"
#include "RecordingSoundOutput.h"
#include "TempProgramFolder.h"
#include "UnitHelpers.h"
#include "platform/ProgramFolder.h"
#include "sound/QtSoundOutput.h"
#include "sound/Sound.h"

using velta::programPath;
using velta::test::columns;
using namespace velta::effects;

namespace {

const QString kShortA = QStringLiteral("Audio\\WAV\\short-a.wav");
const QString kShortB = QStringLiteral("Audio\\WAV\\short-b.wav");
const QString kBankA = QStringLiteral("Audio/EFFECTS/bank-a.wav");
const QString kBankB = QStringLiteral("Audio/EFFECTS/bank-b.wav");

}  // namespace

class TestSound : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void commandsPlayProgramFolderPaths();

    void newEffectReplacesTheLoop();
    void quickRepeatsKeepTheVoiceAlive();
    void missingEffectIsSilentAndReturnsAtOnce();
    void bankOpenClosesWhatWasOpen_data();
    void bankOpenClosesWhatWasOpen();
    void keptBankFilesAreCheckedAndStartAtOnce_data();
    void keptBankFilesAreCheckedAndStartAtOnce();
    void bankSoundOutlastsItsDecodedStart();
    void keyDSilencesBothRealVoices();
    void warmUpLoadsEffectsAfterConstruction();

  private:
    // The warm-up of a show, every fixed effect in place.
    void warmUp(velta::QtSoundOutput& sound) const {
        for (const QString& effect : velta::allEffects()) {
            folder_->writeBytes(effect, velta::test::toneWav(440, 0.1));
        }
        sound.warmUp();
    }

    velta::test::PrivatePulseAudio pulse_;
    std::unique_ptr<velta::test::TempProgramFolder> folder_;
};

void TestSound::initTestCase() {
    const QString problem = pulse_.start();
    if (!problem.isEmpty()) {
        QFAIL(qPrintable(QStringLiteral("no PulseAudio server for the real voices: ") + problem));
    }
}

void TestSound::init() {
    folder_ = std::make_unique<velta::test::TempProgramFolder>();
    folder_->writeBytes(kShortA, velta::test::toneWav(880, 0.2));
    folder_->writeBytes(kShortB, velta::test::toneWav(660, 0.2));
    folder_->writeBytes(kIntro, velta::test::toneWav(440, 0.3, 1));
    folder_->writeBytes(kBankA, velta::test::toneWav(330, 6.0));
    folder_->writeBytes(kBankB, velta::test::toneWav(220, 6.0));
}

void TestSound::cleanup() {
    velta::setSoundOutput(nullptr);
    folder_.reset();
}

void TestSound::commandsPlayProgramFolderPaths() {
    velta::test::RecordingSoundOutput sound;
    velta::PlayEffectLooped(kIntro);
    velta::PlayEffect(kAnswer);
    velta::StopEffects();
    velta::PlayBankFile(folder_->path() + QStringLiteral("\\Audio\\EFFECTS\\Aplausos.mp3"));
    velta::CloseBank();
    velta::StopAllSound();  // key D: the effects first, then the bank

    const QString root = folder_->path() + QLatin1Char('/');
    QCOMPARE(sound.calls,
             (QStringList{
                 QStringLiteral("loop:") + root + "Audio/WAV/intro.wav",
                 QStringLiteral("effect:") + root + "Audio/WAV/Respuesta en Tablero.wav",
                 QStringLiteral("stop"),
                 QStringLiteral("bank:") + root + "Audio/EFFECTS/Aplausos.mp3",
                 QStringLiteral("close"),
                 QStringLiteral("stop"),
                 QStringLiteral("close"),
             }));
    QCOMPARE(sound.lastEffect(), programPath(kAnswer));
    QVERIFY(!sound.lastEffectLooped());
}

// The intro loops until the first other effect; that effect plays once, and an effect
// played once after having looped does not loop again.
void TestSound::newEffectReplacesTheLoop() {
    velta::QtSoundOutput sound;
    velta::setSoundOutput(&sound);
    const velta::EffectChannel& voice = sound.effects();

    velta::PlayEffectLooped(kIntro);
    QTRY_COMPARE(voice.playing(), programPath(kIntro));
    QVERIFY(voice.looping());
    QTest::qWait(800);  // well past the 0.3 s file: still heard
    QCOMPARE(voice.playing(), programPath(kIntro));

    velta::PlayEffect(kShortA);
    QCOMPARE(voice.playing(), programPath(kShortA));
    QVERIFY(!voice.looping());
    QTRY_VERIFY(voice.playing().isEmpty());  // played once and ended by itself

    velta::PlayEffect(kIntro);
    QCOMPARE(voice.playing(), programPath(kIntro));
    QVERIFY(!voice.looping());
    QTRY_VERIFY(voice.playing().isEmpty());

    velta::PlayEffectLooped(kShortB);
    QTRY_COMPARE(voice.playing(), programPath(kShortB));
    velta::StopEffects();
    QVERIFY(voice.playing().isEmpty());
}

// Keys pressed in quick succession (answers revealed one after another, a held key) stop
// and restart the same effects within milliseconds; afterwards the effects must still
// play to their end, not hang silent.
void TestSound::quickRepeatsKeepTheVoiceAlive() {
    velta::QtSoundOutput sound;
    velta::setSoundOutput(&sound);
    const velta::EffectChannel& voice = sound.effects();
    sound.preloadEffect(programPath(kShortA));
    sound.preloadEffect(programPath(kShortB));
    QTRY_VERIFY(voice.isLoaded(programPath(kShortA)) && voice.isLoaded(programPath(kShortB)));

    for (int i = 0; i < 20; ++i) {
        velta::PlayEffect(i % 3 ? kShortA : kShortB);
        QTest::qWait(15);
    }
    QTRY_VERIFY_WITH_TIMEOUT(voice.playing().isEmpty(), 3000);
    for (const QString& effect : {kShortA, kShortB}) {
        velta::PlayEffect(effect);
        QCOMPARE(voice.playing(), programPath(effect));
        QTRY_VERIFY_WITH_TIMEOUT(voice.playing().isEmpty(), 3000);
    }
}

// A missing effect is heard as nothing, still replaces what played, never blocks, and is
// heard once the file is back.
void TestSound::missingEffectIsSilentAndReturnsAtOnce() {
    velta::QtSoundOutput sound;
    velta::setSoundOutput(&sound);
    const velta::EffectChannel& voice = sound.effects();
    const QString missing = QStringLiteral("Audio\\WAV\\No esta.wav");

    velta::PlayEffectLooped(kIntro);
    QTRY_COMPARE(voice.playing(), programPath(kIntro));
    QElapsedTimer clock;
    clock.start();
    velta::PlayEffect(missing);
    QVERIFY2(clock.elapsed() < 100, qPrintable(QString::number(clock.elapsed())));
    QTest::qWait(300);
    QVERIFY(voice.playing().isEmpty());

    folder_->writeBytes(missing, velta::test::toneWav(500, 0.2));
    velta::PlayEffect(missing);
    QTRY_COMPARE(voice.playing(), programPath(missing));
}

void TestSound::bankOpenClosesWhatWasOpen_data() {
    columns<QString, QString>("next", "heard");
    QTest::newRow("another file") << kBankB << kBankB;
    QTest::newRow("the same file again") << kBankA << kBankA;
    QTest::newRow("empty name") << QString() << QString();
    QTest::newRow("missing file") << QStringLiteral("Audio/EFFECTS/gone.mp3") << QString();
    QTest::newRow("unknown format") << QStringLiteral("Audio/EFFECTS/notes.wma") << QString();
}

// Opening a bank file closes the one that was open first, so a file that cannot be opened
// leaves the voice silent; the voice then still plays the next good file.
void TestSound::bankOpenClosesWhatWasOpen() {
    QFETCH(QString, next);
    QFETCH(QString, heard);
    folder_->writeBytes(QStringLiteral("Audio/EFFECTS/notes.wma"), "not a sound file\r\n");
    velta::QtSoundOutput sound;
    velta::setSoundOutput(&sound);
    const velta::BankChannel& bank = sound.bank();
    const auto full = [](const QString& relative) {
        return relative.isEmpty() ? QString() : programPath(relative);
    };

    velta::PlayBankFile(full(kBankA));
    QTRY_COMPARE(bank.playing(), full(kBankA));
    velta::PlayBankFile(full(next));
    QTRY_COMPARE_WITH_TIMEOUT(bank.playing(), full(heard), 3000);
    QTest::qWait(300);
    QCOMPARE(bank.playing(), full(heard));

    velta::PlayBankFile(full(kBankA));
    QTRY_COMPARE(bank.playing(), full(kBankA));
    velta::CloseBank();
    QVERIFY(bank.playing().isEmpty());
}

void TestSound::keptBankFilesAreCheckedAndStartAtOnce_data() {
    columns<QString, bool>("file", "playable");
    QTest::newRow("wav") << kBankA << true;
    QTest::newRow("the shipped mp3") << QStringLiteral("Audio/EFFECTS/Aplausos.mp3") << true;
    QTest::newRow("no sound inside") << QStringLiteral("Audio/EFFECTS/notes.wma") << false;
    QTest::newRow("empty") << QStringLiteral("Audio/EFFECTS/vacio.mp3") << false;
}

// Once warmed up, the voice reads the start of every file kept ready and says whether it
// can play it; a ready file is playing the moment its key returns.
void TestSound::keptBankFilesAreCheckedAndStartAtOnce() {
    QFETCH(QString, file);
    QFETCH(bool, playable);
    QFile shipped(qEnvironmentVariable("VELTA_PROGRAM_DIR") + "/Audio/EFFECTS/Aplausos.mp3");
    QVERIFY(shipped.open(QIODevice::ReadOnly));
    folder_->writeBytes(QStringLiteral("Audio/EFFECTS/Aplausos.mp3"), shipped.readAll());
    folder_->writeBytes(QStringLiteral("Audio/EFFECTS/notes.wma"), "not a sound file\r\n");
    folder_->writeBytes(QStringLiteral("Audio/EFFECTS/vacio.mp3"), QByteArray());
    velta::QtSoundOutput sound;
    velta::setSoundOutput(&sound);
    QList<std::pair<QString, bool>> checked;
    sound.setBankFileChecked([&checked](const QString& path, bool ok) {
        checked.append({path, ok});
    });

    sound.keepBankFilesReady({programPath(file)});
    warmUp(sound);
    QTRY_COMPARE_WITH_TIMEOUT(
        checked, (QList<std::pair<QString, bool>>{{programPath(file), playable}}), 10000);
    QCOMPARE(sound.bank().isReady(programPath(file)), playable);
    velta::PlayBankFile(programPath(file));
    QCOMPARE(sound.bank().playing(), playable ? programPath(file) : QString());
}

// A key while another bank sound plays replaces it at once; the sound goes on past its
// decoded start to the file's end, and a file let go while it plays is heard on until the
// next key.
void TestSound::bankSoundOutlastsItsDecodedStart() {
    const QString shortFile = programPath(QStringLiteral("Audio/EFFECTS/corto.wav"));
    folder_->writeBytes(QStringLiteral("Audio/EFFECTS/corto.wav"), velta::test::toneWav(500, 2.5));
    velta::QtSoundOutput sound;
    velta::setSoundOutput(&sound);
    sound.keepBankFilesReady({programPath(kBankA), shortFile});
    warmUp(sound);
    QTRY_VERIFY_WITH_TIMEOUT(
        sound.bank().isReady(programPath(kBankA)) && sound.bank().isReady(shortFile), 10000);

    velta::PlayBankFile(programPath(kBankA));
    QCOMPARE(sound.bank().playing(), programPath(kBankA));
    velta::PlayBankFile(shortFile);
    QCOMPARE(sound.bank().playing(), shortFile);
    QTest::qWait(1800);
    QCOMPARE(sound.bank().playing(), shortFile);
    QTRY_VERIFY_WITH_TIMEOUT(sound.bank().playing().isEmpty(), 3000);

    velta::PlayBankFile(programPath(kBankA));
    sound.keepBankFilesReady({shortFile});
    QVERIFY(!sound.bank().isReady(programPath(kBankA)));
    QTest::qWait(300);
    QCOMPARE(sound.bank().playing(), programPath(kBankA));
    velta::CloseBank();
    QVERIFY(sound.bank().playing().isEmpty());
}

// Key D during a looping effect and a bank sound: both fall silent; the bank sound plays
// over the effect until then.
void TestSound::keyDSilencesBothRealVoices() {
    velta::QtSoundOutput sound;
    velta::setSoundOutput(&sound);
    velta::PlayBankFile(programPath(kBankA));
    velta::PlayEffectLooped(kIntro);
    QTRY_COMPARE(sound.bank().playing(), programPath(kBankA));
    QTRY_COMPARE(sound.effects().playing(), programPath(kIntro));

    velta::StopAllSound();
    QVERIFY(sound.effects().playing().isEmpty());
    QVERIFY(sound.bank().playing().isEmpty());
    QTest::qWait(300);
    QVERIFY(sound.effects().playing().isEmpty());
    QVERIFY(sound.bank().playing().isEmpty());
}

// Creating the output makes neither voice's heavy parts; warmUp() loads every fixed effect
// and the media voice in later event-loop steps, the intro first.
void TestSound::warmUpLoadsEffectsAfterConstruction() {
    for (const QString& effect : velta::allEffects()) {
        folder_->writeBytes(effect, velta::test::toneWav(440, 0.1));
    }
    velta::QtSoundOutput sound;
    QVERIFY(!sound.bank().isCreated());
    sound.warmUp();
    QVERIFY(!sound.bank().isCreated());
    QVERIFY(!sound.effects().isLoaded(programPath(kIntro)));

    QTRY_VERIFY(sound.effects().isLoaded(programPath(kIntro)));
    QTRY_VERIFY(sound.bank().isCreated());
    for (const QString& effect : velta::allEffects()) {
        QTRY_VERIFY2(sound.effects().isLoaded(programPath(effect)), qPrintable(effect));
    }
}

QTEST_MAIN(TestSound)
#include "tst_sound.moc"
