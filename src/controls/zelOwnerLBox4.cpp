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
                             std::vector<store::Fixture> fixtures,
                             std::vector<forecast::MatchProbabilities> forecasts)
{
    m_model->setItems(std::move(items), std::move(fixtures), std::move(forecasts));
    setFixedRows();
    relayoutColumns();
}

int zelOwnerLBox4::HitTest(int y) const
{
    return hwnd()->rowAt(y);
}

void zelOwnerLBox4::layoutColumns(int width)
{
    // The two teams share what the matchday, the crests, the scores and the forecasts leave;
    // the scores stand 10 pixels apart in the middle.
    const int forecastWidth = m_model->hasForecasts()
                                  ? hwnd()->fontMetrics().horizontalAdvance(
                                        QStringLiteral("1 100 % · N 100 % · 2 100 %")) +
                                        8
                                  : 0;
    const int teamWidth = qMax(0, (width - forecastWidth - 32) / 2 - 60);
    const int widths[] = {22, teamWidth + 2, 26, 32, 42, 26, teamWidth + 2, forecastWidth};
    QHeaderView* h = hwnd()->horizontalHeader();
    for (int c = 0; c < m_model->columnCount(); ++c)
        h->resizeSection(c, widths[c]);
}
