// Writes that fail part-way, as on a full disk or with a file locked by another program:
// what was there stays exactly as it was, and the failure is told.
#include "store/Competition.h"
#include "store/CompetitionFile.h"
#include "store/ResultImporter.h"
#include "store/Teams.h"
#include "store/Utilities.h"
#include "support/FaultyDisk.h"
#include "support/TestSupport.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace store;
using testsupport::FaultyDisk;
using testsupport::FileSizeLimit;
using testsupport::TempDir;

namespace {

// A device that takes the first `room` bytes and then fails, as a filling disk does.
class FillingDevice : public QIODevice
{
public:
    explicit FillingDevice(qint64 room) : m_room(room) { open(QIODevice::WriteOnly); }
    QByteArray written;

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override
    {
        if (m_room <= 0)
            return -1;
        const qint64 n = qMin(size, m_room); // a short write first, then the failure
        written.append(data, n);
        m_room -= n;
        return n;
    }

private:
    qint64 m_room;
};

TEST(CacheWrites, AWriteThatDoesNotPutEveryByteOnDiskFailsAndLeavesNothing)
{
    const QByteArray picture(10000, 'g');
    FillingDevice device(4096);
    EXPECT_FALSE(Utilities::WriteAllBytes(device, picture));
    EXPECT_EQ(device.written, picture.left(4096));
    FillingDevice roomy(20000);
    EXPECT_TRUE(Utilities::WriteAllBytes(roomy, picture));
    EXPECT_EQ(roomy.written, picture);

    TempDir dir;
    const QString path = dir.file(QStringLiteral("LENS_bla.tmp"));
    {
        FileSizeLimit full(4096);
        EXPECT_FALSE(Utilities::TryWriteFileBytes(path, picture));
    }
    EXPECT_FALSE(QFileInfo::exists(path));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{});
    // An older copy does not survive a failed rewrite as if it were the new picture.
    ASSERT_TRUE(Utilities::TryWriteFileBytes(path, QByteArray("old")));
    {
        FileSizeLimit full(0);
        EXPECT_FALSE(Utilities::TryWriteFileBytes(path, picture));
    }
    EXPECT_FALSE(QFileInfo::exists(path));
    ASSERT_TRUE(Utilities::TryWriteFileBytes(path, picture));
    EXPECT_EQ(testsupport::readBytes(path), picture);
}

// A competition with a whole season of 20 teams, and the season's text to import.
class FaultTest : public testing::Test
{
protected:
    static void SetUpTestSuite() { FaultyDisk::install(); }
    void SetUp() override
    {
        FaultyDisk::failWritesAfter(-1);
        file = dir.file(QStringLiteral("c.dat"));
        QStringList teams;
        for (int i = 0; i < 20; ++i)
            teams << QStringLiteral("CLUB %1").arg(QChar(u'A' + i));
        testsupport::makeCompetition(file, teams);
        // A whole double round robin; its first match is stored already.
        std::vector<MatchRow> rows = testsupport::doubleRoundRobin(teams);
        testsupport::addMatches(file, {rows.front()});
        rows.erase(rows.begin());
        season = testsupport::resultsCsv(rows);
        before = testsupport::dumpContent(file);
    }
    void TearDown() override { FaultyDisk::failWritesAfter(-1); }

    ResultImporter::Outcome import()
    {
        OpenError error;
        auto c = Competition::open(file, error);
        EXPECT_TRUE(c) << describeOpenError(error, file).toStdString();
        if (!c)
            return {};
        ResultImporter importer(*c);
        QBuffer buffer(&season);
        buffer.open(QIODevice::ReadOnly);
        return importer.importFrom(buffer);
    }
    // The bytes that the whole import writes when the disk has room.
    qint64 bytesOfAWholeImport()
    {
        QString copy = dir.file(QStringLiteral("copy.dat"));
        QFile::copy(file, copy);
        std::swap(file, copy);
        FaultyDisk::failWritesAfter(-1);
        const ResultImporter::Outcome o = import();
        const qint64 bytes = FaultyDisk::bytesWritten();
        std::swap(file, copy);
        EXPECT_TRUE(o.ok()) << o.message.toStdString();
        return bytes;
    }

    TempDir dir;
    QString file;
    QByteArray season;
    QString before;
};

TEST_F(FaultTest, AnImportThatFillsTheDiskWritesNothing)
{
    const qint64 whole = bytesOfAWholeImport();
    ASSERT_GT(whole, 20000);
    for (const qint64 budget : {whole / 10, whole / 2, whole - 600}) {
        FaultyDisk::failWritesAfter(budget);
        const ResultImporter::Outcome o = import();
        EXPECT_EQ(int(o.status), int(ResultImporter::Status::WriteFailed)) << budget;
        EXPECT_GT(FaultyDisk::failedWrites(), 0);
        EXPECT_TRUE(o.message.contains(QStringLiteral("Le disque est plein.")))
            << o.message.toStdString();
        FaultyDisk::failWritesAfter(-1);
        EXPECT_EQ(testsupport::dumpContent(file), before) << "budget " << budget;
    }
    // With room again, the same import goes through whole.
    const ResultImporter::Outcome o = import();
    ASSERT_TRUE(o.ok()) << o.message.toStdString();
    EXPECT_EQ(o.imported, 379);
}

TEST_F(FaultTest, AnImportIntoAFileLockedByAnotherProgramWritesNothing)
{
    auto other = testsupport::openFile(file);
    ASSERT_TRUE(other->exec(QStringLiteral("BEGIN IMMEDIATE")).ok());
    const ResultImporter::Outcome o = import();
    EXPECT_FALSE(o.ok());
    EXPECT_TRUE(o.message.contains(QStringLiteral("verrouillé"))) << o.message.toStdString();
    ASSERT_TRUE(other->exec(QStringLiteral("ROLLBACK")).ok());
    other.reset();
    EXPECT_EQ(testsupport::dumpContent(file), before);
}

TEST_F(FaultTest, ARenameThatFailsKeepsTheTeamAndItsMatches)
{
    ASSERT_TRUE(import().ok());
    before = testsupport::dumpContent(file);
    OpenError error;
    auto c = Competition::open(file, error);
    ASSERT_TRUE(c);
    const qint64 rowid = c->teamList()[0].rowid;
    const QString name = c->teamList()[0].nom;
    const Fields fields{{QStringLiteral("Nom"), QStringLiteral("RENAMED")},
                        {QStringLiteral("Blason"), QByteArray(3000, 'b')}};

    // The bytes of a whole rename, measured on a copy.
    qint64 whole = 0;
    {
        const QString copy = dir.file(QStringLiteral("copy.dat"));
        ASSERT_TRUE(QFile::copy(file, copy));
        auto other = Competition::open(copy, error);
        ASSERT_TRUE(other);
        FaultyDisk::failWritesAfter(-1);
        ASSERT_TRUE(updateTeam(other->db(), rowid, name, fields).ok());
        whole = FaultyDisk::bytesWritten();
    }
    for (const qint64 budget : {whole / 3, 2 * whole / 3, whole - 100}) {
        FaultyDisk::failWritesAfter(budget);
        const DbError e = updateTeam(c->db(), rowid, name, fields);
        EXPECT_EQ(e.code & 0xFF, 13 /* full */) << e.message.toStdString();
        FaultyDisk::failWritesAfter(-1);
        EXPECT_EQ(testsupport::dumpContent(file), before) << "budget " << budget;
    }

    ASSERT_TRUE(updateTeam(c->db(), rowid, name, fields).ok());
    std::vector<MatchRow> rows;
    ASSERT_TRUE(loadResults(c->db(), std::nullopt, rows).ok());
    EXPECT_EQ(std::count_if(rows.begin(), rows.end(),
                            [](const MatchRow& r) {
                                return r.domicile == QLatin1String("RENAMED") ||
                                       r.visiteur == QLatin1String("RENAMED");
                            }),
              38);
}

} // namespace
