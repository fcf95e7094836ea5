#pragma once

#include "store/Database.h"

#include <QString>
#include <optional>
#include <vector>

namespace store {

class Competition;

// A match of the calendar, still to play: a row of Calendrier.
struct Fixture
{
    qint64 rowid = 0;
    int journee = 0;
    QString domicile;
    QString visiteur;
};

inline const QString kFixtureTable = QStringLiteral("Calendrier");

// Whether the file has a calendar; files made before have none and behave as they did.
[[nodiscard]] DbError hasFixtureTable(Database& db, bool& exists);
// The fixtures, by matchday then in the file's order; none without a calendar. With matchday,
// only that matchday's.
[[nodiscard]] DbError loadFixtures(Database& db, std::vector<Fixture>& out,
                                   std::optional<int> matchday = std::nullopt);
// Writes fixtures already checked, inside the caller's transaction; the table is made with the
// first of them.
[[nodiscard]] DbError insertFixtures(Database& db, const std::vector<Fixture>& fixtures);
[[nodiscard]] DbError deleteFixture(Database& db, qint64 rowid, bool* found = nullptr);

struct FixtureChange
{
    QString refusal; // French, for the user; empty when done
    DbError error;   // the file failed; nothing was written
    bool ok() const { return refusal.isEmpty() && error.ok(); }
};

// Adds a fixture, or moves one (rowid given) to another matchday, after checking it against
// the results and the other fixtures, in one transaction.
FixtureChange addFixture(Competition& competition, const Fixture& fixture);
FixtureChange moveFixture(Competition& competition, qint64 rowid, int journee);

struct ScheduleChange : FixtureChange
{
    int added = 0; // fixtures written
};

// Gives every ordered pairing that has neither a result nor a fixture a matchday where both
// teams are free, as a double round robin on the teams shuffled by the seed, and writes them in
// one transaction. When some pairing finds no matchday, the refusal names them and nothing is
// written.
ScheduleChange scheduleSeason(Competition& competition, quint32 seed);

} // namespace store
