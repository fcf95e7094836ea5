// Showing a team in the teams window on the largest league a file can hold: its matches, five
// rankings for the summary and its ranking history, read from the file and painted.
#include "BenchLeague.h"
#include "BenchMain.h"
#include "analysis/EvolutionChart.h"
#include "analysis/GridModel.h"
#include "analysis/TeamChoiceModel.h"
#include "analysis/frmMDIAnalyses.h"
#include "controls/MessageBox.h"
#include "controls/cOpenSaveFile.h"
#include "shell/CompetitionCommands.h"
#include "shell/Registration.h"
#include "shell/TransferCommands.h"
#include "shell/frmMain.h"
#include "standings/TeamPanel.h"
#include "store/Competition.h"
#include "store/CrestCache.h"
#include "store/Results.h"
#include "teams/frmMDIEquipes.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QTabWidget>
#include <QTemporaryDir>

namespace {

// The program's own part of a start: the main window made, shown and painted once, with no
// competition open (the process start and the display connection are left out).
void BM_MainWindowFirstPaint(benchmark::State& state)
{
    Windows::registerAll();
    for (auto _ : state) {
        frmMain window;
        window.show();
        benchmark::DoNotOptimize(window.grab());
    }
}
BENCHMARK(BM_MainWindowFirstPaint)->Unit(benchmark::kMillisecond);

void BM_ShowTeam(benchmark::State& state)
{
    QTemporaryDir cache;
    CrestCache::setFolderOverride(cache.path());
    if (!Utilities::OpenCompetition(benchLeague(int(state.range(0))))) {
        state.SkipWithError("the league could not be opened");
        return;
    }
    frmMDIEquipes window;
    window.resize(1000, 700);
    window.show();
    TeamPanel* panel = window.panel();
    panel->cboEquipes->setCurrentIndex(panel->cboEquipes->count() / 2);
    for (auto _ : state) {
        panel->zelOK_Click();
        benchmark::DoNotOptimize(window.grab());
    }
    store::CurrentCompetition::close();
}
BENCHMARK(BM_ShowTeam)->Arg(20)->Arg(128)->Unit(benchmark::kMillisecond);

// Fichier > Importer des résultats of a whole 128-team season (16,256 rows) into the league
// without its results: reading, checks, the progress dialog and the write. The opening of the
// file (its key derivation) is left out.
void BM_GuiImport(benchmark::State& state)
{
    MessageBox::setScripted(true);
    cOpenSaveFile::setScripted(true);
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
        store::CurrentCompetition::replace(store::Competition::open(work, error));
        cOpenSaveFile::setNextFileName(csv);
        MessageBox::clearShown();
        state.ResumeTiming();
        if (!TransferCommands::importResults(nullptr))
            state.SkipWithError("the import was refused");
    }
    store::CurrentCompetition::close();
    state.counters["rows/s"] =
        benchmark::Counter(16256, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_GuiImport)->Unit(benchmark::kMillisecond)->Iterations(3);

// The cross table of a whole season as the analyses window makes it: every result read from
// the file, the grid of n x n cells, and each cell's text and colour read once from the model.
void BM_GridModel(benchmark::State& state)
{
    store::OpenError error;
    auto c = store::Competition::open(benchLeague(int(state.range(0))), error);
    if (!c) {
        state.SkipWithError("the league could not be opened");
        return;
    }
    GridModel model;
    for (auto _ : state) {
        std::vector<store::MatchRow> rows;
        if (store::loadResults(c->db(), std::nullopt, rows))
            state.SkipWithError("the results could not be read");
        model.setGrid(SeasonGrid(rows, c->teamList()));
        for (int r = 0; r < model.rowCount(); ++r)
            for (int col = GridModel::kFirstVisitor; col < model.columnCount(); ++col) {
                const QModelIndex at = model.index(r, col);
                benchmark::DoNotOptimize(at.data(Qt::DisplayRole));
                benchmark::DoNotOptimize(at.data(Qt::BackgroundRole));
            }
    }
}
BENCHMARK(BM_GridModel)->Arg(128)->Unit(benchmark::kMillisecond);

// The evolution chart with every team of the league ticked: one ranking history per team over
// all its matchdays (254 for 128 teams), the lines, and the chart painted once.
void BM_EvolutionChart(benchmark::State& state)
{
    store::OpenError error;
    auto c = store::Competition::open(benchLeague(int(state.range(0))), error);
    std::vector<store::MatchRow> rows;
    if (!c || store::loadResults(c->db(), std::nullopt, rows)) {
        state.SkipWithError("the league could not be read");
        return;
    }
    QList<int> all;
    for (int t = 0; t < int(c->teamList().size()); ++t)
        all << t;
    TeamChoiceModel choice;
    choice.setTeams(c->teamList());
    choice.setTicked(all);
    EvolutionChart chart;
    chart.resize(1000, 700);
    chart.show();
    for (auto _ : state) {
        chart.draw(rows, c->teamList(), competitionPoints(*c), RankingKind::General, choice, false);
        benchmark::DoNotOptimize(chart.grab());
    }
}
BENCHMARK(BM_EvolutionChart)->Arg(128)->Unit(benchmark::kMillisecond);

// The analyses window brought up to date after a saved result, the tab shown painted: the
// results read again and every tab recomputed (0 chart, 1 grid, 2 form).
void BM_AnalysesRefresh(benchmark::State& state)
{
    QTemporaryDir cache;
    CrestCache::setFolderOverride(cache.path());
    if (!Utilities::OpenCompetition(benchLeague(128))) {
        state.SkipWithError("the league could not be opened");
        return;
    }
    frmMDIAnalyses window;
    window.resize(1200, 800);
    window.show();
    window.tabAnalyses->setCurrentIndex(int(state.range(0)));
    for (auto _ : state) {
        window.zelOK_Click();
        benchmark::DoNotOptimize(window.grab());
    }
    store::CurrentCompetition::close();
}
BENCHMARK(BM_AnalysesRefresh)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarks<QApplication>(argc, argv, true);
}
