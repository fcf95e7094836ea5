#include "controls/ListDelegate.h"

#include "controls/mDrawEdge.h"
#include "models/ListModel.h"

#include <QFontMetrics>
#include <QPainter>
#include <cmath>

namespace {
// Enough for every name and number of the largest league at a few widths.
constexpr qsizetype kMaxLines = 4096;
// The width of the coloured strip at the start of a row.
constexpr int kStripWidth = 6;
} // namespace

const QStaticText& ListDelegate::line(const QString& text, int width, const QFont& font) const
{
    // A list mostly uses one font, and another for a few rows (the fixtures in italics).
    if (font != m_linesFont) {
        std::swap(m_lines, m_otherLines);
        std::swap(m_linesFont, m_otherFont);
    }
    if (font != m_linesFont || m_lines.size() > kMaxLines) {
        m_lines.clear();
        m_linesFont = font;
    }
    const std::pair<QString, int> key{text, width};
    auto it = m_lines.find(key);
    if (it == m_lines.end()) {
        QString single = text;
        single.replace(QLatin1Char('\n'), QLatin1Char(' '))
            .replace(QLatin1Char('\r'), QLatin1Char(' '));
        QStaticText laid(QFontMetrics(font).elidedText(single, Qt::ElideRight, width));
        laid.setTextFormat(Qt::PlainText);
        laid.prepare(QTransform(), font);
        it = m_lines.insert(key, laid);
    }
    return *it;
}

void ListDelegate::paint(QPainter* p, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const
{
    p->save();
    QRect area = option.rect;
    const QPalette& palette = option.palette;
    const QVariant plainBack = index.data(Qt::BackgroundRole);
    if (separatorStyle != 0) {
        // The bottom band holds the separator and belongs to no cell.
        const QRect band(area.left(), area.bottom() - EdgeHeight + 1, area.width(), EdgeHeight);
        p->fillRect(band, plainBack.isValid() ? plainBack.value<QColor>() : palette.base().color());
        const QRect line = band.adjusted(separatorPadding, 0, -separatorPadding, 0);
        if (separatorStyle == 1)
            p->fillRect(line.adjusted(0, 0, 0, -1), palette.mid());
        else
            mDrawEdge::DrawEdge(*p, line, mDrawEdge::Etched, mDrawEdge::Top, palette);
        area.setBottom(band.top() - 1);
    }

    const bool selected = option.state & QStyle::State_Selected;
    const QPalette::ColorGroup group =
        option.state & QStyle::State_Active ? QPalette::Active : QPalette::Inactive;
    if (selected) {
        p->fillRect(area, palette.brush(group, QPalette::Highlight));
        p->setPen(palette.color(group, QPalette::HighlightedText));
    } else {
        p->fillRect(area, plainBack.isValid() ? plainBack.value<QColor>() : palette.base().color());
        const QVariant fore = index.data(Qt::ForegroundRole);
        p->setPen(fore.isValid() ? fore.value<QColor>() : palette.text().color());
    }
    if (const QVariant strip = index.data(ListModel::StripRole); strip.isValid()) {
        // A narrow bar on the left edge, on a selected row too; the text moves past it.
        const QColor colour = strip.value<QColor>();
        p->fillRect(QRect(area.left(), area.top(), kStripWidth, area.height()), colour);
        // Set apart from the highlight, which may be of a close colour.
        if (selected && colour.alpha() > 0)
            p->fillRect(QRect(area.left() + kStripWidth, area.top(), 1, area.height()),
                        palette.base());
        area.setLeft(area.left() + kStripWidth + 1);
    }
    if (index.data(ListModel::EdgeRole).toBool())
        mDrawEdge::DrawEdge(*p, QRect(area.right() - 1, area.top(), 2, area.height()),
                            mDrawEdge::Sunken, mDrawEdge::Left | mDrawEdge::Right, palette);

    const auto align = Qt::Alignment(index.data(Qt::TextAlignmentRole).toInt());
    const QString text = index.data(Qt::DisplayRole).toString();
    const QPixmap picture = index.data(Qt::DecorationRole).value<QPixmap>();
    QFont font = option.font;
    if (const QVariant own = index.data(Qt::FontRole); own.isValid())
        font = own.value<QFont>().resolve(option.font);
    p->setFont(font);
    if (!picture.isNull() && text.isEmpty()) {
        const int x = align & Qt::AlignHCenter ? area.left() + (area.width() - picture.width()) / 2
                                               : area.left() + 2;
        p->drawPixmap(x, area.top() + (area.height() - picture.height()) / 2, picture);
    } else if (index.data(ListModel::WrapRole).toBool()) {
        const QRect inner = area.adjusted(padding, padding, -padding, -padding);
        p->drawText(inner, int(Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap), text);
    } else {
        const int inset = separatorStyle != 0 ? padding : 2;
        const QRect inner = area.adjusted(inset, inset, -inset, -inset);
        if (inner.width() > 0 && !text.isEmpty()) {
            const QStaticText& shown = line(text, inner.width(), font);
            const QSizeF size = shown.size();
            double x = inner.left();
            if (align & Qt::AlignRight)
                x = inner.left() + inner.width() - size.width();
            else if (align & Qt::AlignHCenter)
                x = inner.left() + (inner.width() - size.width()) / 2;
            const double y = inner.top() + std::floor((inner.height() - size.height()) / 2);
            p->drawStaticText(QPointF(x, y), shown);
        }
    }
    p->restore();
}
