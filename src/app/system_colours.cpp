#include "app/system_colours.h"

#include <QApplication>
#include <QPalette>

namespace {

// The desktop colour indexes that pages use, mapped to the nearest palette role.
QColor paletteColour(int index)
{
    const QPalette palette = QApplication::palette();
    switch (index) {
    case 1:  // desktop
    case 12: // application workspace
        return palette.color(QPalette::Dark);
    case 2:  // active title bar
    case 13: // highlight
        return palette.color(QPalette::Highlight);
    case 3:  // inactive title bar
    case 10: // active border
    case 11: // inactive border
    case 16: // button shadow
        return palette.color(QPalette::Mid);
    case 9:  // title bar text
    case 14: // highlight text
        return palette.color(QPalette::HighlightedText);
    case 6:  // window frame
    case 21: // dark 3D shadow
        return palette.color(QPalette::Shadow);
    case 0:  // scroll bars
    case 4:  // menu bar
    case 15: // button face
        return palette.color(QPalette::Button);
    case 7:  // menu text
    case 18: // button text
        return palette.color(QPalette::ButtonText);
    case 17: // grey text
    case 19: // inactive title bar text
        return palette.color(QPalette::Disabled, QPalette::Text);
    case 20: // button highlight
    case 22: // light 3D
        return palette.color(QPalette::Light);
    case 23: // tooltip text
        return palette.color(QPalette::ToolTipText);
    case 24: // tooltip background
        return palette.color(QPalette::ToolTipBase);
    case 8: // window text
        return palette.color(QPalette::WindowText);
    case 5: // window background
    default:
        return palette.color(QPalette::Base);
    }
}

} // namespace

QColor displayColour(quint32 value)
{
    if (isSystemColourReference(value))
        return paletteColour(int(value & 0xFF));
    return QColor(int(value & 0xFF), int(value >> 8 & 0xFF), int(value >> 16 & 0xFF));
}

quint32 colourValueOf(const QColor &colour)
{
    const QColor rgb = colour.toRgb();
    return colourValue(rgb.red(), rgb.green(), rgb.blue());
}
