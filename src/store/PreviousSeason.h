#pragma once

#include "store/Database.h"
#include "store/Results.h"

#include <QString>
#include <vector>

namespace store {

// The league's previous season: another competition file, named by a property of this one,
// relative to this file's folder when it can be.
inline const QString kPreviousSeasonProperty = QStringLiteral("Saison précédente");

// The text stored for otherPath, seen from the competition at competitionPath.
QString previousSeasonText(const QString& competitionPath, const QString& otherPath);
// The previous season's file as an absolute path; empty when none is set.
[[nodiscard]] DbError readPreviousSeason(Database& db, const QString& competitionPath,
                                         QString& path);
[[nodiscard]] DbError writePreviousSeason(Database& db, const QString& text);

// The results and number of matchdays of another competition, opened read-only; false with
// why (French) when it cannot be read.
bool readOtherSeason(const QString& path, std::vector<MatchRow>& results, int& matchdays,
                     QString& why);

} // namespace store
