#include "analysis/CheckDelegate.h"

#include <QApplication>
#include <QPainter>

void CheckDelegate::paint(QPainter* p, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const
{
    const QVariant check = index.data(Qt::CheckStateRole);
    if (!check.isValid()) {
        ListDelegate::paint(p, option, index);
        return;
    }
    QStyleOptionViewItem styled(option);
    initStyleOption(&styled, index);
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    const QRect box = style->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &styled, widget);

    QStyleOptionViewItem text(option);
    text.rect.setLeft(box.right() + 3);
    ListDelegate::paint(p, text, index);

    const QRect strip(option.rect.left(), option.rect.top(), text.rect.left() - option.rect.left(),
                      option.rect.height());
    const QPalette::ColorGroup group =
        option.state & QStyle::State_Active ? QPalette::Active : QPalette::Inactive;
    const QVariant back = index.data(Qt::BackgroundRole);
    if (option.state & QStyle::State_Selected)
        p->fillRect(strip, option.palette.brush(group, QPalette::Highlight));
    else
        p->fillRect(strip, back.isValid() ? back.value<QColor>() : option.palette.base().color());

    QStyleOptionViewItem indicator(styled);
    indicator.rect = box;
    indicator.state &= ~(QStyle::State_On | QStyle::State_Off | QStyle::State_NoChange);
    indicator.state |= check.toInt() == Qt::Checked ? QStyle::State_On : QStyle::State_Off;
    style->drawPrimitive(QStyle::PE_IndicatorItemViewItemCheck, &indicator, p, widget);
}
