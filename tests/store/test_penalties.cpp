// Deductions of points and the settings of a competition: every refusal leaves the file as it
// was, and each change is written whole or not at all.
#include "store/Competition.h"
#include "store/CompetitionFile.h"
#include "store/CompetitionSettings.h"
#include "store/Penalties.h"
#include "store/Teams.h"
#include "support/FaultyDisk.h"
#include "support/TestSupport.h"

#include <QFile>
#include <functional>
#include <gtest/gtest.h>

using namespace store;
using testsupport::FaultyDisk;
using testsupport::TempDir;

namespace {

constexpr int kFull = 13;

// Four teams, matchdays 1 to 6, with a few results.
class PenaltiesTest : public testing::Test
{
protected:
    static void SetUpTestSuite() { FaultyDisk::install(); }
    void SetUp() override
    {
        FaultyDisk::failWritesAfter(-1);
        file = dir.file(QStringLiteral("c.dat"));
        testsupport::makeCompetition(file,
                                     QStringList{QStringLiteral("ALPHA"), QStringLiteral("BETA"),
                                                 QStringLiteral("GAMMA"), QStringLiteral("DELTA")});
        testsupport::addMatches(file,
                                {{0, 1, QStringLiteral("ALPHA"), 2, QStringLiteral("BETA"), 0},
                                 {0, 2, QStringLiteral("GAMMA"), 1, QStringLiteral("ALPHA"), 1}});
        db = testsupport::openFile(file);
        ASSERT_TRUE(db);
    }
    void TearDown() override { FaultyDisk::failWritesAfter(-1); }

    QString add(const Penalty& p, qint64* rowid = nullptr)
    {
        QString refusal;
        const DbError e = addPenalty(*db, p, refusal, rowid);
        EXPECT_TRUE(e.ok()) << e.message.toStdString();
        return refusal;
    }
    std::vector<Penalty> all()
    {
        std::vector<Penalty> rows;
        EXPECT_TRUE(loadPenalties(*db, rows).ok());
        return rows;
    }
    // write fails as on a full disk at several points of its way and leaves the file as it
    // was; then, with room, it goes through.
    void expectAllOrNothingOnAFullDisk(const std::function<DbError(Database&)>& write)
    {
        db.reset();
        const QString before = testsupport::dumpContent(file);
        const QString copy = dir.file(QStringLiteral("copy.dat"));
        QFile::remove(copy);
        ASSERT_TRUE(QFile::copy(file, copy));
        qint64 whole = 0;
        {
            auto other = testsupport::openFile(copy);
            const qint64 start = FaultyDisk::bytesWritten();
            ASSERT_TRUE(write(*other).ok());
            whole = FaultyDisk::bytesWritten() - start;
        }
        ASSERT_GT(whole, 1000);
        for (const qint64 budget : {whole / 3, 2 * whole / 3, whole - 100}) {
            {
                auto other = testsupport::openFile(file);
                FaultyDisk::failWritesAfter(budget);
                const DbError e = write(*other);
                EXPECT_EQ(e.code & 0xFF, kFull) << budget << " " << e.message.toStdString();
                FaultyDisk::failWritesAfter(-1);
            }
            EXPECT_EQ(testsupport::dumpContent(file), before) << "budget " << budget;
        }
        db = testsupport::openFile(file);
        ASSERT_TRUE(write(*db).ok());
    }

    TempDir dir;
    QString file;
    std::unique_ptr<Database> db;
};

TEST_F(PenaltiesTest, RefusalsWriteNothingAndTheFirstDeductionCreatesTheTable)
{
    const QString before = testsupport::dumpContent(file);
    const QString far(250, QChar(u'é'));
    const std::pair<Penalty, const char*> refused[] = {
        {{0, QStringLiteral("ZULU"), 3, 1, QStringLiteral("Budget")}, "« ZULU » n'existe pas"},
        {{0, QStringLiteral("ALPHA"), 0, 1, QStringLiteral("Budget")}, "entre 1 et 255"},
        {{0, QStringLiteral("ALPHA"), 256, 1, QStringLiteral("Budget")}, "entre 1 et 255"},
        {{0, QStringLiteral("ALPHA"), 3, 0, QStringLiteral("Budget")}, "entre 1 et 6"},
        {{0, QStringLiteral("ALPHA"), 3, 7, QStringLiteral("Budget")}, "entre 1 et 6"},
        {{0, QStringLiteral("ALPHA"), 3, 1, QStringLiteral("   ")}, "Indiquez le motif"},
        {{0, QStringLiteral("ALPHA"), 3, 1, far + QLatin1Char('x')}, "au plus 250 caractères"},
        {{0, QStringLiteral("ALPHA"), 3, 1, QStringLiteral("Bud\nget")}, "caractère de contrôle"},
    };
    for (const auto& [penalty, message] : refused) {
        SCOPED_TRACE(message);
        const QString refusal = add(penalty);
        EXPECT_TRUE(refusal.contains(QString::fromUtf8(message))) << refusal.toStdString();
    }
    bool exists = true;
    ASSERT_TRUE(hasPenaltyTable(*db, exists).ok());
    EXPECT_FALSE(exists);
    EXPECT_EQ(testsupport::dumpContent(file), before);

    // 250 characters outside the BMP are 500 UTF-16 units and still fit.
    QString emoji;
    for (int i = 0; i < 250; ++i)
        emoji += QString::fromUcs4(U"\U0001F3C6");
    qint64 first = 0;
    EXPECT_EQ(add({0, QStringLiteral("alpha"), 3, 6, QStringLiteral("  Budget  ")}, &first),
              QString());
    EXPECT_EQ(add({0, QStringLiteral("BETA"), 255, 1, emoji}), QString());
    const std::vector<Penalty> rows = all();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].rowid, first);
    EXPECT_EQ(rows[0].equipe, QStringLiteral("ALPHA")); // as the team list spells it
    EXPECT_EQ(rows[0].motif, QStringLiteral("Budget"));
    EXPECT_EQ(rows[0].journee, 6);
    EXPECT_EQ(rows[1].motif, emoji);

    // The file made this way opens and passes every check.
    OpenError error;
    EXPECT_TRUE(Competition::open(file, error)) << describeOpenError(error, file).toStdString();
}

TEST_F(PenaltiesTest, ModifyAndDeleteOneDeductionOnly)
{
    qint64 a = 0, b = 0;
    ASSERT_EQ(add({0, QStringLiteral("ALPHA"), 3, 2, QStringLiteral("Budget")}, &a), QString());
    ASSERT_EQ(add({0, QStringLiteral("ALPHA"), 1, 4, QStringLiteral("Forfait")}, &b), QString());
    const QString before = testsupport::dumpContent(file);

    QString refusal;
    ASSERT_TRUE(
        updatePenalty(*db, {a, QStringLiteral("ALPHA"), 300, 2, QStringLiteral("x")}, refusal)
            .ok());
    EXPECT_FALSE(refusal.isEmpty());
    EXPECT_EQ(testsupport::dumpContent(file), before);

    ASSERT_TRUE(
        updatePenalty(*db, {a, QStringLiteral("ALPHA"), 5, 3, QStringLiteral("DNCG")}, refusal)
            .ok());
    EXPECT_EQ(refusal, QString());
    std::vector<Penalty> alpha;
    ASSERT_TRUE(loadTeamPenalties(*db, QStringLiteral("alpha"), alpha).ok());
    ASSERT_EQ(alpha.size(), 2u);
    EXPECT_EQ(alpha[0].points, 5);
    EXPECT_EQ(alpha[0].motif, QStringLiteral("DNCG"));
    EXPECT_EQ(alpha[1].rowid, b);

    ASSERT_TRUE(deletePenalty(*db, a).ok());
    ASSERT_TRUE(deletePenalty(*db, a).ok()); // already gone
    ASSERT_EQ(all().size(), 1u);
    EXPECT_EQ(all()[0].rowid, b);
    // A deduction deleted meanwhile is not written again.
    ASSERT_TRUE(
        updatePenalty(*db, {a, QStringLiteral("ALPHA"), 5, 3, QStringLiteral("DNCG")}, refusal)
            .ok());
    EXPECT_TRUE(refusal.contains(QStringLiteral("n'existe plus")));
    EXPECT_EQ(all().size(), 1u);
}

TEST_F(PenaltiesTest, TheFirstDeductionIsWrittenWholeOrNotAtAll)
{
    expectAllOrNothingOnAFullDisk([](Database& d) {
        QString refusal;
        return addPenalty(d, {0, QStringLiteral("GAMMA"), 2, 1, QStringLiteral("Budget")}, refusal);
    });
    ASSERT_EQ(all().size(), 1u);
    bool exists = false;
    ASSERT_TRUE(hasPenaltyTable(*db, exists).ok());
    EXPECT_TRUE(exists);
}

TEST_F(PenaltiesTest, ARenamedTeamKeepsItsDeductionsAndADeletedOneLosesThem)
{
    ASSERT_EQ(add({0, QStringLiteral("ALPHA"), 3, 2, QStringLiteral("Budget")}), QString());
    ASSERT_EQ(add({0, QStringLiteral("DELTA"), 1, 4, QStringLiteral("Forfait")}), QString());
    qint64 alpha = 0, delta = 0;
    ASSERT_TRUE(findTeam(*db, QStringLiteral("ALPHA"), alpha).ok());
    ASSERT_TRUE(findTeam(*db, QStringLiteral("DELTA"), delta).ok());

    expectAllOrNothingOnAFullDisk([alpha](Database& d) {
        return updateTeam(d, alpha, QStringLiteral("ALPHA"),
                          {{QStringLiteral("Nom"), QStringLiteral("OMEGA")},
                           {QStringLiteral("Blason"), QByteArray(3000, 'b')}});
    });
    std::vector<Penalty> rows;
    ASSERT_TRUE(loadTeamPenalties(*db, QStringLiteral("OMEGA"), rows).ok());
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].motif, QStringLiteral("Budget"));
    ASSERT_TRUE(loadTeamPenalties(*db, QStringLiteral("ALPHA"), rows).ok());
    EXPECT_TRUE(rows.empty());

    expectAllOrNothingOnAFullDisk([delta](Database& d) { return deleteTeam(d, delta); });
    ASSERT_EQ(all().size(), 1u);
    EXPECT_EQ(all()[0].equipe, QStringLiteral("OMEGA"));
    OpenError error;
    EXPECT_TRUE(Competition::open(file, error)) << describeOpenError(error, file).toStdString();
}

TEST_F(PenaltiesTest, SettingsAreCheckedAsTypedAndWrittenTogether)
{
    struct Case
    {
        const char *name, *season, *win, *loss, *draw;
        SettingsRefusal::Field field;
        const char* message;
    };
    const Case cases[] = {
        {"  ", "2024", "3", "0", "1", SettingsRefusal::Name, "Donnez un nom"},
        {"Ligue", "", "3", "0", "1", SettingsRefusal::Season, "Précisez la saison"},
        {"Ligue", "2024", "3", "", "1", SettingsRefusal::AnyPoints, "Renseignez les points"},
        {"Ligue", "2024", "256", "0", "1", SettingsRefusal::Win, "en cas de victoire"},
        {"Ligue", "2024", "3", "-1", "1", SettingsRefusal::Loss, "en cas de défaite"},
        {"Ligue", "2024", "3", "0", "un", SettingsRefusal::Draw, "en cas de match nul"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        CompetitionSettings s;
        const SettingsRefusal r = checkSettings(
            QString::fromUtf8(c.name), QString::fromUtf8(c.season),
            {QString::fromUtf8(c.win), QString::fromUtf8(c.loss), QString::fromUtf8(c.draw)}, s);
        EXPECT_EQ(int(r.field), int(c.field));
        EXPECT_TRUE(r.message.contains(QString::fromUtf8(c.message))) << r.message.toStdString();
    }

    // A file made before the tie-break has no property: it reads as Buts and gets one.
    CompetitionSettings s;
    ASSERT_TRUE(readCompetitionSettings(*db, s).ok());
    EXPECT_EQ(int(s.tieBreak), int(TieBreak::Goals));
    EXPECT_EQ(s.win, 3);
    const CompetitionSettings before = s;
    ASSERT_TRUE(checkSettings(QStringLiteral(" Ligue des amis "), QStringLiteral("2025"),
                              {QStringLiteral("2"), QStringLiteral("0"), QStringLiteral("1")}, s)
                    .ok());
    s.tieBreak = TieBreak::HeadToHead;
    expectAllOrNothingOnAFullDisk(
        [before, s](Database& d) { return updateCompetitionSettings(d, before, s); });
    CompetitionSettings read;
    ASSERT_TRUE(readCompetitionSettings(*db, read).ok());
    EXPECT_EQ(read.name, QStringLiteral("Ligue des amis"));
    EXPECT_EQ(read.season, QStringLiteral("2025"));
    EXPECT_EQ(read.win, 2);
    EXPECT_EQ(int(read.tieBreak), int(TieBreak::HeadToHead));
    // Written again, the property is rewritten, not added twice.
    CompetitionSettings changed = read;
    changed.tieBreak = TieBreak::Goals;
    ASSERT_TRUE(updateCompetitionSettings(*db, read, changed).ok());
    db.reset();
    OpenError error;
    auto c = Competition::open(file, error);
    ASSERT_TRUE(c) << describeOpenError(error, file).toStdString();
    EXPECT_EQ(int(c->tieBreak()), int(TieBreak::Goals));
    EXPECT_EQ(c->ptsWinner(), 2);
    // A new competition's tie-break is vemo-cli's test ("new --tiebreak", then "properties").
}

} // namespace
