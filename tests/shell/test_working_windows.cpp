#include "bets/frmEditPari.h"
#include "controls/ButtonKeys.h"
#include "controls/Hover5Control.h"
#include "controls/tooCommand.h"
#include "controls/zelRCornerCommand.h"
#include "matches/frmEditRencontre.h"
#include "shell/AppHost.h"
#include "shell/CompetitionCommands.h"
#include "shell/Registration.h"
#include "shell/WorkingWindow.h"
#include "shell/frmMain.h"
#include "shell/frmNavigateur.h"
#include "standings/TeamPanel.h"
#include "standings/frmEquipeCompare.h"
#include "support/TestSupport.h"
#include "teams/frmMDIEquipes.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMetaMethod>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTimer>
#include <QtTest/QTest>
#include <gtest/gtest.h>

namespace {

struct Button
{
    QWidget* widget;
    QString caption;
};

// Every button of a window, ours and Qt's, with its caption.
QList<Button> buttonsOf(const QWidget* window)
{
    QList<Button> out;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (auto* rounded = qobject_cast<zelRCornerCommand*>(w))
            out.append({w, rounded->Caption()});
        else if (auto* hover = qobject_cast<Hover5Control*>(w))
            out.append({w, hover->Caption()});
        else if (auto* button = qobject_cast<QAbstractButton*>(w))
            out.append({w, button->text()});
        else if (qobject_cast<tooCommand*>(w))
            out.append({w, QString()});
    }
    return out;
}

QString describe(const QWidget* w)
{
    return w->objectName() + QLatin1Char(' ') + QString::fromLatin1(w->metaObject()->className());
}

// Every object a screen reader finds under iface, the cells of tables left out.
void walk(QAccessibleInterface* iface, QList<QAccessibleInterface*>& out)
{
    out << iface;
    if (iface->tableInterface())
        return;
    for (int i = 0; i < iface->childCount(); ++i)
        if (QAccessibleInterface* child = iface->child(i))
            walk(child, out);
}

// The focusable objects of the window that a screen reader has nothing to call: no name of
// their own (a combo box's name is only its value) and no label linked to them.
QStringList unnamedControls(QWidget* window)
{
    QList<QAccessibleInterface*> all;
    walk(QAccessible::queryAccessibleInterface(window), all);
    QStringList out;
    for (QAccessibleInterface* iface : all) {
        auto* widget = qobject_cast<QWidget*>(iface->object());
        if (!iface->state().focusable || iface->state().invisible ||
            (widget && widget->focusProxy()))
            continue;
        if (!iface->relations(QAccessible::Label).isEmpty() ||
            (iface->role() != QAccessible::ComboBox && !iface->text(QAccessible::Name).isEmpty()))
            continue;
        out << (widget ? describe(widget) : QStringLiteral("role %1").arg(int(iface->role())));
    }
    return out;
}

// Our own buttons are told as push buttons under their caption; the press action clicks an
// enabled one once and a disabled one not at all. Their handlers are set aside first.
void expectPressableButtons(QWidget* window)
{
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->findChild<ButtonKeys*>(QString(), Qt::FindDirectChildrenOnly) ||
            !w->isVisibleTo(window))
            continue;
        const std::string what = describe(w).toStdString();
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
        ASSERT_TRUE(iface && iface->actionInterface()) << what;
        EXPECT_EQ(iface->role(), QAccessible::Button) << what;
        const QString caption = w->property("Caption").toString().remove(QLatin1Char('&'));
        EXPECT_EQ(iface->text(QAccessible::Name),
                  w->accessibleName().isEmpty() ? caption : w->accessibleName())
            << what;
        QMetaMethod click;
        for (int m = 0; m < w->metaObject()->methodCount(); ++m)
            if (w->metaObject()->method(m).name() == "Click")
                click = w->metaObject()->method(m);
        ASSERT_TRUE(click.isValid()) << what;
        QObject::disconnect(w, click, nullptr, QMetaMethod());
        QSignalSpy clicks(w, click);
        const QString press = QAccessibleActionInterface::pressAction();
        EXPECT_EQ(iface->actionInterface()->actionNames().contains(press), w->isEnabled()) << what;
        iface->actionInterface()->doAction(press);
        QCoreApplication::processEvents();
        EXPECT_EQ(clicks.count(), w->isEnabled() ? 1 : 0) << what;
    }
}

// Rejects every modal dialog of type T as soon as it is shown, and counts them.
template <class T> class ModalCounter
{
public:
    ModalCounter()
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
                ++count;
                dialog->reject();
            }
        });
        m_timer.start();
    }
    int count = 0;

private:
    QTimer m_timer;
};

class WorkingWindowsTest : public testing::Test
{
protected:
    void SetUp() override
    {
        Windows::registerAll();
        path = dir.file(QStringLiteral("ligue.dat"));
        testsupport::makeCompetition(path, QStringList{"OLYMPIQUE GYMNASTE CLUB DE NICE",
                                                       "RACING CLUB DE STRASBOURG ALSACE", "LENS",
                                                       "METZ"});
        testsupport::addMatches(path, {{0, 1, "OLYMPIQUE GYMNASTE CLUB DE NICE", 2,
                                        "RACING CLUB DE STRASBOURG ALSACE", 1}});
        main.show();
        ASSERT_TRUE(Utilities::OpenCompetition(path));
    }
    WorkingWindow* show(int item)
    {
        main.tbSection_ItemClick(1, item);
        return main.currentWorkingWindow();
    }

    testsupport::TempDir dir;
    QString path;
    frmMain main;
};

TEST_F(WorkingWindowsTest, NoButtonTakesTheAccessKeyOfAMenu)
{
    for (int item : {1, 2, 3, 5}) {
        WorkingWindow* w = show(item);
        ASSERT_TRUE(w);
        QStringList menuKeys;
        for (QMenu* menu : w->menus())
            menuKeys << ButtonKeys::accessKeyOf(menu->title()).toUpper();
        // The matches window adds its "Calendrier" menu.
        const QStringList expected =
            item == 2 ? QStringList{"F", "A", "L", "?"} : QStringList{"F", "A", "?"};
        EXPECT_EQ(menuKeys, expected);
        const QList<Button> buttons = buttonsOf(w);
        EXPECT_FALSE(buttons.isEmpty()) << w->formName().toStdString();
        for (const Button& b : buttons)
            EXPECT_FALSE(menuKeys.contains(ButtonKeys::accessKeyOf(b.caption).toUpper()))
                << w->formName().toStdString() << ": " << b.caption.toStdString();
        for (const QLabel* label : w->findChildren<QLabel*>()) {
            if (label->buddy()) {
                EXPECT_FALSE(menuKeys.contains(ButtonKeys::accessKeyOf(label->text()).toUpper()))
                    << w->formName().toStdString() << ": " << label->text().toStdString();
            }
        }
    }
}

TEST_F(WorkingWindowsTest, AtTheMinimumSizeNoControlIsCutOff)
{
    for (int item : {1, 2, 3, 5}) {
        WorkingWindow* w = show(item);
        ASSERT_TRUE(w);
        if (auto* teams = qobject_cast<frmMDIEquipes*>(w))
            teams->panel()->zelOK_Click(); // the summary at its longest
        main.resize(1, 1);
        QTRY_COMPARE(main.size(), main.minimumSize());
        QTRY_COMPARE(w->width(), main.width() - main.navigator()->width());
        EXPECT_GT(main.minimumWidth(), frmMain::kMinWidth);

        QList<QWidget*> controls;
        for (const Button& b : buttonsOf(w))
            controls << b.widget;
        for (QComboBox* box : w->findChildren<QComboBox*>())
            controls << box;
        for (QWidget* c : controls) {
            if (!c->isVisibleTo(w))
                continue;
            const QRect r(c->mapTo(w, QPoint(0, 0)), c->size());
            EXPECT_TRUE(w->rect().contains(r))
                << w->formName().toStdString() << ": " << describe(c).toStdString() << " at "
                << r.x() << "," << r.y() << " " << r.width() << "x" << r.height() << " in "
                << w->width() << "x" << w->height();
            for (QWidget* d : controls) {
                if (d != c && d->parentWidget() == c->parentWidget() && d->isVisibleTo(w)) {
                    EXPECT_FALSE(c->geometry().intersects(d->geometry()))
                        << describe(c).toStdString() << " over " << describe(d).toStdString();
                }
            }
        }
        if (auto* teams = qobject_cast<frmMDIEquipes*>(w)) {
            const QLabel* summary = teams->panel()->lblResume;
            EXPECT_LE(summary->heightForWidth(summary->width()), summary->height());
        }
    }
}

TEST_F(WorkingWindowsTest, TheSecondTeamWindowCutsNothingOffAtItsMinimumSize)
{
    auto* teams = qobject_cast<frmMDIEquipes*>(show(1));
    ASSERT_TRUE(teams);
    teams->zelAutreEquipe_Click();
    auto* other = qobject_cast<frmEquipeCompare*>(AppHost::comparisonWindow());
    ASSERT_TRUE(other);
    other->panel()->zelOK_Click();
    other->resize(1, 1);
    QTRY_COMPARE(other->size(), other->minimumSize());
    for (const Button& b : buttonsOf(other)) {
        if (!b.widget->isVisibleTo(other))
            continue;
        const QRect r(b.widget->mapTo(other, QPoint(0, 0)), b.widget->size());
        EXPECT_TRUE(other->rect().contains(r)) << describe(b.widget).toStdString();
    }
    TeamPanel* p = other->panel();
    EXPECT_FALSE(p->zelOKHisto->geometry().intersects(p->zelResumeVoir->geometry()));
    EXPECT_LE(p->lblResume->heightForWidth(p->lblResume->width()), p->lblResume->height());
}

// The matches and bets windows press their buttons on Space and Enter themselves too: one
// key, one press.
TEST_F(WorkingWindowsTest, OneKeyOpensOneMatchDialog)
{
    WorkingWindow* w = show(2);
    main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    auto* add = w->findChild<Hover5Control*>(QStringLiteral("cmdEdit_0"));
    ASSERT_TRUE(add);
    ModalCounter<frmEditRencontre> dialogs;
    add->setFocus();
    QTest::keyClick(add, Qt::Key_Space);
    EXPECT_EQ(dialogs.count, 1);
    QTest::keyClick(add, Qt::Key_Return);
    EXPECT_EQ(dialogs.count, 2);
}

TEST_F(WorkingWindowsTest, OneKeyOpensOneBetDialog)
{
    show(4);
    QWidget* bets = main.betsWindow();
    ASSERT_TRUE(bets);
    bets->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(bets));
    auto* add = bets->findChild<Hover5Control*>(QStringLiteral("cmdEdit_0"));
    ASSERT_TRUE(add);
    ModalCounter<frmEditPari> dialogs;
    add->setFocus();
    QTest::keyClick(add, Qt::Key_Space);
    EXPECT_EQ(dialogs.count, 1);
    QTest::keyClick(add, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(dialogs.count, 2);
    // Its access key, which the window binds itself as well.
    for (int press = 3; press <= 4; ++press) {
        bets->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(bets));
        QTest::keyClick(bets, Qt::Key_A, Qt::AltModifier);
        EXPECT_EQ(dialogs.count, press);
    }
}

// What a screen reader finds in each window: a name for every control, our buttons pressable,
// the bets window told as a window.
TEST_F(WorkingWindowsTest, AScreenReaderCanNameAndPressEveryControl)
{
    for (int item : {1, 2, 3, 5}) {
        WorkingWindow* w = show(item);
        ASSERT_TRUE(w);
        auto* tabs = w->findChild<QTabWidget*>();
        for (int page = 0; page < (tabs ? tabs->count() : 1); ++page) {
            if (tabs)
                tabs->setCurrentIndex(page);
            EXPECT_EQ(unnamedControls(&main), QStringList()) << w->formName().toStdString();
        }
        if (auto* chartTeams = w->findChild<QWidget*>(QStringLiteral("lstEquipes"))) {
            QAccessibleInterface* team =
                QAccessible::queryAccessibleInterface(chartTeams)->tableInterface()->cellAt(0, 1);
            EXPECT_TRUE(team->state().checkable);
        }
        if (auto* teams = qobject_cast<frmMDIEquipes*>(w)) {
            teams->zelAutreEquipe_Click();
            QWidget* other = AppHost::comparisonWindow();
            ASSERT_TRUE(other);
            EXPECT_EQ(QAccessible::queryAccessibleInterface(other)->role(), QAccessible::Window);
            EXPECT_EQ(unnamedControls(other), QStringList());
            expectPressableButtons(other);
        }
        expectPressableButtons(w);
    }
    show(4);
    QWidget* bets = main.betsWindow();
    ASSERT_TRUE(bets);
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(bets);
    EXPECT_EQ(window->role(), QAccessible::Window);
    EXPECT_EQ(window->text(QAccessible::Name), QStringLiteral("Paris"));
    EXPECT_EQ(unnamedControls(bets), QStringList());
    expectPressableButtons(bets);

    frmEditRencontre entry(nullptr);
    entry.show();
    EXPECT_EQ(unnamedControls(&entry), QStringList());
}

// A working window shown from the navigator or the Actions menu puts the focus on its first
// control; the navigator's pictures are pressed through the screen reader as by a click.
TEST_F(WorkingWindowsTest, AWorkingWindowTakesTheFocusOnItsFirstControl)
{
    main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    const char* first[] = {"cboEquipes", "cboJournées", "cboJournées", nullptr, "cboJournées"};
    for (int item : {3, 1, 5, 2, 3}) {
        WorkingWindow* w = show(item);
        ASSERT_TRUE(w);
        ASSERT_TRUE(QApplication::focusWidget());
        EXPECT_EQ(QApplication::focusWidget()->objectName(), QString::fromUtf8(first[item - 1]))
            << w->formName().toStdString();
    }
    main.navigator()->setFocus();
    QAccessibleInterface* teams = nullptr;
    for (tooCommand* picture : main.navigator()->findChildren<tooCommand*>())
        if (QAccessible::queryAccessibleInterface(picture)->text(QAccessible::Name) ==
            QStringLiteral("Equipes"))
            teams = QAccessible::queryAccessibleInterface(picture);
    ASSERT_TRUE(teams);
    teams->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QTRY_VERIFY(qobject_cast<frmMDIEquipes*>(main.currentWorkingWindow()));
    EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("cboEquipes"));
}

} // namespace
