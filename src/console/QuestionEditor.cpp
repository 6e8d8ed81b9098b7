#include "console/QuestionEditor.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include "board/BoardStyle.h"
#include "board/Uvelta.h"
#include "console/QuestionExplorer.h"
#include "console/QuestionPanel.h"
#include "console/QuestionTransfer.h"
#include "content/TextFiles.h"
#include "editing/QuestionListing.h"
#include "platform/Dialogs.h"
#include "platform/Errors.h"
#include "platform/Guard.h"
#include "platform/ProgramFolder.h"

namespace velta {

namespace {

const QString kSavePrompt =
    QStringLiteral("¿Desea guardar los cambios realizados a esta pregunta? ");

}  // namespace

QuestionEditor::QuestionEditor(TForm1& board, QWidget* panel, QWidget* window)
    : QObject(panel), board_(board) {
    fields_ = new QuestionPanel(panel);
    fields_->move(0, 150);
    connect(fields_, &QuestionPanel::edited, this, [this] { editState_ = 1; });

    listing_ = new QPlainTextEdit(panel);
    listing_->setObjectName(QStringLiteral("Memo1"));
    listing_->setGeometry(8, 150, 584, 248);
    listing_->setReadOnly(true);
    listing_->setFont(tahoma(12));
    listing_->hide();

    buildButtons(panel);

    auto* transfer = new QuestionTransfer(board, panel, window);
    connect(transfer, &QuestionTransfer::done, this, &QuestionEditor::done);
    connect(transfer, &QuestionTransfer::cardsAdded, this, &QuestionEditor::reopenExplorer);

    explorer_ = new QuestionExplorer(window);
    explorer_->move(361, 241);
    explorer_->hide();
    connect(explorer_, &QuestionExplorer::closeRequested, this, [this] {
        explorer_->hide();
        Q_EMIT done();
    });
    connect(explorer_, &QuestionExplorer::picked, this, [this](int number) {
        guarded([this, number] { pickFromExplorer(number); });
        Q_EMIT done();
    });
}

void QuestionEditor::buildButtons(QWidget* panel) {
    const auto act = [this](QPushButton* b, void (QuestionEditor::*operation)()) {
        connect(b, &QPushButton::clicked, this, [this, operation] {
            guarded([this, operation] { (this->*operation)(); });
            Q_EMIT done();
        });
    };
    act(commandButton(QStringLiteral("BAnterior"), QStringLiteral("Ant."),
                      QStringLiteral("Pregunta anterior"), panel, QRect(8, 404, 50, 26)),
        &QuestionEditor::previousQuestion);
    act(commandButton(QStringLiteral("BSiguiente"), QStringLiteral("Sig."),
                      QStringLiteral("Siguiente pregunta"), panel, QRect(60, 404, 50, 26)),
        &QuestionEditor::nextQuestion);
    act(commandButton(QStringLiteral("BQuitar"), QStringLiteral("Quitar"),
                      QStringLiteral("Eliminar pregunta"), panel, QRect(116, 404, 62, 26)),
        &QuestionEditor::removeQuestion);
    // A new card is typed at once: its operation puts the keyboard in the question field.
    auto* add = commandButton(QStringLiteral("BNuevo"), QStringLiteral("Nuevo"),
                              QStringLiteral("Agregar pregunta"), panel, QRect(180, 404, 62, 26));
    connect(add, &QPushButton::clicked, this, [this] { guarded([this] { newQuestion(); }); });
    act(commandButton(QStringLiteral("BGuardar"), QStringLiteral("Guardar"),
                      QStringLiteral("Guardar cambios en preguntas"), panel,
                      QRect(244, 404, 70, 26)),
        &QuestionEditor::saveQuestion);
    act(commandButton(QStringLiteral("BExplorar"), QStringLiteral("Explorar"),
                      QStringLiteral("Navegue por las preguntas del juego"), panel,
                      QRect(322, 404, 76, 26)),
        &QuestionEditor::toggleExplorer);
    exploreAdvice_ = new QLabel(QStringLiteral("Seleccionar o buscar pregunta"), panel);
    exploreAdvice_->setObjectName(QStringLiteral("Label33"));
    exploreAdvice_->setGeometry(404, 404, 196, 26);

    listButton_ = commandButton(QStringLiteral("BListar"), QStringLiteral("Listar preguntas"),
                                QStringLiteral("Listar preguntas para copiar"), panel,
                                QRect(8, 434, 124, 26));
    act(listButton_, &QuestionEditor::showListing);
    backButton_ = commandButton(QStringLiteral("BEditar"), QStringLiteral("Editar preguntas"),
                                QStringLiteral("Editar Título, portada, nombre de equipos, "
                                               "preguntas"),
                                panel, QRect(8, 434, 124, 26));
    act(backButton_, &QuestionEditor::backToEditing);
    backButton_->hide();
    copyButton_ = commandButton(QStringLiteral("BCopiar"), QStringLiteral("Copiar a memoria"),
                                QStringLiteral("Copia todas las preguntas a la  memoria"), panel,
                                QRect(136, 434, 124, 26));
    act(copyButton_, &QuestionEditor::copyListing);
    copyButton_->hide();
    copyAdvice_ = new QLabel(QStringLiteral("Copie y pegue al editor de su preferencia"), panel);
    copyAdvice_->setObjectName(QStringLiteral("Label36"));
    copyAdvice_->setGeometry(266, 434, 220, 26);
    copyAdvice_->hide();

    extras_ = new QCheckBox(QStringLiteral("Rondas extras"), panel);
    extras_->setObjectName(QStringLiteral("CheckBox1"));
    extras_->setGeometry(490, 436, 110, 22);
    extras_->setToolTip(QStringLiteral("Alternar entre rondas extras y normales"));
    extras_->setFocusPolicy(Qt::NoFocus);
    connect(extras_, &QCheckBox::clicked, this, [this](bool checked) {
        guarded([this, checked] { selectFamily(checked); });
        Q_EMIT done();
    });

    editAdvice_ = new QLabel(
        QStringLiteral("Edite  la pregunta, las respuestas, los puntajes y de clic en Guardar"),
        panel);
    editAdvice_->setObjectName(QStringLiteral("Label37"));
    editAdvice_->setGeometry(8, 464, 592, 22);
    setTextColour(editAdvice_, QPalette::WindowText, QColor(0x80, 0x40, 0x00));
    editAdvice_->hide();

    // A card the board put up while typing waits here for the operator's decision.
    heldBanner_ = new QWidget(panel);
    heldBanner_->setObjectName(QStringLiteral("PanelPendiente"));
    heldBanner_->setGeometry(8, 462, 592, 26);
    setBackground(heldBanner_, QColor(0xFF, 0xF4, 0xC8));
    heldText_ = new QLabel(heldBanner_);
    heldText_->setObjectName(QStringLiteral("LabelPendiente"));
    heldText_->setGeometry(6, 0, 400, 26);
    auto* keep = commandButton(QStringLiteral("BGuardarPendiente"), QStringLiteral("Guardar"),
                               QStringLiteral("Guardar lo escrito y mostrar la pregunta del juego"),
                               heldBanner_, QRect(410, 1, 86, 24));
    auto* drop =
        commandButton(QStringLiteral("BDescartarPendiente"), QStringLiteral("Descartar"),
                      QStringLiteral("Descartar lo escrito y mostrar la pregunta del juego"),
                      heldBanner_, QRect(500, 1, 86, 24));
    connect(keep, &QPushButton::clicked, this, [this] {
        guarded([this] { releaseBoardCard(true); });
        Q_EMIT done();
    });
    connect(drop, &QPushButton::clicked, this, [this] {
        guarded([this] { releaseBoardCard(false); });
        Q_EMIT done();
    });
    heldBanner_->hide();
}

// The rounds folder is said to be missing once, naming it; nothing is created for it.
bool QuestionEditor::folderAvailable() {
    const QString folder = board_.roundFolder();
    if (QFileInfo(normalizeSeparators(folder)).isDir()) {
        reportedFolder_.clear();
        return true;
    }
    if (reportedFolder_ != folder) {
        reportedFolder_ = folder;
        dialogs().notice(QStringLiteral("No existe la carpeta de rondas \"%1\". Elija otra con "
                                        "\"Carpeta\".")
                             .arg(QDir::toNativeSeparators(folder)));
    }
    return false;
}

bool QuestionEditor::askToSave(const QString& question) {
    if (editState_ != 1) {
        return true;
    }
    if (dialogs().ask(question + fields_->fileName())) {
        return save();
    }
    editState_ = 0;
    typingSettled();
    return true;
}

bool QuestionEditor::confirmUnsavedQuestion() {
    return askToSave(kSavePrompt);
}

// Loads the card into the fields; it becomes the card being edited. An answer line 1 or 2
// left empty or without points is shown as far as it goes, and the operator is told where,
// once per card.
void QuestionEditor::loadCard(const Card& card, const QString& fileName, bool following) {
    const QString path = RoundFilePath(card.folder, card.kind, card.number);
    const RoundCard loaded = LoadRoundCard(path);
    fields_->showCard(fileName, loaded);
    editing_ = card;
    editState_ = 0;
    dropHeldCard();
    QStringList wrong;
    for (int i = 0; i < 2; ++i) {
        const QString& line = loaded.answerLines.value(i);
        if (line.isEmpty() || !line.contains(',')) {
            wrong << QString::number(i + 2);
        }
    }
    if (wrong.isEmpty() || reportedCards_.contains(path)) {
        return;
    }
    reportedCards_.insert(path);
    const QString message =
        QStringLiteral(
            "La pregunta \"%1\" no tiene respuesta y puntos en la línea %2; se "
            "muestra lo que tiene.")
            .arg(QDir::toNativeSeparators(path), wrong.join(QStringLiteral(" ni en la ")));
    if (following) {
        QTimer::singleShot(0, this, [message] { dialogs().notice(message); });
    } else {
        dialogs().notice(message);
    }
}

bool QuestionEditor::showQuestion(int number) {
    const QString folder = board_.roundFolder();
    if (!RoundExists(folder, kind_, number)) {
        return false;
    }
    if (explorer_->isVisible()) {
        explorer_->select(number);
    }
    const QString fileName = roundFileName(kind_, number);
    fields_->showFileName(fileName);
    board_.setPendingCard(fileName);
    loadCard({folder, kind_, number}, fileName);
    return true;
}

// The explorer is listed again from the folder in force, and the board's key list, when
// shown, comes to the front again.
void QuestionEditor::nextQuestion() {
    if (!askToSave(kSavePrompt) || !folderAvailable()) {
        return;
    }
    ++currentNumber_;
    if (!showQuestion(currentNumber_)) {
        --currentNumber_;
    }
    reopenExplorer();
    board_.reshowKeyList();
}

void QuestionEditor::previousQuestion() {
    if (!askToSave(QStringLiteral("¿Desea guardar los cambios realizados? ")) ||
        !folderAvailable()) {
        return;
    }
    if (currentNumber_ > 1 && showQuestion(currentNumber_ - 1)) {
        --currentNumber_;
    }
}

void QuestionEditor::saveQuestion() {
    save();
}

bool QuestionEditor::save() {
    if (editing_.number == 0) {
        dialogs().notice(
            QStringLiteral("No hay ninguna pregunta en pantalla: elija una con "
                           "\"Sig.\" o cree una con \"Nuevo\" antes de guardar."));
        return false;
    }
    QString why;
    if (const int row = fields_->badPoints(&why)) {
        dialogs().notice(QStringLiteral("Los puntos de la respuesta %1 (\"%2\") %3; la pregunta "
                                        "no se guardó.")
                             .arg(row)
                             .arg(fields_->points(row).left(20), why));
        return false;
    }
    if (!QFileInfo(normalizeSeparators(editing_.folder)).isDir()) {
        throw FileError(QStringLiteral("No existe la carpeta de rondas \"%1\"; la pregunta no "
                                       "se guardó.")
                            .arg(QDir::toNativeSeparators(editing_.folder)));
    }
    for (int row = 1; row <= 5; ++row) {
        QString text = fields_->answer(row);
        if (text.contains(',')) {
            fields_->setAnswer(row, text.replace(',', '/'));
        }
    }
    const bool added = !RoundExists(editing_.folder, editing_.kind, editing_.number);
    SaveRoundCard(editing_.folder, editing_.kind, editing_.number, fields_->question(),
                  fields_->answers(), fields_->allPoints());
    editState_ = 0;
    editAdvice_->hide();
    // The explorer shows the saved text: its line is rewritten, or the list made again for
    // a card it did not have.
    if (added || editing_.folder != board_.roundFolder()) {
        reopenExplorer();
    } else if (explorer_->isVisible() && explorerKind_ == editing_.kind) {
        explorer_->updateCard(
            editing_.number,
            readFirstLine(RoundFilePath(editing_.folder, editing_.kind, editing_.number)));
    }
    typingSettled();
    return true;
}

void QuestionEditor::newQuestion() {
    if (!askToSave(kSavePrompt) || !folderAvailable()) {
        return;
    }
    const QString folder = board_.roundFolder();
    currentNumber_ = NewRoundNumber(folder, kind_, currentNumber_);
    const QString fileName = roundFileName(kind_, currentNumber_);
    editAdvice_->show();
    board_.setPendingCard(fileName);
    fields_->showCard(fileName, NewRoundCard(currentNumber_, kind_));
    editing_ = {folder, kind_, currentNumber_};
    editState_ = 0;
    dropHeldCard();
    fields_->focusQuestion();
}

void QuestionEditor::removeQuestion() {
    if (editing_.number == 0 || !folderAvailable()) {
        return;
    }
    if (!dialogs().ask(QStringLiteral("¿Desea quitar esta pregunta del juego? ") +
                       fields_->fileName() + QStringLiteral("\n\n") + fields_->question())) {
        return;
    }
    const Card removed = editing_;
    RemoveRound(removed.folder, removed.kind, removed.number);
    // The removed card's typing goes with it: it is never offered for the card that takes
    // its number.
    editState_ = 0;
    editing_ = {};
    showSeries(removed.kind);
    // The editor stays on the number, now the next card's, or steps back when it was last.
    currentNumber_ = removed.number;
    if (!showQuestion(currentNumber_) && currentNumber_ > 1) {
        --currentNumber_;
        showQuestion(currentNumber_);
    }
    reopenExplorer();
}

void QuestionEditor::selectFamily(bool extra) {
    if (!askToSave(kSavePrompt)) {
        showSeries(kind_);
        return;
    }
    showSeries(extra ? RoundKind::Extra : RoundKind::Normal);
    currentNumber_ = 0;
    nextQuestion();
}

// The check box always shows the series the editor works on.
void QuestionEditor::showSeries(RoundKind kind) {
    kind_ = kind;
    extras_->setChecked(kind == RoundKind::Extra);
}

void QuestionEditor::toggleExplorer() {
    exploreAdvice_->hide();
    if (explorer_->isVisible()) {
        explorer_->hide();
        return;
    }
    if (!folderAvailable()) {
        return;
    }
    explorer_->fill(listCards(board_.roundFolder(), kind_));
    explorerKind_ = kind_;
    explorer_->select(currentNumber_);
    explorer_->show();
    explorer_->raise();
}

void QuestionEditor::reopenExplorer() {
    if (explorer_->isVisible()) {
        explorer_->hide();
        toggleExplorer();
    }
}

void QuestionEditor::pickFromExplorer(int number) {
    if (!askToSave(kSavePrompt) || !folderAvailable()) {
        return;
    }
    if (showQuestion(number)) {
        currentNumber_ = number;
    }
}

void QuestionEditor::showListing() {
    if (!folderAvailable()) {
        return;
    }
    listing_->setPlainText(questionListing(board_.roundFolder(), board_.settings().title));
    listing_->show();
    listing_->raise();
    listButton_->hide();
    backButton_->show();
    copyButton_->show();
    copyAdvice_->show();
    board_.cancelAutomaticStrike();
}

void QuestionEditor::copyListing() {
    showListing();
    if (listing_->isVisible()) {
        QApplication::clipboard()->setText(
            questionListing(board_.roundFolder(), board_.settings().title));
    }
}

void QuestionEditor::backToEditing() {
    listing_->hide();
    backButton_->hide();
    copyButton_->hide();
    copyAdvice_->hide();
    listButton_->show();
    restart();
}

void QuestionEditor::restart() {
    currentNumber_ = 0;
    nextQuestion();
}

void QuestionEditor::windowShown(const QString& boardCard) {
    if (!fields_->questionEmpty()) {
        return;
    }
    // Opening the window mid-game shows the card on the board, and leaves the board's
    // next card where it was.
    if (!boardCard.isEmpty()) {
        followBoard(boardCard);
    } else {
        nextQuestion();
    }
}

void QuestionEditor::followBoard(const QString& fileName) {
    if (editState_ == 1) {
        holdBoardCard(fileName);
        return;
    }
    fields_->showFileName(fileName);
    const bool extra = fileName.startsWith('x');
    const RoundKind kind = extra ? RoundKind::Extra : RoundKind::Normal;
    const int number = fileName.mid(extra ? 6 : 5).chopped(4).toInt();
    loadCard({board_.roundFolder(), kind, number}, fileName, true);
}

void QuestionEditor::holdBoardCard(const QString& fileName) {
    heldCard_ = fileName;
    heldText_->setText(QStringLiteral("El juego muestra %1; %2 tiene cambios sin guardar.")
                           .arg(fileName, fields_->fileName()));
    heldBanner_->show();
    heldBanner_->raise();
}

void QuestionEditor::releaseBoardCard(bool keep) {
    if (keep) {
        save();
        return;
    }
    editState_ = 0;
    typingSettled();
}

void QuestionEditor::typingSettled() {
    if (heldCard_.isEmpty()) {
        return;
    }
    const QString card = heldCard_;
    dropHeldCard();
    followBoard(card);
}

void QuestionEditor::dropHeldCard() {
    heldCard_.clear();
    heldBanner_->hide();
}

}  // namespace velta
