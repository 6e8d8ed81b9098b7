#include "editing/Presets.h"

namespace velta {

const QList<Preset>& presets() {
    static const QList<Preset> list{
        {QStringLiteral("Crear mi propia version"), QString(), 0, QStringLiteral("MisRondas")},
        {QStringLiteral("Brindis de Medianoche (Nochevieja)"),
         QStringLiteral("Brindis de Medianoche"), 1, QStringLiteral("RondasNochevieja")},
        {QStringLiteral("Duelo en el Aula (Escuela)"), QStringLiteral("Duelo en el Aula"), 2,
         QStringLiteral("RondasEscuela")},
        {QStringLiteral("La Oficina Responde (Fiesta de la oficina)"),
         QStringLiteral("La Oficina Responde"), 3, QStringLiteral("RondasOficina")},
        {QStringLiteral("Gracias, Mamá (Día de las Madres)"), QStringLiteral("Gracias, Mamá"), 4,
         QStringLiteral("RondasMadres")},
        {QStringLiteral("Pequeños Campeones (Fiesta infantil)"),
         QStringLiteral("Pequeños Campeones"), 5, QStringLiteral("RondasInfantil")},
        {QStringLiteral("Papá Sabe Más (Día del Padre)"), QStringLiteral("Papá Sabe Más"), 6,
         QStringLiteral("RondasPadres")},
        {QStringLiteral("Toda la Familia Opina (Reunión familiar)"),
         QStringLiteral("Toda la Familia Opina"), 7, QStringLiteral("RondasFamilia")},
        {QStringLiteral("Llegó la Cigüeña (Baby shower)"), QStringLiteral("Llegó la Cigüeña"), 15,
         QStringLiteral("RondasBabyShower")},
        {QStringLiteral("Sí, Acepto el Reto (Boda)"), QStringLiteral("Sí, Acepto el Reto"), 16,
         QStringLiteral("RondasBoda")},
        {QStringLiteral("Altar de Recuerdos (Día de Muertos)"),
         QStringLiteral("Altar de Recuerdos"), 17, QStringLiteral("RondasMuertos")},
        {QStringLiteral("Mis Quince Años (Quinceañera)"), QStringLiteral("Mis Quince Años"), 18,
         QStringLiteral("RondasQuince")},
        {QStringLiteral("Noche de Paz y Puntos (Navidad)"), QStringLiteral("Noche de Paz y Puntos"),
         13, QStringLiteral("RondasNavidad")},
        {QStringLiteral("Gran Final (Noche deportiva)"), QStringLiteral("Gran Final"), 22,
         QStringLiteral("RondasDeportes")},
    };
    return list;
}

QString presetCoverTitle(int cover) {
    for (const Preset& preset : presets()) {
        if (preset.cover == cover && cover > 0) {
            return preset.gameTitle;
        }
    }
    return QStringLiteral("Veltarama");
}

}  // namespace velta
