#pragma once

#include "ranking/mRank.h"

#include <QChartView>
#include <QList>
#include <vector>

class EvolutionModel;
class QLineSeries;
class TeamChoiceModel;

// The places (or the points) of some teams after each matchday, one coloured line per team,
// as the ranking history gives them. Hovering a point tells its team, matchday, place and
// points for as long as the pointer stays on it. The same values as a table are model().
class EvolutionChart : public QChartView
{
    Q_OBJECT
public:
    struct Line
    {
        int team = 0; // row in the list of teams to choose from: the line's colour
        QString name;
        std::vector<HistoryEntry> history; // oldest first
    };

    explicit EvolutionChart(QWidget* parent = nullptr);

    // Draws the teams ticked in choice over the given results; the ranking reads teams, the
    // competition's own list.
    void draw(const std::vector<store::MatchRow>& results, const std::vector<store::Team>& teams,
              const RankingRules& rules, RankingKind kind, const TeamChoiceModel& choice,
              bool cumulativePoints);

    const std::vector<Line>& lines() const { return m_lines; }
    QList<QLineSeries*> series() const;
    bool showsPoints() const { return m_showsPoints; }
    int teamCount() const { return m_teamCount; }
    const EvolutionModel* model() const { return m_model; }
    // The chart drawn at scale times its size on screen, for a printed page.
    QImage picture(qreal scale);

    // "J12 : 3e, 24 pts".
    static QString pointText(int journee, int place, int points);
    // "Chelsea FC – J12 : 3e, 24 pts" for the line's point nearest to the matchday at x.
    QString textNear(int line, double x) const;
    // What the hovered point's tip says; empty when no point is hovered.
    const QString& tip() const { return m_tip; }

protected:
    bool viewportEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void hover(int line, const QPointF& at, bool on);
    void showTip(const QPoint& global, double x);

    std::vector<Line> m_lines;
    cResult::Points m_points;
    bool m_showsPoints = false;
    int m_teamCount = 0;
    EvolutionModel* m_model;
    int m_hovered = -1;
    QString m_tip;
};
