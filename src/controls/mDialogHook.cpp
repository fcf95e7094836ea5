#include "controls/mDialogHook.h"

#include <QWidget>

namespace mDialogHook {

bool CenteredPosition(const QRect& form, const QSize& dialog, QPoint& position)
{
    const int right = form.x() + form.width();
    const int bottom = form.y() + form.height();
    if (right <= 0 || bottom <= 0)
        return false;
    position.setX(qMax(0, form.x() + (form.width() - dialog.width()) / 2));
    position.setY(qMax(0, form.y() + (form.height() - dialog.height()) / 2));
    return true;
}

void CenterOver(QWidget* dialog, QWidget* form)
{
    if (!dialog || !form)
        return;
    QPoint at;
    if (CenteredPosition(form->frameGeometry(), dialog->frameGeometry().size(), at))
        dialog->move(at);
}

} // namespace mDialogHook
