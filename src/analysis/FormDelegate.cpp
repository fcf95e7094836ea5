#include "analysis/FormDelegate.h"

#include <QPainter>

namespace {
constexpr int kGap = 3;
constexpr int kInset = 4;

int markSize(int rowHeight)
{
    return qMax(10, qMin(20, rowHeight - 8));
}

} // namespace

FormDelegate::FormDelegate(int formColumn, QObject* parent)
    : ListDelegate(parent), m_column(formColumn)
{
}

QColor FormDelegate::colourOf(QChar result)
{
    if (result == QLatin1Char('V'))
        return QColor(40, 150, 60);
    if (result == QLatin1Char('N'))
        return QColor(128, 128, 128);
    return QColor(200, 50, 45);
}

int FormDelegate::widthFor(int count, int rowHeight)
{
    return 2 * kInset + count * (markSize(rowHeight) + kGap);
}

void FormDelegate::paint(QPainter* p, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const
{
    if (index.column() != m_column) {
        ListDelegate::paint(p, option, index);
        return;
    }
    p->save();
    const QPalette::ColorGroup group =
        option.state & QStyle::State_Active ? QPalette::Active : QPalette::Inactive;
    const QVariant back = index.data(Qt::BackgroundRole);
    if (option.state & QStyle::State_Selected)
        p->fillRect(option.rect, option.palette.brush(group, QPalette::Highlight));
    else
        p->fillRect(option.rect,
                    back.isValid() ? back.value<QColor>() : option.palette.base().color());

    const QString letters = index.data(Qt::DisplayRole).toString();
    const int size = markSize(option.rect.height());
    QFont bold = option.font;
    bold.setBold(true);
    bold.setPixelSize(qMax(8, size * 2 / 3));
    p->setFont(bold);
    p->setRenderHint(QPainter::Antialiasing);
    p->setClipRect(option.rect);
    QRect mark(option.rect.left() + kInset, option.rect.top() + (option.rect.height() - size) / 2,
               size, size);
    for (QChar c : letters) {
        p->setPen(Qt::NoPen);
        p->setBrush(colourOf(c));
        p->drawRoundedRect(mark, 3, 3);
        p->setPen(Qt::white);
        p->drawText(mark, Qt::AlignCenter, QString(c));
        mark.translate(size + kGap, 0);
    }
    p->restore();
}
