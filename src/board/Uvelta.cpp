#include "board/Uvelta.h"

#include <QFont>

#include "art/RawPicture.h"
#include "board/BoardStyle.h"
#include "board/BoardUi.h"
#include "board/CommandTable.h"
#include "board/FastMoneyClock.h"
#include "board/KeyRouter.h"
#include "editing/Colours.h"
#include "editing/SettingsStore.h"
#include "game/Buzzers.h"
#include "platform/Guard.h"
#include "platform/SteadyClock.h"
#include "sound/SoundBank.h"

namespace velta {

namespace {

QWidget* panel(const QString& name, QWidget* parent, const QRect& geometry,
               const QColor& colour = QColor()) {
    auto* w = new QWidget(parent);
    w->setObjectName(name);
    w->setGeometry(geometry);
    if (colour.isValid()) {
        w->setAutoFillBackground(true);
        QPalette p = w->palette();
        p.setColor(QPalette::Window, colour);
        w->setPalette(p);
    }
    return w;
}

QLabel* label(const QString& name, QWidget* parent, const QRect& geometry, const QFont& font,
              const QColor& colour, const QString& text = QString(),
              Qt::Alignment align = Qt::AlignLeft | Qt::AlignTop) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setGeometry(geometry);
    l->setFont(font);
    l->setAlignment(align);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, colour);
    l->setPalette(p);
    return l;
}

// Where the desktop has no Tahoma or Arial, look-alike fonts stand in for them.
void substituteFonts() {
    QFont::insertSubstitutions(QStringLiteral("Tahoma"),
                               {QStringLiteral("DejaVu Sans"), QStringLiteral("Verdana")});
    QFont::insertSubstitutions(QStringLiteral("Arial"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
}

const QColor kLime(0x00, 0xFF, 0x00);
const QColor kCoverBlue(0, 128, 255);
const QColor kMoneyGreen(0xC0, 0xDC, 0xC0);
const QColor kMedGray(0xA0, 0xA0, 0xA4);

}  // namespace

TForm1::TForm1()
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), ui_(std::make_unique<BoardUi>()) {
    setObjectName(QStringLiteral("TForm1"));
    setWindowTitle(QStringLiteral("VELTA"));
    substituteFonts();
    setFont(tahoma(11));
    resize(1156, 698);
    titleColour_ = lookupColour(QStringLiteral("HotLight"))->colour;
    backgroundColour_ = lookupColour(QStringLiteral("Window"))->colour;
    setBackground(this, backgroundColour_);
    keys_ = new KeyRouter(this);
    bank_ = new SoundBank(this);
    game_ = new Game(savedCommands(), commandsEnabledAtStart(), this);
    buzzers_ = new Buzzers({}, this);
    settingsStore_ = new SettingsStore(this);
    connect(settingsStore_, &SettingsStore::changed, this, &TForm1::applySettings);
    buildWindow();
    connectCommands();
    followGame();
    followBuzzers();
    showCommands();
    CreateBoardWindow();
}

TForm1::~TForm1() = default;

void TForm1::buildWindow() {
    ui_->title = label(QStringLiteral("Label18"), this, QRect(8, -5, 352, 38),
                       boardFont(QStringLiteral("Arial"), 33, true), titleColour_,
                       QStringLiteral("Veltarama"), Qt::AlignLeft | Qt::AlignVCenter);

    ui_->stage = panel(QStringLiteral("Panel16"), this, QRect(0, 39, 1158, 645));
    buildStage();

    ui_->windowButtons = panel(QStringLiteral("Panel22"), this, QRect(1083, 0, 73, 21));
    ui_->minimiseButton = new KeyButton(QStringLiteral("SpeedButton77"), QStringLiteral("\u2013"),
                                        QStringLiteral("Minimizar"), ui_->windowButtons);
    ui_->maximiseButton = new KeyButton(QStringLiteral("SpeedButton11"), QStringLiteral("\u25A1"),
                                        QStringLiteral("Maximizar"), ui_->windowButtons);
    ui_->closeButton = new KeyButton(QStringLiteral("SpeedButton12"), QStringLiteral("\u2715"),
                                     QStringLiteral("Cerrar"), ui_->windowButtons);
    ui_->minimiseButton->move(0, 0);
    ui_->maximiseButton->move(24, 0);
    ui_->closeButton->move(49, 0);

    ui_->loadingNotice = label(QStringLiteral("Panel9"), this, QRect(446, 281, 185, 41), tahoma(11),
                               palette().color(QPalette::WindowText),
                               QStringLiteral("  Cargando datos, espere ... "), Qt::AlignCenter);
    ui_->loadingNotice->setFrameStyle(QFrame::Panel | QFrame::Raised);
    setBackground(ui_->loadingNotice, palette().color(QPalette::Button));
    ui_->loadingNotice->hide();

    buildCorner();

    ui_->focusSink = new QPushButton(this);
    ui_->focusSink->setObjectName(QStringLiteral("Button3"));
    ui_->focusSink->setGeometry(0, 32443, 75, 25);

    const auto hiddenField = [this](const QString& name, const QString& text) {
        auto* field = new QLineEdit(text, this);
        field->setObjectName(name);
        field->hide();
        return field;
    };
    // The last award and its side, shown from the game for whoever looks them up by name.
    ui_->lastAwardField = hiddenField(QStringLiteral("ETotal"), QStringLiteral("0"));
    ui_->lastSideField = hiddenField(QStringLiteral("EModo"), QString());

    ui_->fitButton = new KeyButton(QStringLiteral("SpeedButton76"), QString(), QString(), this);
    ui_->fitButton->hide();

    buildReassignPanel();
    buildKeyList();
    buildSoundBankPanel();

    buildTimers();
}

// The cover, the frame, the board background and the three score pictures get their
// built-in pictures when the window is first shown, and only where no file replaced them.
void TForm1::buildStage() {
    ui_->cover = new ImageBox(QStringLiteral("Image2"), ui_->stage, ImageBox::Fit::Centre);
    ui_->cover->setGeometry(28, 10, 1096, 601);

    ui_->frame = new ImageBox(QStringLiteral("Image13"), ui_->stage, ImageBox::Fit::Stretch);
    ui_->frame->setGeometry(110, 31, 950, 590);
    ui_->frame->hide();

    ui_->nextArrow = new ImageBox(QStringLiteral("Image15"), ui_->stage);
    ui_->nextArrow->setGeometry(795, 585, 60, 56);
    ui_->nextArrow->setKeyOutBackground(true);
    ui_->nextArrow->hide();

    const auto teamName = [this](const QString& name, int x, const QString& text) {
        auto* e = new QLineEdit(text, ui_->stage);
        e->setObjectName(name);
        e->setGeometry(x, 0, 240, 31);
        e->setFrame(false);
        e->setFont(tahoma(21));
        QPalette p = e->palette();
        p.setColor(QPalette::Base, Qt::transparent);
        p.setColor(QPalette::Text, titleColour_);
        e->setPalette(p);
        e->hide();
        return e;
    };
    ui_->leftTeamName = teamName(QStringLiteral("Edit16"), 13, QStringLiteral("Los Verdes"));
    ui_->rightTeamName = teamName(QStringLiteral("Edit17"), 910, QStringLiteral("Los Púrpuras"));
    ui_->rightTeamName->setAlignment(Qt::AlignRight);

    ui_->board = panel(QStringLiteral("Panel1"), ui_->stage, QRect(185, 96, 798, 454), Qt::black);
    buildBoard();
    ui_->board->hide();

    buildScoreBoxes();
    buildKeyRow();

    ui_->menuCover =
        panel(QStringLiteral("Panel5"), ui_->stage, QRect(82, 624, 735, 29), backgroundColour_);
    ui_->menuCover->hide();
    ui_->menuHint = label(
        QStringLiteral("Panel11"), ui_->stage, QRect(86, 622, 257, 22), tahoma(11), Qt::black,
        QStringLiteral("<--- Dé clic en este botón para ver al menú principal"), Qt::AlignCenter);
    setBackground(ui_->menuHint, QColor(245, 245, 245));
    ui_->menuHint->hide();

    ui_->countdown = label(QStringLiteral("Label53"), ui_->stage, QRect(880, 590, 120, 64),
                           tahoma(53, true), kMoneyGreen, QStringLiteral("0"));

    ui_->fastMoney = new FastMoneyBoard(ui_->stage);
    ui_->fastMoney->move(185, 100);
    ui_->fastMoney->hide();
}

void TForm1::buildBoard() {
    ui_->boardBackground =
        new ImageBox(QStringLiteral("Image4"), ui_->board, ImageBox::Fit::Stretch);
    ui_->boardBackground->setGeometry(-6, 0, 813, 459);

    static const int barY[] = {72, 143, 214, 285, 356};
    static const int answerY[] = {84, 155, 227, 299, 369};
    static const int pointsY[] = {80, 152, 225, 297, 366};
    static const int coverY[] = {87, 159, 228, 299, 371};
    static const char* const coverNames[] = {"Label1", "Label4", "Label7", "Label10", "Label13"};
    static const char* const answerNames[] = {"Label2", "Label5", "Label8", "Label11", "Label14"};
    static const char* const pointsNames[] = {"Label3", "Label6", "Label9", "Label12", "Label15"};

    for (int i = 0; i < 5; ++i) {
        AnswerRow& row = ui_->rows[i];
        row.bar =
            new ImageBox(QStringLiteral("Image%1").arg(5 + i), ui_->board, ImageBox::Fit::Stretch);
        row.bar->setGeometry(18, barY[i], 777, (i == 2 || i == 3) ? 87 : 88);
    }
    for (int i = 0; i < 5; ++i) {
        ui_->rows[i].answer =
            label(QLatin1String(answerNames[i]), ui_->board, QRect(45, answerY[i], 600, 57),
                  tahoma(32, true), kLime, QString(), Qt::AlignLeft | Qt::AlignVCenter);
        ui_->rows[i].answer->setWordWrap(true);
    }
    for (int i = 0; i < 5; ++i) {
        ui_->rows[i].points =
            label(QLatin1String(pointsNames[i]), ui_->board, QRect(769 - 140, pointsY[i], 140, 60),
                  tahoma(48, true), kLime, QStringLiteral("0"), Qt::AlignRight | Qt::AlignVCenter);
    }
    ui_->question =
        label(QStringLiteral("Label16"), ui_->board, QRect(7, 4, 785, 69), tahoma(24, true),
              Qt::yellow, QStringLiteral("?"), Qt::AlignLeft | Qt::AlignTop);
    ui_->question->setWordWrap(true);
    for (int i = 0; i < 5; ++i) {
        QLabel* cover =
            label(QLatin1String(coverNames[i]), ui_->board, QRect(26, coverY[i], 757, 54),
                  tahoma(48, true), kLime, QString::number(i + 1), Qt::AlignCenter);
        setBackground(cover, kCoverBlue);
        ui_->rows[i].cover = cover;
    }
    ui_->roundSplash = new ImageBox(QStringLiteral("Image1"), ui_->board, ImageBox::Fit::Centre);
    ui_->roundSplash->setGeometry(90, 124, 626, 209);
    ui_->roundSplash->setKeyOutBackground(true);
    ui_->pointsSplash = new ImageBox(QStringLiteral("Image3"), ui_->board, ImageBox::Fit::Centre);
    ui_->pointsSplash->setGeometry(106, 285, 585, 136);
    ui_->pointsSplash->setKeyOutBackground(true);
    ui_->pointsSplash->hide();
}

void TForm1::buildScoreBoxes() {
    const QFont digits = tahoma(64, true);
    ui_->potBox =
        panel(QStringLiteral("Panel2"), ui_->stage, QRect(739, 0, 145, 70), QColor(0, 0, 128));
    ui_->potPicture = new ImageBox(QStringLiteral("Image12"), ui_->potBox, ImageBox::Fit::Stretch);
    ui_->potPicture->setGeometry(-4, -1, 181, 96);
    ui_->pot = label(QStringLiteral("Label17"), ui_->potBox, QRect(0, -4, 139, 78), digits,
                     Qt::white, QStringLiteral("00"), Qt::AlignRight | Qt::AlignVCenter);

    ui_->leftScoreBox =
        panel(QStringLiteral("Panel3"), ui_->stage, QRect(13, 252, 145, 70), QColor(0, 79, 79));
    ui_->leftScorePicture =
        new ImageBox(QStringLiteral("Image10"), ui_->leftScoreBox, ImageBox::Fit::Stretch);
    ui_->leftScorePicture->setGeometry(1, 0, 181, 89);
    ui_->leftScore =
        label(QStringLiteral("Label19"), ui_->leftScoreBox, QRect(0, -4, 142, 78), digits,
              Qt::white, QStringLiteral("00"), Qt::AlignRight | Qt::AlignVCenter);

    ui_->rightScoreBox =
        panel(QStringLiteral("Panel4"), ui_->stage, QRect(1014, 252, 145, 70), QColor(79, 0, 79));
    ui_->rightScorePicture =
        new ImageBox(QStringLiteral("Image11"), ui_->rightScoreBox, ImageBox::Fit::Stretch);
    ui_->rightScorePicture->setGeometry(-4, -3, 181, 89);
    ui_->rightScore =
        label(QStringLiteral("Label20"), ui_->rightScoreBox, QRect(1, -4, 144, 78), digits,
              Qt::white, QStringLiteral("00"), Qt::AlignLeft | Qt::AlignVCenter);

    ui_->potBox->hide();
    ui_->leftScoreBox->hide();
    ui_->rightScoreBox->hide();
}

KeyButton* TForm1::makeKey(const QString& name, const QString& caption, int x,
                           const QString& hint) {
    auto* key = new KeyButton(name, caption, hint, ui_->stage);
    key->move(x, 622);
    keys_->add(key);
    return key;
}

void TForm1::buildKeyRow() {
    for (const Command& c : commandTable()) {
        KeyButton* key =
            makeKey(QLatin1String(c.boardName), QStringLiteral("&") + QLatin1Char(c.letter),
                    c.boardX, QString::fromUtf8(c.hint));
        if (c.letter >= '1' && c.letter <= '5') {
            ui_->rows[c.letter - '1'].key = key;
        }
    }
}

void TForm1::buildCorner() {
    ui_->corner =
        panel(QStringLiteral("Panel17"), this, QRect(1085, 603, 70, 87), backgroundColour_);
    ui_->cornerLogo = new ImageBox(QStringLiteral("Image17"), ui_->corner, ImageBox::Fit::Centre);
    ui_->cornerLogo->setGeometry(0, 0, 69, 59);
    ui_->cornerLogo->setImage(art::rawPictureResource(QStringLiteral(":/builtin/logo.raw")));
    ui_->version = label(QStringLiteral("Label22"), ui_->corner, QRect(0, 64, 68, 16), tahoma(11),
                         kMedGray, QString(), Qt::AlignRight | Qt::AlignVCenter);
}

QTimer* TForm1::makeTimer(const QString& name, int interval, bool active) {
    auto* timer = new QTimer(this);
    timer->setObjectName(name);
    timer->setInterval(interval);
    if (active) {
        timer->start();
    }
    return timer;
}

void TForm1::buildTimers() {
    ui_->splashTimer = makeTimer(QStringLiteral("Timer1"), 3000, false);
    ui_->blinkTimer = makeTimer(QStringLiteral("Timer2"), 500, true);
    ui_->menuAutoHideTimer = makeTimer(QStringLiteral("Timer3"), 10000, false);
    ui_->firstStartThemeTimer = makeTimer(QStringLiteral("Timer7"), 100, false);
    ui_->autoStrikeTimer = makeTimer(QStringLiteral("Timer9"), 5000, false);
    ui_->countdownTimer = makeTimer(QStringLiteral("Timer10"), 1000, false);
    ui_->acceptedThemeTimer = makeTimer(QStringLiteral("Timer11"), 100, false);
    ui_->introTimer = makeTimer(QStringLiteral("Timer12"), 1000, true);
    ui_->fastMoneyClockTimer = makeTimer(QStringLiteral("Timer13"), 1000, false);
    fastMoneyClock_ = new FastMoneyClock(ui_->fastMoneyClockTimer, steadyNowMs, this);
    ui_->winnerBlinkTimer = makeTimer(QStringLiteral("Timer14"), 500, true);
    ui_->noticeTimer = makeTimer(QStringLiteral("Timer15"), 1500, false);
}

}  // namespace velta
