#pragma once

#include "store/Database.h"
#include "store/LeagueRules.h"

#include <QString>

namespace store {

inline constexpr int kPenaltyReasonLength = 250;

// The last matchday a deduction can count from: the season's last matchday, at most 255.
int lastPenaltyMatchday(int teamCount);

// Why a deduction of these points from this matchday for this reason cannot be kept, in
// French; empty when it can. The team is checked by the writing functions.
QString penaltyProblem(int points, int journee, const QString& motif, int lastMatchday);

// Adds penalty (its rowid is ignored) and gives the new row. The team is found as the file
// compares names and stored as the team list spells it; the reason is stored trimmed. The
// first deduction creates the table, in the same transaction. When refusal comes back
// non-empty (in French), nothing was written.
[[nodiscard]] DbError addPenalty(Database& db, const Penalty& penalty, QString& refusal,
                                 qint64* rowid = nullptr);
// Rewrites the deduction of penalty.rowid with the same checks.
[[nodiscard]] DbError updatePenalty(Database& db, const Penalty& penalty, QString& refusal);
// Removes one deduction; a row already gone is no error.
[[nodiscard]] DbError deletePenalty(Database& db, qint64 rowid);

// A team's deductions by matchday (none when the file has no table of penalties).
[[nodiscard]] DbError loadTeamPenalties(Database& db, const QString& team,
                                        std::vector<Penalty>& penalties);

} // namespace store
