#pragma once

#include <QImage>
#include <QWidget>

namespace velta {

// A picture on the board: shown stretched to the box, centred at its own size, from the
// top-left corner, or shrunk to fit the box whole and centred. The box itself is transparent, so
// pictures with alpha sit over whatever lies behind them, and it lets mouse presses through to its
// parent unless told otherwise.
class ImageBox : public QWidget {
    Q_OBJECT
  public:
    enum class Fit { TopLeft, Centre, Stretch, Shrink };

    ImageBox(const QString& name, QWidget* parent, Fit fit = Fit::TopLeft);

    void setImage(const QImage& image);
    const QImage& image() const { return image_; }
    // Loads a picture file; false (and the picture unchanged) when it cannot be read, with
    // the reason for the operator in `why`: missing, a folder or no plain file, not a
    // picture, too large, damaged or cut short.
    bool loadFile(const QString& path, QString* why = nullptr);
    // Pictures without an alpha channel loaded from files then show the colour of their
    // bottom-left pixel as see-through, as splash pictures drawn on a flat colour need.
    void setKeyOutBackground(bool keyOut) { keyOut_ = keyOut; }

  Q_SIGNALS:
    void clicked();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    bool listened() const;

    QImage image_;
    Fit fit_;
    bool pressed_ = false;
    bool keyOut_ = false;
};

}  // namespace velta
