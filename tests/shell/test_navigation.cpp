#include "controls/MessageBox.h"
#include "controls/cTabSection.h"
#include "controls/zelTab.h"
#include "shell/AppHost.h"
#include "shell/CompetitionCommands.h"
#include "shell/WorkingWindow.h"
#include "shell/frmAbout.h"
#include "shell/frmMain.h"
#include "shell/frmNavigateur.h"
#include "shell/mShellExecute.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QUrl>
#include <QtTest/QTest>
#include <gtest/gtest.h>

namespace {

// A working window with some state of its own, to see whether it was reloaded.
class SampleWindow : public WorkingWindow
{
public:
    explicit SampleWindow(const char* name) : WorkingWindow(QString::fromLatin1(name))
    {
        edit = new QLineEdit(this);
        ++loads;
    }
    QLineEdit* edit;
    static inline int loads = 0;
};

class NavigationTest : public testing::Test
{
protected:
    void SetUp() override
    {
        SampleWindow::loads = 0;
        AppHost::registerWindow(1, [] { return new SampleWindow("frmMDIEquipes"); });
        AppHost::registerWindow(2, [] { return new SampleWindow("frmMDIRencontres"); });
        AppHost::registerWindow(3, [] { return new SampleWindow("frmMDIClassement"); });
        AppHost::registerWindow(4, [] {
            auto* w = new QWidget;
            w->setObjectName(QStringLiteral("frmParis"));
            return w;
        });
        AppHost::registerWindow(5, [] { return new SampleWindow("frmMDIAnalyses"); });
        path = dir.file(QStringLiteral("ligue.dat"));
        testsupport::makeCompetition(path, QStringList{QStringLiteral("A"), QStringLiteral("B")});
        window.show();
    }
    void TearDown() override
    {
        for (int i = 1; i <= 5; ++i)
            AppHost::registerWindow(i, {});
    }
    QList<WorkingWindow*> workingWindows() const { return window.findChildren<WorkingWindow*>(); }
    QString current() const
    {
        return window.currentWorkingWindow() ? window.currentWorkingWindow()->formName()
                                             : QString();
    }
    void click(int item) { window.navigator()->tbSection->ItemClick(1, item); }

    testsupport::TempDir dir;
    QString path;
    frmMain window;
};

TEST_F(NavigationTest, NothingHappensWithoutACompetition)
{
    EXPECT_FALSE(window.navigator()->isEnabled());
    for (int item = 1; item <= 5; ++item)
        window.tbSection_ItemClick(1, item);
    EXPECT_TRUE(workingWindows().isEmpty());
    EXPECT_FALSE(window.betsWindow());
    EXPECT_EQ(SampleWindow::loads, 0);
}

TEST_F(NavigationTest, OpeningShowsTheTeamsWindowWithTheNavigatorReady)
{
    ASSERT_TRUE(Utilities::OpenCompetition(path));
    EXPECT_TRUE(window.navigator()->isEnabled());
    EXPECT_EQ(window.navigator()->selectedItem(), 1);
    EXPECT_EQ(current(), QStringLiteral("frmMDIEquipes"));
    // The working window's menus replace the main window's.
    QStringList menus;
    for (QAction* a : window.menuBar()->actions())
        menus << a->text();
    EXPECT_EQ(menus, (QStringList{"&Fichier", "&Actions", "&?"}));

    click(2);
    click(4);
    ASSERT_TRUE(window.betsWindow());
    ASSERT_TRUE(Utilities::OpenCompetition(path)); // again: the side windows close
    EXPECT_FALSE(window.betsWindow());
    EXPECT_EQ(current(), QStringLiteral("frmMDIEquipes"));
    EXPECT_EQ(workingWindows().size(), 1);
    EXPECT_EQ(window.navigator()->selectedItem(), 1);
}

TEST_F(NavigationTest, TheCurrentItemOnlyTakesTheFocusAndKeepsItsState)
{
    ASSERT_TRUE(Utilities::OpenCompetition(path));
    auto* teams = static_cast<SampleWindow*>(window.currentWorkingWindow());
    teams->edit->setText(QStringLiteral("en cours"));
    const int loads = SampleWindow::loads;
    click(1);
    EXPECT_EQ(window.currentWorkingWindow(), teams);
    EXPECT_EQ(teams->edit->text(), QStringLiteral("en cours"));
    EXPECT_EQ(SampleWindow::loads, loads);
}

TEST_F(NavigationTest, SwitchingLeavesExactlyOneWorkingWindow)
{
    ASSERT_TRUE(Utilities::OpenCompetition(path));
    QPointer<WorkingWindow> teams = window.currentWorkingWindow();
    click(2);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(teams.isNull()); // unloaded, not hidden
    EXPECT_EQ(current(), QStringLiteral("frmMDIRencontres"));
    click(3);
    EXPECT_EQ(current(), QStringLiteral("frmMDIClassement"));
    EXPECT_EQ(workingWindows().size(), 1);
    EXPECT_EQ(window.navigator()->selectedItem(), 3);
    // The working window fills the space beside the navigator.
    QTRY_VERIFY(window.currentWorkingWindow()->width() >=
                window.width() - frmNavigateur::Width - 4);
}

TEST_F(NavigationTest, BetsTwiceShowOneWindowAndChangeNothingElse)
{
    ASSERT_TRUE(Utilities::OpenCompetition(path));
    click(2);
    WorkingWindow* matches = window.currentWorkingWindow();
    click(4);
    QWidget* bets = window.betsWindow();
    ASSERT_TRUE(bets);
    bets->showMinimized();
    click(4);
    EXPECT_EQ(window.betsWindow(), bets);
    EXPECT_FALSE(bets->isMinimized());
    EXPECT_TRUE(bets->isVisible());
    EXPECT_EQ(window.currentWorkingWindow(), matches);
    EXPECT_EQ(window.navigator()->selectedItem(), 2);
    int betsWindows = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        betsWindows += w->objectName() == QLatin1String("frmParis") ? 1 : 0;
    EXPECT_EQ(betsWindows, 1);
}

TEST_F(NavigationTest, ActionsMenuDoesWhatTheNavigatorDoes)
{
    ASSERT_TRUE(Utilities::OpenCompetition(path));
    WorkingWindow* teams = window.currentWorkingWindow();
    teams->mnuAction[2]->trigger();
    EXPECT_EQ(current(), QStringLiteral("frmMDIClassement"));
    EXPECT_EQ(window.navigator()->selectedItem(), 3);
    EXPECT_EQ(workingWindows().size(), 1);
    window.currentWorkingWindow()->mnuAction[3]->trigger();
    EXPECT_TRUE(window.betsWindow());
    EXPECT_EQ(current(), QStringLiteral("frmMDIClassement"));
    // Its File menu holds the same recent files.
    EXPECT_EQ(window.currentWorkingWindow()->mnuMRU[1]->data(), window.mnuMRU[1]->data());
    EXPECT_TRUE(window.currentWorkingWindow()->mnuMRU[1]->isVisible());
}

TEST_F(NavigationTest, TheAnalysesAreTheFifthItemAndAWorkingWindowLikeTheOthers)
{
    ASSERT_TRUE(Utilities::OpenCompetition(path));
    click(5);
    EXPECT_EQ(current(), QStringLiteral("frmMDIAnalyses"));
    EXPECT_EQ(window.navigator()->selectedItem(), 5);
    EXPECT_EQ(workingWindows().size(), 1);
    WorkingWindow* analyses = window.currentWorkingWindow();
    EXPECT_EQ(analyses->mnuAction[4]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_5));
    analyses->mnuAction[0]->trigger();
    EXPECT_EQ(current(), QStringLiteral("frmMDIEquipes"));
    window.currentWorkingWindow()->mnuAction[4]->trigger();
    EXPECT_EQ(current(), QStringLiteral("frmMDIAnalyses"));

    // Read afresh after an import, as the other working windows are.
    const int loads = SampleWindow::loads;
    window.reloadWorkingWindow();
    EXPECT_EQ(current(), QStringLiteral("frmMDIAnalyses"));
    EXPECT_EQ(SampleWindow::loads, loads + 1);
    EXPECT_EQ(window.navigator()->selectedItem(), 5);
}

TEST_F(NavigationTest, ClosingTheMainWindowClosesTheBetsWindow)
{
    ASSERT_TRUE(Utilities::OpenCompetition(path));
    click(4);
    QPointer<QWidget> bets = window.betsWindow();
    ASSERT_TRUE(bets);
    window.close();
    EXPECT_TRUE(bets.isNull());
}

TEST(ShellOpen, EveryResultHasItsMessage)
{
    using mShellExecute::ErrorMessage;
    EXPECT_EQ(ErrorMessage(0), QStringLiteral("Mémoire insuffisante."));
    EXPECT_EQ(ErrorMessage(8), ErrorMessage(0));
    EXPECT_EQ(ErrorMessage(2), QStringLiteral("Fichier non trouvé."));
    EXPECT_EQ(ErrorMessage(3), QStringLiteral("Erreur dans le chemin."));
    EXPECT_EQ(ErrorMessage(5), QStringLiteral("Accès au fichier refusé."));
    EXPECT_EQ(ErrorMessage(11), QStringLiteral("Erreur lors de l'ouverture du fichier."));
    EXPECT_EQ(ErrorMessage(26), QStringLiteral("Violation de partage."));
    EXPECT_EQ(ErrorMessage(27), QStringLiteral("Ce type de fichier n'a pas d'association valide."));
    EXPECT_EQ(ErrorMessage(28), QStringLiteral("Délai d'attente dépassé."));
    EXPECT_EQ(ErrorMessage(29), QStringLiteral("Erreur dans la transaction DDE."));
    EXPECT_EQ(ErrorMessage(30), QStringLiteral("L'application demandée est occupée."));
    EXPECT_EQ(ErrorMessage(31),
              QStringLiteral("Aucune application n'est associée à ce type de fichier."));
    EXPECT_EQ(ErrorMessage(32), QStringLiteral("Une DLL requise n'a pas été trouvée."));
    const QString generic =
        QStringLiteral("Une erreur est survenue pendant l'ouverture du fichier.");
    for (int code : {1, 4, 6, 25, -1, -100})
        EXPECT_EQ(ErrorMessage(code), generic) << code;
    EXPECT_TRUE(ErrorMessage(33).isEmpty());
    EXPECT_TRUE(ErrorMessage(42).isEmpty());
}

TEST(ShellOpen, MissingDocumentsAreReportedOnlyWhenAsked)
{
    testsupport::TempDir dir;
    EXPECT_EQ(mShellExecute::ShellOpenDocument(dir.file(QStringLiteral("absent.html"))), 2);
    EXPECT_TRUE(MessageBox::shown().isEmpty());
    EXPECT_EQ(mShellExecute::ShellOpenDocument(dir.file(QStringLiteral("nowhere/absent.html")),
                                               QStringLiteral("open"), {}, {}, 10, nullptr, true),
              3);
    ASSERT_EQ(MessageBox::shown().size(), 1);
    EXPECT_EQ(MessageBox::shown()[0].icon, MessageBox::Critical);
    EXPECT_EQ(MessageBox::shown()[0].text, QStringLiteral("Erreur dans le chemin."));
}

TEST(HelpAndAbout, HelpFileBesideTheProgramAndWellFormedLinks)
{
    EXPECT_EQ(frmMain::helpFilePath(),
              QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("Vemo.html")));
    EXPECT_FALSE(frmMain::helpFilePath().contains(QStringLiteral("//")));
    const QUrl mail(frmAbout::mailLink());
    EXPECT_EQ(mail.scheme(), QStringLiteral("mailto"));
    EXPECT_FALSE(mail.path().startsWith(QLatin1Char(' ')));
    EXPECT_TRUE(mail.path().contains(QLatin1Char('@')));
    EXPECT_TRUE(QUrl(frmAbout::webLink()).isValid());
    EXPECT_EQ(QUrl(frmAbout::webLink()).scheme(), QStringLiteral("https"));

    frmAbout about;
    EXPECT_EQ(about.windowTitle(), QStringLiteral("A propos de"));
    EXPECT_EQ(about.lblVersion->text(), QStringLiteral("Version 1.1.0"));
    EXPECT_EQ(about.lblTitle->text(), QStringLiteral("Vemo"));
    EXPECT_EQ(about.lblMail[0]->text(), QStringLiteral("Mail:"));
    EXPECT_EQ(about.lblWeb[0]->text(), QStringLiteral("Web:"));
    EXPECT_FALSE(about.lblDescription->text().isEmpty());
    EXPECT_TRUE(about.lblDisclaimer->text().contains(QStringLiteral("GPL-3.0-or-later")));
    about.lblMail_Click(0); // the captions do nothing
    about.lblWeb_Click(0);
    EXPECT_TRUE(MessageBox::shown().isEmpty());
}

TEST(HelpAndAbout, AboutIsModalOverTheWindowWhoseMenuWasUsed)
{
    frmMain window;
    window.show();
    bool seen = false;
    QTimer::singleShot(0, [&] {
        frmAbout* about = nullptr;
        QTRY_VERIFY((about = qobject_cast<frmAbout*>(QApplication::activeModalWidget())));
        seen = about->parentWidget() == &window;
        about->cmdOK->click();
    });
    window.mnuAide[1]->trigger();
    EXPECT_TRUE(seen);
}

} // namespace
