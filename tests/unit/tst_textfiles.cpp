// Text files on disk: the encodings read, the exact bytes written, and writes that fail
// without harming the file they were meant to replace.

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QStringEncoder>
#include <QtTest>

#include <sys/resource.h>
#include <sys/stat.h>
#include <csignal>
#include <memory>

#include "Fifo.h"
#include "TempProgramFolder.h"
#include "UnitHelpers.h"
#include "content/TextFiles.h"
#include "platform/Errors.h"
#include "platform/Pictures.h"

using namespace velta;
using velta::test::columns;
using velta::test::row;
using velta::test::TempProgramFolder;

namespace {

QByteArray utf16(const QString& text, QStringConverter::Encoding encoding) {
    QStringEncoder encoder(encoding);
    return encoder.encode(text);
}

// Lowers the largest file size this process may write, the way a full disk stops a write
// half-way. Even root cannot write past it.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &previous_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = previous_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }

  private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
};

// Marks a path immutable with chattr while it lives; false when the file system or the
// privileges do not allow it.
class Immutable {
  public:
    explicit Immutable(const QString& path) : path_(path) {
        ok_ = QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), path_}) == 0;
    }
    ~Immutable() {
        if (ok_) {
            QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), path_});
        }
    }
    bool ok() const { return ok_; }

  private:
    QString path_;
    bool ok_ = false;
};

}  // namespace

class TextFilesTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void readsEveryEncodingAndLineEnd_data();
    void readsEveryEncodingAndLineEnd();
    void firstLineSpanningSeveralBlocks();
    void writesWindows1252WithoutMark_data();
    void writesWindows1252WithoutMark();
    void textsWindows1252CannotHoldReadBackExactly_data();
    void textsWindows1252CannotHoldReadBackExactly();
    void unreadableFilesThrow();
    void unreadableFilesSayWhy_data();
    void unreadableFilesSayWhy();
    void pictureFilesAreCheckedBeforeTheyAreRead_data();
    void pictureFilesAreCheckedBeforeTheyAreRead();
    void failedWriteKeepsTheOldFile_data();
    void failedWriteKeepsTheOldFile();
};

void TextFilesTest::readsEveryEncodingAndLineEnd_data() {
    columns<QByteArray, QStringList>("bytes", "lines");

    const QString accents = QStringLiteral("¿Qué año? € «ñ»");
    const QStringList two{accents, QStringLiteral("Canción,40")};
    const QString crlf = two.join(QStringLiteral("\r\n"));

    QTest::newRow("windows-1252") << QByteArray(
                                         "\xBFQu\xE9 a\xF1o? \x80 \xAB\xF1\xBB\r\nCanci\xF3n,40")
                                  << two;
    QTest::newRow("windows-1252 upper half") << QByteArray("\x8A\x9A\x8E\x9E\x9F\x85\x91\x92\x96")
                                             << QStringList{QStringLiteral("ŠšŽžŸ…‘’–")};
    QTest::newRow("UTF-8 bytes without a mark are Windows-1252")
        << QByteArray("Se\xC3\xB1or") << QStringList{QStringLiteral("SeÃ±or")};
    QTest::newRow("UTF-8 mark") << QByteArray("\xEF\xBB\xBF") + crlf.toUtf8() << two;
    QTest::newRow("UTF-16 LE mark")
        << QByteArray("\xFF\xFE") + utf16(crlf, QStringConverter::Utf16LE) << two;
    QTest::newRow("UTF-16 BE mark")
        << QByteArray("\xFE\xFF") + utf16(crlf, QStringConverter::Utf16BE) << two;
    QTest::newRow("UTF-16 LE, lone LF")
        << QByteArray("\xFF\xFE") + utf16(QStringLiteral("ü\nß"), QStringConverter::Utf16LE)
        << QStringList{QStringLiteral("ü"), QStringLiteral("ß")};
    QTest::newRow("UTF-16 LE, half a surrogate pair") << QByteArray(
                                                             "\xFF\xFE"
                                                             "a\0\x0A\xDF"
                                                             "b\0",
                                                             8)
                                                      << QStringList{QStringLiteral("a\uFFFDb")};
    QTest::newRow("lone LF") << QByteArray("a\nb\nc") << QStringList{"a", "b", "c"};
    QTest::newRow("lone CR") << QByteArray("a\rb\rc") << QStringList{"a", "b", "c"};
    QTest::newRow("mixed line ends")
        << QByteArray("a\r\nb\nc\rd") << QStringList{"a", "b", "c", "d"};
    QTest::newRow("LF CR is two line ends") << QByteArray("a\n\rb") << QStringList{"a", "", "b"};
    QTest::newRow("final break adds no line") << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"};
    QTest::newRow("blank lines are kept")
        << QByteArray("\r\na\r\n\r\n\r\nb\r\n\r\n") << QStringList{"", "a", "", "", "b", ""};
    QTest::newRow("spaces are kept") << QByteArray("  a \r\n\t") << QStringList{"  a ", "\t"};
    QTest::newRow("empty file") << QByteArray() << QStringList{};
    QTest::newRow("mark only") << QByteArray("\xEF\xBB\xBF") << QStringList{};
    QTest::newRow("64 KB, the largest read")
        << QByteArray(64 * 1024, 'a') << QStringList{QString(64 * 1024, 'a')};
}

void TextFilesTest::readsEveryEncodingAndLineEnd() {
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    TempProgramFolder folder;
    folder.writeBytes(QStringLiteral("f.txt"), bytes);
    const QString path = folder.file(QStringLiteral("f.txt"));

    QCOMPARE(readTextLines(path), lines);
    QCOMPARE(readFirstLine(path), lines.value(0));
}

void TextFilesTest::firstLineSpanningSeveralBlocks() {
    TempProgramFolder folder;
    const QString longLine = QString(9000, QChar(0xE9));  // é
    const QByteArray cp1252(9000, '\xE9');
    folder.writeBytes(QStringLiteral("cp.txt"), cp1252 + "\r\nsegunda");
    folder.writeBytes(QStringLiteral("u8.txt"),
                      QByteArray("\xEF\xBB\xBF") + longLine.toUtf8() + "\nsegunda");

    QCOMPARE(readFirstLine(folder.file(QStringLiteral("cp.txt"))), longLine);
    QCOMPARE(readFirstLine(folder.file(QStringLiteral("u8.txt"))), longLine);
}

void TextFilesTest::writesWindows1252WithoutMark_data() {
    columns<QString, QByteArray>("text", "bytes");

    QTest::newRow("accents and euro") << QStringLiteral("¿Cuánto cuesta? 5 €\r\nAño")
                                      << QByteArray(
                                             "\xBF"
                                             "Cu\xE1nto cuesta? 5 \x80\r\nA\xF1o");
    QTest::newRow("upper half") << QStringLiteral("ŠšŽžŸ…‘’–—™")
                                << QByteArray("\x8A\x9A\x8E\x9E\x9F\x85\x91\x92\x96\x97\x99");
    QTest::newRow("ascii") << QStringLiteral("Respuesta 1,40") << QByteArray("Respuesta 1,40");
    QTest::newRow("empty") << QString() << QByteArray();
}

void TextFilesTest::writesWindows1252WithoutMark() {
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    TempProgramFolder folder;
    folder.writeBytes(QStringLiteral("f.txt"), QByteArray(5000, 'x'));  // longer: truncated

    writeTextFile(folder.file(QStringLiteral("f.txt")), text);

    QCOMPARE(folder.readBytes(QStringLiteral("f.txt")), bytes);
    QCOMPARE(readTextFile(folder.file(QStringLiteral("f.txt"))), text);
}

void TextFilesTest::textsWindows1252CannotHoldReadBackExactly_data() {
    QTest::addColumn<QString>("text");

    QTest::newRow("double acute") << QStringLiteral("Győr\r\nŐ");
    QTest::newRow("emoji") << QStringLiteral("¡Bravo! 🎉 5 €");
    QTest::newRow("greek") << QStringLiteral("Ω");
    QTest::newRow("leading zero-width no-break space") << QStringLiteral("\uFEFFhola");
    QTest::newRow("starts like a UTF-8 mark") << QStringLiteral("ï»¿hola");
    QTest::newRow("starts like a UTF-16 LE mark") << QStringLiteral("ÿþ");
    QTest::newRow("starts like a UTF-16 BE mark") << QStringLiteral("þÿ y más");
}

void TextFilesTest::textsWindows1252CannotHoldReadBackExactly() {
    QFETCH(QString, text);
    TempProgramFolder folder;
    const QString path = folder.file(QStringLiteral("f.txt"));

    writeTextFile(path, text);

    QCOMPARE(readTextFile(path), text);
    QCOMPARE(readFirstLine(path), splitLines(text).value(0));
    QCOMPARE(folder.readBytes(QStringLiteral("f.txt")), QByteArray("\xEF\xBB\xBF") + text.toUtf8());
}

void TextFilesTest::unreadableFilesThrow() {
    TempProgramFolder folder;
    QDir(folder.path()).mkdir(QStringLiteral("carpeta.txt"));

    for (const QString& name : {QStringLiteral("falta.txt"), QStringLiteral("carpeta.txt")}) {
        const QString path = folder.file(name);
        QVERIFY_THROWS_EXCEPTION(FileError, readTextFile(path));
        QVERIFY_THROWS_EXCEPTION(FileError, readTextLines(path));
        QVERIFY_THROWS_EXCEPTION(FileError, readFirstLine(path));
    }
}

void TextFilesTest::unreadableFilesSayWhy_data() {
    columns<QString, QString>("file", "reason");
    row("missing", "missing", "no existe");
    row("a folder", "folder", "es una carpeta, no un archivo");
    row("a fifo, which would wait for a writer", "fifo", "no es un archivo común");
    row("no read permission", "denied", "no hay permiso para leerlo");
    row("one byte over 64 KB", "64 KB + 1", "mide 65 KB y el máximo es 64 KB");
    row("a 50 MB line", "50 MB", "mide 51200 KB y el máximo es 64 KB");
}

// Every reader refuses such a file before reading it, and says which file and why.
void TextFilesTest::unreadableFilesSayWhy() {
    QFETCH(QString, file);
    QFETCH(QString, reason);
    TempProgramFolder folder;
    const QString relative = QStringLiteral("Config/Titulo.txt");
    const QString path = folder.file(relative);
    QDir(folder.path()).mkpath(QStringLiteral("Config"));
    if (file == QLatin1String("folder")) {
        QDir(folder.path()).mkpath(relative);
    } else if (file == QLatin1String("fifo")) {
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0644), 0);
    } else if (file == QLatin1String("denied")) {
        folder.writeBytes(relative, "Mi juego\r\n");
        folder.denyReading(relative);
    } else if (file != QLatin1String("missing")) {
        folder.writeBytes(relative, {});
        QFile big(path);
        QVERIFY(
            big.resize(file.startsWith(QLatin1String("64")) ? 64 * 1024 + 1 : 50 * 1024 * 1024));
    }

    const QString expected =
        QStringLiteral("No se puede leer el archivo \"%1\": %2.").arg(path, reason);
    test::asShowUser([&] {
        QCOMPARE(test::messageOf<FileError>([&] { readTextFile(path); }), expected);
        QCOMPARE(test::messageOf<FileError>([&] { readTextLines(path); }), expected);
        QCOMPARE(test::messageOf<FileError>([&] { readFirstLine(path); }), expected);
    });
}

void TextFilesTest::pictureFilesAreCheckedBeforeTheyAreRead_data() {
    columns<QString, QString>("file", "problem");  // no problem: the picture reads whole
    row("a picture", "picture", "");
    row("missing", "missing", "el archivo no existe");
    row("a folder", "folder", "es una carpeta, no un archivo de imagen");
    row("a fifo, which would wait for a writer", "fifo", "no es un archivo de imagen común");
    row("no read permission", "denied", "no hay permiso para leer el archivo");
    row("one byte over 64 MB", "64 MB + 1", "el archivo mide 65 MB y el máximo es 64 MB");
    row("text", "text", "no es una imagen JPEG ni BMP");
}

// A picture the operator names (cover, frame, a version's cover) is refused before it is
// read when it is no plain file or larger than any picture of a show, and says why.
void TextFilesTest::pictureFilesAreCheckedBeforeTheyAreRead() {
    QFETCH(QString, file);
    QFETCH(QString, problem);
    TempProgramFolder folder;
    const QString relative = QStringLiteral("Imagen/Titles/tapa.jpg");
    const QString path = folder.file(relative);
    QDir(folder.path()).mkpath(QStringLiteral("Imagen/Titles"));
    std::unique_ptr<test::Fifo> fifo;
    if (file == QLatin1String("folder")) {
        QDir(folder.path()).mkpath(relative);
    } else if (file == QLatin1String("fifo")) {
        fifo = std::make_unique<test::Fifo>(path);
    } else if (file == QLatin1String("picture") || file == QLatin1String("denied")) {
        QImage picture(8, 8, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        QVERIFY(picture.save(path, "JPG"));
        if (file == QLatin1String("denied")) {
            folder.denyReading(relative);
        }
    } else if (file == QLatin1String("text")) {
        folder.writeBytes(relative, "Pregunta\r\nRespuesta,100");
    } else if (file != QLatin1String("missing")) {
        folder.writeBytes(relative, {});
        QFile big(path);
        QVERIFY(big.resize(kLargestPictureFile + 1));
    }
    test::asShowUser([&] { QCOMPARE(pictureProblem(path), problem); });
    QVERIFY(!fifo || !fifo->waitedOn());
}

void TextFilesTest::failedWriteKeepsTheOldFile_data() {
    QTest::addColumn<QString>("failure");
    QTest::newRow("disk full half-way") << QStringLiteral("full");
    QTest::newRow("target is a folder") << QStringLiteral("folder");
    QTest::newRow("parent is a file") << QStringLiteral("parent");
    QTest::newRow("immutable target") << QStringLiteral("immutable target");
    QTest::newRow("immutable folder") << QStringLiteral("immutable folder");
}

void TextFilesTest::failedWriteKeepsTheOldFile() {
    QFETCH(QString, failure);
    TempProgramFolder folder;
    const QByteArray old = "Pregunta vieja\r\nRespuesta 1,40";
    folder.writeBytes(QStringLiteral("sub/ronda1.txt"), old);
    const QString sub = folder.file(QStringLiteral("sub"));
    const QString newText = QString(64 * 1024, QChar('n'));

    QString target = folder.file(QStringLiteral("sub/ronda1.txt"));
    std::unique_ptr<Immutable> immutable;
    std::unique_ptr<FileSizeLimit> limit;
    if (failure == QLatin1String("folder")) {
        target = sub;
    } else if (failure == QLatin1String("parent")) {
        target = folder.file(QStringLiteral("sub/ronda1.txt/ronda1.txt"));
    } else if (failure.startsWith(QLatin1String("immutable"))) {
        immutable =
            std::make_unique<Immutable>(failure.endsWith(QLatin1String("folder")) ? sub : target);
        if (!immutable->ok()) {
            QSKIP("chattr +i is not available here");
        }
    } else {
        limit = std::make_unique<FileSizeLimit>(4096);
    }

    QVERIFY_THROWS_EXCEPTION(FileError, writeTextFile(target, newText));
    limit.reset();
    immutable.reset();

    QCOMPARE(folder.readBytes(QStringLiteral("sub/ronda1.txt")), old);
    QCOMPARE(QDir(sub).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{QStringLiteral("ronda1.txt")});
}

QTEST_GUILESS_MAIN(TextFilesTest)
#include "tst_textfiles.moc"
