#pragma once

#include "store/Competition.h"
#include "store/MatchRules.h"

#include <QString>
#include <optional>

namespace store {

// What a match is known by: its matchday and its two teams.
struct MatchKey
{
    int journee = 0;
    QString domicile;
    QString visiteur;
};

struct MatchSaveResult
{
    MatchRules::Verdict verdict; // refused by a rule, or the row stored
    DbError error;               // the file failed; nothing was written
    bool editedMissing = false;  // the match being corrected is no longer in the file

    bool ok() const { return verdict.accepted() && error.ok() && !editedMissing; }
};

// Checks the candidate against the stored results and stores it, in one transaction: a new
// row, or, when edited is given, the row of that identity rewritten. The input alone is
// checked before the file is touched.
MatchSaveResult saveMatch(Competition& competition, const MatchRules::Candidate& candidate,
                          const std::optional<MatchKey>& edited);

// Deletes the match with this identity; found tells whether there was one.
[[nodiscard]] DbError deleteMatch(Database& db, const MatchKey& key, bool* found = nullptr);

// The number of results stored for this matchday.
[[nodiscard]] DbError countMatchday(Database& db, int journee, int& count);

} // namespace store
