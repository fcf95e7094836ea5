// Penalties and the head-to-head tie-break, in the rankings and their history.
#include "models/RankingHistoryModel.h"
#include "models/StandingsModel.h"
#include "ranking/mRank.h"
#include "store/ResultSet.h"

#include "support/TestSupport.h"

#include <QRandomGenerator>

namespace {

using Rows = std::vector<store::MatchRow>;

std::vector<store::Team> teams(const QStringList& names)
{
    std::vector<store::Team> out;
    qint64 id = 0;
    for (const QString& n : names)
        out.push_back({++id, n});
    std::sort(out.begin(), out.end(), [](const store::Team& a, const store::Team& b) {
        return store::teamKey(a.nom) < store::teamKey(b.nom);
    });
    return out;
}

store::MatchRow m(int day, const char* h, int sh, const char* v, int sv)
{
    return {0, day, QString::fromUtf8(h), sh, QString::fromUtf8(v), sv};
}

int placeOf(const std::vector<store::Team>& list, const char* name)
{
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i].nom == QLatin1String(name))
            return int(i);
    return -1;
}

// "NAME:place:points" for every position, in order.
QStringList table(const RankingCollection& r, const cResult::Points& p = {3, 0, 1})
{
    QStringList out;
    for (int i = 1; i <= r.Count(); ++i)
        out << QStringLiteral("%1:%2:%3")
                   .arg(r.Item(i).TeamName)
                   .arg(r.Item(i).Ranking)
                   .arg(r.Item(i).points(p));
    return out;
}

Rows upTo(const Rows& rows, int day)
{
    Rows out;
    for (const store::MatchRow& r : rows)
        if (r.journee <= day)
            out.push_back(r);
    return out;
}

TEST(Penalties, CountInTheGeneralStandingsFromTheirMatchdayOn)
{
    const auto t = teams({"ARRAS", "BREST", "CAEN", "DIJON"});
    const Rows rows{m(1, "ARRAS", 2, "BREST", 0), m(1, "CAEN", 1, "DIJON", 1),
                    m(2, "ARRAS", 1, "CAEN", 0),  m(2, "BREST", 3, "DIJON", 0),
                    m(3, "DIJON", 0, "ARRAS", 0), m(3, "CAEN", 2, "BREST", 2)};
    RankingRules rules(cResult::Points{3, 0, 1});
    rules.penalties = {{placeOf(t, "ARRAS"), 6, 2}};

    // Before its matchday the deduction does not count; at it and after, it does.
    EXPECT_EQ(table(ComputeRanking(upTo(rows, 1), RankingKind::General, t, rules)).first(1),
              QStringList{"ARRAS:1:3"});
    const RankingCollection atTwo = ComputeRanking(upTo(rows, 2), RankingKind::General, t, rules);
    EXPECT_EQ(table(atTwo), (QStringList{"BREST:1:3", "CAEN:2:1", "DIJON:3:1", "ARRAS:4:0"}));
    EXPECT_EQ(atTwo.Find(QStringLiteral("ARRAS"))->points(rules.points), 0);
    EXPECT_EQ(atTwo.Find(QStringLiteral("ARRAS"))->Deduction, 6);
    const RankingCollection atThree = ComputeRanking(rows, RankingKind::General, t, rules);
    EXPECT_EQ(atThree.Find(QStringLiteral("ARRAS"))->points(rules.points), 1);

    // Points may go below zero.
    rules.penalties.push_back({placeOf(t, "DIJON"), 10, 1});
    const RankingCollection below = ComputeRanking(rows, RankingKind::General, t, rules);
    EXPECT_EQ(below.Item(4).TeamName, QStringLiteral("DIJON"));
    EXPECT_EQ(below.Item(4).points(rules.points), -8);

    // The other kinds of standings ignore penalties.
    for (RankingKind kind : {RankingKind::Domicile, RankingKind::Exterieur, RankingKind::Attaque,
                             RankingKind::Defense})
        EXPECT_EQ(table(ComputeRanking(rows, kind, t, rules)),
                  table(ComputeRanking(rows, kind, t, cResult::Points{3, 0, 1})))
            << int(kind);
}

TEST(Penalties, ADeductionAtTheLastMatchdayChangesTheChampion)
{
    const auto t = teams({"LENS", "NICE", "METZ"});
    const Rows rows{m(1, "LENS", 2, "METZ", 0), m(2, "NICE", 1, "METZ", 0),
                    m(3, "LENS", 1, "NICE", 1), m(4, "METZ", 0, "NICE", 0)};
    RankingRules rules(cResult::Points{3, 0, 1});
    EXPECT_EQ(table(ComputeRanking(rows, RankingKind::General, t, rules)),
              (QStringList{"NICE:1:5", "LENS:2:4", "METZ:3:1"}));
    // Level on points with NICE, LENS wins on goal difference.
    rules.penalties = {{placeOf(t, "NICE"), 1, 4}};
    EXPECT_EQ(table(ComputeRanking(rows, RankingKind::General, t, rules)),
              (QStringList{"LENS:1:4", "NICE:2:4", "METZ:3:1"}));
}

TEST(HeadToHead, TheMatchesBetweenLevelTeamsComeBeforeTheGoals)
{
    // ARRAS, BREST and CAEN end on 6 points behind EVIAN. Between them CAEN beat both others
    // and ARRAS beat BREST; overall, BREST has the best goal difference and CAEN the worst.
    const auto t = teams({"ARRAS", "BREST", "CAEN", "DIJON", "EVIAN"});
    const Rows rows{
        m(1, "CAEN", 1, "ARRAS", 0),  m(2, "CAEN", 1, "BREST", 0),  m(3, "ARRAS", 1, "BREST", 0),
        m(4, "ARRAS", 1, "DIJON", 0), m(5, "EVIAN", 1, "ARRAS", 0), m(4, "BREST", 5, "DIJON", 0),
        m(5, "BREST", 5, "EVIAN", 0), m(1, "DIJON", 3, "CAEN", 0),  m(3, "EVIAN", 3, "CAEN", 0),
        m(2, "DIJON", 0, "EVIAN", 0),
    };
    RankingRules goals(cResult::Points{3, 0, 1});
    RankingRules h2h = goals;
    h2h.tieBreak = store::TieBreak::HeadToHead;
    EXPECT_EQ(table(ComputeRanking(rows, RankingKind::General, t, goals)),
              (QStringList{"EVIAN:1:7", "BREST:2:6", "ARRAS:3:6", "CAEN:4:6", "DIJON:5:4"}));
    EXPECT_EQ(table(ComputeRanking(rows, RankingKind::General, t, h2h)),
              (QStringList{"EVIAN:1:7", "CAEN:2:6", "ARRAS:3:6", "BREST:4:6", "DIJON:5:4"}));
    // Home and away standings keep the goals order.
    EXPECT_EQ(table(ComputeRanking(rows, RankingKind::Domicile, t, h2h)),
              table(ComputeRanking(rows, RankingKind::Domicile, t, goals)));
    // A deduction puts CAEN out of the level group: BREST and ARRAS's own match decides.
    h2h.penalties = {{placeOf(t, "CAEN"), 1, 1}};
    EXPECT_EQ(table(ComputeRanking(rows, RankingKind::General, t, h2h)),
              (QStringList{"EVIAN:1:7", "ARRAS:2:6", "BREST:3:6", "CAEN:4:5", "DIJON:5:4"}));
}

TEST(HeadToHead, LevelBetweenThemselvesTheOverallGoalsDecideOrThePlaceIsShared)
{
    const auto t = teams({"LENS", "NICE", "METZ"});
    Rows rows{m(1, "LENS", 1, "NICE", 1), m(2, "NICE", 2, "LENS", 2), m(3, "LENS", 5, "METZ", 0),
              m(4, "NICE", 1, "METZ", 0)};
    RankingRules h2h(cResult::Points{3, 0, 1});
    h2h.tieBreak = store::TieBreak::HeadToHead;
    EXPECT_EQ(table(ComputeRanking(rows, RankingKind::General, t, h2h)),
              (QStringList{"LENS:1:5", "NICE:2:5", "METZ:3:0"}));
    rows[2] = m(3, "LENS", 1, "METZ", 0);
    EXPECT_EQ(table(ComputeRanking(rows, RankingKind::General, t, h2h)),
              (QStringList{"NICE:1:5", "LENS:1:5", "METZ:3:0"}));
}

TEST(HeadToHead, ThreeTeamsLevelInTheirOwnMatchesAreToldApartByTheirGoalDifferenceFirst)
{
    // Each won once: between them ARRAS +2, CAEN 0, BREST -2, while BREST and CAEN scored more.
    const auto t = teams({"ARRAS", "BREST", "CAEN"});
    const Rows rows{m(1, "ARRAS", 3, "BREST", 0), m(2, "BREST", 4, "CAEN", 3),
                    m(3, "CAEN", 1, "ARRAS", 0)};
    RankingRules h2h(cResult::Points{3, 0, 1});
    h2h.tieBreak = store::TieBreak::HeadToHead;
    EXPECT_EQ(table(ComputeRanking(rows, RankingKind::General, t, h2h)),
              (QStringList{"ARRAS:1:3", "CAEN:2:3", "BREST:3:3"}));
}

TEST(Penalties, TheStandingsListMarksThemAndCopiesAndExportsTheirTotal)
{
    const auto t = teams({"LENS", "NICE", "METZ"});
    const Rows rows{m(1, "LENS", 2, "METZ", 0), m(2, "NICE", 1, "METZ", 0)};
    RankingRules rules(cResult::Points{3, 0, 1});
    StandingsModel model;
    model.setItems(ComputeRanking(rows, RankingKind::General, t, rules), rules.points);
    const QStringList usual = model.captions();
    EXPECT_EQ(usual.size(), 11);

    rules.penalties = {{placeOf(t, "NICE"), 4, 2}};
    model.setItems(ComputeRanking(rows, RankingKind::General, t, rules), rules.points);
    EXPECT_EQ(model.captions(), usual + QStringList{"Pén."});
    // LENS 3, METZ 0, NICE 3 - 4 = -1.
    ASSERT_EQ(model.items().Item(3).TeamName, QStringLiteral("NICE"));
    EXPECT_EQ(model.data(model.index(2, 3), Qt::DisplayRole).toString(), QStringLiteral("-1*"));
    EXPECT_EQ(model.data(model.index(2, 3), Qt::ToolTipRole).toString(),
              QStringLiteral("Pénalités : 4 point(s) retiré(s)"));
    EXPECT_EQ(model.data(model.index(0, 3), Qt::DisplayRole).toString(), QStringLiteral("3"));
    EXPECT_FALSE(model.data(model.index(0, 3), Qt::ToolTipRole).isValid());
    EXPECT_EQ(model.exportedRow(2).mid(0, 3), (QStringList{"3", "NICE", "-1"}));
    EXPECT_EQ(model.exportedRow(2).last(), QStringLiteral("4"));
    EXPECT_EQ(model.exportedRow(0).last(), QStringLiteral("0"));
    EXPECT_TRUE(model.tabSeparated().startsWith(QStringLiteral("Pl\tEquipe\tPts")));
    EXPECT_TRUE(
        model.tabSeparated().section(QLatin1Char('\n'), 0, 0).endsWith(QStringLiteral("\tPén.")));

    // With zones as well, the zone comes last and the points' tooltip tells both.
    model.setItems(ComputeRanking(rows, RankingKind::General, t, rules), rules.points,
                   {{3, 3, QStringLiteral("Descente")}});
    EXPECT_EQ(model.captions(), (usual + QStringList{"Pén.", "Zone"}));
    EXPECT_EQ(model.exportedRow(2).mid(0, 3), (QStringList{"3", "NICE", "-1"}));
    EXPECT_EQ(model.exportedRow(2).mid(10), (QStringList{"4", "Descente"}));
    EXPECT_EQ(model.exportedRow(0).mid(10), (QStringList{"0", ""}));
    EXPECT_EQ(model.data(model.index(2, 3), Qt::ToolTipRole).toString(),
              QStringLiteral("Pénalités : 4 point(s) retiré(s)\nZone : Descente"));
    EXPECT_EQ(model.data(model.index(2, 3), Qt::DisplayRole).toString(), QStringLiteral("-1*"));

    // A team's ranking history marks them the same way, from the matchday they count.
    rules.penalties = {{placeOf(t, "LENS"), 5, 2}};
    RankingHistoryModel history;
    history.setTeam(QStringLiteral("LENS"));
    const store::TeamLookup lookup(t);
    std::vector<store::TeamResult> resolved;
    for (const store::MatchRow& r : rows)
        resolved.push_back({r.journee, lookup.find(r.domicile), lookup.find(r.visiteur),
                            r.scoreDomicile, r.scoreVisiteur});
    history.setItems(RankingHistories(resolved, RankingKind::General, t, rules,
                                      std::vector<int>{placeOf(t, "LENS")})
                         .front(),
                     rules.points);
    ASSERT_EQ(history.rowCount(), 2);
    EXPECT_EQ(history.captions().last(), QStringLiteral("Pén."));
    EXPECT_EQ(history.data(history.index(0, 4), Qt::DisplayRole).toString(), QStringLiteral("-2*"));
    EXPECT_EQ(history.data(history.index(0, 4), Qt::ToolTipRole).toString(),
              QStringLiteral("Pénalités : 5 point(s) retiré(s)"));
    EXPECT_EQ(history.data(history.index(1, 4), Qt::DisplayRole).toString(), QStringLiteral("3"));
    EXPECT_EQ(history.exportedRow(0).mid(1, 3), (QStringList{"3", "LENS", "-2"}));
    EXPECT_EQ(history.exportedRow(0).last(), QStringLiteral("5"));
    EXPECT_EQ(history.exportedRow(1).last(), QStringLiteral("0"));
}

// Random seasons: the one-pass history gives, at every matchday, what one ranking of the
// results up to that matchday gives, with penalties and both tie-breaks.
TEST(LeagueRules, HistoryMatchesOneRankingPerMatchday)
{
    QStringList names;
    for (int i = 0; i < 8; ++i)
        names << QStringLiteral("T%1").arg(i);
    const auto t = teams(names);
    QRandomGenerator random(20261206);
    Rows rows = testsupport::doubleRoundRobin(names);
    for (store::MatchRow& r : rows) {
        r.scoreDomicile = random.bounded(3);
        r.scoreVisiteur = random.bounded(3);
    }
    for (store::TieBreak tieBreak : {store::TieBreak::Goals, store::TieBreak::HeadToHead}) {
        RankingRules rules(cResult::Points{3, 0, 1});
        rules.tieBreak = tieBreak;
        rules.penalties = {{1, 2, 3}, {4, 5, 9}, {1, 1, 14}};
        std::vector<int> all(t.size());
        std::iota(all.begin(), all.end(), 0);
        const store::TeamLookup lookup(t);
        std::vector<store::TeamResult> resolved;
        Rows sorted = rows;
        std::stable_sort(sorted.begin(), sorted.end(),
                         [](const auto& a, const auto& b) { return a.journee < b.journee; });
        for (const store::MatchRow& r : sorted)
            resolved.push_back({r.journee, lookup.find(r.domicile), lookup.find(r.visiteur),
                                r.scoreDomicile, r.scoreVisiteur});
        const auto histories = RankingHistories(resolved, RankingKind::General, t, rules, all);
        for (size_t team = 0; team < t.size(); ++team) {
            for (const HistoryEntry& h : histories[team]) {
                const RankingCollection r =
                    ComputeRanking(upTo(rows, h.journee), RankingKind::General, t, rules);
                const cResult* once = r.Find(t[team].nom);
                ASSERT_TRUE(once);
                EXPECT_EQ(h.record.Ranking, once->Ranking)
                    << int(tieBreak) << " " << team << " J" << h.journee;
                EXPECT_EQ(h.record.points(rules.points), once->points(rules.points));
            }
        }
    }
}

} // namespace
