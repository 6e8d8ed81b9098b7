// Round flow: putting cards up with S, A, V, F and R, the points schedule of a game of four
// questions, the splash pictures and the pending question.
#include <QFileInfo>
#include <algorithm>

#include "art/Art.h"
#include "board/BoardTimers.h"
#include "board/BoardUi.h"
#include "board/Uvelta.h"
#include "editing/GameSettings.h"
#include "game/GameRules.h"
#include "platform/Dialogs.h"
#include "platform/Errors.h"
#include "platform/Guard.h"
#include "platform/ProgramFolder.h"
#include "sound/Sound.h"

namespace velta {

namespace {

// How long a splash picture stays up.
constexpr int kSplashMs = 3000;

}  // namespace

bool TForm1::gameViewShowing() const {
    return game_->gameView();
}

void TForm1::openCommand(Advance how) {
    if (how == Advance::Easy) {
        game_->setEasyMode(true);
    } else if (how == Advance::Next) {
        game_->setEasyMode(false);
    } else if (how == Advance::Previous) {
        ui_->unassignedNotice->hide();
    }
    if (settings_.hideQuestion) {
        ui_->question->hide();
    }
    // No repaint here: it would paint the old card. Every control the new card changes is
    // repainted once the command returns.
    ui_->board->show();
    if (how != Advance::Replace) {
        game_->clearLastAward();
    }
    if (how != Advance::Easy) {
        parkFocusAndCancelStrike();
    }
    if (how == Advance::Next) {
        game_->setCommandEnabled('f', false);
    } else if (how == Advance::Easy) {
        game_->setCommandEnabled('s', false);
        ui_->pointsSplash->setImage(QImage());
    }
    if (how != Advance::Previous) {
        game_->setGameView(true);
    }
}

void TForm1::NextQuestion() {
    advance(Advance::Next);
}

void TForm1::EasyNext() {
    advance(Advance::Easy);
}

void TForm1::ReplaceQuestion() {
    advance(Advance::Replace);
}

void TForm1::PreviousQuestion() {
    advance(Advance::Previous);
}

// S, F and V move on one card, A back one. The card is read before anything on the board
// changes: one that cannot be read is passed over, and when no card can be read the board,
// the round number and the game count stay as they were. With no card further on, the
// card on the board comes up again from the start.
void TForm1::advance(Advance how) {
    const int step = how == Advance::Previous ? -1 : 1;
    bool passedOver = false;
    std::optional<FoundCard> target =
        findCard(RoundKind::Normal, state().RoundNumber, step, &passedOver);
    if (target) {
        game_->setRoundNumber(target->number);
        if (how == Advance::Next || how == Advance::Easy) {
            game_->countQuestion(1);
        } else if (how == Advance::Previous) {
            game_->countQuestion(-1);
        }
    } else if (passedOver) {
        return;
    } else if (RoundExists(roundFolder(), RoundKind::Normal, state().RoundNumber)) {
        target = readCardFile(RoundKind::Normal, state().RoundNumber);
        if (!target) {
            return;
        }
    }
    openCommand(how);
    if (target) {
        PutUpCard(how, *target);
    }
}

std::optional<TForm1::FoundCard> TForm1::readCardFile(RoundKind kind, int number) {
    const QString path = RoundFilePath(roundFolder(), kind, number);
    try {
        return FoundCard{number, path, LoadRoundCard(path)};
    } catch (const FileError& e) {
        dialogs().error(errorMessage(e) +
                        QStringLiteral("\nEsa pregunta no se pone en el tablero."));
        return std::nullopt;
    }
}

std::optional<TForm1::FoundCard> TForm1::findCard(RoundKind kind, int current, int step,
                                                  bool* passedOver) {
    const QString folder = roundFolder();
    for (int n = current + step; n >= 1; n += step) {
        if (!RoundExists(folder, kind, n)) {
            // Past a gap left in the numbering by hand, on to the nearest card beyond it.
            const QList<int> numbers = roundNumbers(folder, kind);
            const auto beyond = step > 0 ? std::upper_bound(numbers.cbegin(), numbers.cend(), n)
                                         : std::lower_bound(numbers.cbegin(), numbers.cend(), n);
            if (step > 0 ? beyond == numbers.cend() : beyond == numbers.cbegin()) {
                return std::nullopt;
            }
            const int next = step > 0 ? *beyond : *(beyond - 1);
            reportGap(kind, qMin(n, next - step), qMax(n, next - step));
            n = next;
        }
        if (std::optional<FoundCard> found = readCardFile(kind, n)) {
            return found;
        }
        *passedOver = true;
    }
    return std::nullopt;
}

// Each gap is told once a run: the operator learns that the numbering has a hole, and the
// game goes on over it.
void TForm1::reportGap(RoundKind kind, int first, int last) {
    const QString key = roundFolder() + '|' + roundFileName(kind, first);
    if (reportedGaps_.contains(key)) {
        return;
    }
    reportedGaps_.insert(key);
    const QString folder = shownPath(roundFolder());
    if (first == last) {
        dialogs().notice(QStringLiteral("Falta el archivo \"%1\" en la carpeta de rondas \"%2\": "
                                        "la pregunta %3 no existe y el juego la salta.")
                             .arg(roundFileName(kind, first), folder)
                             .arg(first));
    } else {
        dialogs().notice(QStringLiteral("Faltan los archivos \"%1\" a \"%2\" en la carpeta de "
                                        "rondas \"%3\": las preguntas %4 a %5 no existen y el "
                                        "juego las salta.")
                             .arg(roundFileName(kind, first), roundFileName(kind, last), folder)
                             .arg(first)
                             .arg(last));
    }
}

void TForm1::ClearRoundMarks() {
    ui_->reassignPanel->hide();
    ui_->unassignedNotice->hide();
}

// Shows the board in place of the cover; the card put up empties the answers and the pot.
void TForm1::coverAllRows() {
    ui_->cover->hide();
    ui_->board->show();
}

void TForm1::enableCardKeys() {
    for (const QChar key : {'a', 'z', 'c'}) {
        game_->setCommandEnabled(key, true);
    }
}

void TForm1::PutUpCard(Advance how, const FoundCard& found) {
    ClearRoundMarks();
    coverAllRows();
    if (how != Advance::Easy) {
        settings_.hideScores = markerPresent(kHideScoresMarker);
        for (QWidget* box : {ui_->potBox, ui_->leftScoreBox, ui_->rightScoreBox}) {
            box->setVisible(!settings_.hideScores);
        }
    }
    if (how != Advance::Previous) {
        enableCardKeys();
    }
    applyPointsSchedule(how);
    game_->putUpCard(RoundKind::Normal, found.number, found.card, found.path);
    if (how != Advance::Previous && ui_->keyList->isVisible()) {
        ui_->keyList->hide();
        ui_->keyList->show();
    }
}

void TForm1::applyPointsSchedule(Advance how) {
    const int c = state().GameQuestionCount;
    const bool scheduleRuns =
        how == Advance::Next || (how == Advance::Previous && game_->commandEnabled('s'));
    if (scheduleRuns) {
        const game::Schedule schedule = game::scheduleFor(c, settings_.multipliersInNormal);
        game_->setMultiplier(schedule.doublePoints, schedule.triplePoints);
        if (schedule.doublePoints) {
            showPicture(ui_->pointsSplash, doublePicturePath_, art::doublePoints);
            startSplash(ui_->pointsSplash);
            Q_EMIT pointsSplashShown(2, kSplashMs);
        } else if (schedule.triplePoints) {
            showPicture(ui_->pointsSplash, triplePicturePath_, art::triplePoints);
            startSplash(ui_->pointsSplash);
            Q_EMIT pointsSplashShown(3, kSplashMs);
        }
    }
    switch (how) {
        case Advance::Next:
            if (game::startsGame(c)) {
                showPicture(ui_->roundSplash, startPicturePath_, art::startSplash);
                PlayEffect(effects::kPresentation);
                startSplash(ui_->roundSplash);
                game_->setScores(std::nullopt, std::nullopt);
            } else {
                PlayEffect(effects::kStart);
            }
            break;
        case Advance::Previous:
            PlayEffect(effects::kStart);
            break;
        case Advance::Replace:
            break;
        case Advance::Easy:
            showPicture(ui_->roundSplash, startPicturePath_, art::startSplash);
            PlayEffect(effects::kPresentation);
            startSplash(ui_->roundSplash);
            if (!settings_.accumulateInEasy) {
                game_->setScores(std::nullopt, std::nullopt);
            }
            break;
    }
}

void TForm1::setRowsInUse(const RoundCard& card) {
    for (int i = 2; i < 5; ++i) {
        const bool inUse = card.answerLines.value(i).size() > 1;
        AnswerRow& row = ui_->rows[i];
        row.cover->setVisible(inUse);
        row.points->setVisible(inUse);
        row.bar->setVisible(inUse);
    }
}

// A picture file that is missing or unreadable shows the built-in picture instead, so a
// splash never stops a command half-way. The built-in one is painted only then: painting it
// takes longer than the whole command.
void TForm1::showPicture(ImageBox* box, const QString& path,
                         const std::function<QImage()>& builtIn) {
    if (!QFileInfo::exists(path) || !box->loadFile(path)) {
        box->setImage(builtIn());
    }
}

void TForm1::startSplash(ImageBox* picture) {
    picture->show();
    picture->raise();
    switchOn(ui_->blinkTimer);
    setTimerInterval(ui_->splashTimer, kSplashMs);
    switchOn(ui_->splashTimer);
}

void TForm1::splashTick() {
    ui_->splashTimer->stop();
    ui_->winnerBlinkTimer->stop();
    ui_->fastMoney->winner()->hide();
    ui_->roundSplash->hide();
    Q_EMIT strikePictureHidden();
    ui_->pointsSplash->hide();
    game_->setCommandEnabled('x', true);
    game_->setCommandEnabled('c', true);
    setNotOnBoardKey(true);
}

void TForm1::blinkTick() {
    if (!ui_->splashTimer->isActive()) {
        return;
    }
    ImageBox* blinking =
        (state().DoublePoints || state().TriplePoints) ? ui_->pointsSplash : ui_->roundSplash;
    blinking->setVisible(!blinking->isVisible());
}

void TForm1::ExtraRound() {
    if (!(gameViewShowing() && ui_->board->isVisible())) {
        return;
    }
    ui_->board->show();
    ui_->board->repaint();
    // Asking for a card that is not there, or cannot be read, still uses up its number.
    bool passedOver = false;
    const std::optional<FoundCard> found =
        findCard(RoundKind::Extra, state().ExtraRoundNumber, 1, &passedOver);
    if (!found) {
        game_->setExtraRoundNumber(state().ExtraRoundNumber + 1);
        return;
    }
    game_->setExtraRoundNumber(found->number);
    ClearRoundMarks();
    game_->setMultiplier(false, false);
    coverAllRows();
    enableCardKeys();
    PlayEffect(effects::kStart);
    game_->putUpCard(RoundKind::Extra, found->number, found->card, found->path);
}

void TForm1::setPendingCard(const QString& fileName) {
    guarded([this, &fileName] { game_->setPendingCard(fileName); });
}

}  // namespace velta
