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

// The largest scale at which the designed board fits in the monitor's work area.
qreal fitRatio(const QSize& workArea) {
    return qMin(qreal(workArea.width()) / 1156, qreal(workArea.height()) / 698);
}

}  // namespace

void TForm1::fitToMonitor() {
    fitTo(screen() ? screen() : QGuiApplication::primaryScreen());
}

void TForm1::fitTo(QScreen* monitor) {
    if (!monitor) {
        return;
    }
    const QRect workArea = monitor->availableGeometry();
    if (isVisible()) {
        setWindowState(Qt::WindowNoState);
        move(monitor->geometry().topLeft());
    } else {
        setGeometry(workArea);
    }
    scaleContents(this, fitRatio(workArea.size()));
    // The scaled window buttons stay where the fit put them once the window fills the monitor.
    const QRect buttons = ui_->windowButtons->geometry();
    buttonsRightMargin_ = workArea.width() - (buttons.x() + buttons.width());
    showMaximized();
}

void TForm1::showOnMonitor(QScreen* monitor) {
    if (monitor) {
        setWindowState(Qt::WindowNoState);
        move(monitor->geometry().topLeft());
    } else {
        monitor = screen() ? screen() : QGuiApplication::primaryScreen();
        setGeometry(monitor->availableGeometry());
    }
    if (fitAvailable_) {
        fitAvailable_ = false;
        fitTo(monitor);
    } else {
        showMaximized();
    }
}

}  // namespace velta
