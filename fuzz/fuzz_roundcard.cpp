// Round cards: any file is a question and five answer lines; every answer line splits into
// a text and points taken from the line, and points either convert or are refused with a
// short message.
#include <QByteArray>
#include <cstdint>

#include "FuzzCheck.h"
#include "content/RoundFiles.h"
#include "content/TextFiles.h"
#include "platform/Errors.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const velta::RoundCard card = velta::roundCardFromText(velta::decodeText(bytes));
    FUZZ_CHECK(card.answerLines.size() == 5);
    FUZZ_CHECK(!card.question.contains('\n') && !card.question.contains('\r'));
    for (const QString& line : card.answerLines) {
        const auto [text, points] = velta::SplitAnswerLine(line);
        // A line without a comma is all text, worth "0".
        FUZZ_CHECK(text.size() <= line.size() &&
                   (points.size() <= line.size() || points == QLatin1String("0")));
        try {
            velta::toInt64(points);
            FUZZ_CHECK(!points.trimmed().isEmpty());
        } catch (const velta::ConversionError& e) {
            FUZZ_CHECK(velta::errorMessage(e).size() < 100);
        }
    }
    return 0;
}
