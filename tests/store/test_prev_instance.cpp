#include "shell/frmMain.h"
#include "store/PrevInstance.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest/QTest>
#include <gtest/gtest.h>

namespace {

QString uniqueName()
{
    static int n = 0;
    return QStringLiteral("vemo-test-%1-%2").arg(QCoreApplication::applicationPid()).arg(++n);
}

TEST(PrevInstance, ASecondStartReachesTheFirst)
{
    const QString name = uniqueName();
    PrevInstance first(name);
    ASSERT_TRUE(first.listen());
    QSignalSpy spy(&first, &PrevInstance::activationRequested);

    PrevInstance second(name);
    bool found = false;
    // The first instance answers from its event loop: ask from another thread of control.
    QTimer::singleShot(0, [&] { found = second.ActivatePrevInstance(); });
    QTRY_VERIFY(spy.count() == 1);
    QTRY_VERIFY(found);
    EXPECT_FALSE(PrevInstance(uniqueName()).ActivatePrevInstance(200));
}

TEST(PrevInstance, AnOpenRequestCarriesAnyPathWhole)
{
    const QString name = uniqueName();
    PrevInstance first(name);
    ASSERT_TRUE(first.listen());
    QSignalSpy opened(&first, &PrevInstance::openRequested);
    QSignalSpy activated(&first, &PrevInstance::activationRequested);

    const QString odd = QStringLiteral("/données/Ligue 1 %20 100%\nfin.dat\nsuite");
    bool found = false;
    QTimer::singleShot(0, [&] { found = PrevInstance(name).OpenInPrevInstance(odd); });
    QTRY_COMPARE(opened.count(), 1);
    EXPECT_EQ(opened[0][0].toString(), odd);
    EXPECT_TRUE(found);
    EXPECT_EQ(activated.count(), 0);
    EXPECT_FALSE(PrevInstance(uniqueName()).OpenInPrevInstance(odd, 200));
}

// A request may arrive in pieces, and what is not a request is ignored.
TEST(PrevInstance, OnlyWholeRequestLinesAreRead)
{
    const QString name = uniqueName();
    PrevInstance first(name);
    ASSERT_TRUE(first.listen());
    QSignalSpy opened(&first, &PrevInstance::openRequested);
    QSignalSpy activated(&first, &PrevInstance::activationRequested);

    QLocalSocket client;
    client.connectToServer(name);
    ASSERT_TRUE(client.waitForConnected(1000));
    client.write("bonjour\nopen \nopen %2Fa");
    client.flush();
    QTest::qWait(200);
    EXPECT_EQ(opened.count(), 0);
    client.write("b%20c.dat\nactiv");
    client.flush();
    QTRY_COMPARE(opened.count(), 1);
    EXPECT_EQ(opened[0][0].toString(), QStringLiteral("/ab c.dat"));
    client.write("ate\n");
    client.flush();
    QTRY_COMPARE(activated.count(), 1);
    QTest::qWait(100);
    EXPECT_EQ(opened.count(), 1);
}

TEST(PrevInstance, ASocketLeftByACrashIsTakenOver)
{
    const QString name = uniqueName();
    {
        QLocalServer stale;
        ASSERT_TRUE(stale.listen(name));
        stale.close(); // the socket file may remain, as after a crash
    }
    PrevInstance fresh(name);
    EXPECT_TRUE(fresh.listen());
}

TEST(PrevInstance, BringToFrontRestoresAMinimisedWindow)
{
    frmMain w;
    w.show();
    w.showMinimized();
    QTRY_VERIFY(w.isMinimized());
    w.bringToFront();
    QTRY_VERIFY(!w.isMinimized());
    EXPECT_TRUE(w.isVisible());
}

TEST(PrevInstance, ASecondProgramExitsAtOnceAndTheFirstComesForward)
{
    const QString vemo =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../../bin/vemo"));
    ASSERT_TRUE(QFileInfo::exists(vemo));
    testsupport::TempDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.file(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.path());
    env.insert(QStringLiteral("TMPDIR"), home.path()); // where the instance socket lives
    env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("vemo.instance=true"));

    QProcess first;
    first.setProcessEnvironment(env);
    first.start(vemo);
    ASSERT_TRUE(first.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(
        QFileInfo::exists(home.file(QStringLiteral("config/Zelto App Vemo.conf"))) ||
            first.state() == QProcess::Running,
        5000);
    QTest::qWait(500); // let it start listening

    QProcess second;
    second.setProcessEnvironment(env);
    QElapsedTimer t;
    t.start();
    second.start(vemo);
    // The first instance must keep its event loop turning while the second waits.
    QTRY_VERIFY_WITH_TIMEOUT(second.state() == QProcess::NotRunning, 2000);
    EXPECT_LT(t.elapsed(), 2000);
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(first.state(), QProcess::Running);
    QTRY_VERIFY_WITH_TIMEOUT(first.readAllStandardError().contains("activation requested"), 2000);

    first.terminate();
    if (!first.waitForFinished(3000))
        first.kill();
}

} // namespace
