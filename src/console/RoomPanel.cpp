#include "console/RoomPanel.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>

#include "board/BoardStyle.h"
#include "board/CommandTable.h"
#include "editing/SettingsStore.h"
#include "game/Buzzers.h"
#include "platform/Guard.h"
#include "room/QrImage.h"
#include "room/Room.h"

namespace velta {

namespace {

constexpr int kQrSide = 180;

QLabel* text(const QString& name, const QRect& geometry, QWidget* parent, bool bold = false) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setGeometry(geometry);
    l->setFont(tahoma(10, bold));
    return l;
}

QPixmap qrPixmap(const QString& link) {
    const QImage image = qrImage(link, 3);
    return image.isNull() ? QPixmap()
                          : QPixmap::fromImage(image.scaled(kQrSide, kQrSide, Qt::KeepAspectRatio,
                                                            Qt::FastTransformation));
}

}  // namespace

RoomPanel::RoomPanel(Room& room, SettingsStore& store, Buzzers& buzzers, QWidget* parent)
    : DragPanel(QStringLiteral("PanelSala"), parent),
      room_(room),
      store_(store),
      buzzers_(buzzers) {
    resize(640, 430);
    addTitleBar(QStringLiteral("LabelSala"), QStringLiteral(" Sala"), 24, 13,
                QStringLiteral("LabelCerrarSala"), [this] { Q_EMIT closeRequested(); });

    openButton_ = new QPushButton(this);
    openButton_->setObjectName(QStringLiteral("ButtonSala"));
    openButton_->setGeometry(8, 30, 130, 28);
    openButton_->setFocusPolicy(Qt::NoFocus);
    connect(openButton_, &QPushButton::clicked, this, &RoomPanel::toggle);
    status_ = text(QStringLiteral("LabelSalaEstado"), QRect(146, 30, 266, 28), this);
    status_->setWordWrap(true);
    code_ = text(QStringLiteral("LabelSalaCodigo"), QRect(8, 62, 250, 22), this, true);
    address_ = new QComboBox(this);
    address_->setObjectName(QStringLiteral("ComboSalaDireccion"));
    address_->setGeometry(262, 62, 150, 22);
    address_->setFocusPolicy(Qt::NoFocus);
    connect(address_, &QComboBox::currentIndexChanged, this, &RoomPanel::showCodes);

    text(QStringLiteral("LabelSalaTablero"), QRect(8, 88, 190, 18), this, true)
        ->setText(QStringLiteral("Tablero (público)"));
    text(QStringLiteral("LabelSalaPresentador"), QRect(216, 88, 190, 18), this, true)
        ->setText(QStringLiteral("Presentador"));
    audienceQr_ = text(QStringLiteral("ImageSalaTablero"), QRect(8, 108, kQrSide, kQrSide), this);
    hostQr_ = text(QStringLiteral("ImageSalaPresentador"), QRect(216, 108, kQrSide, kQrSide), this);
    audienceLink_ = text(QStringLiteral("LabelSalaEnlace"), QRect(8, 290, 404, 18), this);
    audienceLink_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    audienceDevices_ =
        text(QStringLiteral("LabelSalaDispositivosTablero"), QRect(8, 310, 200, 18), this);
    hostDevices_ =
        text(QStringLiteral("LabelSalaDispositivosPresentador"), QRect(216, 310, 196, 18), this);

    text(QStringLiteral("LabelSalaPuerto"), QRect(8, 340, 60, 22), this)
        ->setText(QStringLiteral("Puerto"));
    port_ = new QSpinBox(this);
    port_->setObjectName(QStringLiteral("EditSalaPuerto"));
    port_->setGeometry(70, 340, 80, 22);
    port_->setRange(1, 65535);
    openAtStart_ = new QCheckBox(QStringLiteral("Abrir al iniciar"), this);
    openAtStart_->setObjectName(QStringLiteral("CheckSalaInicio"));
    openAtStart_->setGeometry(170, 340, 150, 22);
    text(QStringLiteral("LabelSalaCodigoFijo"), QRect(8, 368, 160, 22), this)
        ->setText(QStringLiteral("Código fijo (6 cifras)"));
    fixedCode_ = new QLineEdit(this);
    fixedCode_->setObjectName(QStringLiteral("EditSalaCodigo"));
    fixedCode_->setGeometry(170, 368, 80, 22);
    fixedCode_->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,6}")), fixedCode_));
    fixedCode_->setPlaceholderText(QStringLiteral("al azar"));
    auto* save = new QPushButton(QStringLiteral("Guardar"), this);
    save->setObjectName(QStringLiteral("ButtonSalaGuardar"));
    save->setGeometry(330, 396, 82, 26);
    save->setFocusPolicy(Qt::NoFocus);
    connect(save, &QPushButton::clicked, this, [this] {
        guarded([this] { saveSettings(); });
        Q_EMIT done();
    });

    const RoomSettings& s = store_.room();
    port_->setValue(s.port);
    openAtStart_->setChecked(s.openAtStart);
    fixedCode_->setText(s.fixedCode);

    buildFaceOff();
    connect(&room_, &Room::openChanged, this, &RoomPanel::showRoom);
    connect(&room_, &Room::devicesChanged, this, &RoomPanel::showDevices);
    showRoom();
}

RoomPanel::~RoomPanel() {
    qApp->removeEventFilter(this);
}

void RoomPanel::buildFaceOff() {
    text(QStringLiteral("LabelSalaCaraACara"), QRect(424, 30, 208, 18), this, true)
        ->setText(QStringLiteral("Cara a cara (tecla L)"));
    buzzerDevices_ =
        text(QStringLiteral("LabelSalaDispositivosPulsador"), QRect(424, 50, 208, 18), this);
    presses_ = new QListWidget(this);
    presses_->setObjectName(QStringLiteral("ListSalaPulsaciones"));
    presses_->setGeometry(424, 72, 208, 230);
    presses_->setFont(tahoma(10));
    presses_->setFocusPolicy(Qt::NoFocus);
    presses_->setSelectionMode(QAbstractItemView::NoSelection);
    for (int team = 0; team < 2; ++team) {
        const int y = 310 + team * 50;
        buttonKeys_[team] = text(team == 0 ? QStringLiteral("LabelSalaPulsadorIzquierdo")
                                           : QStringLiteral("LabelSalaPulsadorDerecho"),
                                 QRect(424, y, 208, 18), this);
        buttonKeys_[team]->setWordWrap(true);
        teachButtons_[team] = new QPushButton(team == 0 ? QStringLiteral("Enseñar el izquierdo")
                                                        : QStringLiteral("Enseñar el derecho"),
                                              this);
        teachButtons_[team]->setObjectName(team == 0 ? QStringLiteral("ButtonSalaPulsadorIzquierdo")
                                                     : QStringLiteral("ButtonSalaPulsadorDerecho"));
        teachButtons_[team]->setGeometry(424, y + 20, 150, 24);
        teachButtons_[team]->setFocusPolicy(Qt::NoFocus);
        connect(teachButtons_[team], &QPushButton::clicked, this, [this, team] { teach(team); });
    }
    connect(&buzzers_, &Buzzers::changed, this, &RoomPanel::showPresses);
    connect(&store_, &SettingsStore::roomChanged, this, &RoomPanel::showButtons);
    showPresses();
    showButtons();
}

void RoomPanel::showPresses() {
    presses_->clear();
    const FaceOff& faceOff = buzzers_.faceOff();
    if (!buzzers_.armed() && faceOff.presses().isEmpty()) {
        presses_->addItem(QStringLiteral("Pulsadores apagados"));
        return;
    }
    if (faceOff.phase() == FaceOff::Phase::Armed) {
        presses_->addItem(QStringLiteral("Listos: esperando al primero"));
    }
    const GameSettings& settings = store_.settings();
    const double first = faceOff.firstAt();
    int place = 0;
    for (const BuzzerPress& p : faceOff.presses()) {
        const QString team = p.team == 0 ? settings.leftTeamName : settings.rightTeamName;
        const QString who = p.player.isEmpty() ? team : team + QStringLiteral(" — ") + p.player;
        if (p.falseStart) {
            presses_->addItem(QStringLiteral("Salida en falso: ") + who);
            continue;
        }
        ++place;
        presses_->addItem(
            place == 1
                ? QStringLiteral("1. %1").arg(who)
                : QStringLiteral("%1. %2 +%3 ms").arg(place).arg(who).arg(qRound(p.at - first)));
    }
}

void RoomPanel::showButtons() {
    const RoomSettings& s = store_.room();
    const QString names[2] = {QStringLiteral("Pulsador izquierdo"),
                              QStringLiteral("Pulsador derecho")};
    const int keys[2] = {s.leftButtonKey, s.rightButtonKey};
    for (int team = 0; team < 2; ++team) {
        if (teaching_ == team) {
            buttonKeys_[team]->setText(teachingRefusal_.isEmpty()
                                           ? names[team] + QStringLiteral(": pulse el botón…")
                                           : teachingRefusal_);
        } else {
            buttonKeys_[team]->setText(names[team] + QStringLiteral(": ") + keyName(keys[team]));
        }
    }
}

void RoomPanel::teach(int team) {
    teaching_ = team;
    teachingRefusal_.clear();
    // Installed last, so it sees the key before the windows' command keys do.
    qApp->removeEventFilter(this);
    qApp->installEventFilter(this);
    showButtons();
}

bool RoomPanel::eventFilter(QObject* watched, QEvent* event) {
    if (teaching_ < 0 || event->type() != QEvent::KeyPress) {
        return DragPanel::eventFilter(watched, event);
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->isAutoRepeat()) {
        return true;
    }
    learn(key->key());
    return true;
}

void RoomPanel::learn(int key) {
    const int team = teaching_;
    static const int kModifiers[] = {Qt::Key_Shift, Qt::Key_Control, Qt::Key_Alt,
                                     Qt::Key_Meta,  Qt::Key_AltGr,   Qt::Key_CapsLock};
    if (std::find(std::begin(kModifiers), std::end(kModifiers), key) != std::end(kModifiers)) {
        return;
    }
    if (key == Qt::Key_Escape) {
        teaching_ = -1;
    } else if (isCommandKey(key) || key == Qt::Key_Tab || key == Qt::Key_Backtab ||
               key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
        teachingRefusal_ =
            QStringLiteral("La tecla %1 ya es una orden: pulse otro botón").arg(keyName(key));
    } else {
        RoomSettings s = store_.room();
        const int other = team == 0 ? s.rightButtonKey : s.leftButtonKey;
        if (key == other) {
            teachingRefusal_ =
                QStringLiteral("La tecla %1 ya es del otro pulsador: pulse otro botón")
                    .arg(keyName(key));
        } else {
            (team == 0 ? s.leftButtonKey : s.rightButtonKey) = key;
            teaching_ = -1;
            guarded([this, &s] { store_.setRoom(s); });
        }
    }
    if (teaching_ < 0) {
        qApp->removeEventFilter(this);
    }
    showButtons();
}

void RoomPanel::openRoom() {
    failure_ = room_.open() ? QString()
                            : QStringLiteral(
                                  "No se pudo abrir: los puertos %1 a %2 están "
                                  "ocupados")
                                  .arg(store_.room().port)
                                  .arg(qMin(65535, store_.room().port + Room::kOtherPorts));
    showRoom();
}

void RoomPanel::toggle() {
    if (room_.isOpen()) {
        failure_.clear();
        room_.close();
    } else {
        openRoom();
    }
    Q_EMIT done();
}

void RoomPanel::saveSettings() {
    RoomSettings s = store_.room();
    s.port = static_cast<quint16>(port_->value());
    s.openAtStart = openAtStart_->isChecked();
    s.fixedCode = isRoomCode(fixedCode_->text()) ? fixedCode_->text() : QString();
    fixedCode_->setText(s.fixedCode);
    store_.setRoom(s);
}

void RoomPanel::showRoom() {
    const bool open = room_.isOpen();
    openButton_->setText(open ? QStringLiteral("Cerrar la sala") : QStringLiteral("Abrir la sala"));
    if (!open) {
        status_->setText(failure_.isEmpty() ? QStringLiteral("La sala está cerrada") : failure_);
    } else if (room_.port() != store_.room().port) {
        status_->setText(QStringLiteral("Abierta en el puerto %1 (el %2 está ocupado)")
                             .arg(room_.port())
                             .arg(store_.room().port));
    } else {
        status_->setText(QStringLiteral("Abierta en el puerto %1").arg(room_.port()));
    }
    code_->setText(open ? QStringLiteral("Código de la sala: %1").arg(room_.code()) : QString());
    const QString chosen = address_->currentText();
    address_->blockSignals(true);
    address_->clear();
    if (open) {
        address_->addItems(Room::addresses());
        address_->setCurrentIndex(qMax(0, address_->findText(chosen)));
    }
    address_->blockSignals(false);
    showCodes();
    showDevices();
}

void RoomPanel::showCodes() {
    const QString address = address_->currentText();
    if (!room_.isOpen() || address.isEmpty()) {
        audienceQr_->clear();
        hostQr_->clear();
        audienceLink_->setText(room_.isOpen() ? QStringLiteral("Ninguna red conectada")
                                              : QString());
        return;
    }
    audienceQr_->setPixmap(qrPixmap(room_.audienceUrl(address)));
    hostQr_->setPixmap(qrPixmap(room_.hostUrl(address)));
    audienceLink_->setText(room_.audienceUrl(address));
}

void RoomPanel::showDevices() {
    const bool open = room_.isOpen();
    audienceDevices_->setText(
        open ? QStringLiteral("Dispositivos: %1").arg(room_.devices(RoomAccess::Page::Audience))
             : QString());
    hostDevices_->setText(
        open ? QStringLiteral("Dispositivos: %1").arg(room_.devices(RoomAccess::Page::Host))
             : QString());
    buzzerDevices_->setText(open ? QStringLiteral("Teléfonos pulsadores: %1")
                                       .arg(room_.devices(RoomAccess::Page::Buzzer))
                                 : QStringLiteral("Sala cerrada: solo los botones USB"));
}

}  // namespace velta
