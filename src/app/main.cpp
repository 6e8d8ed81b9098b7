#include <QApplication>

#include "app/Show.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    velta::Show show(QApplication::applicationDirPath());
    if (!show.open()) {
        return 0;
    }
    return QApplication::exec();
}
