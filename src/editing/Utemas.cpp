#include "editing/Utemas.h"

#include <QBuffer>
#include <QButtonGroup>
#include <QCheckBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QImageReader>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "board/BoardStyle.h"
#include "board/ImageBox.h"
#include "editing/GameSettings.h"
#include "editing/Presets.h"
#include "platform/Pictures.h"
#include "platform/ProgramFolder.h"

namespace velta {

TFtemas::TFtemas(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("TFtemas"));
    setWindowTitle(QStringLiteral("VELTA - Seleccionar tema"));
    setFixedSize(554, 370);
    setFont(tahoma(11));

    auto* group = new QGroupBox(QStringLiteral(" Configurar título y portada para "), this);
    group->setObjectName(QStringLiteral("RadioGroup1"));
    group->setGeometry(8, 6, 300, 356);
    entries_ = new QButtonGroup(this);
    const QList<Preset>& list = presets();
    for (int i = 0; i < list.size(); ++i) {
        auto* entry = new QRadioButton(list[i].entry, group);
        entry->setObjectName(QStringLiteral("RadioEntry%1").arg(i));
        entry->setGeometry(10, 22 + 23 * i, 286, 22);
        entries_->addButton(entry, i);
    }
    connect(entries_, &QButtonGroup::idToggled, this, [this](int, bool on) {
        if (on) {
            showPreview();
        }
    });

    preview_ = new ImageBox(QStringLiteral("Image1"), this, ImageBox::Fit::Shrink);
    preview_->setGeometry(318, 14, 228, 125);
    previewCaption_ = new QLabel(this);
    previewCaption_->setObjectName(QStringLiteral("Label1"));
    previewCaption_->setGeometry(318, 142, 228, 52);
    previewCaption_->setWordWrap(true);
    previewCaption_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    previewCaption_->setFont(tahoma(12, true));

    folderChoice_ =
        new QCheckBox(QStringLiteral("Escoger la carpeta de Rondas\npara este tema"), this);
    folderChoice_->setObjectName(QStringLiteral("CheckBox1"));
    folderChoice_->setGeometry(318, 250, 230, 40);
    folderChoice_->setToolTip(QStringLiteral(
        "Permite seleccionar una carpeta distinta de Rondas para cada tema seleccionado"));
    folderChoice_->setChecked(true);
    folderChoice_->setEnabled(false);

    auto* more = new QPushButton(QStringLiteral("Más temas…"), this);
    more->setObjectName(QStringLiteral("BMasTemas"));
    more->setGeometry(318, 208, 228, 30);
    connect(more, &QPushButton::clicked, this, [this] {
        QDialog::reject();
        Q_EMIT morePacks();
    });

    auto* accept = new QPushButton(QStringLiteral("Aceptar"), this);
    accept->setObjectName(QStringLiteral("Button1"));
    accept->setGeometry(318, 322, 110, 32);
    accept->setDefault(true);
    connect(accept, &QPushButton::clicked, this, [this] {
        const int index = selected();
        QDialog::accept();
        Q_EMIT themeAccepted(index);
    });
    auto* leave = new QPushButton(QStringLiteral("Salir"), this);
    leave->setObjectName(QStringLiteral("Button2"));
    leave->setGeometry(436, 322, 110, 32);
    connect(leave, &QPushButton::clicked, this, &QDialog::reject);

    // A show with a cover of its own starts on "Crear mi propia version".
    select(QFileInfo::exists(ownCoverPath()) ? 0 : 1);
}

int TFtemas::selected() const {
    return entries_->checkedId();
}

void TFtemas::select(int index) {
    if (QAbstractButton* entry = entries_->button(index)) {
        entry->setChecked(true);
        showPreview();
    }
}

void TFtemas::setFolderChoice(bool offered) {
    folderChoice_->setVisible(offered);
    folderChoice_->setChecked(offered);
}

bool TFtemas::folderChoice() const {
    return folderChoice_->isChecked();
}

void TFtemas::openModal() {
    setWindowModality(Qt::ApplicationModal);
    show();
    raise();
    activateWindow();
}

// The entry's cover, small, with its title: the operator sees the show before choosing it.
void TFtemas::showPreview() {
    const Preset& preset = presets().value(selected());
    QImage picture;
    if (preset.cover > 0) {
        std::optional<QByteArray> bytes = readPictureFile(
            mediaPath(QStringLiteral("Imagen\\Titles\\portada%1.jpg").arg(preset.cover)),
            nullptr);
        if (bytes) {
            QBuffer buffer(&*bytes);
            buffer.open(QIODevice::ReadOnly);
            QImageReader reader(&buffer);
            reader.setScaledSize(QSize(228, 125));
            picture = reader.read();
        }
    }
    preview_->setImage(picture);
    previewCaption_->setText(
        preset.cover > 0 ? preset.entry : QStringLiteral("Su propio título, portada y preguntas"));
}

}  // namespace velta
