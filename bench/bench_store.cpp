// Opening a competition and reading its results, on files of real size.
#include "BenchLeague.h"
#include "BenchMain.h"
#include "store/Competition.h"
#include "store/Results.h"

#include <QCoreApplication>

namespace {

void BM_OpenCompetition(benchmark::State& state)
{
    const QString path = benchLeague(int(state.range(0)));
    for (auto _ : state) {
        store::OpenError error;
        auto c = store::Competition::open(path, error);
        benchmark::DoNotOptimize(c.get());
    }
}
BENCHMARK(BM_OpenCompetition)->Arg(20)->Arg(128)->Unit(benchmark::kMillisecond);

// The value checks alone, on pages already read (opening reads every page first).
void BM_OpenChecks(benchmark::State& state)
{
    store::DbError e;
    auto db = store::Database::open(benchLeague(int(state.range(0))), store::competitionKey(), e);
    if (!db) {
        state.SkipWithError("no league");
        return;
    }
    for (auto _ : state) {
        store::OpenError error;
        if (!store::checkCompetitionValues(*db, error)) {
            state.SkipWithError("the league was refused");
            break;
        }
    }
}
BENCHMARK(BM_OpenChecks)->Arg(20)->Arg(128)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarks<QCoreApplication>(argc, argv);
}
