#include "controls/zelOwnerLBox1.h"

#include "controls/ListView.h"
#include "controls/zelHeader.h"
#include "store/Competition.h"

namespace {
constexpr int kFixedWidth = 290 + 24; // every column but "Equipe"
}

cResult::Points currentPoints()
{
    if (const store::Competition* c = store::CurrentCompetition::get())
        return competitionPoints(*c);
    return {};
}

zelOwnerLBox1::zelOwnerLBox1(QWidget* parent)
    : zelOwnerLBox(true, parent), m_model(new StandingsModel(this))
{
    zelHeader* h = header();
    h->AddColumn(QStringLiteral("Pl"), 30, 0);
    h->AddColumn(QString(), 24, 2);
    h->AddColumn(QStringLiteral("Equipe"), 100, 0);
    addRecordColumns();
    setListModel(m_model);
    setFixedRows();
}

void zelOwnerLBox1::layoutColumns(int width)
{
    header()->setColumnWidth(2, qMax(60, width - kFixedWidth));
}

void zelOwnerLBox1::setItems(RankingCollection items)
{
    setItems(std::move(items), currentPoints());
}

void zelOwnerLBox1::setItems(RankingCollection items, const cResult::Points& points,
                             std::vector<store::Zone> zones)
{
    m_model->setItems(std::move(items), points, std::move(zones));
    // The points deducted are in the points' tooltip here, the zones in the strips and the
    // tooltips; their columns are for copies and prints.
    for (int c = header()->ColumnCount(); c < m_model->columnCount(); ++c)
        hwnd()->setColumnHidden(c, true);
    setFixedRows();
}
