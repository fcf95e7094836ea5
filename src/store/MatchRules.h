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
    bool plays(int journee, const QString& key, std::optional<qint64> skip) const;

    QHash<QString, QString> m_teams; // key -> stored name
    int m_matchdays = 0;
    QHash<QString, QList<qint64>> m_byDayTeam; // matchday and team -> rows
    QHash<QString, QList<qint64>> m_byPair;    // home and visitor -> rows
};
