#pragma once

#include <QRect>

class QPainter;
class QPalette;

// 3-D edges of one or two one-pixel rings, in the palette's bevel colours.
namespace mDrawEdge {

enum Edge {
    RaisedOuter = 0x1,
    SunkenOuter = 0x2,
    RaisedInner = 0x4,
    SunkenInner = 0x8,
    Raised = RaisedOuter | RaisedInner,
    Sunken = SunkenOuter | SunkenInner,
    Etched = SunkenOuter | RaisedInner,
    Bump = RaisedOuter | SunkenInner,
    Soft = 0x1000,
};

enum Side { Left = 0x1, Top = 0x2, Right = 0x4, Bottom = 0x8, AllSides = 0xF };

// Returns the rectangle left inside the edge.
QRect DrawEdge(QPainter& painter, const QRect& rect, int edge, int sides, const QPalette& palette);

} // namespace mDrawEdge
