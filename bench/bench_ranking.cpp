// The ranking and the views built on it, on a 20-team season (380 matches) and on the
// largest league a file can hold (128 teams, 254 matchdays, 16,256 matches).
#include "BenchLeague.h"
#include "BenchMain.h"
#include "standings/mRank.h"
#include "store/Competition.h"
#include "store/Results.h"

#include <QCoreApplication>

namespace {

std::unique_ptr<store::Competition> openLeague(int n)
{
    store::OpenError error;
    return store::Competition::open(benchLeague(n), error);
}

void BM_ReadResults(benchmark::State& state)
{
    auto c = openLeague(int(state.range(0)));
    for (auto _ : state) {
        std::vector<store::MatchRow> rows;
        (void)store::loadResults(c->db(), std::nullopt, rows);
        benchmark::DoNotOptimize(rows.data());
    }
}
BENCHMARK(BM_ReadResults)->Arg(20)->Arg(128)->Unit(benchmark::kMicrosecond);

void BM_Standings(benchmark::State& state)
{
    auto c = openLeague(int(state.range(0)));
    std::vector<store::MatchRow> rows;
    (void)store::loadResults(c->db(), std::nullopt, rows);
    const auto kind = RankingKind(state.range(1));
    for (auto _ : state)
        benchmark::DoNotOptimize(ComputeRanking(rows, kind, c->teamList(), competitionPoints(*c)));
}
BENCHMARK(BM_Standings)->ArgsProduct({{20, 128}, {0, 1, 2, 3, 4}})->Unit(benchmark::kMicrosecond);

// A standings window refresh: the bounded results read from the file, then ranked.
void BM_StandingsFromFile(benchmark::State& state)
{
    auto c = openLeague(int(state.range(0)));
    for (auto _ : state) {
        std::vector<store::MatchRow> rows;
        (void)store::loadResults(c->db(), 2 * int(state.range(0)) - 2, rows);
        benchmark::DoNotOptimize(
            ComputeRanking(rows, RankingKind::General, c->teamList(), competitionPoints(*c)));
    }
}
BENCHMARK(BM_StandingsFromFile)->Arg(20)->Arg(128)->Unit(benchmark::kMicrosecond);

// One team's history the step-by-step way: a bounded read and a ranking per matchday.
void BM_HistoryPerMatchday(benchmark::State& state)
{
    auto c = openLeague(int(state.range(0)));
    const QString team = c->teamList()[size_t(c->teamList().size() / 2)].nom;
    for (auto _ : state) {
        std::vector<int> days;
        (void)store::loadPlayedMatchdays(c->db(), days);
        std::vector<HistoryEntry> history;
        for (auto d = days.rbegin(); d != days.rend(); ++d) {
            std::vector<store::MatchRow> rows;
            (void)store::loadResults(c->db(), *d, rows);
            const RankingCollection r =
                ComputeRanking(rows, RankingKind::General, c->teamList(), competitionPoints(*c));
            history.push_back({*d, *r.Find(team)});
        }
        benchmark::DoNotOptimize(history.data());
    }
}
BENCHMARK(BM_HistoryPerMatchday)->Arg(20)->Arg(128)->Unit(benchmark::kMillisecond);

// The same history in one pass over one read of the results.
void BM_HistoryOnePass(benchmark::State& state)
{
    auto c = openLeague(int(state.range(0)));
    const QString team = c->teamList()[size_t(c->teamList().size() / 2)].nom;
    for (auto _ : state) {
        std::vector<store::MatchRow> rows;
        (void)store::loadResults(c->db(), std::nullopt, rows);
        benchmark::DoNotOptimize(
            RankingHistory(rows, RankingKind::General, c->teamList(), competitionPoints(*c), team));
    }
}
BENCHMARK(BM_HistoryOnePass)->Arg(20)->Arg(128)->Unit(benchmark::kMillisecond);

// Showing a team: its matches, five rankings over all results for the summary, and its
// ranking history, each read from the file.
void BM_TeamPanelRefresh(benchmark::State& state)
{
    auto c = openLeague(int(state.range(0)));
    const QString team = c->teamList()[size_t(c->teamList().size() / 2)].nom;
    const cResult::Points pts = competitionPoints(*c);
    for (auto _ : state) {
        std::vector<store::MatchRow> matches, rows;
        (void)store::loadTeamMatches(c->db(), team, matches);
        (void)store::loadResults(c->db(), std::nullopt, rows);
        for (int kind : {0, 3, 4, 1, 2})
            benchmark::DoNotOptimize(
                ComputeRanking(rows, RankingKind(kind), c->teamList(), pts).Count());
        benchmark::DoNotOptimize(
            RankingHistory(rows, RankingKind::General, c->teamList(), pts, team));
    }
}
BENCHMARK(BM_TeamPanelRefresh)->Arg(20)->Arg(128)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarks<QCoreApplication>(argc, argv);
}
