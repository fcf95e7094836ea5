#include "store/PreviousSeason.h"

#include "store/Competition.h"
#include "store/CompetitionFile.h"
#include "store/TextChecks.h"

#include <QDir>
#include <QFileInfo>
#include <sqlite3.h>

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
    QVariant value;
    const DbError e = readProperty(db, kPreviousSeasonProperty, value);
    if (e.code == SQLITE_NOTFOUND)
        return {};
    if (e)
        return e;
    const QString text = value.toString();
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
