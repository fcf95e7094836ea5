#include "controls/zelOwnerLBox2.h"

#include "controls/zelHeader.h"
#include "controls/zelOwnerLBox1.h"

namespace {
constexpr int kFixedWidth = 330 + 24; // every column but "Equipe"
}

zelOwnerLBox2::zelOwnerLBox2(QWidget* parent)
    : zelOwnerLBox(true, parent), m_model(new RankingHistoryModel(this))
{
    zelHeader* h = header();
    h->AddColumn(QStringLiteral("Jo"), 40, 0);
    h->AddColumn(QStringLiteral("Pl"), 30, 0);
    h->AddColumn(QString(), 24, 2);
    h->AddColumn(QStringLiteral("Equipe"), 100, 0);
    addRecordColumns();
    setListModel(m_model);
    setFixedRows();
}

void zelOwnerLBox2::layoutColumns(int width)
{
    header()->setColumnWidth(3, qMax(60, width - kFixedWidth));
}

void zelOwnerLBox2::setItems(std::vector<HistoryEntry> items)
{
    setItems(std::move(items), currentPoints());
}

void zelOwnerLBox2::setItems(std::vector<HistoryEntry> items, const cResult::Points& points)
{
    m_model->setItems(std::move(items), points);
    setFixedRows();
}
