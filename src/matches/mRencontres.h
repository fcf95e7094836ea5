#pragma once

#include "store/Competition.h"
#include "store/MatchRules.h"
#include "store/Results.h"

#include <QString>
#include <optional>

// Reads and writes of the matches windows. Nothing here speaks to the user: the windows
// decide what to say.
namespace mRencontres {

// What a match is known by: its matchday and its two teams.
struct MatchKey
{
    int journee = 0;
    QString domicile;
    QString visiteur;
};

// Matches expected per matchday (teams / 2), in its shortest form with the user's decimal
// separator: "10" for 20 teams, "2,5" for 5 teams in French.
QString expectedMatches(int teamCount);

struct SaveResult
{
    MatchRules::Verdict verdict; // refused by a rule, or the row stored
    store::DbError error;        // the file failed; nothing was written
    bool editedMissing = false;  // the match being corrected is no longer in the file

    bool ok() const { return verdict.accepted() && error.ok() && !editedMissing; }
};

// Checks the candidate against the stored results and stores it, in one transaction: a new
// row, or, when edited is given, the row of that identity rewritten. The input alone is
// checked before the file is touched.
SaveResult saveMatch(store::Competition& competition, const MatchRules::Candidate& candidate,
                     const std::optional<MatchKey>& edited);

// Deletes the match with this identity; found tells whether there was one.
[[nodiscard]] store::DbError deleteMatch(store::Database& db, const MatchKey& key,
                                         bool* found = nullptr);

[[nodiscard]] store::DbError countMatchday(store::Database& db, int journee, int& count);

} // namespace mRencontres
