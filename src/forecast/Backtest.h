#pragma once

#include "forecast/MatchModel.h"

#include <array>
#include <vector>

namespace forecast {

// The scores of forecasts against what happened, for a home win, a draw and an away win.
struct Scores
{
    int matches = 0;
    double rps = 0.0;     // ranked probability score, mean (lower is better)
    double logLoss = 0.0; // mean of -ln(probability of the outcome)
    double brier = 0.0;   // mean of the squared errors over the three outcomes
};

// Forecasts of one tenth of probability (0-10 %, 10-20 %…): how many, their mean, and how
// often the outcome came.
struct CalibrationBin
{
    int count = 0;
    double predicted = 0.0;
    double observed = 0.0;
};

struct BacktestReport
{
    Scores model;
    Scores naive; // the competition's own home, draw and away frequencies so far
    std::array<CalibrationBin, 10> calibration{};
    int firstMatchday = 0, lastMatchday = 0;
};

// 0 home win, 1 draw, 2 away win.
int outcomeOf(int homeGoals, int awayGoals);
// The ranked probability score of one forecast.
double rankedProbabilityScore(const std::array<double, 3>& p, int outcome);

// Forecasts every result of matchday `from` or later from the matchdays before it, as they
// would have been made then, and scores them.
BacktestReport backtest(const std::vector<QString>& teams,
                        const std::vector<store::MatchRow>& results, int from,
                        const FitOptions& options = {}, const PreviousSeason* previous = nullptr);

} // namespace forecast
