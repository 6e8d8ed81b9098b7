#pragma once

#include <QWidget>

#include "board/ControlLink.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace velta {

struct Command;
class QuestionEditor;
class QuestionPanel;
class FastMoneyPanel;
class ImageBox;
class KeyButton;
class KeyListPanel;
class KeyRouter;
class ReassignMenu;
class SettingsArea;
class PackDialog;
class TFtemas;
class SoundBankPanel;
class Room;
class RoomPanel;
class TForm1;
struct InstalledPack;

// The control window "VELTA Tablero de Control": the operator's console on the operator's
// own screen. Every game command is a twin button that presses the board's; the host view
// shows the question on the board with its answers; the settings area changes the show's
// settings; "Monitor Dual" puts the board on the audience's screen. It lives for the whole
// run: closing it only hides it.
class TFConfig : public QWidget, public ControlLink {
    Q_OBJECT
  public:
    explicit TFConfig(TForm1& board);
    ~TFConfig() override;

    Room& room() const { return *room_; }

    // What the board asks of this window.
    bool isShown() const override;
    void open() override;
    void confirmUnsavedQuestion() override;
    void openThemes() override;
    void themeAccepted() override;
    void parkFocus() override;
    // "Sincronizar con el juego": the host view follows the board's card, marks, strike
    // picture and countdown only while it is checked.
    bool syncWithGame() const;

    // "Monitor Dual": the board to the screen that does not hold this window, fitted the
    // first time and maximised after; with one screen, the board fills its own screen and
    // this window closes.
    void dualMonitor();
    // "Balancear marcador" (key B here): this window's own reassign menu or notice.
    void balanceScores();
    // Key K here: the key list in front.
    void showKeyList();
    // "Mis versiones": the set-up as the settings fields hold it, to a ".vlt" file; and a
    // version file applied to the board and stored as the show's settings, all or nothing
    // (a pack's version together with the pack's frame and the theme marker).
    void saveVersion();
    void loadVersion();
    void loadVersionFile(const QString& path, const InstalledPack* pack = nullptr);
    // "Más temas…": the window "Temas para descargar"; and a pack it installed, put to use.
    void openPacks();
    void usePack(const InstalledPack& pack);
    // The theme dialog's choice, applied (0 is "Crear mi propia version").
    void applyTheme(int index);

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    void buildMainPanel();
    void buildCommandBar();
    void buildPanels();
    void buildVersions(QGroupBox* group);
    KeyButton* makeTwin(const Command& command);
    KeyButton* makeButton(const QString& name, const QString& caption, const QRect& geometry,
                          const QString& hint);
    void bindHere(KeyButton* button, void (TFConfig::*command)());
    // The host view as a view of the game and the board.
    void followBoard();
    void followCard();
    void followBoardCard();
    void updatePointsHints();
    void followCommands();

    TForm1& board_;
    KeyRouter* keys_ = nullptr;
    QWidget* mainPanel_ = nullptr;      // Panel7
    QWidget* commandBar_ = nullptr;     // Panel1
    QPushButton* focusSink_ = nullptr;  // Button3
    QCheckBox* sync_ = nullptr;         // CheckBox2
    QuestionEditor* editor_ = nullptr;
    QuestionPanel* host_ = nullptr;  // the editor's fields
    SettingsArea* settings_ = nullptr;
    ReassignMenu* reassign_ = nullptr;
    FastMoneyPanel* fastMoney_ = nullptr;
    KeyListPanel* keyList_ = nullptr;  // Panel14
    QLabel* leftScore_ = nullptr;      // LPtosIzq
    QLabel* rightScore_ = nullptr;     // LPtosDer
    QLabel* leftTeamCaption_ = nullptr;
    QLabel* rightTeamCaption_ = nullptr;
    ImageBox* picture_ = nullptr;       // Image1
    QLabel* countdown_ = nullptr;       // Label53
    KeyButton* leftPoints_ = nullptr;   // SpeedButton103
    KeyButton* rightPoints_ = nullptr;  // SpeedButton104
    // The file of the card the board shows, and the last one that could not be read.
    QString boardCard_;
    QString lastFailedCard_;
    TFtemas* themes_ = nullptr;
    PackDialog* packs_ = nullptr;
    ImageBox* folderPointer_ = nullptr;  // Image18
    bool ownVersionPending_ = false;
    SoundBankPanel* bankPanel_ = nullptr;  // Panel15
    Room* room_ = nullptr;
    RoomPanel* roomPanel_ = nullptr;
};

}  // namespace velta
