// Where the show is kept and how a show folder is filled from the program folder: a program
// folder that can be written keeps its show, an installed one fills the user's folder, an
// update adds only what the show never had, and a copy cut short is finished at the next
// start without a half-copied file ever taking a real name.

#include <sys/stat.h>
#include <QDirIterator>
#include <QTemporaryDir>
#include <QtTest>

#include "TempProgramFolder.h"
#include "UnitHelpers.h"
#include "app/ShowFolder.h"
#include "content/TextFiles.h"
#include "packs/ShowLock.h"
#include "platform/FileMoves.h"
#include "platform/ProgramFolder.h"

using namespace velta;
using namespace velta::test;

namespace {

// Lets the first `allowed` renames through, then fails every one, as a power cut would
// stop the copy.
class CutShortMoves : public FileMoves {
  public:
    explicit CutShortMoves(int allowed) : allowed_(allowed) {}
    bool move(const QString& from, const QString& to) override {
        return allowed_-- > 0 && FileMoves::move(from, to);
    }

  private:
    int allowed_;
};

void write(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
}

QByteArray read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// Every file below a folder, relative, sorted.
QStringList filesBelow(const QString& folder) {
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        files << QDir(folder).relativeFilePath(it.next());
    }
    files.sort();
    return files;
}

// A program folder as installed: the program beside its shipped show, pictures and sounds.
void layOutProgram(const QString& program) {
    write(program + "/velta", "program");
    write(program + "/Rondas/ronda1.txt", "¿Primera?");
    write(program + "/Rondas/ronda2.txt", "¿Segunda?");
    write(program + "/RondasBoda/ronda1.txt", "¿Boda?");
    write(program + "/Config/Leeme.txt", "config");
    QDir().mkpath(program + "/MisRondas");
    write(program + "/Imagen/Titles/portada1.jpg", "picture");
    write(program + "/Audio/WAV/intro.wav", "sound");
}

const QStringList kShippedShow = {"Config/ArchivosIncluidos.txt", "Config/Leeme.txt",
                                  "Rondas/ronda1.txt", "Rondas/ronda2.txt",
                                  "RondasBoda/ronda1.txt"};

}  // namespace

class ShowFolderTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void cleanup() { setFileMoves(nullptr); }
    void whereTheShowIsKept_data();
    void whereTheShowIsKept();
    void firstStartCopiesTheShowButNotThePicturesAndSounds();
    void anUpdateAddsWhatIsNewAndKeepsTheOperatorsFiles();
    void aCopyCutShortIsFinishedAtTheNextStart();
    void aRequestedFolderIsFilledOnlyWhenItIsTheProgramsToFill_data();
    void aRequestedFolderIsFilledOnlyWhenItIsTheProgramsToFill();
    void aShowFolderThatCannotBeWrittenIsReadAndNeverWritten();
    void picturesAndSoundsComeFromTheShowFirstThenTheProgram();
};

void ShowFolderTest::whereTheShowIsKept_data() {
    columns<QString, QString>("kind", "expected");
    row("program folder that can be written", "writable", "program");
    row("installed program folder", "installed", "user");
    row("program folder of another user", "read-only", "user");
    row("folder asked for", "requested", "requested");
}

void ShowFolderTest::whereTheShowIsKept() {
    QFETCH(QString, kind);
    QFETCH(QString, expected);
    QTemporaryDir root;
    const QString program = root.filePath("program");
    const QString user = root.filePath("home/.local/share/VELTA");
    const QString requested = root.filePath("usb/show");
    layOutProgram(program);
    chmod(QFile::encodeName(root.path()).constData(), 0777);
    if (kind == "installed") {
        write(program + '/' + kInstalledMarkerFile, "");
    }
    if (kind == "read-only") {
        // The program folder is root's; the user may write only the home folder.
        QDir().mkpath(root.filePath("home"));
        chmod(QFile::encodeName(root.filePath("home")).constData(), 0777);
    }
    const QStringList programFiles = filesBelow(program);

    ShowPlace place;
    ShowLock lock;
    const auto placeIt = [&] {
        place = placeShow(program, kind == "requested" ? requested : QString(), user, lock);
    };
    if (kind == "read-only") {
        asShowUser(placeIt);
    } else {
        placeIt();
    }

    const QString folder = expected == "program" ? program : expected == "user" ? user : requested;
    QCOMPARE(place.folder, folder + '/');
    QVERIFY(place.writable);
    QCOMPARE(place.problem, QString());
    QVERIFY(lock.held());
    QCOMPARE(filesBelow(program).size(), programFiles.size() + (expected == "program" ? 1 : 0));
    QCOMPARE(QFileInfo::exists(user), expected == "user");
    if (expected != "program") {
        QCOMPARE(filesBelow(folder), QStringList(kShippedShow) << "VELTA.lock");
    }
}

void ShowFolderTest::firstStartCopiesTheShowButNotThePicturesAndSounds() {
    QTemporaryDir program;
    QTemporaryDir show;
    layOutProgram(program.path());

    fillShowFolder(program.path(), show.path());

    QCOMPARE(filesBelow(show.path()), kShippedShow);
    QVERIFY(QFileInfo(show.filePath("MisRondas")).isDir());
    QCOMPARE(read(show.filePath("Rondas/ronda2.txt")), read(program.filePath("Rondas/ronda2.txt")));
    QVERIFY(QFileInfo(show.filePath("Rondas/ronda1.txt")).isWritable());
}

void ShowFolderTest::anUpdateAddsWhatIsNewAndKeepsTheOperatorsFiles() {
    QTemporaryDir program;
    QTemporaryDir show;
    layOutProgram(program.path());
    fillShowFolder(program.path(), show.path());
    // The operator edits one question, removes another and a whole theme folder.
    write(show.filePath("Rondas/ronda1.txt"), "¿La mía?");
    QVERIFY(QFile::remove(show.filePath("Rondas/ronda2.txt")));
    QVERIFY(QDir(show.filePath("RondasBoda")).removeRecursively());
    // The update changes a question, adds one, a theme folder and a question to the removed one.
    write(program.filePath("Rondas/ronda1.txt"), "¿Primera, corregida?");
    write(program.filePath("Rondas/ronda3.txt"), "¿Tercera?");
    write(program.filePath("RondasBoda/ronda2.txt"), "¿Boda 2?");
    write(program.filePath("RondasNuevas/ronda1.txt"), "¿Nueva?");

    fillShowFolder(program.path(), show.path());

    QCOMPARE(read(show.filePath("Rondas/ronda1.txt")), QByteArray("¿La mía?"));
    QVERIFY(!QFileInfo::exists(show.filePath("Rondas/ronda2.txt")));
    QVERIFY(!QFileInfo::exists(show.filePath("RondasBoda")));
    QCOMPARE(read(show.filePath("Rondas/ronda3.txt")), QByteArray("¿Tercera?"));
    QCOMPARE(read(show.filePath("RondasNuevas/ronda1.txt")), QByteArray("¿Nueva?"));
}

void ShowFolderTest::aCopyCutShortIsFinishedAtTheNextStart() {
    QTemporaryDir program;
    QTemporaryDir show;
    layOutProgram(program.path());
    CutShortMoves cut(2);
    setFileMoves(&cut);

    QVERIFY(caught<FileError>([&] { fillShowFolder(program.path(), show.path()); }));
    setFileMoves(nullptr);
    // Whatever took a real name is whole; the rest is missing, not half there.
    for (const QString& file : filesBelow(show.path())) {
        if (!file.endsWith(".copiando") && file != kShippedListFile) {
            QCOMPARE(read(show.filePath(file)), read(program.filePath(file)));
        }
    }
    QVERIFY(filesBelow(show.path()).size() < kShippedShow.size());
    // A power cut leaves the file being copied under its temporary name.
    for (const QString& file : kShippedShow.mid(1)) {
        if (!QFileInfo::exists(show.filePath(file))) {
            write(show.filePath(file + ".copiando"), "half");
            break;
        }
    }

    fillShowFolder(program.path(), show.path());

    QCOMPARE(filesBelow(show.path()), kShippedShow);
    for (const QString& file : kShippedShow.mid(1)) {
        QCOMPARE(read(show.filePath(file)), read(program.filePath(file)));
    }
}

void ShowFolderTest::aRequestedFolderIsFilledOnlyWhenItIsTheProgramsToFill_data() {
    columns<QString, bool>("holds", "filled");
    row("nothing", "", true);
    row("a show of its own", "Rondas/ronda7.txt", false);
    row("a show filled before", "Config/ArchivosIncluidos.txt", true);
}

void ShowFolderTest::aRequestedFolderIsFilledOnlyWhenItIsTheProgramsToFill() {
    QFETCH(QString, holds);
    QFETCH(bool, filled);
    QTemporaryDir program;
    QTemporaryDir usb;
    layOutProgram(program.path());
    QDir().mkpath(usb.filePath("Vacia"));
    if (!holds.isEmpty()) {
        write(usb.filePath(holds), "");
    }
    ShowLock lock;

    const ShowPlace place = placeShow(program.path(), usb.path(), QString(), lock);

    QCOMPARE(place.folder, usb.path() + '/');
    QCOMPARE(place.problem, QString());
    QCOMPARE(QFileInfo::exists(usb.filePath("RondasBoda/ronda1.txt")), filled);
}

void ShowFolderTest::aShowFolderThatCannotBeWrittenIsReadAndNeverWritten() {
    QTemporaryDir root;
    const QString program = root.filePath("program");
    layOutProgram(program);
    // The user's data folder lies on a disk the user may not write.
    const QString locked = root.filePath("locked");
    QDir().mkpath(locked + "/Existente/Rondas");
    chmod(QFile::encodeName(root.path()).constData(), 0755);
    chmod(QFile::encodeName(locked).constData(), 0555);
    chmod(QFile::encodeName(locked + "/Existente").constData(), 0555);

    ShowPlace missing;
    ShowPlace existing;
    asShowUser([&] {
        ShowLock lock;
        missing = placeShow(program, locked + "/VELTA", QString(), lock);
        existing = placeShow(program, locked + "/Existente", QString(), lock);
    });

    QCOMPARE(missing.folder, program + '/');
    QVERIFY(!missing.writable);
    QVERIFY2(missing.problem.contains(QDir::toNativeSeparators(locked + "/VELTA/")),
             qPrintable(missing.problem));
    QCOMPARE(existing.folder, locked + "/Existente/");
    QVERIFY(!existing.writable);
    QVERIFY(existing.problem.contains(QDir::toNativeSeparators(locked + "/Existente/")));

    // Saves below it are skipped without a word; elsewhere they still happen.
    setProgramFolder(program);
    setShowFolder(missing.folder, missing.writable);
    const QString outside = root.filePath("elsewhere.txt");
    writeTextFile(programPath("Rondas/ronda1.txt"), "¿Cambiada?");
    writeTextFile(outside, "x");
    setProgramFolder(program);
    QCOMPARE(read(program + "/Rondas/ronda1.txt"), QByteArray("¿Primera?"));
    QVERIFY(QFileInfo::exists(outside));
}

void ShowFolderTest::picturesAndSoundsComeFromTheShowFirstThenTheProgram() {
    QTemporaryDir program;
    QTemporaryDir show;
    layOutProgram(program.path());
    write(show.filePath("Imagen/Titles/propia.jpg"), "own");
    setProgramFolder(program.path());
    setShowFolder(show.path());

    QCOMPARE(mediaPath("Imagen\\Titles\\propia.jpg"), show.filePath("Imagen/Titles/propia.jpg"));
    QCOMPARE(mediaPath("Imagen\\Titles\\portada1.jpg"),
             program.filePath("Imagen/Titles/portada1.jpg"));
    // A stored path from another computer finds the file in either folder.
    QCOMPARE(portablePath("C:\\VELTA\\Imagen\\Titles\\propia.jpg"),
             show.filePath("Imagen/Titles/propia.jpg"));
    QCOMPARE(portablePath("C:\\VELTA\\Audio\\WAV\\intro.wav"),
             program.filePath("Audio/WAV/intro.wav"));
    QCOMPARE(programPath("Config/Titulo.txt"), show.filePath("Config/Titulo.txt"));
    setProgramFolder(program.path());
}

QTEST_GUILESS_MAIN(ShowFolderTest)
#include "tst_showfolder.moc"
