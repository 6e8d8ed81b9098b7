// Answer lines as the editor writes them and the board reads them: whatever answer text
// and points are typed, the line written splits back into them (commas in the text
// become "/", line breaks spaces, blanks around are trimmed).
#include <QByteArray>
#include <cstdint>

#include "FuzzCheck.h"
#include "content/RoundFiles.h"
#include "content/TextFiles.h"

namespace {

QString asSaved(QString typed) {
    typed.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    typed.replace('\r', ' ');
    typed.replace('\n', ' ');
    return velta::trimControl(typed);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString typed = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    // The first tab parts the answer text from its points.
    const qsizetype tab = typed.indexOf('\t');
    const QString text = tab < 0 ? typed : typed.left(tab);
    const QString points = tab < 0 ? QString() : typed.mid(tab + 1);

    const QString line = velta::answerLine(text, points);
    FUZZ_CHECK(!line.contains('\r') && !line.contains('\n'));
    const auto [readText, readPoints] = velta::SplitAnswerLine(line);
    FUZZ_CHECK(readText == asSaved(QString(text).replace(',', '/')));
    // Points are stored as typed: a comma or a leading quote in them is the editor's to
    // refuse, not the line's to keep.
    const QString savedPoints = asSaved(points);
    if (!savedPoints.contains(',') && !savedPoints.startsWith('"')) {
        FUZZ_CHECK(readPoints == savedPoints);
    }
    return 0;
}
