#pragma once

#include <QColor>
#include <QtGlobal>

// A colour value is 32 bits: red in the lowest byte, then green, then blue. With the top bit set it
// is instead a reference to one of the desktop's colours, by index in the lowest byte, and it is
// looked up only when something is drawn with it.
namespace SystemColour {
constexpr quint32 ReferenceBit = 0x80000000u;
constexpr quint32 WindowBackground = 0x80000005u;
constexpr quint32 WindowText = 0x80000008u;
constexpr quint32 ButtonFace = 0x8000000Fu;
} // namespace SystemColour

inline bool isSystemColourReference(quint32 value)
{
    return (value & SystemColour::ReferenceBit) != 0;
}

constexpr quint32 colourValue(int red, int green, int blue)
{
    return quint32(red & 0xFF) | quint32(green & 0xFF) << 8 | quint32(blue & 0xFF) << 16;
}

// The colour to draw with: RGB values as they are, references from the application palette.
QColor displayColour(quint32 value);

// The colour value of a colour the user picked (always plain RGB).
quint32 colourValueOf(const QColor &colour);
