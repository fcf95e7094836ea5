#include "ranking/mRank.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

using Rows = std::vector<store::MatchRow>;

std::vector<store::Team> teams(std::initializer_list<const char*> names)
{
    std::vector<store::Team> out;
    qint64 id = 0;
    for (const char* n : names)
        out.push_back({++id, QString::fromUtf8(n)});
    std::sort(out.begin(), out.end(), [](const store::Team& a, const store::Team& b) {
        return store::teamKey(a.nom) < store::teamKey(b.nom);
    });
    return out;
}

store::MatchRow m(int day, const char* h, int sh, const char* v, int sv)
{
    return {0, day, QString::fromUtf8(h), sh, QString::fromUtf8(v), sv};
}

// "NAME:place" for every position, in order.
QStringList table(const RankingCollection& r)
{
    QStringList out;
    for (int i = 1; i <= r.Count(); ++i)
        out << QStringLiteral("%1:%2").arg(r.Item(i).TeamName).arg(r.Item(i).Ranking);
    return out;
}

const cResult::Points kUsual{3, 0, 1};

TEST(Ranking, NoResultsAllShareFirstPlaceInDescendingNameOrder)
{
    const auto t = teams({"ARRAS", "LENS", "BREST", "AMIENS"});
    for (int kind = 0; kind <= 4; ++kind) {
        const RankingCollection r =
            ComputeRanking(std::vector<store::MatchRow>{}, RankingKind(kind), t, kUsual);
        EXPECT_EQ(table(r), (QStringList{"LENS:1", "BREST:1", "ARRAS:1", "AMIENS:1"})) << kind;
        EXPECT_EQ(r.Find(QStringLiteral("BREST"))->played(), 0);
    }
}

TEST(Ranking, PointsThenDifferenceThenGoalsScored)
{
    const auto t = teams({"A", "B", "C", "D", "E"});
    // A and B: 3 points, difference +1; B scored more. C and D: 3 points, +1, 1 goal each.
    const Rows rows{m(1, "A", 1, "E", 0), m(2, "E", 2, "B", 3), m(3, "C", 1, "E", 0),
                    m(4, "E", 0, "D", 1)};
    const RankingCollection r = ComputeRanking(rows, RankingKind::General, t, kUsual);
    EXPECT_EQ(table(r), (QStringList{"B:1", "D:2", "C:2", "A:2", "E:5"}));
    // Goals conceded play no part once points, difference and goals scored are equal.
    EXPECT_EQ(r.Find(QStringLiteral("A"))->ButsContre, 0);
    EXPECT_EQ(r.Item(1).difference(), 1);
}

TEST(Ranking, ALeaderThenThreeTiedTeams)
{
    const auto t = teams({"LEADER", "T1", "T2", "T3", "LAST"});
    const Rows tie{m(1, "LEADER", 3, "LAST", 0), m(1, "T1", 1, "T2", 1), m(2, "T2", 1, "T3", 1),
                   m(3, "T3", 1, "T1", 1)};
    const RankingCollection r = ComputeRanking(tie, RankingKind::General, t, kUsual);
    EXPECT_EQ(table(r), (QStringList{"LEADER:1", "T3:2", "T2:2", "T1:2", "LAST:5"}));
}

TEST(Ranking, HomeAndAwayKindsCountOnlyTheirMatches)
{
    const auto t = teams({"A", "B"});
    const Rows rows{m(1, "A", 3, "B", 0), m(2, "B", 2, "A", 1)};
    const RankingCollection home = ComputeRanking(rows, RankingKind::Domicile, t, kUsual);
    const cResult* a = home.Find(QStringLiteral("A"));
    EXPECT_EQ(a->Won, 1);
    EXPECT_EQ(a->Lost, 0);
    EXPECT_EQ(a->ButsPour, 3);
    EXPECT_EQ(a->ButsContre, 0);
    EXPECT_EQ(home.Find(QStringLiteral("B"))->ButsPour, 2);
    EXPECT_EQ(table(home), (QStringList{"A:1", "B:2"}));

    const RankingCollection away = ComputeRanking(rows, RankingKind::Exterieur, t, kUsual);
    EXPECT_EQ(away.Find(QStringLiteral("A"))->Lost, 1);
    EXPECT_EQ(away.Find(QStringLiteral("A"))->ButsPour, 1);
    EXPECT_EQ(away.Find(QStringLiteral("B"))->played(), 1);
    EXPECT_EQ(away.Find(QStringLiteral("B"))->ButsContre, 3);
    EXPECT_EQ(table(away), (QStringList{"A:1", "B:2"})); // both lost away; A by fewer goals
}

TEST(Ranking, AttackAndDefenceShareAPlaceOnEqualGoals)
{
    const auto t = teams({"A", "B", "C", "D"});
    const Rows rows{m(1, "A", 4, "B", 2), m(1, "C", 2, "D", 2), m(2, "B", 0, "D", 1)};
    // Scored: A 4, B 2, C 2, D 3. Conceded: A 2, B 5, C 2, D 2.
    EXPECT_EQ(table(ComputeRanking(rows, RankingKind::Attaque, t, kUsual)),
              (QStringList{"A:1", "D:2", "C:3", "B:3"}));
    EXPECT_EQ(table(ComputeRanking(rows, RankingKind::Defense, t, kUsual)),
              (QStringList{"D:1", "C:1", "A:1", "B:4"}));
}

TEST(Ranking, PointsForADefeatAndNothingForADraw)
{
    const auto t = teams({"A", "B", "C"});
    const Rows rows{m(1, "A", 0, "B", 1), m(2, "C", 2, "A", 2)};
    // With 1 point for a defeat and none for a draw, A (a defeat and a draw) has 1, C 0.
    const RankingCollection r =
        ComputeRanking(rows, RankingKind::General, t, cResult::Points{3, 1, 0});
    EXPECT_EQ(r.Find(QStringLiteral("A"))->points({3, 1, 0}), 1);
    EXPECT_EQ(table(r), (QStringList{"B:1", "A:2", "C:3"}));
}

TEST(Ranking, TheMatchdayBoundLeavesLaterMatchesOut)
{
    const auto t = teams({"A", "B", "LATE"});
    const Rows all{m(1, "A", 1, "B", 0), m(2, "B", 5, "A", 0), m(3, "LATE", 9, "A", 0)};
    Rows bounded;
    std::copy_if(all.begin(), all.end(), std::back_inserter(bounded),
                 [](const store::MatchRow& r) { return r.journee <= 1; });
    const RankingCollection r = ComputeRanking(bounded, RankingKind::General, t, kUsual);
    EXPECT_EQ(table(r), (QStringList{"A:1", "LATE:2", "B:3"}));
    EXPECT_EQ(r.Find(QStringLiteral("LATE"))->played(), 0);
}

TEST(Ranking, BigCountsDoNotOverflowAndOddNamesAreRanked)
{
    const auto t = teams({"RC \"LENS\"", "B"});
    Rows rows;
    for (int day = 1; day <= 254; ++day)
        rows.push_back(day % 2 ? m(day, "RC \"LENS\"", 255, "B", 0)
                               : m(day, "B", 0, "RC \"LENS\"", 255));
    const RankingCollection r =
        ComputeRanking(rows, RankingKind::General, t, cResult::Points{255, 0, 0});
    ASSERT_EQ(r.Item(1).TeamName, QStringLiteral("RC \"LENS\""));
    EXPECT_EQ(r.Item(1).points({255, 0, 0}), 254 * 255);
    EXPECT_EQ(r.Item(1).ButsPour, 254 * 255);
    EXPECT_EQ(r.Item(2).difference(), -254 * 255);
}

TEST(Ranking, NamesMatchIgnoringLetterCaseAsTheFileDoes)
{
    const auto t = teams({"LENS", "ARRAS"});
    const RankingCollection r =
        ComputeRanking({m(1, "lens", 2, "Arras", 1)}, RankingKind::Domicile, t, kUsual);
    EXPECT_EQ(r.Find(QStringLiteral("LENS"))->Won, 1);
    EXPECT_EQ(r.Find(QStringLiteral("LENS"))->ButsPour, 2);
    EXPECT_EQ(r.Find(QStringLiteral("ARRAS"))->played(), 0);
    EXPECT_EQ(r.Find(QStringLiteral("Arras")), r.Find(QStringLiteral("ARRAS")));
}

TEST(Ranking, AKindOutsideTheFiveIsRefused)
{
    const auto t = teams({"A", "B"});
    EXPECT_THROW(ComputeRanking(std::vector<store::MatchRow>{}, RankingKind(5), t, kUsual),
                 BadRankingKind);
    EXPECT_THROW(RankingHistory({}, RankingKind(-1), t, kUsual, QStringLiteral("A")),
                 BadRankingKind);
}

TEST(RankingHistory, EqualsOneRankingPerMatchdayOnARandomLeague)
{
    QRandomGenerator rng(20261206);
    std::vector<store::Team> t;
    for (int i = 0; i < 12; ++i)
        t.push_back({i + 1, QStringLiteral("EQ%1").arg(i, 2, 10, QLatin1Char('0'))});
    Rows rows;
    for (int day = 1; day <= 22; ++day) {
        if (day == 7)
            continue; // a matchday without results
        for (int k = 0; k < 6; ++k) {
            if (rng.bounded(5) == 0)
                continue; // some matches not played, so counters repeat
            const int a = int(rng.bounded(12)), b = (a + 1 + int(rng.bounded(11))) % 12;
            rows.push_back({0, day, t[size_t(a)].nom, int(rng.bounded(4)), t[size_t(b)].nom,
                            int(rng.bounded(4))});
        }
    }
    std::shuffle(rows.begin(), rows.end(), std::mt19937(7));
    const cResult::Points pts{3, 1, 1};
    for (int kind = 0; kind <= 4; ++kind)
        for (const store::Team& team : t) {
            const auto history = RankingHistory(rows, RankingKind(kind), t, pts, team.nom);
            ASSERT_EQ(history.size(), 21u);
            int previousDay = 1000;
            for (const HistoryEntry& h : history) {
                EXPECT_LT(h.journee, previousDay); // newest first
                previousDay = h.journee;
                Rows bounded;
                for (const auto& r : rows)
                    if (r.journee <= h.journee)
                        bounded.push_back(r);
                const RankingCollection ranked = ComputeRanking(bounded, RankingKind(kind), t, pts);
                const cResult* want = ranked.Find(team.nom);
                ASSERT_TRUE(want);
                EXPECT_EQ(h.record.Ranking, want->Ranking) << kind << " " << h.journee;
                EXPECT_EQ(h.record.Won, want->Won);
                EXPECT_EQ(h.record.Nul, want->Nul);
                EXPECT_EQ(h.record.Lost, want->Lost);
                EXPECT_EQ(h.record.ButsPour, want->ButsPour);
                EXPECT_EQ(h.record.ButsContre, want->ButsContre);
            }
        }
    EXPECT_TRUE(
        RankingHistory(rows, RankingKind::General, t, pts, QStringLiteral("NOBODY")).empty());
    EXPECT_TRUE(RankingHistory({}, RankingKind::General, t, pts, t[0].nom).empty());
}

TEST(RankingHistory, SeveralTeamsInOnePassInTheOrderGiven)
{
    const auto t = teams({"ARRAS", "BREST", "LENS", "METZ", "NICE"});
    const Rows rows{m(2, "ARRAS", 1, "METZ", 1), m(1, "LENS", 2, "ARRAS", 0),
                    m(1, "METZ", 1, "BREST", 1), m(2, "BREST", 0, "LENS", 3),
                    m(4, "lens", 1, "nice", 1),  m(4, "BREST", 2, "ARRAS", 0)};
    const QStringList chosen{"NICE", "NOBODY", "lens", "ARRAS", "NICE"};
    for (int kind = 0; kind <= 4; ++kind) {
        const auto histories = RankingHistories(rows, RankingKind(kind), t, kUsual, chosen);
        ASSERT_EQ(histories.size(), 5u);
        EXPECT_TRUE(histories[1].empty());
        for (qsizetype c = 0; c < chosen.size(); ++c) {
            if (c == 1)
                continue;
            const std::vector<HistoryEntry>& h = histories[size_t(c)];
            ASSERT_EQ(h.size(), 3u) << chosen[c].toStdString();
            EXPECT_EQ(h[0].journee, 4); // newest first
            EXPECT_EQ(h[2].journee, 1);
            for (const HistoryEntry& e : h) {
                Rows bounded;
                for (const auto& r : rows)
                    if (r.journee <= e.journee)
                        bounded.push_back(r);
                const RankingCollection ranked =
                    ComputeRanking(bounded, RankingKind(kind), t, kUsual);
                const cResult* want = ranked.Find(e.record.TeamName);
                ASSERT_TRUE(want) << e.record.TeamName.toStdString();
                EXPECT_EQ(store::teamKey(want->TeamName), store::teamKey(chosen[c]));
                EXPECT_EQ(e.record.Ranking, want->Ranking) << kind << " " << e.journee;
                EXPECT_EQ(e.record.points(kUsual), want->points(kUsual));
            }
        }
    }
    EXPECT_TRUE(RankingHistories(rows, RankingKind::General, t, kUsual, {}).empty());
    EXPECT_THROW(RankingHistories(rows, RankingKind(7), t, kUsual, {"LENS"}), BadRankingKind);
}

} // namespace
