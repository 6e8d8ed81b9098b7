#include "app/Show.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QTimer>
#include <QTranslator>

#include "app/AutoSave.h"
#include "board/TipStyle.h"
#include "board/Uvelta.h"
#include "console/UConfig.h"
#include "packs/PackInstall.h"
#include "platform/Guard.h"
#include "platform/ProgramFolder.h"

namespace velta {

void prepareApplication() {
    static bool prepared = false;
    if (prepared) {
        return;
    }
    prepared = true;
    QApplication::setApplicationName(QStringLiteral("VELTA"));
    QApplication::setStyle(new TipStyle);
    // Qt's own buttons and dialogs ("Sí", "No", "Cancelar") speak the operator's language.
    auto* qtSpanish = new QTranslator(qApp);
    if (qtSpanish->load(QLocale(QLocale::Spanish), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(qtSpanish);
    }
}

Show::Show(const QString& programFolder, const QString& showFolder) {
    prepareApplication();
    setProgramFolder(programFolder);
    // Packs installed from the command line wait until the show ends: the lock is held from
    // here. A folder that cannot hold it still runs the show.
    place_ =
        placeShow(programFolder, showFolder,
                  QStandardPaths::writableLocation(QStandardPaths::AppDataLocation), folderLock_);
    setShowFolder(place_.folder, place_.writable);
    setDialogs(&dialogs_);
    setSoundOutput(&sound_);
}

Show::~Show() {
    if (board_) {
        board_->setControlLink(nullptr);
    }
    console_.reset();
    board_.reset();
    setSoundOutput(nullptr);
    setDialogs(nullptr);
}

bool Show::open(std::function<void()> afterFirstPaint) {
    // The show folder's lock was taken when the folder was chosen: with it held, an install
    // cut short is taken back before the board reads its rounds folder.
    if (folderLock_.held()) {
        finishCutShortInstall();
    }
    board_ = std::make_unique<TForm1>();
    if (!board_->isSingleInstance()) {
        return false;
    }
    if (!place_.problem.isEmpty()) {
        dialogs_.error(place_.problem);
    }
    // The control window is made in the idle time after the cover's first paint and the
    // pictures behind it: the audience never waits for it.
    board_->setAfterFirstPaint([this, afterFirstPaint = std::move(afterFirstPaint)] {
        sound_.warmUp();
        QTimer::singleShot(0, board_.get(), [this] {
            console_ = std::make_unique<TFConfig>(*board_);
            board_->setControlLink(console_.get());
            dialogs_.setOperatorWindow(console_.get());
            // The game in progress is kept from here on; an unfinished one is offered back.
            autoSave_ = new AutoSave(*board_);
            QObject::connect(qApp, &QCoreApplication::aboutToQuit, autoSave_, &AutoSave::finish);
            guarded([this] { autoSave_->offerRestore(); });
        });
        if (afterFirstPaint) {
            afterFirstPaint();
        }
    });
    board_->show();
    return true;
}

}  // namespace velta
