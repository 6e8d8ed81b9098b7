// Start-up of the board window: what it reads from disk while it is created and when it is
// first shown.
#include <QApplication>
#include <QFileInfo>
#include <QImageReader>
#include <QScreen>
#include <QToolTip>

#include "art/Art.h"
#include "board/BoardStyle.h"
#include "board/Uvelta.h"
#include "content/RoundFiles.h"
#include "editing/Colours.h"
#include "editing/GameSettings.h"
#include "platform/Dialogs.h"
#include "platform/Guard.h"
#include "platform/ProgramFolder.h"
#include "platform/SingleInstance.h"
#include "sound/Sound.h"

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
    // The faster of the decoder's two ways: it shows on the cover screen at once.
    QImageReader reader(QStringLiteral(":/builtin/cover.jpg"));
    reader.setQuality(49);
    return reader.read();
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
    qApp->installEventFilter(this);

    QPalette tips = QToolTip::palette();
    tips.setColor(QPalette::ToolTipBase, QColor(0, 255, 255));
    tips.setColor(QPalette::ToolTipText, Qt::black);
    QToolTip::setPalette(tips);

    guarded([this] {
        Edit22->setText(ResolveRoundFolder(programFolder()));

        doublePicturePath_ = programPath(QStringLiteral("Imagen\\Pictures\\dobles.bmp"));
        triplePicturePath_ = programPath(QStringLiteral("Imagen\\Pictures\\triples.bmp"));
        startPicturePath_ = programPath(QStringLiteral("Imagen\\Pictures\\ajugar.bmp"));

        Label53->clear();
        Label22->setText(QStringLiteral("V") + QStringLiteral(VELTA_VERSION));

        Panel18->setGeometry(185, 100, 798, Panel18->height());
        Panel5->move(Panel5->x(), SpeedButton3->y() + 2);
        Panel11->move(Panel11->x(), SpeedButton3->y());

        readTeamNames();
        readTitle();

        setBackground(Panel5, backgroundColour_);
        setBackground(Panel17, backgroundColour_);
    });
}

void TForm1::loadStartPictures() {
    const struct {
        const char* file;
        ImageBox* box;
    } pictures[] = {
        {"Imagen\\Pictures\\fondo.bmp", Image4},    {"Imagen\\Pictures\\cta_izq.bmp", Image10},
        {"Imagen\\Pictures\\cta_der.bmp", Image11}, {"Imagen\\Pictures\\cta_total.bmp", Image12},
        {"Imagen\\Pictures\\marco.bmp", Image13},
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
    fillWithBuiltIn(Image13, painted<builtInFrame>);
    fillWithBuiltIn(Image4, painted<art::boardBackground>);
    fillWithBuiltIn(Image10, painted<art::scoreBoxLeft>);
    fillWithBuiltIn(Image11, painted<art::scoreBoxRight>);
    fillWithBuiltIn(Image12, painted<art::potBox>);
    if (Image15->image().isNull()) {
        Image15->setImage(art::nextArrow());
    }
    for (int i = 0; i < 5; ++i) {
        if (rows[i].bar->image().isNull()) {
            rows[i].bar->setImage(art::rowBar(i + 1));
        }
    }
    picturesReady_ = true;
}

void TForm1::readTeamNames() {
    const auto lines = readLinesFile(programPath(kTeamsFile));
    if (!lines) {
        return;
    }
    QString left = Edit16->text();
    QString right = Edit17->text();
    takeLine(*lines, 1, left);
    takeLine(*lines, 2, right);
    Edit16->setText(left);
    Edit17->setText(right);
}

void TForm1::readTitle() {
    const QString file = programPath(kTitleFile);
    const auto lines = readLinesFile(file);
    if (!lines) {
        return;
    }
    if (!lines->value(0).isEmpty()) {
        applyTitle(lines->value(0));
    }
    // A colour name the table does not know keeps the default colour; the operator is told
    // which line holds it, and start-up goes on.
    QStringList unknown;
    if (!lines->value(1).isEmpty() && !applyTitleColour(lines->value(1))) {
        unknown << unknownColourMessage(file, 2, lines->value(1));
    }
    if (!lines->value(2).isEmpty() && !applyBackgroundColour(lines->value(2))) {
        unknown << unknownColourMessage(file, 3, lines->value(2));
    }
    if (!unknown.isEmpty()) {
        dialogs().notice(unknown.join('\n'));
    }
    if (!QFileInfo::exists(programPath(QStringLiteral("Imagen\\Titles\\portada.jpg")))) {
        Timer7->start();
    }
}

void TForm1::applyTitle(const QString& text) {
    Label18->setText(text);
    Label18->adjustSize();
    Label18->resize(qMax(Label18->width(), 352), 38);
}

bool TForm1::applyTitleColour(const QString& name) {
    const auto colour = lookupColour(name);
    if (!colour) {
        return false;
    }
    titleColour_ = colour->colour.isValid() ? colour->colour
                                            : lookupColour(QStringLiteral("HotLight"))->colour;
    setTextColour(Label18, QPalette::WindowText, titleColour_);
    setTextColour(Edit16, QPalette::Text, titleColour_);
    setTextColour(Edit17, QPalette::Text, titleColour_);
    for (KeyButton* key : keyButtons_) {
        key->setCaptionColour(titleColour_);
    }
    SpeedButton11->setCaptionColour(titleColour_);
    SpeedButton12->setCaptionColour(titleColour_);
    SpeedButton77->setCaptionColour(titleColour_);
    return true;
}

bool TForm1::applyBackgroundColour(const QString& name) {
    const auto colour = lookupColour(name);
    if (!colour) {
        return false;
    }
    backgroundColour_ =
        colour->colour.isValid() ? colour->colour : lookupColour(QStringLiteral("Window"))->colour;
    setBackground(this, backgroundColour_);
    setBackground(Panel5, backgroundColour_);
    setBackground(Panel17, backgroundColour_);
    return true;
}

void TForm1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!shownOnce_) {
        shownOnce_ = true;
        if (QScreen* monitor = screen()) {
            move(monitor->availableGeometry().center() - rect().center());
        }
        guarded([this] { ShowBoardWindow(); });
        fillWithBuiltIn(Image2, painted<builtInCover>);
    }
}

void TForm1::ShowBoardWindow() {
    QString cover = programPath(QStringLiteral("Imagen\\Titles\\portada.jpg"));
    if (!QFileInfo::exists(cover)) {
        cover = programPath(QStringLiteral("Imagen\\Titles\\portada1.jpg"));
    }
    if (QFileInfo::exists(programPath(kCoverFile))) {
        if (const auto stored = readPathFile(programPath(kCoverFile))) {
            cover = *stored;
        }
        Timer3->start();
        options_.coverPath = cover;
        Panel9->show();
        Panel9->raise();
        repaint();
        if (!QFileInfo::exists(normalizeSeparators(cover))) {
            dialogs().notice(QStringLiteral("No se encontró la imagen de portada:\n") + cover);
        } else if (!Image2->loadFile(cover)) {
            dialogs().notice(QStringLiteral("No se pudo leer la imagen de portada:\n") + cover);
        }
    }
    if (QFileInfo::exists(programPath(kFrameFile))) {
        const QString frame = readPathFile(programPath(kFrameFile)).value_or(QString());
        options_.framePath = frame;
        Panel9->show();
        Panel9->raise();
        repaint();
        if (frame.isEmpty() || !QFileInfo::exists(normalizeSeparators(frame))) {
            dialogs().notice(QStringLiteral("No se encontró la imagen de marco:\n") + frame);
        } else if (!Image13->loadFile(frame)) {
            dialogs().notice(QStringLiteral("No se pudo leer la imagen de marco:\n") + frame);
        }
    }
    Panel9->hide();
    setWindowState(Qt::WindowNoState);
    readOptionMarkers();
    setTeamNameFontSizes(16, 12, 15);
    Panel16->update();
}

void TForm1::readOptionMarkers() {
    options_.multipliersInNormal = !markerPresent(kMultipliersOffMarker);
    options_.accumulateInEasy = markerPresent(kAccumulateEasyMarker);
    options_.hideQuestion = markerPresent(kHideQuestionMarker);
    if (options_.hideQuestion) {
        Label16->hide();
    }
}

void TForm1::setTeamNameFontSizes(int shortPoints, int longPoints, int longFrom) {
    for (QLineEdit* edit : {Edit16, Edit17}) {
        QFont f = edit->font();
        f.setPointSize(edit->text().size() < longFrom ? shortPoints : longPoints);
        edit->setFont(f);
    }
}

QString TForm1::roundFolder() const {
    return Edit22->text();
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
    Timer12->stop();
    if (singleInstance_) {
        PlayEffectLooped(effects::kIntro);
    }
}

void TForm1::firstStartThemeTick() {
    Timer7->stop();
}

}  // namespace velta
