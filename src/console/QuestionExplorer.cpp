#include "console/QuestionExplorer.h"

#include <QItemSelection>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

#include "board/BoardStyle.h"
#include "board/ClickAction.h"
#include "editing/QuestionListing.h"

namespace velta {

QuestionExplorer::QuestionExplorer(QWidget* parent) : DragPanel(QStringLiteral("Panel13"), parent) {
    resize(500, 300);
    addTitleBar(QStringLiteral("Label34"), QStringLiteral("Preguntas"), 22, 12,
                QStringLiteral("Label35"), [this] { Q_EMIT closeRequested(); });

    searchBox_ = new QLineEdit(this);
    searchBox_->setObjectName(QStringLiteral("Edit15"));
    searchBox_->setGeometry(6, 28, 464, 24);
    searchBox_->setPlaceholderText(QStringLiteral("Buscar"));
    connect(searchBox_, &QLineEdit::textChanged, this, &QuestionExplorer::search);
    infoIcon(QStringLiteral("Image20"),
             QStringLiteral("Para buscar teclee parte del texto en el recuadro y seleccione abajo "
                            "la pregunta relacionada"),
             this, QPoint(476, 32));

    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("ListBox1"));
    list_->setGeometry(6, 58, 464, 236);
    list_->setFocusPolicy(Qt::NoFocus);
    list_->setUniformItemSizes(true);
    infoIcon(QStringLiteral("Image21"),
             QStringLiteral("De clic en una pregunta de abajo para seleccionarla o teclee parte "
                            "del texto en el recuadro de búsqueda"),
             this, QPoint(476, 62));
    connect(list_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { Q_EMIT picked(item->data(Qt::UserRole).toInt()); });
}

void QuestionExplorer::fill(const QList<std::pair<int, QString>>& rounds) {
    list_->clear();
    keys_.clear();
    for (const auto& [number, question] : rounds) {
        const QString text = QStringLiteral("%1.- %2").arg(number).arg(question);
        auto* item = new QListWidgetItem(text, list_);
        item->setData(Qt::UserRole, number);
        keys_ << searchKey(text);
    }
}

void QuestionExplorer::updateCard(int number, const QString& question) {
    for (int i = 0; i < list_->count(); ++i) {
        QListWidgetItem* item = list_->item(i);
        if (item->data(Qt::UserRole).toInt() == number) {
            item->setText(QStringLiteral("%1.- %2").arg(number).arg(question));
            keys_[i] = searchKey(item->text());
            return;
        }
    }
}

void QuestionExplorer::select(int number) {
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->clearSelection();
    for (int i = 0; i < list_->count(); ++i) {
        if (list_->item(i)->data(Qt::UserRole).toInt() == number) {
            list_->setCurrentRow(i);
            list_->scrollToItem(list_->item(i));
            return;
        }
    }
}

void QuestionExplorer::search(const QString& text) {
    list_->setSelectionMode(QAbstractItemView::MultiSelection);
    const QString wanted = searchKey(text);
    QItemSelection found;
    if (!wanted.isEmpty()) {
        for (int i = 0; i < keys_.size(); ++i) {
            if (keys_[i].contains(wanted)) {
                const QModelIndex index = list_->model()->index(i, 0);
                found.select(index, index);
            }
        }
    }
    list_->selectionModel()->select(found, QItemSelectionModel::ClearAndSelect);
    if (!found.isEmpty()) {
        list_->scrollTo(found.indexes().constFirst());
    }
}

int QuestionExplorer::count() const {
    return list_->count();
}

QList<int> QuestionExplorer::selectedNumbers() const {
    QList<int> numbers;
    for (const QListWidgetItem* item : list_->selectedItems()) {
        numbers << item->data(Qt::UserRole).toInt();
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

}  // namespace velta
