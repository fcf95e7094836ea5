#include "analysis/EvolutionChart.h"

#include "analysis/TeamChoiceModel.h"

#include <QChart>
#include <QCursor>
#include <QLegend>
#include <QLineSeries>
#include <QToolTip>
#include <QValueAxis>
#include <cmath>

namespace {

// Legends of more lines than this would leave no room for the chart.
constexpr int kMostInLegend = 16;

// An interval between ticks that gives about ten of them over span.
int tickInterval(int span)
{
    const int step = qMax(1, (span + 9) / 10);
    for (int nice : {1, 2, 5, 10, 20, 25, 50, 100, 200, 500})
        if (nice >= step)
            return nice;
    return step;
}

QValueAxis* axis(const QString& title, double from, double to, double anchor, bool reversed)
{
    auto* a = new QValueAxis;
    a->setTitleText(title);
    a->setLabelFormat(QStringLiteral("%d"));
    a->setRange(from, to);
    a->setReverse(reversed);
    a->setTickType(QValueAxis::TicksDynamic);
    a->setTickAnchor(anchor);
    a->setTickInterval(tickInterval(int(to - from)));
    return a;
}

} // namespace

EvolutionChart::EvolutionChart(QWidget* parent) : QChartView(parent)
{
    setObjectName(QStringLiteral("chtEvolution"));
    setRenderHint(QPainter::Antialiasing);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QStringLiteral("Graphique de l'évolution"));
    viewport()->setAccessibleName(accessibleName());
    setMinimumSize(320, 220);
    chart()->legend()->hide();
}

QString EvolutionChart::pointText(int journee, int place, int points)
{
    return QStringLiteral("J%1 : %2%3, %4 pts")
        .arg(journee)
        .arg(place)
        .arg(place == 1 ? QStringLiteral("er") : QStringLiteral("e"))
        .arg(points);
}

QList<QLineSeries*> EvolutionChart::series() const
{
    QList<QLineSeries*> out;
    for (QAbstractSeries* s : chart()->series())
        if (auto* line = qobject_cast<QLineSeries*>(s))
            out << line;
    return out;
}

QString EvolutionChart::textNear(int line, double x) const
{
    if (line < 0 || line >= int(m_lines.size()) || m_lines[size_t(line)].history.empty())
        return {};
    const std::vector<HistoryEntry>& h = m_lines[size_t(line)].history;
    const HistoryEntry* best = &h.front();
    for (const HistoryEntry& e : h)
        if (std::abs(e.journee - x) < std::abs(best->journee - x))
            best = &e;
    return pointText(best->journee, best->record.Ranking, best->record.points(m_points));
}

void EvolutionChart::draw(const std::vector<store::MatchRow>& results,
                          const std::vector<store::Team>& teams, const RankingRules& rules,
                          RankingKind kind, const QList<int>& chosen, bool cumulativePoints)
{
    const cResult::Points& points = rules.points;
    m_points = points;
    m_showsPoints = cumulativePoints;
    m_teamCount = int(teams.size());
    m_lines.clear();
    QList<int> shown;
    QStringList names;
    for (int t : chosen)
        if (t >= 0 && t < int(teams.size())) {
            shown << t;
            names << teams[size_t(t)].nom;
        }
    std::vector<std::vector<HistoryEntry>> histories =
        RankingHistories(results, kind, teams, rules, names);
    m_lines.reserve(histories.size());
    for (qsizetype i = 0; i < shown.size(); ++i) {
        Line line{shown[i], names[i], std::move(histories[size_t(i)])};
        std::reverse(line.history.begin(), line.history.end());
        m_lines.push_back(std::move(line));
    }

    // A new chart is filled before it is shown: the one shown is not laid out again for
    // every line added.
    auto* chart = new QChart;
    chart->setMargins(QMargins(4, 4, 4, 4));
    int firstDay = 0, lastDay = 0, most = 0;
    for (size_t i = 0; i < m_lines.size(); ++i) {
        const Line& line = m_lines[i];
        QList<QPointF> values;
        values.reserve(qsizetype(line.history.size()));
        for (const HistoryEntry& e : line.history) {
            const int y = cumulativePoints ? e.record.points(points) : e.record.Ranking;
            values << QPointF(e.journee, y);
            most = qMax(most, y);
            firstDay = firstDay == 0 ? e.journee : qMin(firstDay, e.journee);
            lastDay = qMax(lastDay, e.journee);
        }
        auto* series = new QLineSeries(chart);
        series->setName(line.name);
        QPen pen(TeamChoiceModel::colourOf(line.team), 2);
        series->setPen(pen);
        series->setPointsVisible(line.history.size() <= 60);
        series->replace(values);
        const int index = int(i);
        connect(series, &QLineSeries::hovered, this, [this, index](const QPointF& at, bool on) {
            if (on)
                QToolTip::showText(QCursor::pos(), textNear(index, at.x()), this);
            else
                QToolTip::hideText();
        });
        chart->addSeries(series);
    }

    firstDay = qMax(1, firstDay);
    lastDay = qMax(firstDay + 1, lastDay);
    QValueAxis* days = axis(QStringLiteral("Journée"), firstDay, lastDay, firstDay, false);
    QValueAxis* values = cumulativePoints
                             ? axis(QStringLiteral("Points"), 0, qMax(1, most), 0, false)
                             : axis(QStringLiteral("Place"), 1, qMax(2, m_teamCount), 1, true);
    chart->addAxis(days, Qt::AlignBottom);
    chart->addAxis(values, Qt::AlignLeft);
    for (QAbstractSeries* s : chart->series()) {
        s->attachAxis(days);
        s->attachAxis(values);
    }
    chart->legend()->setVisible(!m_lines.empty() && m_lines.size() <= size_t(kMostInLegend));
    chart->legend()->setAlignment(Qt::AlignRight);

    QStringList summary;
    for (const Line& line : m_lines)
        if (!line.history.empty())
            summary << QStringLiteral("%1 : %2").arg(
                line.name,
                pointText(line.history.back().journee, line.history.back().record.Ranking,
                          line.history.back().record.points(points)));
    setAccessibleDescription(summary.join(QStringLiteral(" ; ")));
    QChart* old = this->chart();
    setChart(chart);
    delete old;
}
