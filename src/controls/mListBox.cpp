#include "controls/mListBox.h"

#include <QGuiApplication>
#include <QPalette>

namespace mListBox {

namespace {

struct SystemColour
{
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// System colour indexes, in their fixed order, and the palette entry that stands for each.
constexpr SystemColour kSystemColours[] = {
    {QPalette::Active, QPalette::Button},            // scroll bar
    {QPalette::Active, QPalette::Window},            // desktop
    {QPalette::Active, QPalette::Highlight},         // active caption
    {QPalette::Inactive, QPalette::Highlight},       // inactive caption
    {QPalette::Active, QPalette::Window},            // menu
    {QPalette::Active, QPalette::Base},              // window
    {QPalette::Active, QPalette::Shadow},            // window frame
    {QPalette::Active, QPalette::WindowText},        // menu text
    {QPalette::Active, QPalette::Text},              // window text
    {QPalette::Active, QPalette::HighlightedText},   // caption text
    {QPalette::Active, QPalette::Window},            // active border
    {QPalette::Active, QPalette::Window},            // inactive border
    {QPalette::Active, QPalette::Mid},               // application workspace
    {QPalette::Active, QPalette::Highlight},         // highlight
    {QPalette::Active, QPalette::HighlightedText},   // highlight text
    {QPalette::Active, QPalette::Button},            // button face
    {QPalette::Active, QPalette::Dark},              // button shadow
    {QPalette::Disabled, QPalette::Text},            // grey text
    {QPalette::Active, QPalette::ButtonText},        // button text
    {QPalette::Inactive, QPalette::HighlightedText}, // inactive caption text
    {QPalette::Active, QPalette::Light},             // button highlight
    {QPalette::Active, QPalette::Shadow},            // dark shadow
    {QPalette::Active, QPalette::Midlight},          // light
    {QPalette::Active, QPalette::ToolTipText},       // info text
    {QPalette::Active, QPalette::ToolTipBase},       // info background
    {QPalette::Active, QPalette::NoRole},            // (unused index)
    {QPalette::Active, QPalette::Link},              // hot light
    {QPalette::Active, QPalette::Highlight},         // gradient active caption
    {QPalette::Inactive, QPalette::Highlight},       // gradient inactive caption
    {QPalette::Active, QPalette::Highlight},         // menu highlight
    {QPalette::Active, QPalette::Window},            // menu bar
};

} // namespace

quint32 TranslateColor(quint32 colour, const QPalette* palette)
{
    if (!(colour & SystemColorFlag))
        return colour & 0x00FFFFFFu;
    const quint32 index = colour & ~SystemColorFlag;
    if (index >= std::size(kSystemColours) || kSystemColours[index].role == QPalette::NoRole)
        return 0;
    const QPalette& p = palette ? *palette : QGuiApplication::palette();
    return FromQColor(p.color(kSystemColours[index].group, kSystemColours[index].role));
}

int LoWord(qint32 value)
{
    return value & 0xFFFF;
}

int HiWord(qint32 value)
{
    return (value / 65536) & 0xFFFF;
}

QColor ToQColor(quint32 colour, const QPalette* palette)
{
    const quint32 plain = TranslateColor(colour, palette);
    return QColor(int(plain & 0xFF), int((plain >> 8) & 0xFF), int((plain >> 16) & 0xFF));
}

quint32 FromQColor(const QColor& colour)
{
    return RGB(colour.red(), colour.green(), colour.blue());
}

} // namespace mListBox
