#include "store/PreviousSeason.h"

#include "store/Competition.h"
#include "store/CompetitionFile.h"
#include "store/TextChecks.h"

#include <QDir>
#include <QFileInfo>

namespace store {

QString previousSeasonText(const QString& competitionPath, const QString& otherPath)
{
    if (otherPath.isEmpty())
        return {};
    const QDir folder = QFileInfo(competitionPath).absoluteDir();
    const QString absolute = QFileInfo(otherPath).absoluteFilePath();
    const QString relative = folder.relativeFilePath(absolute);
    // Relative when the two live side by side or below; else the whole path.
    return relative.startsWith(QLatin1String("../")) ? absolute : relative;
}

DbError readPreviousSeason(Database& db, const QString& competitionPath, QString& path)
{
    path.clear();
    QString text;
    if (DbError e = readOptionalProperty(db, kPreviousSeasonProperty, text))
        return e;
    if (!text.isEmpty())
        path = QFileInfo(QFileInfo(competitionPath).absoluteDir(), text).absoluteFilePath();
    return {};
}

DbError writePreviousSeason(Database& db, const QString& text)
{
    return writeOptionalProperty(db, kPreviousSeasonProperty, text);
}

bool readOtherSeason(const QString& path, std::vector<MatchRow>& results, int& matchdays,
                     QString& why)
{
    OpenError error;
    const auto other = Competition::open(path, error, nullptr, OpenMode::ReadOnly);
    if (!other) {
        why = describeOpenError(error, path);
        return false;
    }
    if (DbError e = loadResults(other->db(), std::nullopt, results)) {
        why = describeError(e);
        return false;
    }
    matchdays = matchdayCount(other->teamCount());
    return true;
}

} // namespace store
