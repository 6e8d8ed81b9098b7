#pragma once

#include <QBuffer>
#include <QImage>
#include <QtTest>
#include <memory>

#include "BoardFixture.h"

namespace velta::test {

// A picture file of a size no built-in picture has, so the size tells which one a box shows.
inline QByteArray pictureFile(const QSize& size, const char* format) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// What every start-up test needs: a fresh BoardFixture for each test function, whose files
// the test writes before start(). Unlike BoardFixture::start(), the board starts without a
// control window and what it played at start is kept for the test to see.
class StartupFixture : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void init() { fixture_ = std::make_unique<BoardFixture>(); }
    void cleanup() { fixture_.reset(); }

  protected:
    // Creates and shows the board; returns once the pictures behind the cover, which
    // arrive right after its first paint, are in place.
    TForm1& start() {
        std::unique_ptr<TForm1>& board = fixture_->board;
        board = std::make_unique<TForm1>();
        board->show();
        if (board->isSingleInstance() &&
            !QTest::qWaitFor([&board] { return board->picturesReady(); })) {
            QTest::qFail("the pictures behind the cover never arrived", __FILE__, __LINE__);
        }
        return *board;
    }

    std::unique_ptr<BoardFixture> fixture_;
};

}  // namespace velta::test
