#include "game/GameSnapshot.h"

#include <QHash>
#include <QRegularExpression>
#include <tuple>

namespace velta {

namespace {

const QString kFormat = QStringLiteral("partida=1");
constexpr int kLargestNumber = 999999999;

QString flag(bool on) {
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

QString flags(const std::array<bool, 5>& on) {
    QString text;
    for (const bool b : on) {
        text += flag(b);
    }
    return text;
}

}  // namespace

// Field by field: the undo step compares the game before and after every command, and
// writing both out as lines cost more than the rest of the step.
bool GameSnapshot::operator==(const GameSnapshot& other) const {
    const auto kept = [](const GameSnapshot& s) {
        const GameState& g = s.state;
        return std::tie(s.gameView, s.extraCard, s.cardNumber, g.RoundNumber, g.GameQuestionCount,
                        g.ExtraRoundNumber, g.StrikeCount, g.DoublePoints, g.TriplePoints,
                        g.PotOpen, g.EasyMode, s.uncovered, s.pot, s.leftScore, s.rightScore,
                        s.lastAward, s.lastSide, s.enabledKeys, s.fastAnswers, s.fastScores,
                        s.shownAnswers, s.shownScores, s.highestScoreShown, s.fastMoneyOpen,
                        s.fastMoneyBoardShown);
    };
    return kept(*this) == kept(other);
}

QStringList GameSnapshot::toLines() const {
    QStringList lines{kFormat};
    const auto put = [&lines](const char* name, const QString& value) {
        lines << QLatin1String(name) + QLatin1Char('=') + value;
    };
    put("vista", gameView ? QStringLiteral("juego") : QStringLiteral("portada"));
    put("tarjeta", (extraCard ? QStringLiteral("x") : QString()) + QString::number(cardNumber));
    put("ronda", QString::number(state.RoundNumber));
    put("preguntas", QString::number(state.GameQuestionCount));
    put("extra", QString::number(state.ExtraRoundNumber));
    put("equis", QString::number(state.StrikeCount));
    put("dobles", flag(state.DoublePoints));
    put("triples", flag(state.TriplePoints));
    put("bolsa_abierta", flag(state.PotOpen));
    put("facil", flag(state.EasyMode));
    put("destapadas", flags(uncovered));
    put("bolsa", pot);
    put("izquierda", leftScore);
    put("derecha", rightScore);
    put("ultimos_puntos", lastAward);
    put("ultimo_lado", lastSide);
    put("teclas", enabledKeys);
    for (int i = 0; i < 10; ++i) {
        const QByteArray n = QByteArray::number(i + 1);
        put(("dr_respuesta" + n).constData(), fastAnswers[i]);
        put(("dr_puntos" + n).constData(), fastScores[i]);
        put(("dr_tablero_respuesta" + n).constData(), shownAnswers[i]);
        put(("dr_tablero_puntos" + n).constData(), shownScores[i]);
    }
    put("dr_hasta", QString::number(highestScoreShown));
    put("dr_abierto", flag(fastMoneyOpen));
    put("dr_en_tablero", flag(fastMoneyBoardShown));
    return lines;
}

std::optional<GameSnapshot> GameSnapshot::fromLines(const QStringList& lines, QString* problem) {
    const auto fail = [problem](const QString& why) -> std::optional<GameSnapshot> {
        if (problem) {
            *problem = why;
        }
        return std::nullopt;
    };
    if (lines.value(0) != kFormat) {
        return fail(QStringLiteral("no es un archivo de partida"));
    }
    QHash<QString, QString> values;
    for (int i = 1; i < lines.size(); ++i) {
        const int equals = lines[i].indexOf(QLatin1Char('='));
        if (equals <= 0) {
            return fail(QStringLiteral("la línea %1 no tiene la forma nombre=valor").arg(i + 1));
        }
        values.insert(lines[i].left(equals), lines[i].mid(equals + 1));
    }
    GameSnapshot s;
    QString bad;
    const auto number = [&values, &bad](const char* name, int& field) {
        const QString text = values.value(QLatin1String(name));
        bool ok = false;
        const int n = text.toInt(&ok);
        if (!ok || n < 0 || n > kLargestNumber) {
            bad = QLatin1String(name);
            return;
        }
        field = n;
    };
    const auto onOff = [&values, &bad](const char* name, bool& field) {
        const QString text = values.value(QLatin1String(name));
        if (text != QLatin1String("0") && text != QLatin1String("1")) {
            bad = QLatin1String(name);
            return;
        }
        field = text == QLatin1String("1");
    };
    const QString view = values.value(QStringLiteral("vista"));
    if (view != QLatin1String("juego") && view != QLatin1String("portada")) {
        bad = QStringLiteral("vista");
    }
    s.gameView = view == QLatin1String("juego");
    QString card = values.value(QStringLiteral("tarjeta"));
    s.extraCard = card.startsWith(QLatin1Char('x'));
    if (s.extraCard) {
        card.remove(0, 1);
    }
    values.insert(QStringLiteral("tarjeta"), card);
    number("tarjeta", s.cardNumber);
    number("ronda", s.state.RoundNumber);
    number("preguntas", s.state.GameQuestionCount);
    number("extra", s.state.ExtraRoundNumber);
    number("equis", s.state.StrikeCount);
    onOff("dobles", s.state.DoublePoints);
    onOff("triples", s.state.TriplePoints);
    onOff("bolsa_abierta", s.state.PotOpen);
    onOff("facil", s.state.EasyMode);
    const QString uncovered = values.value(QStringLiteral("destapadas"));
    if (uncovered.size() != 5) {
        bad = QStringLiteral("destapadas");
    } else {
        for (int i = 0; i < 5; ++i) {
            if (uncovered[i] != QLatin1Char('0') && uncovered[i] != QLatin1Char('1')) {
                bad = QStringLiteral("destapadas");
            }
            s.uncovered[i] = uncovered[i] == QLatin1Char('1');
        }
    }
    // The numbers the board shows as text: digits only, as the board itself writes them.
    const auto digits = [&values, &bad](const char* name, QString& field) {
        const QString text = values.value(QLatin1String(name));
        static const QRegularExpression number(QStringLiteral("^[0-9]{1,12}$"));
        if (!number.match(text).hasMatch()) {
            bad = QLatin1String(name);
            return;
        }
        field = text;
    };
    digits("bolsa", s.pot);
    digits("izquierda", s.leftScore);
    digits("derecha", s.rightScore);
    digits("ultimos_puntos", s.lastAward);
    s.lastSide = values.value(QStringLiteral("ultimo_lado"));
    s.enabledKeys = values.value(QStringLiteral("teclas"));
    for (int i = 0; i < 10; ++i) {
        const QString n = QString::number(i + 1);
        s.fastAnswers[i] = values.value(QStringLiteral("dr_respuesta") + n);
        s.fastScores[i] = values.value(QStringLiteral("dr_puntos") + n);
        s.shownAnswers[i] = values.value(QStringLiteral("dr_tablero_respuesta") + n);
        s.shownScores[i] = values.value(QStringLiteral("dr_tablero_puntos") + n);
    }
    number("dr_hasta", s.highestScoreShown);
    onOff("dr_abierto", s.fastMoneyOpen);
    onOff("dr_en_tablero", s.fastMoneyBoardShown);
    if (!bad.isEmpty()) {
        return fail(QStringLiteral("el valor \"%1\" falta o no es válido").arg(bad));
    }
    return s;
}

}  // namespace velta
