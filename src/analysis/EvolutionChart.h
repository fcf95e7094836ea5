#pragma once

#include "standings/mRank.h"

#include <QChartView>
#include <QList>
#include <vector>

class QLineSeries;

// The places (or the points) of some teams after each matchday, one coloured line per team,
// as the ranking history gives them. Hovering a point tells its matchday, place and points.
class EvolutionChart : public QChartView
{
    Q_OBJECT
public:
    struct Line
    {
        int team = 0; // in the team list
        QString name;
        std::vector<HistoryEntry> history; // oldest first
    };

    explicit EvolutionChart(QWidget* parent = nullptr);

    // Draws the chosen teams (indexes in teams) over the given results.
    void draw(const std::vector<store::MatchRow>& results, const std::vector<store::Team>& teams,
              const RankingRules& rules, RankingKind kind, const QList<int>& chosen,
              bool cumulativePoints);

    const std::vector<Line>& lines() const { return m_lines; }
    QList<QLineSeries*> series() const;
    bool showsPoints() const { return m_showsPoints; }
    int teamCount() const { return m_teamCount; }

    // "J12 : 3e, 24 pts".
    static QString pointText(int journee, int place, int points);
    // The text of the line's point nearest to the matchday at x.
    QString textNear(int line, double x) const;

private:
    std::vector<Line> m_lines;
    cResult::Points m_points;
    bool m_showsPoints = false;
    int m_teamCount = 0;
};
