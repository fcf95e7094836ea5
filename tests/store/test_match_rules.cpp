#include "store/MatchRules.h"
#include "store/TextChecks.h"

#include <algorithm>

#include <gtest/gtest.h>

namespace {

class MatchRulesTest : public testing::Test
{
protected:
    MatchRulesTest() : rules({"ARRAS", "LENS", "LILLE", "METZ"}, 4)
    {
        rules.addExisting({1, 1, QStringLiteral("LENS"), 2, QStringLiteral("LILLE"), 1});
    }
    MatchRules::Verdict check(const char* j, const char* h, const char* sh, const char* v,
                              const char* sv, std::optional<qint64> edited = std::nullopt)
    {
        return rules.check({QString::fromUtf8(j), QString::fromUtf8(h), QString::fromUtf8(sh),
                            QString::fromUtf8(v), QString::fromUtf8(sv)},
                           edited);
    }
    MatchRules rules;
};

TEST_F(MatchRulesTest, EmptyScoresComeFirstHomeBeforeAway)
{
    auto v = check("1", "LENS", "", "LENS", "");
    EXPECT_EQ(v.refusal, MatchRules::EmptyHomeScore);
    EXPECT_EQ(v.message, QStringLiteral("Entrez le score de l'équipe qui reçoit."));
    EXPECT_EQ(v.field, 0);
    v = check("1", "LENS", "0", "LENS", "");
    EXPECT_EQ(v.refusal, MatchRules::EmptyAwayScore);
    EXPECT_EQ(v.message, QStringLiteral("Entrez le score des visiteurs."));
    EXPECT_EQ(v.field, 1);
}

TEST_F(MatchRulesTest, ScoresFrom0To255OnlyAndDigitsOnly)
{
    EXPECT_TRUE(check("2", "ARRAS", "0", "METZ", "255").accepted());
    EXPECT_TRUE(check("2", "ARRAS", "007", "METZ", "0").accepted());
    for (const char* bad : {"256", "1000000000000", "-1", "2a", " 3"}) {
        const auto v = check("2", "ARRAS", bad, "METZ", "0");
        EXPECT_EQ(v.refusal, MatchRules::ScoreOutOfRange) << bad;
        EXPECT_EQ(v.field, 0);
    }
    EXPECT_EQ(check("2", "ARRAS", "1", "METZ", "300").field, 1);
}

TEST_F(MatchRulesTest, ATeamAgainstItselfNamesItTwice)
{
    const auto v = check("2", "ARRAS", "0", "ARRAS", "0");
    EXPECT_EQ(v.refusal, MatchRules::SameTeam);
    EXPECT_EQ(v.message, QStringLiteral("ARRAS contre ARRAS ?\nCorrigez les données."));
}

TEST_F(MatchRulesTest, OneMatchPerTeamAndMatchdayHomeTestedFirst)
{
    auto v = check("1", "LILLE", "0", "LENS", "0"); // both already play on matchday 1
    EXPECT_EQ(v.refusal, MatchRules::HomeAlreadyPlays);
    EXPECT_EQ(
        v.message,
        QStringLiteral(
            "La rencontre de LILLE de la Journée 1 est déjà enregistrée.\nCorrigez les données."));
    v = check("1", "ARRAS", "0", "LENS", "0");
    EXPECT_EQ(v.refusal, MatchRules::AwayAlreadyPlays);
    EXPECT_TRUE(v.message.startsWith(QStringLiteral("La rencontre de LENS de la Journée 1")));
    EXPECT_TRUE(check("1", "ARRAS", "0", "METZ", "0").accepted());
}

TEST_F(MatchRulesTest, EachOrderedPairingOnce)
{
    const auto v = check("3", "LENS", "0", "LILLE", "0");
    EXPECT_EQ(v.refusal, MatchRules::PairingRecorded);
    EXPECT_EQ(
        v.message,
        QStringLiteral("La rencontre LENS - LILLE est déjà enregistrée.\nCorrigez les données."));
    EXPECT_TRUE(check("3", "LILLE", "0", "LENS", "0").accepted());
    EXPECT_EQ(check("3", "lens", "0", "lille", "0").refusal, MatchRules::PairingRecorded);
}

TEST_F(MatchRulesTest, TheEditedRowNeverConflictsWithItself)
{
    EXPECT_TRUE(check("1", "LENS", "5", "LILLE", "5", 1).accepted()); // only the score changes
    EXPECT_TRUE(check("1", "LILLE", "5", "LENS", "5", 1).accepted()); // home and away swapped
    rules.addExisting({2, 2, QStringLiteral("ARRAS"), 0, QStringLiteral("LILLE"), 0});
    EXPECT_TRUE(check("3", "LENS", "1", "LILLE", "1", 1).accepted()); // moved to a free matchday
    EXPECT_EQ(check("2", "LENS", "1", "LILLE", "1", 1).refusal, MatchRules::AwayAlreadyPlays);
    rules.addExisting({3, 3, QStringLiteral("LILLE"), 0, QStringLiteral("LENS"), 0});
    EXPECT_EQ(check("1", "LILLE", "5", "LENS", "5", 1).refusal, MatchRules::PairingRecorded);
}

TEST_F(MatchRulesTest, ImportChecksMatchdayAndTeamsAndGivesTheStoredName)
{
    EXPECT_EQ(check("0", "ARRAS", "0", "METZ", "0").refusal, MatchRules::MatchdayOutOfRange);
    EXPECT_EQ(check("7", "ARRAS", "0", "METZ", "0").refusal, MatchRules::MatchdayOutOfRange);
    EXPECT_EQ(check("x", "ARRAS", "0", "METZ", "0").refusal, MatchRules::MatchdayOutOfRange);
    EXPECT_EQ(check("6", "NANCY", "0", "METZ", "0").refusal, MatchRules::UnknownTeam);
    const auto v = check("6", "arras", "2", "Metz", "1");
    ASSERT_TRUE(v.accepted());
    EXPECT_EQ(v.row.domicile, QStringLiteral("ARRAS"));
    EXPECT_EQ(v.row.visiteur, QStringLiteral("METZ"));
    EXPECT_EQ(v.row.journee, 6);
    EXPECT_EQ(v.row.scoreDomicile, 2);
}

} // namespace

// An odd league rests one team each matchday, so it needs 2n matchdays: five teams play their
// 20 matches over 10 matchdays, and an 11th is refused.
TEST(MatchRulesOddLeague, FiveTeamsRecordTheirWholeSeasonInTenMatchdays)
{
    const std::vector<QString> teams{"A", "B", "C", "D", "E"};
    MatchRules rules(teams, 5);
    EXPECT_EQ(rules.matchdayCount(), 10);
    EXPECT_EQ(store::matchdayCount(4), 6);
    EXPECT_EQ(store::matchdayCount(1), 0);
    // The circle method with a sixth, resting place; the second half swaps home and away.
    std::vector<int> ring{0, 1, 2, 3, 4, 5};
    int recorded = 0;
    for (int round = 0; round < 5; ++round) {
        for (int i = 0; i < 3; ++i) {
            const int a = ring[size_t(i)], b = ring[size_t(5 - i)];
            if (a == 5 || b == 5)
                continue;
            for (int half = 0; half < 2; ++half) {
                const QString day = QString::number(round + 1 + 5 * half);
                const QString home = teams[size_t(half ? b : a)],
                              away = teams[size_t(half ? a : b)];
                const auto v = rules.check({day, home, "1", away, "0"});
                ASSERT_TRUE(v.accepted()) << v.message.toStdString();
                rules.addExisting(v.row);
                ++recorded;
            }
        }
        std::rotate(ring.begin() + 1, ring.end() - 1, ring.end());
    }
    EXPECT_EQ(recorded, 20);
    EXPECT_EQ(rules.check({"11", "A", "0", "B", "0"}).refusal, MatchRules::MatchdayOutOfRange);
}

// Fixtures share the rules with results: one match per team and matchday, each ordered pairing
// once, as a result or as a fixture; a result of a scheduled pairing plays its fixture.
TEST_F(MatchRulesTest, FixturesKeepTheRulesAndAResultPlaysItsFixture)
{
    rules.addFixture({7, 2, QStringLiteral("ARRAS"), QStringLiteral("METZ")});
    const auto fixture = [this](const char* j, const char* h, const char* v,
                                std::optional<qint64> moved = std::nullopt) {
        return rules.checkFixture(
            {QString::fromUtf8(j), QString::fromUtf8(h), {}, QString::fromUtf8(v), {}}, moved);
    };
    EXPECT_TRUE(fixture("3", "LILLE", "LENS").accepted());
    EXPECT_EQ(fixture("7", "LILLE", "LENS").refusal, MatchRules::MatchdayOutOfRange);
    EXPECT_EQ(fixture("3", "LENS", "lens").refusal, MatchRules::SameTeam);
    EXPECT_EQ(fixture("1", "LENS", "ARRAS").refusal, MatchRules::HomeAlreadyPlays); // a result
    EXPECT_EQ(fixture("2", "LENS", "METZ").refusal, MatchRules::AwayAlreadyPlays);  // a fixture
    EXPECT_EQ(fixture("2", "LENS", "METZ").message,
              QStringLiteral("METZ a déjà une rencontre à jouer à la Journée 2.\n"
                             "Corrigez les données."));
    EXPECT_EQ(fixture("3", "LENS", "LILLE").refusal, MatchRules::PairingRecorded);
    const auto twice = fixture("4", "arras", "metz");
    EXPECT_EQ(twice.refusal, MatchRules::PairingScheduled);
    EXPECT_EQ(twice.message, QStringLiteral("La rencontre ARRAS - METZ est déjà au calendrier, à "
                                            "la Journée 2.\nCorrigez les données."));
    EXPECT_TRUE(fixture("4", "ARRAS", "METZ", 7).accepted()); // moved: never against itself
    EXPECT_EQ(fixture("4", "ARRAS", "METZ", 8).refusal, MatchRules::PairingScheduled);

    // Played on its own matchday or on another free one, the fixture is named to be removed.
    auto played = check("2", "ARRAS", "1", "METZ", "0");
    ASSERT_TRUE(played.accepted());
    EXPECT_EQ(played.playedFixture, std::optional<qint64>(7));
    EXPECT_EQ(check("5", "ARRAS", "1", "METZ", "0").playedFixture, std::optional<qint64>(7));
    // Another match of matchday 2 for a team with a fixture there is refused.
    EXPECT_EQ(check("2", "ARRAS", "1", "LILLE", "0").refusal, MatchRules::HomeAlreadyPlays);
    EXPECT_FALSE(check("3", "ARRAS", "1", "LILLE", "0").playedFixture);
    rules.removeFixture(7);
    EXPECT_TRUE(check("2", "ARRAS", "1", "LILLE", "0").accepted());
}
