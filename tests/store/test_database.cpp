#include "store/CompetitionFile.h"
#include "store/Database.h"
#include "support/TestSupport.h"

#include <QFileInfo>
#include <cerrno>
#include <gtest/gtest.h>
#include <sqlite3.h>

using namespace store;
using testsupport::TempDir;

namespace {

class DatabaseTest : public testing::Test
{
protected:
    void SetUp() override
    {
        path = dir.file(QStringLiteral("c.dat"));
        testsupport::makeCompetition(path,
                                     QStringList{QStringLiteral("LENS"), QStringLiteral("ARRAS")});
        db = testsupport::openFile(path);
        ASSERT_TRUE(db);
    }
    TempDir dir;
    QString path;
    std::unique_ptr<Database> db;
};

TEST(DatabaseOpen, NeverCreatesAMissingFileAndCreateRefusesAnExistingOne)
{
    TempDir dir;
    const QString missing = dir.file(QStringLiteral("absent.dat"));
    DbError e;
    EXPECT_FALSE(Database::open(missing, competitionKey(), e));
    EXPECT_EQ(e.code & 0xff, SQLITE_CANTOPEN);
    EXPECT_FALSE(e.message.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(missing));

    testsupport::writeBytes(dir.file(QStringLiteral("there.dat")), "x");
    EXPECT_FALSE(Database::create(dir.file(QStringLiteral("there.dat")), competitionKey(), e));
    EXPECT_EQ(testsupport::readBytes(dir.file(QStringLiteral("there.dat"))), QByteArray("x"));
}

TEST_F(DatabaseTest, NamesWithQuotesTravelAsBoundParameters)
{
    const QString odd = QStringLiteral("RC \"L'ENS\"; DROP TABLE Equipes; --");
    ASSERT_TRUE(db->addRow(QStringLiteral("Equipes"), {{QStringLiteral("Nom"), odd}}).ok());
    Snapshot s;
    ASSERT_TRUE(db->query(QStringLiteral("SELECT Nom FROM Equipes WHERE Nom = ?"), {odd}, s).ok());
    ASSERT_EQ(s.rowCount(), 1);
    EXPECT_EQ(s.value(0, QStringLiteral("Nom")).toString(), odd);
    ASSERT_TRUE(db->query(QStringLiteral("SELECT count(*) FROM Equipes"), {}, s).ok());
    EXPECT_EQ(s.value(0, 0).toInt(), 3);
}

TEST_F(DatabaseTest, SnapshotDoesNotFollowLaterChanges)
{
    Snapshot before;
    ASSERT_TRUE(
        db->query(QStringLiteral("SELECT rowid, Nom FROM Equipes ORDER BY Nom"), {}, before).ok());
    ASSERT_EQ(before.rowCount(), 2);
    EXPECT_EQ(before.value(0, QStringLiteral("Nom")).toString(), QStringLiteral("ARRAS"));
    ASSERT_TRUE(db->deleteRow(QStringLiteral("Equipes"), before.value(0, 0).toLongLong()).ok());
    EXPECT_EQ(before.rowCount(), 2);
    EXPECT_EQ(before.value(0, QStringLiteral("Nom")).toString(), QStringLiteral("ARRAS"));
}

TEST_F(DatabaseTest, RowsAreUpdatedAndDeletedByIdentityOnly)
{
    qint64 a = 0, b = 0;
    const auto match = [](int j, const char* h, const char* v) {
        return Fields{{QStringLiteral("Journée"), j},
                      {QStringLiteral("Domicile"), QString::fromUtf8(h)},
                      {QStringLiteral("ScoreDomicile"), 1},
                      {QStringLiteral("Visiteur"), QString::fromUtf8(v)},
                      {QStringLiteral("ScoreVisiteur"), 0}};
    };
    // Two identical rows: only the identity tells them apart.
    ASSERT_TRUE(db->addRow(QStringLiteral("Résultats"), match(1, "LENS", "ARRAS"), &a).ok());
    ASSERT_TRUE(db->addRow(QStringLiteral("Résultats"), match(1, "LENS", "ARRAS"), &b).ok());
    ASSERT_NE(a, b);
    ASSERT_TRUE(
        db->updateRow(QStringLiteral("Résultats"), b, {{QStringLiteral("ScoreVisiteur"), 4}}).ok());
    Snapshot s;
    ASSERT_TRUE(
        db->query(QStringLiteral("SELECT rowid, ScoreVisiteur FROM \"Résultats\" ORDER BY rowid"),
                  {}, s)
            .ok());
    EXPECT_EQ(s.value(0, 1).toInt(), 0);
    EXPECT_EQ(s.value(1, 1).toInt(), 4);
    ASSERT_TRUE(db->deleteRow(QStringLiteral("Résultats"), a).ok());
    EXPECT_EQ(db->deleteRow(QStringLiteral("Résultats"), a).code, SQLITE_NOTFOUND);
    EXPECT_EQ(
        db->updateRow(QStringLiteral("Résultats"), a, {{QStringLiteral("ScoreVisiteur"), 1}}).code,
        SQLITE_NOTFOUND);
}

TEST_F(DatabaseTest, LongBinaryFieldsKeepEveryByte)
{
    QByteArray bytes;
    for (int i = 0; i < 70000; ++i)
        bytes.append(char(i % 256)); // NULs included
    qint64 id = 0;
    ASSERT_TRUE(
        db->addRow(QStringLiteral("Equipes"), {{QStringLiteral("Nom"), QStringLiteral("X")}}, &id)
            .ok());
    qint64 size = -1;
    ASSERT_TRUE(db->blobSize(QStringLiteral("Equipes"), QStringLiteral("Blason"), id, size).ok());
    EXPECT_EQ(size, 0);
    ASSERT_TRUE(
        db->appendBlob(QStringLiteral("Equipes"), QStringLiteral("Blason"), id, bytes.left(1000))
            .ok());
    ASSERT_TRUE(
        db->appendBlob(QStringLiteral("Equipes"), QStringLiteral("Blason"), id, bytes.mid(1000))
            .ok());
    ASSERT_TRUE(db->blobSize(QStringLiteral("Equipes"), QStringLiteral("Blason"), id, size).ok());
    EXPECT_EQ(size, bytes.size());
    QByteArray back;
    ASSERT_TRUE(
        db->readBlob(QStringLiteral("Equipes"), QStringLiteral("Blason"), id, 0, size, back).ok());
    EXPECT_EQ(back, bytes);
    ASSERT_TRUE(
        db->readBlob(QStringLiteral("Equipes"), QStringLiteral("Blason"), id, 255, 3, back).ok());
    EXPECT_EQ(back, bytes.mid(255, 3));
}

TEST_F(DatabaseTest, TransactionIsAllOrNothing)
{
    {
        Transaction tx(*db);
        ASSERT_TRUE(tx.beginError().ok());
        ASSERT_TRUE(
            db->addRow(QStringLiteral("Equipes"), {{QStringLiteral("Nom"), QStringLiteral("A")}})
                .ok());
        // The second row breaks the unique name; the first must go too.
        EXPECT_FALSE(
            db->addRow(QStringLiteral("Equipes"), {{QStringLiteral("Nom"), QStringLiteral("lens")}})
                .ok());
    }
    Snapshot s;
    ASSERT_TRUE(db->query(QStringLiteral("SELECT Nom FROM Equipes ORDER BY Nom"), {}, s).ok());
    ASSERT_EQ(s.rowCount(), 2);
    EXPECT_FALSE(db->inTransaction());
}

TEST_F(DatabaseTest, EngineErrorsComeBackWithCodeAndMessage)
{
    Snapshot s;
    DbError e = db->query(QStringLiteral("SELECT nothing FROM nowhere"), {}, s);
    EXPECT_EQ(e.code, SQLITE_ERROR);
    EXPECT_TRUE(e.message.contains(QStringLiteral("nowhere")));
    e = db->addRow(QStringLiteral("Equipes"), {{QStringLiteral("Nom"), QStringLiteral("LENS")}});
    EXPECT_EQ(e.code & 0xff, SQLITE_CONSTRAINT);
    ASSERT_TRUE(db->close().ok());
    EXPECT_EQ(db->exec(QStringLiteral("SELECT 1")).code, SQLITE_MISUSE);
}

// What reaches the user names the trouble in French, never in the engine's own words.
TEST(DescribeError, TellsMemorySizeLocksAndMissingDataInFrench)
{
    const std::pair<DbError, const char*> cases[] = {
        {{SQLITE_NOMEM, QStringLiteral("out of memory")}, "Mémoire insuffisante."},
        {{SQLITE_TOOBIG, QStringLiteral("string or blob too big")}, "trop grande"},
        {{SQLITE_NOTFOUND, QStringLiteral("Property not found: Saison")}, "donnée attendue manque"},
        {{SQLITE_BUSY, QStringLiteral("database is locked")}, "verrouillé par un autre programme"},
        {{SQLITE_IOERR_WRITE, QStringLiteral("disk I/O error"), EFBIG},
         "dépasse la taille permise"},
    };
    for (const auto& [error, french] : cases) {
        const QString text = describeError(error);
        EXPECT_TRUE(text.contains(QString::fromUtf8(french))) << text.toStdString();
        EXPECT_FALSE(text.contains(error.message)) << text.toStdString();
    }
}

} // namespace
