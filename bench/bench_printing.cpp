// The season report of a 20-team league (5 rankings, 38 matchdays, 380 matches) painted to a
// PDF file, as vemo-cli report writes it.
#include "BenchLeague.h"
#include "BenchMain.h"
#include "printing/Renderers.h"
#include "store/Competition.h"

#include <QGuiApplication>
#include <QPdfWriter>
#include <QTemporaryDir>

namespace {

void BM_SeasonReport(benchmark::State& state)
{
    store::OpenError error;
    auto c = store::Competition::open(benchLeague(int(state.range(0))), error, nullptr,
                                      store::OpenMode::ReadOnly);
    QTemporaryDir dir;
    if (!c || !dir.isValid()) {
        state.SkipWithError("the league cannot be opened");
        return;
    }
    const QString pdf = dir.filePath(QStringLiteral("rapport.pdf"));
    for (auto _ : state) {
        QPdfWriter writer(pdf);
        QString why;
        if (!Renderers::seasonReport(writer, *c, std::nullopt, why)) {
            state.SkipWithError("the report was refused");
            break;
        }
    }
}
BENCHMARK(BM_SeasonReport)->Arg(20)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarks<QGuiApplication>(argc, argv, true);
}
