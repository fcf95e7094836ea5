// The season report painted to a PDF file, as vemo-cli report writes it: 5 rankings, then every
// matchday's results (20 teams: 38 matchdays, 380 matches; 128 teams: 254 matchdays, 16 256
// matches), each team with its own icon.
#include "BenchLeague.h"
#include "BenchMain.h"
#include "models/ListModel.h"
#include "printing/Renderers.h"
#include "store/Competition.h"

#include <QBuffer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPdfWriter>
#include <QTemporaryDir>

namespace {

// The league of n teams, each with an icon of its own colour.
QString leagueWithIcons(int n)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("icons%1.dat").arg(n));
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
    for (int r = 0; r < teams.rowCount(); ++r) {
        QImage image(32, 32, QImage::Format_ARGB32);
        image.fill(QColor::fromHsv(r * 37 % 360, 200, 200));
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        if (db->updateRow(QStringLiteral("Equipes"), teams.value(r, 0).toLongLong(),
                          {{QStringLiteral("Icone"), bytes}}))
            return {};
    }
    return tx.commit() ? QString() : path;
}

void BM_SeasonReport(benchmark::State& state)
{
    const QString league = leagueWithIcons(int(state.range(0)));
    store::OpenError error;
    std::vector<store::TeamPictures> pictures;
    auto c = league.isEmpty()
                 ? nullptr
                 : store::Competition::open(league, error, &pictures, store::OpenMode::ReadOnly);
    QTemporaryDir dir;
    if (!c || !dir.isValid()) {
        state.SkipWithError("the league cannot be opened");
        return;
    }
    // The crests as vemo-cli takes them: the competition's own icons.
    std::vector<QByteArray> icons;
    for (const store::TeamPictures& t : pictures)
        icons.push_back(t.icone);
    ListModel::setCrestSource(ListModel::iconsOf(c->teamList(), std::move(icons)));
    const QString pdf = dir.filePath(QStringLiteral("rapport.pdf"));
    for (auto _ : state) {
        QPdfWriter writer(pdf);
        QString why;
        if (!Renderers::seasonReport(writer, *c, std::nullopt, why)) {
            state.SkipWithError("the report was refused");
            break;
        }
    }
    ListModel::setCrestSource({});
    state.counters["Mo"] = double(QFileInfo(pdf).size()) / 1e6;
}
BENCHMARK(BM_SeasonReport)->Arg(20)->Arg(128)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarks<QGuiApplication>(argc, argv, true);
}
