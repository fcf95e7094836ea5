#include "analysis/EvolutionChart.h"

#include "analysis/EvolutionModel.h"
#include "analysis/TeamChoiceModel.h"

#include <QApplication>
#include <QCategoryAxis>
#include <QChart>
#include <QClipboard>
#include <QCursor>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLegend>
#include <QLineSeries>
#include <QPainter>
#include <QToolTip>
#include <cmath>

namespace {

// Legends of more lines than this would leave no room for the chart.
constexpr int kMostInLegend = 16;
// A tip stays while the pointer stays on its point; an hour is only a bound.
constexpr int kTipTime = 60 * 60 * 1000;

// An interval between ticks that gives about ten of them over span.
int tickInterval(int span)
{
    const int step = qMax(1, (span + 9) / 10);
    for (int nice : {1, 2, 5, 10, 20, 25, 50, 100, 200, 500})
        if (nice >= step)
            return nice;
    return step;
}

// An axis from first to last labelled at both ends and at round values between them, none
// too close to an end; the margin past each end leaves room for a whole point there.
QCategoryAxis* axis(const QString& title, int first, int last, double margin, bool reversed)
{
    auto* a = new QCategoryAxis;
    a->setTitleText(title);
    a->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    a->setRange(first - margin, last + margin);
    a->setStartValue(first - margin);
    a->setReverse(reversed);
    const int step = tickInterval(last - first);
    a->append(QString::number(first), first);
    for (int v = int(std::floor(double(first) / step) + 1) * step; v < last; v += step)
        if (v - first > step / 2.0 && last - v > step / 2.0)
            a->append(QString::number(v), v);
    if (last > first)
        a->append(QString::number(last), last);
    return a;
}

} // namespace

EvolutionChart::EvolutionChart(QWidget* parent)
    : QChartView(parent), m_model(new EvolutionModel(this))
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
    return QStringLiteral("%1 – %2").arg(
        m_lines[size_t(line)].name,
        pointText(best->journee, best->record.Ranking, best->record.points(m_points)));
}

QImage EvolutionChart::picture(qreal scale)
{
    // The scene drawn anew at the larger size: its lines and texts stay sharp.
    const QRect shown = viewport()->rect();
    QImage image((QSizeF(shown.size()) * scale).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    render(&painter, QRectF(image.rect()), shown);
    return image;
}

void EvolutionChart::hover(int line, const QPointF& at, bool on)
{
    if (on) {
        m_hovered = line;
        showTip(QCursor::pos(), at.x());
    } else if (line == m_hovered) {
        m_hovered = -1;
        m_tip.clear();
        QToolTip::hideText();
    }
}

void EvolutionChart::showTip(const QPoint& global, double x)
{
    m_tip = textNear(m_hovered, x);
    QToolTip::showText(global, m_tip, viewport(), {}, kTipTime);
}

bool EvolutionChart::viewportEvent(QEvent* event)
{
    // The scene would answer the request for a tip by hiding every tip none of its items has.
    if (event->type() == QEvent::ToolTip && m_hovered >= 0) {
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), m_tip, viewport(), {},
                           kTipTime);
        return true;
    }
    return QChartView::viewportEvent(event);
}

void EvolutionChart::mouseMoveEvent(QMouseEvent* event)
{
    QChartView::mouseMoveEvent(event);
    const QList<QLineSeries*> lines = series();
    if (m_hovered < 0 || m_hovered >= lines.size())
        return;
    // Along the line, the tip follows the nearest point.
    const QPointF value = chart()->mapToValue(
        chart()->mapFromScene(mapToScene(event->position().toPoint())), lines[m_hovered]);
    if (textNear(m_hovered, value.x()) != m_tip)
        showTip(event->globalPosition().toPoint(), value.x());
}

void EvolutionChart::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy) && m_model->teamCount() > 0) {
        QApplication::clipboard()->setText(m_model->tabSeparated());
        return;
    }
    QChartView::keyPressEvent(event);
}

void EvolutionChart::draw(const std::vector<store::MatchRow>& results,
                          const std::vector<store::Team>& teams, const RankingRules& rules,
                          RankingKind kind, const TeamChoiceModel& choice, bool cumulativePoints)
{
    if (m_hovered >= 0)
        hover(m_hovered, {}, false);
    const cResult::Points& points = rules.points;
    m_points = points;
    m_showsPoints = cumulativePoints;
    m_teamCount = int(teams.size());
    m_lines.clear();
    QList<int> shown;
    QStringList names;
    for (int t : choice.ticked()) {
        shown << t;
        names << choice.team(t);
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
    int firstDay = 0, lastDay = 0, most = 0, least = 0;
    std::vector<std::vector<EvolutionModel::Point>> table(m_lines.size());
    for (size_t i = 0; i < m_lines.size(); ++i) {
        const Line& line = m_lines[i];
        QList<QPointF> values;
        values.reserve(qsizetype(line.history.size()));
        for (const HistoryEntry& e : line.history) {
            const int y = cumulativePoints ? e.record.points(points) : e.record.Ranking;
            values << QPointF(e.journee, y);
            table[i].push_back({e.journee, y});
            most = qMax(most, y);
            least = qMin(least, y);
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
        connect(series, &QLineSeries::hovered, this,
                [this, index](const QPointF& at, bool on) { hover(index, at, on); });
        chart->addSeries(series);
    }

    m_model->setLines(names, table);

    firstDay = qMax(1, firstDay);
    lastDay = qMax(firstDay, lastDay);
    QCategoryAxis* days = axis(QStringLiteral("Journée"), firstDay, lastDay, 0.5, false);
    most = qMax(least + 1, most);
    QCategoryAxis* values =
        cumulativePoints
            ? axis(QStringLiteral("Points"), least, most, qMax(0.5, (most - least) / 25.0), false)
            : axis(QStringLiteral("Place"), 1, qMax(2, m_teamCount), 0.5, true);
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
