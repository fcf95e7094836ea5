#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

// A season read from one of the public files that football followers share: the JSON of the
// open football data (football.json) or the CSV of football-data. Reading only: nothing is
// stored, names are as the file spells them.
namespace store {

struct SourceMatch
{
    int journee = 0; // 1-based
    QString home, away;
    std::optional<int> homeGoals, awayGoals; // both set for a result, both empty for a fixture
    QDate date;                              // when known
    int origin = 0; // the physical line (CSV) or the match's number in the file (JSON), 1-based
};

struct SeasonSource
{
    enum class Format { OpenFootballJson, FootballDataCsv };
    Format format = Format::OpenFootballJson;
    QString name;      // the league without its season ("Premier League"), empty if unknown
    QString season;    // "2025-2026" or "2025", empty if unknown
    QStringList teams; // in order of first appearance
    std::vector<SourceMatch> matches; // in file order
    // football-data: matches that had to go to a matchday before one their teams had already
    // played, for want of a free one after.
    int outOfDateOrder = 0;
};

struct SourceError
{
    QString message; // French, whole: "match 12 : …", "ligne 7 : …"
};

// Files larger than this are refused before they are read.
inline constexpr qint64 kMaxSourceBytes = 20 * 1024 * 1024;
inline constexpr int kMaxSourceMatches = 20000;
inline constexpr int kMaxSourceLineLength = 4000; // CSV only

// Recognises the format from the content, never from the name, and reads it; nullopt with the
// error set when the file is neither format or breaks its rules.
std::optional<SeasonSource> readSeasonSource(const QString& path, SourceError& error);
std::optional<SeasonSource> readSeasonSource(const QByteArray& content, SourceError& error);
// Whether the first bytes of a file look like one of the two formats (and not like the
// program's own results CSV).
bool looksLikeSeasonSource(const QByteArray& head);

// Gives the matches of a file without matchdays (football-data) their matchdays by date, so
// that each team's matches keep their order and no team plays twice in a matchday; counts in
// outOfDateOrder those that could not keep it. A match for which pinned gives a matchday keeps
// it (a match already stored, when the file is read again). A match left no matchday by the date
// order is fitted in by moving the matches of a few days around. False, with the error, when a
// match finds no matchday where both its teams are free even so.
bool numberByDate(SeasonSource& source, const std::function<int(const SourceMatch&)>& pinned,
                  SourceError& error);

} // namespace store
