#pragma once

#include <QImage>
#include <QMap>
#include <QString>
#include <array>

#include "board/ControlLink.h"

namespace velta::test {

// A stand-in for the control window: keeps what the board last wrote into each of its
// fields, so a test sees what the host would see.
class RecordingControlLink : public ControlLink {
  public:
    bool shown = false;
    bool sync = true;  // "Sincronizar con el juego"

    QString relay;
    std::array<bool, 5> marks{};  // revealed rows 1..5
    int clearCount = 0;
    QImage picture;
    bool pictureShown = false;
    QString countdown;

    int openCount = 0;  // T

    bool isShown() const override { return shown; }
    void open() override { ++openCount; }
    void confirmUnsavedQuestion() override {}
    void openThemes() override { ++themesCount; }
    void themeAccepted() override {}
    int themesCount = 0;  // J
    void parkFocus() override {}
    bool syncWithGame() const override { return sync; }
    void setRoundRelay(const QString& fileName) override { relay = fileName; }
    void setRevealMark(int row, bool revealed) override { marks.at(row - 1) = revealed; }
    void clearRoundMarks() override {
        marks.fill(false);
        ++clearCount;
    }
    void showPicture(const QImage& image) override {
        picture = image;
        pictureShown = true;
    }
    void hidePicture() override { pictureShown = false; }
    void setCountdown(const QString& text) override { countdown = text; }
    void setFastMoneyClock(const QString&) override {}
};

}  // namespace velta::test
