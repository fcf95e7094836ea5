#pragma once

#include "store/Database.h"

#include <QString>
#include <optional>
#include <vector>

namespace store {

// One row of Résultats.
struct MatchRow
{
    qint64 rowid = 0;
    int journee = 0;
    QString domicile;
    int scoreDomicile = 0;
    QString visiteur;
    int scoreVisiteur = 0;
};

// Every result, or those of matchdays 1 to upTo.
[[nodiscard]] DbError loadResults(Database& db, std::optional<int> upTo,
                                  std::vector<MatchRow>& rows);
// Writes results already checked, inside the caller's transaction.
[[nodiscard]] DbError insertResults(Database& db, const std::vector<MatchRow>& rows);
// The matchdays that have results, ascending.
[[nodiscard]] DbError loadPlayedMatchdays(Database& db, std::vector<int>& days);

std::vector<MatchRow> matchRows(const Snapshot& snapshot);

// Team names compared as the user reads them: letter case ignored, accented capitals too
// ("US BEAUPRÉ" is "US Beaupré"). Where two names of an older file differ only so, the name
// spelled exactly is looked for first.
QString teamKey(const QString& name);

} // namespace store
