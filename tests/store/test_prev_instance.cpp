#include "shell/frmMain.h"
#include "store/PrevInstance.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

QString uniqueName()
{
    static int n = 0;
    return QStringLiteral("vemo-test-%1-%2").arg(QCoreApplication::applicationPid()).arg(++n);
}

struct stat statOf(const QString& path)
{
    struct stat st = {};
    ::lstat(QFile::encodeName(path).constData(), &st);
    return st;
}

bool isUserSocket(const QString& path)
{
    const struct stat st = statOf(path);
    return S_ISSOCK(st.st_mode) && st.st_uid == ::geteuid();
}

// A socket file that no one listens on, as a killed instance leaves it.
void makeStaleSocket(const QString& path)
{
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    const QByteArray encoded = QFile::encodeName(path);
    ASSERT_LT(size_t(encoded.size()), sizeof address.sun_path);
    std::memcpy(address.sun_path, encoded.constData(), size_t(encoded.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(fd);
}

// Puts the folders that the socket's place depends on back as they were.
class FolderEnv
{
public:
    ~FolderEnv()
    {
        qputenv("XDG_RUNTIME_DIR", m_runtime);
        qputenv("TMPDIR", m_temp);
    }

private:
    QByteArray m_runtime = qgetenv("XDG_RUNTIME_DIR");
    QByteArray m_temp = qgetenv("TMPDIR");
};

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
    client.connectToServer(first.path());
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

TEST(PrevInstance, ASocketLeftByACrashIsTakenOverButNotOneThatAnswers)
{
    const QString name = uniqueName();
    PrevInstance first(name);
    makeStaleSocket(first.path());
    ASSERT_TRUE(isUserSocket(first.path()));
    ASSERT_TRUE(first.listen());
    QSignalSpy spy(&first, &PrevInstance::activationRequested);

    PrevInstance second(name);
    EXPECT_FALSE(second.listen());
    bool found = false;
    QTimer::singleShot(0, [&] { found = second.ActivatePrevInstance(); });
    QTRY_COMPARE(spy.count(), 1);
    QTRY_VERIFY(found);
    EXPECT_FALSE(PrevInstance(uniqueName()).ActivatePrevInstance(200));
}

TEST(PrevInstance, TheSocketLivesInAPrivateFolderOfTheUser)
{
    const QString folder = PrevInstance::socketFolder();
    ASSERT_FALSE(folder.isEmpty());
    const struct stat st = statOf(folder);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    EXPECT_EQ(st.st_uid, ::geteuid());
    EXPECT_EQ(st.st_mode & 077, 0u);
    EXPECT_TRUE(PrevInstance::defaultServerName().startsWith(folder + QLatin1Char('/')));

    QString path;
    {
        PrevInstance instance(uniqueName());
        ASSERT_TRUE(instance.listen());
        path = instance.path();
        EXPECT_EQ(QFileInfo(path).path(), folder);
        EXPECT_TRUE(isUserSocket(path));
        EXPECT_EQ(statOf(path).st_mode & 077, 0u);
    }
    EXPECT_FALSE(QFileInfo::exists(path));
}

// A link, a folder others may enter, or one of another user's, whether given as the runtime
// folder or planted where the program makes its own: never used, never put right.
TEST(PrevInstance, AFolderNotTheUsersOwnAndPrivateIsRefused)
{
    FolderEnv restore;
    testsupport::TempDir root;
    const QString target = root.file(QStringLiteral("target"));
    ASSERT_TRUE(QDir().mkdir(target));
    ASSERT_EQ(::chmod(QFile::encodeName(target).constData(), 0700), 0);
    ASSERT_TRUE(QDir().mkdir(root.file(QStringLiteral("tmp"))));
    const QString own = root.file(QStringLiteral("tmp/vemo-%1").arg(::geteuid()));
    qputenv("TMPDIR", QFile::encodeName(root.file(QStringLiteral("tmp"))));

    enum Kind { Link, Open, Theirs };
    const auto plant = [&](Kind kind, const QString& path) {
        const QByteArray p = QFile::encodeName(path);
        if (kind == Link)
            return ::symlink(QFile::encodeName(target).constData(), p.constData()) == 0;
        return ::mkdir(p.constData(), kind == Open ? 0755 : 0700) == 0 &&
               ::chmod(p.constData(), kind == Open ? 0755 : 0700) == 0 &&
               (kind != Theirs || ::chown(p.constData(), 65534, 65534) == 0);
    };
    std::vector<Kind> kinds{Link, Open};
    if (::geteuid() == 0)
        kinds.push_back(Theirs);
    for (const Kind kind : kinds) {
        SCOPED_TRACE(kind);
        const QString runtime = root.file(QStringLiteral("runtime-%1").arg(kind));
        ASSERT_TRUE(plant(kind, runtime));
        ASSERT_TRUE(plant(kind, own));
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
        const struct stat before = statOf(own);

        EXPECT_EQ(PrevInstance::socketFolder(), QString());
        EXPECT_EQ(PrevInstance::defaultServerName(), QString());
        PrevInstance instance(uniqueName());
        EXPECT_EQ(instance.path(), QString());
        EXPECT_FALSE(instance.listen());
        EXPECT_FALSE(instance.ActivatePrevInstance(100));

        const struct stat after = statOf(own);
        EXPECT_EQ(after.st_mode, before.st_mode);
        EXPECT_EQ(after.st_uid, before.st_uid);
        EXPECT_TRUE(QDir(target).isEmpty());
        ASSERT_TRUE(kind == Link ? QFile::remove(own) : QDir(own).removeRecursively());
    }

    // Nothing in the way: the program's own folder is made, for the user only.
    EXPECT_EQ(PrevInstance::socketFolder(), own);
    EXPECT_EQ(statOf(own).st_mode & 0777, 0700u);
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(target));
    EXPECT_EQ(PrevInstance::socketFolder(), target);
}

// Another user listens: its socket is neither sent a request nor taken over, whether the socket
// file is its own or was made the user's in the user's folder.
TEST(PrevInstance, ASocketOfAnotherUserIsNeverSentTo)
{
    if (::geteuid() != 0 || !QFileInfo::exists(QStringLiteral("/usr/bin/setpriv")) ||
        !QFileInfo::exists(QStringLiteral("/usr/bin/python3")))
        GTEST_SKIP() << "a listener of another user needs root, setpriv and python3";
    QTemporaryDir shared(QStringLiteral("/tmp/vemo-autre-XXXXXX"));
    ASSERT_TRUE(shared.isValid());
    ASSERT_EQ(::chown(QFile::encodeName(shared.path()).constData(), 65534, 65534), 0);
    const QString socket = shared.filePath(QStringLiteral("vemo-autre"));
    QProcess other;
    other.start(QStringLiteral("setpriv"),
                QStringList{"--reuid=65534", "--regid=65534", "--clear-groups", "/usr/bin/python3",
                            "-c", R"(import socket, sys
s = socket.socket(socket.AF_UNIX)
s.bind(sys.argv[1])
s.listen(8)
print("ready", flush=True)
while True:
    c, _ = s.accept()
    c.settimeout(2)
    try:
        print(repr(c.recv(65536)), flush=True)
        c.sendall(b"ok\n")
    except OSError:
        pass
    c.close()
)",
                            socket});
    if (!other.waitForReadyRead(5000))
        GTEST_SKIP() << "no listener as another user here";
    ASSERT_EQ(other.readLine().trimmed(), "ready");
    QLocalSocket ping;
    ping.connectToServer(socket);
    ASSERT_TRUE(ping.waitForConnected(1000));
    ping.write("ping\n");
    ASSERT_TRUE(ping.waitForReadyRead(2000));

    const auto neverSentTo = [](PrevInstance& instance) {
        EXPECT_FALSE(instance.ActivatePrevInstance(500));
        EXPECT_FALSE(instance.OpenInPrevInstance(QStringLiteral("/secret.dat"), 500));
        EXPECT_FALSE(instance.listen());
        EXPECT_TRUE(S_ISSOCK(statOf(instance.path()).st_mode));
    };
    PrevInstance there(socket);
    neverSentTo(there);

    const QString mine = PrevInstance::socketFolder() + QLatin1Char('/') + uniqueName();
    ASSERT_EQ(::chown(QFile::encodeName(socket).constData(), ::geteuid(), ::getegid()), 0);
    ASSERT_EQ(::rename(QFile::encodeName(socket).constData(), QFile::encodeName(mine).constData()),
              0)
        << std::strerror(errno);
    PrevInstance here(QFileInfo(mine).fileName());
    neverSentTo(here);

    QTest::qWait(200);
    other.kill();
    other.waitForFinished();
    const QByteArray heard = other.readAll();
    EXPECT_TRUE(heard.contains("ping")) << heard.constData();
    EXPECT_FALSE(heard.contains("activate")) << heard.constData();
    EXPECT_FALSE(heard.contains("open")) << heard.constData();
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

QProcessEnvironment programEnv(const testsupport::TempDir& home)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.file(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.path()); // where the instance socket lives
    env.insert(QStringLiteral("TMPDIR"), home.path());
    env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("vemo.instance=true"));
    return env;
}

QString vemo()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../../bin/vemo"));
}

TEST(PrevInstance, ASecondProgramExitsAtOnceAndTheFirstComesForward)
{
    ASSERT_TRUE(QFileInfo::exists(vemo()));
    testsupport::TempDir home;
    const QProcessEnvironment env = programEnv(home);

    QProcess first;
    first.setProcessEnvironment(env);
    first.start(vemo());
    ASSERT_TRUE(first.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(
        !QDir(home.path()).entryList({QStringLiteral("vemo-*")}, QDir::System).isEmpty(), 10000);

    QProcess second;
    second.setProcessEnvironment(env);
    second.start(vemo());
    // The first instance must keep its event loop turning while the second waits.
    QTRY_VERIFY_WITH_TIMEOUT(second.state() == QProcess::NotRunning, 2000);
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(first.state(), QProcess::Running);
    QTRY_VERIFY_WITH_TIMEOUT(first.readAllStandardError().contains("activation requested"), 2000);

    first.terminate();
    if (!first.waitForFinished(3000))
        first.kill();
}

TEST(PrevInstance, WithoutAPrivateFolderEachStartHasItsOwnWindow)
{
    testsupport::TempDir home;
    QProcessEnvironment env = programEnv(home);
    const QString open = home.file(QStringLiteral("vemo-%1").arg(::geteuid()));
    ASSERT_TRUE(QDir().mkdir(open));
    ASSERT_EQ(::chmod(QFile::encodeName(open).constData(), 0755), 0);
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), open);

    QProcess first, second;
    for (QProcess* p : {&first, &second}) {
        p->setProcessEnvironment(env);
        p->start(vemo());
        ASSERT_TRUE(p->waitForStarted());
        QByteArray err;
        QTRY_VERIFY_WITH_TIMEOUT((err += p->readAllStandardError()).contains("no private folder"),
                                 10000);
    }
    QTest::qWait(500);
    EXPECT_EQ(first.state(), QProcess::Running);
    EXPECT_EQ(second.state(), QProcess::Running);
    for (QDirIterator it(home.path(), QDir::System | QDir::Hidden, QDirIterator::Subdirectories);
         it.hasNext();)
        EXPECT_FALSE(S_ISSOCK(statOf(it.next()).st_mode)) << it.filePath().toStdString();

    for (QProcess* p : {&first, &second}) {
        p->terminate();
        if (!p->waitForFinished(3000))
            p->kill();
    }
}

} // namespace
