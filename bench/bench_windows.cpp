// Showing a team in the teams window on the largest league a file can hold: its matches, five
// rankings for the summary and its ranking history, read from the file and painted.
#include "BenchLeague.h"
#include "BenchMain.h"
#include "shell/CompetitionCommands.h"
#include "standings/TeamPanel.h"
#include "store/Competition.h"
#include "store/CrestCache.h"
#include "teams/frmMDIEquipes.h"

#include <QApplication>
#include <QComboBox>
#include <QTemporaryDir>

namespace {

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

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarks<QApplication>(argc, argv, true);
}
