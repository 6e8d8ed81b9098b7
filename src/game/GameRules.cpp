#include "game/GameRules.h"

#include <algorithm>

namespace velta::game {

bool startsGame(int questionCount) {
    return questionCount == 1 || (questionCount - 1) % 4 == 0;
}

Schedule scheduleFor(int questionCount, bool multipliersInNormal) {
    if (!multipliersInNormal) {
        return {};
    }
    return {(questionCount + 1) % 4 == 0, questionCount % 4 == 0};
}

int awardMultiplier(const Schedule& schedule, bool multipliersInNormal) {
    if (!multipliersInNormal) {
        return 1;
    }
    if (schedule.doublePoints) {
        return 2;
    }
    return schedule.triplePoints ? 3 : 1;
}

int nextStrikeCount(int count) {
    return count > 2 ? 1 : count + 1;
}

qint64 potSum(const QList<qint64>& points) {
    qint64 sum = 0;
    for (qint64 p : points) {
        sum += p;
    }
    return sum;
}

Scores award(Scores scores, qint64 pot, int multiplier, Side to) {
    const qint64 points = pot * multiplier;
    if (to == Side::Left) {
        scores.left += points;
    } else if (to == Side::Right) {
        scores.right += points;
    }
    return scores;
}

std::optional<Scores> moveAward(Scores scores, qint64 award, Side awardedTo, Side to) {
    const qint64 giving = to == Side::Left ? scores.right : scores.left;
    if (to == Side::None || awardedTo == to || giving < award) {
        return std::nullopt;
    }
    const qint64 shift = to == Side::Left ? award : -award;
    return Scores{scores.left + shift, scores.right - shift};
}

std::optional<qint64> fastMoneyScore(const QString& text) {
    const QString digits = text.trimmed();
    if (digits.isEmpty()) {
        return 0;
    }
    if (digits.size() > 9 ||
        !std::all_of(digits.begin(), digits.end(), [](QChar c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    const qint64 value = digits.toLongLong();
    if (value > kLargestPoints) {
        return std::nullopt;
    }
    return value;
}

qint64 fastMoneyTotal(const QList<qint64>& scores, int highestShown) {
    qint64 sum = 0;
    for (int k = 0; k < qMin(highestShown, int(scores.size())); ++k) {
        sum += qBound<qint64>(0, scores[k], kLargestPoints);
    }
    return sum;
}

FastMoneyCue fastMoneyCue(qint64 shownScore, qint64 boardTotal) {
    if (boardTotal >= kFastMoneyTarget) {
        return FastMoneyCue::Win;
    }
    return shownScore == 0 ? FastMoneyCue::Miss : FastMoneyCue::Bell;
}

}  // namespace velta::game
