#pragma once

#include "store/Database.h"

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
    Locked,
    DiskFull,
    MissingTable,
    MissingProperty,
    Other,
};

struct OpenError
{
    OpenFailure failure = OpenFailure::None;
    DbError engine;
    QString detail; // the missing table or property

    bool ok() const { return failure == OpenFailure::None; }
};

// French description of why path could not be opened, for the window to show.
QString describeOpenError(const OpenError& error, const QString& path);

// An open competition: its database, its teams sorted by name and the points of a match.
class Competition
{
public:
    // Opens and checks path without changing anything else; on failure returns null.
    // pictures, when given, receives every team's crest and icon.
    static std::unique_ptr<Competition> open(const QString& path, OpenError& error,
                                             std::vector<TeamPictures>* pictures = nullptr);

    Database& db() { return *m_db; }
    QString fileName() const { return m_db ? m_db->fileName() : QString(); }

    const std::vector<Team>& teamList() const { return m_teams; }
    qint16 teamCount() const { return m_teamCount; }
    quint8 ptsWinner() const { return m_ptsWinner; }
    quint8 ptsLooser() const { return m_ptsLooser; }
    quint8 ptsEquality() const { return m_ptsEquality; }

    // Reads the team list again after teams were changed; teamCount stays as at opening.
    [[nodiscard]] DbError requeryTeams();

private:
    Competition() = default;
    std::unique_ptr<Database> m_db;
    std::vector<Team> m_teams;
    qint16 m_teamCount = 0;
    quint8 m_ptsWinner = 3, m_ptsLooser = 0, m_ptsEquality = 1;
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
