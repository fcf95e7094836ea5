#include "controls/zelOwnerLBox4.h"

#include <QPainter>

zelOwnerLBox4::zelOwnerLBox4(QWidget* parent) : zelOwnerLBox(false, parent)
{
    hwnd()->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFixedRows(0);
}

void zelOwnerLBox4::setItems(std::vector<store::MatchRow> items)
{
    m_items = std::move(items);
    setFixedRows(int(m_items.size()));
}

int zelOwnerLBox4::HitTest(int y) const
{
    return hwnd()->rowAt(y);
}

void zelOwnerLBox4::drawRow(QPainter& p, int row, const QRect& rect,
                            const OwnerDrawList::RowState& state)
{
    fillAlternating(p, row, rect, state);
    const store::MatchRow& m = m_items.at(size_t(row));
    const int teamWidth = qMax(0, (hwnd()->viewport()->width() - 32) / 2 - 60);
    int x = rect.left();
    // Each cell starts 2 pixels right of the previous one.
    const auto next = [&](int width) {
        const QRect c(x + 2, rect.top(), width, rect.height());
        x = c.right() + 1;
        return c;
    };
    drawText(p, next(20), QStringLiteral("J") + QString::number(m.journee), Qt::AlignLeft);
    drawText(p, next(teamWidth), m.domicile, Qt::AlignRight);
    drawCrest(p, next(24).left(), rect, m.domicile);
    drawText(p, next(30), QString::number(m.scoreDomicile), Qt::AlignRight);
    x += 10;
    drawText(p, next(30), QString::number(m.scoreVisiteur), Qt::AlignLeft);
    drawCrest(p, next(24).left(), rect, m.visiteur);
    drawText(p, next(teamWidth), m.visiteur, Qt::AlignLeft);
    drawFocus(p, rect, state);
}
