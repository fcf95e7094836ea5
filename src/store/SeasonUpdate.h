#pragma once

#include "store/Aliases.h"
#include "store/Database.h"
#include "store/SeasonSource.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace store {

class Competition;

// What reading a season's file again did to a competition.
struct SeasonUpdate
{
    int added = 0;          // results written
    int playedFixtures = 0; // of them, matches of the calendar now played
    int scheduled = 0;      // matches added to the calendar
    int moved = 0;          // matches of the calendar the file puts on another matchday
    int alreadyThere = 0;   // matches the competition already holds as the file has them
    int left = 0;           // matches of the calendar still to play afterwards
    int outOfDateOrder = 0; // football-data: matches that could not keep their date order
    QStringList unknown;    // the file's names that are no team's, when refused for them
    QString refusal;        // French; nothing was written
    DbError error;          // the file failed; nothing was written

    bool ok() const { return refusal.isEmpty() && error.ok(); }
    // What was added, what was already there and what is left, in French, one sentence a line.
    QStringList report() const;
};

// Adds a season's file to a competition in one transaction, as often as the file is published
// again: a result already recorded with the same score is skipped, a match of the calendar that
// now has a score becomes a result, new matches join the calendar. The file's names are the
// teams' own, ignoring case, or names kept before; aliases are kept with the import. A result
// that contradicts a recorded one (another score, another matchday) is refused, naming it.
SeasonUpdate updateSeason(Competition& competition, SeasonSource source,
                          const std::vector<TeamAlias>& aliases = {});

} // namespace store
