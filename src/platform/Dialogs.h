#pragma once

#include <QString>
#include <optional>

class QPrinter;

namespace velta {

// Every question, notice and file dialog the program shows goes through this seam, so tests
// can queue answers in advance and read back every text that was shown.
class Dialogs {
  public:
    virtual ~Dialogs() = default;

    // Yes/no question with a question icon, titled "Advertencia". True for Yes. "No" is the
    // default button unless `yesByDefault`.
    virtual bool ask(const QString& question, bool yesByDefault = false) = 0;
    // Plain message with one OK button.
    virtual void notice(const QString& text) = 0;
    // Error box for a command that failed.
    virtual void error(const QString& text) = 0;
    // Empty result when cancelled.
    virtual QString openFile(const QString& startFolder, const QString& filter) = 0;
    // Starts in the folder with the proposed file name; asks before replacing a file.
    virtual QString saveFile(const QString& title, const QString& startFolder,
                             const QString& proposedName, const QString& filter,
                             const QString& defaultSuffix) = 0;
    virtual QString pickFolder(const QString& startFolder) = 0;
    // Nothing when cancelled.
    virtual std::optional<QString> textInput(const QString& title, const QString& prompt,
                                             const QString& defaultText) = 0;
    // The print dialog: printer or PDF file, paper and pages. True when the operator prints.
    virtual bool print(QPrinter& printer) = 0;
};

// The dialogs in use; set once at start (main or the test).
Dialogs& dialogs();
void setDialogs(Dialogs* dialogs);

}  // namespace velta
