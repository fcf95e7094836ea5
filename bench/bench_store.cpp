// Opening a competition and reading its results, on files of real size.
#include "BenchLeague.h"
#include "BenchMain.h"
#include "store/Competition.h"
#include "store/CompetitionSettings.h"
#include "store/Fixtures.h"
#include "store/ResultImporter.h"
#include "store/Results.h"
#include "store/Schedule.h"
#include "store/SeasonSource.h"
#include "store/SeasonUpdate.h"

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

// The whole calendar of the largest league generated and written into its empty file, as
// vemo-cli schedule does (the opening left out).
void BM_ScheduleSeason(benchmark::State& state)
{
    const QString empty = benchEmptyLeague(int(state.range(0)));
    QTemporaryDir dir;
    const QString work = dir.filePath(QStringLiteral("work.dat"));
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(work);
        QFile::copy(empty, work);
        store::OpenError error;
        auto c = store::Competition::open(work, error);
        state.ResumeTiming();
        if (!c || store::scheduleSeason(*c, 1).added != int(state.range(0) * (state.range(0) - 1)))
            state.SkipWithError("the calendar was not written");
    }
}
BENCHMARK(BM_ScheduleSeason)->Arg(128)->Unit(benchmark::kMillisecond)->Iterations(5);

// The same season's calendar (16,256 fixtures) imported from a published calendar CSV.
void BM_ImportFixtures(benchmark::State& state)
{
    const QString empty = benchEmptyLeague(int(state.range(0)));
    const QString results = benchSeasonCsv(int(state.range(0)));
    QTemporaryDir dir;
    const QString csv = dir.filePath(QStringLiteral("calendar.csv"));
    {
        QFile in(results), out(csv);
        if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly)) {
            state.SkipWithError("no season");
            return;
        }
        // Journée;Domicile;ScoreDomicile;Visiteur;ScoreVisiteur: the scores left empty.
        while (!in.atEnd()) {
            QList<QByteArray> cells = in.readLine().trimmed().split(';');
            if (cells.size() == 5 && cells[2] != "ScoreDomicile")
                cells[2] = cells[4] = QByteArray();
            out.write(cells.join(';') + '\n');
        }
    }
    const QString work = dir.filePath(QStringLiteral("work.dat"));
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(work);
        QFile::copy(empty, work);
        store::OpenError error;
        auto c = store::Competition::open(work, error);
        state.ResumeTiming();
        store::ResultImporter importer(*c);
        if (importer.importFile(csv).scheduled != int(state.range(0) * (state.range(0) - 1)))
            state.SkipWithError("the calendar was refused");
    }
    state.counters["rows/s"] = benchmark::Counter(double(state.range(0) * (state.range(0) - 1)),
                                                  benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_ImportFixtures)->Arg(128)->Unit(benchmark::kMillisecond)->Iterations(5);

// The opening checks of a file holding half a season of results and the rest as fixtures.
void BM_OpenChecksWithCalendar(benchmark::State& state)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("half.dat"));
    if (!QFile::exists(path)) {
        QFile::copy(benchLeague(int(state.range(0))), path);
        store::OpenError error;
        auto c = store::Competition::open(path, error);
        const int half = int(state.range(0)) - 1;
        if (!c ||
            c->db().run(QStringLiteral("DELETE FROM \"Résultats\" WHERE \"Journée\" > ?"),
                        {half}) ||
            !store::scheduleSeason(*c, 1).ok()) {
            state.SkipWithError("no league");
            return;
        }
    }
    store::DbError e;
    auto db = store::Database::open(path, store::competitionKey(), e);
    for (auto _ : state) {
        store::OpenError error;
        if (!db || !store::checkCompetitionValues(*db, error)) {
            state.SkipWithError("the league was refused");
            break;
        }
    }
}
BENCHMARK(BM_OpenChecksWithCalendar)->Arg(128)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarks<QCoreApplication>(argc, argv);
}

namespace {

// A season of 20 teams (380 matches, all played) read from its openfootball file and made a
// new competition, as vemo-cli new --from does: the key derivation of the new file included.
void BM_CreateFromSource(benchmark::State& state)
{
    const int n = int(state.range(0));
    const QString json = benchSeasonJson(n, 2 * n - 2);
    QTemporaryDir dir;
    const QString work = dir.filePath(QStringLiteral("new.dat"));
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(work);
        state.ResumeTiming();
        store::SourceError error;
        auto source = store::readSeasonSource(json, error);
        store::DbError e = source ? store::createCompetitionFile(work) : store::DbError{1};
        auto db = e ? nullptr : store::Database::open(work, store::competitionKey(), e);
        std::vector<store::TeamPictures> teams;
        for (const QString& name : source->teams)
            teams.push_back({name, {}, {}});
        QString refusal;
        if (!db ||
            store::writeNewCompetition(*db, {source->name, source->season}, teams, &*source,
                                       refusal) ||
            !refusal.isEmpty() || db->close())
            state.SkipWithError("the competition was not made");
    }
}
BENCHMARK(BM_CreateFromSource)->Arg(20)->Unit(benchmark::kMillisecond)->Iterations(10);

// The whole season of the largest league (16,256 results) brought from its openfootball file
// into the league's empty file: reading the file, matching names, checking and writing. With
// argument 1, the same file into the league that already holds it all: the weekly import
// when nothing is new.
void BM_UpdateFromSource(benchmark::State& state)
{
    const int n = 128, matches = n * (n - 1);
    const bool again = state.range(0) == 1;
    const QString start = again ? benchLeague(n) : benchEmptyLeague(n);
    const QString json = benchSeasonJson(n, 2 * n - 2);
    QTemporaryDir dir;
    const QString work = dir.filePath(QStringLiteral("work.dat"));
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(work);
        QFile::copy(start, work);
        store::OpenError error;
        auto c = store::Competition::open(work, error);
        state.ResumeTiming();
        store::SourceError sourceError;
        auto source = store::readSeasonSource(json, sourceError);
        const store::SeasonUpdate u =
            c && source ? store::updateSeason(*c, std::move(*source)) : store::SeasonUpdate{};
        if ((again ? u.alreadyThere : u.added) != matches)
            state.SkipWithError("the season was refused");
    }
    state.counters["rows/s"] =
        benchmark::Counter(double(matches), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_UpdateFromSource)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
