#include "ranking/mRank.h"
#include "store/Competition.h"
#include "store/ResultSet.h"
#include "store/Teams.h"

#include "support/TestSupport.h"

using namespace testsupport;

namespace {

std::unique_ptr<store::Competition> openCompetition(const QString& path)
{
    store::OpenError error;
    auto c = store::Competition::open(path, error);
    EXPECT_TRUE(c) << error.detail.toStdString();
    return c;
}

std::shared_ptr<const store::ResultSet> resultsOf(store::Competition& c)
{
    std::shared_ptr<const store::ResultSet> set;
    EXPECT_TRUE(c.results(set).ok());
    return set;
}

QStringList described(const std::vector<store::MatchRow>& rows)
{
    QStringList out;
    for (const store::MatchRow& r : rows)
        out << QStringLiteral("%1:%2-%3").arg(r.journee).arg(r.domicile, r.visiteur);
    return out;
}

QString leader(store::Competition& c)
{
    return ComputeRanking(resultsOf(c)->teamResults(), RankingKind::General, c.teamList(),
                          competitionPoints(c))
        .Item(1)
        .TeamName;
}

class ResultSetTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        path = dir.file(QStringLiteral("c.dat"));
        makeCompetition(path, QStringList{"BREST", "LENS", "METZ", "NICE"});
        // Stored out of matchday order, with a name in another letter case.
        addMatches(path, {{0, 3, "BREST", 1, "LENS", 0},
                          {0, 1, "lens", 2, "METZ", 2},
                          {0, 1, "NICE", 0, "BREST", 1},
                          {0, 2, "METZ", 3, "NICE", 1}});
        c = openCompetition(path);
        ASSERT_TRUE(c);
    }

    TempDir dir;
    QString path;
    std::unique_ptr<store::Competition> c;
};

TEST_F(ResultSetTest, KeepsMatchdayOrderAndAnswersEachQueryFromOneRead)
{
    const auto set = resultsOf(*c);
    EXPECT_EQ(described(set->rows()),
              (QStringList{"1:lens-METZ", "1:NICE-BREST", "2:METZ-NICE", "3:BREST-LENS"}));
    // Places in the team list (BREST, LENS, METZ, NICE), the letter case ignored.
    EXPECT_EQ(set->teamResults()[0].home, 1);
    EXPECT_EQ(set->teamResults()[0].away, 2);
    EXPECT_EQ(set->teamResultsUpTo(2).size(), 3u);
    EXPECT_EQ(set->teamResultsUpTo(0).size(), 0u);
    EXPECT_EQ(set->teamResultsUpTo(std::nullopt).size(), 4u);
    EXPECT_EQ(described(set->matchday(1)), (QStringList{"1:lens-METZ", "1:NICE-BREST"}));
    EXPECT_TRUE(set->matchday(4).empty());
    EXPECT_EQ(set->playedMatchdays(), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(described(set->teamMatches(0)), (QStringList{"3:BREST-LENS", "1:NICE-BREST"}));
    EXPECT_TRUE(set->teamMatches(-1).empty());

    // The same answers as the rankings made from the rows as read; a file made before
    // deductions and the tie-break ranks by the points alone, as it always did.
    std::vector<store::MatchRow> rows;
    ASSERT_TRUE(store::loadResults(c->db(), 2, rows).ok());
    for (int kind = 0; kind <= 4; ++kind) {
        const auto fromNames =
            ComputeRanking(rows, RankingKind(kind), c->teamList(), competitionPoints(*c));
        const auto fromPlaces = ComputeRanking(set->teamResultsUpTo(2), RankingKind(kind),
                                               c->teamList(), competitionRules(*c, *set));
        for (int i = 1; i <= 4; ++i) {
            EXPECT_EQ(fromNames.Item(i).TeamName, fromPlaces.Item(i).TeamName) << kind;
            EXPECT_EQ(fromNames.Item(i).Ranking, fromPlaces.Item(i).Ranking) << kind;
            EXPECT_EQ(fromNames.Item(i).ButsPour, fromPlaces.Item(i).ButsPour) << kind;
        }
    }
}

TEST_F(ResultSetTest, ReadOnceUntilTheFileChangesThroughAnyConnection)
{
    const auto first = resultsOf(*c);
    EXPECT_EQ(resultsOf(*c).get(), first.get()); // nothing changed: not read again

    // A change through the competition's own connection.
    ASSERT_TRUE(c->db()
                    .run(QStringLiteral("UPDATE \"Résultats\" SET ScoreDomicile = 9 "
                                        "WHERE Domicile = 'BREST'"))
                    .ok());
    const auto second = resultsOf(*c);
    EXPECT_NE(second.get(), first.get());
    EXPECT_EQ(leader(*c), QStringLiteral("BREST"));
    EXPECT_EQ(first->rows().back().scoreDomicile, 1); // a set already handed out stays whole

    // A change committed by another program, such as the tool importing results.
    addMatches(path, {{0, 4, "NICE", 5, "LENS", 0}});
    EXPECT_EQ(resultsOf(*c)->rows().size(), 5u);
    EXPECT_EQ(resultsOf(*c)->playedMatchdays().back(), 4);
}

TEST_F(ResultSetTest, RowsOfAnUnfinishedTransactionAreNeverKept)
{
    const auto before = resultsOf(*c);
    {
        store::Transaction tx(c->db());
        ASSERT_TRUE(c->db()
                        .run(QStringLiteral("INSERT INTO \"Résultats\" VALUES (4, 'NICE', 5, "
                                            "'LENS', 0)"))
                        .ok());
        // Read inside the transaction, as a check before a save reads.
        EXPECT_EQ(resultsOf(*c)->rows().size(), 5u);
    } // rolled back
    EXPECT_EQ(resultsOf(*c)->rows().size(), 4u);
    EXPECT_EQ(described(resultsOf(*c)->rows()), described(before->rows()));
}

TEST_F(ResultSetTest, ARenamedTeamIsFoundAtItsNewPlace)
{
    (void)resultsOf(*c);
    store::Database& db = c->db();
    store::Snapshot row;
    ASSERT_TRUE(
        db.query(QStringLiteral("SELECT rowid FROM Equipes WHERE Nom = 'BREST'"), {}, row).ok());
    ASSERT_TRUE(store::updateTeam(db, row.value(0, 0).toLongLong(), QStringLiteral("BREST"),
                                  {{QStringLiteral("Nom"), QStringLiteral("ZAGREB")}})
                    .ok());
    (void)resultsOf(*c); // a refresh before the team list is read again
    ASSERT_TRUE(c->requeryTeams().ok());
    const auto set = resultsOf(*c);
    // ZAGREB is now last of the list; its matches follow it.
    EXPECT_EQ(c->teamList().back().nom, QStringLiteral("ZAGREB"));
    EXPECT_EQ(described(set->teamMatches(3)), (QStringList{"3:ZAGREB-LENS", "1:NICE-ZAGREB"}));
    EXPECT_EQ(set->teamResults().back().home, 3);
}

TEST_F(ResultSetTest, PointsAndPenaltiesChangedElsewhereAreReadWithTheResults)
{
    // Another program changes the points of a win and adds a deduction, in a table whose
    // name differs in letter case only, as the engine allows.
    auto other = openFile(path);
    ASSERT_TRUE(other
                    ->run(QStringLiteral("UPDATE \"Propriétés\" SET Valeur = 1 "
                                         "WHERE Nom = 'PtsWinner'"))
                    .ok());
    ASSERT_TRUE(other
                    ->exec(QStringLiteral("CREATE TABLE \"pénalités\" (Equipe TEXT, Points "
                                          "INTEGER, \"Journée\" INTEGER, Motif TEXT)"))
                    .ok());
    ASSERT_TRUE(other
                    ->run(QStringLiteral("INSERT INTO \"pénalités\" VALUES "
                                         "('METZ', 2, 1, 'Sanction')"))
                    .ok());
    const auto set = resultsOf(*c);
    EXPECT_EQ(c->ptsWinner(), 1);
    ASSERT_EQ(set->penalties().size(), 1u);
    EXPECT_EQ(set->penalties().front().team, 2);
    EXPECT_EQ(set->penalties().front().points, 2);
}

} // namespace
