#include "analysis/ProbabilityDelegate.h"

#include "models/MatchForecastModel.h"

#include <QPainter>

void ProbabilityDelegate::paint(QPainter* p, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const
{
    const QVariant share = index.data(MatchForecastModel::ProbabilityRole);
    if (!share.isValid()) {
        ListDelegate::paint(p, option, index);
        return;
    }
    static const QColor kColours[] = {QColor(114, 159, 207), QColor(186, 189, 182),
                                      QColor(252, 175, 62)};
    const int outcome = qBound(0, index.column() - MatchForecastModel::P1, 2);
    p->save();
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette::ColorGroup group =
        option.state & QStyle::State_Active ? QPalette::Active : QPalette::Inactive;
    const QVariant back = index.data(Qt::BackgroundRole);
    p->fillRect(option.rect, selected         ? option.palette.brush(group, QPalette::Highlight)
                             : back.isValid() ? QBrush(back.value<QColor>())
                                              : option.palette.base());
    const QRect inner = option.rect.adjusted(3, 4, -3, -4);
    const int length = int(inner.width() * qBound(0.0, share.toDouble(), 1.0) + 0.5);
    p->fillRect(QRect(inner.left(), inner.top(), length, inner.height()), kColours[outcome]);
    p->setPen(selected ? option.palette.color(group, QPalette::HighlightedText)
                       : QColor(Qt::black));
    p->setFont(option.font);
    p->drawText(inner, Qt::AlignCenter, index.data(Qt::DisplayRole).toString());
    p->restore();
}
