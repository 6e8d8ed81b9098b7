#include "board/KeyListPanel.h"

#include <QHelpEvent>
#include <QLabel>
#include <QListWidget>
#include <QToolTip>

#include "board/BoardStyle.h"
#include "board/ClickAction.h"
#include "board/TipStyle.h"

namespace velta {

namespace {

const char* const kKeyListLines[] = {
    "S = Siguiente - Comienza el juego y también sirve para avanzar a la siguiente pregunta",
    "1 a 5 = Descubre las respuestas disponibles",
    "X = Espantosa X (error!) - Se acumulan hasta 3 equis para el robo de puntos",
    "H = Hacer pregunta y dar 5 segundos para contestar, de lo contrario muestra la X",
    "A = Anterior - regresar pregunta (se activa cuando se haya iniciado el juego)",
    "D = Detiene el sonido",
    "Z = Ganador lado IZQUIERDO asigna puntos",
    "C = Ganador lado DERECHO asigna puntos",
    "R = Ronda extra para desempate ",
    "N = No existe la respuesta en el tablero (en pregunta inicial o robo de puntos, se usa en "
    "lugar de la X)  ",
    "M = Muestra el menú, cuando éste se oculta automáticamente",
    "F = Fácil, modo de 1 pregunta - Inicia y avanza el juego (desactiva la tecla S)",
    "T = Tablero de Control - Cambiar título, portada, preguntas del juego, efectos de sonido, "
    "etc.",
    "J = Cambiar la versión del juego",
    "V = Volver a preguntar (reemplazar por la siguiente pregunta)",
    "B = Balancear marcador - Reasignar puntos (cuando ya se asignaron a un equipo)",
    "G = Regresar a la portada o al juego",
    "K = Keys - Teclas rápidas del juego",
    "E = Exit - Cerrar el juego",
    "Ctrl+Z = Deshacer - Regresa el juego como estaba antes del último comando",
    "Ctrl+Y = Rehacer - Vuelve a hacer el comando deshecho",
};
constexpr int kMenuLine = 10;

}  // namespace

QStringList KeyListPanel::boardLines() {
    QStringList lines;
    for (const char* line : kKeyListLines) {
        lines << QString::fromUtf8(line);
    }
    return lines;
}

QStringList KeyListPanel::consoleLines() {
    QStringList lines = boardLines();
    lines[kMenuLine] += QStringLiteral(" (sólo en pantalla del juego)");
    return lines;
}

KeyListPanel::KeyListPanel(QWidget* parent, const QStringList& lines)
    : DragPanel(QStringLiteral("Panel14"), parent) {
    resize(523, 265);
    setBackground(this, palette().color(QPalette::Button).lighter(104));
    auto* title = new QLabel(QStringLiteral("Teclas del Juego"), this);
    title->setObjectName(QStringLiteral("Label66"));
    title->setGeometry(6, 2, 300, 18);
    title->setFont(tahoma(11, true));
    title->setAttribute(Qt::WA_TransparentForMouseEvents);
    auto* close = new QLabel(QStringLiteral(" X "), this);
    close->setObjectName(QStringLiteral("Label65"));
    close->setGeometry(500, 2, 20, 18);
    close->setFont(tahoma(11, true));
    close->setCursor(Qt::PointingHandCursor);
    ClickAction::attach(close, [this] { Q_EMIT closeRequested(); });
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("ListBox2"));
    list_->setGeometry(4, 20, 515, 243);
    list_->setFont(tahoma(13));
    list_->setFocusPolicy(Qt::NoFocus);
    setTextColour(list_, QPalette::Text, QColor(0x80, 0x80, 0x80));
    for (const QString& line : lines) {
        auto* item = new QListWidgetItem(line, list_);
        item->setToolTip(line);
    }
    list_->viewport()->installEventFilter(this);
}

// A line's hint stays up as long as a key button's, not the list's default time.
bool KeyListPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched != list_->viewport() || event->type() != QEvent::ToolTip) {
        return DragPanel::eventFilter(watched, event);
    }
    auto* help = static_cast<QHelpEvent*>(event);
    const QListWidgetItem* item = list_->itemAt(help->pos());
    if (!item) {
        QToolTip::hideText();
        return true;
    }
    QToolTip::showText(help->globalPos(), item->toolTip(), list_->viewport(),
                       list_->visualItemRect(item), kTipDurationMs);
    return true;
}

}  // namespace velta
