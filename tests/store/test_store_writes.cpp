// The writes that touch several rows at once: a new competition's settings and teams, and
// teams copied from another file. The file takes all of them or none, whether it refuses a
// value, fills the disk or is locked by another program.
#include "ranking/SeasonAnalysis.h"
#include "ranking/mRank.h"
#include "store/Bets.h"
#include "store/Competition.h"
#include "store/CompetitionFile.h"
#include "store/CompetitionSettings.h"
#include "store/Fixtures.h"
#include "store/Matches.h"
#include "store/ResultSet.h"
#include "store/SeasonSource.h"
#include "store/Teams.h"
#include "support/FaultyDisk.h"
#include "support/TestSupport.h"

#include <QFile>
#include <functional>
#include <gtest/gtest.h>

using namespace store;
using testsupport::FaultyDisk;
using testsupport::TempDir;

namespace {

constexpr int kFull = 13;
constexpr int kConstraint = 19;

std::vector<TeamPictures> clubs(int count)
{
    std::vector<TeamPictures> teams;
    for (int i = 0; i < count; ++i)
        teams.push_back({QStringLiteral("CLUB %1").arg(QChar(u'A' + i)), QByteArray(3000, 'c'),
                         QByteArray(800, 'i')});
    return teams;
}

// A freshly created competition file, as the wizard and the tool start from.
class StoreWritesTest : public testing::Test
{
protected:
    static void SetUpTestSuite() { FaultyDisk::install(); }
    void SetUp() override
    {
        FaultyDisk::failWritesAfter(-1);
        file = dir.file(QStringLiteral("c.dat"));
        ASSERT_TRUE(createCompetitionFile(file).ok());
        before = testsupport::dumpContent(file);
    }
    void TearDown() override { FaultyDisk::failWritesAfter(-1); }

    // Runs write on a copy of the file with room, then on the file with the disk filling up
    // part-way through: each attempt fails as a full disk and leaves the file as it was.
    void expectAllOrNothingOnAFullDisk(const std::function<DbError(Database&)>& write)
    {
        const QString copy = dir.file(QStringLiteral("copy.dat"));
        ASSERT_TRUE(QFile::copy(file, copy));
        qint64 whole = 0;
        {
            auto db = testsupport::openFile(copy);
            ASSERT_TRUE(db);
            const qint64 start = FaultyDisk::bytesWritten();
            ASSERT_TRUE(write(*db).ok());
            whole = FaultyDisk::bytesWritten() - start;
        }
        ASSERT_GT(whole, 4000);
        for (const qint64 budget : {whole / 3, 2 * whole / 3, whole - 100}) {
            {
                auto db = testsupport::openFile(file);
                ASSERT_TRUE(db);
                FaultyDisk::failWritesAfter(budget);
                const DbError e = write(*db);
                EXPECT_EQ(e.code & 0xFF, kFull) << budget << " " << e.message.toStdString();
                FaultyDisk::failWritesAfter(-1);
            }
            EXPECT_EQ(testsupport::dumpContent(file), before) << "budget " << budget;
        }
    }

    TempDir dir;
    QString file;
    QString before;
};

TEST_F(StoreWritesTest, ANewCompetitionIsWrittenWholeOrNotAtAll)
{
    auto db = testsupport::openFile(file);
    ASSERT_TRUE(db);
    // Refused by the file after the name and the season were written.
    DbError e = writeNewCompetition(
        *db, {QStringLiteral("Ligue"), QStringLiteral("2025"), 3, 0, 256}, clubs(4));
    EXPECT_EQ(e.code & 0xFF, kConstraint) << e.message.toStdString();
    EXPECT_EQ(testsupport::dumpContent(file), before);
    // The last team's name is taken already, in another letter case.
    std::vector<TeamPictures> twice = clubs(3);
    twice.push_back({QStringLiteral("club a"), {}, {}});
    e = writeNewCompetition(*db, {QStringLiteral("Ligue"), QStringLiteral("2025")}, twice);
    EXPECT_EQ(e.code & 0xFF, kConstraint) << e.message.toStdString();
    EXPECT_EQ(testsupport::dumpContent(file), before);

    ASSERT_TRUE(writeNewCompetition(*db, {QStringLiteral("Ligue"), QStringLiteral("2025"), 2, 1, 0},
                                    {{QStringLiteral("LENS"), QByteArray("GIF"), {}},
                                     {QStringLiteral("ARRAS"), {}, QByteArray("ICO")}})
                    .ok());
    db.reset();
    OpenError error;
    auto c = Competition::open(file, error);
    ASSERT_TRUE(c) << describeOpenError(error, file).toStdString();
    EXPECT_EQ(c->teamCount(), 2);
    EXPECT_EQ(c->ptsWinner(), 2);
    EXPECT_EQ(c->ptsLooser(), 1);
    EXPECT_EQ(c->ptsEquality(), 0);
    QVariant season;
    ASSERT_TRUE(readProperty(c->db(), QStringLiteral("Saison"), season).ok());
    EXPECT_EQ(season.toString(), QStringLiteral("2025"));
    // No picture is stored as none, not as an empty one.
    std::vector<TeamPictures> stored;
    ASSERT_TRUE(loadTeamPictures(c->db(), stored).ok());
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[0].blason, QByteArray("GIF"));
    EXPECT_TRUE(stored[0].icone.isNull());
    EXPECT_TRUE(stored[1].blason.isNull());
}

// With a season's file, its matches go in the same transaction as the settings and the teams:
// a match that breaks a rule, or a disk that fills (while the teams or the matches are
// written), leaves no competition half made.
TEST_F(StoreWritesTest, ANewCompetitionWithItsSeasonIsWrittenWholeOrNotAtAll)
{
    SeasonSource season;
    for (const TeamPictures& team : clubs(12))
        season.teams << team.nom;
    int origin = 0;
    for (int journee = 1; journee <= 2; ++journee)
        for (int i = 0; i < 12; i += 2) {
            SourceMatch m{journee, season.teams[(i + 2 * journee - 2) % 12], season.teams[i + 1]};
            if (journee == 1)
                m.homeGoals = m.awayGoals = i % 3;
            m.origin = ++origin;
            season.matches.push_back(m);
        }
    const auto write = [&season](Database& db, QString& refusal) {
        return writeNewCompetition(db, {QStringLiteral("Ligue"), QStringLiteral("2025")}, clubs(12),
                                   &season, refusal);
    };
    {
        auto db = testsupport::openFile(file);
        ASSERT_TRUE(db);
        // The last fixture puts a team on matchday 2 a second time.
        season.matches.back().away = season.teams[2];
        QString refusal;
        ASSERT_TRUE(write(*db, refusal).ok());
        EXPECT_TRUE(refusal.startsWith(QStringLiteral("match 12 : "))) << refusal.toStdString();
        EXPECT_EQ(testsupport::dumpContent(file), before);
        season.matches.pop_back();
    }
    expectAllOrNothingOnAFullDisk([&write](Database& db) {
        QString refusal;
        const DbError e = write(db, refusal);
        EXPECT_TRUE(refusal.isEmpty()) << refusal.toStdString();
        return e;
    });
}

TEST_F(StoreWritesTest, CopiedTeamsSkipTakenNamesButAnyOtherFailureAddsNone)
{
    auto db = testsupport::openFile(file);
    ASSERT_TRUE(db);
    ASSERT_TRUE(addTeam(*db, {QStringLiteral("CLUB B"), {}, {}}).ok());
    before = testsupport::dumpContent(file);
    db.reset();

    expectAllOrNothingOnAFullDisk([](Database& db) {
        QStringList refused;
        return addTeams(db, clubs(12), refused);
    });

    db = testsupport::openFile(file);
    QStringList refused;
    ASSERT_TRUE(addTeams(*db, clubs(3), refused).ok());
    EXPECT_EQ(refused, QStringList{QStringLiteral("CLUB B")});
    std::vector<TeamPictures> stored;
    ASSERT_TRUE(loadTeamPictures(*db, stored).ok());
    ASSERT_EQ(stored.size(), 3u);
    EXPECT_EQ(stored[1].nom, QStringLiteral("CLUB A"));
    EXPECT_EQ(stored[2].nom, QStringLiteral("CLUB C"));
    EXPECT_EQ(stored[2].blason, QByteArray(3000, 'c'));

    // Names are found as the file compares them; a deleted team is found no more.
    qint64 rowid = 0;
    ASSERT_TRUE(findTeam(*db, QStringLiteral("club c"), rowid).ok());
    EXPECT_GT(rowid, 0);
    ASSERT_TRUE(deleteTeam(*db, rowid).ok());
    ASSERT_TRUE(findTeam(*db, QStringLiteral("CLUB C"), rowid).ok());
    EXPECT_EQ(rowid, 0);
}

// Letter case is ignored for every letter, accented capitals too, when a name is checked for a
// twin; an older file holding two names that differ only so still opens and keeps them apart.
TEST_F(StoreWritesTest, AccentedCapitalsMakeNoNewTeamButOlderTwinsStayApart)
{
    auto db = testsupport::openFile(file);
    ASSERT_TRUE(addTeam(*db, {QStringLiteral("US Beaupré"), {}, {}}).ok());
    ASSERT_TRUE(addTeam(*db, {QStringLiteral("AS Valmont"), {}, {}}).ok());
    EXPECT_EQ(addTeam(*db, {QStringLiteral("US BEAUPRÉ"), {}, {}}).code & 0xFF, kConstraint);
    QStringList refused;
    ASSERT_TRUE(addTeams(*db, {{QStringLiteral("us beauprÉ"), {}, {}}}, refused).ok());
    EXPECT_EQ(refused, QStringList{QStringLiteral("us beauprÉ")});
    qint64 valmont = 0;
    ASSERT_TRUE(findTeam(*db, QStringLiteral("AS Valmont"), valmont).ok());
    EXPECT_EQ(updateTeam(*db, valmont, QStringLiteral("AS Valmont"),
                         {{QStringLiteral("Nom"), QStringLiteral("US BEAUPRÉ")}})
                      .code &
                  0xFF,
              kConstraint);
    ASSERT_TRUE(updateTeam(*db, valmont, QStringLiteral("AS Valmont"),
                           {{QStringLiteral("Nom"), QStringLiteral("AS VALMONT")}})
                    .ok());

    // Written by an older version, which compared A to Z only.
    ASSERT_TRUE(db->run(QStringLiteral("INSERT INTO Equipes (Nom) VALUES ('US BEAUPRÉ')")).ok());
    db.reset();
    testsupport::addMatches(
        file, {{0, 1, QStringLiteral("US BEAUPRÉ"), 2, QStringLiteral("AS VALMONT"), 0},
               {0, 2, QStringLiteral("AS VALMONT"), 1, QStringLiteral("US Beaupré"), 1}});
    OpenError error;
    auto c = Competition::open(file, error);
    ASSERT_TRUE(c) << describeOpenError(error, file).toStdString();
    EXPECT_EQ(c->teamCount(), 3);
    const RankingCollection ranking =
        ComputeRanking(c->resultsOrNone()->teamResults(), RankingKind::General, c->teamList(),
                       competitionRules(*c, *c->resultsOrNone()));
    EXPECT_EQ(ranking.Find(QStringLiteral("US BEAUPRÉ"))->points({3, 0, 1}), 3);
    EXPECT_EQ(ranking.Find(QStringLiteral("US Beaupré"))->points({3, 0, 1}), 1);
    const SeasonGrid grid(c->resultsOrNone()->rows(), c->teamList(), std::nullopt);
    const auto at = [&grid](const char* team) {
        for (int i = 0; i < grid.size(); ++i)
            if (grid.team(i) == QString::fromUtf8(team))
                return i;
        return -1;
    };
    EXPECT_TRUE(grid.cell(at("US BEAUPRÉ"), at("AS VALMONT")).played);
    EXPECT_TRUE(grid.cell(at("AS VALMONT"), at("US Beaupré")).played);
    EXPECT_FALSE(grid.cell(at("AS VALMONT"), at("US BEAUPRÉ")).played);
}

TEST_F(StoreWritesTest, ABetDeletedMeanwhileIsNeitherRewrittenNorRecreated)
{
    auto db = testsupport::openFile(file);
    ASSERT_TRUE(db);
    BetRow bet{0, QDate(2025, 9, 14), QStringLiteral("LENS - ARRAS"), 25000, 0, 0};
    ASSERT_TRUE(addBet(*db, bet, &bet.rowid).ok());
    ASSERT_TRUE(deleteBet(*db, bet.rowid).ok());
    const QString emptied = testsupport::dumpContent(file);
    bet.statut = 1;
    bet.gain = 60000;
    EXPECT_FALSE(updateBet(*db, bet).ok());
    EXPECT_FALSE(deleteBet(*db, bet.rowid).ok());
    EXPECT_EQ(testsupport::dumpContent(file), emptied);
}

} // namespace

namespace {

// A fixture is added, moved and played through the store: each change checked by the rules of
// match entry, each in one transaction, and a result of its pairing takes it off the calendar.
TEST(Fixtures, AddedMovedAndPlayedByTheRules)
{
    testsupport::TempDir dir;
    const QString path = dir.file(QStringLiteral("c.dat"));
    testsupport::makeCompetition(path, QStringList{"ARRAS", "LENS", "LILLE", "METZ"});
    testsupport::addMatches(path, {{0, 1, QStringLiteral("LENS"), 2, QStringLiteral("LILLE"), 1}});
    store::OpenError error;
    auto c = store::Competition::open(path, error);
    ASSERT_TRUE(c);
    const auto calendar = [&c] {
        std::vector<store::Fixture> rows;
        EXPECT_TRUE(store::loadFixtures(c->db(), rows).ok());
        QStringList out;
        for (const store::Fixture& f : rows)
            out << QStringLiteral("%1 %2-%3").arg(f.journee).arg(f.domicile, f.visiteur);
        return out;
    };
    EXPECT_TRUE(calendar().isEmpty());
    ASSERT_TRUE(
        store::addFixture(*c, {0, 2, QStringLiteral("arras"), QStringLiteral("LENS")}).ok());
    ASSERT_TRUE(
        store::addFixture(*c, {0, 2, QStringLiteral("LILLE"), QStringLiteral("METZ")}).ok());
    EXPECT_EQ(store::addFixture(*c, {0, 1, QStringLiteral("LENS"), QStringLiteral("METZ")}).refusal,
              QStringLiteral("La rencontre de LENS de la Journée 1 est déjà enregistrée.\n"
                             "Corrigez les données."));
    EXPECT_EQ(calendar(), (QStringList{"2 ARRAS-LENS", "2 LILLE-METZ"}));

    std::vector<store::Fixture> rows;
    ASSERT_TRUE(store::loadFixtures(c->db(), rows, 2).ok());
    const qint64 arrasLens = rows[0].rowid;
    EXPECT_FALSE(store::moveFixture(*c, arrasLens, 1).ok()); // LENS plays on matchday 1
    EXPECT_FALSE(store::moveFixture(*c, arrasLens, 7).ok()); // past the last matchday
    ASSERT_TRUE(store::moveFixture(*c, arrasLens, 3).ok());  // postponed
    EXPECT_EQ(calendar(), (QStringList{"2 LILLE-METZ", "3 ARRAS-LENS"}));

    // Played on matchday 4 instead of 3: the fixture leaves the calendar with the result.
    const store::MatchSaveResult saved =
        store::saveMatch(*c, {"4", "ARRAS", "2", "LENS", "0"}, std::nullopt);
    ASSERT_TRUE(saved.ok()) << saved.verdict.message.toStdString();
    EXPECT_EQ(calendar(), QStringList{"2 LILLE-METZ"});
    EXPECT_EQ(store::moveFixture(*c, arrasLens, 5).refusal,
              QStringLiteral("Cette rencontre n'est plus au calendrier : elle a été jouée ou "
                             "supprimée entre-temps."));
    bool found = false;
    ASSERT_TRUE(store::deleteFixture(c->db(), rows[1].rowid, &found).ok());
    EXPECT_TRUE(found);
    EXPECT_TRUE(calendar().isEmpty());
    EXPECT_TRUE(store::saveMatch(*c, {"2", "METZ", "1", "ARRAS", "1"}, std::nullopt).ok());
}

} // namespace
