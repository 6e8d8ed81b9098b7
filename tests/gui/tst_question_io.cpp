// Questions in and out of the control window: a spreadsheet imported through its preview
// (and a cancelled preview that writes nothing), rows pasted into a new folder, the rounds
// folder exported and the host's sheet printed to a PDF.
#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QtTest>

#include "ConsoleFixture.h"
#include "console/SheetPreview.h"
#include "content/QuestionSheet.h"

using namespace velta;

namespace {

QMap<QString, QByteArray> folderFiles(const QString& folder) {
    QMap<QString, QByteArray> files;
    for (const QString& name : QDir(folder).entryList(QDir::Files)) {
        QFile file(QDir(folder).filePath(name));
        files[name] = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    return files;
}

}  // namespace

class QuestionIoTest : public velta::test::ConsoleTestCase {
    Q_OBJECT

  private Q_SLOTS:
    void init();

    void importShowsThePreviewFirst();
    void pastedRowsIntoANewFolder();
    void exportAndPrint();

  private:
    QString rounds() { return f().folder.file(QStringLiteral("Rondas")); }
    // The preview the last button opened, on screen.
    SheetPreview* preview() {
        SheetPreview* shown = nullptr;
        [&] {
            QTRY_VERIFY((shown = f().console->findChild<SheetPreview*>()) && shown->isVisible());
        }();
        return shown;
    }
    template <class Widget>
    static Widget* in(QWidget* parent, const char* name) {
        auto* w = parent->findChild<Widget*>(QLatin1String(name));
        if (!w) {
            qFatal("No %s in the preview", name);
        }
        return w;
    }
};

void QuestionIoTest::init() {
    fresh(3);
    QVERIFY(f().startWithConsole());
}

void QuestionIoTest::importShowsThePreviewFirst() {
    const QString csv = f().folder.file(QStringLiteral("preguntas.csv"));
    f().folder.writeBytes(QStringLiteral("preguntas.csv"),
                          "pregunta;respuesta 1;puntos 1;respuesta 2;puntos 2\r\n"
                          "Nueva uno;A;60;B;40\r\n"
                          "Nueva dos;A;50;B;40\r\n"
                          "Mala;A;diez;B;40\r\n");
    const QMap<QString, QByteArray> before = folderFiles(rounds());

    f().dialogs.files << csv;
    click("BImportar");
    SheetPreview* shown = preview();
    QCOMPARE(in<QLabel>(shown, "LabelCuenta")->text(),
             QStringLiteral("Listas: 2 · Rechazadas: 1 · Con aviso: 1 (los puntos no suman 100)"));
    auto* table = in<QTableWidget>(shown, "TablaImportar");
    QCOMPARE(table->rowCount(), 3);
    QCOMPARE(table->item(0, 5)->text(), QStringLiteral("Lista"));
    QCOMPARE(table->item(1, 5)->text(), QStringLiteral("Lista. Los puntos suman 90, no 100."));
    QCOMPARE(table->item(2, 5)->text(),
             QStringLiteral("Fila 4: los puntos de la respuesta 1 («diez») no son un número "
                            "entero."));
    QCOMPARE(in<QPushButton>(shown, "BImportarListas")->text(),
             QStringLiteral("Importar 2 preguntas"));
    QVERIFY(in<QRadioButton>(shown, "RBCarpetaActual")->text().endsWith("ronda4.txt"));
    click(in<QPushButton>(shown, "BCancelarImportar"));
    QTRY_VERIFY(!f().console->findChild<SheetPreview*>());
    QCOMPARE(folderFiles(rounds()), before);

    f().dialogs.files << csv;
    click("BImportar");
    click(in<QPushButton>(preview(), "BImportarListas"));
    QTRY_COMPARE(folderFiles(rounds()).size(), before.size() + 2);
    QCOMPARE(LoadRoundCard(rounds() + "/ronda4.txt").question, QStringLiteral("Nueva uno"));
    QCOMPARE(LoadRoundCard(rounds() + "/ronda5.txt").question, QStringLiteral("Nueva dos"));
    QCOMPARE(f().dialogs.notices().last(),
             QStringLiteral("Se importaron 2 preguntas en \"%1\" (ronda4.txt a ronda5.txt). La "
                            "fila rechazada no se importó.")
                 .arg(QDir::toNativeSeparators(rounds())));
    QCOMPARE(f().dialogs.errors(), QStringList());
}

void QuestionIoTest::pastedRowsIntoANewFolder() {
    QApplication::clipboard()->setText(QStringLiteral("Uno\tA\t100\nDos\tB\t60\tC\t40\n"));
    const QMap<QString, QByteArray> before = folderFiles(rounds());
    click("BPegar");
    SheetPreview* shown = preview();
    QCOMPARE(in<QTableWidget>(shown, "TablaImportar")->rowCount(), 2);
    QTest::keyClicks(in<QLineEdit>(shown, "ECarpetaNueva"), QStringLiteral("../Fuera"));
    QVERIFY(in<QRadioButton>(shown, "RBCarpetaNueva")->isChecked());
    click(in<QPushButton>(shown, "BImportarListas"));
    QVERIFY(shown->isVisible());
    QCOMPARE(in<QLabel>(shown, "LabelCarpetaNueva")->text(),
             QStringLiteral("El nombre de la carpeta no puede llevar \"/\" ni \"\\\"."));

    auto* name = in<QLineEdit>(shown, "ECarpetaNueva");
    name->clear();
    QTest::keyClicks(name, QStringLiteral("Nuevas"));
    click(in<QPushButton>(shown, "BImportarListas"));
    const QString added = f().folder.file(QStringLiteral("Nuevas"));
    QTRY_COMPARE(folderFiles(added).keys(), (QStringList{"ronda1.txt", "ronda2.txt"}));
    QCOMPARE(folderFiles(rounds()), before);
    QVERIFY(f().dialogs.notices().last().endsWith(
        QStringLiteral("Para jugarlas, elija esa carpeta con \"Carpeta\".")));
}

void QuestionIoTest::exportAndPrint() {
    const QString csv = f().folder.file(QStringLiteral("todo.csv"));
    f().dialogs.files << csv;
    click("BExportar");
    QFile exported(csv);
    QVERIFY(exported.open(QIODevice::ReadOnly));
    const QByteArray bytes = exported.readAll();
    QVERIFY(bytes.startsWith("\xEF\xBB\xBFtipo,pregunta,"));
    QCOMPARE(readQuestionSheet(bytes).readyCount(), 3);
    QCOMPARE(
        f().dialogs.notices().last(),
        QStringLiteral("Se exportaron 3 preguntas a \"%1\".").arg(QDir::toNativeSeparators(csv)));

    const QString pdf = f().folder.file(QStringLiteral("hoja.pdf"));
    f().dialogs.prints << std::nullopt;
    click("BImprimir");
    QVERIFY(!QFile::exists(pdf));
    f().dialogs.prints << pdf;
    click("BImprimir");
    QFile printed(pdf);
    QVERIFY(printed.open(QIODevice::ReadOnly));
    QVERIFY(printed.readAll().startsWith("%PDF"));
    QCOMPARE(f().dialogs.notices().last(),
             QStringLiteral("La hoja del presentador tiene 3 preguntas en 1 página."));
    QCOMPARE(f().dialogs.errors(), QStringList());
}

QTEST_MAIN(QuestionIoTest)
#include "tst_question_io.moc"
