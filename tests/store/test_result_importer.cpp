#include "store/Competition.h"
#include "store/Fixtures.h"
#include "store/ResultImporter.h"
#include "store/TextChecks.h"
#include "support/FaultyDisk.h"
#include "support/TestSupport.h"

#include <QBuffer>
#include <gtest/gtest.h>

using namespace store;
using testsupport::TempDir;

namespace {

const QByteArray kHead = "Journée,Domicile,ScoreDomicile,Visiteur,ScoreVisiteur\n";

class ImporterTest : public testing::Test
{
protected:
    void SetUp() override
    {
        file = dir.file(QStringLiteral("c.dat"));
        testsupport::makeCompetition(file, QStringList{"ARRAS", "LENS", "LILLE", "METZ"});
        testsupport::addMatches(file,
                                {{0, 1, QStringLiteral("LENS"), 2, QStringLiteral("LILLE"), 1}});
        before = testsupport::dumpContent(file);
    }
    ResultImporter::Outcome import(const QByteArray& text, std::function<bool(int)> progress = {})
    {
        OpenError error;
        auto c = Competition::open(file, error);
        EXPECT_TRUE(c);
        if (!c)
            return {};
        ResultImporter importer(*c);
        importer.setProgress(std::move(progress));
        QBuffer buffer;
        buffer.setData(text);
        buffer.open(QIODevice::ReadOnly);
        return importer.importFrom(buffer);
    }
    // Refused at this physical line with a message holding reason; nothing written.
    void expectRefused(const QByteArray& text, int line, const QString& reason)
    {
        const ResultImporter::Outcome o = import(text);
        EXPECT_EQ(int(o.status), int(ResultImporter::Status::Refused)) << text.left(200).data();
        EXPECT_EQ(o.line, line) << o.message.toStdString();
        EXPECT_TRUE(o.message.contains(reason)) << o.message.toStdString();
        if (line > 0) {
            EXPECT_TRUE(o.message.startsWith(QStringLiteral("ligne %1 : ").arg(line)));
        }
        EXPECT_EQ(testsupport::dumpContent(file), before);
    }
    TempDir dir;
    QString file;
    QString before;
};

TEST_F(ImporterTest, LineNumbersArePhysicalLinesWhateverTheLineEndings)
{
    const QByteArray rows[] = {"2,ARRAS,1,METZ,0", "", "  ", "3,LENS,0,LILLE,0"};
    for (const char* eol : {"\n", "\r\n", "\r"}) {
        QByteArray text = QByteArray("Journée,Domicile,ScoreDomicile,Visiteur,ScoreVisiteur") + eol;
        for (const QByteArray& r : rows)
            text += r + eol;
        // Header 1, the match 2, blank lines 3 and 4, the repeated pairing on 5.
        expectRefused(text, 5, QStringLiteral("La rencontre LENS - LILLE est déjà enregistrée."));
    }
    // A byte order mark and a missing final line ending change nothing.
    expectRefused("\xEF\xBB\xBF" + kHead + "\n2,ARRAS,1,METZ,0\r\n2,METZ,1,LENS,0", 4,
                  QStringLiteral("La rencontre de METZ de la Journée 2"));
}

TEST_F(ImporterTest, MalformedCsvIsRefusedInFrenchAtItsLine)
{
    expectRefused(kHead + "2,\"ARRAS,1,METZ,0\n", 2, QStringLiteral("guillemet non fermé"));
    // The record that never closes starts on line 2, even when it runs on.
    expectRefused(kHead + "2,\"ARRAS,1\nMETZ,0\n\n", 2, QStringLiteral("guillemet non fermé"));
    expectRefused(kHead + "\n2,AR\"RAS,1,METZ,0\n", 3, QStringLiteral("guillemet mal placé"));
    expectRefused(kHead + "2,\"ARRAS\"x,1,METZ,0\n", 2, QStringLiteral("guillemet mal placé"));
    expectRefused("Journée;Domicile;ScoreDomicile\n", 1, QStringLiteral("« Visiteur » manque"));
    expectRefused("", 0, QStringLiteral("vide"));
    expectRefused("\n\n", 0, QStringLiteral("vide"));
}

TEST_F(ImporterTest, BadBytesAndHugeValuesAreRefusedWithoutEchoingThem)
{
    expectRefused(kHead + "2,AR\xFFRAS,1,METZ,0\n", 2, QStringLiteral("UTF-8"));
    expectRefused(kHead + "2,\"AR\x01RAS\",1,METZ,0\n", 2, QStringLiteral("contrôle"));
    expectRefused(kHead + QByteArray("2,AR\0RAS,1,METZ,0\n", 18), 2, QStringLiteral("contrôle"));
    // A long unknown name is cut in the message.
    const QByteArray longName(400, 'X');
    ResultImporter::Outcome o = import(kHead + "2," + longName + ",1,METZ,0\n");
    EXPECT_EQ(o.line, 2);
    EXPECT_TRUE(o.message.contains(QString(59, QLatin1Char('X')) + QChar(0x2026)));
    EXPECT_FALSE(o.message.contains(QString(61, QLatin1Char('X'))));
    // A line past the limit stops the read there, quoted or not.
    expectRefused(kHead + "2,ARRAS,1,METZ,0\n" + QByteArray(2000, ' ') + "\n", 3,
                  QStringLiteral("dépasse 1000 caractères"));
    expectRefused(kHead + "2,\"" + QByteArray(600, 'a') + "\n" + QByteArray(600, 'a') + "\n", 2,
                  QStringLiteral("guillemet n'est sans doute pas fermé"));
    expectRefused(QByteArray(5000, '\0'), 1, QStringLiteral("dépasse 1000 caractères"));
}

TEST_F(ImporterTest, ACompetitionHoldsAtMostNTimesNMinusOneMatches)
{
    // Four teams: twelve ordered pairings, LENS - LILLE stored already.
    const QByteArray text = kHead + "1,ARRAS,1,METZ,0\n"
                                    "2,ARRAS,1,LENS,0\n2,LILLE,1,METZ,0\n"
                                    "3,ARRAS,1,LILLE,0\n3,METZ,1,LENS,0\n"
                                    "4,LILLE,1,LENS,0\n4,METZ,1,ARRAS,0\n"
                                    "5,LENS,1,ARRAS,0\n5,METZ,1,LILLE,0\n"
                                    "6,LILLE,1,ARRAS,0\n6,LENS,1,METZ,0\n"
                                    "6,ARRAS,1,LENS,0\n";
    expectRefused(text, 13, QStringLiteral("plus de 12 rencontres"));
}

TEST_F(ImporterTest, AcceptedRowsAreStoredAsTheCompetitionSpellsThem)
{
    int calls = 0;
    const ResultImporter::Outcome o = import(
        "\xEF\xBB\xBFVisiteur;ScoreVisiteur;Journée;Domicile;ScoreDomicile\r\nmetz;0;2;arras;3\r\n",
        [&](int permille) {
            EXPECT_GE(permille, 0);
            EXPECT_LE(permille, 1000);
            ++calls;
            return true;
        });
    ASSERT_TRUE(o.ok()) << o.message.toStdString();
    EXPECT_EQ(o.imported, 1);
    EXPECT_GT(calls, 0);
    OpenError error;
    auto c = Competition::open(file, error);
    std::vector<MatchRow> rows;
    ASSERT_TRUE(loadResults(c->db(), std::nullopt, rows).ok());
    std::erase_if(rows, [](const MatchRow& r) { return r.journee != 2; });
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].domicile, QStringLiteral("ARRAS"));
    EXPECT_EQ(rows[0].visiteur, QStringLiteral("METZ"));
    EXPECT_EQ(rows[0].scoreDomicile, 3);
}

// A published calendar (no score column) gives fixtures; in a file of results, a row with both
// scores empty is one; a result plays the fixture of its pairing, even one of the same file.
// Fixtures are refused by the same rules, all or nothing.
TEST_F(ImporterTest, CalendarsAndEmptyScoresRecordFixtures)
{
    expectRefused("Journée;Domicile;Visiteur\n2;ARRAS;METZ\n2;METZ;LENS\n", 3,
                  QStringLiteral("METZ a déjà une rencontre à jouer à la Journée 2."));
    expectRefused("Journée;Domicile;Visiteur\n2;LENS;LILLE\n", 2,
                  QStringLiteral("La rencontre LENS - LILLE est déjà jouée."));
    expectRefused("Journée;Domicile;Visiteur;ScoreVisiteur\n2;ARRAS;METZ;1\n", 1,
                  QStringLiteral("« ScoreDomicile » manque"));
    expectRefused(kHead + "2,ARRAS,,METZ,1\n", 2, QStringLiteral("Entrez le score"));

    ResultImporter::Outcome o =
        import("Journée;Domicile;Visiteur\n2;arras;metz\n3;METZ;ARRAS\n3;LILLE;LENS\n");
    ASSERT_TRUE(o.ok()) << o.message.toStdString();
    EXPECT_EQ(o.imported, 0);
    EXPECT_EQ(o.scheduled, 3);
    o = import(kHead + "4,METZ,2,ARRAS,2\n5,LENS,,ARRAS,\n6,LENS,1,ARRAS,0\n");
    ASSERT_TRUE(o.ok()) << o.message.toStdString();
    EXPECT_EQ(o.imported, 2);
    EXPECT_EQ(o.scheduled, 0); // LENS - ARRAS planned then played in the same file

    OpenError error;
    auto c = Competition::open(file, error);
    ASSERT_TRUE(c) << describeOpenError(error, file).toStdString();
    std::vector<Fixture> calendar;
    ASSERT_TRUE(loadFixtures(c->db(), calendar).ok());
    ASSERT_EQ(calendar.size(), 2u); // METZ - ARRAS was played at matchday 4
    EXPECT_EQ(calendar[0].journee, 2);
    EXPECT_EQ(calendar[0].domicile, QStringLiteral("ARRAS"));
    EXPECT_EQ(calendar[1].domicile, QStringLiteral("LILLE"));
}

TEST_F(ImporterTest, CancellingLeavesTheFileAsItWas)
{
    const ResultImporter::Outcome o =
        import(kHead + "2,ARRAS,1,METZ,0\n3,METZ,1,ARRAS,0\n", [](int permille) {
            return permille < 500; // reading done, cancelled while writing
        });
    EXPECT_EQ(int(o.status), int(ResultImporter::Status::Cancelled));
    EXPECT_TRUE(o.message.contains(QStringLiteral("annulée")));
    EXPECT_EQ(testsupport::dumpContent(file), before);
}

TEST(TextChecks, CountCharactersAsTheFileDoes)
{
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80"); // two UTF-16 units
    EXPECT_EQ(characterCount(emoji.repeated(26)), 26);
    EXPECT_TRUE(teamNameProblem(emoji.repeated(50)).isEmpty());
    EXPECT_EQ(teamNameProblem(emoji.repeated(51)),
              QStringLiteral("Le nom d'une équipe compte au plus 50 caractères."));
    EXPECT_EQ(teamNameProblem(QString(51, QLatin1Char('x'))), teamNameProblem(emoji.repeated(51)));
    for (const char* bad : {"A\tB", "A\nB", "A\x7F"})
        EXPECT_TRUE(teamNameProblem(QString::fromUtf8(bad)).contains(QStringLiteral("contrôle")));
    EXPECT_TRUE(
        teamNameProblem(QStringLiteral("A") + QChar(u'\0')).contains(QStringLiteral("contrôle")));
    // Cutting never splits a character in two.
    const QString cut = shortened(emoji.repeated(80), 60);
    EXPECT_EQ(characterCount(cut), 60);
    EXPECT_TRUE(cut.endsWith(QChar(0x2026)));
    EXPECT_FALSE(cut[cut.size() - 2].isHighSurrogate());
    EXPECT_EQ(shortened(QStringLiteral("court"), 60), QStringLiteral("court"));
}

} // namespace
