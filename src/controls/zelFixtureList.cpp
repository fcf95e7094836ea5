#include "controls/zelFixtureList.h"

#include "controls/zelHeader.h"

namespace {
constexpr int kMatchdayWidth = 64;
}

zelFixtureList::zelFixtureList(QWidget* parent)
    : zelOwnerLBox(true, parent), m_model(new FixtureListModel(this))
{
    zelHeader* h = header();
    h->AddColumn(QStringLiteral("Journée"), kMatchdayWidth, 0);
    h->AddColumn(QStringLiteral("Domicile"), 100, 0);
    h->AddColumn(QStringLiteral("Visiteur"), 100, 0);
    setListModel(m_model);
    setFixedRows();
}

void zelFixtureList::setItems(std::vector<store::Fixture> items)
{
    m_model->setItems(std::move(items));
    setFixedRows();
}

void zelFixtureList::layoutColumns(int width)
{
    const int team = qMax(60, (width - kMatchdayWidth) / 2);
    header()->setColumnWidth(1, team);
    header()->setColumnWidth(2, team);
}
