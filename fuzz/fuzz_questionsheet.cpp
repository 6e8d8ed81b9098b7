// Question spreadsheets: any bytes give rows, each ready or refused with a short reason
// naming its row; a ready row keeps five answers with points of 0 to 100, and written back
// as a spreadsheet line it reads as the same row.
#include <QByteArray>
#include <cstdint>

#include "FuzzCheck.h"
#include "content/QuestionSheet.h"
#include "platform/Errors.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const velta::QuestionSheet sheet = velta::readQuestionSheet(bytes);
    FUZZ_CHECK(sheet.readyCount() + sheet.refusedCount() == sheet.rows.size());
    for (const velta::SheetRow& row : sheet.rows) {
        FUZZ_CHECK(row.answers.size() == 5 && row.points.size() == 5);
        if (!row.ready()) {
            FUZZ_CHECK(row.problem.startsWith(QStringLiteral("Fila %1: ").arg(row.row)));
            FUZZ_CHECK(row.problem.size() < 200);
            continue;
        }
        FUZZ_CHECK(!row.question.trimmed().isEmpty());
        FUZZ_CHECK(row.total >= 0 && row.total <= 500);
        QStringList fields{row.kind == velta::RoundKind::Extra ? QStringLiteral("extra")
                                                               : QStringLiteral("normal"),
                           row.question};
        for (int k = 0; k < 5; ++k) {
            if (!row.answers[k].isEmpty()) {
                FUZZ_CHECK(velta::isDigits(row.points[k]) && velta::toInt(row.points[k]) <= 100);
            }
            fields << row.answers[k] << row.points[k];
        }
        const velta::QuestionSheet again = velta::readQuestionSheet(velta::sheetLine(fields));
        FUZZ_CHECK(again.rows.size() == 1 && again.rows[0].ready());
        FUZZ_CHECK(again.rows[0].question == row.question && again.rows[0].answers == row.answers &&
                   again.rows[0].points == row.points && again.rows[0].kind == row.kind);
    }
    return 0;
}
