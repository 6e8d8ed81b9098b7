#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QStandardPaths>
#include <cstdio>

#include "app/Show.h"
#include "app/ShowFolder.h"
#include "packs/InstallCommand.h"
#include "packs/ShowLock.h"

int main(int argc, char* argv[]) {
    // Installing a pack needs no window, so it runs on machines without a desktop too. The
    // pack goes where the show is kept.
    if (argc > 1 && QString::fromLocal8Bit(argv[1]) == velta::kInstallOption) {
        QCoreApplication app(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("VELTA"));
        QString showFolder;
        {
            velta::ShowLock fillLock;
            showFolder =
                velta::placeShow(QCoreApplication::applicationDirPath(), {},
                                 QStandardPaths::writableLocation(QStandardPaths::AppDataLocation),
                                 fillLock)
                    .folder;
        }
        return velta::installCommand(showFolder, QCoreApplication::arguments().mid(2), stdout,
                                     stderr);
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
