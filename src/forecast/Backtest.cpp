#include "forecast/Backtest.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace forecast {

namespace {

void add(Scores& s, const std::array<double, 3>& p, int outcome)
{
    ++s.matches;
    s.rps += rankedProbabilityScore(p, outcome);
    s.logLoss -= std::log(std::max(p[size_t(outcome)], 1e-15));
    for (int k = 0; k < 3; ++k) {
        const double e = p[size_t(k)] - (k == outcome ? 1.0 : 0.0);
        s.brier += e * e;
    }
}

void average(Scores& s)
{
    if (s.matches == 0)
        return;
    s.rps /= s.matches;
    s.logLoss /= s.matches;
    s.brier /= s.matches;
}

} // namespace

int outcomeOf(int homeGoals, int awayGoals)
{
    return homeGoals > awayGoals ? 0 : homeGoals == awayGoals ? 1 : 2;
}

double rankedProbabilityScore(const std::array<double, 3>& p, int outcome)
{
    const double c1 = p[0] - (outcome == 0 ? 1.0 : 0.0);
    const double c2 = p[0] + p[1] - (outcome <= 1 ? 1.0 : 0.0);
    return (c1 * c1 + c2 * c2) / 2.0;
}

BacktestReport backtest(const std::vector<QString>& teams,
                        const std::vector<store::MatchRow>& results, int from,
                        const FitOptions& options, const PreviousSeason* previous)
{
    BacktestReport report;
    std::map<int, std::vector<const store::MatchRow*>> byMatchday;
    for (const store::MatchRow& r : results)
        byMatchday[r.journee].push_back(&r);
    std::array<int, 3> seen{}; // outcomes of the matchdays before
    for (const auto& [matchday, rows] : byMatchday) {
        if (matchday >= from) {
            const MatchModel model = MatchModel::fit(teams, results, matchday, options, previous);
            const int before = seen[0] + seen[1] + seen[2];
            const std::array<double, 3> naive =
                before == 0
                    ? std::array<double, 3>{1.0 / 3, 1.0 / 3, 1.0 / 3}
                    : std::array<double, 3>{double(seen[0]) / before, double(seen[1]) / before,
                                            double(seen[2]) / before};
            for (const store::MatchRow* r : rows) {
                const MatchProbabilities m = model.predict(r->domicile, r->visiteur);
                const std::array<double, 3> p{m.home, m.draw, m.away};
                const int outcome = outcomeOf(r->scoreDomicile, r->scoreVisiteur);
                add(report.model, p, outcome);
                add(report.naive, naive, outcome);
                for (int k = 0; k < 3; ++k) {
                    CalibrationBin& bin =
                        report.calibration[size_t(std::clamp(int(p[size_t(k)] * 10), 0, 9))];
                    ++bin.count;
                    bin.predicted += p[size_t(k)];
                    bin.observed += k == outcome ? 1.0 : 0.0;
                }
            }
            if (!report.firstMatchday)
                report.firstMatchday = matchday;
            report.lastMatchday = matchday;
        }
        for (const store::MatchRow* r : rows)
            ++seen[size_t(outcomeOf(r->scoreDomicile, r->scoreVisiteur))];
    }
    average(report.model);
    average(report.naive);
    for (CalibrationBin& bin : report.calibration)
        if (bin.count > 0) {
            bin.predicted /= bin.count;
            bin.observed /= bin.count;
        }
    return report;
}

} // namespace forecast
