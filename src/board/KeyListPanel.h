#pragma once

#include <QStringList>

#include "board/DragPanel.h"

class QListWidget;

namespace velta {

// The key list "Teclas del Juego": one line per key, each line its own hint, a " X " that
// asks to close it, dragged about its window by its background.
class KeyListPanel : public DragPanel {
    Q_OBJECT
  public:
    KeyListPanel(QWidget* parent, const QStringList& lines);

    // The lines of the board's list and of the control window's, which differ in the M line.
    static QStringList boardLines();
    static QStringList consoleLines();

  Q_SIGNALS:
    void closeRequested();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QListWidget* list_;
};

}  // namespace velta
