#include "controls/mMousePointer.h"

#include <QCursor>
#include <QWidget>

namespace mMousePointer {

void Apply(QWidget* widget, int pointer, const QPixmap& icon)
{
    if (!widget)
        return;
    Qt::CursorShape shape = Qt::ArrowCursor;
    switch (pointer) {
    case 1:
    case 4:
        shape = Qt::ArrowCursor;
        break;
    case 2:
        shape = Qt::CrossCursor;
        break;
    case 3:
        shape = Qt::IBeamCursor;
        break;
    case 5:
    case 15:
        shape = Qt::SizeAllCursor;
        break;
    case 6:
        shape = Qt::SizeBDiagCursor;
        break;
    case 7:
        shape = Qt::SizeVerCursor;
        break;
    case 8:
        shape = Qt::SizeFDiagCursor;
        break;
    case 9:
        shape = Qt::SizeHorCursor;
        break;
    case 10:
        shape = Qt::UpArrowCursor;
        break;
    case 11:
        shape = Qt::WaitCursor;
        break;
    case 12:
        shape = Qt::ForbiddenCursor;
        break;
    case 13:
        shape = Qt::BusyCursor;
        break;
    case 14:
        shape = Qt::WhatsThisCursor;
        break;
    case 99:
        if (icon.isNull())
            widget->unsetCursor();
        else
            widget->setCursor(QCursor(icon));
        return;
    default:
        widget->unsetCursor();
        return;
    }
    widget->setCursor(shape);
}

} // namespace mMousePointer
