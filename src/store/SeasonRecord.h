#pragma once

#include "store/Database.h"
#include "store/SeasonSource.h"

#include <QString>
#include <vector>

namespace store {

// Writes the matches read from a season's file into a competition that has its teams, in one
// transaction: results into Résultats and matches still to play into the calendar, each
// checked by the rules of match entry first. refusal (French, naming the match
// by its line or number in the file) is set, and nothing written, when one breaks a rule.
[[nodiscard]] DbError recordSeason(Database& db, const SeasonSource& source, QString& refusal);

} // namespace store
