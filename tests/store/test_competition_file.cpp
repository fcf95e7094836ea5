#include "store/CompetitionFile.h"
#include "support/TestSupport.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

using namespace store;
using testsupport::TempDir;

namespace {

class CompetitionFileTest : public testing::Test
{
protected:
    void SetUp() override
    {
        path = dir.file(QStringLiteral("new.dat"));
        ASSERT_TRUE(createCompetitionFile(path).ok());
        db = testsupport::openFile(path);
        ASSERT_TRUE(db);
    }
    QStringList column(const QString& sql, int c = 0)
    {
        Snapshot s;
        EXPECT_TRUE(db->query(sql, {}, s).ok()) << sql.toStdString();
        QStringList out;
        for (int r = 0; r < s.rowCount(); ++r)
            out << s.value(r, c).toString();
        return out;
    }
    DbError insertMatch(const QVariant& journee, const QVariant& score)
    {
        return db->addRow(QStringLiteral("Résultats"),
                          {{QStringLiteral("Journée"), journee},
                           {QStringLiteral("Domicile"), QStringLiteral("A")},
                           {QStringLiteral("ScoreDomicile"), score},
                           {QStringLiteral("Visiteur"), QStringLiteral("B")},
                           {QStringLiteral("ScoreVisiteur"), 0}});
    }
    TempDir dir;
    QString path;
    std::unique_ptr<Database> db;
};

TEST_F(CompetitionFileTest, TablesFieldsAndIndexesAreThoseOfACompetition)
{
    EXPECT_EQ(column(QStringLiteral("PRAGMA table_info(Equipes)"), 1),
              (QStringList{"Nom", "Blason", "Icone"}));
    EXPECT_EQ(column(QStringLiteral("PRAGMA table_info(\"Résultats\")"), 1),
              (QStringList{"Journée", "Domicile", "ScoreDomicile", "Visiteur", "ScoreVisiteur"}));
    EXPECT_EQ(column(QStringLiteral("PRAGMA table_info(Paris)"), 1),
              (QStringList{"Date", "Description", "Pari", "Gain", "Statut"}));
    EXPECT_EQ(column(QStringLiteral(
                  "SELECT name FROM sqlite_master WHERE type = 'index' AND sql IS NOT NULL "
                  "ORDER BY name")),
              (QStringList{"Date", "Domicile", "Journée", "Nom", "Statut", "Visiteur"}));
    // Required fields.
    EXPECT_EQ(column(QStringLiteral("PRAGMA table_info(Paris)"), 3),
              (QStringList{"1", "1", "1", "1", "1"}));
    EXPECT_EQ(column(QStringLiteral("PRAGMA table_info(Equipes)"), 3),
              (QStringList{"1", "0", "0"}));
}

TEST_F(CompetitionFileTest, SevenPropertiesInOrderWithTheirFirstValues)
{
    Snapshot s;
    ASSERT_TRUE(
        db->query(
              QStringLiteral(
                  "SELECT Nom, Type, Valeur, typeof(Valeur) FROM \"Propriétés\" ORDER BY rowid"),
              {}, s)
            .ok());
    const QStringList names{"App",       "VersionID", "Championnat", "Saison",
                            "PtsWinner", "PtsLooser", "PtsEquality"};
    const QStringList values{"Zelto Vemo", "1.1.0", "Undefined", "Undefined", "3", "0", "1"};
    ASSERT_EQ(s.rowCount(), 7);
    for (int r = 0; r < 7; ++r) {
        EXPECT_EQ(s.value(r, 0).toString(), names[r]);
        EXPECT_EQ(s.value(r, 2).toString(), values[r]);
        EXPECT_EQ(s.value(r, 3).toString(),
                  r < 4 ? QStringLiteral("text") : QStringLiteral("integer"));
    }
    QVariant v;
    EXPECT_EQ(readProperty(*db, QStringLiteral("Absent"), v).code, 12);
}

TEST_F(CompetitionFileTest, ByteFieldsHoldZeroTo255Only)
{
    EXPECT_TRUE(insertMatch(0, 255).ok());
    EXPECT_FALSE(insertMatch(256, 0).ok());
    EXPECT_FALSE(insertMatch(1, 256).ok());
    EXPECT_FALSE(insertMatch(1, -1).ok());
    EXPECT_FALSE(insertMatch(1, 2.5).ok());
    EXPECT_FALSE(insertMatch(1, QStringLiteral("deux")).ok());
    EXPECT_FALSE(writeProperty(*db, QStringLiteral("PtsWinner"), 256).ok());
    EXPECT_FALSE(writeProperty(*db, QStringLiteral("PtsWinner"), QStringLiteral("3")).ok());
    EXPECT_TRUE(writeProperty(*db, QStringLiteral("PtsWinner"), 255).ok());
    EXPECT_FALSE(writeProperty(*db, QStringLiteral("Championnat"), 5).ok());
}

TEST_F(CompetitionFileTest, TextSizesAndUniqueNamesIgnoringCase)
{
    const auto team = [&](const QString& n) {
        return db->addRow(QStringLiteral("Equipes"), {{QStringLiteral("Nom"), n}});
    };
    EXPECT_TRUE(team(QString(50, QLatin1Char('N'))).ok());
    EXPECT_FALSE(team(QString(51, QLatin1Char('M'))).ok());
    EXPECT_FALSE(team(QString()).ok());
    EXPECT_TRUE(team(QStringLiteral("LENS")).ok());
    EXPECT_FALSE(team(QStringLiteral("lens")).ok());
    EXPECT_FALSE(
        db->addRow(QStringLiteral("Equipes"), {{QStringLiteral("Blason"), QByteArray("x")}}).ok());

    const auto bet = [&](const QString& description, const QVariant& date, const QVariant& stake) {
        return db->addRow(QStringLiteral("Paris"), {{QStringLiteral("Date"), date},
                                                    {QStringLiteral("Description"), description},
                                                    {QStringLiteral("Pari"), stake},
                                                    {QStringLiteral("Gain"), 0},
                                                    {QStringLiteral("Statut"), 0}});
    };
    EXPECT_TRUE(
        bet(QString(250, QLatin1Char('d')), QStringLiteral("2024-01-05"), qint64(125000)).ok());
    EXPECT_FALSE(bet(QString(251, QLatin1Char('d')), QStringLiteral("2024-01-05"), 1).ok());
    EXPECT_FALSE(bet(QStringLiteral("x"), QStringLiteral("05/01/2024"), 1).ok());
    EXPECT_FALSE(bet(QStringLiteral("x"), QStringLiteral("2024-01-05"), 12.5).ok());
}

TEST_F(CompetitionFileTest, MarkerMustMatchExactly)
{
    std::unique_ptr<Database> slot;
    DbError e;
    db->close();
    EXPECT_EQ(checkCompetitionFile(path, slot, e), CompetitionCheck::Ok);
    ASSERT_TRUE(slot);
    ASSERT_TRUE(writeProperty(*slot, QStringLiteral("App"), QStringLiteral("zelto vemo")).ok());
    slot.reset();
    EXPECT_EQ(checkCompetitionFile(path, slot, e), CompetitionCheck::WrongMarker);
    EXPECT_TRUE(slot); // left open for the caller
    slot.reset();
    EXPECT_EQ(checkCompetitionFile(dir.file(QStringLiteral("none.dat")), slot, e),
              CompetitionCheck::OpenFailed);
    EXPECT_FALSE(slot);
}

TEST_F(CompetitionFileTest, FileIsEncryptedAndReadableByTheCommandLineShell)
{
    db->close();
    EXPECT_FALSE(testsupport::readBytes(path).contains("Equipes"));
    const QString shell = QStandardPaths::findExecutable(QStringLiteral("sqlcipher"));
    if (shell.isEmpty())
        GTEST_SKIP() << "sqlcipher shell not installed";
    QProcess p;
    p.start(shell, {path});
    p.write("PRAGMA key='508317 Kavru';\nSELECT Valeur FROM \"Propriétés\" ORDER BY rowid;\n");
    p.closeWriteChannel();
    ASSERT_TRUE(p.waitForFinished(10000));
    EXPECT_EQ(
        QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts),
        (QStringList{"Zelto Vemo", "1.1.0", "Undefined", "Undefined", "3", "0", "1"}));
}

} // namespace
