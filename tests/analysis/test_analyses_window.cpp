#include "analysis/EvolutionChart.h"
#include "analysis/EvolutionModel.h"
#include "analysis/FormModel.h"
#include "analysis/GridModel.h"
#include "analysis/GridView.h"
#include "analysis/TeamChoiceModel.h"
#include "analysis/frmMDIAnalyses.h"
#include "controls/ListView.h"
#include "controls/MessageBox.h"
#include "controls/cOpenSaveFile.h"
#include "controls/zelRCornerCommand.h"
#include "controls/zelTab.h"
#include "matches/frmEditRencontre.h"
#include "models/CsvExport.h"
#include "models/MatchForecastModel.h"
#include "models/OutlookModel.h"
#include "printing/ReportDocument.h"
#include "shell/CompetitionCommands.h"
#include "shell/Registration.h"
#include "shell/TransferCommands.h"
#include "shell/frmMain.h"
#include "shell/frmNavigateur.h"
#include "store/Fixtures.h"
#include "store/Zones.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QLineSeries>
#include <QMenu>
#include <QPdfWriter>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QToolTip>
#include <QtTest/QTest>
#include <gtest/gtest.h>
#include <set>

using testsupport::TempDir;

namespace {

const QStringList kTeams{"ARRAS", "BREST", "CAEN", "DIJON", "LENS", "METZ"};

// Four matchdays of a six-team league (circle method), the scores varied enough for wins,
// draws and defeats at home and away, and ties in some rankings.
std::vector<store::MatchRow> season()
{
    std::vector<store::MatchRow> rows;
    const int n = int(kTeams.size());
    for (int day = 1; day <= 4; ++day)
        for (int k = 0; k < n / 2; ++k) {
            int a = k == 0 ? 0 : 1 + (day - 1 + k - 1) % (n - 1);
            int b = 1 + (day - 1 + n - 2 - k) % (n - 1);
            if ((day + k) % 2)
                std::swap(a, b);
            rows.push_back({0, day, kTeams[a], (a * 3 + day) % 4, kTeams[b], (b + 2 * day) % 3});
        }
    return rows;
}

class AnalysesWindowTest : public testing::Test
{
protected:
    void SetUp() override
    {
        Windows::registerAll();
        path = dir.file(QStringLiteral("ligue.dat"));
        testsupport::makeCompetition(path, kTeams);
        main.resize(1100, 760);
        main.show();
    }
    frmMDIAnalyses* open()
    {
        EXPECT_TRUE(Utilities::OpenCompetition(path));
        main.tbSection_ItemClick(1, 5);
        return qobject_cast<frmMDIAnalyses*>(main.currentWorkingWindow());
    }
    static void choose(frmMDIAnalyses* w, int day)
    {
        w->cboJournees->setCurrentIndex(w->cboJournees->findData(day));
        w->zelOK_Click();
    }
    // "journee home sd-sv visitor" of every result the tool lists, up to a matchday.
    std::set<QString> cliMatches(int upTo = 1000) const
    {
        const std::vector<QStringList> csv = testsupport::cliCsv({QStringLiteral("matches"), path});
        EXPECT_FALSE(csv.empty());
        EXPECT_EQ(
            csv.empty() ? QStringList() : csv[0],
            (QStringList{"Journée", "Domicile", "ScoreDomicile", "Visiteur", "ScoreVisiteur"}));
        std::set<QString> out;
        for (size_t i = 1; i < csv.size(); ++i)
            if (csv[i].value(0).toInt() <= upTo)
                out.insert(QStringLiteral("J%1 %2 %3-%4 %5")
                               .arg(csv[i][0], csv[i][1], csv[i][2], csv[i][4], csv[i][3]));
        return out;
    }
    // The same for the cells of the grid, read through its model.
    static std::set<QString> gridMatches(const GridModel* grid)
    {
        std::set<QString> out;
        for (int r = 0; r < grid->rowCount(); ++r)
            for (int c = GridModel::kFirstVisitor; c < grid->columnCount(); ++c) {
                const QModelIndex at = grid->index(r, c);
                const QString score = at.data().toString();
                if (score.isEmpty())
                    continue;
                const GridCell* cell = grid->cellAt(at);
                EXPECT_TRUE(cell && cell->played);
                out.insert(
                    QStringLiteral("J%1 %2 %3 %4")
                        .arg(cell ? cell->journee : 0)
                        .arg(grid->index(r, 1).data().toString(), score,
                             grid->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString()));
            }
        return out;
    }

    TempDir dir;
    QString path;
    frmMain main;
};

TEST_F(AnalysesWindowTest, OpensFromCtrl5)
{
    ASSERT_TRUE(Utilities::OpenCompetition(path));
    ASSERT_EQ(main.currentWorkingWindow()->formName(), QStringLiteral("frmMDIEquipes"));
    main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    QTest::keyClick(&main, Qt::Key_5, Qt::ControlModifier);
    ASSERT_TRUE(qobject_cast<frmMDIAnalyses*>(main.currentWorkingWindow()));
    EXPECT_EQ(main.navigator()->selectedItem(), 5);

    // The fifth command of the Actions menu, under a letter of its own.
    QMenu* actions = main.currentWorkingWindow()->menus().value(1);
    ASSERT_TRUE(actions);
    QStringList keys;
    for (QAction* a : actions->actions())
        keys << a->text().mid(a->text().indexOf(QLatin1Char('&')) + 1, 1).toUpper();
    EXPECT_EQ(keys, (QStringList{"E", "R", "C", "P", "A"}));
}

TEST_F(AnalysesWindowTest, EveryGridCellIsAMatchOfTheCommandLine)
{
    testsupport::addMatches(path, season());
    frmMDIAnalyses* w = open();
    ASSERT_TRUE(w);
    EXPECT_EQ(w->cboJournees->currentText(), QStringLiteral("Journée 4"));
    const GridModel* grid = w->grid();
    EXPECT_EQ(grid->captions(), (QStringList{QString(), QStringLiteral("Domicile")} + kTeams));
    ASSERT_EQ(grid->rowCount(), 6);
    const std::set<QString> cli = cliMatches();
    EXPECT_EQ(cli.size(), 12u);
    EXPECT_EQ(gridMatches(grid), cli);

    // The colour is the home side's result; the diagonal is darker than any result.
    for (int r = 0; r < 6; ++r)
        for (int v = 0; v < 6; ++v) {
            const QModelIndex at = grid->indexOf(r, v);
            const QColor back = at.data(Qt::BackgroundRole).value<QColor>();
            const QString score = at.data().toString();
            if (r == v) {
                EXPECT_TRUE(score.isEmpty());
                EXPECT_EQ(back, GridModel::kDiagonal);
                continue;
            }
            if (score.isEmpty()) {
                EXPECT_EQ(back, QColor(Qt::white)) << r << " " << v;
                continue;
            }
            const int home = score.section(QLatin1Char('-'), 0, 0).toInt();
            const int away = score.section(QLatin1Char('-'), 1, 1).toInt();
            EXPECT_EQ(back, home > away    ? GridModel::kWin
                            : home == away ? GridModel::kDraw
                                           : GridModel::kDefeat)
                << score.toStdString();
            EXPECT_LT(GridModel::kDiagonal.lightness(), back.lightness());
        }

    // A screen reader hears the match in each cell, and the full names above the columns.
    const testsupport::AccessibleTable shown = testsupport::readAccessibleTable(w->lstGrille);
    EXPECT_EQ(shown.headers.mid(2), kTeams);
    ASSERT_EQ(shown.rows.size(), 6u);
    for (int r = 0; r < 6; ++r)
        for (int v = 0; v < 6; ++v) {
            const GridCell* cell = grid->cellAt(grid->indexOf(r, v));
            if (cell && cell->played) {
                EXPECT_EQ(shown.rows[size_t(r)][v + 2], QStringLiteral("%1 %2-%3 %4, journée %5")
                                                            .arg(kTeams[r])
                                                            .arg(cell->home)
                                                            .arg(cell->away)
                                                            .arg(kTeams[v])
                                                            .arg(cell->journee));
            }
        }
}

TEST_F(AnalysesWindowTest, EveryChartPointIsThePlaceOfTheRankingHistory)
{
    testsupport::addMatches(path, season());
    frmMDIAnalyses* w = open();
    ASSERT_TRUE(w);
    // By default the first four of the general standings.
    const std::vector<QStringList> standings =
        testsupport::cliCsv({QStringLiteral("standings"), path});
    ASSERT_EQ(standings.size(), 7u);
    QStringList leaders, drawn;
    for (int i = 1; i <= 4; ++i)
        leaders << standings[size_t(i)][1];
    for (QLineSeries* s : w->chart->series())
        drawn << s->name();
    leaders.sort();
    drawn.sort();
    EXPECT_EQ(drawn, leaders);

    w->teams()->setTicked({1, 4}); // BREST, LENS
    choose(w, 3);
    const QStringList kinds{"general", "attaque", "defense", "domicile", "exterieur"};
    for (int kind = 0; kind < 5; ++kind) {
        w->cboType->setCurrentIndex(kind);
        const QList<QLineSeries*> series = w->chart->series();
        ASSERT_EQ(series.size(), 2);
        for (int line = 0; line < 2; ++line) {
            QLineSeries* s = series[line];
            const std::vector<QStringList> history =
                testsupport::cliCsv({QStringLiteral("history"), path, s->name(),
                                     QStringLiteral("--kind"), kinds[kind]});
            // Oldest first, up to the matchday chosen.
            std::vector<QPointF> expected;
            for (size_t i = history.size() - 1; i >= 1; --i)
                if (history[i][0].toInt() <= 3)
                    expected.push_back(QPointF(history[i][0].toInt(), history[i][1].toInt()));
            ASSERT_EQ(expected.size(), 3u);
            const QList<QPointF> points = s->points();
            EXPECT_EQ(std::vector<QPointF>(points.begin(), points.end()), expected)
                << kinds[kind].toStdString() << " " << s->name().toStdString();
            const QStringList& last = history[2]; // newest first: matchday 3 of 4
            ASSERT_EQ(last[0], QStringLiteral("3"));
            EXPECT_EQ(w->chart->textNear(line, 2.8),
                      s->name() + QStringLiteral(" – ") +
                          EvolutionChart::pointText(3, last[1].toInt(), last[2].toInt()));
        }
    }

    // Cumulative points instead of places, on an axis that is no longer reversed.
    w->cboType->setCurrentIndex(0);
    w->chkPoints->setChecked(true);
    const std::vector<QStringList> lens =
        testsupport::cliCsv({QStringLiteral("history"), path, QStringLiteral("LENS"),
                             QStringLiteral("--kind"), QStringLiteral("general")});
    QLineSeries* lensLine = w->chart->series().value(1);
    ASSERT_TRUE(lensLine);
    EXPECT_EQ(lensLine->name(), QStringLiteral("LENS"));
    ASSERT_EQ(lensLine->count(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(lensLine->at(i).y(), lens[size_t(lens.size() - 1 - i)][2].toInt()) << i;
    EXPECT_TRUE(w->chart->showsPoints());
}

TEST_F(AnalysesWindowTest, TickingTeamsFromTheKeyboardDrawsTheirLines)
{
    testsupport::addMatches(path, season());
    frmMDIAnalyses* w = open();
    ASSERT_TRUE(w);
    w->teams()->setTicked({});
    EXPECT_TRUE(w->chart->series().isEmpty());
    ListView* list = w->lstEquipes;
    list->setFocus();
    list->setCurrentRow(2);
    QTest::keyClick(list, Qt::Key_Space);
    ASSERT_EQ(w->chart->series().size(), 1);
    EXPECT_EQ(w->chart->series()[0]->name(), QStringLiteral("CAEN"));
    EXPECT_EQ(w->chart->series()[0]->color(), TeamChoiceModel::colourOf(2));
    // Read as a ticked cell by a screen reader.
    const QModelIndex caen = w->teams()->index(2, 1);
    EXPECT_EQ(caen.data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
    QTest::keyClick(list, Qt::Key_Space);
    EXPECT_TRUE(w->chart->series().isEmpty());
    // A click on the tick box.
    const QRect row = list->visualRect(w->teams()->index(4, 1));
    QStyleOptionViewItem option;
    option.initFrom(list);
    option.rect = row;
    option.features |= QStyleOptionViewItem::HasCheckIndicator;
    const QRect box =
        list->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, list);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, box.center());
    ASSERT_EQ(w->chart->series().size(), 1);
    EXPECT_EQ(w->chart->series()[0]->name(), QStringLiteral("LENS"));

    // Each line's own colour; ordinals in French.
    w->teams()->setTicked({0, 1, 2, 3, 4, 5});
    QSet<QRgb> colours;
    for (QLineSeries* s : w->chart->series())
        colours.insert(s->color().rgb());
    EXPECT_EQ(colours.size(), 6);
    EXPECT_EQ(EvolutionChart::pointText(12, 1, 30), QStringLiteral("J12 : 1er, 30 pts"));
    EXPECT_EQ(EvolutionChart::pointText(12, 3, 24), QStringLiteral("J12 : 3e, 24 pts"));
}

TEST_F(AnalysesWindowTest, AHoveredPointKeepsItsTipNamingItsTeam)
{
    testsupport::addMatches(path, season());
    frmMDIAnalyses* w = open();
    ASSERT_TRUE(w);
    w->teams()->setTicked({1, 4});
    QLineSeries* lens = w->chart->series().value(1);
    ASSERT_TRUE(lens);
    const std::vector<QStringList> history =
        testsupport::cliCsv({QStringLiteral("history"), path, QStringLiteral("LENS")});
    ASSERT_EQ(history[2][0], QStringLiteral("3"));
    const QString expected =
        QStringLiteral("LENS – J3 : %1%2, %3 pts")
            .arg(history[2][1], history[2][1] == QStringLiteral("1") ? "er" : "e", history[2][2]);
    main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    emit lens->hovered(QPointF(3.2, 2), true);
    EXPECT_EQ(w->chart->tip(), expected);
    EXPECT_EQ(QToolTip::text(), expected);
    // The scene's own request for a tip, once the pointer has stayed still, leaves it shown.
    const QPoint at = w->chart->viewport()->rect().center();
    QHelpEvent help(QEvent::ToolTip, at, w->chart->viewport()->mapToGlobal(at));
    QApplication::sendEvent(w->chart->viewport(), &help);
    QTest::qWait(500);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), expected);
    emit lens->hovered(QPointF(3.2, 2), false);
    EXPECT_TRUE(w->chart->tip().isEmpty());
}

TEST_F(AnalysesWindowTest, TheMatchdayBoxLimitsEveryTab)
{
    testsupport::addMatches(path, season());
    frmMDIAnalyses* w = open();
    ASSERT_TRUE(w);
    EXPECT_EQ(w->cboJournees->count(), 4);
    EXPECT_EQ(w->shownMatchday(), 4);

    // Nothing changes before "OK" or Enter.
    w->cboJournees->setCurrentIndex(1);
    EXPECT_EQ(gridMatches(w->grid()).size(), 12u);
    main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    w->cboJournees->setFocus();
    QTest::keyClick(w->cboJournees, Qt::Key_Return);
    EXPECT_EQ(w->shownMatchday(), 2);
    EXPECT_EQ(gridMatches(w->grid()), cliMatches(2));
    for (QLineSeries* s : w->chart->series())
        EXPECT_EQ(s->count(), 2) << s->name().toStdString();

    // The form at matchday 2, as the tool gives it, in the order of its standings.
    const std::vector<QStringList> form = testsupport::cliCsv(
        {QStringLiteral("form"), path, QStringLiteral("--matchday"), QStringLiteral("2")});
    ASSERT_EQ(form.size(), 7u);
    EXPECT_EQ(form[0], (QStringList{"Equipe", "Forme", "Pts", "Serie"}));
    const FormModel* model = w->form();
    ASSERT_EQ(model->rowCount(), 6);
    for (int r = 0; r < 6; ++r) {
        const auto cell = [&](int c) { return model->index(r, c).data().toString(); };
        EXPECT_EQ((QStringList{cell(FormModel::Equipe), cell(FormModel::Forme),
                               cell(FormModel::Pts), cell(FormModel::Serie)}),
                  form[size_t(r + 1)]);
        EXPECT_EQ(cell(FormModel::Forme).size(), 2);
    }

    w->cboJournees->setCurrentIndex(3);
    w->zelOK_Click();
    EXPECT_EQ(gridMatches(w->grid()), cliMatches(4));
}

TEST_F(AnalysesWindowTest, TheFormAgreesWithTheGrid)
{
    // LENS: V V D V V V N at home and away, for a best run of 3.
    testsupport::addMatches(path, {{0, 1, "LENS", 2, "ARRAS", 0},
                                   {0, 2, "BREST", 0, "LENS", 1},
                                   {0, 3, "LENS", 0, "CAEN", 1},
                                   {0, 4, "DIJON", 1, "LENS", 3},
                                   {0, 5, "LENS", 1, "METZ", 0},
                                   {0, 6, "ARRAS", 1, "LENS", 2},
                                   {0, 6, "BREST", 2, "CAEN", 2},
                                   {0, 7, "LENS", 1, "BREST", 1}});
    frmMDIAnalyses* w = open();
    ASSERT_TRUE(w);
    const FormModel* form = w->form();
    const GridModel* grid = w->grid();
    ASSERT_EQ(form->rowCount(), 6);
    EXPECT_EQ(form->index(0, FormModel::Equipe).data().toString(), QStringLiteral("LENS"));
    EXPECT_EQ(form->index(0, FormModel::Forme).data().toString(), QStringLiteral("DVVVN"));
    EXPECT_EQ(form->index(0, FormModel::MeilleureSerie).data().toString(), QStringLiteral("3"));
    // Home and away records are the tallies of the team's row and column of the grid.
    for (int r = 0; r < 6; ++r) {
        const int team = int(kTeams.indexOf(form->index(r, FormModel::Equipe).data().toString()));
        int home[3] = {0, 0, 0}, away[3] = {0, 0, 0};
        for (int other = 0; other < 6; ++other) {
            const GridCell* h = grid->cellAt(grid->indexOf(team, other));
            if (h && h->played)
                ++home[h->home > h->away ? 0 : h->home == h->away ? 1 : 2];
            const GridCell* a = grid->cellAt(grid->indexOf(other, team));
            if (a && a->played)
                ++away[a->away > a->home ? 0 : a->away == a->home ? 1 : 2];
        }
        EXPECT_EQ(form->index(r, FormModel::Domicile).data().toString(),
                  QStringLiteral("%1-%2-%3").arg(home[0]).arg(home[1]).arg(home[2]));
        EXPECT_EQ(form->index(r, FormModel::Exterieur).data().toString(),
                  QStringLiteral("%1-%2-%3").arg(away[0]).arg(away[1]).arg(away[2]));
    }
    // The letters are read out as words; the copy keeps the letters.
    const testsupport::AccessibleTable shown = testsupport::readAccessibleTable(w->lstForme);
    EXPECT_EQ(shown.headers, form->captions());
    EXPECT_EQ(shown.rows[0][FormModel::Forme],
              QStringLiteral("défaite, victoire, victoire, victoire, nul"));
    const QStringList copied = w->lstForme->copiedText().split(QLatin1Char('\n'));
    EXPECT_EQ(copied[0], QStringLiteral("Equipe\tForme\tPts\tSérie\tMeilleure série\tDomicile\t"
                                        "Extérieur"));
    EXPECT_TRUE(copied[1].startsWith(QStringLiteral("LENS\tDVVVN\t")));
}

TEST_F(AnalysesWindowTest, DoubleClickingAnEmptyCellEntersItsMatch)
{
    testsupport::addMatches(path, {{0, 1, "LENS", 2, "ARRAS", 0},
                                   {0, 1, "METZ", 1, "BREST", 1},
                                   {0, 2, "ARRAS", 0, "METZ", 3}});
    frmMDIAnalyses* w = open();
    ASSERT_TRUE(w);
    w->tabAnalyses->setCurrentIndex(frmMDIAnalyses::GridTab);
    GridView* view = w->lstGrille;
    const int lens = 4, metz = 5, caen = 2, dijon = 3;
    ASSERT_TRUE(w->grid()->indexOf(lens, metz).data().toString().isEmpty());

    bool seen = false;
    testsupport::onNextModal<frmEditRencontre>([&](frmEditRencontre* e) {
        seen = true;
        EXPECT_EQ(e->windowTitle(), frmEditRencontre::kCreation);
        EXPECT_EQ(e->cboDomicile->currentText(), QStringLiteral("LENS"));
        EXPECT_EQ(e->cboVisiteur->currentText(), QStringLiteral("METZ"));
        // LENS played on matchday 1 and METZ on 1 and 2.
        EXPECT_EQ(e->cboJournee->currentText(), QStringLiteral("3"));
        e->txtScore[0]->setText(QStringLiteral("3"));
        e->txtScore[1]->setText(QStringLiteral("1"));
        QTest::mouseClick(e->cmdSave, Qt::LeftButton);
        EXPECT_TRUE(e->isVisible());
        // The window stays open for more results.
        e->cboJournee->setCurrentIndex(2);
        e->cboDomicile->setCurrentIndex(e->cboDomicile->findText(QStringLiteral("CAEN")));
        e->cboVisiteur->setCurrentIndex(e->cboVisiteur->findText(QStringLiteral("DIJON")));
        e->txtScore[0]->setText(QStringLiteral("0"));
        e->txtScore[1]->setText(QStringLiteral("0"));
        QTest::mouseClick(e->cmdSave, Qt::LeftButton);
        e->reject();
    });
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {},
                       view->visualRect(w->grid()->indexOf(lens, metz)).center());
    ASSERT_TRUE(seen);
    EXPECT_TRUE(MessageBox::shown().isEmpty());

    // Both saves are in the grid, matchday 3 now shown.
    EXPECT_EQ(w->cboJournees->currentText(), QStringLiteral("Journée 3"));
    EXPECT_EQ(w->grid()->indexOf(lens, metz).data().toString(), QStringLiteral("3-1"));
    EXPECT_EQ(w->grid()->indexOf(caen, dijon).data().toString(), QStringLiteral("0-0"));
    EXPECT_EQ(gridMatches(w->grid()), cliMatches());

    // Enter on a played cell corrects its match; the window then closes.
    main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    view->setFocus();
    view->setCurrentIndex(w->grid()->indexOf(lens, caen));
    QTest::keyClick(view, Qt::Key_Right); // the arrows go from cell to cell
    ASSERT_EQ(view->currentIndex(), w->grid()->indexOf(lens, dijon));
    QTest::keyClick(view, Qt::Key_Right);
    QTest::keyClick(view, Qt::Key_Right);
    ASSERT_EQ(view->currentIndex(), w->grid()->indexOf(lens, metz));
    bool closed = false;
    testsupport::onNextModal<frmEditRencontre>([&](frmEditRencontre* e) {
        EXPECT_EQ(e->windowTitle(), frmEditRencontre::kEdition);
        EXPECT_EQ(e->cboJournee->currentText(), QStringLiteral("3"));
        EXPECT_EQ(e->txtScore[0]->text(), QStringLiteral("3"));
        e->txtScore[0]->setText(QStringLiteral("0"));
        QTest::mouseClick(e->cmdSave, Qt::LeftButton);
        closed = !e->isVisible();
        if (e->isVisible())
            e->reject();
    });
    QTest::keyClick(view, Qt::Key_Return);
    EXPECT_TRUE(closed);
    EXPECT_EQ(w->grid()->indexOf(lens, metz).data().toString(), QStringLiteral("0-1"));
    EXPECT_EQ(gridMatches(w->grid()), cliMatches());
}

TEST_F(AnalysesWindowTest, AnEmptyCellOfAMatchPlayedLaterCorrectsThatMatch)
{
    testsupport::addMatches(path, {{0, 1, "LENS", 2, "ARRAS", 0}, {0, 2, "METZ", 1, "LENS", 1}});
    frmMDIAnalyses* w = open();
    ASSERT_TRUE(w);
    choose(w, 1);
    const QModelIndex later = w->grid()->indexOf(5, 4);
    ASSERT_TRUE(later.data().toString().isEmpty());
    QString title;
    testsupport::onNextModal<frmEditRencontre>([&](frmEditRencontre* e) {
        title = e->windowTitle();
        EXPECT_EQ(e->cboJournee->currentText(), QStringLiteral("2"));
        e->reject();
    });
    w->editGridCell(later);
    EXPECT_EQ(title, frmEditRencontre::kEdition);
    // Neither the diagonal nor the names open anything.
    w->editGridCell(w->grid()->indexOf(4, 4));
    w->editGridCell(w->grid()->index(4, 1));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(AnalysesWindowTest, AScheduledPairingShowsItsMatchdayInGreyAndIsEnteredOnIt)
{
    testsupport::addMatches(path, {{0, 1, "LENS", 2, "ARRAS", 0}});
    {
        store::OpenError error;
        auto c = store::Competition::open(path, error);
        ASSERT_TRUE(c);
        ASSERT_TRUE(store::addFixture(*c, {0, 7, "lens", "METZ"}).ok());
    }
    frmMDIAnalyses* w = open();
    ASSERT_TRUE(w);
    w->tabAnalyses->setCurrentIndex(frmMDIAnalyses::GridTab);
    const int lens = 4, metz = 5, arras = 0;
    const QModelIndex planned = w->grid()->indexOf(lens, metz);
    EXPECT_EQ(planned.data().toString(), QStringLiteral("J7"));
    EXPECT_EQ(planned.data(Qt::ForegroundRole).value<QColor>(), GridModel::kScheduled);
    EXPECT_NE(w->grid()->indexOf(lens, arras).data(Qt::ForegroundRole).value<QColor>(),
              GridModel::kScheduled);
    EXPECT_TRUE(w->grid()->indexOf(metz, lens).data().toString().isEmpty()); // the return leg
    EXPECT_TRUE(w->lblGrille->text().contains(QStringLiteral("journée d'une rencontre à jouer")));
    const testsupport::AccessibleTable read = testsupport::readAccessibleTable(w->lstGrille);
    EXPECT_EQ(read.rows.at(size_t(lens)).at(GridModel::kFirstVisitor + metz),
              QStringLiteral("LENS – METZ, à jouer, journée 7"));
    // The file of the grid holds scores only.
    const QStringList csv = QString::fromUtf8(tablesToCsv(w->shownView().tables).mid(3))
                                .split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(csv.size(), 7);
    EXPECT_EQ(csv[lens + 1], QStringLiteral("LENS;2-0;;;;;"));

    testsupport::onNextModal<frmEditRencontre>([](frmEditRencontre* e) {
        EXPECT_EQ(e->windowTitle(), frmEditRencontre::kCreation);
        EXPECT_EQ(e->cboJournee->currentText(), QStringLiteral("7"));
        EXPECT_EQ(e->cboDomicile->currentText(), QStringLiteral("LENS"));
        EXPECT_EQ(e->cboVisiteur->currentText(), QStringLiteral("METZ"));
        QTest::mouseClick(e->cmdSave, Qt::LeftButton);
        e->reject();
    });
    w->editGridCell(planned);
    // Played on its matchday, it leaves the calendar.
    const QModelIndex played = w->grid()->indexOf(lens, metz);
    EXPECT_EQ(played.data().toString(), QStringLiteral("0-0"));
    EXPECT_EQ(w->grid()->scheduledAt(played), 0);
    EXPECT_EQ(w->cboJournees->currentData().toInt(), 7);
}

TEST_F(AnalysesWindowTest, TheChartIsSavedAsAPicture)
{
    testsupport::addMatches(path, season());
    frmMDIAnalyses* w = open();
    ASSERT_TRUE(w);
    const QString picture = dir.file(QStringLiteral("évolution.png"));
    cOpenSaveFile::setNextFileName(picture);
    QTest::mouseClick(w->cmdImage, Qt::LeftButton);
    ASSERT_EQ(cOpenSaveFile::requests().size(), 1);
    const cOpenSaveFile::Request& asked = cOpenSaveFile::requests()[0];
    EXPECT_TRUE(asked.save);
    EXPECT_EQ(asked.filter, QStringLiteral("Images PNG|*.png"));
    EXPECT_TRUE(asked.flags & cOpenSaveFile::OverWritePromptFlag);
    EXPECT_EQ(asked.fileName, QStringLiteral("ligue - Evolution J4"));
    QImage saved;
    ASSERT_TRUE(saved.load(picture, "PNG"));
    EXPECT_EQ(saved.size(), w->chart->size() * w->chart->devicePixelRatio());
    EXPECT_TRUE(MessageBox::shown().isEmpty());

    // A folder that does not exist: told, nothing written.
    const QString nowhere = dir.file(QStringLiteral("absent/évolution.png"));
    cOpenSaveFile::setNextFileName(nowhere);
    w->cmdImage_Click();
    ASSERT_EQ(MessageBox::shown().size(), 1);
    EXPECT_EQ(MessageBox::shown()[0].icon, MessageBox::Critical);
    EXPECT_EQ(
        MessageBox::shown()[0].text,
        QStringLiteral("L'image n'a pas pu être enregistrée dans le fichier « %1 ».").arg(nowhere));
    EXPECT_FALSE(QFileInfo::exists(nowhere));

    cOpenSaveFile::setNextCancel();
    w->cmdImage_Click();
    EXPECT_EQ(MessageBox::shown().size(), 1);
}

TEST_F(AnalysesWindowTest, ExportAndPrintFollowTheShownTab)
{
    testsupport::addMatches(path, season());
    frmMDIAnalyses* w = open();
    ASSERT_TRUE(w);
    // The chart's places as a table: a row per matchday, a column per team drawn.
    w->teams()->setTicked({1, 4});
    ShownView view = w->shownView();
    ASSERT_EQ(view.tables.size(), 1);
    EXPECT_EQ(view.name, QStringLiteral("Evolution Général J4"));
    const ListModel* places = view.tables[0].model;
    EXPECT_EQ(places, w->chart->model());
    const QStringList csv = QString::fromUtf8(tablesToCsv(view.tables).mid(3))
                                .split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(csv.size(), 5);
    EXPECT_EQ(csv[0], QStringLiteral("Journée;BREST;LENS"));
    const std::vector<QStringList> brest =
        testsupport::cliCsv({QStringLiteral("history"), path, QStringLiteral("BREST")});
    const std::vector<QStringList> lens =
        testsupport::cliCsv({QStringLiteral("history"), path, QStringLiteral("LENS")});
    ASSERT_EQ(brest.size(), 5u);
    for (int day = 1; day <= 4; ++day)
        EXPECT_EQ(csv[day], QStringLiteral("%1;%2;%3")
                                .arg(day)
                                .arg(brest[size_t(5 - day)][1], lens[size_t(5 - day)][1]));
    // The copy reads the same table.
    main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    w->chart->setFocus();
    QTest::keyClick(w->chart, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), places->tabSeparated());
    // The printed page holds the chart's picture above the table.
    const QString pdf = dir.file(QStringLiteral("évolution.pdf"));
    cOpenSaveFile::setNextFileName(pdf);
    TransferCommands::exportPdf(w, view);
    EXPECT_TRUE(MessageBox::shown().isEmpty());
    EXPECT_TRUE(testsupport::readBytes(pdf).contains("/Subtype /Image"));
    // Without a team drawn there is nothing to take out.
    w->teams()->setTicked({});
    EXPECT_TRUE(w->shownView().isEmpty());

    w->tabAnalyses->setCurrentIndex(frmMDIAnalyses::GridTab);
    view = w->shownView();
    ASSERT_EQ(view.tables.size(), 1);
    EXPECT_EQ(view.name, QStringLiteral("Grille J4"));
    EXPECT_EQ(view.tables[0].model, w->grid());
    EXPECT_TRUE(view.render);
    const QStringList lines = QString::fromUtf8(tablesToCsv(view.tables).mid(3))
                                  .split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 7);
    EXPECT_EQ(lines[0], QStringLiteral("Domicile;") + kTeams.join(QLatin1Char(';')));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("ARRAS;;")));
    // Printed under its title (the grid's own layout is the report's to check).
    const QString gridPdf = dir.file(QStringLiteral("grille.pdf"));
    {
        QPdfWriter writer(gridPdf);
        ReportDocument doc(writer, {}, view.orientation);
        view.render(doc);
    }
    const QStringList pages = testsupport::pdfPages(gridPdf);
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Grille des confrontations – Journée 4")));

    w->tabAnalyses->setCurrentIndex(frmMDIAnalyses::FormTab);
    view = w->shownView();
    ASSERT_EQ(view.tables.size(), 1);
    EXPECT_EQ(view.name, QStringLiteral("Forme J4"));
    EXPECT_EQ(view.tables[0].model, w->form());
}

TEST_F(AnalysesWindowTest, WithoutResultsTheGridStillTakesTheFirstMatch)
{
    frmMDIAnalyses* w = open();
    ASSERT_TRUE(w);
    EXPECT_EQ(w->cboJournees->count(), 0);
    EXPECT_FALSE(w->zelOK->isEnabled());
    EXPECT_EQ(w->grid()->rowCount(), 6);
    EXPECT_TRUE(gridMatches(w->grid()).empty());
    EXPECT_EQ(w->chart->series().size(), 4);
    for (QLineSeries* s : w->chart->series())
        EXPECT_EQ(s->count(), 0);
    testsupport::onNextModal<frmEditRencontre>([](frmEditRencontre* e) {
        EXPECT_EQ(e->cboJournee->currentText(), QStringLiteral("1"));
        QTest::mouseClick(e->cmdSave, Qt::LeftButton);
        e->reject();
    });
    w->editGridCell(w->grid()->indexOf(0, 1));
    EXPECT_EQ(w->cboJournees->count(), 1);
    EXPECT_TRUE(w->zelOK->isEnabled());
    EXPECT_EQ(w->grid()->indexOf(0, 1).data().toString(), QStringLiteral("0-0"));
}

TEST_F(AnalysesWindowTest, TeamsToChooseFromAreInFrenchOrder)
{
    path = dir.file(QStringLiteral("accents.dat"));
    testsupport::makeCompetition(path,
                                 QStringList{"Zèbre", "Étoile Mâcon", "evian", "ARRAS", "Dijon"});
    testsupport::addMatches(path, {{0, 1, "Étoile Mâcon", 2, "Zèbre", 0}});
    const QStringList french{"ARRAS", "Dijon", "Étoile Mâcon", "evian", "Zèbre"};
    frmMDIAnalyses* w = open();
    ASSERT_TRUE(w);
    QStringList listed;
    for (int r = 0; r < w->teams()->rowCount(); ++r)
        listed << w->teams()->team(r);
    EXPECT_EQ(listed, french);
    EXPECT_EQ(w->grid()->captions().mid(2), french);
    // A ticked row draws its own team.
    w->teams()->setTicked({2});
    ASSERT_EQ(w->chart->series().size(), 1);
    EXPECT_EQ(w->chart->series()[0]->name(), QStringLiteral("Étoile Mâcon"));

    QStringList homes;
    testsupport::onNextModal<frmEditRencontre>([&](frmEditRencontre* e) {
        for (int i = 0; i < e->cboDomicile->count(); ++i)
            homes << e->cboDomicile->itemText(i);
        e->reject();
    });
    w->editGridCell(w->grid()->indexOf(0, 1));
    EXPECT_EQ(homes, french);
}

} // namespace

TEST_F(AnalysesWindowTest, ForecastsShowTheNextMatchdayFromTheResultsBeforeIt)
{
    testsupport::addMatches(path, season());
    {
        store::OpenError error;
        auto c = store::Competition::open(path, error);
        ASSERT_TRUE(c);
        ASSERT_TRUE(store::insertFixtures(
                        c->db(),
                        {{0, 5, "LENS", "ARRAS"}, {0, 5, "METZ", "DIJON"}, {0, 5, "CAEN", "BREST"}})
                        .ok());
    }
    frmMDIAnalyses* w = open();
    ASSERT_TRUE(w);
    w->tabAnalyses->setCurrentIndex(frmMDIAnalyses::ForecastTab);
    EXPECT_EQ(w->forecastMatchday(), 5);
    const MatchForecastModel* m = w->forecasts();
    ASSERT_EQ(m->rowCount(), 3);
    for (const MatchForecastModel::Row& r : m->items()) {
        EXPECT_NEAR(r.forecast.home + r.forecast.draw + r.forecast.away, 1.0, 1e-9);
        EXPECT_FALSE(r.result);
    }
    EXPECT_TRUE(w->lblPrevisions->text().startsWith(
        QStringLiteral("Journée 5, prévue à partir des seuls résultats des journées 1 à 4")));
    EXPECT_TRUE(m->index(0, MatchForecastModel::P1)
                    .data(Qt::AccessibleDescriptionRole)
                    .toString()
                    .startsWith(QStringLiteral("Prévision : victoire de LENS ")));
    // The file holds decimals with a point, under the tool's captions.
    const QStringList csv = QString::fromUtf8(tablesToCsv(w->shownView().tables).mid(3))
                                .split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(csv.size(), 4);
    EXPECT_EQ(csv[0], QStringLiteral("Journée;Domicile;Visiteur;P1;PN;P2;ButsDomicile;"
                                     "ButsVisiteur;Score;Résultat"));
    EXPECT_TRUE(QRegularExpression(
                    QStringLiteral("^5;LENS;ARRAS;0\\.\\d{4};0\\.\\d{4};0\\.\\d{4};\\d\\.\\d\\d;"
                                   "\\d\\.\\d\\d;\\d-\\d;$"))
                    .match(csv[1])
                    .hasMatch())
        << csv[1].toStdString();

    // After matchday 2, the matches of matchday 3 with their results, as the tool forecasts
    // them from the same results.
    choose(w, 2);
    ASSERT_EQ(w->forecastMatchday(), 3);
    ASSERT_EQ(m->rowCount(), 3);
    const std::vector<QStringList> tool = testsupport::cliCsv(
        {QStringLiteral("predict"), path, QStringLiteral("--matchday"), QStringLiteral("3"),
         QStringLiteral("--format"), QStringLiteral("csv")});
    ASSERT_EQ(tool.size(), 4u);
    for (int r = 0; r < 3; ++r) {
        EXPECT_TRUE(m->items()[size_t(r)].result);
        for (int c = MatchForecastModel::Journee; c <= MatchForecastModel::Score; ++c)
            EXPECT_EQ(m->data(m->index(r, c), ListModel::ExportRole).toString(),
                      tool[size_t(r) + 1].value(c));
    }
}

TEST_F(AnalysesWindowTest, TheSeasonOutcomeIsSimulatedInTheBackgroundAsTheToolDoes)
{
    testsupport::addMatches(path, season());
    frmMDIAnalyses* w = open();
    ASSERT_TRUE(w);
    choose(w, 4);
    w->tabAnalyses->setCurrentIndex(frmMDIAnalyses::OutlookTab);
    // The places still possible are there at once, the probabilities when the runs end.
    const OutlookModel* m = w->outlook();
    ASSERT_EQ(m->rowCount(), 6);
    EXPECT_TRUE(w->simulating());
    EXPECT_TRUE(w->cmdAnnuler->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(!w->simulating(), 30000);
    EXPECT_FALSE(w->cmdAnnuler->isEnabled());
    EXPECT_TRUE(w->lblSaison->text().contains(QLocale(QLocale::French).toString(10000) +
                                              QStringLiteral(" saisons simulées")));

    // Without a calendar every pairing not played is left; the same seed as the tool's gives
    // the same numbers.
    const std::vector<QStringList> tool = testsupport::cliCsv(
        {QStringLiteral("forecast"), path, QStringLiteral("--matchday"), QStringLiteral("4"),
         QStringLiteral("--format"), QStringLiteral("csv")});
    ASSERT_EQ(tool.size(), 7u);
    std::vector<double> byPlace(6, 0.0);
    for (int r = 0; r < 6; ++r) {
        const OutlookModel::Row& row = m->items()[size_t(r)];
        QStringList shown;
        for (int c : m->exportedColumns())
            if (c != OutlookModel::Pl && c != OutlookModel::Certitude)
                shown << m->data(m->index(r, c), ListModel::ExportRole).toString();
        EXPECT_EQ(shown, tool[size_t(r) + 1]);
        double sum = 0.0;
        for (int place = 1; place <= 6; ++place) {
            const double p = row.places[size_t(place - 1)];
            sum += p;
            byPlace[size_t(place - 1)] += p;
            if (place < row.best || place > row.worst) {
                EXPECT_EQ(p, 0.0) << row.team.toStdString() << " " << place;
            }
        }
        EXPECT_NEAR(sum, 1.0, 1e-9);
    }
    for (double p : byPlace)
        EXPECT_NEAR(p, 1.0, 1e-9);

    // "Annuler" stops a longer run and keeps the places still possible.
    w->cboSimulations->setCurrentIndex(w->cboSimulations->findData(100000));
    ASSERT_TRUE(w->simulating());
    QTest::mouseClick(w->cmdAnnuler, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!w->simulating(), 30000);
    EXPECT_TRUE(w->lblSaison->text().contains(QStringLiteral("simulation annulée")));
    ASSERT_EQ(m->rowCount(), 6);
    EXPECT_FALSE(m->items()[0].finalPoints);
    EXPECT_GE(m->items()[0].worst, m->items()[0].best);
    EXPECT_TRUE(m->index(0, m->firstPlaceColumn()).data().toString().isEmpty());

    // Another matchday stops a run under way and gives its buttons back, the tab not shown.
    QTest::mouseClick(w->cmdSimuler, Qt::LeftButton);
    ASSERT_TRUE(w->simulating());
    w->tabAnalyses->setCurrentIndex(frmMDIAnalyses::FormTab);
    choose(w, 3);
    EXPECT_FALSE(w->simulating());
    EXPECT_FALSE(w->cmdAnnuler->isEnabled());
    EXPECT_TRUE(w->cmdSimuler->isEnabled());
    EXPECT_TRUE(w->barSimulation->isHidden());
}

TEST_F(AnalysesWindowTest, AfterTheLastMatchThePlacesAndZonesAreCertain)
{
    // Both legs of the six-team league, matchdays 1 to 10.
    std::vector<store::MatchRow> rows;
    for (const store::MatchRow& r : season())
        rows.push_back(r);
    for (int day = 5; day <= 10; ++day) {
        const int leg = day <= 5 ? day : day - 5;
        std::vector<std::pair<QString, QString>> pairs;
        for (int k = 0; k < 3; ++k) {
            int a = k == 0 ? 0 : 1 + (leg - 1 + k - 1) % 5;
            int b = 1 + (leg - 1 + 4 - k) % 5;
            if ((leg + k) % 2)
                std::swap(a, b);
            if (day > 5)
                std::swap(a, b);
            rows.push_back({0, day, kTeams[a], (a + day) % 3, kTeams[b], (b * day) % 2});
        }
    }
    testsupport::addMatches(path, rows);
    {
        store::OpenError error;
        auto c = store::Competition::open(path, error);
        ASSERT_TRUE(c);
        QString refusal;
        const auto zones =
            store::parseZones(QStringLiteral("1:Champion;5-6:Relégation"), 6, refusal);
        ASSERT_TRUE(zones);
        ASSERT_TRUE(store::writeZones(c->db(), *zones).ok());
    }
    frmMDIAnalyses* w = open();
    ASSERT_TRUE(w);
    w->tabAnalyses->setCurrentIndex(frmMDIAnalyses::OutlookTab);
    const OutlookModel* m = w->outlook();
    EXPECT_FALSE(w->simulating());
    EXPECT_TRUE(w->lblSaison->text().contains(QStringLiteral("les places sont définitives")));
    ASSERT_EQ(m->rowCount(), 6);
    EXPECT_EQ(m->headerData(OutlookModel::FirstZone + 1, Qt::Horizontal, Qt::DisplayRole),
              QStringLiteral("Relégation"));
    const QStringList certain{"Champion", "2e", "3e", "4e", "Relégué", "Relégué"};
    for (int r = 0; r < 6; ++r) {
        EXPECT_EQ(m->items()[size_t(r)].best, r + 1);
        EXPECT_EQ(m->items()[size_t(r)].worst, r + 1);
        EXPECT_EQ(m->index(r, OutlookModel::Certitude).data().toString(), certain[r]);
        EXPECT_EQ(m->index(r, m->firstPlaceColumn() + r).data(ListModel::ExportRole).toString(),
                  QStringLiteral("1.0000"));
    }
}
