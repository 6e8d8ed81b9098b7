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
    ui_->Label18 = label(QStringLiteral("Label18"), this, QRect(8, -5, 352, 38),
                         boardFont(QStringLiteral("Arial"), 33, true), titleColour_,
                         QStringLiteral("Veltarama"), Qt::AlignLeft | Qt::AlignVCenter);

    ui_->Panel16 = panel(QStringLiteral("Panel16"), this, QRect(0, 39, 1158, 645));
    buildStage();

    ui_->Panel22 = panel(QStringLiteral("Panel22"), this, QRect(1083, 0, 73, 21));
    ui_->SpeedButton77 = new KeyButton(QStringLiteral("SpeedButton77"), QStringLiteral("\u2013"),
                                       QStringLiteral("Minimizar"), ui_->Panel22);
    ui_->SpeedButton11 = new KeyButton(QStringLiteral("SpeedButton11"), QStringLiteral("\u25A1"),
                                       QStringLiteral("Maximizar"), ui_->Panel22);
    ui_->SpeedButton12 = new KeyButton(QStringLiteral("SpeedButton12"), QStringLiteral("\u2715"),
                                       QStringLiteral("Cerrar"), ui_->Panel22);
    ui_->SpeedButton77->move(0, 0);
    ui_->SpeedButton11->move(24, 0);
    ui_->SpeedButton12->move(49, 0);

    ui_->Panel9 = label(QStringLiteral("Panel9"), this, QRect(446, 281, 185, 41), tahoma(11),
                        palette().color(QPalette::WindowText),
                        QStringLiteral("  Cargando datos, espere ... "), Qt::AlignCenter);
    ui_->Panel9->setFrameStyle(QFrame::Panel | QFrame::Raised);
    setBackground(ui_->Panel9, palette().color(QPalette::Button));
    ui_->Panel9->hide();

    buildCorner();

    ui_->Button3 = new QPushButton(this);
    ui_->Button3->setObjectName(QStringLiteral("Button3"));
    ui_->Button3->setGeometry(0, 32443, 75, 25);

    const auto hiddenField = [this](const QString& name, const QString& text) {
        auto* field = new QLineEdit(text, this);
        field->setObjectName(name);
        field->hide();
        return field;
    };
    // The last award and its side, shown from the game for whoever looks them up by name.
    ui_->ETotal = hiddenField(QStringLiteral("ETotal"), QStringLiteral("0"));
    ui_->EModo = hiddenField(QStringLiteral("EModo"), QString());

    ui_->SpeedButton76 = new KeyButton(QStringLiteral("SpeedButton76"), QString(), QString(), this);
    ui_->SpeedButton76->hide();

    buildReassignPanel();
    buildKeyList();
    buildSoundBankPanel();

    buildTimers();
}

// The cover, the frame, the board background and the three score pictures get their
// built-in pictures when the window is first shown, and only where no file replaced them.
void TForm1::buildStage() {
    ui_->Image2 = new ImageBox(QStringLiteral("Image2"), ui_->Panel16, ImageBox::Fit::Centre);
    ui_->Image2->setGeometry(28, 10, 1096, 601);

    ui_->Image13 = new ImageBox(QStringLiteral("Image13"), ui_->Panel16, ImageBox::Fit::Stretch);
    ui_->Image13->setGeometry(110, 31, 950, 590);
    ui_->Image13->hide();

    ui_->Image15 = new ImageBox(QStringLiteral("Image15"), ui_->Panel16);
    ui_->Image15->setGeometry(795, 585, 60, 56);
    ui_->Image15->setKeyOutBackground(true);
    ui_->Image15->hide();

    const auto teamName = [this](const QString& name, int x, const QString& text) {
        auto* e = new QLineEdit(text, ui_->Panel16);
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
    ui_->Edit16 = teamName(QStringLiteral("Edit16"), 13, QStringLiteral("Los Verdes"));
    ui_->Edit17 = teamName(QStringLiteral("Edit17"), 910, QStringLiteral("Los Púrpuras"));
    ui_->Edit17->setAlignment(Qt::AlignRight);

    ui_->Panel1 =
        panel(QStringLiteral("Panel1"), ui_->Panel16, QRect(185, 96, 798, 454), Qt::black);
    buildBoard();
    ui_->Panel1->hide();

    buildScoreBoxes();
    buildKeyRow();

    ui_->Panel5 =
        panel(QStringLiteral("Panel5"), ui_->Panel16, QRect(82, 624, 735, 29), backgroundColour_);
    ui_->Panel5->hide();
    ui_->Panel11 = label(
        QStringLiteral("Panel11"), ui_->Panel16, QRect(86, 622, 257, 22), tahoma(11), Qt::black,
        QStringLiteral("<--- Dé clic en este botón para ver al menú principal"), Qt::AlignCenter);
    setBackground(ui_->Panel11, QColor(245, 245, 245));
    ui_->Panel11->hide();

    ui_->Label53 = label(QStringLiteral("Label53"), ui_->Panel16, QRect(880, 590, 120, 64),
                         tahoma(53, true), kMoneyGreen, QStringLiteral("0"));

    ui_->Panel18 = new FastMoneyBoard(ui_->Panel16);
    ui_->Panel18->move(185, 100);
    ui_->Panel18->hide();
}

void TForm1::buildBoard() {
    ui_->Image4 = new ImageBox(QStringLiteral("Image4"), ui_->Panel1, ImageBox::Fit::Stretch);
    ui_->Image4->setGeometry(-6, 0, 813, 459);

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
            new ImageBox(QStringLiteral("Image%1").arg(5 + i), ui_->Panel1, ImageBox::Fit::Stretch);
        row.bar->setGeometry(18, barY[i], 777, (i == 2 || i == 3) ? 87 : 88);
    }
    for (int i = 0; i < 5; ++i) {
        ui_->rows[i].answer =
            label(QLatin1String(answerNames[i]), ui_->Panel1, QRect(45, answerY[i], 600, 57),
                  tahoma(32, true), kLime, QString(), Qt::AlignLeft | Qt::AlignVCenter);
        ui_->rows[i].answer->setWordWrap(true);
    }
    for (int i = 0; i < 5; ++i) {
        ui_->rows[i].points =
            label(QLatin1String(pointsNames[i]), ui_->Panel1, QRect(769 - 140, pointsY[i], 140, 60),
                  tahoma(48, true), kLime, QStringLiteral("0"), Qt::AlignRight | Qt::AlignVCenter);
    }
    ui_->Label16 =
        label(QStringLiteral("Label16"), ui_->Panel1, QRect(7, 4, 785, 69), tahoma(24, true),
              Qt::yellow, QStringLiteral("?"), Qt::AlignLeft | Qt::AlignTop);
    ui_->Label16->setWordWrap(true);
    for (int i = 0; i < 5; ++i) {
        QLabel* cover =
            label(QLatin1String(coverNames[i]), ui_->Panel1, QRect(26, coverY[i], 757, 54),
                  tahoma(48, true), kLime, QString::number(i + 1), Qt::AlignCenter);
        setBackground(cover, kCoverBlue);
        ui_->rows[i].cover = cover;
    }
    ui_->Image1 = new ImageBox(QStringLiteral("Image1"), ui_->Panel1, ImageBox::Fit::Centre);
    ui_->Image1->setGeometry(90, 124, 626, 209);
    ui_->Image1->setKeyOutBackground(true);
    ui_->Image3 = new ImageBox(QStringLiteral("Image3"), ui_->Panel1, ImageBox::Fit::Centre);
    ui_->Image3->setGeometry(106, 285, 585, 136);
    ui_->Image3->setKeyOutBackground(true);
    ui_->Image3->hide();
}

void TForm1::buildScoreBoxes() {
    const QFont digits = tahoma(64, true);
    ui_->Panel2 =
        panel(QStringLiteral("Panel2"), ui_->Panel16, QRect(739, 0, 145, 70), QColor(0, 0, 128));
    ui_->Image12 = new ImageBox(QStringLiteral("Image12"), ui_->Panel2, ImageBox::Fit::Stretch);
    ui_->Image12->setGeometry(-4, -1, 181, 96);
    ui_->Label17 = label(QStringLiteral("Label17"), ui_->Panel2, QRect(0, -4, 139, 78), digits,
                         Qt::white, QStringLiteral("00"), Qt::AlignRight | Qt::AlignVCenter);

    ui_->Panel3 =
        panel(QStringLiteral("Panel3"), ui_->Panel16, QRect(13, 252, 145, 70), QColor(0, 79, 79));
    ui_->Image10 = new ImageBox(QStringLiteral("Image10"), ui_->Panel3, ImageBox::Fit::Stretch);
    ui_->Image10->setGeometry(1, 0, 181, 89);
    ui_->Label19 = label(QStringLiteral("Label19"), ui_->Panel3, QRect(0, -4, 142, 78), digits,
                         Qt::white, QStringLiteral("00"), Qt::AlignRight | Qt::AlignVCenter);

    ui_->Panel4 =
        panel(QStringLiteral("Panel4"), ui_->Panel16, QRect(1014, 252, 145, 70), QColor(79, 0, 79));
    ui_->Image11 = new ImageBox(QStringLiteral("Image11"), ui_->Panel4, ImageBox::Fit::Stretch);
    ui_->Image11->setGeometry(-4, -3, 181, 89);
    ui_->Label20 = label(QStringLiteral("Label20"), ui_->Panel4, QRect(1, -4, 144, 78), digits,
                         Qt::white, QStringLiteral("00"), Qt::AlignLeft | Qt::AlignVCenter);

    ui_->Panel2->hide();
    ui_->Panel3->hide();
    ui_->Panel4->hide();
}

KeyButton* TForm1::makeKey(const QString& name, const QString& caption, int x,
                           const QString& hint) {
    auto* key = new KeyButton(name, caption, hint, ui_->Panel16);
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
    ui_->Panel17 =
        panel(QStringLiteral("Panel17"), this, QRect(1085, 603, 70, 87), backgroundColour_);
    ui_->Image17 = new ImageBox(QStringLiteral("Image17"), ui_->Panel17, ImageBox::Fit::Centre);
    ui_->Image17->setGeometry(0, 0, 69, 59);
    ui_->Image17->setImage(art::rawPictureResource(QStringLiteral(":/builtin/logo.raw")));
    ui_->Label22 = label(QStringLiteral("Label22"), ui_->Panel17, QRect(0, 64, 68, 16), tahoma(11),
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
    ui_->Timer1 = makeTimer(QStringLiteral("Timer1"), 3000, false);
    ui_->Timer2 = makeTimer(QStringLiteral("Timer2"), 500, true);
    ui_->Timer3 = makeTimer(QStringLiteral("Timer3"), 10000, false);
    ui_->Timer7 = makeTimer(QStringLiteral("Timer7"), 100, false);
    ui_->Timer9 = makeTimer(QStringLiteral("Timer9"), 5000, false);
    ui_->Timer10 = makeTimer(QStringLiteral("Timer10"), 1000, false);
    ui_->Timer11 = makeTimer(QStringLiteral("Timer11"), 100, false);
    ui_->Timer12 = makeTimer(QStringLiteral("Timer12"), 1000, true);
    ui_->Timer13 = makeTimer(QStringLiteral("Timer13"), 1000, false);
    fastMoneyClock_ = new FastMoneyClock(ui_->Timer13, steadyNowMs, this);
    ui_->Timer14 = makeTimer(QStringLiteral("Timer14"), 500, true);
    ui_->Timer15 = makeTimer(QStringLiteral("Timer15"), 1500, false);
}

}  // namespace velta
