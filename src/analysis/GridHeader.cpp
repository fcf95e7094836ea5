#include "analysis/GridHeader.h"

#include <QPainter>

namespace {
constexpr int kCrest = 20;
constexpr int kPadding = 4;
} // namespace

GridHeader::GridHeader(int rotatedFrom, QWidget* parent)
    : QHeaderView(Qt::Horizontal, parent), m_rotatedFrom(rotatedFrom)
{
    setDefaultAlignment(Qt::AlignLeft | Qt::AlignBottom);
}

void GridHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const
{
    if (logicalIndex < m_rotatedFrom || !model()) {
        QHeaderView::paintSection(painter, rect, logicalIndex);
        return;
    }
    QStyleOptionHeader opt;
    initStyleOption(&opt);
    opt.rect = rect;
    opt.section = logicalIndex;
    opt.position = QStyleOptionHeader::Middle;
    style()->drawControl(QStyle::CE_HeaderSection, &opt, painter, this);

    painter->save();
    painter->setClipRect(rect);
    int bottom = rect.bottom() - kPadding;
    const QPixmap crest =
        model()->headerData(logicalIndex, Qt::Horizontal, Qt::DecorationRole).value<QPixmap>();
    if (!crest.isNull()) {
        const QPixmap shown =
            crest.scaled(kCrest, kCrest, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        painter->drawPixmap(rect.left() + (rect.width() - shown.width()) / 2,
                            bottom - shown.height() + 1, shown);
        bottom -= kCrest + kPadding;
    }
    const QString name =
        model()->headerData(logicalIndex, Qt::Horizontal, Qt::DisplayRole).toString();
    const QFontMetrics fm(font());
    const QString shown = fm.elidedText(name, Qt::ElideRight, bottom - rect.top() - kPadding);
    painter->setPen(palette().color(QPalette::ButtonText));
    painter->translate(rect.left() + (rect.width() + fm.ascent() - fm.descent()) / 2, bottom);
    painter->rotate(-90);
    painter->drawText(0, 0, shown);
    painter->restore();
}

QSize GridHeader::sectionSizeFromContents(int logicalIndex) const
{
    if (logicalIndex < m_rotatedFrom || !model())
        return QHeaderView::sectionSizeFromContents(logicalIndex);
    const QFontMetrics fm(font());
    const QString name =
        model()->headerData(logicalIndex, Qt::Horizontal, Qt::DisplayRole).toString();
    const int height = fm.horizontalAdvance(name) + kCrest + 3 * kPadding;
    return QSize(qMax(fm.height(), kCrest) + 2 * kPadding, qMin(height, kMaxHeight));
}
