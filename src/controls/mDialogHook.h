#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// Places file dialogs in the middle of the window that opened them.
namespace mDialogHook {

// Form rectangle and dialog size in screen coordinates; halves rounded toward zero and
// never left of or above 0. Returns no position when the form's right or bottom edge is
// not positive.
bool CenteredPosition(const QRect& form, const QSize& dialog, QPoint& position);
void CenterOver(QWidget* dialog, QWidget* form);

} // namespace mDialogHook
