#pragma once

#include "controls/ListDelegate.h"

// The probabilities of a match's three outcomes as bars under their percentage: the home
// win, the draw and the away win each in their colour; other cells as every list draws them.
class ProbabilityDelegate : public ListDelegate
{
    Q_OBJECT
public:
    using ListDelegate::ListDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};
