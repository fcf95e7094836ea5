// The ranking and the views built on it, on a 20-team season (380 matches) and on the
// largest league a file can hold (128 teams, 254 matchdays, 16,256 matches).
#include "BenchLeague.h"
#include "BenchMain.h"
#include "ranking/mRank.h"
#include "store/Competition.h"
#include "store/ResultSet.h"
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

// What a change costs the next refresh: the whole results table read again, sorted by
// matchday, and its team names turned into places in the team list.
void BM_ReadResultSet(benchmark::State& state)
{
    auto c = openLeague(int(state.range(0)));
    for (auto _ : state) {
        store::DbError e;
        benchmark::DoNotOptimize(store::ResultSet::read(c->db(), c->teamList(), e));
    }
}
BENCHMARK(BM_ReadResultSet)->Arg(20)->Arg(128)->Unit(benchmark::kMicrosecond);

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

// The standings at the last matchday straight from the file, with nothing kept from an
// earlier read: the results read, then ranked.
void BM_StandingsFromFile(benchmark::State& state)
{
    auto c = openLeague(int(state.range(0)));
    for (auto _ : state) {
        store::DbError e;
        const auto results = store::ResultSet::read(c->db(), c->teamList(), e);
        benchmark::DoNotOptimize(ComputeRanking(results->teamResultsUpTo(2 * state.range(0) - 2),
                                                RankingKind::General, c->teamList(),
                                                competitionPoints(*c)));
    }
}
BENCHMARK(BM_StandingsFromFile)->Arg(20)->Arg(128)->Unit(benchmark::kMicrosecond);

// A standings window refresh when nothing changed since the last one: the file asked whether
// it changed, then the kept results ranked.
void BM_StandingsRefresh(benchmark::State& state)
{
    auto c = openLeague(int(state.range(0)));
    for (auto _ : state) {
        std::shared_ptr<const store::ResultSet> results;
        (void)c->results(results);
        benchmark::DoNotOptimize(ComputeRanking(results->teamResultsUpTo(2 * state.range(0) - 2),
                                                RankingKind::General, c->teamList(),
                                                competitionPoints(*c)));
    }
}
BENCHMARK(BM_StandingsRefresh)->Arg(20)->Arg(128)->Unit(benchmark::kMicrosecond);

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

// League rules for the benchmarks: a deduction for one team in eight, spread over the
// season, and the tie-break of the argument (0 goals, 1 head-to-head).
RankingRules benchRules(const store::Competition& c, int headToHead)
{
    RankingRules rules(competitionPoints(c));
    rules.tieBreak = headToHead ? store::TieBreak::HeadToHead : store::TieBreak::Goals;
    const int n = int(c.teamList().size());
    for (int t = 0; t < n; t += 8)
        rules.penalties.push_back({t, 1 + t % 5, 1 + (t * 7) % (2 * n - 2)});
    return rules;
}

// The same history in one pass over one read of the results; the second argument adds
// deductions (1) and the head-to-head tie-break (2).
void BM_HistoryOnePass(benchmark::State& state)
{
    auto c = openLeague(int(state.range(0)));
    const QString team = c->teamList()[size_t(c->teamList().size() / 2)].nom;
    const RankingRules rules = state.range(1) == 0 ? RankingRules(competitionPoints(*c))
                                                   : benchRules(*c, state.range(1) == 2);
    for (auto _ : state) {
        std::vector<store::MatchRow> rows;
        (void)store::loadResults(c->db(), std::nullopt, rows);
        benchmark::DoNotOptimize(
            RankingHistory(rows, RankingKind::General, c->teamList(), rules, team));
    }
}
BENCHMARK(BM_HistoryOnePass)->ArgsProduct({{20, 128}, {0, 1, 2}})->Unit(benchmark::kMillisecond);

// Showing a team as the team panel does: its matches, five rankings over all results for the
// summary, and its ranking history, from the results kept since the last change. The second
// argument: 0 the file's own rules, 1 deductions and the head-to-head tie-break.
void BM_TeamPanelRefresh(benchmark::State& state)
{
    auto c = openLeague(int(state.range(0)));
    const int team = int(c->teamList().size() / 2);
    for (auto _ : state) {
        std::shared_ptr<const store::ResultSet> results;
        (void)c->results(results);
        const RankingRules rules =
            state.range(1) ? benchRules(*c, true) : competitionRules(*c, *results);
        benchmark::DoNotOptimize(results->teamMatches(team));
        for (int kind : {0, 3, 4, 1, 2})
            benchmark::DoNotOptimize(
                ComputeRanking(results->teamResults(), RankingKind(kind), c->teamList(), rules)
                    .Count());
        benchmark::DoNotOptimize(RankingHistories(results->teamResults(), RankingKind::General,
                                                  c->teamList(), rules, std::vector<int>{team}));
    }
}
BENCHMARK(BM_TeamPanelRefresh)->ArgsProduct({{20, 128}, {0, 1}})->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarks<QCoreApplication>(argc, argv);
}
