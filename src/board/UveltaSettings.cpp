// The settings shown on the board: title, colours, team names, cover, frame, rounds folder
// and the options, each applied where it differs from what the board shows.
#include <QFileInfo>
#include <QScopeGuard>

#include "board/BoardStyle.h"
#include "board/BoardUi.h"
#include "board/Uvelta.h"
#include "editing/Colours.h"
#include "platform/Dialogs.h"
#include "platform/Errors.h"
#include "platform/ProgramFolder.h"

namespace velta {

void TForm1::applySettings(const GameSettings& wanted, ChosenPicture chosen) {
    // The cover and the frame show the loading notice while they load; whatever happens,
    // it is gone when the settings are in place.
    const auto noticeDown = qScopeGuard([this] { ui_->Panel9->hide(); });
    if (wanted.roundFolderPath != settings_.roundFolderPath) {
        settings_.roundFolderPath = wanted.roundFolderPath;
    }
    if (wanted.leftTeamName != settings_.leftTeamName) {
        settings_.leftTeamName = wanted.leftTeamName;
        ui_->Edit16->setText(wanted.leftTeamName);
    }
    if (wanted.rightTeamName != settings_.rightTeamName) {
        settings_.rightTeamName = wanted.rightTeamName;
        ui_->Edit17->setText(wanted.rightTeamName);
    }
    if (wanted.title != settings_.title) {
        settings_.title = wanted.title;
        applyTitle(wanted.title);
    }
    // A colour name the table does not know keeps the colour in use; the operator is told
    // which line of the title file holds it.
    QStringList unknown;
    if (wanted.titleColour != settings_.titleColour) {
        if (applyTitleColour(wanted.titleColour)) {
            settings_.titleColour = wanted.titleColour;
        } else {
            unknown << unknownColourMessage(programPath(kTitleFile), 2, wanted.titleColour);
        }
    }
    if (wanted.backgroundColour != settings_.backgroundColour) {
        if (applyBackgroundColour(wanted.backgroundColour)) {
            settings_.backgroundColour = wanted.backgroundColour;
        } else {
            unknown << unknownColourMessage(programPath(kTitleFile), 3, wanted.backgroundColour);
        }
    }
    if (!unknown.isEmpty()) {
        dialogs().notice(unknown.join('\n'));
    }
    if (wanted.coverImage &&
        (wanted.coverImage != settings_.coverImage || chosen == ChosenPicture::Cover)) {
        settings_.coverImage = wanted.coverImage;
        applyCover(*wanted.coverImage);
    }
    if (wanted.frameImage &&
        (wanted.frameImage != settings_.frameImage || chosen == ChosenPicture::Frame)) {
        settings_.frameImage = wanted.frameImage;
        applyFrame(*wanted.frameImage);
    }
    settings_.multipliersInNormal = wanted.multipliersInNormal;
    settings_.accumulateInEasy = wanted.accumulateInEasy;
    if (wanted.hideQuestion != settings_.hideQuestion) {
        settings_.hideQuestion = wanted.hideQuestion;
        ui_->Label16->setVisible(!wanted.hideQuestion);
    }
    if (wanted.hideScores != settings_.hideScores) {
        settings_.hideScores = wanted.hideScores;
        if (ui_->Panel1->isVisible()) {
            for (QWidget* box : {ui_->Panel2, ui_->Panel3, ui_->Panel4}) {
                box->setVisible(!wanted.hideScores);
            }
        }
    }
}

// The loading notice stays up while a picture loads.
void TForm1::applyCover(const QString& path) {
    ui_->Panel9->show();
    ui_->Panel9->raise();
    repaint();
    QString why;
    if (!QFileInfo::exists(normalizeSeparators(path))) {
        dialogs().notice(QStringLiteral("No se encontró la imagen de portada:\n") +
                         shownPath(path));
    } else if (!ui_->Image2->loadFile(path, &why)) {
        dialogs().notice(QStringLiteral("No se pudo leer la imagen de portada:\n") +
                         shownPath(path) + '\n' + why);
    }
}

void TForm1::applyFrame(const QString& path) {
    ui_->Panel9->show();
    ui_->Panel9->raise();
    repaint();
    QString why;
    if (path.isEmpty() || !QFileInfo::exists(normalizeSeparators(path))) {
        dialogs().notice(QStringLiteral("No se encontró la imagen de marco:\n") + shownPath(path));
    } else if (!ui_->Image13->loadFile(path, &why)) {
        dialogs().notice(QStringLiteral("No se pudo leer la imagen de marco:\n") + shownPath(path) +
                         '\n' + why);
    }
}

void TForm1::applyTitle(const QString& text) {
    ui_->Label18->setText(text);
    ui_->Label18->adjustSize();
    ui_->Label18->resize(qMax(ui_->Label18->width(), 352), 38);
}

bool TForm1::applyTitleColour(const QString& name) {
    const auto colour = lookupColour(name);
    if (!colour) {
        return false;
    }
    titleColour_ = colour->colour.isValid() ? colour->colour
                                            : lookupColour(QStringLiteral("HotLight"))->colour;
    setTextColour(ui_->Label18, QPalette::WindowText, titleColour_);
    setTextColour(ui_->Edit16, QPalette::Text, titleColour_);
    setTextColour(ui_->Edit17, QPalette::Text, titleColour_);
    for (KeyButton* key : findChildren<KeyButton*>()) {
        key->setCaptionColour(titleColour_);
    }
    return true;
}

bool TForm1::applyBackgroundColour(const QString& name) {
    const auto colour = lookupColour(name);
    if (!colour) {
        return false;
    }
    backgroundColour_ =
        colour->colour.isValid() ? colour->colour : lookupColour(QStringLiteral("Window"))->colour;
    setBackground(this, backgroundColour_);
    setBackground(ui_->Panel5, backgroundColour_);
    setBackground(ui_->Panel17, backgroundColour_);
    return true;
}

void TForm1::setTeamNameFontSizes(int shortPoints, int longPoints, int longFrom) {
    for (QLineEdit* edit : {ui_->Edit16, ui_->Edit17}) {
        QFont f = edit->font();
        f.setPointSize(edit->text().size() < longFrom ? shortPoints : longPoints);
        edit->setFont(f);
    }
}

QString TForm1::roundFolder() const {
    return settings_.roundFolderPath;
}

}  // namespace velta
