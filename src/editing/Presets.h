#pragma once

#include <QList>
#include <QString>

namespace velta {

// A theme of the theme dialog: its entry text (also the title it writes), the number of its
// cover "Imagen\Titles\portada<N>.jpg" (0 for none) and its rounds folder in the program
// folder. The game title is the entry text without the occasion in parentheses; the cover
// shows it.
struct Preset {
    QString entry;
    QString gameTitle;
    int cover;
    QString roundFolder;
};

// The fourteen entries in the dialog's order: "Crear mi propia version" first, then the
// thirteen shipped themes.
const QList<Preset>& presets();

// The cover number of a theme's cover picture and the title it shows.
QString presetCoverTitle(int cover);

}  // namespace velta
