#include "controls/zelOwnerLBox1.h"
#include "controls/zelRCornerCommand.h"
#include "shell/CompetitionCommands.h"
#include "shell/Registration.h"
#include "shell/frmMain.h"
#include "standings/TeamPanel.h"
#include "standings/frmMDIClassement.h"
#include "store/Zones.h"
#include "support/TestSupport.h"
#include "teams/frmMDIEquipes.h"

#include <QAccessible>
#include <QClipboard>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QImage>
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
    void setZones(const QString& text)
    {
        auto db = testsupport::openFile(path);
        QString refusal;
        const auto zones = store::parseZones(text, 4, refusal);
        ASSERT_TRUE(zones) << refusal.toStdString();
        ASSERT_TRUE(store::writeZones(*db, *zones).ok());
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

TEST_F(StandingsWindowTest, NoResultsGiveNoMatchdaysAndEnterShowsNothing)
{
    frmMDIClassement* w = open();
    ASSERT_TRUE(w);
    EXPECT_EQ(w->cboJournees->count(), 0);
    EXPECT_FALSE(w->zelOK->isEnabled());
    w->cboType->setCurrentIndex(1);
    QTest::keyClick(w->cboType, Qt::Key_Return);
    QTest::keyClick(w->cboJournees, Qt::Key_Return);
    EXPECT_EQ(w->zelClass->ItemCount(), 0);
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

TEST_F(StandingsWindowTest, EnterInEitherBoxAndSpaceOnOkRecompute)
{
    addMatches({{0, 1, "LENS", 2, "ARRAS", 0},
                {0, 2, "LILLE", 1, "LENS", 0},
                {0, 5, "METZ", 3, "LENS", 3}});
    frmMDIClassement* w = open();
    main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    // The table shown is the one "OK" gives for the matchday and kind chosen.
    const auto upToDate = [w] {
        const QStringList shown = table(w);
        w->zelOK_Click();
        return shown == table(w);
    };
    QStringList before = table(w);

    w->cboJournees->setFocus();
    w->cboJournees->setCurrentIndex(0);
    EXPECT_FALSE(upToDate());
    w->cboJournees->setCurrentIndex(2);
    QTest::keyClick(w->cboJournees, Qt::Key_Return);
    EXPECT_TRUE(upToDate());
    w->cboJournees->setCurrentIndex(0);
    QTest::keyClick(w->cboJournees, Qt::Key_Return);
    EXPECT_TRUE(upToDate());
    EXPECT_NE(table(w), before);

    before = table(w);
    w->cboType->setFocus();
    w->cboType->setCurrentIndex(2);
    QTest::keyClick(w->cboType, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_TRUE(upToDate());
    EXPECT_NE(table(w), before);

    before = table(w);
    w->cboJournees->setCurrentIndex(2);
    w->zelOK->setFocus();
    QTest::keyClick(w->zelOK, Qt::Key_Space);
    EXPECT_TRUE(upToDate());
    EXPECT_NE(table(w), before);
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

TEST_F(StandingsWindowTest, RowsMatchTheCommandLineStandings)
{
    QStringList teams;
    for (int i = 0; i < 10; ++i)
        teams << QStringLiteral("CLUB %1").arg(i);
    path = dir.file(QStringLiteral("big.dat"));
    testsupport::makeCompetition(path, teams);
    // A season with gaps: a third of the matches not played yet.
    std::vector<store::MatchRow> rows;
    int k = 0;
    for (const store::MatchRow& r : testsupport::doubleRoundRobin(teams))
        if (++k % 3 != 0)
            rows.push_back(r);
    testsupport::addMatches(path, rows);
    frmMDIClassement* w = open();
    w->cboJournees->setCurrentIndex(9);
    w->cboType->setCurrentIndex(3);
    w->zelOK_Click();
    const std::vector<QStringList> csv =
        testsupport::cliCsv({QStringLiteral("standings"), path, QStringLiteral("--matchday"),
                             QString::number(w->cboJournees->currentData().toInt()),
                             QStringLiteral("--kind"), QStringLiteral("domicile")});
    ASSERT_EQ(csv.size(), 11u);
    // What a screen reader reads, cell by cell in the order shown: the crest column has no
    // text, every other one is the tool's column of the same caption.
    const testsupport::AccessibleTable shown =
        testsupport::readAccessibleTable(w->zelClass->hwnd());
    QStringList headers = shown.headers;
    headers.removeAt(1);
    EXPECT_EQ(headers, csv[0]);
    ASSERT_EQ(shown.rows.size(), 10u);
    for (size_t i = 0; i < 10; ++i) {
        QStringList cells = shown.rows[i];
        EXPECT_EQ(cells.takeAt(1), QString());
        EXPECT_EQ(cells, csv[i + 1]) << i;
    }
}

TEST_F(StandingsWindowTest, TheSelectedRowIsReadAndPaintedAsSelectedWithoutTheFocus)
{
    addMatches({{0, 1, "LENS", 2, "ARRAS", 0}, {0, 1, "LILLE", 1, "METZ", 1}});
    frmMDIClassement* w = open();
    ListView* view = w->zelClass->hwnd();
    w->zelClass->setSelected(2, true);
    w->cboType->setFocus();
    ASSERT_FALSE(view->hasFocus());
    const testsupport::AccessibleTable shown = testsupport::readAccessibleTable(view);
    EXPECT_EQ(shown.selected, (std::vector<bool>{false, false, true, false}));
    // Highlighted over the alternate colours, focused or not.
    const QRect row = view->rowRect(2);
    const QImage picture = view->viewport()->grab().toImage();
    const QPalette::ColorGroup group =
        view->isActiveWindow() ? QPalette::Active : QPalette::Inactive;
    EXPECT_EQ(picture.pixelColor(row.right() - 3, row.center().y()),
              view->palette().color(group, QPalette::Highlight));
    EXPECT_NE(picture.pixelColor(row.right() - 3, view->rowRect(1).center().y()),
              view->palette().color(group, QPalette::Highlight));
}

TEST_F(StandingsWindowTest, CtrlCCopiesTheRowsAndTypingATeamSelectsIt)
{
    addMatches({{0, 1, "LENS", 2, "ARRAS", 0}, {0, 1, "LILLE", 1, "METZ", 1}});
    frmMDIClassement* w = open();
    ListView* view = w->zelClass->hwnd();
    view->setFocus();
    QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(),
              QStringLiteral("Pl\tEquipe\tPts\tJ\tG\tN\tP\tB+\tB-\tDiff\n"
                             "1\tLENS\t3\t1\t1\t0\t0\t2\t0\t2\n"
                             "2\tMETZ\t1\t1\t0\t1\t0\t1\t1\t0\n"
                             "2\tLILLE\t1\t1\t0\t1\t0\t1\t1\t0\n"
                             "4\tARRAS\t0\t1\t0\t0\t1\t0\t2\t-2\n"));
    // No zones: no strip, no legend, the list down to the bottom.
    EXPECT_FALSE(w->zelClass->standings()->index(0, 0).data(ListModel::StripRole).isValid());
    EXPECT_FALSE(w->lblZones->isVisibleTo(w));
    EXPECT_EQ(w->zelClass->geometry().bottom(), w->height() - 1);
    QTest::keyClicks(view, QStringLiteral("li"));
    EXPECT_EQ(w->zelClass->ListIndex(), 2);
    QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(),
              QStringLiteral("Pl\tEquipe\tPts\tJ\tG\tN\tP\tB+\tB-\tDiff\n"
                             "2\tLILLE\t1\t1\t0\t1\t0\t1\t1\t0\n"));
}

TEST_F(StandingsWindowTest, TheZonesOfTheGeneralTableShowAsStripsTooltipsLegendAndLastColumn)
{
    addMatches({{0, 1, "LENS", 2, "ARRAS", 0}, {0, 1, "LILLE", 1, "METZ", 1}});
    setZones(QStringLiteral("1-2:Montée;4:Descente"));
    frmMDIClassement* w = open();
    w->resize(700, 400);
    ListView* view = w->zelClass->hwnd();
    const StandingsModel* model = w->zelClass->standings();
    const auto strip = [model](int row) {
        return model->index(row, 0).data(ListModel::StripRole).value<QColor>();
    };
    // By the rows' places: METZ and LILLE share "Pl" 2, only the first of them is in "Montée".
    EXPECT_EQ(strip(0).alpha(), 255);
    EXPECT_EQ(strip(1), strip(0));
    EXPECT_EQ(strip(2).alpha(), 0);
    EXPECT_EQ(strip(3).alpha(), 255);
    EXPECT_NE(strip(3), strip(0));

    // Painted at the left edge of the first cell, on the selected row too, and nowhere else.
    w->zelClass->setSelected(0, true);
    const QImage picture = view->viewport()->grab().toImage();
    const auto pixel = [&](int row, int x) {
        const QRect cell = view->visualRect(model->index(row, 0));
        return picture.pixelColor(cell.left() + x, cell.center().y());
    };
    EXPECT_EQ(pixel(0, 2), strip(0));
    EXPECT_EQ(pixel(3, 2), strip(3));
    EXPECT_NE(pixel(3, 9), strip(3));
    EXPECT_EQ(pixel(2, 2), model->index(2, 0).data(Qt::BackgroundRole).value<QColor>());

    // The label in every cell's tooltip and in what a screen reader reads of it.
    EXPECT_EQ(model->index(1, 2).data(Qt::ToolTipRole).toString(), QStringLiteral("Zone : Montée"));
    EXPECT_FALSE(model->index(2, 2).data(Qt::ToolTipRole).isValid());
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(view);
    ASSERT_TRUE(table && table->tableInterface());
    QAccessibleInterface* cell = table->tableInterface()->cellAt(3, 7);
    ASSERT_TRUE(cell);
    EXPECT_EQ(cell->text(QAccessible::Description), QStringLiteral("Zone : Descente"));

    // The legend under the list, read as text.
    EXPECT_TRUE(w->lblZones->isVisibleTo(w));
    EXPECT_EQ(w->lblZones->accessibleName(), QStringLiteral("Légende des zones"));
    EXPECT_EQ(w->lblZones->accessibleDescription(),
              QStringLiteral("Places 1 à 2 : Montée ; place 4 : Descente"));
    EXPECT_TRUE(w->lblZones->text().contains(strip(3).name()));
    EXPECT_GT(w->lblZones->geometry().top(), w->zelClass->geometry().bottom());
    EXPECT_LE(w->lblZones->geometry().bottom(), w->height() - 1);

    // Copies and exports end with the zone.
    view->clearSelection();
    view->setFocus();
    QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(),
              QStringLiteral("Pl\tEquipe\tPts\tJ\tG\tN\tP\tB+\tB-\tDiff\tZone\n"
                             "1\tLENS\t3\t1\t1\t0\t0\t2\t0\t2\tMontée\n"
                             "2\tMETZ\t1\t1\t0\t1\t0\t1\t1\t0\tMontée\n"
                             "2\tLILLE\t1\t1\t0\t1\t0\t1\t1\t0\t\n"
                             "4\tARRAS\t0\t1\t0\t0\t1\t0\t2\t-2\tDescente\n"));
    const QString csv = QString::fromUtf8(tablesToCsv(w->shownView().tables));
    EXPECT_TRUE(csv.contains(QStringLiteral("Diff;Zone")) && csv.contains("Descente"))
        << csv.toStdString();

    // Another kind of table has no zones.
    const int withLegend = w->zelClass->height();
    w->cboType->setCurrentIndex(1);
    w->zelOK_Click();
    EXPECT_FALSE(strip(0).isValid());
    EXPECT_FALSE(model->index(0, 2).data(Qt::ToolTipRole).isValid());
    EXPECT_FALSE(model->captions().contains(QStringLiteral("Zone")));
    EXPECT_FALSE(w->lblZones->isVisibleTo(w));
    EXPECT_GT(w->zelClass->height(), withLegend);
}

} // namespace
