#include "controls/zelOwnerLBox2.h"

#include "controls/mDrawEdge.h"
#include "controls/zelHeader.h"
#include "controls/zelOwnerLBox1.h"

#include <QPainter>

namespace {
constexpr int kFixedWidth = 330 + 24; // every column but "Equipe"
}

zelOwnerLBox2::zelOwnerLBox2(QWidget* parent) : zelOwnerLBox(true, parent)
{
    zelHeader* h = header();
    h->AddColumn(QStringLiteral("Jo"), 40, 0);
    h->AddColumn(QStringLiteral("Pl"), 30, 0);
    h->AddColumn(QString(), 24, 2);
    h->AddColumn(QStringLiteral("Equipe"), 100, 0);
    addRecordColumns();
    setFixedRows(0);
}

void zelOwnerLBox2::layoutColumns(int width)
{
    header()->setColumnWidth(3, qMax(60, width - kFixedWidth));
}

void zelOwnerLBox2::setTeam(const QString& team)
{
    m_team = team;
    hwnd()->viewport()->update();
}

void zelOwnerLBox2::setItems(std::vector<HistoryEntry> items)
{
    setItems(std::move(items), currentPoints());
}

void zelOwnerLBox2::setItems(std::vector<HistoryEntry> items, const cResult::Points& points)
{
    m_items = std::move(items);
    m_points = points;
    setFixedRows(int(m_items.size()));
}

void zelOwnerLBox2::drawRow(QPainter& p, int row, const QRect& rect,
                            const OwnerDrawList::RowState& state)
{
    fillAlternating(p, row, rect, state);
    const HistoryEntry& h = m_items.at(size_t(row));
    for (int column : {0, 1}) {
        const QRect edge = cell(rect, column, 0);
        mDrawEdge::DrawEdge(p, QRect(edge.right() - 1, edge.top(), 2, edge.height()),
                            mDrawEdge::Sunken, mDrawEdge::Left | mDrawEdge::Right, palette());
    }
    drawText(p, cell(rect, 0), QStringLiteral("J") + QString::number(h.journee), Qt::AlignLeft);
    drawText(p, cell(rect, 1), QString::number(h.record.Ranking), Qt::AlignLeft);
    drawCrest(p, cell(rect, 2, 0).left() + 2, rect, m_team);
    drawText(p, cell(rect, 3), m_team, Qt::AlignLeft);
    drawRecordCells(p, rect, 4, h.record, m_points);
    drawFocus(p, rect, state);
}
