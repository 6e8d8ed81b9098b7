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
    const auto noticeDown = qScopeGuard([this] { ui_->loadingNotice->hide(); });
    if (wanted.roundFolderPath != settings_.roundFolderPath) {
        settings_.roundFolderPath = wanted.roundFolderPath;
    }
    if (wanted.leftTeamName != settings_.leftTeamName) {
        settings_.leftTeamName = wanted.leftTeamName;
        ui_->leftTeamName->setText(wanted.leftTeamName);
    }
    if (wanted.rightTeamName != settings_.rightTeamName) {
        settings_.rightTeamName = wanted.rightTeamName;
        ui_->rightTeamName->setText(wanted.rightTeamName);
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
        ui_->question->setVisible(!wanted.hideQuestion);
    }
    if (wanted.hideScores != settings_.hideScores) {
        settings_.hideScores = wanted.hideScores;
        if (ui_->board->isVisible()) {
            for (QWidget* box : {ui_->potBox, ui_->leftScoreBox, ui_->rightScoreBox}) {
                box->setVisible(!wanted.hideScores);
            }
        }
    }
}

// The loading notice stays up while a picture loads.
void TForm1::applyCover(const QString& path) {
    ui_->loadingNotice->show();
    ui_->loadingNotice->raise();
    repaint();
    QString why;
    if (!QFileInfo::exists(normalizeSeparators(path))) {
        dialogs().notice(QStringLiteral("No se encontró la imagen de portada:\n") +
                         shownPath(path));
    } else if (!ui_->cover->loadFile(path, &why)) {
        dialogs().notice(QStringLiteral("No se pudo leer la imagen de portada:\n") +
                         shownPath(path) + '\n' + why);
    }
}

void TForm1::applyFrame(const QString& path) {
    ui_->loadingNotice->show();
    ui_->loadingNotice->raise();
    repaint();
    QString why;
    if (path.isEmpty() || !QFileInfo::exists(normalizeSeparators(path))) {
        dialogs().notice(QStringLiteral("No se encontró la imagen de marco:\n") + shownPath(path));
    } else if (!ui_->frame->loadFile(path, &why)) {
        dialogs().notice(QStringLiteral("No se pudo leer la imagen de marco:\n") + shownPath(path) +
                         '\n' + why);
    }
}

void TForm1::applyTitle(const QString& text) {
    ui_->title->setText(text);
    ui_->title->adjustSize();
    ui_->title->resize(qMax(ui_->title->width(), 352), 38);
}

bool TForm1::applyTitleColour(const QString& name) {
    const auto colour = lookupColour(name);
    if (!colour) {
        return false;
    }
    titleColour_ = colour->colour.isValid() ? colour->colour
                                            : lookupColour(QStringLiteral("HotLight"))->colour;
    setTextColour(ui_->title, QPalette::WindowText, titleColour_);
    setTextColour(ui_->leftTeamName, QPalette::Text, titleColour_);
    setTextColour(ui_->rightTeamName, QPalette::Text, titleColour_);
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
    setBackground(ui_->menuCover, backgroundColour_);
    setBackground(ui_->corner, backgroundColour_);
    return true;
}

void TForm1::setTeamNameFontSizes(int shortPoints, int longPoints, int longFrom) {
    for (QLineEdit* edit : {ui_->leftTeamName, ui_->rightTeamName}) {
        QFont f = edit->font();
        f.setPointSize(edit->text().size() < longFrom ? shortPoints : longPoints);
        edit->setFont(f);
    }
}

QString TForm1::roundFolder() const {
    return settings_.roundFolderPath;
}

}  // namespace velta
