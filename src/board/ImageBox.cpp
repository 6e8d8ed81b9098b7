#include "board/ImageBox.h"

#include <QBuffer>
#include <QImageReader>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>

#include "platform/Pictures.h"

namespace velta {

namespace {

// Why the reader gave no picture, in the operator's words.
QString unreadablePicture(const QImageReader& reader) {
    switch (reader.error()) {
        case QImageReader::UnsupportedFormatError:
            return QStringLiteral("El archivo no es una imagen.");
        case QImageReader::InvalidDataError: {
            // The header is enough to tell the size of a picture too large to decode.
            const QSize size = reader.size();
            const qint64 limit = qint64(QImageReader::allocationLimit()) * 1024 * 1024;
            if (size.isValid() && qint64(size.width()) * size.height() * 4 > limit) {
                return QStringLiteral("La imagen es demasiado grande: %1 × %2 píxeles.")
                    .arg(size.width())
                    .arg(size.height());
            }
            return QStringLiteral("La imagen está dañada o incompleta.");
        }
        default:
            return QStringLiteral("No se pudo leer el archivo.");
    }
}

}  // namespace

ImageBox::ImageBox(const QString& name, QWidget* parent, Fit fit) : QWidget(parent), fit_(fit) {
    setObjectName(name);
    setAttribute(Qt::WA_TranslucentBackground);
}

void ImageBox::setImage(const QImage& image) {
    image_ = image;
    update();
}

bool ImageBox::loadFile(const QString& path, QString* why) {
    QString problem;
    std::optional<QByteArray> bytes = readPictureFile(path, &problem);
    if (!bytes) {
        if (why) {
            *why = problem.left(1).toUpper() + problem.mid(1) + '.';
        }
        return false;
    }
    QBuffer buffer(&*bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    QImage loaded = reader.read();
    if (loaded.isNull()) {
        if (why) {
            *why = unreadablePicture(reader);
        }
        return false;
    }
    if (keyOut_ && !loaded.hasAlphaChannel()) {
        loaded = loaded.convertToFormat(QImage::Format_ARGB32);
        const QRgb key = loaded.pixel(0, loaded.height() - 1);
        for (int y = 0; y < loaded.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(loaded.scanLine(y));
            for (int x = 0; x < loaded.width(); ++x) {
                if (line[x] == key) {
                    line[x] = 0;
                }
            }
        }
    }
    setImage(loaded);
    return true;
}

void ImageBox::paintEvent(QPaintEvent*) {
    if (image_.isNull()) {
        return;
    }
    QPainter painter(this);
    switch (fit_) {
        case Fit::Stretch:
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawImage(rect(), image_);
            break;
        case Fit::Centre:
            painter.drawImage(
                QPoint((width() - image_.width()) / 2, (height() - image_.height()) / 2), image_);
            break;
        case Fit::TopLeft:
            painter.drawImage(QPoint(0, 0), image_);
            break;
        case Fit::Shrink: {
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            const QSize size = image_.size().scaled(this->size(), Qt::KeepAspectRatio);
            painter.drawImage(
                QRect(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size),
                image_);
            break;
        }
    }
}

bool ImageBox::listened() const {
    return isSignalConnected(QMetaMethod::fromSignal(&ImageBox::clicked));
}

// A box that nobody listens to lets the press through, so a press on a picture of the
// background still drags the window.
void ImageBox::mousePressEvent(QMouseEvent* event) {
    if (listened() && event->button() == Qt::LeftButton) {
        pressed_ = true;
        event->accept();
        return;
    }
    event->ignore();
}

void ImageBox::mouseReleaseEvent(QMouseEvent* event) {
    if (pressed_ && event->button() == Qt::LeftButton) {
        pressed_ = false;
        if (rect().contains(event->position().toPoint())) {
            Q_EMIT clicked();
        }
        event->accept();
        return;
    }
    event->ignore();
}

// The second press of a double click is no click of its own: a double click on the
// next-question arrow puts up one card, not two.
void ImageBox::mouseDoubleClickEvent(QMouseEvent* event) {
    if (listened() && event->button() == Qt::LeftButton) {
        event->accept();
        return;
    }
    event->ignore();
}

}  // namespace velta
