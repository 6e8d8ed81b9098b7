// Question spreadsheets: reading every way a spreadsheet saves one, the reason a row is
// refused, exporting a rounds folder and importing it again byte for byte, importing next
// to cards already there, the commands without a window and the host's printed sheet read
// back from its PDF.

#include <QDir>
#include <QPageSize>
#include <QProcess>
#include <QRegularExpression>
#include <QStringEncoder>
#include <QtTest>
#include <cstdio>

#include "TempProgramFolder.h"
#include "UnitHelpers.h"
#include "content/HostSheet.h"
#include "content/QuestionSheet.h"
#include "content/SheetTransfer.h"
#include "editing/QuestionCommands.h"

using namespace velta;
using velta::test::columns;
using velta::test::fileBytes;
using velta::test::row;
using velta::test::TempProgramFolder;

namespace {

// A row as the test tables write it: "normal|question|Perro=40,Gato=60" when it is ready
// (and " ! warning" after it), its problem when it is refused.
QString described(const SheetRow& r) {
    if (!r.ready()) {
        return r.problem;
    }
    QStringList pairs;
    for (int k = 0; k < 5; ++k) {
        if (!r.answers[k].isEmpty() || !r.points[k].isEmpty()) {
            pairs << r.answers[k] + '=' + r.points[k];
        }
    }
    QString text =
        QStringLiteral("%1|%2|%3")
            .arg(r.kind == RoundKind::Extra ? "extra" : "normal", r.question, pairs.join(','));
    return r.warning.isEmpty() ? text : text + QStringLiteral(" ! ") + r.warning;
}

QStringList described(const QuestionSheet& sheet) {
    QStringList rows;
    for (const SheetRow& r : sheet.rows) {
        rows << QStringLiteral("%1: %2").arg(r.row).arg(described(r));
    }
    return rows;
}

QByteArray utf8(const char* text) {
    return QByteArray(text);
}

QByteArray cp1252(const QString& text) {
    QStringEncoder encoder("windows-1252");
    return encoder.encode(text);
}

QByteArray utf16le(const QString& text) {
    QStringEncoder encoder(QStringConverter::Utf16LE);
    return QByteArray("\xFF\xFE") + QByteArray(encoder.encode(text));
}

const QString kPlaya = QStringLiteral("¿Qué llevas a la playa?");
const QString kPlayaRow =
    QStringLiteral("1: normal|¿Qué llevas a la playa?|Toalla=50,Sombrilla=30,Agua=20");

// Every card of the folder, by file name.
QMap<QString, QByteArray> folderFiles(const QString& folder) {
    QMap<QString, QByteArray> files;
    for (const QString& name : QDir(folder).entryList(QDir::Files)) {
        files[name] = fileBytes(QDir(folder).filePath(name));
    }
    return files;
}

void saveCard(const QString& folder, RoundKind kind, int number, const QString& question,
              const QStringList& answers = {"Uno", "Dos", "Tres", "Cuatro", "Cinco"},
              const QStringList& points = {"40", "30", "15", "10", "5"}) {
    SaveRoundCard(folder, kind, number, question, answers, points);
}

// What a command printed to a stream.
struct Captured {
    FILE* file = std::tmpfile();
    ~Captured() { std::fclose(file); }
    QString text() const {
        std::rewind(file);
        QByteArray bytes;
        char buffer[4096];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
            bytes.append(buffer, qsizetype(n));
        }
        return QString::fromLocal8Bit(bytes);
    }
};

// The text of each page of a PDF, white space run together; empty when pdftotext fails.
QStringList pdfPages(const QString& pdf) {
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    info.waitForFinished();
    const QRegularExpressionMatch pages =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
            .match(QString::fromUtf8(info.readAllStandardOutput()));
    QStringList texts;
    for (int p = 1; pages.hasMatch() && p <= pages.captured(1).toInt(); ++p) {
        QProcess text;
        text.start(
            QStringLiteral("pdftotext"),
            {QStringLiteral("-f"), QString::number(p), QStringLiteral("-l"), QString::number(p),
             QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
        text.waitForFinished();
        texts << QString::fromUtf8(text.readAllStandardOutput())
                     .replace(QRegularExpression(QStringLiteral("\\s+")), QStringLiteral(" "));
    }
    return texts;
}

}  // namespace

class QuestionSheetTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void reading_data();
    void reading();
    void refusedRows_data();
    void refusedRows();
    void exportThenImportIsByteForByte();
    void importNeverOverwrites();
    void commands();
    void hostSheetKeepsEveryQuestionOnOnePage();
};

void QuestionSheetTest::reading_data() {
    columns<QByteArray, QStringList>("bytes", "rows");
    const QString answers = QStringLiteral(",Toalla,50,Sombrilla,30,Agua,20");
    const QByteArray plain = (kPlaya + answers).toUtf8();
    row("comma, UTF-8 without a mark", plain, QStringList{kPlayaRow});
    row("UTF-8 with a mark", QByteArray("\xEF\xBB\xBF") + plain, QStringList{kPlayaRow});
    row("Windows-1252", cp1252(kPlaya + answers), QStringList{kPlayaRow});
    row("semicolon, as Spanish spreadsheets save",
        (kPlaya + QStringLiteral(";Toalla;50;Sombrilla;30;Agua;20\r\n")).toUtf8(),
        QStringList{kPlayaRow});
    row("tab", (kPlaya + QStringLiteral("\tToalla\t50\tSombrilla\t30\tAgua\t20\n")).toUtf8(),
        QStringList{kPlayaRow});
    row("UTF-16 with a mark, tab",
        utf16le(kPlaya + QStringLiteral("\tToalla\t50\tSombrilla\t30\tAgua\t20")),
        QStringList{kPlayaRow});
    row("semicolons win over a question's commas", utf8("Uno, dos, tres, cuatro;A;50;B;50\n"),
        QStringList{"1: normal|Uno, dos, tres, cuatro|A=50,B=50"});
    row("quoted commas, quotes and a line break",
        utf8("\"Sal, pimienta\",\"Dijo \"\"hola\"\"\",60,\"dos\nlíneas\",40\n"),
        QStringList{"1: normal|Sal, pimienta|Dijo \"hola\"=60,dos\nlíneas=40"});
    row("header row and the tipo column",
        utf8("tipo,pregunta,respuesta 1,puntos 1\r\nnormal,Uno,A,100\r\nEXTRA,Dos,B,100\r\n"),
        QStringList{"2: normal|Uno|A=100", "3: extra|Dos|B=100"});
    row("tipo column without a header", utf8("extra,Dos,B,100\nnormal,Uno,A,100\n"),
        QStringList{"1: extra|Dos|B=100", "2: normal|Uno|A=100"});
    row("header without the tipo column", utf8("Pregunta,Respuesta 1,Puntos 1\nUno,A,100\n"),
        QStringList{"2: normal|Uno|A=100"});
    row("blank rows and padded cells are left out but counted",
        utf8("Uno,A,100,,,,\n,,,,\n\nDos,B,100\n"),
        QStringList{"1: normal|Uno|A=100", "4: normal|Dos|B=100"});
    row("points that do not add up to 100 only warn", utf8("Uno,A,50,B,40\n"),
        QStringList{"1: normal|Uno|A=50,B=40 ! Los puntos suman 90, no 100."});
    row("an answer left out keeps its zero", utf8("Uno,A,60,B,40,,,,,,0\n"),
        QStringList{"1: normal|Uno|A=60,B=40,=0"});
}

void QuestionSheetTest::reading() {
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, rows);
    const QuestionSheet sheet = readQuestionSheet(bytes);
    QCOMPARE(sheet.problem, QString());
    QCOMPARE(described(sheet), rows);
    QCOMPARE(sheet.readyCount(), rows.size());
}

void QuestionSheetTest::refusedRows_data() {
    columns<QByteArray, QString>("row", "problem");
    row("points that are no number", utf8("Uno,A,40,B,30,C,diez,D,20"),
        QStringLiteral("Fila 1: los puntos de la respuesta 3 («diez») no son un número entero."));
    row("points above 100", utf8("Uno,A,150"),
        QStringLiteral("Fila 1: los puntos de la respuesta 1 («150») deben estar entre 0 y 100."));
    row("negative points", utf8("Uno,A,-5,B,105"),
        QStringLiteral("Fila 1: los puntos de la respuesta 1 («-5») deben estar entre 0 y 100."));
    row("no answer", utf8("Uno,,,,"),
        QStringLiteral("Fila 1: la pregunta no tiene ninguna respuesta."));
    row("empty question", utf8(" ,A,100"), QStringLiteral("Fila 1: la pregunta está vacía."));
    row("more than five answers", utf8("Uno,A,20,B,20,C,20,D,20,E,10,F,10"),
        QStringLiteral("Fila 1: tiene más de cinco respuestas (12 columnas después de la "
                       "pregunta; caben 10)."));
    row("an answer without points", utf8("Uno,A,60,B"),
        QStringLiteral("Fila 1: la respuesta 2 («B») no tiene puntos."));
    row("points without an answer", utf8("Uno,A,60,,40"),
        QStringLiteral("Fila 1: la respuesta 2 no tiene texto pero sí puntos («40»)."));
    row("a question too long for a card", QByteArray(2001, 'q') + ",A,100",
        QStringLiteral("Fila 1: la pregunta tiene 2001 caracteres; caben 2000."));
    row("an answer too long for a card", "Uno,A,50," + QByteArray(501, 'b') + ",50",
        QStringLiteral("Fila 1: la respuesta 2 tiene 501 caracteres; caben 500."));
    row("wrong tipo", utf8("tipo,pregunta\nbonus,Uno,A,100"),
        QStringLiteral("Fila 2: el tipo «bonus» no es «normal» ni «extra»."));
}

void QuestionSheetTest::refusedRows() {
    QFETCH(QByteArray, row);
    QFETCH(QString, problem);
    const QuestionSheet sheet = readQuestionSheet(row);
    QCOMPARE(sheet.rows.size(), 1);
    QCOMPARE(sheet.rows[0].problem, problem);
    QCOMPARE(sheet.readyCount(), 0);
    QCOMPARE(sheet.refusedCount(), 1);
}

void QuestionSheetTest::exportThenImportIsByteForByte() {
    TempProgramFolder show;
    const QString from = show.file(QStringLiteral("Rondas"));
    const QString to = show.file(QStringLiteral("Copia"));
    QVERIFY(QDir().mkpath(from) && QDir().mkpath(to));
    saveCard(from, RoundKind::Normal, 1, QStringLiteral("¿Qué llevas a la playa, al río?"));
    saveCard(from, RoundKind::Normal, 2, QStringLiteral("Comillas y punto y coma; \"así\""),
             {"\"Citado\" al empezar", "Sal, pimienta", " espacios ", "", ""},
             {"50", "30", "20", "", "0"});
    saveCard(from, RoundKind::Normal, 3, QStringLiteral("Fuera de Windows-1252: ☃ ✓"));
    saveCard(from, RoundKind::Extra, 1, QStringLiteral("¿Desempate?"), {"Sí", "No", "", "", ""},
             {"60", "40", "", "", ""});

    SheetExport out(from);
    while (out.step()) {
    }
    QCOMPARE(out.done(), 4);
    QVERIFY(out.bytes().startsWith("\xEF\xBB\xBFtipo,pregunta,respuesta 1,puntos 1,"));
    const QuestionSheet sheet = readQuestionSheet(out.bytes());
    QCOMPARE(sheet.refusedCount(), 0);
    CardImport in(to, sheet.rows);
    while (in.step()) {
    }
    QCOMPARE(folderFiles(to), folderFiles(from));

    SheetExport again(to);
    while (again.step()) {
    }
    QCOMPARE(again.bytes(), out.bytes());
}

void QuestionSheetTest::importNeverOverwrites() {
    TempProgramFolder show;
    const QString folder = show.file(QStringLiteral("Rondas"));
    QVERIFY(QDir().mkpath(folder));
    for (const int n : {1, 2, 4}) {
        saveCard(folder, RoundKind::Normal, n, QStringLiteral("Vieja %1").arg(n));
    }
    saveCard(folder, RoundKind::Extra, 1, QStringLiteral("Vieja extra"));
    const QMap<QString, QByteArray> before = folderFiles(folder);

    const QuestionSheet sheet = readQuestionSheet(
        utf8("tipo,pregunta\nnormal,Nueva A,X,100\nextra,Nueva extra,X,100\nnormal,Mala,X,"
             "cien\nnormal,Nueva B,X,100\n"));
    CardImport import(folder, sheet.rows);
    QCOMPARE(import.total(), 3);
    while (import.step()) {
    }
    QMap<QString, QByteArray> after = folderFiles(folder);
    for (auto it = before.begin(); it != before.end(); ++it) {
        QCOMPARE(after.take(it.key()), it.value());
    }
    QCOMPARE(after.keys(), (QStringList{"ronda5.txt", "ronda6.txt", "xronda2.txt"}));
    QCOMPARE(LoadRoundCard(folder + "/ronda5.txt").question, QStringLiteral("Nueva A"));
    QCOMPARE(LoadRoundCard(folder + "/ronda6.txt").question, QStringLiteral("Nueva B"));
    QCOMPARE(import.numbers(RoundKind::Normal), std::make_pair(5, 6));
    QCOMPARE(importNote(import, folder),
             QStringLiteral("Se importaron 3 preguntas en \"%1\" (ronda5.txt a ronda6.txt, "
                            "xronda2.txt).")
                 .arg(QDir::toNativeSeparators(folder)));
}

void QuestionSheetTest::commands() {
    TempProgramFolder show;
    const QString rounds = show.file(QStringLiteral("Rondas"));
    QVERIFY(QDir().mkpath(rounds));
    show.writeBytes(QStringLiteral("bien.csv"), utf8("Uno;A;100\nDos;B;100\n"));
    show.writeBytes(QStringLiteral("mal.csv"), utf8("Tres;C;100\nCuatro;D;diez\n"));
    const auto run = [&show](const QString& option, const QStringList& arguments, QString* out,
                             QString* err) {
        Captured o, e;
        const int status = questionCommand(show.path(), option, arguments, o.file, e.file);
        *out = o.text();
        *err = e.text();
        return status;
    };
    QString out, err;
    // Into the rounds folder in force.
    QCOMPARE(run(kImportQuestionsOption, {show.file("bien.csv")}, &out, &err), 0);
    QVERIFY2(out.startsWith(QStringLiteral("Se importaron 2 preguntas")), qPrintable(out));
    QCOMPARE(err, QString());
    QCOMPARE(run(kImportQuestionsOption, {show.file("mal.csv"), rounds}, &out, &err), 1);
    QCOMPARE(err, QStringLiteral(
                      "Fila 2: los puntos de la respuesta 1 («diez») no son un número entero.\n"));
    QVERIFY2(out.startsWith(QStringLiteral("Se importó 1 pregunta")), qPrintable(out));
    QCOMPARE(QDir(rounds).entryList(QDir::Files),
             (QStringList{"ronda1.txt", "ronda2.txt", "ronda3.txt"}));
    QCOMPARE(run(kImportQuestionsOption, {show.file("bien.csv"), show.file("NoHay")}, &out, &err),
             1);
    QVERIFY2(err.startsWith(QStringLiteral("No existe la carpeta de rondas")), qPrintable(err));
    QCOMPARE(run(kImportQuestionsOption, {}, &out, &err), 1);
    QCOMPARE(err, QStringLiteral("Uso: velta --importar-preguntas ARCHIVO.csv [CARPETA]\n"));

    QCOMPARE(run(kExportQuestionsOption, {show.file("todo.csv")}, &out, &err), 0);
    QCOMPARE(readQuestionSheet(fileBytes(show.file("todo.csv"))).readyCount(), 3);
    QCOMPARE(run(kHostSheetOption, {show.file("hoja.pdf")}, &out, &err), 0);
    QVERIFY(fileBytes(show.file("hoja.pdf")).startsWith("%PDF"));
}

void QuestionSheetTest::hostSheetKeepsEveryQuestionOnOnePage() {
    TempProgramFolder show;
    const QString folder = show.file(QStringLiteral("Rondas"));
    QVERIFY(QDir().mkpath(folder));
    constexpr int kNormal = 40;
    constexpr int kExtra = 4;
    const auto question = [](RoundKind kind, int n) {
        // Some long enough to wrap over two lines.
        return QStringLiteral("¿%1 %2: qué dijo la encuesta%3?")
            .arg(kind == RoundKind::Extra ? "Desempate" : "Pregunta")
            .arg(n)
            .arg(n % 3 == 0 ? QStringLiteral(" sobre las cosas que se llevan a la playa en "
                                             "verano cuando hace mucho calor")
                            : QString());
    };
    const auto answer = [](RoundKind kind, int n, int k) {
        return QStringLiteral("Resp%1%2n%3")
            .arg(kind == RoundKind::Extra ? "X" : "N")
            .arg(n)
            .arg(k);
    };
    QList<std::pair<RoundKind, int>> cards;
    for (int n = 1; n <= kNormal; ++n) {
        cards.append({RoundKind::Normal, n});
    }
    for (int n = 1; n <= kExtra; ++n) {
        cards.append({RoundKind::Extra, n});
    }
    for (const auto& [kind, n] : cards) {
        QStringList answers;
        for (int k = 1; k <= 5; ++k) {
            answers << answer(kind, n, k);
        }
        saveCard(folder, kind, n, question(kind, n), answers);
    }
    const QString pdf = show.file(QStringLiteral("hoja.pdf"));
    int pages = 0;
    int printed = 0;
    writeHostSheetPdf(folder, QStringLiteral("Noche de Trivia"), pdf, QPageSize(QPageSize::A4),
                      &pages, &printed);
    QCOMPARE(printed, kNormal + kExtra);

    const QStringList texts = pdfPages(pdf);
    QCOMPARE(texts.size(), pages);
    QVERIFY2(pages > 3, "the sheet should take several pages");
    QVERIFY(texts[0].contains(QStringLiteral("Noche de Trivia")));
    int lastPage = 0;
    for (const auto& [kind, n] : cards) {
        int found = -1;
        for (int p = 0; p < texts.size(); ++p) {
            bool whole = texts[p].contains(question(kind, n));
            for (int k = 1; k <= 5; ++k) {
                whole = whole && texts[p].contains(answer(kind, n, k));
            }
            if (whole) {
                found = p;
            }
        }
        QVERIFY2(found >= 0, qPrintable(QStringLiteral("card %1 is not whole on any page").arg(n)));
        // In order, the tie-breakers after the others.
        QVERIFY(found >= lastPage);
        lastPage = found;
    }
    QVERIFY(texts.join(' ').contains(QStringLiteral("Preguntas extras (desempate)")));
}

QTEST_MAIN(QuestionSheetTest)
#include "tst_questionsheet.moc"
