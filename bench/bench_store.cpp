// Opening a competition and reading its tables, on files of real size.
#include "store/Competition.h"
#include "store/CompetitionFile.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// A league of n teams with every match of its 2n - 2 matchdays played.
QString makeLeague(const QTemporaryDir& dir, int n)
{
    const QString path = dir.filePath(QStringLiteral("league%1.dat").arg(n));
    if (QFile::exists(path))
        return path;
    if (store::createCompetitionFile(path))
        return {};
    store::DbError e;
    auto db = store::Database::open(path, store::competitionKey(), e);
    store::Transaction tx(*db);
    const auto name = [](int i) {
        return QStringLiteral("EQUIPE %1").arg(i, 3, 10, QLatin1Char('0'));
    };
    for (int i = 0; i < n; ++i)
        (void)db->addRow(QStringLiteral("Equipes"), {{QStringLiteral("Nom"), name(i)}});
    // Circle method: every pairing once each way.
    int day = 1;
    for (int leg = 0; leg < 2; ++leg)
        for (int r = 0; r < n - 1; ++r, ++day)
            for (int k = 0; k < n / 2; ++k) {
                int a = k == 0 ? 0 : 1 + (r + k - 1) % (n - 1);
                int b = 1 + (r + n - 2 - k) % (n - 1);
                if (leg)
                    std::swap(a, b);
                (void)db->addRow(QStringLiteral("Résultats"),
                                 {{QStringLiteral("Journée"), day},
                                  {QStringLiteral("Domicile"), name(a)},
                                  {QStringLiteral("ScoreDomicile"), (a * 7 + day) % 5},
                                  {QStringLiteral("Visiteur"), name(b)},
                                  {QStringLiteral("ScoreVisiteur"), (b * 3 + day) % 4}});
            }
    (void)tx.commit();
    return path;
}

QTemporaryDir& folder()
{
    static QTemporaryDir dir;
    return dir;
}

void BM_OpenCompetition(benchmark::State& state)
{
    const QString path = makeLeague(folder(), int(state.range(0)));
    for (auto _ : state) {
        store::OpenError error;
        auto c = store::Competition::open(path, error);
        benchmark::DoNotOptimize(c.get());
    }
}
BENCHMARK(BM_OpenCompetition)->Arg(20)->Arg(128)->Unit(benchmark::kMillisecond);

void BM_ReadAllResults(benchmark::State& state)
{
    const QString path = makeLeague(folder(), int(state.range(0)));
    store::OpenError error;
    auto c = store::Competition::open(path, error);
    for (auto _ : state) {
        store::Snapshot s;
        (void)c->db().query(QStringLiteral("SELECT * FROM \"Résultats\""), {}, s);
        benchmark::DoNotOptimize(s.rows.data());
    }
}
BENCHMARK(BM_ReadAllResults)->Arg(20)->Arg(128)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
