// Two programs writing one competition at the same moment: whatever decides a write is read
// inside the write itself, so the second writer sees what the first one wrote.
#include "store/Competition.h"
#include "store/CompetitionSettings.h"
#include "store/Matches.h"
#include "store/ResultSet.h"
#include "store/Teams.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

using testsupport::TempDir;

namespace {

constexpr int kRaces = 50;

struct Outcome
{
    int code = -1;
    QString err;
};

// Starts both commands before waiting for either.
std::pair<Outcome, Outcome> race(const QStringList& first, const QStringList& second)
{
    const QString cli =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../../bin/vemo-cli"));
    QProcess a, b;
    a.start(cli, first);
    b.start(cli, second);
    const auto done = [](QProcess& p) {
        p.waitForFinished(60000);
        return Outcome{p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                       QString::fromUtf8(p.readAllStandardError())};
    };
    const Outcome ra = done(a);
    return {ra, done(b)};
}

QStringList teams(int n)
{
    QStringList names;
    for (int i = 0; i < n; ++i)
        names << QStringLiteral("EQUIPE %1").arg(i + 1, 2, 10, QLatin1Char('0'));
    return names;
}

std::unique_ptr<store::Competition> open(const QString& path)
{
    store::OpenError error;
    auto c = store::Competition::open(path, error);
    EXPECT_TRUE(c) << store::describeOpenError(error, path).toStdString();
    return c;
}

TEST(TwoWriters, TwoImportsOfOneSeasonStoreItOnce)
{
    TempDir dir;
    const QStringList names = teams(20);
    const QString empty = dir.file(QStringLiteral("empty.dat"));
    testsupport::makeCompetition(empty, names);
    const QString csv = dir.file(QStringLiteral("season.csv"));
    testsupport::writeBytes(csv, testsupport::resultsCsv(testsupport::doubleRoundRobin(names)));
    for (int round = 0; round < kRaces; ++round) {
        SCOPED_TRACE(round);
        const QString path = dir.file(QStringLiteral("c%1.dat").arg(round));
        ASSERT_TRUE(QFile::copy(empty, path));
        const auto [a, b] = race({"import", path, csv}, {"import", path, csv});
        ASSERT_EQ((a.code == 0) + (b.code == 0), 1) << a.err.toStdString() << b.err.toStdString();
        const Outcome& refused = a.code == 0 ? b : a;
        EXPECT_EQ(refused.code, 1);
        EXPECT_TRUE(refused.err.contains(QStringLiteral("déjà enregistrée")) ||
                    refused.err.contains(QStringLiteral("plus de 380 rencontres")) ||
                    refused.err.contains(QStringLiteral("verrouillé")))
            << refused.err.toStdString();
        auto c = open(path);
        ASSERT_TRUE(c);
        EXPECT_EQ(c->resultsOrNone()->teamResults().size(), 380u);
    }
}

TEST(TwoWriters, TwoPropertyChangesAreBothKept)
{
    TempDir dir;
    const QString original = dir.file(QStringLiteral("p.dat"));
    testsupport::makeCompetition(original, teams(4));
    for (int round = 0; round < kRaces; ++round) {
        SCOPED_TRACE(round);
        const QString path = dir.file(QStringLiteral("p%1.dat").arg(round));
        ASSERT_TRUE(QFile::copy(original, path));
        const QString name = QStringLiteral("Coupe %1").arg(round);
        const auto [a, b] = race({"properties", path, "--name", name},
                                 {"properties", path, "--points", "2,0,1"});
        ASSERT_EQ(a.code, 0) << a.err.toStdString();
        ASSERT_EQ(b.code, 0) << b.err.toStdString();
        auto c = open(path);
        ASSERT_TRUE(c);
        store::CompetitionSettings settings;
        ASSERT_TRUE(store::readCompetitionSettings(c->db(), settings).ok());
        EXPECT_EQ(settings.name, name);
        EXPECT_EQ(settings.win, 2);
        EXPECT_EQ(settings.draw, 1);
    }
}

// A window's competition keeps the team list it read; a result entered there is checked
// against the teams the file holds when it is written.
TEST(TwoWriters, AResultIsCheckedAgainstTheTeamsOfTheFileWhenWritten)
{
    TempDir dir;
    const QString path = dir.file(QStringLiteral("m.dat"));
    testsupport::makeCompetition(path, teams(4));
    auto window = open(path);
    auto other = open(path);
    ASSERT_TRUE(window && other);
    qint64 rowid = 0;
    ASSERT_TRUE(store::findTeam(other->db(), QStringLiteral("EQUIPE 02"), rowid).ok());
    ASSERT_TRUE(store::deleteTeam(other->db(), rowid).ok());

    const store::MatchSaveResult saved =
        store::saveMatch(*window, {"1", "EQUIPE 01", "2", "EQUIPE 02", "1"}, std::nullopt);
    EXPECT_FALSE(saved.ok());
    EXPECT_EQ(int(saved.verdict.refusal), int(MatchRules::UnknownTeam));
    EXPECT_TRUE(window->resultsOrNone()->teamResults().empty());
}

} // namespace
