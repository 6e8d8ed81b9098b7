// Fitting the board to the monitor that shows it.
#include <QGuiApplication>
#include <QScreen>

#include "board/BoardUi.h"
#include "board/Uvelta.h"

namespace velta {

namespace {

struct DesignSize {
    QRect geometry;
    int pixelSize;
    qreal pointSize;
};

// Every fit scales from the designed positions, sizes and fonts, so fitting again never
// grows the board beyond its monitor.
void scaleContents(QWidget* window, qreal ratio) {
    static const char* const kDesign = "veltaDesign";
    for (QWidget* w : window->findChildren<QWidget*>()) {
        QVariant stored = w->property(kDesign);
        if (!stored.isValid()) {
            const QFont f = w->font();
            w->setProperty(kDesign, QVariantList{w->geometry(), f.pixelSize(), f.pointSizeF()});
            stored = w->property(kDesign);
        }
        const QVariantList design = stored.toList();
        const QRect g = design[0].toRect();
        w->setGeometry(qRound(g.x() * ratio), qRound(g.y() * ratio), qRound(g.width() * ratio),
                       qRound(g.height() * ratio));
        QFont f = w->font();
        if (design[1].toInt() > 0) {
            f.setPixelSize(qMax(1, qRound(design[1].toInt() * ratio)));
        } else if (design[2].toReal() > 0) {
            f.setPointSizeF(design[2].toReal() * ratio);
        }
        w->setFont(f);
    }
}

qreal fitRatio(const QSize& monitor) {
    const int across = monitor.width() / 2 - 300;
    const int down = monitor.height() / 2 - 45;
    if (across <= 0 || down <= 0) {
        return 1.0;
    }
    return qreal(across) / qreal(down);
}

}  // namespace

void TForm1::fitToMonitor() {
    QScreen* monitor = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!monitor) {
        return;
    }
    if (isVisible()) {
        setWindowState(Qt::WindowNoState);
        move(monitor->geometry().topLeft());
        scaleContents(this, fitRatio(monitor->geometry().size()));
    } else {
        setGeometry(monitor->availableGeometry());
        scaleContents(this, fitRatio(monitor->availableGeometry().size()));
    }
    // The scaled window buttons stay where the fit put them once the window fills the monitor.
    const QRect buttons = ui_->Panel22->geometry();
    buttonsRightMargin_ = monitor->availableGeometry().width() - (buttons.x() + buttons.width());
    showMaximized();
}

}  // namespace velta
