#include "content/QuestionSheet.h"

#include <csv.h>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <algorithm>

#include "content/TextFiles.h"
#include "platform/Errors.h"
#include "platform/ProgramFolder.h"

namespace velta {

namespace {

constexpr int kAnswers = 5;
constexpr int kLargestPoints = 100;
// Far more than a board shows, and a card this long still reads back (see kLargestTextFile).
constexpr int kLongestQuestion = 2000;
constexpr int kLongestAnswer = 500;

using Records = QList<QStringList>;

// libcsv hands each field and each end of row to these, in order.
struct Collector {
    Records records;
    QStringList current;
    int limit = -1;  // rows to keep; -1 for all
    int lastEnd = 0;
};

void takeField(void* data, size_t length, void* collector) {
    auto* c = static_cast<Collector*>(collector);
    c->current << QString::fromUtf8(static_cast<const char*>(data), qsizetype(length));
}

// Every line end is reported, so that an empty line counts as a row as the spreadsheet
// numbers them; the LF of a CR LF is no row of its own.
void endRow(int end, void* collector) {
    auto* c = static_cast<Collector*>(collector);
    const bool secondHalf = end == '\n' && c->lastEnd == '\r' && c->current.isEmpty();
    c->lastEnd = end;
    if (secondHalf) {
        c->lastEnd = 0;
        return;
    }
    if (c->limit < 0 || c->records.size() < c->limit) {
        c->records << c->current;
    }
    c->current.clear();
}

// Only the space is trimmed around an unquoted field: a tab may be the separator.
int isBlank(unsigned char c) {
    return c == ' ';
}

Records parse(const QByteArray& utf8, char separator, int limit = -1) {
    csv_parser parser;
    csv_init(&parser, CSV_REPALL_NL);
    csv_set_delim(&parser, static_cast<unsigned char>(separator));
    csv_set_space_func(&parser, isBlank);
    Collector collector;
    collector.limit = limit;
    csv_parse(&parser, utf8.constData(), size_t(utf8.size()), takeField, endRow, &collector);
    csv_fini(&parser, takeField, endRow, &collector);
    csv_free(&parser);
    return collector.records;
}

// The separator that splits the first rows into the most fields; a spreadsheet writes the
// same number of fields on every row, and a question's own commas rarely outnumber them.
char detectSeparator(const QByteArray& utf8) {
    const QByteArray start = utf8.left(16 * 1024);
    char best = ',';
    int bestFields = 0;
    for (const char separator : {',', ';', '\t'}) {
        QList<int> counts;
        for (const QStringList& record : parse(start, separator, 20)) {
            counts << int(record.size());
        }
        if (counts.isEmpty()) {
            continue;
        }
        std::sort(counts.begin(), counts.end());
        const int typical = counts[counts.size() / 2];
        if (typical > bestFields) {
            best = separator;
            bestFields = typical;
        }
    }
    return best;
}

QString folded(const QString& text) {
    return text.trimmed().toCaseFolded();
}

// The points as a number, or the reason they are none.
std::optional<int> pointsValue(const QString& points) {
    if (!isDigits(points)) {
        return std::nullopt;
    }
    const QString digits = points.trimmed();
    return digits.size() > 3 ? kLargestPoints + 1 : digits.toInt();
}

bool negativeNumber(const QString& points) {
    const QString t = points.trimmed();
    return t.startsWith('-') && isDigits(t.mid(1));
}

QString quotedValue(const QString& value) {
    return QStringLiteral("«%1»").arg(elided(value));
}

SheetRow checkRow(int rowNumber, QStringList fields, bool kindColumn) {
    SheetRow row;
    row.row = rowNumber;
    const auto refuse = [&row](const QString& reason) {
        if (row.problem.isEmpty()) {
            row.problem = QStringLiteral("Fila %1: %2").arg(row.row).arg(reason);
        }
    };
    if (kindColumn) {
        const QString kind = folded(fields.takeFirst());
        if (kind == QLatin1String("extra")) {
            row.kind = RoundKind::Extra;
        } else if (!kind.isEmpty() && kind != QLatin1String("normal")) {
            refuse(QStringLiteral("el tipo %1 no es «normal» ni «extra».").arg(quotedValue(kind)));
        }
    }
    row.question = fields.value(0);
    const QStringList pairs = fields.mid(1);
    for (int k = 0; k < kAnswers; ++k) {
        row.answers << pairs.value(2 * k).trimmed();
        row.points << pairs.value(2 * k + 1).trimmed();
    }
    if (row.question.trimmed().isEmpty()) {
        refuse(QStringLiteral("la pregunta está vacía."));
    }
    if (row.question.size() > kLongestQuestion) {
        refuse(QStringLiteral("la pregunta tiene %1 caracteres; caben %2.")
                   .arg(row.question.size())
                   .arg(kLongestQuestion));
    }
    if (pairs.size() > 2 * kAnswers) {
        refuse(QStringLiteral("tiene más de cinco respuestas (%1 columnas después de la "
                              "pregunta; caben 10).")
                   .arg(pairs.size()));
    }
    int inUse = 0;
    for (int k = 0; k < kAnswers; ++k) {
        const QString& text = row.answers[k];
        const QString& points = row.points[k];
        const int number = k + 1;
        if (text.isEmpty()) {
            // An answer left out may keep a zero, as the editor writes it.
            if (!points.isEmpty() && pointsValue(points) != 0) {
                refuse(QStringLiteral("la respuesta %1 no tiene texto pero sí puntos (%2).")
                           .arg(number)
                           .arg(quotedValue(points)));
            }
            continue;
        }
        ++inUse;
        if (text.size() > kLongestAnswer) {
            refuse(QStringLiteral("la respuesta %1 tiene %2 caracteres; caben %3.")
                       .arg(number)
                       .arg(text.size())
                       .arg(kLongestAnswer));
        }
        if (points.isEmpty()) {
            refuse(QStringLiteral("la respuesta %1 (%2) no tiene puntos.")
                       .arg(number)
                       .arg(quotedValue(text)));
            continue;
        }
        const std::optional<int> value = pointsValue(points);
        if (!value && !negativeNumber(points)) {
            refuse(QStringLiteral("los puntos de la respuesta %1 (%2) no son un número entero.")
                       .arg(number)
                       .arg(quotedValue(points)));
        } else if (!value || *value > kLargestPoints) {
            refuse(QStringLiteral("los puntos de la respuesta %1 (%2) deben estar entre 0 y %3.")
                       .arg(number)
                       .arg(quotedValue(points))
                       .arg(kLargestPoints));
        } else {
            row.total += *value;
        }
    }
    if (inUse == 0 && !row.question.trimmed().isEmpty()) {
        refuse(QStringLiteral("la pregunta no tiene ninguna respuesta."));
    }
    if (row.ready() && row.total != 100) {
        row.warning = QStringLiteral("Los puntos suman %1, no 100.").arg(row.total);
    }
    return row;
}

bool blankRecord(const QStringList& record) {
    return std::all_of(record.begin(), record.end(),
                       [](const QString& f) { return f.trimmed().isEmpty(); });
}

// Empty cells after the last filled one: a spreadsheet pads every row to its widest.
QStringList withoutTrailingBlanks(QStringList record) {
    while (!record.isEmpty() && record.last().trimmed().isEmpty()) {
        record.removeLast();
    }
    return record;
}

QuestionSheet readUtf8(const QByteArray& utf8) {
    QuestionSheet sheet;
    const Records records = parse(utf8, detectSeparator(utf8));
    int first = 0;
    bool kindColumn = false;
    while (first < records.size() && blankRecord(records[first])) {
        ++first;
    }
    if (first < records.size()) {
        const QString lead = folded(records[first].value(0));
        const bool header = lead == QLatin1String("tipo") || lead == QLatin1String("pregunta");
        kindColumn = lead == QLatin1String("tipo") || lead == QLatin1String("normal") ||
                     lead == QLatin1String("extra");
        if (header) {
            ++first;
        }
    }
    for (int i = first; i < records.size(); ++i) {
        if (!blankRecord(records[i])) {
            sheet.rows << checkRow(i + 1, withoutTrailingBlanks(records[i]), kindColumn);
        }
    }
    if (sheet.rows.isEmpty()) {
        sheet.problem = QStringLiteral("No hay ninguna pregunta en la hoja.");
    }
    return sheet;
}

}  // namespace

QStringList sheetHeader() {
    QStringList header{QStringLiteral("tipo"), QStringLiteral("pregunta")};
    for (int k = 1; k <= kAnswers; ++k) {
        header << QStringLiteral("respuesta %1").arg(k) << QStringLiteral("puntos %1").arg(k);
    }
    return header;
}

int QuestionSheet::readyCount() const {
    return int(
        std::count_if(rows.begin(), rows.end(), [](const SheetRow& r) { return r.ready(); }));
}

int QuestionSheet::refusedCount() const {
    return int(rows.size()) - readyCount();
}

QString decodeSheetText(const QByteArray& bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF") || bytes.startsWith("\xFF\xFE") ||
        bytes.startsWith("\xFE\xFF")) {
        return decodeText(bytes);
    }
    QStringDecoder utf8(QStringConverter::Utf8);
    const QString text = utf8.decode(bytes);
    return utf8.hasError() ? decodeText(bytes) : text;
}

QuestionSheet readQuestionSheet(const QByteArray& bytes) {
    if (bytes.contains('\0') && !bytes.startsWith("\xFF\xFE") && !bytes.startsWith("\xFE\xFF")) {
        QuestionSheet sheet;
        sheet.problem = QStringLiteral("El archivo no es una hoja de cálculo en texto (CSV).");
        return sheet;
    }
    return readQuestionSheet(decodeSheetText(bytes));
}

QuestionSheet readQuestionSheet(const QString& text) {
    // A NUL character, which a question file never holds, goes.
    QString clean = text;
    clean.remove(QChar(0));
    return readUtf8(clean.toUtf8());
}

QuestionSheet readQuestionSheetFile(const QString& path) {
    QuestionSheet sheet;
    const QString native = normalizeSeparators(path);
    const QFileInfo info(native);
    QFile file(native);
    if (!info.isFile()) {
        sheet.problem = QStringLiteral("No existe el archivo \"%1\".").arg(shownPath(path));
    } else if (info.size() > kLargestSheetFile) {
        sheet.problem = QStringLiteral("El archivo \"%1\" mide %2 MB; el máximo es %3 MB.")
                            .arg(shownPath(path))
                            .arg((info.size() + (1 << 20) - 1) >> 20)
                            .arg(kLargestSheetFile >> 20);
    } else if (!file.open(QIODevice::ReadOnly)) {
        sheet.problem = QStringLiteral("No se puede leer el archivo \"%1\".").arg(shownPath(path));
    } else {
        return readQuestionSheet(file.read(kLargestSheetFile));
    }
    return sheet;
}

QByteArray sheetLine(const QStringList& fields) {
    QByteArray line;
    for (int i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            line += ',';
        }
        const QByteArray field = fields[i].toUtf8();
        const bool plain = !field.contains(',') && !field.contains('"') && !field.contains('\r') &&
                           !field.contains('\n') && !field.contains(';') && !field.contains('\t') &&
                           !field.startsWith(' ') && !field.endsWith(' ');
        if (plain) {
            line += field;
            continue;
        }
        QByteArray quoted(field.size() * 2 + 2, Qt::Uninitialized);
        quoted.truncate(qsizetype(csv_write(quoted.data(), size_t(quoted.size()), field.constData(),
                                            size_t(field.size()))));
        line += quoted;
    }
    return line + "\r\n";
}

}  // namespace velta
