#include "board/CommandTable.h"

#include <algorithm>

#include "board/Uvelta.h"
#include "sound/Sound.h"

namespace velta {

namespace {

using Run = std::function<void(TForm1&)>;

Run method(void (TForm1::*handler)()) {
    return [handler](TForm1& board) { (board.*handler)(); };
}

Run reveal(int row) {
    return [row](TForm1& board) { board.RevealOrHide(row); };
}

constexpr auto kTwin = TwinRole::RunsTheBoards;

// In the order of the board's key row.
const std::vector<Command> kCommands = {
    {'m', "SpeedButton14", 53, "SpeedButton14", 8, TwinRole::Off, "Menú principal",
     "M = Muestra el menú, cuando éste se oculta automáticamente", 11, false, true,
     method(&TForm1::toggleMenu)},
    {'a', "SpeedButton9", 86, "SpeedButton9", 36, kTwin, "Anterior pregunta (Tecla A)",
     "A = Anterior - regresar pregunta (se activa cuando se haya iniciado el juego)", 5, true,
     false, method(&TForm1::PreviousQuestion)},
    {'s', "SpeedButton3", 115, "SpeedButton3", 62, kTwin,
     "Siguiente pregunta (Tecla S) Inicia y avanza el juego",
     "S = Siguiente - Comienza el juego y también sirve para avanzar a la siguiente pregunta", 1,
     true, true, method(&TForm1::NextQuestion)},
    {'v', "SpeedButton79", 142, "SpeedButton105", 88, kTwin,
     "Volver a preguntar (Tecla V) Reemplaza la pregunta actual por la siguiente",
     "V = Volver a preguntar (reemplazar por la siguiente pregunta)", 15, false, true,
     method(&TForm1::ReplaceQuestion)},
    {'d', "SpeedButton1", 171, "SpeedButton1", 114, kTwin, "Detener sonido (Tecla D)",
     "D = Detiene el sonido", 6, false, true, [](TForm1&) { StopAllSound(); }},
    {'1', "SpeedButton4", 210, "SpeedButton4", 148, kTwin, "Mostrar/Ocultar 1ra repuesta (Tecla 1)",
     "1 a 5 = Descubre las respuestas disponibles", 2, false, true, reveal(1)},
    {'2', "SpeedButton5", 234, "SpeedButton5", 172, kTwin, "Mostrar/Ocultar 2da repuesta (Tecla 2)",
     nullptr, 0, false, true, reveal(2)},
    {'3', "SpeedButton6", 258, "SpeedButton6", 196, kTwin, "Mostrar/Ocultar 3ra repuesta (Tecla 3)",
     nullptr, 0, true, true, reveal(3)},
    {'4', "SpeedButton7", 282, "SpeedButton7", 220, kTwin, "Mostrar/Ocultar 4ta repuesta (Tecla 4)",
     nullptr, 0, true, true, reveal(4)},
    {'5', "SpeedButton8", 306, "SpeedButton8", 244, kTwin, "Mostrar/Ocultar 5ta repuesta (Tecla 5)",
     nullptr, 0, true, true, reveal(5)},
    {'x', "SpeedButton2", 336, "SpeedButton2", 278, kTwin, "X ERROR!! (Tecla X)",
     "X = Espantosa X (error!) - Se acumulan hasta 3 equis para el robo de puntos", 3, true, true,
     method(&TForm1::Strike)},
    {'h', "SpeedButton37", 362, "SpeedButton37", 304, kTwin,
     "Hacer pregunta (Tecla H) Da 5 segundos para contestar o asigna X ERROR!!",
     "H = Hacer pregunta y dar 5 segundos para contestar, de lo contrario muestra la X", 4, false,
     true, method(&TForm1::TimedQuestion)},
    {'z', "SpeedButton13", 391, "SpeedButton13", 338, kTwin,
     "Asigna puntos equipo lado izquierdo (Tecla Z)", "Z = Ganador lado IZQUIERDO asigna puntos", 7,
     true, true, method(&TForm1::AssignLeft)},
    {'c', "SpeedButton10", 420, "SpeedButton10", 420, kTwin,
     "Asigna puntos equipo lado derecho (Tecla C)", "C = Ganador lado DERECHO asigna puntos", 8,
     true, true, method(&TForm1::AssignRight)},
    {'b', "SpeedButton81", 447, "SpeedButton108", 504, TwinRole::OwnPanel,
     "Balancear marcador (Tecla B) Reasignar puntos cuando ya se asignaron ",
     "B = Balancear marcador - Reasignar puntos (cuando ya se asignaron a un equipo)", 16, false,
     true, method(&TForm1::BalanceScores)},
    {'r', "SpeedButton15", 476, "SpeedButton15", 566, kTwin, "Ronda extra (Tecla R) Desempate",
     "R = Ronda extra para desempate ", 9, false, true, method(&TForm1::ExtraRound)},
    {'n', "SpeedButton17", 507, "SpeedButton17", 592, kTwin,
     "No existe la respuesta en el tablero (Tecla N) Se usa en el inicio de ronda o robo de "
     "puntos ",
     "N = No existe la respuesta en el tablero (en pregunta inicial o robo de puntos, se usa en "
     "lugar de la X)  ",
     10, false, true, method(&TForm1::NotOnBoard)},
    {'f', "SpeedButton19", 544, "SpeedButton19", 618, kTwin,
     "Fácil (Tecla F) Modo de 1 pregunta - Inicio y avance del juego en ese modo",
     "F = Fácil, modo de 1 pregunta - Inicia y avanza el juego (desactiva la tecla S)", 12, true,
     true, method(&TForm1::EasyNext)},
    {'t', "SpeedButton34", 573, "SpeedButton34", 676, TwinRole::Off,
     "Tablero de Control (Tecla T) Cambiar título, portada, preguntas, banco de sonidos, etc. ",
     "T = Tablero de Control - Cambiar título, portada, preguntas del juego, efectos de sonido, "
     "etc.",
     13, false, true, method(&TForm1::openControlWindow)},
    {'j', "SpeedButton33", 603, "SpeedButton33", 650, kTwin, "Juego - Elegir version (Tecla J)",
     "J = Cambiar la versión del juego", 14, false, true, method(&TForm1::openThemes)},
    {'l', "SpeedButtonL", 633, "SpeedButtonL", 800, kTwin,
     "Listos (Tecla L) Activa los pulsadores del cara a cara; otra vez los apaga",
     "L = Listos: activa los pulsadores del cara a cara", 20, false, true,
     method(&TForm1::toggleBuzzers)},
    {'k', "SpeedButton36", 663, "SpeedButton36", 702, TwinRole::OwnPanel,
     "Keys (Tecla K) Teclas del juego, guía rápida", "K = Keys - Teclas rápidas del juego", 18,
     false, true, method(&TForm1::showKeyList)},
    {'g', "SpeedButton84", 693, "SpeedButton110", 734, kTwin, "Regresar Portada/Juego (Tecla G) ",
     "G = Regresar a la portada o al juego", 17, false, true, method(&TForm1::toggleCoverOrGame)},
    {'e', "SpeedButton16", 740, "SpeedButton16", 768, kTwin, "Exit (Tecla E) Salir del juego ",
     "E = Exit - Cerrar el juego", 19, false, true, method(&TForm1::exitGame)},
};

QString letters(bool (*wanted)(const Command&)) {
    QString text;
    for (const Command& c : kCommands) {
        if (wanted(c)) {
            text += QLatin1Char(c.letter);
        }
    }
    return text;
}

}  // namespace

const std::vector<Command>& commandTable() {
    return kCommands;
}

const Command* findCommand(QChar letter) {
    const auto found = std::find_if(kCommands.begin(), kCommands.end(), [letter](const Command& c) {
        return QLatin1Char(c.letter) == letter.toLower();
    });
    return found == kCommands.end() ? nullptr : &*found;
}

bool isCommandKey(int key) {
    const bool letterOrDigit =
        (key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9);
    return letterOrDigit && findCommand(QChar(key)) != nullptr;
}

QStringList keyListLines() {
    std::vector<const Command*> listed;
    for (const Command& c : kCommands) {
        if (c.listLine) {
            listed.push_back(&c);
        }
    }
    std::sort(listed.begin(), listed.end(),
              [](const Command* a, const Command* b) { return a->listPosition < b->listPosition; });
    QStringList lines;
    for (const Command* c : listed) {
        lines << QString::fromUtf8(c->listLine);
    }
    lines << QStringLiteral(
                 "Ctrl+Z = Deshacer - Regresa el juego como estaba antes del último "
                 "comando")
          << QStringLiteral("Ctrl+Y = Rehacer - Vuelve a hacer el comando deshecho");
    return lines;
}

QString savedCommands() {
    return letters([](const Command& c) { return c.savedWithGame; });
}

QString commandsEnabledAtStart() {
    return letters([](const Command& c) { return c.savedWithGame && c.enabledAtStart; });
}

}  // namespace velta
