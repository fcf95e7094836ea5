#include "shell/AppIcon.h"
#include "shell/frmAbout.h"
#include "shell/frmMain.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QtTest/QTest>
#include <gtest/gtest.h>

namespace {

TEST(MainWindow, MenusCarryTheirCommandsInOrderEachWithItsOwnAccessKey)
{
    frmMain w;
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Vemo"));
    const QList<QAction*> top = w.menuBar()->actions();
    ASSERT_EQ(top.size(), 2);
    const QList<QAction*> file = top[0]->menu()->actions();
    ASSERT_EQ(file.size(), 16);
    EXPECT_EQ(file[0], w.mnuFichier[0]);
    EXPECT_EQ(file[3], w.mnuFichier[2]);
    EXPECT_TRUE(file[4]->isSeparator());
    // Results in and out, then the recent files under their own separator.
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(file[5 + i], w.mnuTransfert[size_t(i)]);
    EXPECT_TRUE(file[9]->isSeparator());
    EXPECT_EQ(file[9], w.mnuMRU[0]);
    // Each command above the recent files has an access key of its own.
    QSet<QChar> keys;
    for (int i = 0; i < 9; ++i) {
        if (file[i]->isSeparator())
            continue;
        const QString text = file[i]->text();
        const qsizetype amp = text.indexOf(QLatin1Char('&'));
        ASSERT_GE(amp, 0) << text.toStdString();
        const QChar key = text.at(amp + 1).toLower();
        EXPECT_FALSE(keys.contains(key)) << text.toStdString();
        keys.insert(key);
    }
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

// The icon is built in at every size the desktop installs; the window and the about box show it.
TEST(MainWindow, TheWindowAndTheAboutBoxShowTheProgramsIcon)
{
    for (int size : AppIcon::sizes()) {
        const QImage image = AppIcon::pixmap(size).toImage();
        ASSERT_EQ(image.size(), QSize(size, size));
        EXPECT_EQ(qAlpha(image.pixel(size / 2, size / 2)), 255); // drawn, not blank
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);                 // rounded corners
    }
    EXPECT_EQ(AppIcon::icon().availableSizes().size(), AppIcon::sizes().size());

    frmMain w;
    EXPECT_EQ(w.windowIcon().pixmap(48).toImage(), AppIcon::pixmap(48).toImage());
    frmAbout about(&w);
    QLabel* picture = nullptr;
    for (QLabel* label : about.findChildren<QLabel*>())
        if (!label->pixmap().isNull())
            picture = label;
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->pixmap().toImage(), AppIcon::pixmap(64).toImage());
}

} // namespace
