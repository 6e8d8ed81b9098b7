#pragma once

#include "platform/Dialogs.h"

namespace velta {

// The real dialogs, shown with Qt's message boxes and file dialogs.
class QtDialogs : public Dialogs {
  public:
    bool ask(const QString& question) override;
    void notice(const QString& text) override;
    void error(const QString& text) override;
    QString openFile(const QString& startFolder, const QString& filter) override;
    QString saveFile(const QString& title, const QString& startFolder, const QString& proposedName,
                     const QString& filter, const QString& defaultSuffix) override;
    QString pickFolder(const QString& startFolder) override;
    std::optional<QString> textInput(const QString& title, const QString& prompt,
                                     const QString& defaultText) override;
};

}  // namespace velta
