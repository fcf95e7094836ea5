#include "store/Aliases.h"
#include "store/Competition.h"
#include "store/Fixtures.h"
#include "store/SeasonUpdate.h"
#include "store/Teams.h"
#include "support/FaultyDisk.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace store;
using testsupport::TempDir;

namespace {

// A JSON match: a result when both goals are given, else a fixture.
QByteArray jsonMatch(int round, const char* home, const char* away, int hg = -1, int ag = -1)
{
    QByteArray m = QByteArray(R"({"round": "Journée )") + QByteArray::number(round) +
                   R"(", "team1": ")" + home + R"(", "team2": ")" + away + '"';
    if (hg >= 0)
        m += R"(, "score": {"ft": [)" + QByteArray::number(hg) + ", " + QByteArray::number(ag) +
             "]}";
    return m + '}';
}

QByteArray json(const QList<QByteArray>& matches)
{
    return R"({"name": "Ligue 1 2025/26", "matches": [)" + matches.join(",\n") + "]}";
}

SeasonSource source(const QByteArray& content)
{
    SourceError error;
    auto s = readSeasonSource(content, error);
    EXPECT_TRUE(s) << error.message.toStdString();
    return s ? *s : SeasonSource{};
}

class SeasonUpdateTest : public testing::Test
{
protected:
    void SetUp() override
    {
        file = dir.file(QStringLiteral("c.dat"));
        testsupport::makeCompetition(
            file, QStringList{"Paris Saint-Germain", "Olympique de Marseille", "Lens", "Lille"});
    }
    SeasonUpdate update(const QByteArray& content, const std::vector<TeamAlias>& aliases = {})
    {
        OpenError error;
        auto c = Competition::open(file, error);
        EXPECT_TRUE(c) << describeOpenError(error, file).toStdString();
        return c ? updateSeason(*c, source(content), aliases) : SeasonUpdate{};
    }
    // Refused with a message holding reason, and nothing written.
    void expectRefused(const QByteArray& content, const QString& reason,
                       const std::vector<TeamAlias>& aliases = {})
    {
        const QString before = testsupport::dumpContent(file);
        const SeasonUpdate u = update(content, aliases);
        EXPECT_TRUE(u.refusal.contains(reason)) << u.refusal.toStdString();
        EXPECT_EQ(testsupport::dumpContent(file), before);
    }
    std::vector<Fixture> calendar()
    {
        auto db = testsupport::openFile(file);
        std::vector<Fixture> rows;
        EXPECT_FALSE(loadFixtures(*db, rows));
        return rows;
    }
    TempDir dir;
    QString file;
};

const char* const PSG = "Paris Saint-Germain";
const char* const OM = "Olympique de Marseille";

TEST_F(SeasonUpdateTest, ASourceReadAgainAddsOnlyWhatIsNew)
{
    // Matchday 1 played, matchday 2 to play.
    const QList<QByteArray> first = {jsonMatch(1, PSG, OM, 2, 1),
                                     jsonMatch(1, "Lens", "Lille", 0, 0), jsonMatch(2, OM, "Lens"),
                                     jsonMatch(2, "Lille", PSG)};
    SeasonUpdate u = update(json(first));
    ASSERT_TRUE(u.ok()) << u.refusal.toStdString();
    EXPECT_EQ(u.added, 2);
    EXPECT_EQ(u.scheduled, 2);
    EXPECT_EQ(u.left, 2);

    // A week later: matchday 2 played, matchday 3 published, one match moved to matchday 4.
    const QList<QByteArray> second = {
        jsonMatch(1, PSG, OM, 2, 1),    jsonMatch(1, "Lens", "Lille", 0, 0),
        jsonMatch(2, OM, "Lens", 1, 1), jsonMatch(2, "Lille", PSG, 0, 3),
        jsonMatch(3, PSG, "Lens"),      jsonMatch(4, "Lille", OM)};
    u = update(json(second));
    ASSERT_TRUE(u.ok()) << u.refusal.toStdString();
    EXPECT_EQ(u.alreadyThere, 2);
    EXPECT_EQ(u.added, 2);
    EXPECT_EQ(u.playedFixtures, 2);
    EXPECT_EQ(u.scheduled, 2);
    EXPECT_EQ(u.left, 2);
    // The same file again changes nothing; a file behind the competition neither.
    u = update(json(second));
    EXPECT_TRUE(u.ok());
    EXPECT_EQ(u.alreadyThere, 6);
    EXPECT_EQ(u.added + u.scheduled + u.moved, 0);
    u = update(json(first));
    EXPECT_TRUE(u.ok());
    EXPECT_EQ(u.alreadyThere, 4);
    EXPECT_EQ(u.added + u.scheduled + u.moved, 0);

    // The calendar follows the publisher's move.
    u = update(json({jsonMatch(5, "Lille", OM)}));
    EXPECT_TRUE(u.ok());
    EXPECT_EQ(u.moved, 1);
    const std::vector<Fixture> rows = calendar();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].journee, 5);
    EXPECT_EQ(rows[1].domicile, QStringLiteral("Lille"));

    // A contradiction is named and nothing is written.
    expectRefused(json({jsonMatch(3, PSG, "Lens", 1, 0), jsonMatch(2, OM, "Lens", 2, 1)}),
                  QStringLiteral("match 2 : le résultat Olympique de Marseille 2-1 Lens contredit "
                                 "celui qui est enregistré (1-1, journée 2)"));
    expectRefused(json({jsonMatch(3, "Lens", "Lille", 0, 0)}),
                  QStringLiteral("match 1 : la rencontre Lens - Lille est enregistrée à la "
                                 "journée 1, le fichier la place à la journée 3."));
    // The match rules hold too: Lens already plays on matchday 3.
    expectRefused(json({jsonMatch(3, "Lens", OM, 1, 0)}), QStringLiteral("match 1 : "));
}

TEST_F(SeasonUpdateTest, NamesAreTheTeamsOwnIgnoringCaseOrKeptAliases)
{
    const QByteArray spelled = json({jsonMatch(1, "PARIS SAINT-GERMAIN", "OM", 1, 0),
                                     jsonMatch(1, "PSG B", "LENS"), jsonMatch(2, "lille", "PSG")});
    // Unknown names are listed, in the file's order, and nothing is written.
    SeasonUpdate u = update(spelled);
    EXPECT_EQ(u.unknown, (QStringList{"OM", "PSG B", "PSG"}));
    expectRefused(spelled, QStringLiteral("3 équipes que la compétition ne connaît pas : « OM », "
                                          "« PSG B », « PSG »"));
    // An alias must name a team of the competition and no team's own name.
    expectRefused(spelled, QStringLiteral("« Nice » n'est pas une équipe"), {{"OM", "Nice"}});
    expectRefused(spelled, QStringLiteral("« LILLE » est déjà le nom d'une équipe"),
                  {{"LILLE", "Lens"}});
    // Two names for one team meet the match rules like any other match.
    expectRefused(spelled, QStringLiteral("match 2 : "),
                  {{"OM", OM}, {"PSG B", PSG}, {"PSG", PSG}});

    u = update(spelled, {{"OM", OM}, {"PSG B", "Lille"}, {"PSG", PSG}});
    ASSERT_TRUE(u.ok()) << u.refusal.toStdString();
    EXPECT_EQ(u.added, 1);
    // Kept: the next import asks nothing, and a team's new name carries its aliases and
    // its fixtures.
    u = update(spelled);
    EXPECT_TRUE(u.ok()) << u.refusal.toStdString();
    EXPECT_EQ(u.alreadyThere, 3);
    {
        auto db = testsupport::openFile(file);
        qint64 psg = 0;
        ASSERT_FALSE(findTeam(*db, QString::fromUtf8(PSG), psg));
        ASSERT_FALSE(
            updateTeam(*db, psg, QString::fromUtf8(PSG), {{"Nom", QStringLiteral("Paris SG")}}));
        std::vector<TeamAlias> kept;
        ASSERT_FALSE(loadAliases(*db, kept));
        ASSERT_EQ(kept.size(), 3u);
        EXPECT_EQ(kept[2].nom, QStringLiteral("PSG"));
        EXPECT_EQ(kept[2].equipe, QStringLiteral("Paris SG"));
    }
    OpenError error;
    EXPECT_TRUE(Competition::open(file, error)) << describeOpenError(error, file).toStdString();
    EXPECT_EQ(calendar()[1].visiteur, QStringLiteral("Paris SG"));
    const SeasonUpdate again = update(json({jsonMatch(2, "lille", "PSG")}));
    EXPECT_TRUE(again.ok()) << again.refusal.toStdString();
    EXPECT_EQ(again.alreadyThere, 1);

    // A name kept again with other capitals replaces the old one; a team that goes takes its
    // names with it.
    {
        auto db = testsupport::openFile(file);
        ASSERT_FALSE(insertAliases(*db, {{"ÉVIAN", "Lille"}}));
        ASSERT_FALSE(insertAliases(*db, {{"évian", "Lens"}}));
        std::vector<TeamAlias> kept;
        ASSERT_FALSE(loadAliases(*db, kept));
        ASSERT_EQ(kept.size(), 4u);
        EXPECT_EQ(kept[0].nom + QLatin1Char('=') + kept[0].equipe, QStringLiteral("évian=Lens"));
        qint64 lens = 0;
        ASSERT_FALSE(findTeam(*db, QStringLiteral("Lens"), lens));
        ASSERT_FALSE(deleteTeam(*db, lens));
        ASSERT_FALSE(loadAliases(*db, kept));
        EXPECT_EQ(kept.size(), 3u);
    }
}

TEST_F(SeasonUpdateTest, ClosestSpellingsComeFirst)
{
    const std::vector<QString> teams = {"Manchester United", "Paris FC", "Manchester City",
                                        "Paris Saint-Germain", "Saint-Étienne"};
    EXPECT_EQ(closestTeams("PSG", teams).first(), QStringLiteral("Paris Saint-Germain"));
    EXPECT_EQ(closestTeams("Paris SG", teams).first(), QStringLiteral("Paris Saint-Germain"));
    EXPECT_EQ(closestTeams("Man City", teams).first(), QStringLiteral("Manchester City"));
    EXPECT_EQ(closestTeams("St Etienne", teams).first(), QStringLiteral("Saint-Étienne"));
    EXPECT_EQ(closestTeams("Man Utd", teams).mid(0, 2),
              (QStringList{"Manchester United", "Manchester City"}));
    EXPECT_EQ(closestTeams("Paris", teams).size(), 5);
}

TEST_F(SeasonUpdateTest, FootballDataKeepsTheMatchdaysAlreadyGiven)
{
    const QByteArray head = "Div,Date,HomeTeam,AwayTeam,FTHG,FTAG\n";
    // Lens - Lille, planned on the first weekend, is put off to the third.
    const QByteArray before = head +
                              "F1,09/08/25,Lens,Lille,,\nF1,09/08/25,Paris Saint-Germain,"
                              "Olympique de Marseille,1,0\nF1,16/08/25,Lille,Paris "
                              "Saint-Germain,2,2\nF1,16/08/25,Olympique de Marseille,Lens,,\n";
    SeasonUpdate u = update(before);
    ASSERT_TRUE(u.ok()) << u.refusal.toStdString();
    const QByteArray after = head + "F1,23/08/25,Lens,Lille,3,0\nF1,09/08/25,Paris Saint-Germain,"
                                    "Olympique de Marseille,1,0\nF1,16/08/25,Lille,Paris "
                                    "Saint-Germain,2,2\nF1,16/08/25,Olympique de Marseille,Lens,1,"
                                    "1\nF1,23/08/25,Olympique de Marseille,Paris Saint-Germain,,\n";
    u = update(after);
    ASSERT_TRUE(u.ok()) << u.refusal.toStdString();
    EXPECT_EQ(u.alreadyThere, 2);
    EXPECT_EQ(u.added, 2);
    EXPECT_EQ(u.playedFixtures, 2);
    EXPECT_EQ(u.scheduled, 1);
    auto db = testsupport::openFile(file);
    std::vector<MatchRow> rows;
    ASSERT_FALSE(loadResults(*db, std::nullopt, rows));
    // Played late, on the matchday it was given.
    const auto lens = std::find_if(rows.begin(), rows.end(), [](const MatchRow& r) {
        return r.domicile == QLatin1String("Lens");
    });
    ASSERT_NE(lens, rows.end());
    EXPECT_EQ(lens->journee, 1);
}

TEST_F(SeasonUpdateTest, AKeptNameThatIsNoTextIsRefusedAtOpening)
{
    ASSERT_TRUE(update(json({jsonMatch(1, "PSG", OM, 1, 0)}), {{"PSG", PSG}}).ok());
    {
        auto db = testsupport::openFile(file);
        ASSERT_FALSE(db->exec(QStringLiteral("UPDATE Alias SET Nom = 'P' || char(9) || 'G'")));
    }
    OpenError error;
    EXPECT_FALSE(Competition::open(file, error));
    EXPECT_EQ(error.detail, QStringLiteral("Alias"));
    EXPECT_TRUE(error.problem.contains(QStringLiteral("contrôle"))) << error.problem.toStdString();
}

} // namespace
