#include "controls/zelOwnerLBox3.h"

#include "controls/mDrawEdge.h"
#include "controls/zelHeader.h"

#include <QEvent>
#include <QLocale>
#include <QPainter>

namespace {
constexpr int kDescription = 1;
constexpr int kMinTextHeight = 18;
} // namespace

zelOwnerLBox3::zelOwnerLBox3(QWidget* parent) : zelOwnerLBox(true, parent)
{
    zelHeader* h = header();
    h->AddColumn(QStringLiteral("Date"), 100, 0);
    h->AddColumn(QStringLiteral("Description"), 300, 0);
    h->AddColumn(QStringLiteral("Mise"), 100, 0);
    h->AddColumn(QStringLiteral("Statut"), 24, 2);
    h->AddColumn(QStringLiteral("Gain"), 100, 2);
    setFixedRows(0);
}

int zelOwnerLBox3::rowHeightFor(const store::BetRow& bet) const
{
    const int width = qMax(1, header()->sectionSize(kDescription) - 2 * m_padding);
    const QRect text = QFontMetrics(font()).boundingRect(QRect(0, 0, width, 100000),
                                                         Qt::TextWordWrap, bet.description);
    int height = qMax(kMinTextHeight, text.height());
    if (m_separatorStyle != 0)
        height += EdgeHeight;
    return height + 2 * m_padding;
}

void zelOwnerLBox3::setItems(std::vector<store::BetRow> items)
{
    m_items = std::move(items);
    relayout();
}

void zelOwnerLBox3::Clear()
{
    setItems({});
}

void zelOwnerLBox3::relayout()
{
    std::vector<int> heights;
    heights.reserve(m_items.size());
    for (const store::BetRow& bet : m_items)
        heights.push_back(rowHeightFor(bet));
    setVariableRows(std::move(heights));
}

void zelOwnerLBox3::setPadding(int pixels)
{
    m_padding = qMax(0, pixels);
    relayout();
}

void zelOwnerLBox3::setSeparatorStyle(int style)
{
    m_separatorStyle = style;
    relayout();
}

void zelOwnerLBox3::setSeparatorPadding(int pixels)
{
    m_separatorPadding = qMax(0, pixels);
    relayout();
}

void zelOwnerLBox3::setBetweenItem(int value)
{
    m_betweenItem = value;
    relayout();
}

void zelOwnerLBox3::changeEvent(QEvent* event)
{
    zelOwnerLBox::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        relayout();
}

QPixmap zelOwnerLBox3::statusPicture(int statut)
{
    static QPixmap pictures[3];
    if (statut < 0 || statut > 2)
        return {};
    QPixmap& pm = pictures[statut];
    if (!pm.isNull())
        return pm;
    pm = QPixmap(24, 24);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor colours[] = {QColor(40, 100, 200), QColor(30, 150, 60), QColor(200, 40, 40)};
    p.setPen(QPen(colours[statut].darker(130), 1.5));
    p.setBrush(colours[statut]);
    p.drawEllipse(QRectF(2.5, 2.5, 19, 19));
    p.setPen(QPen(Qt::white, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    if (statut == 0) { // the hands of a clock
        p.drawLine(QPointF(12, 12), QPointF(12, 7));
        p.drawLine(QPointF(12, 12), QPointF(16, 14));
    } else if (statut == 1) { // a tick
        p.drawPolyline(QPolygonF({QPointF(7.5, 12.5), QPointF(10.5, 15.5), QPointF(16.5, 8.5)}));
    } else { // a cross
        p.drawLine(QPointF(8.5, 8.5), QPointF(15.5, 15.5));
        p.drawLine(QPointF(15.5, 8.5), QPointF(8.5, 15.5));
    }
    return pm;
}

void zelOwnerLBox3::drawRow(QPainter& p, int row, const QRect& rect,
                            const OwnerDrawList::RowState& state)
{
    const store::BetRow& bet = m_items.at(size_t(row));
    QRect area = rect;
    if (m_separatorStyle != 0) {
        // The bottom band holds the separator and belongs to no cell.
        const QRect band(rect.left(), rect.bottom() - EdgeHeight + 1, rect.width(), EdgeHeight);
        p.fillRect(band, colour(BackColor()));
        const QRect line = band.adjusted(m_separatorPadding, 0, -m_separatorPadding, 0);
        if (m_separatorStyle == 1)
            p.fillRect(line.adjusted(0, 0, 0, -1), palette().mid());
        else
            mDrawEdge::DrawEdge(p, line, mDrawEdge::Etched, mDrawEdge::Top, palette());
        area.setBottom(band.top() - 1);
    }
    if (state.selected) {
        p.fillRect(area, palette().highlight());
        p.setPen(palette().highlightedText().color());
    } else {
        p.fillRect(area, colour(BackColor()));
        p.setPen(colour(ForeColor()));
    }
    const auto inCell = [&](int column) {
        QRect c = cell(area, column, 0);
        return c.adjusted(m_padding, m_padding, -m_padding, -m_padding);
    };
    const QLocale locale;
    drawText(p, inCell(0), bet.date.toString(QStringLiteral("dd/MM/yyyy")), Qt::AlignLeft);
    const QRect description = inCell(kDescription);
    p.drawText(description, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, bet.description);
    drawText(p, inCell(2), store::formatAmount(bet.pari, locale.decimalPoint().at(0)),
             Qt::AlignLeft);
    const QRect status = inCell(3);
    const QPixmap picture = statusPicture(bet.statut);
    if (!picture.isNull())
        p.drawPixmap(status.left() + (status.width() - 24) / 2,
                     status.top() + (status.height() - 24) / 2, picture);
    drawText(p, inCell(4), store::formatAmount(bet.gain, locale.decimalPoint().at(0)),
             Qt::AlignHCenter);
    drawFocus(p, area, state);
}
