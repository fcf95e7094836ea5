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
#include <QComboBox>
#include <QLabel>
#include <QMenu>
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
        EXPECT_EQ(menuKeys, (QStringList{"F", "A", "?"}));
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

} // namespace
