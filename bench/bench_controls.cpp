// Showing and painting a match list: a long list costs only the rows on screen.
#include "BenchMain.h"
#include "controls/zelOwnerLBox4.h"

#include <QApplication>

namespace {

std::vector<store::MatchRow> matches(int n)
{
    std::vector<store::MatchRow> rows;
    rows.reserve(size_t(n));
    for (int i = 0; i < n; ++i)
        rows.push_back({i + 1, i / 64 + 1, QStringLiteral("EQUIPE %1").arg(i % 128), i % 5,
                        QStringLiteral("EQUIPE %1").arg((i + 1) % 128), i % 3});
    return rows;
}

void BM_ShowAndPaintMatchList(benchmark::State& state)
{
    zelOwnerLBox4 list;
    list.resize(700, 500);
    list.show();
    const std::vector<store::MatchRow> source = matches(int(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<store::MatchRow> rows = source;
        state.ResumeTiming();
        list.setItems(std::move(rows));
        benchmark::DoNotOptimize(list.grab());
    }
}
BENCHMARK(BM_ShowAndPaintMatchList)->Arg(20)->Arg(16256)->Unit(benchmark::kMicrosecond);

// The same with half of the list still to play: the fixtures follow the results, in their own
// style.
void BM_ShowAndPaintMatchListWithFixtures(benchmark::State& state)
{
    zelOwnerLBox4 list;
    list.resize(700, 500);
    list.show();
    const int n = int(state.range(0));
    std::vector<store::MatchRow> played = matches(n / 2);
    std::vector<store::Fixture> toPlay;
    for (const store::MatchRow& m : matches(n - n / 2))
        toPlay.push_back({m.rowid, m.journee, m.domicile, m.visiteur});
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<store::MatchRow> rows = played;
        std::vector<store::Fixture> fixtures = toPlay;
        state.ResumeTiming();
        list.setItems(std::move(rows), std::move(fixtures));
        benchmark::DoNotOptimize(list.grab());
    }
}
BENCHMARK(BM_ShowAndPaintMatchListWithFixtures)->Arg(20)->Arg(16256)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarks<QApplication>(argc, argv, true);
}
