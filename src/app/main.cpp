#include <QApplication>
#include <cstdio>

#include "app/Show.h"
#include "packs/InstallCommand.h"

int main(int argc, char* argv[]) {
    // Installing a pack needs no window, so it runs on machines without a desktop too.
    if (argc > 1 && QString::fromLocal8Bit(argv[1]) == velta::kInstallOption) {
        QCoreApplication app(argc, argv);
        return velta::installCommand(QCoreApplication::applicationDirPath(),
                                     QCoreApplication::arguments().mid(2), stdout, stderr);
    }
    QApplication app(argc, argv);
    velta::Show show(QApplication::applicationDirPath());
    if (!show.open()) {
        return 0;
    }
    return QApplication::exec();
}
