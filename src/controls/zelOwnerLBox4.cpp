#include "controls/zelOwnerLBox4.h"

#include <QHeaderView>

zelOwnerLBox4::zelOwnerLBox4(QWidget* parent)
    : zelOwnerLBox(false, parent), m_model(new MatchListModel(this))
{
    hwnd()->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setListModel(m_model);
    setFixedRows();
    layoutColumns(width());
}

void zelOwnerLBox4::setItems(std::vector<store::MatchRow> items,
                             std::vector<store::Fixture> fixtures)
{
    m_model->setItems(std::move(items), std::move(fixtures));
    setFixedRows();
}

int zelOwnerLBox4::HitTest(int y) const
{
    return hwnd()->rowAt(y);
}

void zelOwnerLBox4::layoutColumns(int width)
{
    // The two teams share what the matchday, the crests and the scores leave; the scores
    // stand 10 pixels apart in the middle.
    const int teamWidth = qMax(0, (width - 32) / 2 - 60);
    const int widths[] = {22, teamWidth + 2, 26, 32, 42, 26, teamWidth + 2};
    QHeaderView* h = hwnd()->horizontalHeader();
    for (int c = 0; c < MatchListModel::ColumnCount; ++c)
        h->resizeSection(c, widths[c]);
}
