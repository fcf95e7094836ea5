#include "store/Competition.h"
#include "store/CompetitionFile.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <csignal>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace store;
using testsupport::TempDir;

namespace {

class OpenTest : public testing::Test
{
protected:
    void SetUp() override
    {
        good = dir.file(QStringLiteral("good.dat"));
        testsupport::makeCompetition(good,
                                     {{QStringLiteral("NANTES"), {}, {}},
                                      {QStringLiteral("ANGERS"), QByteArray("GIF89a"), {}},
                                      {QStringLiteral("brest"), {}, QByteArray("ico")}},
                                     2, 1, 0);
    }
    // Refused with this failure, and the file's bytes are exactly as before.
    void expectRefused(const QString& path, OpenFailure failure)
    {
        const QByteArray before = testsupport::readBytes(path);
        const bool existed = QFileInfo::exists(path);
        OpenError error;
        EXPECT_FALSE(Competition::open(path, error)) << path.toStdString();
        EXPECT_EQ(int(error.failure), int(failure)) << error.engine.message.toStdString();
        const QString text = describeOpenError(error, path);
        EXPECT_TRUE(text.contains(path)) << text.toStdString();
        EXPECT_EQ(QFileInfo::exists(path), existed);
        EXPECT_EQ(testsupport::readBytes(path), before);
        EXPECT_FALSE(QFileInfo::exists(path + QStringLiteral("-journal")));
    }
    TempDir dir;
    QString good;
};

TEST_F(OpenTest, ReadsTeamsSortedAndThePointsOfAMatch)
{
    OpenError error;
    std::vector<TeamPictures> pictures;
    auto c = Competition::open(good, error, &pictures);
    ASSERT_TRUE(c) << describeOpenError(error, good).toStdString();
    ASSERT_EQ(c->teamCount(), 3);
    EXPECT_EQ(c->teamList()[0].nom, QStringLiteral("ANGERS"));
    EXPECT_EQ(c->teamList()[1].nom, QStringLiteral("brest")); // letter case ignored in the order
    EXPECT_EQ(c->teamList()[2].nom, QStringLiteral("NANTES"));
    EXPECT_EQ(c->ptsWinner(), 2);
    EXPECT_EQ(c->ptsLooser(), 1);
    EXPECT_EQ(c->ptsEquality(), 0);
    ASSERT_EQ(pictures.size(), 3u);
    EXPECT_EQ(pictures[0].blason, QByteArray("GIF89a"));
    EXPECT_EQ(pictures[1].icone, QByteArray("ico"));
    EXPECT_TRUE(pictures[2].blason.isEmpty());
}

TEST_F(OpenTest, FilesThatAreNotCompetitionsAreRefusedUntouched)
{
    // Wrong password.
    const QString other = dir.file(QStringLiteral("other.dat"));
    {
        DbError e;
        auto db = Database::create(other, "another key", e);
        ASSERT_TRUE(db);
        ASSERT_TRUE(createCompetitionSchema(*db).ok());
    }
    expectRefused(other, OpenFailure::NotADatabase);

    // Random bytes.
    const QString random = dir.file(QStringLiteral("random.dat"));
    QByteArray noise(8192, 0);
    for (char& c : noise)
        c = char(QRandomGenerator::global()->generate());
    testsupport::writeBytes(random, noise);
    expectRefused(random, OpenFailure::NotADatabase);

    // A plain SQLite file, not encrypted.
    const QString plain = dir.file(QStringLiteral("plain.dat"));
    {
        DbError e;
        auto db = Database::create(plain, QByteArray(), e);
        ASSERT_TRUE(db);
        ASSERT_TRUE(createCompetitionSchema(*db).ok());
    }
    ASSERT_TRUE(testsupport::readBytes(plain).startsWith("SQLite format 3"));
    expectRefused(plain, OpenFailure::NotADatabase);

    // An empty file stays empty.
    const QString empty = dir.file(QStringLiteral("empty.dat"));
    testsupport::writeBytes(empty, {});
    expectRefused(empty, OpenFailure::NotADatabase);
    EXPECT_EQ(QFileInfo(empty).size(), 0);

    // A missing file stays missing.
    expectRefused(dir.file(QStringLiteral("missing.dat")), OpenFailure::NotFound);
    expectRefused(dir.path(), OpenFailure::NotAFile);
}

TEST_F(OpenTest, DamagedFilesAreRefusedUntouched)
{
    // Enough teams with crests that the file has many pages.
    const QString big = dir.file(QStringLiteral("big.dat"));
    std::vector<testsupport::TeamSpec> teams;
    for (int i = 0; i < 60; ++i)
        teams.push_back(
            {QStringLiteral("EQUIPE %1").arg(i), QByteArray(3000, char('a' + i % 26)), {}});
    testsupport::makeCompetition(big, teams);
    const QByteArray bytes = testsupport::readBytes(big);
    ASSERT_GT(bytes.size(), 100000);

    const QString truncated = dir.file(QStringLiteral("truncated.dat"));
    testsupport::writeBytes(truncated, bytes.left(bytes.size() / 2));
    OpenError error;
    EXPECT_FALSE(Competition::open(truncated, error));
    EXPECT_NE(int(error.failure), int(OpenFailure::None));
    EXPECT_EQ(testsupport::readBytes(truncated), bytes.left(bytes.size() / 2));

    // Page 1, a page in the middle and the last page (the end of each page holds only
    // unused padding after its checksum, so the flip lands inside page data).
    const qsizetype last = bytes.size() - 1024;
    for (const qsizetype at : {qsizetype(100), (bytes.size() / 2048) * 1024 + 300, last + 500}) {
        const QString flipped = dir.file(QStringLiteral("flipped%1.dat").arg(at));
        QByteArray copy = bytes;
        copy[at] = char(copy[at] ^ 0x10);
        testsupport::writeBytes(flipped, copy);
        OpenError e;
        EXPECT_FALSE(Competition::open(flipped, e)) << "byte " << at;
        EXPECT_TRUE(e.failure == OpenFailure::Damaged || e.failure == OpenFailure::NotADatabase)
            << int(e.failure) << " " << e.engine.message.toStdString();
        EXPECT_EQ(testsupport::readBytes(flipped), copy);
    }
}

TEST_F(OpenTest, MissingTablesAndPropertiesAreNamed)
{
    const QString noBets = dir.file(QStringLiteral("nobets.dat"));
    testsupport::makeCompetition(noBets, QStringList{QStringLiteral("A")});
    {
        auto db = testsupport::openFile(noBets);
        ASSERT_TRUE(db->exec(QStringLiteral("DROP TABLE Paris")).ok());
    }
    OpenError error;
    EXPECT_FALSE(Competition::open(noBets, error));
    EXPECT_EQ(int(error.failure), int(OpenFailure::MissingTable));
    EXPECT_TRUE(describeOpenError(error, noBets).contains(QStringLiteral("Paris")));

    const QString noDraw = dir.file(QStringLiteral("nodraw.dat"));
    testsupport::makeCompetition(noDraw, QStringList{QStringLiteral("A")});
    {
        auto db = testsupport::openFile(noDraw);
        ASSERT_TRUE(
            db->run(QStringLiteral("DELETE FROM \"Propriétés\" WHERE Nom = 'PtsEquality'")).ok());
    }
    EXPECT_FALSE(Competition::open(noDraw, error));
    EXPECT_EQ(int(error.failure), int(OpenFailure::MissingProperty));
    EXPECT_TRUE(describeOpenError(error, noDraw).contains(QStringLiteral("PtsEquality")));
}

TEST_F(OpenTest, AFileLockedByAnotherConnectionIsReportedNotWaitedFor)
{
    auto holder = testsupport::openFile(good);
    ASSERT_TRUE(holder->exec(QStringLiteral("BEGIN EXCLUSIVE")).ok());
    ASSERT_TRUE(holder->run(QStringLiteral("UPDATE Equipes SET Nom = Nom")).ok());
    QElapsedTimer t;
    t.start();
    OpenError error;
    EXPECT_FALSE(Competition::open(good, error));
    EXPECT_EQ(int(error.failure), int(OpenFailure::Locked));
    EXPECT_LT(t.elapsed(), 5000);
    EXPECT_TRUE(describeOpenError(error, good).contains(QStringLiteral("verrouillé")));
    holder->rollback();
}

TEST_F(OpenTest, AReadOnlyFileIsRefused)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes to read-only files";
    QFile::setPermissions(good, QFileDevice::ReadOwner);
    expectRefused(good, OpenFailure::ReadOnly);
}

TEST_F(OpenTest, AWriterKilledMidTransactionLeavesAllOrNothing)
{
    const QString writer =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("crash_writer"));
    ASSERT_TRUE(QFileInfo::exists(writer));
    for (int round = 0; round < 3; ++round) {
        const QString path = dir.file(QStringLiteral("crash%1.dat").arg(round));
        testsupport::makeCompetition(path, QStringList{QStringLiteral("A"), QStringLiteral("B")});
        QProcess p;
        p.start(writer, {path, QStringLiteral("3000")});
        ASSERT_TRUE(p.waitForStarted());
        ASSERT_TRUE(p.waitForReadyRead(20000));
        ASSERT_TRUE(p.readAll().contains("started"));
        usleep(useconds_t(QRandomGenerator::global()->bounded(50000)));
        ::kill(pid_t(p.processId()), SIGKILL);
        p.waitForFinished();
        const bool committed = p.readAll().contains("committed");

        OpenError error;
        auto c = Competition::open(path, error);
        ASSERT_TRUE(c) << describeOpenError(error, path).toStdString();
        EXPECT_EQ(c->teamCount(), committed ? 3002 : 2);
    }
}

} // namespace
