// Start-up of the board window: what it reads from disk while it is created and when it is
// first shown.
#include <QApplication>
#include <QFileInfo>
#include <QScreen>
#include <QToolTip>

#include "art/Art.h"
#include "art/RawPicture.h"
#include "board/BoardStyle.h"
#include "board/BoardUi.h"
#include "board/Uvelta.h"
#include "content/RoundFiles.h"
#include "editing/Colours.h"
#include "editing/GameSettings.h"
#include "editing/SettingsStore.h"
#include "platform/Dialogs.h"
#include "platform/Guard.h"
#include "platform/ProgramFolder.h"
#include "platform/SingleInstance.h"
#include "sound/Sound.h"
#include "sound/SoundBank.h"

namespace velta {

namespace {

// The lock is held for the life of the process, whichever board window asked for it.
bool acquireProcessLock() {
    static SingleInstance lock;
    return lock.acquire();
}

// The built-in pictures take long to paint, the cover most of all: each is painted once a
// run, and only for a box that no picture file has filled by the time the window shows.
void fillWithBuiltIn(ImageBox* box, const QImage& (*builtIn)()) {
    if (box->image().isNull()) {
        box->setImage(builtIn());
    }
}

template <QImage (*paint)()>
const QImage& painted() {
    static const QImage picture = paint();
    return picture;
}

// painted at build time: decoding it costs a few milliseconds, painting it a hundred.
QImage builtInCover() {
    return art::rawPictureResource(QStringLiteral(":/builtin/cover.raw"));
}
QImage builtInFrame() {
    return art::frame();
}

}  // namespace

void TForm1::CreateBoardWindow() {
    singleInstance_ = acquireProcessLock();
    if (!singleInstance_) {
        dialogs().notice(QStringLiteral("Este programa ya se está ejecutando."));
        return;
    }

    QPalette tips = QToolTip::palette();
    tips.setColor(QPalette::ToolTipBase, QColor(0, 255, 255));
    tips.setColor(QPalette::ToolTipText, Qt::black);
    QToolTip::setPalette(tips);

    guarded([this] {
        doublePicturePath_ = mediaPath(QStringLiteral("Imagen\\Pictures\\dobles.bmp"));
        triplePicturePath_ = mediaPath(QStringLiteral("Imagen\\Pictures\\triples.bmp"));
        startPicturePath_ = mediaPath(QStringLiteral("Imagen\\Pictures\\ajugar.bmp"));

        ui_->countdown->clear();
        ui_->version->setText(QStringLiteral("V") + QStringLiteral(VELTA_VERSION));

        ui_->fastMoney->setGeometry(185, 100, 798, ui_->fastMoney->height());
        const int keyRowY = command('s')->y();
        ui_->menuCover->move(ui_->menuCover->x(), keyRowY + 2);
        ui_->menuHint->move(ui_->menuHint->x(), keyRowY);

        bank_->restore();
    });
}

void TForm1::loadStartPictures() {
    const struct {
        const char* file;
        ImageBox* box;
    } pictures[] = {
        {"Imagen\\Pictures\\fondo.bmp", ui_->boardBackground},
        {"Imagen\\Pictures\\cta_izq.bmp", ui_->leftScorePicture},
        {"Imagen\\Pictures\\cta_der.bmp", ui_->rightScorePicture},
        {"Imagen\\Pictures\\cta_total.bmp", ui_->potPicture},
        {"Imagen\\Pictures\\marco.bmp", ui_->frame},
    };
    for (const auto& picture : pictures) {
        const QString path = currentDirPath(QLatin1String(picture.file));
        if (picture.box->image().isNull() && QFileInfo::exists(path)) {
            picture.box->loadFile(path);
        }
    }
}

// Everything these pictures dress is hidden on the cover screen, so they are read and
// painted right after the cover's first paint instead of delaying it. A frame named by the
// frame setting has filled its box by then and stays.
void TForm1::loadHiddenPictures() {
    loadStartPictures();
    fillWithBuiltIn(ui_->frame, painted<builtInFrame>);
    fillWithBuiltIn(ui_->boardBackground, painted<art::boardBackground>);
    ui_->fastMoney->background()->setImage(painted<art::boardBackground>());
    fillWithBuiltIn(ui_->leftScorePicture, painted<art::scoreBoxLeft>);
    fillWithBuiltIn(ui_->rightScorePicture, painted<art::scoreBoxRight>);
    fillWithBuiltIn(ui_->potPicture, painted<art::potBox>);
    if (ui_->nextArrow->image().isNull()) {
        ui_->nextArrow->setImage(art::nextArrow());
    }
    for (int i = 0; i < 5; ++i) {
        if (ui_->rows[i].bar->image().isNull()) {
            ui_->rows[i].bar->setImage(art::rowBar(i + 1));
        }
    }
    picturesReady_ = true;
}

void TForm1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!shownOnce_) {
        shownOnce_ = true;
        if (QScreen* monitor = screen()) {
            move(monitor->availableGeometry().center() - rect().center());
        }
        guarded([this] { ShowBoardWindow(); });
        fillWithBuiltIn(ui_->cover, painted<builtInCover>);
    }
}

// The settings files are read and shown on the board before its first paint. A cover
// setting also hides the menu by itself after a while; a title setting without a cover of
// the operator's own opens the theme prompt. Settings files that cannot be read are named
// in one message, and the show starts on their defaults.
void TForm1::ShowBoardWindow() {
    QStringList unreadable;
    QStringList notices;
    const GameSettings stored = settingsStore_->load(&unreadable, &notices);
    if (!unreadable.isEmpty()) {
        unreadable << QStringLiteral("Lo que guardan toma sus valores predeterminados.");
        dialogs().error(unreadable.join('\n'));
    }
    for (const QString& notice : notices) {
        dialogs().notice(notice);
    }
    applySettings(stored);
    if (stored.coverImage) {
        ui_->menuAutoHideTimer->start();
    }
    if (QFileInfo::exists(programPath(kTitleFile)) && !QFileInfo::exists(ownCoverPath())) {
        ui_->firstStartThemeTimer->start();
    }
    setWindowState(Qt::WindowNoState);
    setTeamNameFontSizes(16, 12, 15);
    ui_->stage->update();
}

void TForm1::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    if (!paintedOnce_) {
        paintedOnce_ = true;
        QTimer::singleShot(0, this, [this] {
            if (afterFirstPaint_) {
                afterFirstPaint_();
            }
            loadHiddenPictures();
        });
    }
}

void TForm1::introTick() {
    ui_->introTimer->stop();
    if (singleInstance_) {
        PlayEffectLooped(effects::kIntro);
    }
}

// The first start of a show offers the themes, unless one was accepted before; the marker
// lives in the program folder, wherever the program was started from. The control window,
// made right after the cover's first paint, may not be there yet: the prompt waits for it.
void TForm1::firstStartThemeTick() {
    ui_->firstStartThemeTimer->stop();
    if (markerPresent(kThemeMarker)) {
        return;
    }
    if (control_ == &noControl_) {
        ui_->firstStartThemeTimer->start();
        return;
    }
    openThemes();
}

void TForm1::acceptedThemeTick() {
    ui_->acceptedThemeTimer->stop();
    control_->themeAccepted();
}

}  // namespace velta
