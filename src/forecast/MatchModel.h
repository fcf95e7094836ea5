#pragma once

#include "store/Results.h"

#include <QString>
#include <vector>

// Forecasts of football matches from the results before them: each team has an attack and a
// defence strength, the home side an advantage, and each side's goals follow a Poisson law
// whose mean is exp(base + home + attack of the side + defence of the other), with the
// Dixon-Coles correction of the four lowest scores. The strengths are fitted by maximum
// likelihood, with a prior that pulls every team toward the average, so that early forecasts
// stay sane; the previous season's results count for less. The same results always give the
// same fit.
namespace forecast {

struct FitOptions
{
    // Weight of a result played d matchdays before the one forecast: exp(-decay × d). Measured
    // on real seasons against the bookmakers' closing odds, every match of the season counting
    // the same forecast best: strengths change little within a season.
    double decay = 0.0;
    // How firmly the spread of strengths is held toward a typical league's, in teams' worth:
    // the spread itself is learned from the results.
    double prior = 10.0;
    // The previous season's results count this much, on top of their age: a quarter, measured
    // like the decay, as teams change over a summer.
    double previousWeight = 0.25;
    // With a previous season, a team new to the league starts this much below the average, in
    // attack and in defence, as promoted teams do.
    double promotedGap = 0.15;
};

// The league's previous season, to seed the strengths of the teams found in both.
struct PreviousSeason
{
    std::vector<store::MatchRow> results;
    int matchdays = 0; // its number of matchdays
};

struct Strengths
{
    double base = 0.0;
    double home = 0.0;
    double rho = 0.0; // Dixon-Coles: below 0, more 0-0 and 1-1 than two Poisson laws give
    std::vector<double> attack, defence;
};

struct MatchProbabilities
{
    double home = 0.0, draw = 0.0, away = 0.0; // sum to 1
    double homeGoals = 0.0, awayGoals = 0.0;   // expected
    int likelyHome = 0, likelyAway = 0;        // the most likely score
};

class MatchModel
{
public:
    // Learns from the results of matchdays before `matchday` only: what was played on it or
    // after never changes its forecasts. teams: the competition's names; a result of another
    // name is ignored.
    // With previous, its results come before this season's first matchday, older and
    // discounted; its teams are matched to these by name, ignoring case.
    static MatchModel fit(const std::vector<QString>& teams,
                          const std::vector<store::MatchRow>& results, int matchday,
                          const FitOptions& options = {}, const PreviousSeason* previous = nullptr);

    MatchProbabilities predict(int home, int away) const;
    // The probability of each score x-y up to kMaxGoals each, at [x * (kMaxGoals + 1) + y],
    // summing to 1; the expected goals in homeGoals and awayGoals.
    static constexpr int kMaxGoals = 10;
    void scores(int home, int away, std::vector<double>& matrix, double& homeGoals,
                double& awayGoals) const;
    MatchProbabilities predict(const QString& home, const QString& away) const;
    int teamIndex(const QString& name) const;
    const Strengths& strengths() const { return m_strengths; }
    int learnedFrom() const { return m_learned; } // results used

private:
    std::vector<QString> m_teams;
    Strengths m_strengths;
    int m_learned = 0;
};

} // namespace forecast
