#include "editing/Colours.h"

#include <QGuiApplication>
#include <QPalette>

#include "platform/Errors.h"

namespace velta {

namespace {

struct Fixed {
    const char* name;
    QRgb rgb;
};

const Fixed kFixed[] = {
    {"Aqua", 0x00FFFF},    {"Black", 0x000000},   {"Blue", 0x0000FF},       {"Cream", 0xFFFBF0},
    {"Fuchsia", 0xFF00FF}, {"Gray", 0x808080},    {"Green", 0x008000},      {"Lime", 0x00FF00},
    {"Maroon", 0x800000},  {"MedGray", 0xA0A0A4}, {"MoneyGreen", 0xC0DCC0}, {"Navy", 0x000080},
    {"Olive", 0x808000},   {"Purple", 0x800080},  {"Red", 0xFF0000},        {"Silver", 0xC0C0C0},
    {"SkyBlue", 0xA6CAF0}, {"Teal", 0x008080},    {"White", 0xFFFFFF},      {"Yellow", 0xFFFF00},
};

struct Role {
    const char* name;
    QPalette::ColorRole role;
};

// The desktop roles, matched to the nearest role of the running desktop's palette.
const Role kRoles[] = {
    {"ScrollBar", QPalette::Button},
    {"Background", QPalette::Dark},
    {"ActiveCaption", QPalette::Highlight},
    {"InactiveCaption", QPalette::Mid},
    {"Menu", QPalette::Window},
    {"Window", QPalette::Base},
    {"WindowFrame", QPalette::Shadow},
    {"MenuText", QPalette::WindowText},
    {"WindowText", QPalette::Text},
    {"CaptionText", QPalette::HighlightedText},
    {"ActiveBorder", QPalette::Window},
    {"InactiveBorder", QPalette::Window},
    {"AppWorkSpace", QPalette::Mid},
    {"Highlight", QPalette::Highlight},
    {"HighlightText", QPalette::HighlightedText},
    {"BtnFace", QPalette::Button},
    {"BtnShadow", QPalette::Dark},
    {"GrayText", QPalette::PlaceholderText},
    {"BtnText", QPalette::ButtonText},
    {"InactiveCaptionText", QPalette::WindowText},
    {"BtnHighlight", QPalette::Light},
    {"3DDkShadow", QPalette::Shadow},
    {"3DLight", QPalette::Midlight},
    {"InfoText", QPalette::ToolTipText},
    {"InfoBk", QPalette::ToolTipBase},
    {"HotLight", QPalette::Link},
    {"GradientActiveCaption", QPalette::Highlight},
    {"GradientInactiveCaption", QPalette::Midlight},
    {"MenuHighlight", QPalette::Highlight},
    {"MenuBar", QPalette::Window},
};

QPalette desktopPalette() {
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::palette()
                                                                        : QPalette();
}

bool sameName(const QString& wanted, const char* tableName) {
    return QString::compare(wanted, QStringLiteral("cl") + QLatin1String(tableName),
                            Qt::CaseInsensitive) == 0;
}

}  // namespace

const QStringList& colourListNames() {
    static const QStringList names = [] {
        QStringList list;
        for (const Fixed& f : kFixed) {
            list << QLatin1String(f.name);
        }
        return list;
    }();
    return names;
}

std::optional<TableColour> lookupColour(const QString& name) {
    const QString wanted = QStringLiteral("cl") + name;
    for (const Fixed& f : kFixed) {
        if (sameName(wanted, f.name)) {
            return TableColour{QLatin1String(f.name), QColor::fromRgb(f.rgb)};
        }
    }
    const QPalette palette = desktopPalette();
    for (const Role& r : kRoles) {
        if (sameName(wanted, r.name)) {
            return TableColour{QLatin1String(r.name), palette.color(QPalette::Active, r.role)};
        }
    }
    for (const char* special : {"Default", "None"}) {
        if (sameName(wanted, special)) {
            return TableColour{QLatin1String(special), QColor()};
        }
    }
    return std::nullopt;
}

QString unknownColourMessage(const QString& file, int line, const QString& name) {
    return QStringLiteral(
               "El color \"%1\" de la línea %2 de %3 no es un color conocido; se "
               "conserva el color predeterminado.")
        .arg(elided(name))
        .arg(line)
        .arg(shownPath(file));
}

}  // namespace velta
