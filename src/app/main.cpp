#include <QApplication>
#include <QGuiApplication>
#include <cstdio>

#include "app/Show.h"
#include "editing/QuestionCommands.h"
#include "packs/InstallCommand.h"

int main(int argc, char* argv[]) {
    // Installing a pack needs no window, so it runs on machines without a desktop too.
    if (argc > 1 && QString::fromLocal8Bit(argv[1]) == velta::kInstallOption) {
        QCoreApplication app(argc, argv);
        return velta::installCommand(QCoreApplication::applicationDirPath(),
                                     QCoreApplication::arguments().mid(2), stdout, stderr);
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
        return velta::questionCommand(QCoreApplication::applicationDirPath(), arguments[1],
                                      arguments.mid(2), stdout, stderr);
    }
    QApplication app(argc, argv);
    velta::Show show(QApplication::applicationDirPath());
    if (!show.open()) {
        return 0;
    }
    return QApplication::exec();
}
