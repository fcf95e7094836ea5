#include "store/LeagueRules.h"

#include "store/CompetitionFile.h"

#include <sqlite3.h>

namespace store {

QString tieBreakName(TieBreak tieBreak)
{
    return tieBreak == TieBreak::HeadToHead ? QStringLiteral("Confrontations")
                                            : QStringLiteral("Buts");
}

std::optional<TieBreak> tieBreakFromName(const QString& name)
{
    if (name == QLatin1String("Buts"))
        return TieBreak::Goals;
    if (name == QLatin1String("Confrontations"))
        return TieBreak::HeadToHead;
    return std::nullopt;
}

DbError hasPenaltyTable(Database& db, bool& exists)
{
    return hasTable(db, kPenaltyTable, exists);
}

DbError loadPenalties(Database& db, std::vector<Penalty>& penalties)
{
    penalties.clear();
    bool exists = false;
    if (DbError e = hasPenaltyTable(db, exists); e || !exists)
        return e;
    DbError e = db.forEach(QStringLiteral("SELECT rowid, Equipe, Points, \"Journée\", Motif FROM "
                                          "\"Pénalités\" ORDER BY Equipe, \"Journée\", rowid"),
                           {}, [&penalties](const RowReader& r) {
                               penalties.push_back({r.integer(0), r.text(1), int(r.integer(2)),
                                                    int(r.integer(3)), r.text(4)});
                           });
    if (e)
        penalties.clear();
    return e;
}

DbError readTieBreak(Database& db, TieBreak& tieBreak)
{
    tieBreak = TieBreak::Goals;
    QVariant value;
    DbError e = readProperty(db, kTieBreakProperty, value);
    if (e.code == SQLITE_NOTFOUND)
        return {};
    if (e)
        return e;
    if (const auto known = tieBreakFromName(value.toString()))
        tieBreak = *known;
    return {};
}

DbError writeTieBreak(Database& db, TieBreak tieBreak)
{
    return writeOptionalProperty(db, kTieBreakProperty, tieBreakName(tieBreak));
}

} // namespace store
