#include "forecast/CompetitionForecast.h"

#include "store/Competition.h"
#include "store/PreviousSeason.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

namespace forecast {

namespace {

struct Cached
{
    QString path;
    QDateTime changed;
    qint64 size = -1;
    PreviousSeasonRead read;
};

} // namespace

PreviousSeasonRead previousSeasonOf(store::Competition& competition)
{
    static Cached cached;
    PreviousSeasonRead read;
    QString path;
    if (store::DbError e =
            store::readPreviousSeason(competition.db(), competition.fileName(), path)) {
        read.problem = QStringLiteral("La saison précédente n'a pas pu être lue (%1) : les "
                                      "prévisions s'en passent.")
                           .arg(store::describeError(e));
        return read;
    }
    if (path.isEmpty())
        return read;
    const QFileInfo file(path);
    if (cached.path == path && file.exists() && cached.size == file.size() &&
        cached.changed == file.lastModified())
        return cached.read;
    read = readPreviousSeason(path);
    cached = {path, file.lastModified(), file.exists() ? file.size() : -1, read};
    return read;
}

PreviousSeasonRead readPreviousSeason(const QString& path)
{
    PreviousSeasonRead read;
    PreviousSeason previous;
    QString why;
    if (store::readOtherSeason(path, previous.results, previous.matchdays, why))
        read.season = std::move(previous);
    else
        read.problem = QStringLiteral("La saison précédente « %1 » ne peut pas être lue : les "
                                      "prévisions s'en passent. %2")
                           .arg(QDir::toNativeSeparators(path), why)
                           .trimmed();
    return read;
}

MatchModel fitCompetition(store::Competition& competition,
                          const std::vector<store::MatchRow>& results, int matchday,
                          QString* problem)
{
    const PreviousSeasonRead previous = previousSeasonOf(competition);
    if (problem)
        *problem = previous.problem;
    std::vector<QString> names;
    for (const store::Team& t : competition.teamList())
        names.push_back(t.nom);
    return MatchModel::fit(names, results, matchday, {},
                           previous.season ? &*previous.season : nullptr);
}

} // namespace forecast
