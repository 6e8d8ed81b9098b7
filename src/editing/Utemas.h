#pragma once

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QLabel;

namespace velta {

class ImageBox;

// The theme dialog "VELTA - Seleccionar tema": "Crear mi propia version" or one of the
// thirteen shipped themes, each a title, a cover and a rounds folder ready for an occasion.
// It only chooses; "Aceptar" reports the entry and whoever opened it applies it.
class TFtemas : public QDialog {
    Q_OBJECT
  public:
    explicit TFtemas(QWidget* parent);

    int selected() const;
    void select(int index);
    // Shown and checked exactly when the board's theme button is on screen.
    void setFolderChoice(bool offered);
    bool folderChoice() const;
    // Opens the dialog modally without blocking the caller: the show goes on behind it.
    void openModal();

  Q_SIGNALS:
    void themeAccepted(int index);
    // "Más temas…": the dialog has closed and the packs' window is wanted.
    void morePacks();

  private:
    void showPreview();

    QButtonGroup* entries_;
    QCheckBox* folderChoice_;
    ImageBox* preview_;
    QLabel* previewCaption_;
};

}  // namespace velta
