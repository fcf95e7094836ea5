#pragma once

#include <QPixmap>

class QWidget;

// The cursor of a control from its MousePointer number (0 default, 1 arrow, 2 cross,
// 3 I-beam, 5 and 15 size all, 6 to 9 the four sizing arrows, 10 up arrow, 11 hourglass,
// 12 no drop, 13 arrow and hourglass, 14 arrow and question mark, 99 MouseIcon).
namespace mMousePointer {

void Apply(QWidget* widget, int pointer, const QPixmap& icon);

} // namespace mMousePointer
