#include "controls/mDrawEdge.h"

#include <QPainter>
#include <QPalette>

namespace mDrawEdge {

namespace {

QRect ring(QPainter& p, QRect r, const QColor& topLeft, const QColor& bottomRight, int sides)
{
    if (r.width() <= 0 || r.height() <= 0)
        return r;
    p.setPen(topLeft);
    if (sides & Top)
        p.drawLine(r.left(), r.top(), r.right(), r.top());
    if (sides & Left)
        p.drawLine(r.left(), r.top(), r.left(), r.bottom());
    p.setPen(bottomRight);
    if (sides & Bottom)
        p.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
    if (sides & Right)
        p.drawLine(r.right(), r.top(), r.right(), r.bottom());
    return r.adjusted(sides & Left ? 1 : 0, sides & Top ? 1 : 0, sides & Right ? -1 : 0,
                      sides & Bottom ? -1 : 0);
}

} // namespace

QRect DrawEdge(QPainter& painter, const QRect& rect, int edge, int sides, const QPalette& palette)
{
    const bool soft = edge & Soft;
    const QColor light = palette.color(QPalette::Light);
    const QColor midlight = palette.color(QPalette::Midlight);
    const QColor dark = palette.color(QPalette::Dark);
    const QColor shadow = palette.color(QPalette::Shadow);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    QRect r = rect;
    if (edge & RaisedOuter)
        r = ring(painter, r, soft ? light : midlight, shadow, sides);
    else if (edge & SunkenOuter)
        r = ring(painter, r, soft ? shadow : dark, light, sides);
    if (edge & RaisedInner)
        r = ring(painter, r, soft ? midlight : light, dark, sides);
    else if (edge & SunkenInner)
        r = ring(painter, r, soft ? dark : shadow, midlight, sides);
    painter.restore();
    return r;
}

} // namespace mDrawEdge
