// Opening the largest league with a crest and an icon for every team, until the teams window
// is painted: the key derivation, the checks, the crest cache and the first team shown.
#include "BenchLeague.h"
#include "BenchMain.h"
#include "controls/MessageBox.h"
#include "shell/CompetitionCommands.h"
#include "shell/Registration.h"
#include "shell/frmMain.h"
#include "store/CrestCache.h"

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>

namespace {

QByteArray icon(int size, const char* format, int seed)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(QColor::fromHsv(seed * 37 % 360, 200, 200));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// The league of n teams, each with a real GIF crest and its own icon.
QString leagueWithCrests(int n)
{
    QFile gif(QStringLiteral(VEMO_ASSETS_DIR "/Blason générique.gif"));
    if (!gif.open(QIODevice::ReadOnly))
        return {};
    const QByteArray crest = gif.readAll();
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("crests%1.dat").arg(n));
    if (QFile::exists(path))
        return path;
    QFile::copy(benchLeague(n), path);
    store::DbError e;
    auto db = store::Database::open(path, store::competitionKey(), e);
    if (!db)
        return {};
    store::Transaction tx(*db);
    store::Snapshot teams;
    if (db->query(QStringLiteral("SELECT rowid FROM Equipes"), {}, teams))
        return {};
    for (int r = 0; r < teams.rowCount(); ++r)
        if (db->updateRow(
                QStringLiteral("Equipes"), teams.value(r, 0).toLongLong(),
                {{QStringLiteral("Blason"), crest}, {QStringLiteral("Icone"), icon(24, "ICO", r)}}))
            return {};
    return tx.commit() ? QString() : path;
}

void BM_OpenWithCrests(benchmark::State& state)
{
    MessageBox::setScripted(true);
    QTemporaryDir cache;
    CrestCache::setFolderOverride(cache.path());
    const QString path = leagueWithCrests(int(state.range(0)));
    if (path.isEmpty()) {
        state.SkipWithError("the league could not be made");
        return;
    }
    Windows::registerAll();
    frmMain window;
    window.resize(1100, 750);
    window.show();
    for (auto _ : state) {
        if (!Utilities::OpenCompetition(path)) {
            state.SkipWithError("the league could not be opened");
            break;
        }
        if (QFileInfo(CrestCache::crestPath(QStringLiteral("EQUIPE 001"))).size() == 0) {
            state.SkipWithError("no crest was written");
            break;
        }
        benchmark::DoNotOptimize(window.grab());
    }
}
BENCHMARK(BM_OpenWithCrests)->Arg(128)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarks<QApplication>(argc, argv, true);
}
