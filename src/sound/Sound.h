#pragma once

#include <QString>
#include <QStringList>

namespace velta {

// The two voices of the show as the commands use them. Effect paths are relative to the
// program folder, written with '\' or '/'; bank paths are full paths.

// EffectChannel: the fixed WAV effects, one at a time. Each call is told to soundEvents().
void PlayEffect(const QString& relativePath);
void PlayEffectLooped(const QString& relativePath);
void StopEffects();

// BankChannel: the sound-bank files (mp3, wav, wma, mid, aac, ac3).
void PlayBankFile(const QString& fullPath);
void CloseBank();

// Key D: both voices fall silent.
void StopAllSound();

// The fixed effects, relative to the program folder.
namespace effects {
inline const QString kIntro = QStringLiteral("Audio\\WAV\\intro.wav");
inline const QString kPresentation = QStringLiteral("Audio\\WAV\\Presentacion.wav");
inline const QString kStart = QStringLiteral("Audio\\WAV\\comenzar.wav");
inline const QString kAnswer = QStringLiteral("Audio\\WAV\\Respuesta en Tablero.wav");
inline const QString kWrong = QStringLiteral("Audio\\WAV\\No esta.wav");
inline const QString kRoundWon = QStringLiteral("Audio\\WAV\\rondafin.wav");
inline const QString kBell1 = QStringLiteral("Audio\\WAV\\Bell1.wav");
inline const QString kBell2 = QStringLiteral("Audio\\WAV\\Bell2.wav");
inline const QString kSecond = QStringLiteral("Audio\\WAV\\Second.wav");
inline const QString kPass = QStringLiteral("Audio\\WAV\\Pass.wav");
inline const QString kBuzzer = QStringLiteral("Audio\\WAV\\Pulsador.wav");
}  // namespace effects

// Every fixed effect, for loading them ahead of their first use.
QStringList allEffects();

}  // namespace velta
