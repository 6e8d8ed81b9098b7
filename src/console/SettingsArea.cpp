#include "console/SettingsArea.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QUrl>

#include "board/BoardStyle.h"
#include "board/Uvelta.h"
#include "editing/Colours.h"
#include "editing/GameSettings.h"
#include "editing/SettingsStore.h"
#include "platform/Dialogs.h"
#include "platform/Errors.h"
#include "platform/Guard.h"
#include "platform/Pictures.h"
#include "platform/ProgramFolder.h"

namespace velta {

namespace {

const QString kPictureFilter = QStringLiteral("Imagen (*.jpg *.jpeg *.bmp)");

QLabel* rowLabel(const QString& text, QWidget* parent, const QRect& geometry) {
    auto* l = new QLabel(text, parent);
    l->setGeometry(geometry);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

QLineEdit* lineField(const QString& name, QWidget* parent, const QRect& geometry,
                     bool readOnly = false) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setGeometry(geometry);
    e->setReadOnly(readOnly);
    if (readOnly) {
        // A path field shows its whole path when the pointer rests on it.
        QObject::connect(e, &QLineEdit::textChanged, e, &QLineEdit::setToolTip);
    }
    return e;
}

QComboBox* colourList(const QString& name, QWidget* parent, const QRect& geometry) {
    auto* c = new QComboBox(parent);
    c->setObjectName(name);
    c->setEditable(true);
    c->addItems(colourListNames());
    c->setGeometry(geometry);
    c->setInsertPolicy(QComboBox::NoInsert);
    return c;
}

QLabel* advice(const QString& name, const QString& text, QWidget* parent, const QRect& geometry) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setGeometry(geometry);
    l->setWordWrap(true);
    l->setFont(tahoma(10));
    setTextColour(l, QPalette::WindowText, QColor(0x80, 0x40, 0x00));
    return l;
}

// A colour list shows a stored name as the table writes it, whole; a name outside the
// table as it was stored.
QString listedColour(const QString& stored) {
    const auto colour = lookupColour(stored);
    return colour ? colour->name : stored;
}

}  // namespace

SettingsArea::SettingsArea(TForm1& board, QWidget* parent)
    : QWidget(parent), board_(board), store_(board.settingsStore()) {
    setObjectName(QStringLiteral("SettingsArea"));
    resize(881, 118);
    buildRows();
    buildOptions(parent);
    buildShowFolderRow(parent);
}

// Where the settings and questions are saved: beside the program, or in the user's data
// folder once the program is installed.
void SettingsArea::buildShowFolderRow(QWidget* parent) {
    showFolderRow_ = new QWidget(parent);
    showFolderRow_->resize(468, 26);
    rowLabel(QStringLiteral("Carpeta del show:"), showFolderRow_, QRect(0, 0, 110, 26));
    lineField(QStringLiteral("ECarpetaShow"), showFolderRow_, QRect(114, 0, 286, 26), true)
        ->setText(QDir::toNativeSeparators(programFolder()));
    auto* open = commandButton(QStringLiteral("BAbrirShow"), QStringLiteral("Abrir"),
                               QStringLiteral("Abrir la carpeta del show"), showFolderRow_,
                               QRect(404, 0, 64, 26));
    connect(open, &QPushButton::clicked, this, [this] {
        openShowFolder();
        Q_EMIT done();
    });
}

void SettingsArea::buildRows() {
    const auto act = [this](QPushButton* b, void (SettingsArea::*operation)()) {
        connect(b, &QPushButton::clicked, this, [this, operation] {
            guarded([this, operation] { (this->*operation)(); });
            Q_EMIT done();
        });
    };

    rowLabel(QStringLiteral("Tílulo del juego"), this, QRect(4, 0, 114, 24));
    title_ = lineField(QStringLiteral("ETitulo"), this, QRect(122, 0, 196, 24));
    rowLabel(QStringLiteral("Colores: Título       Fondo "), this, QRect(322, 0, 148, 24));
    titleColour_ = colourList(QStringLiteral("CBColorTitulo"), this, QRect(474, 0, 96, 24));
    backgroundColour_ = colourList(QStringLiteral("CBColorFondo"), this, QRect(574, 0, 96, 24));
    act(commandButton(QStringLiteral("BGuardarTitulo"), QStringLiteral("Guardar"),
                      QStringLiteral("Guardar cambios en título"), this, QRect(674, 0, 66, 24)),
        &SettingsArea::saveTitle);
    titleAdvice_ = advice(QStringLiteral("LabelConsejoTitulo"),
                          QStringLiteral("Edite el título, color y de clic en Guardar"), this,
                          QRect(746, -2, 134, 30));

    rowLabel(QStringLiteral("Portada"), this, QRect(4, 30, 114, 24));
    cover_ = lineField(QStringLiteral("EPortada"), this, QRect(122, 30, 240, 24), true);
    act(commandButton(QStringLiteral("BPortada"), QStringLiteral("Elegir"),
                      QStringLiteral("Seleccione una imagen para la portada del juego"), this,
                      QRect(366, 30, 56, 24)),
        &SettingsArea::chooseCover);
    rowLabel(QStringLiteral("Marco"), this, QRect(426, 30, 50, 24));
    frame_ = lineField(QStringLiteral("EMarco"), this, QRect(480, 30, 192, 24), true);
    act(commandButton(QStringLiteral("BMarco"), QStringLiteral("Elegir"),
                      QStringLiteral("Seleccione una imagen para el marco del juego"), this,
                      QRect(676, 30, 56, 24)),
        &SettingsArea::chooseFrame);
    pictureAdvice_ =
        advice(QStringLiteral("LabelConsejoPortada"),
               QStringLiteral("Elija la portada y marco del juego"), this, QRect(738, 28, 142, 30));

    rowLabel(QStringLiteral("Equipos"), this, QRect(4, 60, 114, 24));
    leftTeam_ = lineField(QStringLiteral("Edit20"), this, QRect(122, 60, 176, 24));
    rightTeam_ = lineField(QStringLiteral("Edit21"), this, QRect(302, 60, 176, 24));
    connect(leftTeam_, &QLineEdit::textChanged, this, &SettingsArea::teamNamesEdited);
    connect(rightTeam_, &QLineEdit::textChanged, this, &SettingsArea::teamNamesEdited);
    act(commandButton(QStringLiteral("BGuardarEquipos"), QStringLiteral("Guardar"),
                      QStringLiteral("Guardar cambios en nombre de equipos"), this,
                      QRect(482, 60, 66, 24)),
        &SettingsArea::saveTeamNames);

    rowLabel(QStringLiteral("Carpeta de rondas"), this, QRect(4, 90, 114, 24));
    roundFolder_ = lineField(QStringLiteral("ECarpeta"), this, QRect(122, 90, 356, 24), true);
    act(commandButton(QStringLiteral("BCarpeta"), QStringLiteral("Carpeta"),
                      QStringLiteral("Seleccionar la carpeta de Rondas"), this,
                      QRect(482, 90, 66, 24)),
        &SettingsArea::chooseRoundFolder);
}

void SettingsArea::openShowFolder() {
    QDesktopServices::openUrl(QUrl::fromLocalFile(programFolder()));
}

void SettingsArea::buildOptions(QWidget* parent) {
    auto* group = new QGroupBox(QStringLiteral("Extras"), parent);
    group->setObjectName(QStringLiteral("GroupBoxExtras"));
    group->resize(262, 112);
    options_ = group;
    const auto option = [this, group](const QString& name, const QString& text, const QString& hint,
                                      int y) {
        auto* box = new QCheckBox(text, group);
        box->setObjectName(name);
        box->setToolTip(hint);
        box->setGeometry(8, y, 250, 22);
        box->setFocusPolicy(Qt::NoFocus);
        return box;
    };
    multipliers_ =
        option(QStringLiteral("CBPtosDT"), QStringLiteral("Puntos dobles y triples en modo Normal"),
               QStringLiteral("Puntos Dobles en la tercera pregunta y triples en la "
                              "cuarta"),
               18);
    accumulate_ =
        option(QStringLiteral("CBSumaF"), QStringLiteral("Acumular puntos en el modo Fácil"),
               QStringLiteral("Al iniciar pulsando la tecla F sin puntos dobles ni "
                              "triples"),
               40);
    hideScores_ = option(
        QStringLiteral("CBShowP"), QStringLiteral("Ocultar la puntajes en el tablero del juego"),
        QStringLiteral("Oculta el puntaje total y el de los equipos del tablero"), 62);
    hideQuestion_ =
        option(QStringLiteral("CBShowQ"), QStringLiteral("Ocultar preguntas en tablero del juego"),
               QStringLiteral(
                   "Oculta la pregunta y sólo muestra la sección de respuestas a los jugadores"),
               84);
    // Only the operator's clicks write the markers: refresh() sets the boxes without them.
    // A marker that could not be written leaves the option as it was, and the box shows it.
    const auto bindOption = [this](QCheckBox* box, bool GameSettings::*option,
                                   void (SettingsStore::*store)(bool)) {
        connect(box, &QCheckBox::clicked, this, [this, box, option, store](bool checked) {
            guarded([&] { (store_.*store)(checked); });
            box->setChecked(store_.settings().*option);
            Q_EMIT done();
        });
    };
    bindOption(multipliers_, &GameSettings::multipliersInNormal,
               &SettingsStore::setMultipliersInNormal);
    bindOption(accumulate_, &GameSettings::accumulateInEasy, &SettingsStore::setAccumulateInEasy);
    bindOption(hideScores_, &GameSettings::hideScores, &SettingsStore::setHideScores);
    bindOption(hideQuestion_, &GameSettings::hideQuestion, &SettingsStore::setHideQuestion);
}

void SettingsArea::refresh() {
    const GameSettings& s = board_.settings();
    title_->setText(s.title);
    titleColour_->setCurrentText(listedColour(s.titleColour));
    backgroundColour_->setCurrentText(listedColour(s.backgroundColour));
    cover_->setText(s.coverImage.value_or(QString()));
    frame_->setText(s.frameImage.value_or(QString()));
    leftTeam_->setText(s.leftTeamName);
    rightTeam_->setText(s.rightTeamName);
    roundFolder_->setText(QDir::toNativeSeparators(s.roundFolderPath));
    multipliers_->setChecked(s.multipliersInNormal);
    accumulate_->setChecked(s.accumulateInEasy);
    hideScores_->setChecked(s.hideScores);
    hideQuestion_->setChecked(s.hideQuestion);
}

QString SettingsArea::leftTeamName() const {
    return leftTeam_->text();
}

QString SettingsArea::rightTeamName() const {
    return rightTeam_->text();
}

GameSettings SettingsArea::fieldSettings() const {
    GameSettings s = board_.settings();
    s.title = title_->text();
    s.titleColour = titleColour_->currentText();
    s.backgroundColour = backgroundColour_->currentText();
    s.coverImage = cover_->text();
    s.leftTeamName = leftTeam_->text();
    s.rightTeamName = rightTeam_->text();
    s.roundFolderPath = QDir::fromNativeSeparators(roundFolder_->text());
    return s;
}

void SettingsArea::promptForTitle() {
    title_->clear();
    title_->setPlaceholderText(QStringLiteral("Cambiar título, portada y guardar"));
}

void SettingsArea::saveTitle() {
    const QString titleColour = titleColour_->currentText();
    const QString backgroundColour = backgroundColour_->currentText();
    QStringList unknown;
    for (const QString& name : {titleColour, backgroundColour}) {
        if (!lookupColour(name)) {
            unknown << QStringLiteral("\"%1\"").arg(name);
        }
    }
    if (!unknown.isEmpty()) {
        dialogs().notice(QStringLiteral("%1 no es un color conocido: elija un color de la lista. "
                                        "No se guardó el título.")
                             .arg(unknown.join(QStringLiteral(" ni "))));
        return;
    }
    // An empty field (the prompt of a show of one's own) keeps the title in force, and the
    // operator is told: the colours alone are saved.
    const bool keptTitle = title_->text().isEmpty();
    const QString title = keptTitle ? store_.settings().title : title_->text();
    store_.setTitle(title, titleColour, backgroundColour);
    titleAdvice_->hide();
    if (keptTitle) {
        title_->setText(title);
        dialogs().notice(QStringLiteral("El título está vacío: se conserva \"%1\" y se guardaron "
                                        "los colores. Escriba el título del juego y pulse "
                                        "Guardar.")
                             .arg(title));
    }
}

QString SettingsArea::choosePicture(const QString& folder) {
    const QString path = dialogs().openFile(mediaPath(folder), kPictureFilter);
    if (path.isEmpty()) {
        return {};
    }
    const QString problem = pictureProblem(path);
    if (!problem.isEmpty()) {
        dialogs().notice(QStringLiteral("No se puede usar la imagen \"%1\": %2.")
                             .arg(QDir::toNativeSeparators(path), problem));
        return {};
    }
    return path;
}

// A picture stored (and shown on the board by then) is shown in its field.
void SettingsArea::pictureStored(QLineEdit* field, const QString& path) {
    field->setText(path);
    pictureAdvice_->hide();
}

void SettingsArea::chooseCover() {
    const QString path = choosePicture(QStringLiteral("Imagen\\Titles"));
    if (!path.isEmpty()) {
        store_.setCover(path);
        pictureStored(cover_, path);
    }
}

void SettingsArea::chooseFrame() {
    const QString path = choosePicture(QStringLiteral("Imagen\\Frames"));
    if (!path.isEmpty()) {
        store_.setFrame(path);
        pictureStored(frame_, path);
    }
}

void SettingsArea::saveTeamNames() {
    store_.setTeamNames(leftTeam_->text(), rightTeam_->text());
    board_.cancelAutomaticStrike();
}

void SettingsArea::chooseRoundFolder() {
    if (folderChangeCheck_ && !folderChangeCheck_()) {
        return;
    }
    Q_EMIT roundFolderAboutToChange();
    const QString folder = dialogs().pickFolder(board_.roundFolder());
    if (folder.isEmpty()) {
        return;
    }
    if (!QFileInfo(folder).isDir()) {
        if (!dialogs().ask(QStringLiteral("La carpeta \"%1\" no existe. ¿Desea crearla?")
                               .arg(QDir::toNativeSeparators(folder)))) {
            return;
        }
        if (!QDir().mkpath(folder)) {
            throw FileError(QStringLiteral("No se pudo crear la carpeta \"%1\"")
                                .arg(QDir::toNativeSeparators(folder)));
        }
    }
    store_.setRoundFolder(folder);
    roundFolder_->setText(QDir::toNativeSeparators(folder));
    board_.game().restartRounds();
    Q_EMIT roundFolderChanged();
}

}  // namespace velta
