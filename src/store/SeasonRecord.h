#pragma once

#include "store/Database.h"
#include "store/MatchRules.h"
#include "store/SeasonSource.h"

#include <QString>
#include <vector>

namespace store {

// Writes the matches read from a season's file into a competition that has its teams, in one
// transaction: results into Résultats and matches still to play into the calendar, each
// checked by the rules of match entry first. refusal (French, naming the match
// by its line or number in the file) is set, and nothing written, when one breaks a rule.
[[nodiscard]] DbError recordSeason(Database& db, const SeasonSource& source, QString& refusal);
// The same within a transaction that the caller holds open: every match is checked before the
// first is written, so a refusal writes nothing; after an error the caller rolls back.
[[nodiscard]] DbError writeSeason(Database& db, const SeasonSource& source, QString& refusal);

// A match of the file as match entry checks it, and where the file has it, to start a refusal:
// "ligne 12 : " (CSV) or "match 12 : " (JSON).
MatchRules::Candidate sourceCandidate(const SourceMatch& m);
QString sourcePlace(const SeasonSource& source, const SourceMatch& m);

// Why a competition made of the file's own teams could not take its matches, as recordSeason
// would refuse them (or two teams whose names differ only in letter case); empty when it could.
QString seasonRefusal(const SeasonSource& source);

} // namespace store
