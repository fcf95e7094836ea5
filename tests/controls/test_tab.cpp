#include "controls/ControlError.h"
#include "controls/tabSection.h"
#include "controls/tooCommand.h"
#include "controls/zelTab.h"

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

void PrintTo(const QString& text, std::ostream* out)
{
    *out << text.toStdString();
}

namespace {

QPixmap picture(int width, int height)
{
    QPixmap pixmap(width, height);
    pixmap.fill(Qt::darkGreen);
    return pixmap;
}

void expectError(const std::function<void()>& action, const QString& source, const QString& text)
{
    try {
        action();
        ADD_FAILURE() << "no error raised";
    } catch (const ControlError& e) {
        EXPECT_EQ(e.source, source);
        EXPECT_EQ(e.description, text);
    }
}

QList<int> heights(const zelTab& tab)
{
    QList<int> result;
    for (int i = 1; i <= tab.SectionCount(); ++i)
        result << tab.Section(i).hwnd()->height();
    return result;
}

QList<int> tops(const zelTab& tab)
{
    QList<int> result;
    for (int i = 1; i <= tab.SectionCount(); ++i)
        result << tab.Section(i).hwnd()->y();
    return result;
}

const QString kOverflow = QStringLiteral("Dépassement d'index.");

} // namespace

TEST(SectionNavigator, TheOpenSectionFillsWhatTheOtherHeaderBarsLeave)
{
    zelTab tab;
    tab.resize(160, 300);
    const cTabSection first = tab.AddSection(QStringLiteral("Menu"));
    tab.AddSection(QStringLiteral("Outils"));
    const cTabSection third = tab.AddSection(QStringLiteral("Aide"));
    tab.show();

    EXPECT_EQ(tab.ActiveSection(), first);
    EXPECT_EQ(heights(tab), (QList<int>{266, 17, 17}));
    EXPECT_EQ(tops(tab), (QList<int>{0, 266, 283}));
    EXPECT_FALSE(first.Reduced());
    EXPECT_TRUE(third.Reduced());

    tab.setActiveSection(third);
    EXPECT_EQ(heights(tab), (QList<int>{17, 17, 266}));
    EXPECT_EQ(tops(tab), (QList<int>{0, 17, 34}));
    EXPECT_TRUE(first.Reduced());
    EXPECT_FALSE(third.Reduced());

    tab.setActiveSection(third);
    EXPECT_EQ(heights(tab), (QList<int>{17, 17, 266}));

    tab.resize(160, 400);
    EXPECT_EQ(heights(tab), (QList<int>{17, 17, 366}));

    tab.setBorderStyle(1);
    EXPECT_EQ(heights(tab), (QList<int>{17, 17, 364}));
    EXPECT_EQ(tab.Section(1).hwnd()->geometry().topLeft(), QPoint(1, 1));
}

TEST(SectionNavigator, RemovingTheOpenSectionOpensTheNextOne)
{
    zelTab tab;
    tab.resize(160, 300);
    tab.AddSection(QStringLiteral("A"));
    const cTabSection b = tab.AddSection(QStringLiteral("B"));
    const cTabSection c = tab.AddSection(QStringLiteral("C"));
    tab.setActiveSection(b);
    tab.RemoveSection(2);
    EXPECT_TRUE(b.isNull());
    EXPECT_EQ(tab.ActiveSection(), c);
    EXPECT_EQ(c.Index(), 2);
    EXPECT_EQ(heights(tab), (QList<int>{17, 283}));
    expectError([&] { (void)b.Caption(); }, QStringLiteral("zelTab"),
                QStringLiteral("Section non valide."));

    const cTabSection first = tab.AddSection(QStringLiteral("Z"), {}, {}, 1);
    EXPECT_EQ(first.Index(), 1);
    EXPECT_EQ(tab.ActiveSection(), c);
    EXPECT_EQ(c.Index(), 3);

    tab.Clear();
    EXPECT_EQ(tab.SectionCount(), 0);
    EXPECT_TRUE(tab.ActiveSection().isNull());
}

TEST(SectionNavigator, MisuseRaisesItsErrorsFromTheRightSource)
{
    zelTab tab, other;
    tab.AddSection(QStringLiteral("A"), QStringLiteral("a"));
    tab.AddSection(QStringLiteral("Sans clé 1"));
    tab.AddSection(QStringLiteral("Sans clé 2"));
    expectError([&] { tab.AddSection(QStringLiteral("B"), QStringLiteral("a")); },
                QStringLiteral("zelTab"), QStringLiteral("Valeur dupliquée de Key."));
    EXPECT_EQ(tab.SectionCount(), 3);
    expectError([&] { tab.Section(2).setKey(QStringLiteral("a")); }, QStringLiteral("zelTab"),
                QStringLiteral("Valeur dupliquée de Key."));

    expectError([&] { tab.Section(0); }, QStringLiteral("zelTab"), kOverflow);
    expectError([&] { tab.Section(4); }, QStringLiteral("zelTab"), kOverflow);
    expectError([&] { tab.RemoveSection(4); }, QStringLiteral("zelTab"), kOverflow);

    cTabSection foreign = other.AddSection(QStringLiteral("X"));
    expectError([&] { tab.setActiveSection(foreign); }, QStringLiteral("zelTab"),
                QStringLiteral("Section non valide."));
    expectError([&] { tab.setActiveSection(cTabSection()); }, QStringLiteral("zelTab"),
                QStringLiteral("Section non valide."));

    cTabSection section = tab.Section(1);
    const cTabItem item = section.AddItem(QStringLiteral("Equipes"));
    const cTabItem foreignItem = foreign.AddItem(QStringLiteral("Autre"));
    expectError([&] { section.Item(0); }, QStringLiteral("tabSection"), kOverflow);
    expectError([&] { section.Item(2); }, QStringLiteral("tabSection"), kOverflow);
    expectError([&] { tab.Section(1).setSelectedItem(foreignItem); }, QStringLiteral("tabSection"),
                kOverflow);
    expectError([&] { tab.Section(1).RemoveItem(2); }, QStringLiteral("tabSection"), kOverflow);
    expectError([&] { tab.Section(1).EnsureVisible(3); }, QStringLiteral("tabSection"), kOverflow);
    EXPECT_EQ(item.Index(), 1);
}

TEST(SectionNavigator, ItemClicksCarryTheSectionAndItemIndexesEvenForTheSelectedItem)
{
    zelTab tab;
    tab.resize(160, 300);
    tab.AddSection(QStringLiteral("A"));
    cTabSection menu = tab.AddSection(QStringLiteral("Menu"));
    tab.setActiveSection(menu);
    menu.setDisposition(1);
    for (const char* caption : {"Equipes", "Rencontres", "Classements"})
        menu.AddItem(QString::fromLatin1(caption), {}, {}, picture(24, 24));
    tab.show();

    QList<QPair<int, int>> clicks;
    QObject::connect(&tab, &zelTab::ItemClick, [&](int section, int item) {
        clicks.append({section, item});
    });

    menu.setSelectedItem(menu.Item(2));
    QTest::mouseClick(menu.Item(2).button(), Qt::LeftButton);
    QTest::mouseClick(menu.Item(2).button(), Qt::LeftButton);
    QTest::mouseClick(menu.Item(3).label(), Qt::LeftButton);
    EXPECT_EQ(clicks, (QList<QPair<int, int>>{{2, 2}, {2, 2}, {2, 3}}));
    EXPECT_EQ(menu.SelectedItem(), menu.Item(2));

    // Released outside the button: no click.
    QTest::mousePress(menu.Item(1).button(), Qt::LeftButton);
    QTest::mouseRelease(menu.Item(1).button(), Qt::LeftButton, {}, QPoint(-5, -5));
    EXPECT_EQ(clicks.size(), 3);
}

TEST(SectionNavigator, TheSelectedCaptionShowsInInverseColours)
{
    tabSection section;
    section.setBackColor(mListBox::RGB(255, 255, 255));
    section.setForeColor(mListBox::RGB(0, 0, 128));
    section.resize(160, 200);
    const cTabItem first = section.AddItem(QStringLiteral("Equipes"), {}, {}, picture(24, 24));
    const cTabItem second = section.AddItem(QStringLiteral("Paris"), {}, {}, picture(24, 24));
    section.show();

    auto corner = [](const cTabItem& item) {
        return item.label()->grab().toImage().pixelColor(0, 0);
    };
    section.setSelectedItem(first);
    EXPECT_EQ(corner(first), QColor(0, 0, 128));
    EXPECT_EQ(corner(second), QColor(255, 255, 255));
    section.setSelectedItem(second);
    EXPECT_EQ(corner(first), QColor(255, 255, 255));
    EXPECT_EQ(corner(second), QColor(0, 0, 128));
    section.setSelectedItem(cTabItem());
    EXPECT_EQ(corner(second), QColor(255, 255, 255));
    EXPECT_TRUE(section.SelectedItem().isNull());
}

TEST(SectionNavigator, ArrowsScrollItemsThatDoNotFit)
{
    tabSection section;
    section.setDisposition(1);
    section.resize(160, 120);
    for (int i = 1; i <= 6; ++i)
        section.AddItem(QStringLiteral("Item %1").arg(i), {}, {}, picture(32, 32));
    section.show();
    auto* up = section.findChild<QLabel*>(QStringLiteral("imaUp"));
    auto* down = section.findChild<QLabel*>(QStringLiteral("imaDown"));
    ASSERT_TRUE(up && down);
    EXPECT_TRUE(up->isVisible());
    EXPECT_TRUE(down->isVisible());

    int clicks = 0;
    QObject::connect(&section, &tabSection::Click, [&] { ++clicks; });
    QTest::mouseClick(down, Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(section.firstShownItem(), 2);
    EXPECT_FALSE(section.Item(1).button()->isVisible());
    EXPECT_EQ(section.Item(2).button()->y(), 22);
    QTest::mouseClick(up, Qt::LeftButton);
    EXPECT_EQ(section.firstShownItem(), 1);
    QTest::mouseClick(up, Qt::LeftButton);
    EXPECT_EQ(section.firstShownItem(), 1);
    EXPECT_EQ(clicks, 3);

    section.EnsureVisible(6);
    EXPECT_LE(section.Item(6).button()->geometry().bottom(), 119);
    EXPECT_TRUE(section.Item(6).button()->isVisible());
    section.EnsureVisible(1);
    EXPECT_EQ(section.firstShownItem(), 1);

    section.resize(160, 600);
    EXPECT_FALSE(up->isVisible());
    EXPECT_FALSE(down->isVisible());

    section.setReduced(true);
    EXPECT_EQ(section.height(), 17);
}

TEST(SectionNavigator, PressesOnTheHeaderBarAndOnTheItemAreaAreToldApart)
{
    zelTab tab;
    tab.resize(160, 300);
    tab.AddSection(QStringLiteral("A"));
    const cTabSection second = tab.AddSection(QStringLiteral("B"));
    tab.setActiveSection(second);
    tab.show();
    QStringList events;
    QObject::connect(&tab, &zelTab::HeaderMouseDown, [&](int s, int b, int, int x, int y) {
        events << QStringLiteral("header down %1 %2 %3 %4").arg(s).arg(b).arg(x).arg(y);
    });
    QObject::connect(&tab, &zelTab::HeaderClick,
                     [&](int s) { events << QStringLiteral("header click %1").arg(s); });
    QObject::connect(&tab, &zelTab::HeaderMouseUp, [&](int s, int, int, int, int) {
        events << QStringLiteral("header up %1").arg(s);
    });
    QObject::connect(&tab, &zelTab::MouseDown, [&](int s, int, int, int, int) {
        events << QStringLiteral("down %1").arg(s);
    });
    QObject::connect(&tab, &zelTab::Click,
                     [&](int s) { events << QStringLiteral("click %1").arg(s); });
    QObject::connect(&tab, &zelTab::MouseUp,
                     [&](int s, int, int, int, int) { events << QStringLiteral("up %1").arg(s); });
    QObject::connect(&tab, &zelTab::DblClick,
                     [&](int s) { events << QStringLiteral("dblclick %1").arg(s); });

    QWidget* section = second.hwnd();
    QTest::mouseClick(section, Qt::LeftButton, {}, QPoint(40, 22));
    QTest::mouseClick(section, Qt::LeftButton, {}, QPoint(40, 23));
    QTest::mouseClick(section, Qt::RightButton, {}, QPoint(40, 5));
    QTest::mouseDClick(section, Qt::LeftButton, {}, QPoint(40, 100));
    EXPECT_EQ(events, (QStringList{QStringLiteral("header down 2 1 40 22"),
                                   QStringLiteral("header click 2"), QStringLiteral("header up 2"),
                                   QStringLiteral("down 2"), QStringLiteral("click 2"),
                                   QStringLiteral("up 2"), QStringLiteral("header down 2 2 40 5"),
                                   QStringLiteral("header up 2"), QStringLiteral("dblclick 2")}));
}
