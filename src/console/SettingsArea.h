#pragma once

#include <QWidget>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace velta {

class SettingsStore;
class TForm1;
struct GameSettings;

// The settings area "Configuración y control del juego": title and colours, cover, frame,
// team names, rounds folder and the four options. Each operation stores its setting through
// the board's settings store, which the board follows at once, and gives the keyboard back
// to the game; a setting that cannot be shown (a picture that does not read, a colour the
// table does not know) or stored is reported and neither the file nor the board changes.
class SettingsArea : public QWidget {
    Q_OBJECT
  public:
    SettingsArea(TForm1& board, QWidget* parent);

    // Fills every field from the settings in force.
    void refresh();

    void saveTitle();
    void chooseCover();
    void chooseFrame();
    void saveTeamNames();
    void chooseRoundFolder();
    // Opens the folder the show is kept in, in the desktop's file manager.
    void openShowFolder();

    // The options group "Extras", placed by the window.
    QWidget* optionsGroup() const { return options_; }
    // "Carpeta del show:" with its path and "Abrir", placed by the window.
    QWidget* showFolderRow() const { return showFolderRow_; }
    // The team names as typed in this area.
    QString leftTeamName() const;
    QString rightTeamName() const;
    // The set-up as the fields hold it now, typing not yet saved included.
    GameSettings fieldSettings() const;
    // An empty title field showing the prompt to type the show's own title.
    void promptForTitle();
    // Asked before a folder is chosen; false keeps the folder in force (the question editor
    // holds typing that could not be saved).
    void setFolderChangeCheck(std::function<bool()> check) {
        folderChangeCheck_ = std::move(check);
    }

  Q_SIGNALS:
    // An operation ended: the window gives the keyboard back to the game.
    void done();
    // A new rounds folder is in force: the question editor starts again on question 1.
    void roundFolderChanged();
    // The folder is about to be chosen.
    void roundFolderAboutToChange();
    void teamNamesEdited();

  private:
    void buildRows();
    void buildOptions(QWidget* parent);
    void buildShowFolderRow(QWidget* parent);
    QString choosePicture(const QString& folder);
    void pictureStored(QLineEdit* field, const QString& path);

    TForm1& board_;
    SettingsStore& store_;
    QLineEdit* title_ = nullptr;
    QComboBox* titleColour_ = nullptr;
    QComboBox* backgroundColour_ = nullptr;
    QLabel* titleAdvice_ = nullptr;
    QLineEdit* cover_ = nullptr;
    QLineEdit* frame_ = nullptr;
    QLabel* pictureAdvice_ = nullptr;
    QLineEdit* leftTeam_ = nullptr;   // Edit20
    QLineEdit* rightTeam_ = nullptr;  // Edit21
    QLineEdit* roundFolder_ = nullptr;
    QWidget* options_ = nullptr;
    QWidget* showFolderRow_ = nullptr;
    QCheckBox* multipliers_ = nullptr;   // CBPtosDT
    QCheckBox* accumulate_ = nullptr;    // CBSumaF
    QCheckBox* hideScores_ = nullptr;    // CBShowP
    QCheckBox* hideQuestion_ = nullptr;  // CBShowQ
    std::function<bool()> folderChangeCheck_;
};

}  // namespace velta
