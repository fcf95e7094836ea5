#pragma once

#include "store/Database.h"
#include "store/LeagueRules.h"

#include <QString>
#include <memory>
#include <optional>
#include <vector>

namespace store {

struct Team
{
    qint64 rowid = 0;
    QString nom;
};

// A team row with its pictures, as read when a competition is opened.
struct TeamPictures
{
    QString nom;
    QByteArray blason;
    QByteArray icone;
};

// Why a file could not become the current competition.
enum class OpenFailure {
    None,
    NotFound,
    NotAFile,
    NotADatabase, // wrong password, not a database, or not encrypted with our key
    Damaged,
    ReadOnly,
    Interrupted, // a change left unfinished, which only a writing open can undo
    Locked,
    DiskFull,
    MissingTable,
    MissingProperty,
    BadTable,   // a view or an unusual kind of table, or a trigger
    BadValue,   // a stored value that the program's own files refuse
    BrokenRule, // results that break the rules of a league, or too many teams
    Other,
};

struct OpenError
{
    OpenFailure failure = OpenFailure::None;
    DbError engine;
    QString detail;  // the table or property at fault
    QString problem; // for BadTable, BadValue and BrokenRule: what is wrong, in French

    bool ok() const { return failure == OpenFailure::None; }
};

// French description of why path could not be opened, for the window to show.
QString describeOpenError(const OpenError& error, const QString& path);

// Checks, by reading only, that every stored value keeps the rules that the program's own
// files enforce, for a file whose tables have the right columns. False with error set if not.
bool checkCompetitionValues(Database& db, OpenError& error);

enum class OpenMode { ReadWrite, ReadOnly };

// An open competition: its database, its teams sorted by name and the points of a match.
class ResultSet;

class Competition
{
public:
    // Opens and checks path without changing anything else; on failure returns null.
    // pictures, when given, receives every team's crest and icon. ReadWrite refuses a file
    // that cannot be written; ReadOnly accepts it, and the database then refuses every change.
    static std::unique_ptr<Competition> open(const QString& path, OpenError& error,
                                             std::vector<TeamPictures>* pictures = nullptr,
                                             OpenMode mode = OpenMode::ReadWrite);

    Database& db() { return *m_db; }
    QString fileName() const { return m_db ? m_db->fileName() : QString(); }

    const std::vector<Team>& teamList() const { return m_teams; }
    qint16 teamCount() const { return m_teamCount; }
    quint8 ptsWinner() const { return m_ptsWinner; }
    quint8 ptsLooser() const { return m_ptsLooser; }
    quint8 ptsEquality() const { return m_ptsEquality; }
    TieBreak tieBreak() const { return m_tieBreak; }

    // Reads the points and the tie-break again after they were changed; also done whenever
    // the results are read again.
    [[nodiscard]] OpenError reloadSettings();

    // Reads the team list again after teams were changed; teamCount stays as at opening.
    [[nodiscard]] DbError requeryTeams();

    // Every result, read once and kept until the file or the team list changes: by this
    // program or by another one.
    [[nodiscard]] DbError results(std::shared_ptr<const ResultSet>& out);
    // The same, with no result when the file cannot be read.
    std::shared_ptr<const ResultSet> resultsOrNone();

private:
    Competition() = default;
    std::unique_ptr<Database> m_db;
    std::shared_ptr<const ResultSet> m_results;
    Database::ChangeStamp m_resultsStamp;
    std::vector<Team> m_teams;
    qint16 m_teamCount = 0;
    quint8 m_ptsWinner = 3, m_ptsLooser = 0, m_ptsEquality = 1;
    TieBreak m_tieBreak = TieBreak::Goals;
};

// The competition every window works on; at most one per process.
class CurrentCompetition
{
public:
    static Competition* get() { return s_current.get(); }
    static bool isOpen() { return bool(s_current); }
    // Makes c current; the previous competition is closed.
    static void replace(std::unique_ptr<Competition> c) { s_current = std::move(c); }
    static void close() { s_current.reset(); }

private:
    static inline std::unique_ptr<Competition> s_current;
};

} // namespace store
