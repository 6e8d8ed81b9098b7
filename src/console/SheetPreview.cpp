#include "console/SheetPreview.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "platform/ProgramFolder.h"

namespace velta {

namespace {

const QColor kRefused(0xF8, 0xD7, 0xD7);
const QColor kWarned(0xFF, 0xF4, 0xC8);

QString answersText(const SheetRow& row) {
    QStringList parts;
    for (int k = 0; k < row.answers.size(); ++k) {
        if (!row.answers[k].isEmpty()) {
            parts << QStringLiteral("%1 (%2)").arg(row.answers[k], row.points[k]);
        }
    }
    return parts.join(QStringLiteral(" · "));
}

}  // namespace

SheetPreview::SheetPreview(const QuestionSheet& sheet, const QString& source, const QString& folder,
                           const QString& next, QWidget* parent)
    : QDialog(parent), sheet_(sheet), folder_(folder) {
    setObjectName(QStringLiteral("VistaImportar"));
    setWindowTitle(QStringLiteral("Importar preguntas"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(860, 520);

    auto* layout = new QVBoxLayout(this);
    auto* from = new QLabel(QStringLiteral("Preguntas de %1").arg(source), this);
    layout->addWidget(from);
    counts_ = new QLabel(this);
    counts_->setObjectName(QStringLiteral("LabelCuenta"));
    layout->addWidget(counts_);

    table_ = new QTableWidget(this);
    table_->setObjectName(QStringLiteral("TablaImportar"));
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->verticalHeader()->hide();
    layout->addWidget(table_, 1);
    fillTable();

    intoFolder_ = new QRadioButton(QStringLiteral("Agregar a la carpeta de rondas \"%1\", desde %2")
                                       .arg(QDir::toNativeSeparators(folder), next),
                                   this);
    intoFolder_->setObjectName(QStringLiteral("RBCarpetaActual"));
    intoFolder_->setChecked(true);
    layout->addWidget(intoFolder_);
    auto* newRow = new QHBoxLayout;
    intoNew_ = new QRadioButton(QStringLiteral("En una carpeta nueva, junto a ella:"), this);
    intoNew_->setObjectName(QStringLiteral("RBCarpetaNueva"));
    newName_ = new QLineEdit(this);
    newName_->setObjectName(QStringLiteral("ECarpetaNueva"));
    newName_->setPlaceholderText(QStringLiteral("Nombre de la carpeta"));
    connect(newName_, &QLineEdit::textEdited, intoNew_, [this] { intoNew_->setChecked(true); });
    newRow->addWidget(intoNew_);
    newRow->addWidget(newName_, 1);
    layout->addLayout(newRow);
    nameProblem_ = new QLabel(this);
    nameProblem_->setObjectName(QStringLiteral("LabelCarpetaNueva"));
    nameProblem_->setStyleSheet(QStringLiteral("color: #C00000"));
    nameProblem_->hide();
    layout->addWidget(nameProblem_);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    const int ready = sheet_.readyCount();
    import_ = new QPushButton(QStringLiteral("Importar %1 preguntas").arg(ready), this);
    import_->setObjectName(QStringLiteral("BImportarListas"));
    import_->setEnabled(ready > 0);
    import_->setDefault(ready > 0);
    auto* cancel = new QPushButton(QStringLiteral("Cancelar"), this);
    cancel->setObjectName(QStringLiteral("BCancelarImportar"));
    buttons->addWidget(import_);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(import_, &QPushButton::clicked, this, &SheetPreview::confirm);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void SheetPreview::fillTable() {
    table_->setColumnCount(6);
    table_->setHorizontalHeaderLabels({QStringLiteral("Fila"), QStringLiteral("Tipo"),
                                       QStringLiteral("Pregunta"), QStringLiteral("Respuestas"),
                                       QStringLiteral("Total"), QStringLiteral("Estado")});
    table_->setRowCount(int(sheet_.rows.size()));
    int warned = 0;
    for (int i = 0; i < sheet_.rows.size(); ++i) {
        const SheetRow& row = sheet_.rows[i];
        const QString state = !row.ready()            ? row.problem
                              : row.warning.isEmpty() ? QStringLiteral("Lista")
                                                      : QStringLiteral("Lista. ") + row.warning;
        const QStringList cells{
            QString::number(row.row),
            row.kind == RoundKind::Extra ? QStringLiteral("extra") : QStringLiteral("normal"),
            row.question,
            answersText(row),
            row.ready() ? QString::number(row.total) : QString(),
            state};
        for (int c = 0; c < cells.size(); ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            item->setToolTip(cells[c]);
            if (!row.ready()) {
                item->setBackground(kRefused);
            } else if (!row.warning.isEmpty()) {
                item->setBackground(kWarned);
            }
            table_->setItem(i, c, item);
        }
        warned += row.ready() && !row.warning.isEmpty() ? 1 : 0;
    }
    table_->setColumnWidth(0, 44);
    table_->setColumnWidth(1, 56);
    table_->setColumnWidth(2, 230);
    table_->setColumnWidth(3, 230);
    table_->setColumnWidth(4, 44);
    table_->horizontalHeader()->setStretchLastSection(true);
    counts_->setText(QStringLiteral("Listas: %1 · Rechazadas: %2 · Con aviso: %3 (los puntos "
                                    "no suman 100)")
                         .arg(sheet_.readyCount())
                         .arg(sheet_.refusedCount())
                         .arg(warned));
}

QString SheetPreview::targetFolder() const {
    if (intoFolder_->isChecked()) {
        return folder_;
    }
    QString parent = normalizeSeparators(folder_);
    while (parent.endsWith('/') && parent.size() > 1) {
        parent.chop(1);
    }
    return QFileInfo(parent).absolutePath() + '/' + newName_->text().trimmed();
}

void SheetPreview::confirm() {
    if (intoNew_->isChecked()) {
        const QString name = newName_->text().trimmed();
        QString problem;
        if (name.isEmpty()) {
            problem = QStringLiteral("Escriba el nombre de la carpeta nueva.");
        } else if (name.contains('/') || name.contains('\\') || name == QLatin1String(".") ||
                   name == QLatin1String("..")) {
            problem = QStringLiteral("El nombre de la carpeta no puede llevar \"/\" ni \"\\\".");
        } else if (QFileInfo::exists(targetFolder()) && !QFileInfo(targetFolder()).isDir()) {
            problem = QStringLiteral("Ya hay un archivo con ese nombre.");
        }
        if (!problem.isEmpty()) {
            nameProblem_->setText(problem);
            nameProblem_->show();
            return;
        }
    }
    const QString folder = targetFolder();
    accept();
    Q_EMIT importRequested(folder);
}

}  // namespace velta
