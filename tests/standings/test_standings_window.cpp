#include "controls/zelOwnerLBox1.h"
#include "controls/zelRCornerCommand.h"
#include "shell/CompetitionCommands.h"
#include "shell/Registration.h"
#include "shell/frmMain.h"
#include "standings/TeamPanel.h"
#include "standings/frmMDIClassement.h"
#include "support/TestSupport.h"
#include "teams/frmMDIEquipes.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QProcess>
#include <QtTest/QTest>
#include <gtest/gtest.h>

using testsupport::TempDir;

namespace {

class StandingsWindowTest : public testing::Test
{
protected:
    void SetUp() override
    {
        Windows::registerAll();
        path = dir.file(QStringLiteral("ligue.dat"));
        testsupport::makeCompetition(path, QStringList{"ARRAS", "LENS", "LILLE", "METZ"});
        main.show();
    }
    void addMatches(std::initializer_list<store::MatchRow> rows)
    {
        testsupport::addMatches(path, rows);
    }
    frmMDIClassement* open()
    {
        EXPECT_TRUE(Utilities::OpenCompetition(path));
        main.tbSection_ItemClick(1, 3);
        return qobject_cast<frmMDIClassement*>(main.currentWorkingWindow());
    }
    static QStringList table(const frmMDIClassement* w)
    {
        QStringList rows;
        const RankingCollection& r = w->zelClass->Items();
        for (int i = 1; i <= r.Count(); ++i)
            rows << QStringLiteral("%1 %2 %3")
                        .arg(r.Item(i).Ranking)
                        .arg(r.Item(i).TeamName)
                        .arg(r.Item(i).played());
        return rows;
    }
    TempDir dir;
    QString path;
    frmMain main;
};

TEST_F(StandingsWindowTest, NoResultsGiveNoMatchdaysAndAnEmptyTable)
{
    frmMDIClassement* w = open();
    ASSERT_TRUE(w);
    EXPECT_EQ(w->cboJournees->count(), 0);
    EXPECT_FALSE(w->zelOK->isEnabled());
    EXPECT_EQ(w->zelClass->ItemCount(), 0);
    EXPECT_EQ(w->cboType->count(), 5);
    EXPECT_EQ(w->cboType->currentText(), QStringLiteral("Général"));
}

TEST_F(StandingsWindowTest, OpensOnTheGeneralTableAfterTheLastMatchdayWithResults)
{
    addMatches({{0, 1, "LENS", 2, "ARRAS", 0},
                {0, 2, "LILLE", 1, "LENS", 0},
                {0, 5, "METZ", 3, "LENS", 3}});
    frmMDIClassement* w = open();
    QStringList days;
    for (int i = 0; i < w->cboJournees->count(); ++i)
        days << w->cboJournees->itemText(i);
    EXPECT_EQ(days, (QStringList{"Journée 1", "Journée 2", "Journée 5"}));
    EXPECT_EQ(w->cboJournees->currentText(), QStringLiteral("Journée 5"));
    EXPECT_TRUE(w->zelOK->isEnabled());
    EXPECT_EQ(table(w), (QStringList{"1 LENS 3", "2 LILLE 1", "3 METZ 1", "4 ARRAS 1"}));

    // Another matchday or kind changes nothing until OK.
    w->cboJournees->setCurrentIndex(0);
    w->cboType->setCurrentIndex(2);
    EXPECT_EQ(table(w), (QStringList{"1 LENS 3", "2 LILLE 1", "3 METZ 1", "4 ARRAS 1"}));
    w->zelOK_Click();
    EXPECT_EQ(table(w), (QStringList{"1 METZ 0", "1 LILLE 0", "1 LENS 1", "4 ARRAS 1"}));
}

TEST_F(StandingsWindowTest, DoubleClickingATeamShowsItsSummary)
{
    addMatches({{0, 1, "LENS", 2, "ARRAS", 0}});
    QPointer<frmMDIClassement> w = open();
    w->resize(800, 500);
    // A real double-click on ARRAS, the last row: the list that receives it goes away.
    QWidget* view = w->zelClass->hwnd()->viewport();
    const QPoint last(40, 3 * w->zelClass->ItemHeight() + 5);
    QTest::mouseClick(view, Qt::LeftButton, {}, last);
    QTest::mouseDClick(view, Qt::LeftButton, {}, last);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(w.isNull());
    auto* teams = qobject_cast<frmMDIEquipes*>(main.currentWorkingWindow());
    ASSERT_TRUE(teams);
    EXPECT_EQ(teams->panel()->lblEquipe->text(), QStringLiteral("ARRAS"));
    EXPECT_EQ(teams->panel()->cboEquipes->currentText(), QStringLiteral("ARRAS"));
    EXPECT_TRUE(
        teams->panel()->lblResume->text().startsWith(QStringLiteral("* 4e au CLASSEMENT GENERAL")));
}

TEST_F(StandingsWindowTest, TheTableStretchesWithTheWindowAndNeverGoesNegative)
{
    frmMDIClassement* w = open();
    w->resize(700, 500);
    EXPECT_EQ(w->zelClass->geometry(), QRect(16, 48, 700 - 32, 500 - 48));
    w->resize(20, 30);
    EXPECT_EQ(w->zelClass->size(), QSize(0, 0));
}

TEST_F(StandingsWindowTest, RowsMatchTheCommandLineStandings)
{
    QStringList teams;
    for (int i = 0; i < 10; ++i)
        teams << QStringLiteral("CLUB %1").arg(i);
    path = dir.file(QStringLiteral("big.dat"));
    testsupport::makeCompetition(path, teams);
    std::vector<store::MatchRow> rows;
    int day = 1;
    for (int a = 0; a < 10; ++a)
        for (int b = 0; b < 10; ++b)
            if (a != b && (a + b) % 3 != 0)
                rows.push_back(
                    {0, 1 + (day++ % 18), teams[a], (a * b) % 4, teams[b], (a + 2 * b) % 3});
    testsupport::addMatches(path, rows);
    frmMDIClassement* w = open();
    w->cboJournees->setCurrentIndex(9);
    w->cboType->setCurrentIndex(3);
    w->zelOK_Click();
    QProcess cli;
    cli.start(
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../../bin/vemo-cli")),
        {QStringLiteral("standings"), path, QStringLiteral("--matchday"),
         QString::number(w->cboJournees->currentData().toInt()), QStringLiteral("--kind"),
         QStringLiteral("domicile"), QStringLiteral("--format"), QStringLiteral("csv")});
    ASSERT_TRUE(cli.waitForFinished(30000));
    const QStringList lines =
        QString::fromUtf8(cli.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 11);
    const RankingCollection& shown = w->zelClass->Items();
    for (int i = 1; i <= 10; ++i) {
        const cResult& r = shown.Item(i);
        EXPECT_EQ(lines[i], QStringLiteral("%1,%2,%3,%4,%5,%6,%7,%8,%9,%10")
                                .arg(r.Ranking)
                                .arg(r.TeamName)
                                .arg(r.points({3, 0, 1}))
                                .arg(r.played())
                                .arg(r.Won)
                                .arg(r.Nul)
                                .arg(r.Lost)
                                .arg(r.ButsPour)
                                .arg(r.ButsContre)
                                .arg(r.difference()));
    }
}

} // namespace
