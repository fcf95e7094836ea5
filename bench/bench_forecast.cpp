// Forecasts of one matchday, fit included, on a 20-team league and on the largest one.
#include "BenchLeague.h"
#include "BenchMain.h"
#include "forecast/Backtest.h"
#include "forecast/MatchModel.h"
#include "store/Teams.h"

#include <QCoreApplication>

namespace {

struct Season
{
    std::vector<QString> teams;
    std::vector<store::MatchRow> results;
};

Season readSeason(int n)
{
    Season s;
    store::OpenError error;
    auto c = store::Competition::open(benchLeague(n), error);
    if (c) {
        (void)store::loadTeamNames(c->db(), s.teams);
        (void)store::loadResults(c->db(), std::nullopt, s.results);
    }
    return s;
}

// The matches of the season's middle matchday forecast from the half before it.
void BM_PredictMatchday(benchmark::State& state)
{
    const int n = int(state.range(0));
    const Season s = readSeason(n);
    const int matchday = n; // of 2n - 2
    for (auto _ : state) {
        const forecast::MatchModel model = forecast::MatchModel::fit(s.teams, s.results, matchday);
        double sum = 0.0;
        for (const store::MatchRow& r : s.results)
            if (r.journee == matchday)
                sum += model.predict(r.domicile, r.visiteur).home;
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_PredictMatchday)->Arg(20)->Arg(128)->Unit(benchmark::kMillisecond);

// Every match of a 20-team season forecast from the matchdays before it, as vemo-cli backtest.
void BM_Backtest(benchmark::State& state)
{
    const Season s = readSeason(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(forecast::backtest(s.teams, s.results, 1).model.rps);
}
BENCHMARK(BM_Backtest)->Arg(20)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarks<QCoreApplication>(argc, argv);
}
