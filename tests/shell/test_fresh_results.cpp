// Every window reads the results kept by the open competition. After each way of changing
// the file, each window must show what a fresh read of the file gives.
#include "analysis/frmMDIAnalyses.h"
#include "controls/ListView.h"
#include "controls/zelOwnerLBox1.h"
#include "controls/zelOwnerLBox2.h"
#include "controls/zelOwnerLBox4.h"
#include "matches/frmMDIRencontres.h"
#include "ranking/mRank.h"
#include "shell/CompetitionCommands.h"
#include "shell/Registration.h"
#include "shell/frmMain.h"
#include "standings/TeamPanel.h"
#include "standings/frmMDIClassement.h"
#include "store/Matches.h"
#include "store/ResultImporter.h"
#include "store/ResultSet.h"
#include "teams/frmEditEquipe.h"
#include "teams/frmMDIEquipes.h"

#include "support/TestSupport.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace testsupport;

namespace {

const QStringList kTeams{"ARRAS", "BREST", "CAEN", "DIJON", "LENS", "METZ"};

// What a separate connection reads from the file, with nothing kept from before.
struct FreshRead
{
    std::vector<store::MatchRow> rows;
    std::vector<store::Team> teams;
    cResult::Points points;

    explicit FreshRead(const QString& path)
    {
        store::OpenError error;
        auto c = store::Competition::open(path, error);
        EXPECT_TRUE(c);
        EXPECT_TRUE(store::loadResults(c->db(), std::nullopt, rows).ok());
        teams = c->teamList();
        points = competitionPoints(*c);
    }
    int lastDay() const
    {
        int last = 0;
        for (const store::MatchRow& r : rows)
            last = qMax(last, r.journee);
        return last;
    }
    QStringList standings() const
    {
        QStringList out;
        const RankingCollection r = ComputeRanking(rows, RankingKind::General, teams, points);
        for (int i = 1; i <= r.Count(); ++i)
            out << QStringLiteral("%1 %2 %3")
                       .arg(r.Item(i).Ranking)
                       .arg(r.Item(i).TeamName)
                       .arg(r.Item(i).points(points));
        return out;
    }
    int matchesOf(const QString& team) const
    {
        return int(std::count_if(rows.begin(), rows.end(), [&](const store::MatchRow& r) {
            return store::teamKey(r.domicile) == store::teamKey(team) ||
                   store::teamKey(r.visiteur) == store::teamKey(team);
        }));
    }
    int matchesOn(int day) const
    {
        return int(std::count_if(rows.begin(), rows.end(),
                                 [&](const store::MatchRow& r) { return r.journee == day; }));
    }
};

class FreshResultsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        resetApplicationState();
        Windows::registerAll();
        path = dir.file(QStringLiteral("ligue.dat"));
        makeCompetition(path, kTeams);
        std::vector<store::MatchRow> season = doubleRoundRobin(kTeams);
        season.erase(std::remove_if(season.begin(), season.end(),
                                    [](const store::MatchRow& r) { return r.journee > 3; }),
                     season.end());
        addMatches(path, season);
        main.resize(1100, 760);
        main.show();
        ASSERT_TRUE(Utilities::OpenCompetition(path));
    }
    void TearDown() override { store::CurrentCompetition::close(); }

    template <class W> W* show(int item)
    {
        main.tbSection_ItemClick(1, item);
        return qobject_cast<W*>(main.currentWorkingWindow());
    }

    // Goes through the windows as a user does and compares each with a fresh read.
    void expectEveryWindowFresh(const char* step)
    {
        SCOPED_TRACE(step);
        const FreshRead file(path);
        const int last = file.lastDay();

        auto* standings = show<frmMDIClassement>(3);
        ASSERT_TRUE(standings);
        EXPECT_EQ(standings->cboJournees->currentData().toInt(), last);
        QStringList shown;
        const RankingCollection& r = standings->zelClass->Items();
        for (int i = 1; i <= r.Count(); ++i)
            shown << QStringLiteral("%1 %2 %3")
                         .arg(r.Item(i).Ranking)
                         .arg(r.Item(i).TeamName)
                         .arg(r.Item(i).points(file.points));
        EXPECT_EQ(shown, file.standings());

        auto* teams = show<frmMDIEquipes>(1);
        ASSERT_TRUE(teams);
        TeamPanel* panel = teams->panel();
        const QString team = file.teams.front().nom;
        panel->cboEquipes->setCurrentIndex(panel->cboEquipes->findText(team));
        panel->zelOK_Click();
        EXPECT_EQ(panel->zelHistoRencontres->ItemCount(), file.matchesOf(team));
        EXPECT_EQ(panel->zelHistoClassements->ItemCount(), last);

        auto* matches = show<frmMDIRencontres>(2);
        ASSERT_TRUE(matches);
        matches->cboJournees->setCurrentIndex(last - 1);
        matches->ActualiseRencontres();
        EXPECT_EQ(matches->zelRencontres->ItemCount(), file.matchesOn(last));

        // The form lists the teams in the order of the general standings.
        auto* analyses = show<frmMDIAnalyses>(5);
        ASSERT_TRUE(analyses);
        EXPECT_EQ(analyses->cboJournees->currentData().toInt(), last);
        analyses->tabAnalyses->setCurrentIndex(2);
        const AccessibleTable form = readAccessibleTable(analyses->lstForme);
        QStringList formOrder, rankOrder;
        for (const QStringList& row : form.rows)
            formOrder << row.value(1);
        for (const QString& line : file.standings())
            rankOrder << line.section(QLatin1Char(' '), 1, 1);
        EXPECT_EQ(formOrder, rankOrder);
    }

    TempDir dir;
    QString path;
    frmMain main;
};

TEST_F(FreshResultsTest, EveryWayOfChangingTheFileShowsInEveryWindow)
{
    expectEveryWindowFresh("as opened");
    store::Competition& c = *store::CurrentCompetition::get();

    // A new match on a new matchday, the leader of the form changed by a big win.
    const std::vector<store::MatchRow> all = doubleRoundRobin(kTeams);
    const store::MatchRow sixth = *std::find_if(
        all.begin(), all.end(), [](const store::MatchRow& m) { return m.journee == 4; });
    ASSERT_TRUE(store::saveMatch(c,
                                 {QStringLiteral("4"), sixth.domicile, QStringLiteral("9"),
                                  sixth.visiteur, QStringLiteral("0")},
                                 std::nullopt)
                    .ok());
    expectEveryWindowFresh("match added");

    ASSERT_TRUE(store::saveMatch(c,
                                 {QStringLiteral("4"), sixth.domicile, QStringLiteral("0"),
                                  sixth.visiteur, QStringLiteral("7")},
                                 store::MatchKey{4, sixth.domicile, sixth.visiteur})
                    .ok());
    expectEveryWindowFresh("match corrected");

    bool found = false;
    ASSERT_TRUE(store::deleteMatch(c.db(), {4, sixth.domicile, sixth.visiteur}, &found).ok());
    ASSERT_TRUE(found);
    expectEveryWindowFresh("match deleted");

    std::vector<store::MatchRow> fourth;
    for (const store::MatchRow& m : doubleRoundRobin(kTeams))
        if (m.journee == 4)
            fourth.push_back(m);
    const QString csv = dir.file(QStringLiteral("j4.csv"));
    writeBytes(csv, resultsCsv(fourth));
    ASSERT_TRUE(store::ResultImporter(c).importFile(csv).ok());
    expectEveryWindowFresh("matchday imported");

    // Renamed through the teams window, as a user does it.
    auto* teams = show<frmMDIEquipes>(1);
    ASSERT_TRUE(teams);
    teams->panel()->cboEquipes->setCurrentIndex(
        teams->panel()->cboEquipes->findText(QStringLiteral("ARRAS")));
    teams->panel()->zelOK_Click();
    onNextModal<frmEditEquipe>([](frmEditEquipe* d) {
        d->txtNom->setText(QStringLiteral("VANNES"));
        d->cmdSave->click();
    });
    teams->cmdEdit_Click();
    ASSERT_EQ(c.teamList().back().nom, QStringLiteral("VANNES"));
    expectEveryWindowFresh("team renamed");

    // Written by another program while the windows are open.
    std::vector<store::MatchRow> fifth;
    for (store::MatchRow m : doubleRoundRobin(kTeams))
        if (m.journee == 5) {
            if (m.domicile == QLatin1String("ARRAS"))
                m.domicile = QStringLiteral("VANNES");
            if (m.visiteur == QLatin1String("ARRAS"))
                m.visiteur = QStringLiteral("VANNES");
            fifth.push_back(m);
        }
    addMatches(path, fifth);
    expectEveryWindowFresh("written by another program");
}

} // namespace
