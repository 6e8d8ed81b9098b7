#pragma once

#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <array>

namespace velta {

// The bank pointer file: the path of the bank last saved or loaded, restored at start-up.
inline const QString kBankPointerFile = QStringLiteral("Config\\BancoSonido.txt");
// The two sounds a bank starts with when no bank is restored.
inline const QString kApplauseSound = QStringLiteral("Audio\\EFFECTS\\Aplausos.mp3");
inline const QString kBooSound = QStringLiteral("Audio\\EFFECTS\\Abucheos.mp3");

// The operator's ten sound slots, numbered 1 to 10, each the full path of a sound file or
// empty. There is one bank for the whole program: both windows show it and their keys play
// it. A saved bank is a ".bso" file of ten lines, line k the path of slot k.
//
// The media voice keeps every existing slot file ready, so a key is heard at once; a file
// the voice turns out unable to play is reported back and marked.
class SoundBank : public QObject {
    Q_OBJECT
  public:
    static constexpr int kSlots = 10;
    enum class SlotState { Empty, Missing, Unplayable, Playable };

    explicit SoundBank(QObject* parent = nullptr);
    ~SoundBank() override;

    QString slot(int k) const { return slots_.at(k - 1); }
    SlotState slotState(int k) const;
    void setSlot(int k, const QString& path);
    // The bank file last saved, loaded or restored; empty before.
    QString bankFile() const { return bankFile_; }

    // The slot's sound on the media voice; an empty or missing one only silences it.
    void play(int k) const;

    // The name "Guardar" proposes: "Audio-" + the names of slots 1 and 2 without folder
    // and extension, joined by "-".
    QString proposedName() const;

    // Start-up: the bank the pointer file names, its empty lines leaving their slots as
    // they are; without one, the two shipped sounds in slots 1 and 2 where they exist. A
    // pointer or bank that cannot be read gives the shipped sounds too, and throws
    // FileError saying why.
    void restore();
    // The ten slots to the bank file, then its path to the pointer file. A bank that
    // cannot be written changes nothing; a pointer that cannot be written leaves the bank
    // saved. Either throws FileError with the operator's message.
    void save(const QString& path);
    // Every slot from the bank file, empty lines included, then its path to the pointer
    // file; a missing file changes nothing. Throws FileError like save.
    void load(const QString& path);

  Q_SIGNALS:
    // A slot's text or state changed.
    void slotChanged(int k);
    void bankFileChanged(const QString& path);

  private:
    void restoreDefaults();
    void setSlots(const std::array<QString, kSlots>& slots);
    void setBankFile(const QString& path);
    void rememberBankFile(const QString& pointerFailure);
    void keepFilesReady();
    void fileChecked(const QString& path, bool playable);

    std::array<QString, kSlots> slots_;
    QString bankFile_;
    // The files the media voice was last asked to keep ready.
    QStringList keptFiles_;
    // Slot files the media voice has reported it cannot play.
    QSet<QString> unplayable_;
};

}  // namespace velta
