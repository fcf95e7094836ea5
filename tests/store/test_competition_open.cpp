#include "store/Bets.h"
#include "store/Competition.h"
#include "store/CompetitionFile.h"
#include "store/Fixtures.h"
#include "store/Penalties.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <csignal>
#include <gtest/gtest.h>
#include <sqlite3.h>
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
    OpenError expectRefused(const QString& path, OpenFailure failure,
                            OpenMode mode = OpenMode::ReadWrite)
    {
        const QByteArray before = testsupport::readBytes(path);
        const bool existed = QFileInfo::exists(path);
        const QString journal = path + QStringLiteral("-journal");
        const bool journalExisted = QFileInfo::exists(journal);
        OpenError error;
        EXPECT_FALSE(Competition::open(path, error, nullptr, mode)) << path.toStdString();
        EXPECT_EQ(int(error.failure), int(failure))
            << error.engine.message.toStdString() << " " << error.problem.toStdString();
        const QString text = describeOpenError(error, path);
        EXPECT_TRUE(text.contains(path)) << text.toStdString();
        EXPECT_EQ(QFileInfo::exists(path), existed);
        EXPECT_EQ(testsupport::readBytes(path), before);
        EXPECT_EQ(QFileInfo::exists(journal), journalExisted);
        return error;
    }
    // Refused untouched, with a message that names table and tells the problem.
    void expectBadValue(const QString& path, const QString& table, const QString& problem,
                        OpenFailure failure = OpenFailure::BadValue)
    {
        const OpenError error = expectRefused(path, failure);
        EXPECT_EQ(error.detail, table);
        const QString text = describeOpenError(error, path);
        EXPECT_TRUE(text.contains(QStringLiteral("« %1 »").arg(table))) << text.toStdString();
        EXPECT_TRUE(text.contains(problem)) << text.toStdString();
        EXPECT_FALSE(text.contains(QStringLiteral("922337"))) << text.toStdString(); // no value
    }
    // Runs statements on the file with the program's key, as another program could.
    static void alter(const QString& path, const QStringList& statements)
    {
        auto db = testsupport::openFile(path);
        ASSERT_TRUE(db);
        for (const QString& sql : statements) {
            const DbError e = db->exec(sql);
            ASSERT_TRUE(e.ok()) << sql.toStdString() << ": " << e.message.toStdString();
        }
    }
    // Statements that remake table with the same columns and rows but without types,
    // checks, collations or indexes.
    static QStringList loosen(const QString& table, const QString& columns)
    {
        const QString t = quoteIdentifier(table);
        return {QStringLiteral("ALTER TABLE %1 RENAME TO loose").arg(t),
                QStringLiteral("CREATE TABLE %1 (%2)").arg(t, columns),
                QStringLiteral("INSERT INTO %1 SELECT * FROM loose").arg(t),
                QStringLiteral("DROP TABLE loose")};
    }
    static QStringList loosenAll()
    {
        return loosen(QStringLiteral("Equipes"), QStringLiteral("Nom, Blason, Icone")) +
               loosen(QStringLiteral("Résultats"),
                      QStringLiteral("\"Journée\", Domicile, ScoreDomicile, Visiteur, "
                                     "ScoreVisiteur")) +
               loosen(QStringLiteral("Paris"),
                      QStringLiteral("\"Date\", Description, Pari, Gain, Statut")) +
               loosen(QStringLiteral("Propriétés"), QStringLiteral("Nom, Type, Valeur"));
    }
    // Four teams (matchdays 1 to 6), results and bets, every value as the program writes it.
    QString makeLeague(const QString& name)
    {
        const QString path = dir.file(name);
        testsupport::makeCompetition(
            path, {{QStringLiteral("ALPHA"), QByteArray("GIF89a"), QByteArray("ico")},
                   {QStringLiteral("Été Sportif Club"), {}, {}},
                   {QStringLiteral("1860"), {}, {}},
                   {QString(50, QChar(0x00C9)), {}, {}}});
        testsupport::addMatches(
            path, {{0, 1, QStringLiteral("ALPHA"), 0, QStringLiteral("1860"), 255},
                   {0, 6, QStringLiteral("alpha"), 3, QString(50, QChar(0x00C9)), 1},
                   {0, 2, QStringLiteral("Été Sportif Club"), 1, QStringLiteral("1860"), 1}});
        alter(path, {QStringLiteral("INSERT INTO Paris VALUES ('2024-05-01', 'Combiné du samedi', "
                                    "125000, 0, 0), ('2024-05-02', '%1', -50000, "
                                    "9223372036854775807, 255)")
                         .arg(QString(250, QLatin1Char('x'))),
                     QStringLiteral("UPDATE \"Propriétés\" SET Valeur = 'Ligue des amis' "
                                    "WHERE Nom = 'Championnat'")});
        return path;
    }
    // A copy of base with these statements run on it.
    QString variant(const QString& base, const QStringList& statements)
    {
        const QString path = dir.file(QStringLiteral("variant%1.dat").arg(++m_variants));
        EXPECT_TRUE(QFile::copy(base, path));
        alter(path, statements);
        return path;
    }
    struct BadRow
    {
        const char* values;  // "%1" stands for fill
        const char* problem; // part of the message
    };
    // Each row added to a copy of base is refused untouched, table and problem named; a row that
    // would count a match twice breaks a rule of the league.
    void expectRowsRefused(const QString& base, const QString& table,
                           std::initializer_list<BadRow> rows, const QString& fill = {})
    {
        for (const BadRow& bad : rows) {
            SCOPED_TRACE(bad.values);
            const QString problem = QString::fromUtf8(bad.problem);
            const QString path = variant(
                base,
                {QStringLiteral("INSERT INTO %1 VALUES (%2)")
                     .arg(quoteIdentifier(table),
                          QString::fromUtf8(bad.values).replace(QStringLiteral("%1"), fill))});
            expectBadValue(path, table, problem,
                           problem.contains(QStringLiteral("deux fois")) ? OpenFailure::BrokenRule
                                                                         : OpenFailure::BadValue);
        }
    }
    TempDir dir;
    QString good;

private:
    int m_variants = 0;
};

struct BadCase
{
    const char* sql;
    const char* problem; // part of the message
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

    // Every property, even one that only the tool's "properties" and "report" read.
    for (const QString property : {"PtsEquality", "Championnat", "App"}) {
        const QString missing = dir.file(property + QStringLiteral(".dat"));
        testsupport::makeCompetition(missing, QStringList{QStringLiteral("A")});
        {
            auto db = testsupport::openFile(missing);
            ASSERT_TRUE(
                db->run(QStringLiteral("DELETE FROM \"Propriétés\" WHERE Nom = ?"), {property})
                    .ok());
        }
        EXPECT_FALSE(Competition::open(missing, error));
        EXPECT_EQ(int(error.failure), int(OpenFailure::MissingProperty));
        EXPECT_TRUE(
            describeOpenError(error, missing).contains(QStringLiteral("« %1 »").arg(property)));
    }
}

TEST_F(OpenTest, MoreTeamsThanALeagueCanHaveAreRefusedUntouched)
{
    QStringList teams;
    for (int i = 0; i < 129; ++i)
        teams << QStringLiteral("T%1").arg(i);
    const QString path = dir.file(QStringLiteral("big.dat"));
    testsupport::makeCompetition(path, teams);
    expectBadValue(path, QStringLiteral("Equipes"), QStringLiteral("compte 129 équipes"),
                   OpenFailure::BrokenRule);
    teams.removeLast();
    const QString largest = dir.file(QStringLiteral("largest.dat"));
    testsupport::makeCompetition(largest, teams);
    OpenError error;
    EXPECT_TRUE(Competition::open(largest, error))
        << describeOpenError(error, largest).toStdString();
}

TEST_F(OpenTest, AFileLockedByAnotherConnectionIsReportedNotWaitedFor)
{
    auto holder = testsupport::openFile(good);
    ASSERT_TRUE(holder->exec(QStringLiteral("BEGIN EXCLUSIVE")).ok());
    ASSERT_TRUE(holder->run(QStringLiteral("UPDATE Equipes SET Nom = Nom")).ok());
    OpenError error;
    EXPECT_FALSE(Competition::open(good, error));
    EXPECT_EQ(int(error.failure), int(OpenFailure::Locked));
    EXPECT_TRUE(describeOpenError(error, good).contains(QStringLiteral("verrouillé")));
    holder->rollback();
}

TEST_F(OpenTest, FilesWrittenByTheProgramPassEveryCheck)
{
    const QString league = makeLeague(QStringLiteral("league.dat"));
    const QByteArray before = testsupport::readBytes(league);
    {
        OpenError error;
        auto c = Competition::open(league, error);
        ASSERT_TRUE(c) << describeOpenError(error, league).toStdString();
        EXPECT_EQ(c->teamCount(), 4);
        OpenError again;
        EXPECT_TRUE(checkCompetitionValues(c->db(), again)) << again.problem.toStdString();
    }
    EXPECT_EQ(testsupport::readBytes(league), before);

    // The same values in tables without our types, checks, collations and indexes.
    const QString loose = variant(league, loosenAll());
    OpenError error;
    EXPECT_TRUE(Competition::open(loose, error)) << describeOpenError(error, loose).toStdString();
}

TEST_F(OpenTest, ResultsOutsideTheRulesAreRefusedUntouched)
{
    const QString base = variant(
        makeLeague(QStringLiteral("league.dat")),
        loosen(QStringLiteral("Résultats"),
               QStringLiteral("\"Journée\", Domicile, ScoreDomicile, Visiteur, ScoreVisiteur")));
    expectRowsRefused(
        base, QStringLiteral("Résultats"),
        {
            {"1, 'ALPHA', 0, '1860', 256", "un score qui n'est pas un nombre de 0 à 255"},
            {"1, 'ALPHA', 0, '1860', 9223372036854775807", "un score"},
            {"1, 'ALPHA', -1, '1860', 0", "un score"},
            {"1, 'ALPHA', '3', '1860', 0", "un score"},
            {"1, 'ALPHA', 2.5, '1860', 0", "nombre entier"},
            {"1, 'ALPHA', NULL, '1860', 0", "nombre entier"},
            {"0, 'ALPHA', 1, '1860', 0", "une journée qui n'est pas un nombre de 1 à 6"},
            {"7, 'ALPHA', 1, '1860', 0", "de 1 à 6"},
            {"3.0, 'ALPHA', 1, '1860', 0", "nombre entier"},
            {"'2', 'ALPHA', 1, '1860', 0", "une journée"},
            {"1, 'ZULU', 1, '1860', 0", "une équipe qui n'existe pas"},
            {"1, 'ALPHA', 1, 'ALPHA ', 0", "une équipe qui n'existe pas"},
            {"1, 'ALPHA', 1, NULL, 0", "pas un texte"},
            {"1, 1860, 1, 'ALPHA', 0", "pas un texte"},
            {"1, 'alpha', 1, 'ALPHA', 0", "une équipe qui se rencontre elle-même"},
            // Rows that break the rules of a league would be counted twice by the standings.
            {"1, 'ALPHA', 0, '1860', 255",
             "enregistre deux fois la rencontre « ALPHA » - « 1860 » de la journée 1"},
            {"4, 'alpha', 2, '1860', 2",
             "enregistre deux fois la rencontre « ALPHA » - « 1860 » (journées 1 et 4)"},
            {"1, '1860', 2, 'Été Sportif Club', 2", "fait jouer « 1860 » deux fois à la journée 1"},
        });

    // A column declared TEXT turns every score into a text such as '1', which sorts between
    // '0' and '255' as a text.
    const QString texts =
        variant(makeLeague(QStringLiteral("texts.dat")),
                loosen(QStringLiteral("Résultats"), QStringLiteral("\"Journée\", Domicile, "
                                                                   "ScoreDomicile TEXT, Visiteur, "
                                                                   "ScoreVisiteur")) +
                    QStringList{QStringLiteral("UPDATE \"Résultats\" SET ScoreDomicile = 1")});
    expectBadValue(texts, QStringLiteral("Résultats"), QStringLiteral("un score"));
}

// The calendar is optional; when present its fixtures keep the rules, results and fixtures
// together.
TEST_F(OpenTest, ACalendarIsOptionalButCheckedWhenPresent)
{
    const QString league = makeLeague(QStringLiteral("league.dat"));
    {
        OpenError error;
        auto c = Competition::open(league, error);
        ASSERT_TRUE(c);
        ASSERT_TRUE(
            addFixture(*c, {0, 3, QStringLiteral("ALPHA"), QStringLiteral("Été Sportif Club")})
                .ok());
    }
    OpenError error;
    EXPECT_TRUE(Competition::open(league, error)) << describeOpenError(error, league).toStdString();
    const QString base = variant(league, {QStringLiteral("DROP TABLE Calendrier"),
                                          QStringLiteral("CREATE TABLE Calendrier (\"Journée\", "
                                                         "Domicile, Visiteur)")});
    expectRowsRefused(
        base, QStringLiteral("Calendrier"),
        {
            {"0, 'ALPHA', '1860'", "une journée qui n'est pas un nombre de 1 à 6"},
            {"'2', 'ALPHA', '1860'", "nombre entier"},
            {"2, 'ALPHA', 'ZULU'", "une équipe qui n'existe pas"},
            {"2, 'ALPHA', 1860", "pas un texte"},
            {"2, 'ALPHA', 'alpha'", "elle-même"},
            {"3, 'ALPHA', '1860'",
             "compte deux fois la rencontre « ALPHA » - « 1860 » (journées 1 et 3)"},
            {"1, '1860', 'Été Sportif Club'", "fait jouer « 1860 » deux fois à la journée 1"},
            {"2, 'ALPHA', 'x\x01'", "contient un caractère de contrôle"},
        });
    const QString view = variant(league, {QStringLiteral("DROP TABLE Calendrier"),
                                          QStringLiteral("CREATE VIEW Calendrier AS SELECT 1")});
    EXPECT_TRUE(describeOpenError(expectRefused(view, OpenFailure::BadTable), view)
                    .contains(QStringLiteral("n'est pas une table ordinaire")));
}

TEST_F(OpenTest, TeamsOutsideTheRulesAreRefusedUntouched)
{
    const QString base =
        variant(makeLeague(QStringLiteral("league.dat")),
                loosen(QStringLiteral("Equipes"), QStringLiteral("Nom, Blason, Icone")));
    expectRowsRefused(base, QStringLiteral("Equipes"),
                      {
                          {"'%1', NULL, NULL", "de plus de 50 caractères"},
                          {"'', NULL, NULL", "un nom d'équipe vide"},
                          {"42, NULL, NULL", "pas un texte"},
                          {"NULL, NULL, NULL", "pas un texte"},
                          {"'ZULU', 'GIF89a', NULL", "un blason"},
                          {"'ZULU', NULL, 7", "une icône"},
                          {"'Alpha', NULL, NULL", "deux équipes nommées « "},
                          // Names that differ only after a NUL, or in bytes that are not UTF-8,
                          // would be read as one team.
                          {"'ALPHA' || char(0) || 'B', NULL, NULL",
                           "un nom d'équipe qui contient un caractère de contrôle"},
                          {"'ZU' || char(10) || 'LU', NULL, NULL", "caractère de contrôle"},
                          {"CAST(X'5A55FF' AS TEXT), NULL, NULL",
                           "un nom d'équipe qui n'est pas en UTF-8 valide"},
                      },
                      QString(51, QChar(0x00E9)));
}

TEST_F(OpenTest, BetsOutsideTheRulesAreRefusedUntouched)
{
    const QString base =
        variant(makeLeague(QStringLiteral("league.dat")),
                loosen(QStringLiteral("Paris"),
                       QStringLiteral("\"Date\", Description, Pari, Gain, Statut")));
    expectRowsRefused(base, QStringLiteral("Paris"),
                      {
                          {"'hier', 'Pari', 1, 1, 0", "une date illisible"},
                          {"2460000, 'Pari', 1, 1, 0", "une date illisible"},
                          {"'2024-05-01', '', 1, 1, 0", "une description"},
                          {"'2024-05-01', '%1', 1, 1, 0", "de plus de 250 caractères"},
                          {"'2024-05-01', 'Pari', 1.5, 1, 0", "une mise"},
                          {"'2024-05-01', 'Pari', 1, '10', 0", "un gain"},
                          {"'2024-05-01', 'Pari', 1, 1, 256", "un statut"},
                      },
                      QString(251, QChar('x')));
}

TEST_F(OpenTest, PropertiesOfTheWrongTypeAreRefusedUntouched)
{
    const QString base =
        variant(makeLeague(QStringLiteral("league.dat")),
                loosen(QStringLiteral("Propriétés"), QStringLiteral("Nom, Type, Valeur")));
    const QString longName(100, QLatin1Char('N'));
    const BadCase cases[] = {
        // A real 3.7 would become 4 points, a text "3" would be taken as a number.
        {"UPDATE \"Propriétés\" SET Valeur = 3.7 WHERE Nom = 'PtsWinner'", "ne correspond pas"},
        {"UPDATE \"Propriétés\" SET Valeur = '3' WHERE Nom = 'PtsWinner'", "ne correspond pas"},
        {"UPDATE \"Propriétés\" SET Type = 10, Valeur = '3' WHERE Nom = 'PtsWinner'",
         "la propriété « PtsWinner » n'a pas le bon type"},
        {"UPDATE \"Propriétés\" SET Valeur = 256 WHERE Nom = 'PtsLooser'", "ne correspond pas"},
        {"UPDATE \"Propriétés\" SET Type = 2, Valeur = 1 WHERE Nom = 'Saison'",
         "la propriété « Saison » n'a pas le bon type"},
        {"UPDATE \"Propriétés\" SET Type = '10' WHERE Nom = 'App'", "un type de propriété inconnu"},
        {"INSERT INTO \"Propriétés\" VALUES ('Couleur', 5, 'bleu')",
         "un type de propriété inconnu"},
        {"INSERT INTO \"Propriétés\" VALUES (NULL, 10, 'bleu')", "pas un texte"},
        {"INSERT INTO \"Propriétés\" VALUES ('PtsEquality', 2, 1)",
         "la propriété « PtsEquality » figure plusieurs fois"},
    };
    for (const BadCase& bad : cases) {
        SCOPED_TRACE(bad.sql);
        expectBadValue(variant(base, {QString::fromUtf8(bad.sql)}), QStringLiteral("Propriétés"),
                       QString::fromUtf8(bad.problem));
    }

    // A stored name is quoted only in part.
    const QString twice = variant(base, {QStringLiteral("INSERT INTO \"Propriétés\" VALUES "
                                                        "('%1', 10, 'a'), ('%1', 10, 'b')")
                                             .arg(longName)});
    const OpenError error = expectRefused(twice, OpenFailure::BadValue);
    const QString text = describeOpenError(error, twice);
    EXPECT_TRUE(text.contains(longName.left(50) + QString(9, QLatin1Char('N')) + QChar(0x2026)))
        << text.toStdString();
    EXPECT_FALSE(text.contains(longName.left(60)));
}

// Files made before deductions and the tie-break have neither; with them, the same checks.
TEST_F(OpenTest, DeductionsAndTheTieBreakAreOptionalButCheckedWhenPresent)
{
    const QString league = makeLeague(QStringLiteral("league.dat"));
    {
        OpenError error;
        auto c = Competition::open(league, error);
        ASSERT_TRUE(c) << describeOpenError(error, league).toStdString();
        EXPECT_EQ(int(c->tieBreak()), int(TieBreak::Goals));
        QString refusal;
        ASSERT_TRUE(addPenalty(c->db(),
                               {0, QStringLiteral("alpha"), 3, 6, QStringLiteral("Budget")},
                               refusal)
                        .ok());
        ASSERT_TRUE(refusal.isEmpty()) << refusal.toStdString();
        ASSERT_TRUE(writeTieBreak(c->db(), TieBreak::HeadToHead).ok());
    }
    {
        OpenError error;
        auto c = Competition::open(league, error);
        ASSERT_TRUE(c) << describeOpenError(error, league).toStdString();
        EXPECT_EQ(int(c->tieBreak()), int(TieBreak::HeadToHead));
    }
    const QString loose = variant(
        league, loosen(kPenaltyTable, QStringLiteral("Equipe, Points, \"Journée\", Motif")));
    OpenError error;
    EXPECT_TRUE(Competition::open(loose, error)) << describeOpenError(error, loose).toStdString();

    expectRowsRefused(
        loose, kPenaltyTable,
        {
            {"'ZULU', 3, 1, 'x'", "une pénalité d'une équipe qui n'existe pas"},
            {"'', 3, 1, 'x'", "un nom d'équipe vide"},
            {"'1860', 0, 1, 'x'", "des points retirés"},
            {"'1860', 256, 1, 'x'", "de 1 à 255"},
            {"'1860', '3', 1, 'x'", "des points retirés"},
            {"'1860', 3, 7, 'x'", "une journée qui n'est pas un nombre entier de 1 à 6"},
            {"'1860', 3, 2.0, 'x'", "une journée"},
            {"'1860', 3, 1, ''", "un motif vide"},
            {"'1860', 3, 1, '%1'", "de plus de 250 caractères"},
            {"'1860', 3, 1, NULL", "un motif"},
            {"'1860', 3, 1, 'a' || char(27) || '[2J'",
             "un motif qui contient un caractère de contrôle"},
            {"'1860', 3, 1, CAST(X'41FF' AS TEXT)", "un motif qui n'est pas en UTF-8 valide"},
        },
        QString(251, QChar('x')));
    expectBadValue(variant(league, {QStringLiteral("DROP TABLE \"Pénalités\""),
                                    QStringLiteral("CREATE VIEW \"Pénalités\" AS SELECT Nom AS "
                                                   "Equipe, 1 AS Points, 1 AS \"Journée\", "
                                                   "'x' AS Motif FROM Equipes")}),
                   kPenaltyTable, QStringLiteral("n'est pas une table ordinaire"),
                   OpenFailure::BadTable);
    expectRefused(variant(league, {QStringLiteral("DROP TABLE \"Pénalités\""),
                                   QStringLiteral("CREATE TABLE \"Pénalités\" (Equipe, Points, "
                                                  "\"Journée\")")}),
                  OpenFailure::MissingTable);

    const QString properties = QStringLiteral("Propriétés");
    expectBadValue(variant(league, {QStringLiteral("UPDATE \"Propriétés\" SET Valeur = 'buts' "
                                                   "WHERE Nom = 'Départage'")}),
                   properties, QStringLiteral("la propriété « Départage » vaut « buts »"));
    expectBadValue(
        variant(league, {QStringLiteral("DROP TABLE \"Propriétés\""),
                         QStringLiteral("CREATE TABLE \"Propriétés\" (Nom, Type, Valeur)"),
                         QStringLiteral("INSERT INTO \"Propriétés\" VALUES ('App', 10, 'Zelto "
                                        "Vemo'), ('Départage', 2, 1)")}),
        properties, QStringLiteral("la propriété « Départage » n'a pas le bon type"));
}

TEST_F(OpenTest, ViewsTriggersAndUnusualTablesAreRefusedUntouched)
{
    const QString base = makeLeague(QStringLiteral("league.dat"));
    const QString view = variant(
        base, {QStringLiteral("ALTER TABLE \"Résultats\" RENAME TO hidden"),
               QStringLiteral("CREATE VIEW \"Résultats\" AS SELECT \"Journée\", Domicile, "
                              "ScoreDomicile + 1000 AS ScoreDomicile, Visiteur, ScoreVisiteur "
                              "FROM hidden")});
    expectBadValue(view, QStringLiteral("Résultats"),
                   QStringLiteral("n'est pas une table ordinaire"), OpenFailure::BadTable);

    const QString trigger = variant(
        base, {QStringLiteral("CREATE TRIGGER keep AFTER DELETE ON Paris BEGIN "
                              "INSERT INTO Paris SELECT old.\"Date\", old.Description, old.Pari, "
                              "old.Gain, old.Statut; END")});
    expectBadValue(trigger, QStringLiteral("Paris"), QStringLiteral("déclencheur"),
                   OpenFailure::BadTable);

    // A trigger on a table of another program is refused too; its long name is cut.
    const QString longName(200, QLatin1Char('T'));
    const QString other = variant(
        base,
        {QStringLiteral("CREATE TABLE %1 (x)").arg(longName),
         QStringLiteral("CREATE TRIGGER t AFTER INSERT ON %1 BEGIN SELECT 1; END").arg(longName)});
    const OpenError error = expectRefused(other, OpenFailure::BadTable);
    EXPECT_EQ(error.detail, longName.left(59) + QChar(0x2026));

    const QString withoutRowid = variant(
        base, {QStringLiteral("DROP TABLE Paris"),
               QStringLiteral("CREATE TABLE Paris (\"Date\" PRIMARY KEY, Description, Pari, Gain, "
                              "Statut) WITHOUT ROWID")});
    expectBadValue(withoutRowid, QStringLiteral("Paris"),
                   QStringLiteral("n'est pas une table ordinaire"), OpenFailure::BadTable);
}

TEST_F(OpenTest, ReadOnlyModeRunsEveryCheckAndRefusesEveryChange)
{
    const QByteArray before = testsupport::readBytes(good);
    {
        OpenError error;
        auto c = Competition::open(good, error, nullptr, OpenMode::ReadOnly);
        ASSERT_TRUE(c) << describeOpenError(error, good).toStdString();
        EXPECT_EQ(c->teamCount(), 3);
        EXPECT_EQ(c->ptsWinner(), 2);
        EXPECT_TRUE(c->db().isReadOnly());
        const DbError e =
            c->db().run(QStringLiteral("UPDATE Equipes SET Nom = 'LORIENT' WHERE Nom = 'brest'"));
        EXPECT_EQ(e.code & 0xff, SQLITE_READONLY) << e.message.toStdString();
        EXPECT_EQ(
            c->db().addRow(QStringLiteral("Equipes"), {{QStringLiteral("Nom"), "VANNES"}}).code &
                0xff,
            SQLITE_READONLY);
    }
    EXPECT_EQ(testsupport::readBytes(good), before);
    EXPECT_FALSE(QFileInfo::exists(good + QStringLiteral("-journal")));

    const QString bad = variant(
        makeLeague(QStringLiteral("league.dat")),
        loosen(QStringLiteral("Résultats"),
               QStringLiteral("\"Journée\", Domicile, ScoreDomicile, Visiteur, ScoreVisiteur")) +
            QStringList{QStringLiteral("INSERT INTO \"Résultats\" VALUES (1, 'ALPHA', 300, "
                                       "'1860', 0)")});
    expectRefused(bad, OpenFailure::BadValue, OpenMode::ReadOnly);
    expectRefused(dir.file(QStringLiteral("missing.dat")), OpenFailure::NotFound,
                  OpenMode::ReadOnly);
}

// (Root writes whatever the permissions say: vemo-cli's test runs this as another user.)
TEST_F(OpenTest, AFileOrFolderThatCannotBeWrittenOpensOnlyForReading)
{
    const QString folder = QFileInfo(good).absolutePath();
    QFile::setPermissions(good, QFileDevice::ReadOwner);
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const bool writable = access(QFile::encodeName(good).constData(), W_OK) == 0;
    if (!writable) {
        expectRefused(good, OpenFailure::ReadOnly);
        const QByteArray before = testsupport::readBytes(good);
        OpenError error;
        auto c = Competition::open(good, error, nullptr, OpenMode::ReadOnly);
        EXPECT_TRUE(c) << describeOpenError(error, good).toStdString();
        EXPECT_EQ(c ? c->teamCount() : 0, 3);
        c.reset();
        EXPECT_EQ(testsupport::readBytes(good), before);
    }
    QFile::setPermissions(folder,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (writable)
        GTEST_SKIP() << "this user writes to read-only files";
}

TEST_F(OpenTest, AnInterruptedChangeIsUndoneByAnyOpenThatMayWrite)
{
    const QString writer =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("crash_writer"));
    const QString path = dir.file(QStringLiteral("crash.dat"));
    testsupport::makeCompetition(path, QStringList{QStringLiteral("A"), QStringLiteral("B")});
    QProcess p;
    p.start(writer, {path, QStringLiteral("3000")});
    ASSERT_TRUE(p.waitForStarted());
    ASSERT_TRUE(p.waitForReadyRead(20000));
    ::kill(pid_t(p.processId()), SIGKILL);
    p.waitForFinished();
    const QString journal = path + QStringLiteral("-journal");
    ASSERT_TRUE(QFileInfo::exists(journal));
    const QByteArray journalBytes = testsupport::readBytes(journal);

    // A reader that may not write leaves it as it is and says so.
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner));
    if (::access(QFile::encodeName(path).constData(), W_OK) != 0) {
        const OpenError error = expectRefused(path, OpenFailure::Interrupted, OpenMode::ReadOnly);
        EXPECT_EQ(testsupport::readBytes(journal), journalBytes);
        EXPECT_TRUE(describeOpenError(error, path).contains(QStringLiteral("interrompue")));
    }
    // One that may undoes it first, and reads the file as it was before the change.
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
    OpenError e;
    auto c = Competition::open(path, e, nullptr, OpenMode::ReadOnly);
    ASSERT_TRUE(c) << describeOpenError(e, path).toStdString();
    EXPECT_FALSE(QFileInfo::exists(journal));
    std::vector<store::BetRow> bets;
    ASSERT_TRUE(store::loadBets(c->db(), bets).ok());
    EXPECT_TRUE(bets.empty());
    EXPECT_EQ(c->teamCount(), 2);
}

} // namespace
