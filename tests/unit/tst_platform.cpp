// Platform helpers: number conversion and its message, the guard around commands, paths
// below the program folder and the single running copy across real processes.

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <climits>
#include <iostream>
#include <string>

#include "ScriptedDialogs.h"
#include "UnitHelpers.h"
#include "platform/Errors.h"
#include "platform/Guard.h"
#include "platform/ProgramFolder.h"
#include "platform/SingleInstance.h"

using namespace velta;
using velta::test::columns;
using velta::test::row;
using velta::test::writeFile;

namespace {

// Run with this argument, the test program is a second running copy: it tries the lock,
// prints "held" or "refused" and keeps what it took until its input closes.
const char* const kHoldLockArgument = "--hold-lock";

int holdLock(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    SingleInstance instance;
    std::cout << (instance.acquire() ? "held" : "refused") << std::endl;
    std::string line;
    while (std::getline(std::cin, line)) {
    }
    return 0;
}

// Another process running the single-instance check.
class OtherCopy {
  public:
    QString start() {
        process_.start(QCoreApplication::applicationFilePath(),
                       {QString::fromLatin1(kHoldLockArgument)});
        if (!process_.waitForStarted(10000) || !process_.waitForReadyRead(10000)) {
            return QStringLiteral("did not start");
        }
        return QString::fromLatin1(process_.readLine().trimmed());
    }
    bool quit() {
        process_.closeWriteChannel();
        return process_.waitForFinished(10000) && process_.exitCode() == 0;
    }
    bool crash() {
        process_.kill();
        return process_.waitForFinished(10000);
    }

  private:
    QProcess process_;
};

}  // namespace

class PlatformTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void initTestCase();
    void toIntAcceptsWholeNumbers_data();
    void toIntAcceptsWholeNumbers();
    void toIntRejectsEverythingElse_data();
    void toIntRejectsEverythingElse();
    void longValuesAreCutInMessages();
    void guardStopsTheCommandAndShowsWhy();
    void programPaths_data();
    void programPaths();
    void currentFolderPaths();
    void oneRunningCopy();
    void aCrashedCopyDoesNotBlockTheNext();

  private:
    QTemporaryDir runtime_;
};

void PlatformTest::initTestCase() {
    // A runtime folder of our own: a copy of the program running on this desktop, or a
    // parallel test, must not see this test's lock.
    QVERIFY(runtime_.isValid());
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime_.path()));
    QCOMPARE(SingleInstance::lockPath(), runtime_.filePath(QStringLiteral("VELTA.exe.lock")));
}

void PlatformTest::toIntAcceptsWholeNumbers_data() {
    columns<QString, int>("text", "value");
    QTest::newRow("zero") << "0" << 0;
    QTest::newRow("points") << "40" << 40;
    QTest::newRow("leading zeros") << "007" << 7;
    QTest::newRow("spaces around") << "  15 \t" << 15;
    QTest::newRow("negative") << "-25" << -25;
    QTest::newRow("plus sign") << "+3" << 3;
    QTest::newRow("largest") << "2147483647" << INT_MAX;
    QTest::newRow("smallest") << "-2147483648" << INT_MIN;
}

void PlatformTest::toIntAcceptsWholeNumbers() {
    QFETCH(QString, text);
    QFETCH(int, value);
    QCOMPARE(toInt(text), value);
}

void PlatformTest::toIntRejectsEverythingElse_data() {
    // "quoted": the text as the message quotes it.
    columns<QString, QString>("text", "quoted");
    for (const char* text : {"", "   ", "abc", "1.5", "1,5", "12a", "1 2", "-", "+", "--1",
                             "2147483648", "-2147483649", "0x10", "1e3"}) {
        row(*text ? text : "empty", QString::fromLatin1(text), QString::fromLatin1(text));
    }
    row("Arabic-Indic digits", QStringLiteral("١٢"), QStringLiteral("١٢"));
    row("full-width digits", QStringLiteral("１２"), QStringLiteral("１２"));
    row("superscript", QStringLiteral("²"), QStringLiteral("²"));
    // Quoted by its start: the message stays readable.
    row("a hundred thousand digits", QString(100000, QChar('7')),
        QString(39, QChar('7')) + QChar(0x2026));
}

void PlatformTest::toIntRejectsEverythingElse() {
    QFETCH(QString, text);
    QFETCH(QString, quoted);
    const auto error = test::caught<ConversionError>([&] { toInt(text); });
    QVERIFY2(error, "no ConversionError");
    QCOMPARE(error->text(), text);
    QCOMPARE(errorMessage(*error), QStringLiteral("'%1' no es un valor entero válido").arg(quoted));
}

// Long values and paths are cut where a message quotes them.
void PlatformTest::longValuesAreCutInMessages() {
    QCOMPARE(elided(QStringLiteral("Navy")), QStringLiteral("Navy"));
    const QString path =
        QStringLiteral("/show/") + QString(4000, QChar('x')) + QStringLiteral("/portada.jpg");
    const QString shown = shownPath(path);
    QCOMPARE(shown.size(), 160);
    QVERIFY2(shown.startsWith(QLatin1String("/show/xx")) &&
                 shown.endsWith(QLatin1String("xx/portada.jpg")) && shown.contains(QChar(0x2026)),
             qPrintable(shown));
}

void PlatformTest::guardStopsTheCommandAndShowsWhy() {
    test::ScriptedDialogs dialogs;
    QStringList steps;
    const auto failing = [&] {
        steps << QStringLiteral("antes");
        steps << QString::number(toInt(QStringLiteral("abc")));
        steps << QStringLiteral("después");
    };
    static_assert(noexcept(guarded(failing)), "no exception may leave an event handler");

    guarded(failing);
    QCOMPARE(steps, QStringList{QStringLiteral("antes")});
    QCOMPARE(dialogs.errors(), QStringList{QStringLiteral("'abc' no es un valor entero válido")});

    guarded(
        [] { throw FileError(QStringLiteral("No se pudo guardar el archivo \"ronda1.txt\"")); });
    guarded([] { throw 42; });
    guarded([&] { steps << QStringLiteral("bien"); });

    QCOMPARE(steps, QStringList({QStringLiteral("antes"), QStringLiteral("bien")}));
    QCOMPARE(dialogs.shown,
             QStringList({QStringLiteral("error: 'abc' no es un valor entero válido"),
                          QStringLiteral("error: No se pudo guardar el archivo \"ronda1.txt\""),
                          QStringLiteral("error: Error inesperado")}));
}

void PlatformTest::programPaths_data() {
    columns<QString, QString>("relative", "below");
    row("backslashes", "Config\\Titulo.txt", "Config/Titulo.txt");
    row("slashes", "Config/Titulo.txt", "Config/Titulo.txt");
    row("mixed", "Imagen\\Titles/portada1.jpg", "Imagen/Titles/portada1.jpg");
    row("leading separator", "\\Audio\\WAV\\No esta.wav", "Audio/WAV/No esta.wav");
    row("file in the folder itself", "dt.cfg", "dt.cfg");
}

void PlatformTest::programPaths() {
    QFETCH(QString, relative);
    QFETCH(QString, below);
    QTemporaryDir program;
    const QString folder = program.path() + '/';
    QVERIFY(writeFile(folder + below));

    for (const QString& spelling : {program.path(), folder}) {
        setProgramFolder(spelling);
        QCOMPARE(programFolder(), folder);
        QCOMPARE(programPath(relative), folder + below);
        QVERIFY(QFile::exists(programPath(relative)));
    }
}

void PlatformTest::currentFolderPaths() {
    QTemporaryDir current;
    QVERIFY(writeFile(current.filePath(QStringLiteral("Imagen/Pictures/marco.bmp"))));
    const QString previous = QDir::currentPath();
    QDir::setCurrent(current.path());

    const QString path = currentDirPath(QStringLiteral(".\\Imagen\\Pictures\\marco.bmp"));
    QDir::setCurrent(previous);

    QVERIFY2(QFile::exists(path), qPrintable(path));
}

void PlatformTest::oneRunningCopy() {
    {
        OtherCopy first;
        QCOMPARE(first.start(), QStringLiteral("held"));
        SingleInstance mine;
        QVERIFY(!mine.acquire());
        QVERIFY(!mine.held());

        QVERIFY(first.quit());
        QVERIFY2(mine.acquire(), "the lock is free once the other copy has ended");
        QVERIFY(mine.held());
        OtherCopy second;
        QCOMPARE(second.start(), QStringLiteral("refused"));
        QVERIFY(second.quit());
    }
    OtherCopy third;
    QCOMPARE(third.start(), QStringLiteral("held"));
    QVERIFY(third.quit());
}

void PlatformTest::aCrashedCopyDoesNotBlockTheNext() {
    OtherCopy crashing;
    QCOMPARE(crashing.start(), QStringLiteral("held"));
    QVERIFY(crashing.crash());
    QVERIFY(QFile::exists(SingleInstance::lockPath()));

    SingleInstance next;
    QVERIFY(next.acquire());
}

int main(int argc, char** argv) {
    if (argc == 2 && qstrcmp(argv[1], kHoldLockArgument) == 0) {
        return holdLock(argc, argv);
    }
    QCoreApplication app(argc, argv);
    PlatformTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_platform.moc"
