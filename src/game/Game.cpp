#include "game/Game.h"

#include "platform/Errors.h"

namespace velta {

namespace {

const QString kLeftSide = QStringLiteral("EIzq");
const QString kRightSide = QStringLiteral("EDer");
const QString kEmpty = QStringLiteral("00");

QString sideMark(game::Side side) {
    switch (side) {
        case game::Side::Left:
            return kLeftSide;
        case game::Side::Right:
            return kRightSide;
        case game::Side::None:
            break;
    }
    return QString();
}

game::Side sideOf(const QString& mark) {
    if (mark == kLeftSide) {
        return game::Side::Left;
    }
    return mark == kRightSide ? game::Side::Right : game::Side::None;
}

// "00" is what the board shows for nothing there; any other text is the number it shows.
std::optional<qint64> shownValue(const QString& text) {
    if (text == kEmpty) {
        return std::nullopt;
    }
    return toInt64(text);
}

}  // namespace

Game::Game(const QString& saved, const QString& enabledAtStart, QObject* parent)
    : QObject(parent), saved_(saved), enabled_(enabledAtStart) {}

QString Game::shown(const std::optional<qint64>& value) {
    return value ? QString::number(*value) : kEmpty;
}

std::pair<QString, QString> Game::rowAnswer(int row) const {
    const QString line = card_.answerLines.value(row - 1);
    return line.size() > 1 ? SplitAnswerLine(line) : std::pair{QString(), QStringLiteral("0")};
}

qint64 Game::rowPoints(int row) const {
    return uncovered(row) ? toInt64(rowAnswer(row).second) : 0;
}

void Game::recountPot() {
    QList<qint64> points;
    for (int row = 1; row <= 5; ++row) {
        points << rowPoints(row);
    }
    pot_ = game::potSum(points);
    Q_EMIT potChanged();
}

void Game::emitChanged() {
    ++revision_;
    Q_EMIT changed();
}

void Game::putUpCard(RoundKind kind, int number, const RoundCard& card, const QString& path) {
    cardKind_ = kind;
    cardNumber_ = number;
    card_ = card;
    cardPath_ = path;
    uncovered_.fill(false);
    state_.StrikeCount = 0;
    state_.PotOpen = true;
    pot_.reset();
    // Rows 3 to 5 are in play only where the card has an answer for them.
    for (int row = 3; row <= 5; ++row) {
        const QChar key('0' + row);
        enabled_.remove(key);
        if (card.answerLines.value(row - 1).size() > 1) {
            enabled_ += key;
        }
    }
    Q_EMIT cardShown();
    Q_EMIT potChanged();
    Q_EMIT strikesChanged();
    Q_EMIT commandsChanged();
    emitChanged();
}

void Game::setRoundNumber(int number) {
    state_.RoundNumber = number;
    emitChanged();
}

void Game::setExtraRoundNumber(int number) {
    state_.ExtraRoundNumber = number;
    emitChanged();
}

void Game::countQuestion(int step) {
    state_.GameQuestionCount += step;
    emitChanged();
}

void Game::setEasyMode(bool on) {
    state_.EasyMode = on;
    emitChanged();
}

void Game::setMultiplier(bool doublePoints, bool triplePoints) {
    state_.DoublePoints = doublePoints;
    state_.TriplePoints = triplePoints;
    emitChanged();
}

void Game::setPendingCard(const QString& text) {
    const bool normal = text.startsWith('r');
    const QString marker = normal ? QStringLiteral("ronda") : QStringLiteral("xronda");
    const int from = text.indexOf(marker);
    const int to = from < 0 ? -1 : text.indexOf(QStringLiteral(".txt"), from + marker.size());
    const QString number = (from < 0 || to < 0)
                               ? QString()
                               : text.mid(from + marker.size(), to - from - marker.size());
    // Numbers start at 1: a name for card 0 or below re-targets the first card, since a
    // number below 0 would leave every later S without a card to find. No card is numbered
    // above the largest number, and counting on from there must not overflow.
    const int n = qBound(1, toInt(number), kLargestRoundNumber);
    if (normal) {
        state_.RoundNumber = n - 1;
    } else {
        state_.ExtraRoundNumber = n - 1;
    }
    emitChanged();
}

void Game::restartRounds() {
    state_.RoundNumber = 0;
    emitChanged();
}

void Game::setGameView(bool game) {
    if (gameView_ == game) {
        return;
    }
    gameView_ = game;
    Q_EMIT viewChanged();
    emitChanged();
}

void Game::setUncovered(int row, bool uncovered) {
    uncovered_.at(row - 1) = uncovered;
    if (state_.PotOpen) {
        recountPot();
    }
    Q_EMIT rowRevealed(row, uncovered);
    emitChanged();
}

void Game::strike() {
    state_.StrikeCount = game::nextStrikeCount(state_.StrikeCount);
    Q_EMIT strikesChanged();
    emitChanged();
}

void Game::setCountdown(int seconds) {
    state_.CountdownValue = seconds;
    Q_EMIT countdownChanged();
}

void Game::setPot(std::optional<qint64> pot) {
    pot_ = pot;
    Q_EMIT potChanged();
    emitChanged();
}

void Game::award(game::Side side, int multiplier) {
    const qint64 pot = pot_.value_or(0);
    const game::Scores after =
        game::award({left_.value_or(0), right_.value_or(0)}, pot, multiplier, side);
    lastAward_ = pot * multiplier;
    lastSide_ = side;
    // Only the awarded side changes: the other keeps what it shows ("00" stays "00").
    if (side == game::Side::Left) {
        left_ = after.left;
    } else {
        right_ = after.right;
    }
    state_.PotOpen = false;
    pot_.reset();
    Q_EMIT scoresChanged();
    Q_EMIT potChanged();
    emitChanged();
}

void Game::setScores(std::optional<qint64> left, std::optional<qint64> right) {
    left_ = left;
    right_ = right;
    Q_EMIT scoresChanged();
    emitChanged();
}

bool Game::moveLastAward(game::Side to) {
    const auto moved =
        game::moveAward({left_.value_or(0), right_.value_or(0)}, lastAward_, lastSide_, to);
    if (!moved) {
        return false;
    }
    left_ = moved->left;
    right_ = moved->right;
    lastSide_ = to;
    Q_EMIT scoresChanged();
    emitChanged();
    return true;
}

void Game::swapScores() {
    std::swap(left_, right_);
    lastSide_ = game::Side::None;
    Q_EMIT scoresChanged();
    emitChanged();
}

void Game::clearLastAward() {
    lastAward_ = 0;
    lastSide_ = game::Side::None;
    Q_EMIT scoresChanged();
    emitChanged();
}

void Game::setCommandEnabled(QChar command, bool enabled) {
    if (enabled == commandEnabled(command)) {
        return;
    }
    QString& on = saved_.contains(command) ? enabled_ : unsavedOff_;
    if (enabled == saved_.contains(command)) {
        on += command;
    } else {
        on.remove(command);
    }
    Q_EMIT commandsChanged();
    emitChanged();
}

void Game::setFastMoneyBoardShown(bool shown) {
    if (fastMoneyBoardShown_ == shown) {
        return;
    }
    fastMoneyBoardShown_ = shown;
    Q_EMIT fastMoneyChanged();
    emitChanged();
}

void Game::showFastMoneyAnswer(int slot, const QString& text) {
    shownAnswers_.at(slot - 1) = text;
    fastMoneyBoardShown_ = true;
    Q_EMIT fastMoneyChanged();
    emitChanged();
}

void Game::showFastMoneyScore(int slot, const QString& text) {
    shownScores_.at(slot - 1) = text;
    fastMoneyBoardShown_ = true;
    Q_EMIT fastMoneyChanged();
    emitChanged();
}

qint64 Game::countFastMoney(int order, const QList<qint64>& scores) {
    fastMoneyBoardShown_ = true;
    highestScoreShown_ = qMax(highestScoreShown_, order);
    const qint64 total = game::fastMoneyTotal(scores, highestScoreShown_);
    pot_ = total;
    Q_EMIT fastMoneyChanged();
    Q_EMIT potChanged();
    emitChanged();
    return total;
}

void Game::clearFastMoney() {
    shownAnswers_.fill(QString());
    shownScores_.fill(QString());
    highestScoreShown_ = 0;
    pot_.reset();
    Q_EMIT fastMoneyChanged();
    Q_EMIT potChanged();
    emitChanged();
}

void Game::typeFastMoneyAnswer(int slot, const QString& text) {
    QString& typed = typedAnswers_.at(slot - 1);
    if (typed == text) {
        return;
    }
    typed = text;
    Q_EMIT fastMoneyTyped();
    emitChanged();
}

void Game::typeFastMoneyScore(int slot, const QString& text) {
    QString& typed = typedScores_.at(slot - 1);
    if (typed == text) {
        return;
    }
    typed = text;
    Q_EMIT fastMoneyTyped();
    emitChanged();
}

void Game::setFastMoneyPanelOpen(bool open) {
    if (fastMoneyPanelOpen_ == open) {
        return;
    }
    fastMoneyPanelOpen_ = open;
    Q_EMIT fastMoneyTyped();
    emitChanged();
}

GameSnapshot Game::snapshot() const {
    GameSnapshot s = undoable();
    s.fastAnswers = typedAnswers_;
    s.fastScores = typedScores_;
    s.fastMoneyOpen = fastMoneyPanelOpen_;
    return s;
}

GameSnapshot Game::undoable() const {
    GameSnapshot s;
    s.gameView = gameView_;
    s.extraCard = cardKind_ == RoundKind::Extra;
    s.cardNumber = cardNumber_;
    s.state = state_;
    s.uncovered = uncovered_;
    s.pot = shown(pot_);
    s.leftScore = shown(left_);
    s.rightScore = shown(right_);
    s.lastAward = QString::number(lastAward_);
    s.lastSide = sideMark(lastSide_);
    s.enabledKeys.clear();
    for (const QChar key : saved_) {
        if (enabled_.contains(key)) {
            s.enabledKeys += key;
        }
    }
    s.shownAnswers = shownAnswers_;
    s.shownScores = shownScores_;
    s.highestScoreShown = highestScoreShown_;
    s.fastMoneyBoardShown = fastMoneyBoardShown_;
    return s;
}

void Game::restore(const GameSnapshot& s, std::optional<RoundCard> card, const QString& path) {
    typedAnswers_ = s.fastAnswers;
    typedScores_ = s.fastScores;
    fastMoneyPanelOpen_ = s.fastMoneyOpen;
    Moment m{s, card.value_or(RoundCard()), card ? path : QString()};
    if (!card) {
        m.snapshot.cardNumber = 0;
        m.snapshot.gameView = false;
        m.snapshot.uncovered.fill(false);
        if (!s.fastMoneyBoardShown) {
            m.snapshot.pot = kEmpty;
        }
    }
    apply(m);
}

Game::Moment Game::moment() const {
    return {undoable(), card_, cardPath_};
}

void Game::apply(const Moment& m) {
    const GameSnapshot& s = m.snapshot;
    state_ = s.state;
    cardKind_ = s.extraCard ? RoundKind::Extra : RoundKind::Normal;
    cardNumber_ = s.cardNumber;
    card_ = m.card;
    cardPath_ = m.path;
    gameView_ = s.gameView;
    uncovered_ = s.uncovered;
    pot_ = shownValue(s.pot);
    left_ = shownValue(s.leftScore);
    right_ = shownValue(s.rightScore);
    lastAward_ = toInt64(s.lastAward);
    lastSide_ = sideOf(s.lastSide);
    enabled_.clear();
    unsavedOff_.clear();
    for (const QChar key : saved_) {
        if (s.enabledKeys.contains(key)) {
            enabled_ += key;
        }
    }
    shownAnswers_ = s.shownAnswers;
    shownScores_ = s.shownScores;
    highestScoreShown_ = s.highestScoreShown;
    fastMoneyBoardShown_ = s.fastMoneyBoardShown;
    Q_EMIT restored();
    emitChanged();
}

Game::Step::Step(Game& game) : game_(game) {
    if (game_.stepDepth_++ == 0) {
        game_.stepRevision_ = game_.revision_;
        game_.stepStart_ = game_.moment();
    }
}

Game::Step::~Step() {
    if (--game_.stepDepth_ > 0 || !game_.stepStart_) {
        return;
    }
    Moment before = std::move(*game_.stepStart_);
    game_.stepStart_.reset();
    // Most commands that change nothing say nothing; a change undone within the command
    // (a key switched off and on again) is no step either.
    if (game_.revision_ == game_.stepRevision_ ||
        (before.snapshot == game_.undoable() && before.path == game_.cardPath_)) {
        return;
    }
    game_.undo_.push_back(std::move(before));
    if (static_cast<int>(game_.undo_.size()) > kUndoSteps) {
        game_.undo_.pop_front();
    }
    game_.redo_.clear();
}

bool Game::undo() {
    if (undo_.empty()) {
        return false;
    }
    redo_.push_back(moment());
    const Moment back = std::move(undo_.back());
    undo_.pop_back();
    apply(back);
    return true;
}

bool Game::redo() {
    if (redo_.empty()) {
        return false;
    }
    undo_.push_back(moment());
    const Moment again = std::move(redo_.back());
    redo_.pop_back();
    apply(again);
    return true;
}

}  // namespace velta
