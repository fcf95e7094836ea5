#include "controls/ControlError.h"
#include "controls/zelHeader.h"
#include "controls/zelOwnerLBox1.h"
#include "controls/zelOwnerLBox2.h"
#include "controls/zelOwnerLBox3.h"
#include "controls/zelOwnerLBox4.h"
#include "store/CrestCache.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QImage>
#include <QLocale>
#include <QPainter>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest/QTest>
#include <gtest/gtest.h>

namespace {

std::vector<store::MatchRow> matches(int n)
{
    std::vector<store::MatchRow> rows;
    for (int i = 0; i < n; ++i)
        rows.push_back({i + 1, i / 10 + 1, QStringLiteral("DOMICILE %1").arg(i), i % 5,
                        QStringLiteral("VISITEUR %1").arg(i), i % 3});
    return rows;
}

RankingCollection ranking(int teams)
{
    std::vector<store::Team> t;
    for (int i = 0; i < teams; ++i)
        t.push_back({i + 1, QStringLiteral("EQUIPE %1").arg(i, 2, 10, QLatin1Char('0'))});
    return ComputeRanking({{1, 1, t[0].nom, 2, t[1].nom, 0}}, RankingKind::General, t, {});
}

QColor pixel(QWidget* w, int x, int y)
{
    return w->grab().toImage().pixelColor(x, y);
}

TEST(OwnerLists, RowsAlternateStartingWithTheAlternateColours)
{
    zelOwnerLBox4 list;
    list.resize(500, 200);
    list.show();
    list.setItems(matches(5));
    list.setBackColor(mListBox::RGB(255, 255, 255));
    list.setAlternBackColor(mListBox::RGB(224, 224, 224));
    QWidget* view = list.hwnd()->viewport();
    const int h = list.ItemHeight();
    const int x = view->width() - 3; // clear of any text
    EXPECT_EQ(pixel(view, x, h / 2), QColor(224, 224, 224));
    EXPECT_EQ(pixel(view, x, h + h / 2), QColor(255, 255, 255));
    EXPECT_EQ(pixel(view, x, 2 * h + h / 2), QColor(224, 224, 224));
    // Below the last row nothing is drawn in the row colours.
    EXPECT_NE(pixel(view, x, 5 * h + 4), QColor(224, 224, 224));

    // The defaults are the system's: the first row in the highlight colour.
    zelOwnerLBox4 plain;
    plain.resize(500, 200);
    plain.show();
    plain.setItems(matches(2));
    QWidget* plainView = plain.hwnd()->viewport();
    EXPECT_EQ(pixel(plainView, x, plain.ItemHeight() / 2), plain.palette().highlight().color());
    EXPECT_EQ(pixel(plainView, x, plain.ItemHeight() + 3), plain.palette().base().color());
}

TEST(OwnerLists, RowHeightIsAtLeast26AndFollowsTheFont)
{
    zelOwnerLBox1 list;
    EXPECT_EQ(list.ItemHeight(), 26);
    QFont big = list.font();
    big.setPixelSize(40);
    list.setFont(big);
    list.setItems(ranking(3), {});
    EXPECT_GT(list.ItemHeight(), 40);
}

TEST(OwnerLists, HitTestAndCounts)
{
    zelOwnerLBox4 list;
    list.resize(400, 300);
    list.show();
    EXPECT_EQ(list.HitTest(5), -1);
    EXPECT_EQ(list.ListIndex(), -1);
    list.setItems(matches(500));
    EXPECT_EQ(list.ItemCount(), 500);
    EXPECT_EQ(list.HitTest(list.ItemHeight() * 3 + 1), 3);
    list.SetTopIndex(100);
    EXPECT_EQ(list.GetTopIndex(), 100);
    EXPECT_EQ(list.HitTest(1), 100);
    list.SetTopIndex(100000);
    EXPECT_EQ(list.GetTopIndex(), 500 - list.hwnd()->viewport()->height() / list.ItemHeight());
    list.setItems({});
    EXPECT_EQ(list.HitTest(1), -1);
}

TEST(OwnerLists, ClicksAndKeysSelectAndRaiseTheirEvents)
{
    zelOwnerLBox4 list;
    list.resize(400, 300);
    list.show();
    list.setItems(matches(20));
    QSignalSpy click(&list, &zelOwnerLBox::Click), dbl(&list, &zelOwnerLBox::DblClick),
        down(&list, &zelOwnerLBox::MouseDown), key(&list, &zelOwnerLBox::KeyDown);
    QWidget* view = list.hwnd()->viewport();
    const int h = list.ItemHeight();
    QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(10, 2 * h + 3));
    EXPECT_EQ(list.ListIndex(), 2);
    EXPECT_TRUE(list.Selected(2));
    EXPECT_EQ(click.count(), 1);
    ASSERT_EQ(down.count(), 1);
    EXPECT_EQ(down[0][0].toInt(), 1);
    EXPECT_EQ(down[0][2].toInt(), 2 * h + 3);
    QTest::mouseDClick(view, Qt::LeftButton, {}, QPoint(10, 2 * h + 3));
    EXPECT_EQ(dbl.count(), 1);
    QTest::keyClick(list.hwnd(), Qt::Key_Down);
    EXPECT_EQ(list.ListIndex(), 3);
    EXPECT_EQ(key.count(), 1);
    QTest::keyClick(list.hwnd(), Qt::Key_End);
    EXPECT_EQ(list.ListIndex(), 19);
    EXPECT_GT(list.GetTopIndex(), 0); // the current row was scrolled into view
}

TEST(OwnerLists, MultiSelectChangesTheSelectionModeAtRunTime)
{
    zelOwnerLBox4 list;
    list.resize(400, 300);
    list.show();
    list.setItems(matches(10));
    EXPECT_THROW(list.SelectedItemsCount(), ControlError);
    try {
        list.SelectedItemsCount();
    } catch (const ControlError& e) {
        EXPECT_EQ(e.source, QStringLiteral("zelLBox"));
        EXPECT_EQ(e.description,
                  QStringLiteral("Disponible seulement en mode de sélection multiple."));
    }
    list.setSelected(1, true);
    list.setSelected(4, true);
    EXPECT_FALSE(list.Selected(1)); // a single selection moves
    list.setMultiSelect(true);
    list.setSelected(1, true);
    list.setSelected(4, true);
    EXPECT_EQ(list.SelectedItemsCount(), 2);
    const int h = list.ItemHeight();
    QTest::mouseClick(list.hwnd()->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      QPoint(10, 6 * h + 2));
    EXPECT_EQ(list.SelectedItemsCount(), 3);
    list.setMultiSelect(false);
    EXPECT_THROW(list.SelectedItemsCount(), ControlError);
}

TEST(OwnerLists, HeaderColumnsStayAboveTheirCellsWhenScrolledAndResized)
{
    zelOwnerLBox1 list;
    list.resize(250, 200); // narrower than its columns
    list.show();
    list.setItems(ranking(8), {});
    zelHeader* header = list.header();
    EXPECT_EQ(header->height(), 20);
    EXPECT_EQ(list.hwnd()->horizontalExtent(), header->length());
    QScrollBar* bar = list.hwnd()->horizontalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    bar->setValue(70);
    const QRect row = list.hwnd()->rowRect(0);
    for (int c = 0; c < header->count(); ++c)
        EXPECT_EQ(header->sectionViewportPosition(c), row.left() + header->sectionPosition(c)) << c;

    header->resizeSection(0, 80);
    EXPECT_EQ(list.hwnd()->horizontalExtent(), header->length());
    bar->setValue(bar->maximum());
    const QRect after = list.hwnd()->rowRect(0);
    for (int c = 0; c < header->count(); ++c)
        EXPECT_EQ(header->sectionViewportPosition(c), after.left() + header->sectionPosition(c))
            << c;
    // The flexible team column takes what the fixed columns leave.
    list.resize(800, 200);
    EXPECT_EQ(header->sectionSize(2), list.hwnd()->viewport()->width() - 314);

    // A wide enough list needs no horizontal scrolling: the columns fit beside the scroll bar.
    zelOwnerLBox1 wide;
    wide.resize(800, 200);
    wide.show();
    wide.setItems(ranking(3), {});
    EXPECT_EQ(wide.hwnd()->horizontalScrollBar()->maximum(), 0);
    EXPECT_EQ(wide.header()->length(), wide.hwnd()->viewport()->width());
}

TEST(OwnerLists, BetRowsAreAsTallAsTheirDescription)
{
    zelOwnerLBox3 list;
    list.resize(700, 400);
    list.show();
    const QFontMetrics fm(list.font());
    const QString threeLines = QStringLiteral("Premier pari\nDeuxième ligne\nTroisième ligne");
    std::vector<store::BetRow> bets{{1, QDate(2024, 1, 5), threeLines, 125000, 0, 0},
                                    {2, QDate(2024, 1, 6), QStringLiteral("court"), 50000, 0, 2}};
    list.setItems(bets);
    ASSERT_EQ(list.ItemCount(), 2);
    const int lines3 =
        fm.boundingRect(QRect(0, 0, 296, 1000), Qt::TextWordWrap, threeLines).height();
    EXPECT_GE(lines3, 3 * fm.lineSpacing() - fm.leading());
    EXPECT_EQ(list.hwnd()->rowHeight(0), lines3 + 2 + 2 * 2);
    EXPECT_EQ(list.hwnd()->rowHeight(1), 18 + 2 + 2 * 2);

    // A long description wraps to the column's width.
    list.setItems({{3, QDate(2024, 2, 1),
                    QString(40, QLatin1Char(' ')).replace(QLatin1Char(' '), QStringLiteral("mot ")),
                    0, 0, 1}});
    EXPECT_GT(list.hwnd()->rowHeight(0), 18 + 10);
}

TEST(OwnerLists, CrestsComeFromTheCacheAndAMissingOneLeavesTheCellEmpty)
{
    QDir().mkpath(CrestCache::folder());
    QImage red(24, 24, QImage::Format_ARGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(CrestCache::iconPath(QStringLiteral("DOMICILE 0")), "ICO"));
    zelOwnerLBox4 list;
    list.resize(500, 200);
    list.show();
    list.setAlternBackColor(mListBox::RGB(224, 224, 224));
    list.setItems(matches(1));
    const int teamWidth = (list.hwnd()->viewport()->width() - 32) / 2 - 60;
    const int homeCrest = 2 + 20 + 2 + teamWidth + 2;
    const int awayCrest = homeCrest + 24 + 2 + 30 + 10 + 2 + 30 + 2;
    EXPECT_EQ(pixel(list.hwnd()->viewport(), homeCrest + 12, list.ItemHeight() / 2),
              QColor(Qt::red));
    EXPECT_EQ(pixel(list.hwnd()->viewport(), awayCrest + 12, list.ItemHeight() / 2),
              QColor(224, 224, 224));
}

TEST(OwnerLists, CopiedRowsHoldTheValuesAFileHoldsAndPicturesAreNamed)
{
    zelOwnerLBox4 list;
    list.resize(500, 200);
    list.show();
    list.setItems(matches(3));
    list.hwnd()->setCurrentRow(1);
    EXPECT_EQ(list.CopiedText(), QStringLiteral("Journée\tDomicile\tScoreDomicile\tScoreVisiteur\t"
                                                "Visiteur\n1\tDOMICILE 1\t1\t1\tVISITEUR 1\n"));

    zelOwnerLBox3 bets;
    bets.resize(700, 300);
    bets.show();
    bets.setItems({{1, QDate(2024, 1, 5), QStringLiteral("Deux\nlignes"), 125000, 0, 1}});
    const testsupport::AccessibleTable read = testsupport::readAccessibleTable(bets.hwnd());
    EXPECT_EQ(read.headers, (QStringList{"Date", "Description", "Mise", "Statut", "Gain"}));
    ASSERT_EQ(read.rows.size(), 1u);
    const QString point = QLocale().decimalPoint(); // amounts follow the user's locale
    EXPECT_EQ(read.rows[0], (QStringList{"05/01/2024", "Deux\nlignes", "12" + point + "50", "Gagné",
                                         "0" + point + "00"}));
    // A copy holds amounts with a decimal comma, as spreadsheets in France read them.
    EXPECT_EQ(bets.CopiedText(), QStringLiteral("Date\tDescription\tMise\tStatut\tGain\n"
                                                "05/01/2024\tDeux lignes\t12,50\tGagné\t0,00\n"));
}

} // namespace
