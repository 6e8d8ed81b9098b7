#include "platform/QtDialogs.h"

#include <QApplication>
#include <QDebug>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>

namespace velta {

QWidget* QtDialogs::parentWindow() const {
    if (operatorWindow_ && operatorWindow_->isVisible()) {
        return operatorWindow_;
    }
    return QApplication::activeWindow();
}

namespace {
const QString kAppTitle = QStringLiteral("VELTA");

// On a platform with no screen (offscreen, minimal) nobody can see a message box, let alone
// press its OK: a message goes to the error stream instead of waiting for ever.
bool noScreen() {
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("offscreen") || platform == QLatin1String("minimal");
}
}  // namespace

bool QtDialogs::ask(const QString& question, bool yesByDefault) {
    return QMessageBox::question(parentWindow(), QStringLiteral("Advertencia"), question,
                                 QMessageBox::Yes | QMessageBox::No,
                                 yesByDefault ? QMessageBox::Yes : QMessageBox::No) ==
           QMessageBox::Yes;
}

void QtDialogs::notice(const QString& text) {
    if (noScreen()) {
        qInfo().noquote() << text;
        return;
    }
    QMessageBox::information(parentWindow(), kAppTitle, text);
}

void QtDialogs::error(const QString& text) {
    if (noScreen()) {
        qWarning().noquote() << text;
        return;
    }
    QMessageBox::critical(parentWindow(), kAppTitle, text);
}

QString QtDialogs::openFile(const QString& startFolder, const QString& filter) {
    return QFileDialog::getOpenFileName(parentWindow(), QStringLiteral("Abrir"), startFolder,
                                        filter);
}

QString QtDialogs::saveFile(const QString& title, const QString& startFolder,
                            const QString& proposedName, const QString& filter,
                            const QString& defaultSuffix) {
    QFileDialog dialog(parentWindow(), title, startFolder, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.selectFile(proposedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

namespace {

// Qt's own folder chooser, which also takes the path of a folder not made yet: the caller
// offers to create it.
class FolderDialog : public QFileDialog {
  public:
    FolderDialog(QWidget* parent, const QString& startFolder)
        : QFileDialog(parent, QStringLiteral("Carpeta de rondas"), startFolder) {
        setFileMode(QFileDialog::Directory);
        setOption(QFileDialog::ShowDirsOnly);
        setOption(QFileDialog::DontUseNativeDialog);
    }
    QString chosen;

  protected:
    void accept() override {
        const QStringList files = selectedFiles();
        chosen = files.value(0);
        if (!chosen.isEmpty() && !QFileInfo::exists(chosen)) {
            QDialog::accept();
            return;
        }
        QFileDialog::accept();
    }
};

}  // namespace

QString QtDialogs::pickFolder(const QString& startFolder) {
    FolderDialog dialog(parentWindow(), startFolder);
    if (dialog.exec() != QDialog::Accepted) {
        return {};
    }
    const QStringList files = dialog.selectedFiles();
    return dialog.chosen.isEmpty() ? files.value(0) : dialog.chosen;
}

std::optional<QString> QtDialogs::textInput(const QString& title, const QString& prompt,
                                            const QString& defaultText) {
    bool ok = false;
    const QString text =
        QInputDialog::getText(parentWindow(), title, prompt, QLineEdit::Normal, defaultText, &ok);
    if (!ok) {
        return std::nullopt;
    }
    return text;
}

bool QtDialogs::print(QPrinter& printer) {
    QPrintDialog dialog(&printer, parentWindow());
    dialog.setWindowTitle(QStringLiteral("Imprimir hoja del presentador"));
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace velta
