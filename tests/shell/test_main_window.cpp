#include "shell/frmMain.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QtTest/QTest>
#include <gtest/gtest.h>

namespace {

TEST(MainWindow, MenusCarryTheirCaptionsInOrder)
{
    frmMain w;
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Vemo"));
    const QList<QAction*> top = w.menuBar()->actions();
    ASSERT_EQ(top.size(), 2);
    EXPECT_EQ(top[0]->text(), QStringLiteral("&Fichier"));
    EXPECT_EQ(top[1]->text(), QStringLiteral("&?"));
    const QList<QAction*> file = top[0]->menu()->actions();
    ASSERT_EQ(file.size(), 14);
    EXPECT_EQ(file[0], w.mnuFichier[0]);
    EXPECT_EQ(file[0]->text(), QStringLiteral("&Nouveau"));
    EXPECT_EQ(file[1]->text(), QStringLiteral("&Ouvrir"));
    EXPECT_TRUE(file[2]->isSeparator());
    // Results in and out, then the recent files under their own separator.
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(file[3 + i], w.mnuTransfert[size_t(i)]);
    EXPECT_TRUE(file[7]->isSeparator());
    EXPECT_EQ(file[7], w.mnuMRU[0]);
    EXPECT_EQ(w.mnuAide[0]->text(), QStringLiteral("&Aide sur Vemo"));
    EXPECT_EQ(w.mnuAide[1]->text(), QStringLiteral("A &propos de..."));
}

TEST(MainWindow, NeverSmallerThanItsMinimumAndNotResizedWhileMinimised)
{
    frmMain w;
    w.show();
    w.resize(200, 100);
    QTRY_COMPARE(w.size(), QSize(frmMain::kMinWidth, frmMain::kMinHeight));
    w.resize(300, 900);
    QTRY_COMPARE(w.size(), QSize(frmMain::kMinWidth, 900));
    w.resize(800, 600);
    w.showMinimized();
    QTRY_VERIFY(w.isMinimized());
    w.resize(100, 100);
    w.showNormal();
    EXPECT_GE(w.width(), frmMain::kMinWidth);
    EXPECT_GE(w.height(), frmMain::kMinHeight);
}

} // namespace
