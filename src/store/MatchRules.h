#pragma once

#include "store/Fixtures.h"
#include "store/Results.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <optional>
#include <vector>

// The rules that keep a league consistent, shared by match entry, bulk import and the
// calendar: a team never meets itself, plays at most once per matchday, and each ordered
// pairing (home, visitor) occurs once in the whole competition, as a result or as a fixture
// to play, never both. A result for a pairing that has a fixture plays that fixture.
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
        PairingScheduled,
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
        // The fixture of the same pairing that an accepted result plays, to be taken off the
        // calendar with it.
        std::optional<qint64> playedFixture;

        bool accepted() const { return refusal == Accepted; }
    };

    // teams: the team names of the competition; teamCount gives the number of matchdays.
    MatchRules(const std::vector<QString>& teams, int teamCount);

    // The rows already stored (or accepted earlier in an import).
    void addExisting(const store::MatchRow& row);
    // The fixtures already in the calendar (or accepted earlier).
    void addFixture(const store::Fixture& fixture);
    // A fixture played, or moved: it no longer holds its teams nor its pairing.
    void removeFixture(qint64 rowid);

    // Checks a match in the order the user is told: scores, teams, then the three rules.
    // In edition, editedRowid is the row being rewritten, which never conflicts with itself.
    Verdict check(const Candidate& c, std::optional<qint64> editedRowid = std::nullopt) const;
    // Checks a fixture (its scores are not read); movedFixture is the fixture being moved,
    // which never conflicts with itself. The accepted row carries no scores.
    Verdict checkFixture(const Candidate& c,
                         std::optional<qint64> movedFixture = std::nullopt) const;

    int matchdayCount() const { return m_matchdays; }

private:
    // The place of a team's name among the names met, as the file compares names; -1 for a
    // name never met. add gives an unknown name (of a stored row) a place of its own.
    int find(const QString& name) const;
    int place(const QString& name);
    bool plays(int journee, int team, std::optional<qint64> skip) const;
    // A fixture of that team on that matchday other than skip and other than the pairing
    // (home, visitor), which a result would play.
    std::optional<qint64> scheduled(int journee, int team, std::optional<qint64> skip,
                                    std::optional<quint64> pairing) const;
    // The checks common to results and fixtures: matchday, teams, and a team meeting itself.
    bool checkPlaces(const Candidate& c, Verdict& v, int& day, int& home, int& visitor) const;

    std::vector<QString> m_names; // stored names; those of the competition first
    int m_teamCount = 0;          // how many of m_names are teams of the competition
    QHash<QString, int> m_exact;  // stored name -> place
    QHash<QString, int> m_byKey;  // comparison key -> place
    int m_matchdays = 0;
    QHash<quint64, QList<qint64>> m_byDayTeam; // matchday and team -> rows
    QHash<quint64, QList<qint64>> m_byPair;    // home and visitor -> rows
    QHash<quint64, QList<qint64>> m_fixturesByDayTeam;
    QHash<quint64, QList<qint64>> m_fixturesByPair;
    QHash<qint64, quint64> m_fixturePair; // fixture -> home and visitor
    QHash<qint64, int> m_fixtureDay;
};
