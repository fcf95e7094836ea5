#include "controls/zelOwnerLBox1.h"

#include "controls/zelHeader.h"
#include "store/Competition.h"

#include <QPainter>

namespace {
constexpr int kFixedWidth = 290 + 24; // every column but "Equipe"
}

cResult::Points currentPoints()
{
    if (const store::Competition* c = store::CurrentCompetition::get())
        return competitionPoints(*c);
    return {};
}

zelOwnerLBox1::zelOwnerLBox1(QWidget* parent) : zelOwnerLBox(true, parent)
{
    zelHeader* h = header();
    h->AddColumn(QStringLiteral("Pl"), 30, 0);
    h->AddColumn(QString(), 24, 2);
    h->AddColumn(QStringLiteral("Equipe"), 100, 0);
    addRecordColumns();
    setFixedRows(0);
}

void zelOwnerLBox1::layoutColumns(int width)
{
    header()->setColumnWidth(2, qMax(60, width - kFixedWidth));
}

void zelOwnerLBox1::setItems(RankingCollection items)
{
    setItems(std::move(items), currentPoints());
}

void zelOwnerLBox1::setItems(RankingCollection items, const cResult::Points& points)
{
    m_items = std::move(items);
    m_points = points;
    setFixedRows(m_items.Count());
}

void zelOwnerLBox1::drawRow(QPainter& p, int row, const QRect& rect,
                            const OwnerDrawList::RowState& state)
{
    fillAlternating(p, row, rect, state);
    const cResult& r = m_items.Item(row + 1);
    drawText(p, cell(rect, 0), QString::number(r.Ranking), Qt::AlignLeft);
    drawCrest(p, cell(rect, 1, 0).left() + 2, rect, r.TeamName);
    drawText(p, cell(rect, 2), r.TeamName, Qt::AlignLeft);
    drawRecordCells(p, rect, 3, r, m_points);
    drawFocus(p, rect, state);
}
