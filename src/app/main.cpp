#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "board/TipStyle.h"
#include "board/Uvelta.h"
#include "platform/ProgramFolder.h"
#include "platform/QtDialogs.h"
#include "sound/QtSoundOutput.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("VELTA"));
    QApplication::setStyle(new velta::TipStyle);
    velta::setProgramFolder(QApplication::applicationDirPath());

    // Qt's own buttons and dialogs ("Sí", "No", "Cancelar") speak the operator's language.
    QTranslator qtSpanish;
    if (qtSpanish.load(QLocale(QLocale::Spanish), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtSpanish);
    }

    velta::QtDialogs dialogs;
    velta::setDialogs(&dialogs);
    velta::QtSoundOutput sound;
    velta::setSoundOutput(&sound);

    velta::TForm1 board;
    if (!board.isSingleInstance()) {
        return 0;
    }
    board.setAfterFirstPaint([&sound] { sound.warmUp(); });
    board.show();
    return QApplication::exec();
}
