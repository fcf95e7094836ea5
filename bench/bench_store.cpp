// Opening a competition and reading its results, on files of real size.
#include "BenchLeague.h"
#include "BenchMain.h"
#include "store/Competition.h"
#include "store/ResultImporter.h"
#include "store/Results.h"
#include "store/Schedule.h"

#include <QCoreApplication>
#include <QTemporaryDir>

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

// A whole season of the largest league imported into its empty file: reading, checking and
// writing 16,256 rows in one transaction. The opening (its key derivation) is left out.
void BM_Import(benchmark::State& state)
{
    const QString empty = benchEmptyLeague(128), csv = benchSeasonCsv(128);
    if (empty.isEmpty() || csv.isEmpty()) {
        state.SkipWithError("the league could not be made");
        return;
    }
    QTemporaryDir dir;
    const QString work = dir.filePath(QStringLiteral("work.dat"));
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(work);
        QFile::copy(empty, work);
        store::OpenError error;
        auto c = store::Competition::open(work, error);
        state.ResumeTiming();
        store::ResultImporter importer(*c);
        if (importer.importFile(csv).imported != int(state.range(0)))
            state.SkipWithError("the import was refused");
    }
    state.counters["rows/s"] =
        benchmark::Counter(double(state.range(0)), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_Import)->Arg(16256)->Unit(benchmark::kMillisecond)->Iterations(5);

// The calendar of the largest league with nothing played: 16,256 fixtures.
void BM_GenerateSchedule(benchmark::State& state)
{
    const store::ScheduleInput input{int(state.range(0)), {}, 1};
    for (auto _ : state) {
        auto outcome = store::generateSchedule(input);
        benchmark::DoNotOptimize(outcome.fixtures.data());
    }
}
BENCHMARK(BM_GenerateSchedule)->Arg(128)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarks<QCoreApplication>(argc, argv);
}
