#pragma once

#include <QColor>
#include <QtGlobal>

class QPalette;

// Colour values and 32-bit parameter halves. A colour is 0x00BBGGRR (red in the low byte),
// or 0x80000000 + index for a system colour, translated at each use.
namespace mListBox {

constexpr quint32 SystemColorFlag = 0x80000000u;
constexpr quint32 ScrollBarColor = 0x80000000u;
constexpr quint32 WindowColor = 0x80000005u;
constexpr quint32 WindowTextColor = 0x80000008u;
constexpr quint32 HighlightColor = 0x8000000Du;
constexpr quint32 HighlightTextColor = 0x8000000Eu;
constexpr quint32 ButtonFaceColor = 0x8000000Fu;
constexpr quint32 ButtonShadowColor = 0x80000010u;
constexpr quint32 GrayTextColor = 0x80000011u;
constexpr quint32 ButtonTextColor = 0x80000012u;
constexpr quint32 ButtonHighlightColor = 0x80000014u;
constexpr quint32 DarkShadowColor = 0x80000015u;

constexpr quint32 RGB(int red, int green, int blue)
{
    return quint32(red & 0xFF) | (quint32(green & 0xFF) << 8) | (quint32(blue & 0xFF) << 16);
}

// A plain colour unchanged; a system colour taken from the palette (the application's when
// none is given); 0 for an unknown system colour.
quint32 TranslateColor(quint32 colour, const QPalette* palette = nullptr);
int LoWord(qint32 value);
int HiWord(qint32 value);

QColor ToQColor(quint32 colour, const QPalette* palette = nullptr);
quint32 FromQColor(const QColor& colour);

} // namespace mListBox
