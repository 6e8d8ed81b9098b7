// Theme packs: which entries a pack may hold, the manifest, installing all or nothing without
// overwriting anything, the catalogue, velta-pack and the command-line install.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <cstdio>
#include <thread>

#include <sys/wait.h>
#include <unistd.h>

#include "Fifo.h"
#include "PackFixtures.h"
#include "TempProgramFolder.h"
#include "UnitHelpers.h"
#include "content/TextFiles.h"
#include "editing/GameSettings.h"
#include "editing/Presets.h"
#include "packs/Catalogue.h"
#include "packs/InstallCommand.h"
#include "packs/InstalledPacks.h"
#include "packs/PackBuilder.h"
#include "packs/PackInstall.h"
#include "packs/ShowLock.h"
#include "platform/FileMoves.h"
#include "platform/ProgramFolder.h"

using namespace velta;
using velta::test::columns;
using velta::test::PackFiles;
using velta::test::row;
using velta::test::ZipEntry;

Q_DECLARE_METATYPE(velta::test::ZipEntry)

namespace {

const QString kFiestaEntry = QStringLiteral("Fiesta Patria (15 de septiembre)");
const QString kManifestTooLarge = QStringLiteral("el manifiesto tema.txt pasa de 64 KB");

QStringList lines(const QByteArray& bytes) {
    return splitLines(decodeText(bytes));
}

// What an install should say was wrong, and that it changed nothing.
QString refusal(const std::function<void()>& install) {
    try {
        install();
    } catch (const std::exception& e) {
        return QString::fromStdString(e.what());
    }
    return QStringLiteral("(se instaló)");
}

// Moves that fail from the n-th on, as a full disk or a file held open would make them.
class FailingMoves : public FileMoves {
  public:
    explicit FailingMoves(int failFrom) : failFrom_(failFrom) {}
    bool move(const QString& from, const QString& to) override {
        return ++calls_ < failFrom_ && FileMoves::move(from, to);
    }

  private:
    int failFrom_;
    int calls_ = 0;
};

// Moves folders as asked, and the process dies right after the n-th, the way a power cut or
// a killed process stops an install.
class KilledAfterFolderMove : public FileMoves {
  public:
    explicit KilledAfterFolderMove(int n) : n_(n) {}
    bool moveFolder(const QString& from, const QString& to) override {
        const bool moved = FileMoves::moveFolder(from, to);
        if (++calls_ == n_) {
            ::kill(::getpid(), SIGKILL);
        }
        return moved;
    }

  private:
    int n_;
    int calls_ = 0;
};

QString readAll(FILE* stream) {
    std::rewind(stream);
    QByteArray bytes(4096, '\0');
    bytes.resize(qsizetype(std::fread(bytes.data(), 1, size_t(bytes.size()), stream)));
    return QString::fromLocal8Bit(bytes);
}

}  // namespace

class PacksTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void init();
    void cleanup();

    void entryPaths_data();
    void entryPaths();
    void manifest_data();
    void manifest();
    void craftedPacks_data();
    void craftedPacks();
    void installsAndUpdatesAPack();
    void keepsWhatIsThere();
    void failureTakesEverythingBack_data();
    void failureTakesEverythingBack();
    void shippedThemesPack_data();
    void shippedThemesPack();
    void catalogue();
    void versionOrder_data();
    void versionOrder();
    void commandLine();
    void packFilesThatAreNoPack_data();
    void packFilesThatAreNoPack();
    void packTool();
    void packerMeasuresAsTheInstaller_data();
    void packerMeasuresAsTheInstaller();
    void staleStagingLinkIsRemovedNotFollowed();
    void installCutShortIsTakenBack_data();
    void installCutShortIsTakenBack();

  private:
    QString zip(const QString& name, const QList<ZipEntry>& entries) {
        const QString path = work_->filePath(name);
        velta::test::writeZip(path, entries);
        return path;
    }
    QString fiestaZip(const QString& version = QStringLiteral("1")) {
        return zip(QStringLiteral("fiesta-%1.zip").arg(version),
                   velta::test::packEntries(velta::test::fiestaPack(version), version));
    }

    std::unique_ptr<velta::test::TempProgramFolder> folder_;
    std::unique_ptr<QTemporaryDir> work_;  // packs live outside the program folder
};

void PacksTest::init() {
    folder_ = std::make_unique<velta::test::TempProgramFolder>();
    work_ = std::make_unique<QTemporaryDir>();
}

void PacksTest::cleanup() {
    setFileMoves(nullptr);
    folder_.reset();
    work_.reset();
}

void PacksTest::entryPaths_data() {
    // The clean path expected, or "!" and the reason it is refused.
    columns<QString, bool, QString>("raw", "folder", "expected");
    row("cover", "Imagen/Titles/a.jpg", false, "Imagen/Titles/a.jpg");
    row("any case, either separator", "imagen\\titles\\a.JPG", false, "Imagen/Titles/a.JPG");
    row("question", "RondasBoda/ronda1.txt", false, "RondasBoda/ronda1.txt");
    row("version at the top", "Boda.vlt", false, "Boda.vlt");
    row("manifest in capitals", "TEMA.TXT", false, "tema.txt");
    row("dot segment", "./Audio/EFFECTS/x.mp3", false, "Audio/EFFECTS/x.mp3");
    row("folder entry", "Imagen/Frames/", true, "Imagen/Frames");
    row("climbs out", "RondasBoda/../../x.txt", false, "!sale de la carpeta del programa");
    row("absolute", "/etc/passwd", false, "!es una ruta absoluta");
    row("drive letter", "C:\\Windows\\a.jpg", false, "!es una ruta absoluta");
    row("the default rounds folder", "Rondas/ronda1.txt", false, "!fuera de las carpetas");
    row("removed questions", "RondasBoda/borrado/ronda1a.txt", false, "!fuera de las carpetas");
    row("board pictures", "Imagen/Pictures/fondo.bmp", false, "!fuera de las carpetas");
    row("fixed effects", "Audio/WAV/intro.wav", false, "!fuera de las carpetas");
    row("the program", "velta", false, "!fuera de las carpetas");
    row("a program among covers", "Imagen/Titles/a.exe", false, "!no es de un tipo");
    row("device name", "Audio/EFFECTS/NUL.mp3", false, "!no es válido");
    row("stream name", "Imagen/Titles/a.jpg:oculto", false, "!no es válido");
    row("a 300-character name", "Imagen/Titles/" + QString(296, 'a') + ".jpg", false,
        "!tiene un nombre de más de 120 caracteres");
    row("a control character", "Imagen/Titles/a\tb.jpg", false, "!lleva caracteres de control");
    row("a mark that turns the text", QStringLiteral("Imagen/Titles/fiesta\u202Egpj.jpg"), false,
        "!lleva caracteres de control o marcas de dirección del texto en el nombre");
}

void PacksTest::entryPaths() {
    QFETCH(QString, raw);
    QFETCH(bool, folder);
    QFETCH(QString, expected);
    QString got;
    try {
        got = checkEntryPath(raw, folder).path;
    } catch (const PackError& e) {
        got = QStringLiteral("!") + e.message();
    }
    QVERIFY2(expected.startsWith('!') ? got.contains(expected.mid(1)) : got == expected,
             qPrintable(got));
    // A message never echoes what would hide in it or turn it round.
    for (const QChar c : got) {
        QVERIFY2(c.unicode() >= 0x20 && c.unicode() != 0x202E, qPrintable(got));
    }
}

void PacksTest::manifest_data() {
    const QString sha(64, 'a');
    columns<QStringList, QString>("manifest", "problem");  // no problem: read as written
    const QStringList head{"boda-2024", "1.2", "Boda"};
    QTest::newRow("good") << head + QStringList{"RondasBoda/ronda1.txt|10|" + sha,
                                                "Audio/EFFECTS/Sal, pimienta.mp3|20|" + sha}
                          << "";
    QTest::newRow("id with capitals") << QStringList{"Boda", "1", "Boda"} << "línea 1";
    QTest::newRow("no version") << QStringList{"boda", "", "Boda"} << "línea 2";
    QTest::newRow("no entry text") << QStringList{"boda", "1"} << "línea 3";
    QTest::newRow("short hash") << head + QStringList{"Boda.vlt|20|abc"} << "línea 4";
    QTest::newRow("size not a number") << head + QStringList{"Boda.vlt|-1|" + sha} << "línea 4";
    QTest::newRow("no fields") << head + QStringList{"Boda.vlt"} << "línea 4";
    QTest::newRow("a path refused") << head + QStringList{"../x.vlt|1|" + sha} << "sale de";
    QTest::newRow("twice") << head + QStringList{"Boda.vlt|1|" + sha, "boda.VLT|1|" + sha}
                           << "repite";
    QTest::newRow("more than may be unpacked")
        << head + QStringList{"Audio/EFFECTS/a.mp3|400000000|" + sha,
                              "Audio/EFFECTS/b.mp3|400000000|" + sha}
        << "pasaría de";
    QStringList thousand = head;
    for (int n = 1; n <= kMostPackEntries; ++n) {
        thousand << QStringLiteral("Audio/EFFECTS/%1.mp3|1|%2").arg(n).arg(sha);
    }
    QTest::newRow("1000 files and the manifest") << thousand << "pasaría de 1000 archivos";
    QTest::newRow("a question file larger than the show reads")
        << head + QStringList{"RondasBoda/ronda1.txt|70000|" + sha}
        << "la línea 4 del manifiesto tema.txt declara \"RondasBoda/ronda1.txt\" de más de 64 KB";
    // The record of installed packs keeps version and entry text in a line of its own.
    QTest::newRow("a version of 60 KB")
        << QStringList{"boda", QString(60 * 1024, '9'), "Boda"}
        << "la línea 2 del manifiesto tema.txt da la versión de más de 200 caracteres";
    QTest::newRow("an entry text of 201 characters")
        << QStringList{"boda", "1", QString(201, 'B')}
        << "la línea 3 del manifiesto tema.txt da el nombre del tema de más de 200 caracteres";
    QTest::newRow("a bar in the version")
        << QStringList{"boda", "1|/etc", "Boda"}
        << "la línea 2 del manifiesto tema.txt lleva \"|\" en la versión";
    QTest::newRow("a bar in the entry text")
        << QStringList{"boda", "1", "Boda|Fiesta"}
        << "la línea 3 del manifiesto tema.txt lleva \"|\" en el nombre del tema";
    QTest::newRow("a mark in the entry text")
        << QStringList{"boda", "1", QStringLiteral("Boda\u202Eadob")}
        << "la línea 3 del manifiesto tema.txt lleva caracteres de control en el nombre del tema";
}

void PacksTest::manifest() {
    QFETCH(QStringList, manifest);
    QFETCH(QString, problem);
    const QString got = refusal([&manifest] {
        const PackManifest m = parseManifest(manifest);
        QCOMPARE(manifestLines(m), manifest);
        QCOMPARE(m.files.value(1).path, QStringLiteral("Audio/EFFECTS/Sal, pimienta.mp3"));
        QCOMPARE(m.totalSize(), 30);
    });
    if (problem.isEmpty()) {
        QCOMPARE(got, QStringLiteral("(se instaló)"));
    } else {
        QVERIFY2(got.contains(problem), qPrintable(got));
    }
}

void PacksTest::craftedPacks_data() {
    // Outside: a path the pack aims at, which must not appear.
    columns<QList<ZipEntry>, QString, QString>("entries", "reason", "outside");

    const PackFiles good = velta::test::fiestaPack();
    const QList<ZipEntry> honest = velta::test::packEntries(good);
    const auto with = [&honest](const ZipEntry& extra) { return honest + QList<ZipEntry>{extra}; };
    const auto changed = [&honest](const QString& path, const std::function<void(ZipEntry&)>& how) {
        QList<ZipEntry> entries = honest;
        for (ZipEntry& e : entries) {
            if (e.path == path) {
                how(e);
            }
        }
        return entries;
    };
    const auto withFile = [&good](const QString& path, const QByteArray& content) {
        PackFiles files = good;
        files[path] = content;
        return velta::test::packEntries(files);
    };
    const QString escape = QStringLiteral("RondasFiestaPatria/../../velta-fuera.txt");
    row("an entry that climbs out with ../", with({escape, "fuera"}),
        "sale de la carpeta del programa", "../velta-fuera.txt");
    row("an absolute path", with({QDir::tempPath() + "/velta-fuera.txt", "fuera"}),
        "es una ruta absoluta", QDir::tempPath() + "/velta-fuera.txt");
    row("a symbolic link",
        with({"Imagen/Titles/enlace.jpg", {}, ZipEntry::Kind::Symlink, "/etc/passwd"}),
        "es un enlace", "");
    row("outside the allowed folders", withFile("Imagen/Pictures/fondo.bmp", "BM"),
        "fuera de las carpetas", "");
    row("a size bomb",
        changed("Audio/EFFECTS/Grito.mp3",
                [](ZipEntry& e) {
                    e.content.clear();
                    e.zeros = 64LL * 1024 * 1024;
                }),
        "ocupa más de lo que declara el manifiesto", "");
    row("more entries than any pack",
        honest + QList<ZipEntry>(kMostPackEntries, {"Imagen/", {}, ZipEntry::Kind::Folder}),
        "más de 1000 entradas", "");
    row("a file changed after the manifest",
        changed("RondasFiestaPatria/ronda2.txt", [](ZipEntry& e) { e.content[0] = 'X'; }),
        "no coincide con el manifiesto", "");
    row("an entry the manifest does not declare", with({"Imagen/Titles/extra.jpg", "x"}),
        "no está en el manifiesto", "");
    row("no manifest", honest.mid(1), "no trae el manifiesto", "");
    row("a version pointing outside",
        withFile("Fiesta Patria.vlt", "T\r\n\r\n\r\n../../x.jpg\r\n\r\n\r\nRondasFiestaPatria\r\n"),
        "línea 4 de la versión", "");
    row("a bank naming a sound it does not bring", withFile("Fiesta.bso", "C:\\Sonidos\\x.mp3\r\n"),
        "línea 1 del banco", "");
    row("a manifest over 64 KB",
        changed("tema.txt", [](ZipEntry& e) { e.content += QByteArray(64 * 1024, '\n'); }),
        kManifestTooLarge, "");
}

// Whatever a crafted pack aims at, it is refused with the reason and the program folder
// stays byte for byte as it was.
void PacksTest::craftedPacks() {
    QFETCH(QList<ZipEntry>, entries);
    QFETCH(QString, reason);
    QFETCH(QString, outside);
    folder_->writeBytes(QStringLiteral("Imagen/Titles/portada1.jpg"), "portada");
    const auto before = velta::test::snapshot(folder_->path());
    const QString pack = zip(QStringLiteral("malo.zip"), entries);
    const QString got = refusal([&pack] { installPack(pack); });
    QVERIFY2(got.contains(reason), qPrintable(got));
    QCOMPARE(velta::test::snapshot(folder_->path()), before);
    if (!outside.isEmpty()) {
        QVERIFY(!QFile::exists(QDir(folder_->path()).filePath(outside)));
    }
}

// A pack comes in whole, and what an install cut short left behind goes: its media, its
// questions, its version and bank with this computer's full paths, and a record of its version. The
// same pack again changes nothing; a new version keeps the questions it replaces.
void PacksTest::installsAndUpdatesAPack() {
    folder_->writeBytes(QStringLiteral(".instalando-tema-Ab12Cd/RondasX/ronda1.txt"), "cut short");
    const PackFiles files = velta::test::fiestaPack();
    qint64 lastDone = 0;
    qint64 total = -1;
    const PackInstallResult result = installPack(fiestaZip(), [&](qint64 done, qint64 all) {
        QVERIFY(done >= lastDone);
        lastDone = done;
        total = all;
    });
    QCOMPARE(lastDone, total);
    QCOMPARE(result.note(), QStringLiteral("Tema \"%1\" (versión 1) instalado.").arg(kFiestaEntry));
    for (const QString& path : files.keys()) {
        if (!path.endsWith(QLatin1String(".vlt")) && !path.endsWith(QLatin1String(".bso"))) {
            QCOMPARE(folder_->readBytes(path), files[path]);
        }
    }
    QCOMPARE(lines(folder_->readBytes(QStringLiteral("Config/Fiesta Patria.vlt"))),
             (QStringList{"Fiesta Patria", "Red", "White",
                          programPath(QStringLiteral("Imagen/Titles/fiesta.jpg")), "Mexicanos",
                          "Patriotas", programPath(QStringLiteral("RondasFiestaPatria"))}));
    QStringList bank(10);
    bank[0] = programPath(QStringLiteral("Audio/EFFECTS/Grito.mp3"));
    bank[2] = programPath(QStringLiteral("Audio/EFFECTS/Mariachi.wav"));
    QCOMPARE(lines(folder_->readBytes(QStringLiteral("Config/Fiesta.bso"))), bank);
    QCOMPARE(result.pack.versionFile, programPath(QStringLiteral("Config/Fiesta Patria.vlt")));
    QCOMPARE(installedPacks().size(), 1);
    QCOMPARE(installedPacks()[0].version, QStringLiteral("1"));
    QCOMPARE(installedPacks()[0].entry, kFiestaEntry);
    QCOMPARE(installedPacks()[0].bankFile, programPath(QStringLiteral("Config/Fiesta.bso")));
    QCOMPARE(installedPacks()[0].frameFile,
             programPath(QStringLiteral("Imagen/Frames/marco-patrio.jpg")));
    const auto installed = velta::test::snapshot(folder_->path());
    for (const QString& path : installed.keys()) {
        QVERIFY2(!path.startsWith('.'), qPrintable(path));  // no staging folder left
    }

    installPack(fiestaZip());
    QCOMPARE(velta::test::snapshot(folder_->path()), installed);

    const PackInstallResult update = installPack(fiestaZip(QStringLiteral("2")));
    const QString kept = QStringLiteral("RondasFiestaPatria") +
                         QDate::currentDate().toString(QStringLiteral("-yyyy-MM-dd"));
    QCOMPARE(update.keptFolder, programPath(kept));
    QVERIFY(update.note().contains(QDir::toNativeSeparators(programPath(kept))));
    QCOMPARE(folder_->readBytes(kept + QStringLiteral("/ronda2.txt")),
             files[QStringLiteral("RondasFiestaPatria/ronda2.txt")]);
    QVERIFY(folder_->readBytes(QStringLiteral("RondasFiestaPatria/ronda2.txt")).contains(" 2\r\n"));
    QCOMPARE(installedPacks().size(), 1);
    QCOMPARE(installedPacks()[0].version, QStringLiteral("2"));
    QVERIFY(!QFile::exists(folder_->file(QStringLiteral("Config/Fiesta Patria-2.vlt"))));
}

// Names taken by other files, and the names the program itself uses, get new names the
// installed version points to; the operator's rounds folder of that name, edited questions
// and removed ones included, is kept whole under a dated name.
void PacksTest::keepsWhatIsThere() {
    PackFiles files = velta::test::fiestaPack();
    files[QStringLiteral("Imagen/Titles/portada.jpg")] =
        files[QStringLiteral("Imagen/Titles/fiesta.jpg")];
    files[QStringLiteral("Fiesta Patria.vlt")].replace("Imagen/Titles/fiesta.jpg",
                                                       "Imagen/Titles/portada.jpg");
    files[QStringLiteral("Audio/EFFECTS/Aplausos.mp3")] = "aplausos del tema";
    files[QStringLiteral("Fiesta.bso")] =
        "Audio/EFFECTS/Aplausos.mp3\r\nAudio/EFFECTS/Grito.mp3\r\n";
    folder_->writeBytes(QStringLiteral("Imagen/Titles/fiesta.jpg"), "la del operador");
    folder_->writeBytes(QStringLiteral("Imagen/Titles/fiesta-2.jpg"), "otra del operador");
    folder_->writeBytes(QStringLiteral("Audio/EFFECTS/Grito.mp3"),
                        files[QStringLiteral("Audio/EFFECTS/Grito.mp3")]);
    folder_->writeBytes(QStringLiteral("Config/Fiesta Patria.vlt"), "Mi versión\r\n");
    folder_->writeBytes(QStringLiteral("rondasfiestapatria/ronda1.txt"), "Editada\r\nA,100");
    folder_->writeBytes(QStringLiteral("rondasfiestapatria/borrado/ronda2k.txt"),
                        "Quitada\r\nB,100");
    const auto before = velta::test::snapshot(folder_->path());

    const PackInstallResult result =
        installPack(zip(QStringLiteral("p.zip"), velta::test::packEntries(files)));

    const auto after = velta::test::snapshot(folder_->path());
    for (auto file = before.begin(); file != before.end(); ++file) {
        if (!file.key().startsWith(QLatin1String("rondasfiestapatria"))) {
            QCOMPARE(after.value(file.key()), file.value());
        }
    }
    const QString kept = QStringLiteral("RondasFiestaPatria") +
                         QDate::currentDate().toString(QStringLiteral("-yyyy-MM-dd"));
    QCOMPARE(folder_->readBytes(kept + QStringLiteral("/ronda1.txt")),
             QByteArray("Editada\r\nA,100"));
    QCOMPARE(folder_->readBytes(kept + QStringLiteral("/borrado/ronda2k.txt")),
             QByteArray("Quitada\r\nB,100"));
    QCOMPARE(result.keptFolder, programPath(kept));
    QVERIFY(!after.contains(QStringLiteral("Imagen/Titles/portada.jpg")));
    QVERIFY(!after.contains(QStringLiteral("Audio/EFFECTS/Aplausos.mp3")));
    QVERIFY(!after.contains(QStringLiteral("Audio/EFFECTS/Grito-2.mp3")));  // the same sound
    QCOMPARE(after.value(QStringLiteral("Imagen/Titles/fiesta-3.jpg")),
             files[QStringLiteral("Imagen/Titles/fiesta.jpg")]);
    const QStringList version =
        lines(folder_->readBytes(QStringLiteral("Config/Fiesta Patria-2.vlt")));
    QCOMPARE(version.value(3), programPath(QStringLiteral("Imagen/Titles/portada-2.jpg")));
    QCOMPARE(version.value(6), programPath(QStringLiteral("RondasFiestaPatria")));
    const QStringList bank = lines(folder_->readBytes(QStringLiteral("Config/Fiesta.bso")));
    QCOMPARE(bank.mid(0, 2),
             (QStringList{programPath(QStringLiteral("Audio/EFFECTS/Aplausos-2.mp3")),
                          programPath(QStringLiteral("Audio/EFFECTS/Grito.mp3"))}));
    QCOMPARE(result.renamed.size(), 3);
    QVERIFY(result.note().contains(QStringLiteral("se instaló como \"fiesta-3.jpg\"")));
}

void PacksTest::failureTakesEverythingBack_data() {
    // "failingMove" 0: every move succeeds.
    columns<int, bool>("failingMove", "configIsAFile");
    QTest::newRow("the first move fails") << 1 << false;
    QTest::newRow("the third move fails") << 3 << false;
    QTest::newRow("the version cannot be written") << 0 << true;
}

// A placement that fails half-way takes back every file and folder it moved, the operator's
// rounds folder returns under its own name, and the staging folder goes.
void PacksTest::failureTakesEverythingBack() {
    QFETCH(int, failingMove);
    QFETCH(bool, configIsAFile);
    folder_->writeBytes(QStringLiteral("RondasFiestaPatria/ronda1.txt"), "Editada\r\nA,100");
    if (configIsAFile) {
        folder_->writeBytes(QStringLiteral("Config"), "no es una carpeta");
    }
    const auto before = velta::test::snapshot(folder_->path());
    FailingMoves moves(failingMove > 0 ? failingMove : 1000);
    setFileMoves(&moves);
    const QString got = refusal([this] { installPack(fiestaZip()); });
    QVERIFY2(got.contains(configIsAFile ? QStringLiteral("No se pudo crear la carpeta")
                                        : QStringLiteral("no se pudo poner en su lugar")),
             qPrintable(got));
    QCOMPARE(velta::test::snapshot(folder_->path()), before);
}

void PacksTest::shippedThemesPack_data() {
    QTest::addColumn<int>("index");
    for (int i = 1; i < presets().size(); ++i) {
        QTest::newRow(qPrintable(presets()[i].roundFolder)) << i;
    }
}

// Each shipped theme, named by a version written on a Windows computer, packs from the show
// folder the build lays out; installed on a show that has the theme, the pack brings exactly
// its files (nothing new but the version), so its contents are the shipped ones byte for byte.
void PacksTest::shippedThemesPack() {
    QFETCH(int, index);
    const Preset& preset = presets()[index];
    const QString shipped = qEnvironmentVariable("VELTA_PROGRAM_DIR");
    const QString cover = QStringLiteral("Imagen/Titles/portada%1.jpg").arg(preset.cover);
    QVERIFY2(QFile::exists(shipped + '/' + cover), qPrintable(cover));
    const QString vlt = work_->filePath(QStringLiteral("Tema.vlt"));
    writeLinesFile(
        vlt, {preset.entry, "Navy", "Cream", "C:\\VELTA\\" + QString(cover).replace('/', '\\'),
              "Los Verdes", "Los Púrpuras", "C:\\VELTA\\" + preset.roundFolder});
    PackRequest request;
    request.versionFile = vlt;
    request.output = work_->filePath(QStringLiteral("tema.zip"));
    request.programFolder = shipped;
    const CatalogueEntry entry = buildPack(request);
    QCOMPARE(entry.entry, preset.entry);
    QCOMPARE(entry.id, QStringLiteral("tema"));

    QVERIFY(QDir().mkpath(folder_->file(QStringLiteral("Imagen/Titles"))));
    QVERIFY(QFile::copy(shipped + '/' + cover, folder_->file(cover)));
    QDir().mkpath(folder_->file(preset.roundFolder));
    for (const QString& name : QDir(shipped + '/' + preset.roundFolder).entryList(QDir::Files)) {
        QVERIFY(QFile::copy(shipped + '/' + preset.roundFolder + '/' + name,
                            folder_->file(preset.roundFolder + '/' + name)));
    }
    const auto before = velta::test::snapshot(folder_->path());
    const PackInstallResult result = installPack(request.output);
    QVERIFY(result.keptFolder.isEmpty());
    QVERIFY(result.renamed.isEmpty());
    auto after = velta::test::snapshot(folder_->path());
    QCOMPARE(lines(after.take(QStringLiteral("Config/Tema.vlt"))),
             (QStringList{preset.entry, "Navy", "Cream", programPath(cover), "Los Verdes",
                          "Los Púrpuras", programPath(preset.roundFolder)}));
    QVERIFY(after.take(QStringLiteral("Config/TemasInstalados.txt")).startsWith("tema|1|"));
    after.remove(QStringLiteral("Config"));
    QCOMPARE(after, before);
}

// Catalogues from a web server: addresses relative to the catalogue, wrong entries left out,
// an entry added or replaced by id, and written in plain ASCII.
void PacksTest::catalogue() {
    const QString sha(64, 'b');
    const QByteArray json = QStringLiteral(
                                R"({"temas": [
             {"id": "boda", "nombre": "Boda", "descripcion": "Para la fiesta", "version": "2",
              "bytes": 1234, "sha256": "%1", "url": "paquetes/boda.zip"},
             {"id": "sin-hash", "nombre": "X", "version": "1", "bytes": 10, "url": "x.zip"},
             {"id": "ftp", "nombre": "Y", "version": "1", "bytes": 10, "sha256": "%1",
              "url": "ftp://servidor/y.zip"},
             {"id": "Mayusculas", "nombre": "Z", "version": "1", "bytes": 10, "sha256": "%1",
              "url": "z.zip"},
             {"id": "enorme", "nombre": "E", "version": "1", "bytes": 1e300, "sha256": "%1",
              "url": "e.zip"}]})")
                                .arg(sha)
                                .toUtf8();
    const Catalogue c =
        parseCatalogue(json, QUrl(QStringLiteral("https://temas.example/v1/catalogo.json")));
    QCOMPARE(c.packs.size(), 1);
    QCOMPARE(c.skipped, 4);
    QCOMPARE(c.packs[0].url, QUrl(QStringLiteral("https://temas.example/v1/paquetes/boda.zip")));
    QCOMPARE(c.packs[0].size, 1234);
    QCOMPARE(c.packs[0].description, QStringLiteral("Para la fiesta"));
    QVERIFY(refusal([] { parseCatalogue("[1, 2]", QUrl()); }).contains("no es un catálogo"));

    CatalogueEntry added = c.packs[0];
    added.id = QStringLiteral("navidad");
    added.description = QStringLiteral("Año nuevo, 🎄 y más");
    QByteArray written = withCatalogueEntry(json, added, QStringLiteral("navidad.zip"));
    for (const char byte : written) {
        QVERIFY(uchar(byte) < 0x80);
    }
    added.version = QStringLiteral("3");
    written = withCatalogueEntry(written, added, QStringLiteral("navidad.zip"));
    const Catalogue again = parseCatalogue(written, QUrl(QStringLiteral("http://local/")));
    QCOMPARE(again.packs.size(), 2);
    QCOMPARE(again.packs[1].description, added.description);
    QCOMPARE(again.packs[1].version, QStringLiteral("3"));
    QCOMPARE(again.packs[1].url, QUrl(QStringLiteral("http://local/navidad.zip")));

    const QList<InstalledPack> installed{{"boda", "1", "Boda", "", "", ""},
                                         {"navidad", "3", "N", "", "", ""}};
    QCOMPARE(stateText(packState(again.packs[0], installed)), QStringLiteral("Actualización"));
    QCOMPARE(stateText(packState(again.packs[1], installed)), QStringLiteral("Instalado"));
    QCOMPARE(stateText(packState(again.packs[0], {})), QStringLiteral("Nuevo"));
}

void PacksTest::versionOrder_data() {
    columns<QString, QString, bool>("offered", "installed", "newer");
    row("next", "2", "1", true);
    row("numbers, not text", "1.10", "1.9", true);
    row("same", "1.2", "1.2", false);
    row("trailing zero", "1.0", "1", false);
    row("older", "1", "2", false);
    row("other text", "otoño", "verano", true);
}

void PacksTest::versionOrder() {
    QFETCH(QString, offered);
    QFETCH(QString, installed);
    QFETCH(bool, newer);
    QCOMPARE(isNewerVersion(offered, installed), newer);
}

// "velta --instalar-tema": refused while the show runs on the folder, the reason on the
// error output and status 1; the real program, copied into a show folder, installs there.
void PacksTest::commandLine() {
    const QString pack = fiestaZip();
    FILE* out = std::tmpfile();
    FILE* err = std::tmpfile();
    {
        ShowLock running;
        QCOMPARE(running.acquire(folder_->path()), ShowLock::Outcome::Taken);
        const auto before = velta::test::snapshot(folder_->path());
        QCOMPARE(installCommand(folder_->path(), {pack}, out, err), 1);
        QCOMPARE(
            readAll(err).trimmed(),
            QStringLiteral("No se instaló el tema \"fiesta-1.zip\": VELTA se está ejecutando "
                           "en esta carpeta; ciérrelo y vuelva a intentarlo. No se cambió nada."));
        QCOMPARE(velta::test::snapshot(folder_->path()), before);
    }
    QCOMPARE(installCommand(folder_->path(), {}, out, err), 1);
    QCOMPARE(installCommand(folder_->path(), {pack}, out, err), 0);
    QVERIFY(readAll(out).contains(QStringLiteral("(versión 1) instalado.")));
    QVERIFY(!QFile::exists(ShowLock::lockPath(folder_->path())));
    std::fclose(out);
    std::fclose(err);

    QTemporaryDir show;
    const QString program = show.filePath(QStringLiteral("velta"));
    QVERIFY(
        QFile::copy(qEnvironmentVariable("VELTA_PROGRAM_DIR") + QStringLiteral("/velta"), program));
    QProcess velta;
    velta.setProgram(program);
    velta.setArguments({kInstallOption, zip(QStringLiteral("malo.zip"), {})});
    velta.start();
    QVERIFY(velta.waitForFinished(30000));
    QCOMPARE(velta.exitCode(), 1);
    QVERIFY2(velta.readAllStandardError().startsWith("No se instaló el tema \"malo.zip\""),
             qPrintable(velta.readAllStandardError()));
    velta.setArguments({kInstallOption, pack});
    velta.start();
    QVERIFY(velta.waitForFinished(30000));
    QCOMPARE(velta.exitCode(), 0);
    QVERIFY(QFile::exists(show.filePath(QStringLiteral("Config/Fiesta Patria.vlt"))));
    QVERIFY(QFile::exists(show.filePath(QStringLiteral("RondasFiestaPatria/ronda1.txt"))));
}

// velta-pack as a publisher runs it: a version and a bank written on a Windows computer
// whose sounds come from two folders, packed and added to a catalogue, then a new version of
// the pack replacing its entry. The pack installs.
void PacksTest::packTool() {
    const QString author = work_->filePath(QStringLiteral("autor"));
    const auto put = [&author](const QString& path, const QByteArray& bytes) {
        QVERIFY(test::writeFile(author + '/' + path, bytes));
    };
    const PackFiles fiesta = velta::test::fiestaPack();
    put(QStringLiteral("Imagen/Titles/fiesta.jpg"),
        fiesta[QStringLiteral("Imagen/Titles/fiesta.jpg")]);
    put(QStringLiteral("MisPreguntas/ronda1.txt"), "P\r\nA,100");
    put(QStringLiteral("MisPreguntas/borrado/ronda2a.txt"), "Quitada\r\nA,100");
    put(QStringLiteral("Audio/EFFECTS/Grito.mp3"), "grito");
    put(QStringLiteral("Descargas/Audio/Grito.mp3"), "otro grito");
    put(QStringLiteral("Config/Gala.vlt"),
        "Gala\r\nRed\r\nWhite\r\nD:\\Show\\Imagen\\Titles\\fiesta.jpg\r\nA\r\nB\r\n" +
            QFile::encodeName(author) + "/MisPreguntas\r\n");
    put(QStringLiteral("Config/Gala.bso"), "D:\\Show\\Audio\\EFFECTS\\Grito.mp3\r\n" +
                                               QFile::encodeName(author) +
                                               "/Descargas/Audio/Grito.mp3\r\n");
    const QString catalogue = work_->filePath(QStringLiteral("catalogo.json"));
    const QString pack = work_->filePath(QStringLiteral("gala.zip"));
    QProcess tool;
    tool.setProgram(qEnvironmentVariable("VELTA_BUILD_DIR") + QStringLiteral("/tools/velta-pack"));
    const QStringList arguments{author + "/Config/Gala.vlt",
                                pack,
                                "--banco",
                                author + "/Config/Gala.bso",
                                "--catalogo",
                                catalogue,
                                "--url",
                                "http://127.0.0.1/temas"};
    for (const QString& version : {QStringLiteral("1"), QStringLiteral("2")}) {
        tool.setArguments(arguments + QStringList{"--version", version});
        tool.start();
        QVERIFY(tool.waitForFinished(30000));
        QVERIFY2(tool.exitCode() == 0, tool.readAllStandardError().constData());
    }
    QFile file(catalogue);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const Catalogue published = parseCatalogue(file.readAll(), QUrl());
    QCOMPARE(published.packs.size(), 1);
    QCOMPARE(published.packs[0].id, QStringLiteral("gala"));
    QCOMPARE(published.packs[0].version, QStringLiteral("2"));
    QCOMPARE(published.packs[0].url, QUrl(QStringLiteral("http://127.0.0.1/temas/gala.zip")));
    QCOMPARE(published.packs[0].size, QFileInfo(pack).size());
    QFile zipFile(pack);
    QVERIFY(zipFile.open(QIODevice::ReadOnly));
    QCOMPARE(published.packs[0].sha256, sha256Hex(zipFile.readAll()));

    installPack(pack);
    QCOMPARE(folder_->readBytes(QStringLiteral("RondasGala/ronda1.txt")), QByteArray("P\r\nA,100"));
    QVERIFY(!QFile::exists(folder_->file(QStringLiteral("RondasGala/borrado"))));
    QCOMPARE(folder_->readBytes(QStringLiteral("Audio/EFFECTS/Grito-2.mp3")),
             QByteArray("otro grito"));
    QCOMPARE(lines(folder_->readBytes(QStringLiteral("Config/Gala.vlt"))).value(3),
             programPath(QStringLiteral("Imagen/Titles/fiesta.jpg")));
}

void PacksTest::packFilesThatAreNoPack_data() {
    // "<file>" stands for the pack file's full path, "<record>" for the record of packs.
    columns<QString, QString>("file", "reason");
    row("a fifo, which would wait for a writer for ever", "fifo",
        "\"<file>\" no es un archivo común");
    row("a folder", "folder", "\"<file>\" es una carpeta, no un archivo");
    row("not a zip archive", "text", "el archivo \"tema.zip\" no es un archivo zip o está dañado");
    row("a message that ends in a full stop", "record unreadable",
        "No se puede leer el archivo \"<record>\": es una carpeta, no un archivo");
}

// "velta --instalar-tema" with a file that is no pack says why in Spanish, in one sentence,
// and never waits on it.
void PacksTest::packFilesThatAreNoPack() {
    QFETCH(QString, file);
    QFETCH(QString, reason);
    const QString pack = work_->filePath(QStringLiteral("tema.zip"));
    std::unique_ptr<velta::test::Fifo> fifo;
    if (file == QLatin1String("fifo")) {
        fifo = std::make_unique<velta::test::Fifo>(pack);
    } else if (file == QLatin1String("folder")) {
        QVERIFY(QDir().mkpath(pack));
    } else if (file == QLatin1String("text")) {
        QVERIFY(test::writeFile(pack, "Pregunta\r\nRespuesta,100\r\n"));
    } else {
        QVERIFY(QFile::copy(fiestaZip(), pack));
        QVERIFY(QDir().mkpath(folder_->file(QStringLiteral("Config/TemasInstalados.txt"))));
    }
    const auto before = velta::test::snapshot(folder_->path());
    FILE* out = std::tmpfile();
    FILE* err = std::tmpfile();
    int status = -1;
    std::thread install([&] { status = installCommand(folder_->path(), {pack}, out, err); });
    install.join();
    QVERIFY(!fifo || !fifo->waitedOn());
    QCOMPARE(status, 1);
    reason.replace(QStringLiteral("<file>"), pack)
        .replace(QStringLiteral("<record>"),
                 folder_->file(QStringLiteral("Config/TemasInstalados.txt")));
    QCOMPARE(
        readAll(err).trimmed(),
        QStringLiteral("No se instaló el tema \"tema.zip\": %1. No se cambió nada.").arg(reason));
    std::fclose(out);
    std::fclose(err);
    QCOMPARE(velta::test::snapshot(folder_->path()), before);
}

void PacksTest::packerMeasuresAsTheInstaller_data() {
    columns<int, QString, QString>("cards", "title", "reason");
    row("700 cards: a manifest over 64 KB", 700, "Boda de Ana y Luis", kManifestTooLarge);
    row("a title of 300 characters", 2, QString(300, 'T'),
        "la línea 3 del manifiesto tema.txt da el nombre del tema de más de 200 caracteres");
    row("a title with a bar", 2, "Boda | Fiesta",
        "la línea 3 del manifiesto tema.txt lleva \"|\" en el nombre del tema");
    row("a question file larger than the show reads", 0, "Boda de Ana y Luis",
        "la línea 4 del manifiesto tema.txt declara \"RondasBodaDeAnaYLuis2026/ronda1.txt\" de "
        "más de 64 KB, más de lo que el programa lee de un archivo de texto");
}

// velta-pack never makes a pack the installer refuses: it measures the pack with the
// installer's rules and refuses with the installer's words, and writes no file.
void PacksTest::packerMeasuresAsTheInstaller() {
    QFETCH(int, cards);
    QFETCH(QString, title);
    QFETCH(QString, reason);
    const QString author = work_->filePath(QStringLiteral("autor"));
    const QString rounds = author + QStringLiteral("/RondasBodaDeAnaYLuis2026");
    for (int n = 1; n <= qMax(cards, 1); ++n) {
        QVERIFY(test::writeFile(rounds + QStringLiteral("/ronda%1.txt").arg(n),
                                cards > 0 ? QByteArray("P\r\nA,100") : QByteArray(70000, 'P')));
    }
    const QString vlt = author + QStringLiteral("/Config/Boda.vlt");
    QDir().mkpath(author + QStringLiteral("/Config"));
    writeLinesFile(vlt, {title, "Red", "White", "", "A", "B", rounds});
    PackRequest request;
    request.versionFile = vlt;
    request.output = work_->filePath(QStringLiteral("boda.zip"));
    QCOMPARE(test::messageOf<PackError>([&request] { buildPack(request); }), reason);
    QVERIFY(!QFile::exists(request.output));
}

// A link named like a staging folder is removed itself: what it points to, outside the
// program folder, is never emptied.
void PacksTest::staleStagingLinkIsRemovedNotFollowed() {
    const QString outside = work_->filePath(QStringLiteral("fotos"));
    QVERIFY(test::writeFile(outside + QStringLiteral("/boda.jpg"), "foto de la boda"));
    const QString link = folder_->file(QStringLiteral(".instalando-tema-Qx7Lm2"));
    QVERIFY(QFile::link(outside, link));
    installPack(fiestaZip());
    QCOMPARE(test::fileBytes(outside + QStringLiteral("/boda.jpg")), QByteArray("foto de la boda"));
    QVERIFY(!QFileInfo(link).isSymLink());
    QCOMPARE(installedPacks().size(), 1);
}

void PacksTest::installCutShortIsTakenBack_data() {
    columns<bool, int>("operatorFolder", "killedAfterMove");
    row("killed between the two folder moves", true, 1);
    row("killed after both folder moves", true, 2);
    row("killed after the one folder move", false, 1);
}

// An install killed in the middle of its folder moves is taken back at the next start: the
// show's rounds folder is there with the operator's questions, or not at all when there was
// none, and the pack installs whole afterwards.
void PacksTest::installCutShortIsTakenBack() {
    QFETCH(bool, operatorFolder);
    QFETCH(int, killedAfterMove);
    if (operatorFolder) {
        folder_->writeBytes(QStringLiteral("RondasFiestaPatria/ronda1.txt"), "Editada\r\nA,100");
    }
    const QString pack = fiestaZip();
    const pid_t child = ::fork();
    if (child == 0) {
        KilledAfterFolderMove moves(killedAfterMove);
        setFileMoves(&moves);
        try {
            installPack(pack);
        } catch (...) {
        }
        ::_exit(0);
    }
    int status = 0;
    QCOMPARE(::waitpid(child, &status, 0), child);
    QVERIFY(WIFSIGNALED(status));

    QVERIFY(finishCutShortInstall());
    const auto after = velta::test::snapshot(folder_->path());
    QStringList rounds;
    for (const QString& path : after.keys()) {
        if (path.startsWith(QLatin1String("RondasFiestaPatria"))) {
            rounds << path;
        }
    }
    QStringList expected;
    if (operatorFolder) {
        expected << QStringLiteral("RondasFiestaPatria")
                 << QStringLiteral("RondasFiestaPatria/ronda1.txt");
        QCOMPARE(after.value(QStringLiteral("RondasFiestaPatria/ronda1.txt")),
                 QByteArray("Editada\r\nA,100"));
    }
    QCOMPARE(rounds, expected);
    QVERIFY(!after.contains(QStringLiteral(".instalando-tema.txt")));

    installPack(pack);
    QVERIFY(folder_->readBytes(QStringLiteral("RondasFiestaPatria/ronda2.txt"))
                .startsWith("Algo que se grita"));
    for (const QString& path : velta::test::snapshot(folder_->path()).keys()) {
        QVERIFY2(!path.startsWith('.'), qPrintable(path));
    }
    QCOMPARE(installedPacks().size(), 1);
}

QTEST_GUILESS_MAIN(PacksTest)
#include "tst_packs.moc"
