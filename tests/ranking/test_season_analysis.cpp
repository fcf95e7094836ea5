#include "ranking/SeasonAnalysis.h"

#include <gtest/gtest.h>

namespace {

std::vector<store::Team> teams(const QStringList& names)
{
    std::vector<store::Team> t;
    for (const QString& n : names)
        t.push_back({qint64(t.size() + 1), n});
    return t;
}

TEST(SeasonAnalysis, TheRunDescribesTheNewestResults)
{
    EXPECT_EQ(currentRun(QString()), QString());
    EXPECT_EQ(currentRun(QStringLiteral("DV")), QStringLiteral("1 victoire"));
    EXPECT_EQ(currentRun(QStringLiteral("DVVV")), QStringLiteral("3 victoires de suite"));
    EXPECT_EQ(currentRun(QStringLiteral("DNVNVV")), QStringLiteral("5 matchs sans défaite"));
    EXPECT_EQ(currentRun(QStringLiteral("VD")), QStringLiteral("1 défaite"));
    EXPECT_EQ(currentRun(QStringLiteral("VDDD")), QStringLiteral("3 défaites de suite"));
    EXPECT_EQ(currentRun(QStringLiteral("VNDD")), QStringLiteral("3 matchs sans victoire"));
    EXPECT_EQ(currentRun(QStringLiteral("N")), QStringLiteral("1 match sans défaite"));
    EXPECT_EQ(currentRun(QStringLiteral("VN")), QStringLiteral("2 matchs sans défaite"));
    EXPECT_EQ(currentRun(QStringLiteral("DN")), QStringLiteral("2 matchs sans victoire"));
    EXPECT_EQ(currentRun(QStringLiteral("VVN")), QStringLiteral("3 matchs sans défaite"));
    EXPECT_EQ(currentRun(QStringLiteral("DDN")), QStringLiteral("3 matchs sans victoire"));
}

// A small season with a gap: nobody played matchday 3, and ANGERS plays only twice.
class FormTest : public testing::Test
{
protected:
    std::vector<store::Team> t = teams({"ANGERS", "BREST", "CAEN", "DIJON"});
    std::vector<store::MatchRow> rows{
        {1, 1, "BREST", 2, "CAEN", 0},  {2, 1, "DIJON", 1, "ANGERS", 1},
        {3, 2, "CAEN", 1, "DIJON", 3},  {4, 2, "ANGERS", 0, "BREST", 1},
        {5, 4, "BREST", 0, "DIJON", 0}, {6, 5, "DIJON", 2, "CAEN", 2},
        {7, 6, "caen", 1, "brest", 4}, // the file's names ignore letter case
        {8, 7, "DIJON", 3, "BREST", 0},
    };
    const TeamForm& of(const std::vector<TeamForm>& forms, const char* team)
    {
        for (const TeamForm& f : forms)
            if (f.team == QLatin1String(team))
                return f;
        ADD_FAILURE() << team;
        return forms.front();
    }
};

TEST_F(FormTest, LastResultsPointsRunsAndRecordsInStandingsOrder)
{
    const std::vector<TeamForm> forms = SeasonForm(rows, t, cResult::Points{3, 0, 1});
    ASSERT_EQ(forms.size(), 4u);
    QStringList order;
    for (const TeamForm& f : forms)
        order << f.team;
    EXPECT_EQ(order, (QStringList{"BREST", "DIJON", "ANGERS", "CAEN"}));

    const TeamForm& brest = of(forms, "BREST");
    EXPECT_EQ(brest.last, QStringLiteral("VVNVD")); // oldest first
    EXPECT_EQ(brest.lastPoints, 3 + 3 + 1 + 3 + 0);
    EXPECT_EQ(brest.currentRun, QStringLiteral("1 défaite"));
    EXPECT_EQ(brest.longestWinningRun, 2);
    EXPECT_EQ(brest.homeWon, 1);
    EXPECT_EQ(brest.homeDrawn, 1);
    EXPECT_EQ(brest.awayWon, 2);
    EXPECT_EQ(brest.awayLost, 1);
    EXPECT_EQ(of(forms, "DIJON").last, QStringLiteral("NVNNV"));
    EXPECT_EQ(of(forms, "DIJON").lastPoints, 9);

    // Fewer than five matches: only those.
    const TeamForm& angers = of(forms, "ANGERS");
    EXPECT_EQ(angers.last, QStringLiteral("ND"));
    EXPECT_EQ(angers.lastPoints, 1);
    EXPECT_EQ(angers.currentRun, QStringLiteral("2 matchs sans victoire"));
    EXPECT_EQ(of(forms, "CAEN").currentRun, QStringLiteral("4 matchs sans victoire"));

    // Three last matches, up to matchday 4 (matchday 3 has none).
    const std::vector<TeamForm> early = SeasonForm(rows, t, cResult::Points{3, 0, 1}, 4, 3);
    EXPECT_EQ(of(early, "BREST").last, QStringLiteral("VVN"));
    EXPECT_EQ(of(early, "BREST").currentRun, QStringLiteral("3 matchs sans défaite"));
    EXPECT_EQ(of(early, "CAEN").last, QStringLiteral("DD"));
}

TEST_F(FormTest, TheGridHoldsEachMatchOnceInTeamListOrder)
{
    const SeasonGrid grid(rows, t);
    ASSERT_EQ(grid.size(), 4);
    EXPECT_EQ(grid.team(1), QStringLiteral("BREST"));
    int played = 0;
    for (int h = 0; h < 4; ++h) {
        EXPECT_FALSE(grid.cell(h, h).played);
        for (int v = 0; v < 4; ++v)
            played += grid.cell(h, v).played;
    }
    EXPECT_EQ(played, 8);
    const GridCell& caenBrest = grid.cell(2, 1); // "caen" - "brest" on matchday 6
    EXPECT_TRUE(caenBrest.played);
    EXPECT_EQ(caenBrest.journee, 6);
    EXPECT_EQ(caenBrest.rowid, 7);
    EXPECT_EQ(caenBrest.home, 1);
    EXPECT_EQ(caenBrest.away, 4);
    EXPECT_TRUE(grid.cell(1, 2).played); // BREST - CAEN on matchday 1
    // Bounded by a matchday, the later matches are empty cells.
    const SeasonGrid early(rows, t, 2);
    EXPECT_FALSE(early.cell(2, 1).played);
    EXPECT_TRUE(early.cell(2, 3).played);
}

} // namespace
