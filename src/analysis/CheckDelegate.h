#pragma once

#include "controls/ListDelegate.h"

// Our lists' cells with a tick box before the text of a checkable cell. The box is where
// the style expects it, so that a click on it and Space tick and untick the cell.
class CheckDelegate : public ListDelegate
{
    Q_OBJECT
public:
    using ListDelegate::ListDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};
