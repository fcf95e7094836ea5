#pragma once

#include "forecast/MatchModel.h"

#include <QString>

// How forecasts read in the lists: probabilities as French percentages on screen ("45,7 %")
// and as decimals with a point in files ("0.4567").
namespace ForecastCells {

QString percent(double p);
QString exported(double p);
// Expected goals, "1,62" on screen.
QString goals(double expected);
QString likelyScore(const forecast::MatchProbabilities& m);
// The whole forecast of a match in a sentence, for a tooltip or a screen reader.
QString sentence(const QString& home, const QString& away, const forecast::MatchProbabilities& m);
// "1 45 % · N 27 % · 2 28 %": the three outcomes in a line.
QString shortLine(const forecast::MatchProbabilities& m);

} // namespace ForecastCells
