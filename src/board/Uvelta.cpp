#include "board/Uvelta.h"

#include <QApplication>
#include <QFont>

#include "board/BoardStyle.h"
#include "editing/Colours.h"
#include "platform/Guard.h"

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

// Where the desktop has no tahoma or Arial, look-alike fonts stand in for them.
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

TForm1::TForm1() : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("TForm1"));
    setWindowTitle(QStringLiteral("VELTA"));
    substituteFonts();
    setFont(tahoma(11));
    resize(1156, 698);
    titleColour_ = lookupColour(QStringLiteral("HotLight"))->colour;
    backgroundColour_ = lookupColour(QStringLiteral("Window"))->colour;
    setBackground(this, backgroundColour_);
    buildWindow();
    connectCommands();
    CreateBoardWindow();
}

TForm1::~TForm1() {
    qApp->removeEventFilter(this);
}

void TForm1::buildWindow() {
    Label18 = label(QStringLiteral("Label18"), this, QRect(8, -5, 352, 38),
                    boardFont(QStringLiteral("Arial"), 33, true), titleColour_,
                    QStringLiteral("Veltarama"), Qt::AlignLeft | Qt::AlignVCenter);

    Panel16 = panel(QStringLiteral("Panel16"), this, QRect(0, 39, 1158, 645));
    buildStage();

    Panel22 = panel(QStringLiteral("Panel22"), this, QRect(1083, 0, 73, 21));
    SpeedButton77 = new KeyButton(QStringLiteral("SpeedButton77"), QStringLiteral("\u2013"),
                                  QStringLiteral("Minimizar"), Panel22);
    SpeedButton11 = new KeyButton(QStringLiteral("SpeedButton11"), QStringLiteral("\u25A1"),
                                  QStringLiteral("Maximizar"), Panel22);
    SpeedButton12 = new KeyButton(QStringLiteral("SpeedButton12"), QStringLiteral("\u2715"),
                                  QStringLiteral("Cerrar"), Panel22);
    SpeedButton77->move(0, 0);
    SpeedButton11->move(24, 0);
    SpeedButton12->move(49, 0);
    connect(SpeedButton77, &KeyButton::clicked, this, [this] { showMinimized(); });
    connect(SpeedButton12, &KeyButton::clicked, this, [this] { close(); });

    Panel9 = label(QStringLiteral("Panel9"), this, QRect(446, 281, 185, 41), tahoma(11),
                   palette().color(QPalette::WindowText),
                   QStringLiteral("  Cargando datos, espere ... "), Qt::AlignCenter);
    Panel9->setFrameStyle(QFrame::Panel | QFrame::Raised);
    setBackground(Panel9, palette().color(QPalette::Button));
    Panel9->hide();

    buildCorner();

    Button3 = new QPushButton(this);
    Button3->setObjectName(QStringLiteral("Button3"));
    Button3->setGeometry(0, 32443, 75, 25);

    const auto hiddenField = [this](const QString& name, const QString& text) {
        auto* field = new QLineEdit(text, this);
        field->setObjectName(name);
        field->hide();
        return field;
    };
    Edit22 = hiddenField(QStringLiteral("Edit22"), QString());
    ETotal = hiddenField(QStringLiteral("ETotal"), QStringLiteral("0"));
    EModo = hiddenField(QStringLiteral("EModo"), QString());
    ERondaF1 = hiddenField(QStringLiteral("ERondaF1"), QStringLiteral("ronda1.txt"));

    SpeedButton76 = new KeyButton(QStringLiteral("SpeedButton76"), QString(), QString(), this);
    SpeedButton76->hide();

    buildReassignPanel();
    buildKeyList();

    buildTimers();
}

// The cover, the frame, the board background and the three score pictures get their
// built-in pictures when the window is first shown, and only where no file replaced them.
void TForm1::buildStage() {
    Image2 = new ImageBox(QStringLiteral("Image2"), Panel16, ImageBox::Fit::Centre);
    Image2->setGeometry(28, 10, 1096, 601);

    Image13 = new ImageBox(QStringLiteral("Image13"), Panel16, ImageBox::Fit::Stretch);
    Image13->setGeometry(110, 31, 950, 590);
    Image13->hide();

    Image15 = new ImageBox(QStringLiteral("Image15"), Panel16);
    Image15->setGeometry(795, 585, 60, 56);
    Image15->setKeyOutBackground(true);
    Image15->hide();

    const auto teamName = [this](const QString& name, int x, const QString& text) {
        auto* e = new QLineEdit(text, Panel16);
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
    Edit16 = teamName(QStringLiteral("Edit16"), 13, QStringLiteral("Los Verdes"));
    Edit17 = teamName(QStringLiteral("Edit17"), 910, QStringLiteral("Los Púrpuras"));
    Edit17->setAlignment(Qt::AlignRight);

    Panel1 = panel(QStringLiteral("Panel1"), Panel16, QRect(185, 96, 798, 454), Qt::black);
    buildBoard();
    Panel1->hide();

    buildScoreBoxes();
    buildKeyRow();

    Panel5 = panel(QStringLiteral("Panel5"), Panel16, QRect(82, 624, 735, 29), backgroundColour_);
    Panel5->hide();
    Panel11 = label(
        QStringLiteral("Panel11"), Panel16, QRect(86, 622, 257, 22), tahoma(11), Qt::black,
        QStringLiteral("<--- Dé clic en este botón para ver al menú principal"), Qt::AlignCenter);
    setBackground(Panel11, QColor(245, 245, 245));
    Panel11->hide();

    Label53 = label(QStringLiteral("Label53"), Panel16, QRect(880, 590, 120, 64), tahoma(53, true),
                    kMoneyGreen, QStringLiteral("0"));

    Panel18 = panel(QStringLiteral("Panel18"), Panel16, QRect(185, 100, 798, 454));
    Panel18->hide();
}

void TForm1::buildBoard() {
    Image4 = new ImageBox(QStringLiteral("Image4"), Panel1, ImageBox::Fit::Stretch);
    Image4->setGeometry(-6, 0, 813, 459);

    static const int barY[] = {72, 143, 214, 285, 356};
    static const int answerY[] = {84, 155, 227, 299, 369};
    static const int pointsY[] = {80, 152, 225, 297, 366};
    static const int coverY[] = {87, 159, 228, 299, 371};
    static const char* const coverNames[] = {"Label1", "Label4", "Label7", "Label10", "Label13"};
    static const char* const answerNames[] = {"Label2", "Label5", "Label8", "Label11", "Label14"};
    static const char* const pointsNames[] = {"Label3", "Label6", "Label9", "Label12", "Label15"};

    for (int i = 0; i < 5; ++i) {
        AnswerRow& row = rows[i];
        row.bar =
            new ImageBox(QStringLiteral("Image%1").arg(5 + i), Panel1, ImageBox::Fit::Stretch);
        row.bar->setGeometry(18, barY[i], 777, (i == 2 || i == 3) ? 87 : 88);
    }
    for (int i = 0; i < 5; ++i) {
        rows[i].answer =
            label(QLatin1String(answerNames[i]), Panel1, QRect(45, answerY[i], 600, 57),
                  tahoma(32, true), kLime, QString(), Qt::AlignLeft | Qt::AlignVCenter);
        rows[i].answer->setWordWrap(true);
    }
    for (int i = 0; i < 5; ++i) {
        rows[i].points =
            label(QLatin1String(pointsNames[i]), Panel1, QRect(769 - 140, pointsY[i], 140, 60),
                  tahoma(48, true), kLime, QStringLiteral("0"), Qt::AlignRight | Qt::AlignVCenter);
    }
    Label16 = label(QStringLiteral("Label16"), Panel1, QRect(7, 4, 785, 69), tahoma(24, true),
                    Qt::yellow, QStringLiteral("?"), Qt::AlignLeft | Qt::AlignTop);
    Label16->setWordWrap(true);
    for (int i = 0; i < 5; ++i) {
        QLabel* cover = label(QLatin1String(coverNames[i]), Panel1, QRect(26, coverY[i], 757, 54),
                              tahoma(48, true), kLime, QString::number(i + 1), Qt::AlignCenter);
        setBackground(cover, kCoverBlue);
        rows[i].cover = cover;
    }
    Image1 = new ImageBox(QStringLiteral("Image1"), Panel1, ImageBox::Fit::Centre);
    Image1->setGeometry(90, 124, 626, 209);
    Image1->setKeyOutBackground(true);
    Image3 = new ImageBox(QStringLiteral("Image3"), Panel1, ImageBox::Fit::Centre);
    Image3->setGeometry(106, 285, 585, 136);
    Image3->setKeyOutBackground(true);
    Image3->hide();
}

void TForm1::buildScoreBoxes() {
    const QFont digits = tahoma(64, true);
    Panel2 = panel(QStringLiteral("Panel2"), Panel16, QRect(739, 0, 145, 70), QColor(0, 0, 128));
    Image12 = new ImageBox(QStringLiteral("Image12"), Panel2, ImageBox::Fit::Stretch);
    Image12->setGeometry(-4, -1, 181, 96);
    Label17 = label(QStringLiteral("Label17"), Panel2, QRect(0, -4, 139, 78), digits, Qt::white,
                    QStringLiteral("00"), Qt::AlignRight | Qt::AlignVCenter);

    Panel3 = panel(QStringLiteral("Panel3"), Panel16, QRect(13, 252, 145, 70), QColor(0, 79, 79));
    Image10 = new ImageBox(QStringLiteral("Image10"), Panel3, ImageBox::Fit::Stretch);
    Image10->setGeometry(1, 0, 181, 89);
    Label19 = label(QStringLiteral("Label19"), Panel3, QRect(0, -4, 142, 78), digits, Qt::white,
                    QStringLiteral("00"), Qt::AlignRight | Qt::AlignVCenter);

    Panel4 = panel(QStringLiteral("Panel4"), Panel16, QRect(1014, 252, 145, 70), QColor(79, 0, 79));
    Image11 = new ImageBox(QStringLiteral("Image11"), Panel4, ImageBox::Fit::Stretch);
    Image11->setGeometry(-4, -3, 181, 89);
    Label20 = label(QStringLiteral("Label20"), Panel4, QRect(1, -4, 144, 78), digits, Qt::white,
                    QStringLiteral("00"), Qt::AlignLeft | Qt::AlignVCenter);

    Panel2->hide();
    Panel3->hide();
    Panel4->hide();
}

KeyButton* TForm1::makeKey(const QString& name, const QString& caption, int x,
                           const QString& hint) {
    auto* key = new KeyButton(name, caption, hint, Panel16);
    key->move(x, 622);
    keyButtons_ << key;
    return key;
}

void TForm1::buildKeyRow() {
    SpeedButton14 = makeKey(QStringLiteral("SpeedButton14"), QStringLiteral("&m"), 53,
                            QStringLiteral("Menú principal"));
    SpeedButton9 = makeKey(QStringLiteral("SpeedButton9"), QStringLiteral("&a"), 86,
                           QStringLiteral("Anterior pregunta (Tecla A)"));
    SpeedButton9->setEnabled(false);
    SpeedButton3 = makeKey(QStringLiteral("SpeedButton3"), QStringLiteral("&s"), 115,
                           QStringLiteral("Siguiente pregunta (Tecla S) Inicia y avanza el juego"));
    SpeedButton79 =
        makeKey(QStringLiteral("SpeedButton79"), QStringLiteral("&v"), 142,
                QStringLiteral(
                    "Volver a preguntar (Tecla V) Reemplaza la pregunta actual por la siguiente"));
    SpeedButton1 = makeKey(QStringLiteral("SpeedButton1"), QStringLiteral("&d"), 171,
                           QStringLiteral("Detener sonido (Tecla D)"));
    static const char* const ordinals[] = {"1ra", "2da", "3ra", "4ta", "5ta"};
    for (int i = 0; i < 5; ++i) {
        rows[i].key = makeKey(QStringLiteral("SpeedButton%1").arg(4 + i),
                              QStringLiteral("&%1").arg(i + 1), 210 + 24 * i,
                              QStringLiteral("Mostrar/Ocultar %1 repuesta (Tecla %2)")
                                  .arg(QLatin1String(ordinals[i]))
                                  .arg(i + 1));
    }
    SpeedButton2 = makeKey(QStringLiteral("SpeedButton2"), QStringLiteral("&x"), 336,
                           QStringLiteral("X ERROR!! (Tecla X)"));
    SpeedButton37 = makeKey(
        QStringLiteral("SpeedButton37"), QStringLiteral("&h"), 362,
        QStringLiteral("Hacer pregunta (Tecla H) Da 5 segundos para contestar o asigna X ERROR!!"));
    SpeedButton13 = makeKey(QStringLiteral("SpeedButton13"), QStringLiteral("&z"), 391,
                            QStringLiteral("Asigna puntos equipo lado izquierdo (Tecla Z)"));
    SpeedButton10 = makeKey(QStringLiteral("SpeedButton10"), QStringLiteral("&c"), 420,
                            QStringLiteral("Asigna puntos equipo lado derecho (Tecla C)"));
    SpeedButton81 = makeKey(
        QStringLiteral("SpeedButton81"), QStringLiteral("&b"), 447,
        QStringLiteral("Balancear marcador (Tecla B) Reasignar puntos cuando ya se asignaron "));
    SpeedButton15 = makeKey(QStringLiteral("SpeedButton15"), QStringLiteral("&r"), 476,
                            QStringLiteral("Ronda extra (Tecla R) Desempate"));
    SpeedButton17 = makeKey(QStringLiteral("SpeedButton17"), QStringLiteral("&n"), 507,
                            QStringLiteral("No existe la respuesta en el tablero (Tecla N) Se usa "
                                           "en el inicio de ronda o robo de puntos "));
    SpeedButton19 = makeKey(QStringLiteral("SpeedButton19"), QStringLiteral("&f"), 544,
                            QStringLiteral("Fácil (Tecla F) Modo de 1 pregunta - Inicio y avance "
                                           "del juego en ese modo"));
    SpeedButton34 = makeKey(QStringLiteral("SpeedButton34"), QStringLiteral("&t"), 573,
                            QStringLiteral("Tablero de Control (Tecla T) Cambiar título, portada, "
                                           "preguntas, banco de sonidos, etc. "));
    SpeedButton33 = makeKey(QStringLiteral("SpeedButton33"), QStringLiteral("&j"), 603,
                            QStringLiteral("Juego - Elegir version (Tecla J)"));
    SpeedButton36 = makeKey(QStringLiteral("SpeedButton36"), QStringLiteral("&k"), 663,
                            QStringLiteral("Keys (Tecla K) Teclas del juego, guía rápida"));
    SpeedButton84 = makeKey(QStringLiteral("SpeedButton84"), QStringLiteral("&g"), 693,
                            QStringLiteral("Regresar Portada/Juego (Tecla G) "));
    SpeedButton16 = makeKey(QStringLiteral("SpeedButton16"), QStringLiteral("&e"), 740,
                            QStringLiteral("Exit (Tecla E) Salir del juego "));
}

void TForm1::buildCorner() {
    Panel17 = panel(QStringLiteral("Panel17"), this, QRect(1085, 603, 70, 87), backgroundColour_);
    Image17 = new ImageBox(QStringLiteral("Image17"), Panel17, ImageBox::Fit::Centre);
    Image17->setGeometry(0, 0, 69, 59);
    Image17->setImage(QImage(QStringLiteral(":/builtin/logo.png")));
    Label22 = label(QStringLiteral("Label22"), Panel17, QRect(0, 64, 68, 16), tahoma(11), kMedGray,
                    QString(), Qt::AlignRight | Qt::AlignVCenter);
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
    Timer1 = makeTimer(QStringLiteral("Timer1"), 3000, false);
    Timer2 = makeTimer(QStringLiteral("Timer2"), 500, true);
    Timer3 = makeTimer(QStringLiteral("Timer3"), 10000, false);
    Timer7 = makeTimer(QStringLiteral("Timer7"), 100, false);
    Timer9 = makeTimer(QStringLiteral("Timer9"), 5000, false);
    Timer10 = makeTimer(QStringLiteral("Timer10"), 1000, false);
    Timer11 = makeTimer(QStringLiteral("Timer11"), 100, false);
    Timer12 = makeTimer(QStringLiteral("Timer12"), 1000, true);
    Timer13 = makeTimer(QStringLiteral("Timer13"), 1000, false);
    Timer14 = makeTimer(QStringLiteral("Timer14"), 500, true);
    Timer15 = makeTimer(QStringLiteral("Timer15"), 1500, false);
    connect(Timer12, &QTimer::timeout, this, [this] { guarded([this] { introTick(); }); });
    connect(Timer7, &QTimer::timeout, this, [this] { guarded([this] { firstStartThemeTick(); }); });
}

}  // namespace velta
