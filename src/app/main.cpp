#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QGuiApplication>
#include <QStandardPaths>
#include <cstdio>

#include "app/Show.h"
#include "app/ShowFolder.h"
#include "editing/QuestionCommands.h"
#include "packs/InstallCommand.h"
#include "packs/ShowLock.h"

namespace {

// Where the commands without a window find the show: the same folder a start would use.
QString showFolderForCommand() {
    QCoreApplication::setApplicationName(QStringLiteral("VELTA"));
    velta::ShowLock fillLock;
    return velta::placeShow(QCoreApplication::applicationDirPath(), {},
                            QStandardPaths::writableLocation(QStandardPaths::AppDataLocation),
                            fillLock)
        .folder;
}

}  // namespace

int main(int argc, char* argv[]) {
    // Installing a pack needs no window, so it runs on machines without a desktop too. The
    // pack goes where the show is kept.
    if (argc > 1 && QString::fromLocal8Bit(argv[1]) == velta::kInstallOption) {
        QCoreApplication app(argc, argv);
        return velta::installCommand(showFolderForCommand(), QCoreApplication::arguments().mid(2),
                                     stdout, stderr);
    }
    // The question transfers need no window either; the sheet's type needs the fonts of a
    // graphical application, which the offscreen platform gives without a desktop.
    if (argc > 1 && velta::isQuestionCommand(QString::fromLocal8Bit(argv[1]))) {
#ifndef Q_OS_WIN
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
#endif
        QGuiApplication app(argc, argv);
        const QStringList arguments = QCoreApplication::arguments();
        return velta::questionCommand(showFolderForCommand(), arguments[1], arguments.mid(2),
                                      stdout, stderr);
    }
    QApplication app(argc, argv);
    // "velta --carpeta DIR": the show kept in DIR, a show prepared on a USB stick say.
    QCommandLineParser parser;
    const QCommandLineOption folder(QStringLiteral("carpeta"),
                                    QStringLiteral("Guarda y lee el show en CARPETA."),
                                    QStringLiteral("CARPETA"));
    parser.addOption(folder);
    if (!parser.parse(QApplication::arguments())) {
        std::fprintf(stderr, "%s\nUso: velta [--carpeta CARPETA]\n",
                     qPrintable(parser.errorText()));
        return 2;
    }
    const QString requested =
        parser.isSet(folder) ? QFileInfo(parser.value(folder)).absoluteFilePath() : QString();
    velta::Show show(QApplication::applicationDirPath(), requested);
    if (!show.open()) {
        return 0;
    }
    return QApplication::exec();
}
