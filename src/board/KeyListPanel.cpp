#include "board/KeyListPanel.h"

#include <QHelpEvent>
#include <QLabel>
#include <QListWidget>
#include <QToolTip>

#include "board/BoardStyle.h"
#include "board/ClickAction.h"
#include "board/CommandTable.h"
#include "board/TipStyle.h"

namespace velta {

QStringList KeyListPanel::boardLines() {
    return keyListLines();
}

QStringList KeyListPanel::consoleLines() {
    QStringList lines = boardLines();
    for (QString& line : lines) {
        if (line.startsWith(QLatin1String("M = "))) {
            line += QStringLiteral(" (sólo en pantalla del juego)");
        }
    }
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
