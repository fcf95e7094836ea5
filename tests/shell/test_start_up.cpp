#include "controls/MessageBox.h"
#include "shell/StartOptions.h"
#include "shell/StartUp.h"
#include "shell/frmMain.h"
#include "shell/frmNavigateur.h"
#include "store/Competition.h"
#include "store/PrevInstance.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QSettings>
#include <QtTest/QTest>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>

using store::CurrentCompetition;
using testsupport::TempDir;

namespace {

StartOptions parse(const QStringList& args, const QString& folder = QStringLiteral("/home/u/docs"))
{
    return StartOptions::parse(QStringList{QStringLiteral("vemo")} + args, folder);
}

TEST(StartOptions, HelpAndVersionAnswerInFrench)
{
    const QList<QStringList> asks = {
        {"--help"}, {"-h"}, {"Ligue.dat", "--help"}, {"--inconnue", "-h"}};
    for (const QStringList& args : asks) {
        const StartOptions o = parse(args);
        EXPECT_EQ(o.action, StartOptions::Help) << args.join(' ').toStdString();
        EXPECT_EQ(o.exitCode(), 0);
        EXPECT_TRUE(o.text.startsWith(QStringLiteral("Usage : vemo [FICHIER.dat]\n")));
        EXPECT_TRUE(o.text.contains(QStringLiteral("-h, --help     affiche cette aide")));
        EXPECT_TRUE(o.text.contains(QStringLiteral("-v, --version  affiche la version")));
        for (const char* english : {"Usage:", "Displays", "Options:", "help on commandline"})
            EXPECT_FALSE(o.text.contains(QLatin1String(english))) << english;
    }
    for (const char* option : {"--version", "-v"}) {
        const StartOptions o = parse({QString::fromLatin1(option)});
        EXPECT_EQ(o.action, StartOptions::Version);
        EXPECT_EQ(o.text, QStringLiteral("Vemo %1.%2.%3\n")
                              .arg(VEMO_VERSION_MAJOR)
                              .arg(VEMO_VERSION_MINOR)
                              .arg(VEMO_VERSION_PATCH));
    }
}

TEST(StartOptions, MisuseIsRefusedInFrench)
{
    const std::pair<QStringList, QString> cases[] = {
        {{"--bogus"}, "vemo : option inconnue « --bogus » (vemo --help).\n"},
        {{"-x", "Ligue.dat"}, "vemo : option inconnue « -x » (vemo --help).\n"},
        {{"a.dat", "b.dat"}, "vemo : un seul fichier à la fois (vemo --help).\n"},
        {{""}, "vemo : le nom du fichier est vide (vemo --help).\n"},
        {{"-platform"}, "vemo : une option attend une valeur (vemo --help).\n"},
    };
    for (const auto& [args, text] : cases) {
        const StartOptions o = parse(args);
        EXPECT_EQ(o.action, StartOptions::Refuse) << args.join(' ').toStdString();
        EXPECT_EQ(o.exitCode(), 2);
        EXPECT_EQ(o.text, text);
        EXPECT_TRUE(o.file.isEmpty());
    }
}

// The running instance has a current folder of its own: a file goes to it by absolute path.
TEST(StartOptions, TheFileIsAbsoluteAndQtsOwnOptionsPassThrough)
{
    EXPECT_EQ(parse({}).action, StartOptions::Run);
    EXPECT_TRUE(parse({}).file.isEmpty());
    const std::pair<QStringList, QString> cases[] = {
        {{"Ligue 1.dat"}, "/home/u/docs/Ligue 1.dat"},
        {{"../saisons/./L.dat"}, "/home/u/saisons/L.dat"},
        {{"/srv/L.dat"}, "/srv/L.dat"},
        {{"file:///srv/Ligue%201.dat"}, "/srv/Ligue 1.dat"},
        {{"--", "-tiret.dat"}, "/home/u/docs/-tiret.dat"},
        {{"-platform", "offscreen", "-session", "1a2b", "--style", "Fusion", "-reverse", "L.dat"},
         "/home/u/docs/L.dat"},
    };
    for (const auto& [args, file] : cases) {
        const StartOptions o = parse(args);
        EXPECT_EQ(o.action, StartOptions::Run) << o.text.toStdString();
        EXPECT_EQ(o.exitCode(), 0);
        EXPECT_EQ(o.file, file);
    }
}

class StartUpTest : public testing::Test
{
protected:
    void SetUp() override
    {
        first = dir.file(QStringLiteral("Ligue 1.dat"));
        second = dir.file(QStringLiteral("National.dat"));
        testsupport::makeCompetition(first, QStringList{"LENS", "LILLE"});
        testsupport::makeCompetition(second, QStringList{"SEDAN", "REIMS"});
    }

    static QString current()
    {
        return CurrentCompetition::isOpen() ? CurrentCompetition::get()->fileName() : QString();
    }

    // Another start of the program, asking from a thread of its own as another process would
    // while this one keeps its event loop turning.
    bool startAgain(const QString& file)
    {
        std::atomic<int> answer{-1};
        std::thread other([&] {
            PrevInstance instance(name);
            answer = StartUp::handOver(instance, file) ? 1 : 0;
        });
        QElapsedTimer waited;
        waited.start();
        while (answer < 0 && waited.elapsed() < 5000)
            QTest::qWait(10);
        other.join();
        return answer == 1;
    }

    TempDir dir;
    QString first, second;
    const QString name =
        QStringLiteral("vemo-start-test-%1").arg(QCoreApplication::applicationPid());
    frmMain window;
};

TEST_F(StartUpTest, AFileGivenAtStartIsOpenedAndCurrent)
{
    window.show();
    StartUp::openWhenIdle(parse({"Ligue 1.dat"}, dir.path()).file);
    QTRY_COMPARE(current(), first);
    EXPECT_TRUE(MessageBox::shown().isEmpty());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Ligue 1"));
    EXPECT_EQ(window.recentFiles().paths(), QStringList{first});
    EXPECT_TRUE(window.navigator()->isEnabled());
}

TEST_F(StartUpTest, ABadFileIsRefusedInFrenchAndNothingIsOpen)
{
    const QString junk = dir.file(QStringLiteral("junk.dat"));
    testsupport::writeBytes(junk, QByteArray(5000, 'z'));
    const std::pair<QString, QString> cases[] = {
        {junk, QStringLiteral("n'est pas un fichier de compétition")},
        {dir.file(QStringLiteral("absent.dat")), QStringLiteral("est introuvable")},
    };
    window.show();
    for (const auto& [file, why] : cases) {
        MessageBox::clearShown();
        StartUp::openWhenIdle(file);
        QTRY_COMPARE(MessageBox::shown().size(), 1);
        EXPECT_EQ(MessageBox::shown()[0].icon, MessageBox::Critical);
        EXPECT_TRUE(MessageBox::shown()[0].text.contains(file));
        EXPECT_TRUE(MessageBox::shown()[0].text.contains(why))
            << MessageBox::shown()[0].text.toStdString();
        EXPECT_FALSE(CurrentCompetition::isOpen());
        EXPECT_EQ(window.windowTitle(), QStringLiteral("Vemo"));
        EXPECT_TRUE(window.recentFiles().paths().isEmpty());
        EXPECT_FALSE(window.navigator()->isEnabled());
    }
}

TEST_F(StartUpTest, ASecondStartWithAFileHasTheRunningOneOpenIt)
{
    PrevInstance running(name);
    ASSERT_TRUE(running.listen());
    StartUp::serve(running, window);
    window.show();
    StartUp::openWhenIdle(first);
    QTRY_COMPARE(current(), first);
    window.showMinimized();
    QTRY_VERIFY(window.isMinimized());

    // Named from the second start's own folder.
    EXPECT_TRUE(startAgain(parse({"National.dat"}, dir.path()).file));
    QTRY_COMPARE(current(), second);
    QTRY_VERIFY(!window.isMinimized());
    EXPECT_TRUE(MessageBox::shown().isEmpty());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("National"));
    EXPECT_EQ(window.recentFiles().paths(), (QStringList{second, first}));

    // The same refusals as Fichier > Ouvrir, and the open competition stays.
    EXPECT_TRUE(startAgain(dir.file(QStringLiteral("absent.dat"))));
    QTRY_COMPARE(MessageBox::shown().size(), 1);
    EXPECT_TRUE(MessageBox::shown()[0].text.contains(QStringLiteral("absent.dat")));
    EXPECT_EQ(current(), second);

    // Without a file, the window only comes forward.
    MessageBox::clearShown();
    window.showMinimized();
    QTRY_VERIFY(window.isMinimized());
    EXPECT_TRUE(startAgain(QString()));
    QTRY_VERIFY(!window.isMinimized());
    QTest::qWait(100);
    EXPECT_EQ(current(), second);
    EXPECT_TRUE(MessageBox::shown().isEmpty());
}

TEST_F(StartUpTest, WithNoRunningInstanceTheStartKeepsItsFile)
{
    EXPECT_FALSE(startAgain(first));
    QTest::qWait(100);
    EXPECT_FALSE(CurrentCompetition::isOpen());
}

// A dialog of the program may be asking about the open competition: the file waits for it.
TEST_F(StartUpTest, AFileHandedOverWhileADialogIsOpenWaitsForIt)
{
    PrevInstance running(name);
    ASSERT_TRUE(running.listen());
    StartUp::serve(running, window);
    window.show();
    QDialog dialog(&window);
    dialog.setModal(true);
    dialog.show();
    QTRY_VERIFY(QApplication::activeModalWidget() == &dialog);

    EXPECT_TRUE(startAgain(first));
    QTest::qWait(700);
    EXPECT_FALSE(CurrentCompetition::isOpen());
    dialog.accept();
    QTRY_COMPARE(current(), first);
}

// The program itself, as the desktop starts it.
class VemoProgramTest : public testing::Test
{
protected:
    struct Run
    {
        int code = -1;
        QString out, err;
    };

    VemoProgramTest()
    {
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.file(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_CACHE_HOME"), home.file(QStringLiteral("cache")));
        // Where the instance socket lives.
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.path());
        env.insert(QStringLiteral("TMPDIR"), home.path());
    }

    Run run(const QStringList& args, const QString& folder = QString())
    {
        QProcess p;
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(folder);
        p.start(vemo, args);
        EXPECT_TRUE(p.waitForFinished(20000));
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                QString::fromUtf8(p.readAllStandardOutput()),
                QString::fromUtf8(p.readAllStandardError())};
    }

    const QString vemo =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../../bin/vemo"));
    TempDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
};

TEST_F(VemoProgramTest, AnswersAndRefusesWithoutADisplay)
{
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    Run r = run({"--help"});
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(r.out.startsWith(QStringLiteral("Usage : vemo [FICHIER.dat]")))
        << r.out.toStdString();
    EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
    r = run({"--bogus"});
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.err, QStringLiteral("vemo : option inconnue « --bogus » (vemo --help).\n"));
    EXPECT_TRUE(r.out.isEmpty());
}

TEST_F(VemoProgramTest, ASecondProgramWithAFileHasTheFirstOpenIt)
{
    TempDir docs;
    const QString file = docs.file(QStringLiteral("Ligue 1.dat"));
    testsupport::makeCompetition(file, QStringList{"LENS", "LILLE"});
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));

    QProcess first;
    first.setProcessEnvironment(env);
    first.start(vemo);
    ASSERT_TRUE(first.waitForStarted());
    // Its socket appears once it listens.
    QTRY_VERIFY_WITH_TIMEOUT(
        !QDir(home.path()).entryList({QStringLiteral("vemo-*")}, QDir::System).isEmpty(), 10000);

    const Run second = run({"Ligue 1.dat"}, docs.path());
    EXPECT_EQ(second.code, 0);
    EXPECT_EQ(first.state(), QProcess::Running);
    // The first one opened it: the file heads its recent files.
    const QString settings = home.file(QStringLiteral("config/Zelto App Vemo.conf"));
    QTRY_VERIFY_WITH_TIMEOUT(
        QSettings(settings, QSettings::IniFormat).value(QStringLiteral("MRU/1")) == file, 10000);

    first.terminate();
    if (!first.waitForFinished(3000))
        first.kill();
}

} // namespace
