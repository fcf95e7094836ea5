#pragma once

#include "store/Competition.h"
#include "store/Database.h"
#include "store/LeagueRules.h"
#include "store/SeasonSource.h"

#include <QString>
#include <array>
#include <vector>

namespace store {

// What a new competition is given besides its teams: its name, its season, the points of
// a win, a loss and a draw (0 to 255) and how teams level on points are told apart.
struct CompetitionSettings
{
    QString name;
    QString season;
    int win = 3;
    int loss = 0;
    int draw = 1;
    TieBreak tieBreak = TieBreak::Goals;
};

// Why settings typed by a user cannot be kept: the French message and the box at fault.
struct SettingsRefusal
{
    enum Field { None, Name, Season, AnyPoints, Win, Loss, Draw };
    Field field = None;
    QString message;

    bool ok() const { return message.isEmpty(); }
};

// Checks the name, the season (both trimmed) and the points of a win, a loss and a draw as
// typed, as the wizard and the properties dialog check them; when they pass, settings takes
// them (its tie-break is left as it is).
SettingsRefusal checkSettings(const QString& name, const QString& season,
                              const std::array<QString, 3>& points, CompetitionSettings& settings);

// Writes the settings of a new competition and adds these teams to it, in one transaction:
// a value or a team that the file refuses leaves it as it was.
[[nodiscard]] DbError writeNewCompetition(Database& db, const CompetitionSettings& settings,
                                          const std::vector<TeamPictures>& teams = {});
// The same, and with a season's file its results and calendar too (as recordSeason writes them),
// all in the one transaction: when a match breaks a rule, refusal says which (as recordSeason's)
// and nothing at all is written.
[[nodiscard]] DbError writeNewCompetition(Database& db, const CompetitionSettings& settings,
                                          const std::vector<TeamPictures>& teams,
                                          const SeasonSource* source, QString& refusal);

// The settings of an open file: name, season, points and tie-break.
[[nodiscard]] DbError readCompetitionSettings(Database& db, CompetitionSettings& settings);
// Writes, in one transaction, only the settings that differ between before (as they were read)
// and after: a setting that another program changed meanwhile is kept unless this change
// touches it too. With zones, the zones of the table are written in the same transaction, and
// with previousSeason, the text naming the previous season's file.
[[nodiscard]] DbError updateCompetitionSettings(Database& db, const CompetitionSettings& before,
                                                const CompetitionSettings& after,
                                                const std::vector<struct Zone>* zones = nullptr,
                                                const QString* previousSeason = nullptr);

} // namespace store
