// Forecasts of one matchday, fit included, on a 20-team league and on the largest one.
#include "BenchLeague.h"
#include "BenchMain.h"
#include "forecast/Backtest.h"
#include "forecast/MatchModel.h"
#include "forecast/SeasonSimulation.h"
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

// The end of the season simulated from its middle: 20 teams (190 matches left), 128 teams
// (8,128 left); argument 2 the number of seasons.
void BM_SimulateSeason(benchmark::State& state)
{
    const int n = int(state.range(0)), runs = int(state.range(1));
    store::OpenError error;
    auto c = store::Competition::open(benchLeague(n), error);
    store::DbError e;
    const auto results = store::ResultSet::read(c->db(), c->teamList(), e);
    const int after = n - 1;
    const forecast::SeasonState season =
        forecast::seasonAfter(c->teamList(), competitionRules(*c, *results), results->teamResults(),
                              {}, after, 2 * n - 2);
    std::vector<QString> names;
    for (const store::Team& t : c->teamList())
        names.push_back(t.nom);
    const forecast::MatchModel model =
        forecast::MatchModel::fit(names, results->rowsUpTo(after), after + 1);
    for (auto _ : state)
        benchmark::DoNotOptimize(forecast::simulateSeason(season, model, runs, 1).runs);
    state.counters["seasons/s"] =
        benchmark::Counter(double(runs), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_SimulateSeason)
    ->Args({20, 100000})
    ->Args({128, 10000})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);

// The best and worst places still possible for every team, from any matchday.
void BM_PlaceBounds(benchmark::State& state)
{
    const int n = 20, after = int(state.range(0));
    store::OpenError error;
    auto c = store::Competition::open(benchLeague(n), error);
    store::DbError e;
    const auto results = store::ResultSet::read(c->db(), c->teamList(), e);
    const forecast::SeasonState season =
        forecast::seasonAfter(c->teamList(), competitionRules(*c, *results), results->teamResults(),
                              {}, after, 2 * n - 2);
    std::vector<int> best, worst;
    for (auto _ : state) {
        forecast::placeBounds(season, best, worst);
        benchmark::DoNotOptimize(best.data());
    }
}
BENCHMARK(BM_PlaceBounds)->Arg(19)->Arg(38)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarks<QCoreApplication>(argc, argv);
}
