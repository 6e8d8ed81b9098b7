#pragma once

#include <QPointer>
#include <QWidget>

#include "platform/Dialogs.h"

namespace velta {

// The real dialogs, shown with Qt's message boxes and file dialogs.
class QtDialogs : public Dialogs {
  public:
    // The operator's own window: while it is shown, every box opens over it, on the
    // operator's screen, never over the audience's board.
    void setOperatorWindow(QWidget* window) { operatorWindow_ = window; }

    bool ask(const QString& question, bool yesByDefault = false) override;
    void notice(const QString& text) override;
    void error(const QString& text) override;
    QString openFile(const QString& startFolder, const QString& filter) override;
    QString saveFile(const QString& title, const QString& startFolder, const QString& proposedName,
                     const QString& filter, const QString& defaultSuffix) override;
    QString pickFolder(const QString& startFolder) override;
    std::optional<QString> textInput(const QString& title, const QString& prompt,
                                     const QString& defaultText) override;
    bool print(QPrinter& printer) override;

  private:
    QWidget* parentWindow() const;

    QPointer<QWidget> operatorWindow_;
};

}  // namespace velta
