#include "board/SoundBankPanel.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "board/BoardStyle.h"
#include "board/ClickAction.h"
#include "board/KeyButton.h"
#include "board/KeyRouter.h"
#include "board/TipStyle.h"
#include "platform/Dialogs.h"
#include "platform/Guard.h"
#include "platform/ProgramFolder.h"

namespace velta {

namespace {

// Slot k's controls, by component name, and its key.
struct SlotRow {
    int field;
    int play;
    int choose;
    int remove;
    char key;
};
constexpr SlotRow kRows[SoundBank::kSlots] = {
    {23, 42, 45, 65, '6'}, {24, 43, 46, 66, '7'}, {25, 48, 50, 67, '8'}, {26, 47, 49, 68, '9'},
    {27, 51, 54, 69, '0'}, {28, 52, 53, 70, 'Y'}, {29, 56, 58, 71, 'U'}, {30, 55, 57, 72, 'I'},
    {31, 61, 59, 73, 'O'}, {32, 62, 60, 74, 'P'},
};

const QString kSoundFilter = QStringLiteral("Sonidos (*.mp3 *.wav *.wma *.mid *.midi *.aac *.ac3)");
const QString kBankFilter = QStringLiteral("Banco de sonidos (*.bso)");
const QString kUnsaved = QStringLiteral("Guarde sus cambios ->");

constexpr int kFirstRowY = 42;
constexpr int kRowHeight = 24;

QPushButton* button(const QString& name, const QString& text, const QString& hint,
                    const QRect& geometry, QWidget* parent) {
    auto* b = commandButton(name, text, hint, parent, geometry);
    b->setToolTipDuration(kTipDurationMs);
    return b;
}

QLabel* label(const QString& name, const QString& text, const QRect& geometry, QWidget* parent,
              bool bold = false) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setGeometry(geometry);
    l->setFont(tahoma(11, bold));
    return l;
}

}  // namespace

SoundBankPanel::SoundBankPanel(SoundBank& bank, KeyRouter& keys, QWidget* parent)
    : DragPanel(QStringLiteral("Panel15"), parent), bank_(bank) {
    resize(470, kFirstRowY + SoundBank::kSlots * kRowHeight + 40);
    setBackground(this, palette().color(QPalette::Button).lighter(104));

    label(QStringLiteral("LabelBancoSonidos"), QStringLiteral("Banco de sonidos"),
          QRect(8, 3, 150, 18), this, true)
        ->setAttribute(Qt::WA_TransparentForMouseEvents);
    infoIcon(QStringLiteral("ImageInfoBanco"),
             QStringLiteral("Cargue los archivos de sonidos en cada posición y use la tecla "
                            "indicada para escucharlo en el juego.\nGuarde el banco de sonidos "
                            "actual para cargarlo cuando lo requiera"),
             this, QPoint(150, 4));
    QLabel* close = label(QStringLiteral("LabelCerrarBanco"), QStringLiteral(" X "),
                          QRect(446, 3, 20, 18), this, true);
    close->setCursor(Qt::PointingHandCursor);
    ClickAction::attach(close, [this] { Q_EMIT closeRequested(); });
    label(QStringLiteral("LabelColumnasBanco"), QStringLiteral("Agregar Quitar  Tecla"),
          QRect(318, 22, 150, 18), this)
        ->setAttribute(Qt::WA_TransparentForMouseEvents);

    for (int k = 1; k <= SoundBank::kSlots; ++k) {
        buildRow(k, keys);
    }

    const int bottom = kFirstRowY + SoundBank::kSlots * kRowHeight + 8;
    bankLabel_ = label(QStringLiteral("Label61"), QString(), QRect(8, bottom + 3, 300, 18), this);
    auto* save = button(QStringLiteral("ButtonGuardarBanco"), QStringLiteral("Guardar"),
                        QStringLiteral("Guardar el banco de sonidos actual "),
                        QRect(318, bottom, 70, 24), this);
    auto* load = button(QStringLiteral("ButtonCargarBanco"), QStringLiteral("Cargar"),
                        QStringLiteral("Seleccionar y cargar un banco de sonidos guardado "
                                       "previamente"),
                        QRect(392, bottom, 70, 24), this);
    connect(save, &QPushButton::clicked, this, [this] { run([this] { saveBank(); }); });
    connect(load, &QPushButton::clicked, this, [this] { run([this] { loadBank(); }); });

    connect(&bank_, &SoundBank::slotChanged, this, &SoundBankPanel::showSlot);
    connect(&bank_, &SoundBank::bankFileChanged, this, &SoundBankPanel::showBankFile);
    for (int k = 1; k <= SoundBank::kSlots; ++k) {
        showSlot(k);
    }
    showBankFile();
}

void SoundBankPanel::buildRow(int k, KeyRouter& keys) {
    const SlotRow& row = kRows[k - 1];
    const int y = kFirstRowY + (k - 1) * kRowHeight;
    const auto name = [](int number) { return QStringLiteral("SpeedButton%1").arg(number); };

    auto* field = new QLineEdit(this);
    field->setObjectName(QStringLiteral("Edit%1").arg(row.field));
    field->setGeometry(8, y, 304, 21);
    field->setReadOnly(true);
    field->setFocusPolicy(Qt::NoFocus);
    fields_[k - 1] = field;

    auto* choose = button(name(row.choose), QStringLiteral("..."),
                          QStringLiteral("Seleccione un archivo de sonido para esta posición"),
                          QRect(322, y, 32, 21), this);
    auto* remove =
        button(name(row.remove), QStringLiteral("X"),
               QStringLiteral("Quitar sonido de esta posición"), QRect(364, y, 32, 21), this);
    const QChar key = QLatin1Char(row.key);
    auto* play =
        new KeyButton(name(row.play), QStringLiteral("&") + key,
                      QStringLiteral("Reproducir este efecto de sonido [Tecla %1]").arg(key), this);
    play->move(420, y - 1);
    keys.add(play);

    connect(choose, &QPushButton::clicked, this, [this, k] { run([this, k] { chooseSound(k); }); });
    connect(remove, &QPushButton::clicked, this,
            [this, k] { run([this, k] { bank_.setSlot(k, QString()); }); });
    connect(play, &KeyButton::clicked, this, [this, k] { run([this, k] { bank_.play(k); }); });
}

void SoundBankPanel::showSlot(int k) {
    QLineEdit* field = fields_[k - 1];
    field->setText(bank_.slot(k));
    field->setCursorPosition(0);
    const SoundBank::SlotState state = bank_.slotState(k);
    const bool ready = state == SoundBank::SlotState::Playable;
    QFont font = field->font();
    font.setStrikeOut(!ready);
    field->setFont(font);
    setTextColour(field, QPalette::Text, ready ? Qt::black : Qt::red);
    switch (state) {
        case SoundBank::SlotState::Missing:
            field->setToolTip(QStringLiteral("No se encontró este archivo."));
            break;
        case SoundBank::SlotState::Unplayable:
            field->setToolTip(QStringLiteral(
                "No se puede reproducir este archivo: su formato no es compatible con este "
                "equipo."));
            break;
        default:
            field->setToolTip(QString());
    }
}

void SoundBankPanel::showBankFile() {
    bankLabel_->setText(bank_.bankFile().isEmpty() ? kUnsaved : bank_.bankFile());
}

void SoundBankPanel::chooseSound(int k) {
    const QString path =
        dialogs().openFile(mediaPath(QStringLiteral("Audio\\EFFECTS")), kSoundFilter);
    if (!path.isEmpty()) {
        bank_.setSlot(k, path);
    }
}

void SoundBankPanel::saveBank() {
    const QString path = dialogs().saveFile(
        QStringLiteral("Guardar banco de sonidos actual"), programPath(QStringLiteral("Config")),
        bank_.proposedName(), kBankFilter, QStringLiteral("bso"));
    if (!path.isEmpty()) {
        bank_.save(path);
    }
}

void SoundBankPanel::loadBank() {
    const QString path = dialogs().openFile(programPath(QStringLiteral("Config")), kBankFilter);
    if (!path.isEmpty()) {
        bank_.load(path);
    }
}

void SoundBankPanel::run(const std::function<void()>& command) {
    guarded(command);
    Q_EMIT done();
}

}  // namespace velta
