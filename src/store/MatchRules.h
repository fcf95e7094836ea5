#pragma once

#include "store/Results.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <optional>
#include <vector>

// The rules that keep a league consistent, shared by match entry and by bulk import:
// a team never meets itself, plays at most once per matchday, and each ordered pairing
// (home, visitor) occurs once in the whole competition.
class MatchRules
{
public:
    enum Refusal {
        Accepted,
        EmptyHomeScore,
        EmptyAwayScore,
        ScoreOutOfRange,
        MatchdayOutOfRange,
        UnknownTeam,
        SameTeam,
        HomeAlreadyPlays,
        AwayAlreadyPlays,
        PairingRecorded,
    };

    struct Candidate
    {
        QString journee; // as typed
        QString domicile;
        QString scoreDomicile;
        QString visiteur;
        QString scoreVisiteur;
    };

    struct Verdict
    {
        Refusal refusal = Accepted;
        QString message;     // French, for the user
        int field = -1;      // 0 home score, 1 away score, 2 matchday, 3 home team, 4 visitor
        store::MatchRow row; // the match to store, when accepted

        bool accepted() const { return refusal == Accepted; }
    };

    // teams: the team names of the competition; teamCount gives the number of matchdays.
    MatchRules(const std::vector<QString>& teams, int teamCount);

    // The rows already stored (or accepted earlier in an import).
    void addExisting(const store::MatchRow& row);

    // Checks a match in the order the user is told: scores, teams, then the three rules.
    // In edition, editedRowid is the row being rewritten, which never conflicts with itself.
    Verdict check(const Candidate& c, std::optional<qint64> editedRowid = std::nullopt) const;

    int matchdayCount() const { return m_matchdays; }

private:
    // The place of a team's name among the names met, as the file compares names; -1 for a
    // name never met. add gives an unknown name (of a stored row) a place of its own.
    int find(const QString& name) const;
    int place(const QString& name);
    bool plays(int journee, int team, std::optional<qint64> skip) const;

    std::vector<QString> m_names; // stored names; those of the competition first
    int m_teamCount = 0;          // how many of m_names are teams of the competition
    QHash<QString, int> m_exact;  // stored name -> place
    QHash<QString, int> m_byKey;  // comparison key -> place
    int m_matchdays = 0;
    QHash<quint64, QList<qint64>> m_byDayTeam; // matchday and team -> rows
    QHash<quint64, QList<qint64>> m_byPair;    // home and visitor -> rows
};
