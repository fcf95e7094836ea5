#include "cli/TableWriter.h"
#include "ranking/mRank.h"
#include "store/Competition.h"
#include "store/CompetitionFile.h"
#include "store/ResultSet.h"
#include "store/TextChecks.h"
#include "support/FaultyDisk.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

using testsupport::TempDir;

namespace {

struct CliRun
{
    int code = -1;
    QString out, err;
};

QString binFile(const QString& name)
{
    return QDir(QCoreApplication::applicationDirPath())
        .filePath(QStringLiteral("../../bin/") + name);
}

QString cliPath()
{
    return binFile(QStringLiteral("vemo-cli"));
}

CliRun finished(QProcess& p)
{
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

CliRun run(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    return finished(p);
}

CliRun cli(const QStringList& args)
{
    return run(cliPath(), args);
}

// The tool under a ulimit: "-f N" lets no file grow past N blocks of 512 bytes (the limit's
// signal is the tool's own business: left as it is, it would kill the tool), "-v N" limits its
// memory to N kilobytes.
CliRun cliLimited(const QString& limit, const QStringList& args)
{
    return run(
        QStringLiteral("bash"),
        QStringList{"-c", QStringLiteral("ulimit %1; exec \"$0\" \"$@\"").arg(limit), cliPath()} +
            args);
}

CliRun cliOnAFullDisk(int blocks, const QStringList& args)
{
    return cliLimited(QStringLiteral("-f %1").arg(blocks), args);
}

// The tool run by an ordinary user (nobody) when the tests run as root.
CliRun cliAsAnotherUser(const QStringList& args)
{
    if (geteuid() != 0)
        return cli(args);
    return run(QStringLiteral("setpriv"),
               QStringList{"--reuid=65534", "--regid=65534", "--clear-groups", cliPath()} + args);
}

// No engine or library text in English reaches the user.
void expectFrench(const CliRun& r)
{
    for (const char* english : {"database", "unable", "error", "cannot", "locked", "disk is"})
        EXPECT_FALSE(r.err.contains(QString::fromLatin1(english), Qt::CaseInsensitive))
            << r.err.toStdString();
}

class CliTest : public testing::Test
{
protected:
    // A competition made by the tool itself from a list of team names.
    QString create(const QString& name, const QStringList& teams, const QStringList& extra = {})
    {
        const QString list = dir.file(name + QStringLiteral(".txt"));
        testsupport::writeBytes(list, teams.join(QLatin1Char('\n')).toUtf8());
        const QString file = dir.file(name + QStringLiteral(".dat"));
        const CliRun r = cli(
            QStringList{"new", file, "--name", "Ligue", "--season", "2025-2026", "--teams", list} +
            extra);
        EXPECT_EQ(r.code, 0) << r.err.toStdString();
        return file;
    }
    QString csv(const QString& name, const QString& text)
    {
        const QString path = dir.file(name);
        testsupport::writeBytes(path, text.toUtf8());
        return path;
    }
    // Imports these rows of the program's own CSV, under its header.
    CliRun importRows(const QString& file, const QString& rows)
    {
        return cli({"import", file,
                    csv(QStringLiteral("rows.csv"),
                        QStringLiteral("Journée,Domicile,ScoreDomicile,Visiteur,ScoreVisiteur\n") +
                            rows)});
    }
    TempDir dir;
};

TEST_F(CliTest, HelpAndMisuse)
{
    CliRun r = cli({"--help"});
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(r.out.contains(QStringLiteral("standings FICHIER.dat")));
    EXPECT_EQ(cli({}).code, 2);
    EXPECT_EQ(cli({"rank", "x.dat"}).code, 2);
    EXPECT_EQ(cli({"standings"}).code, 2);
    EXPECT_EQ(cli({"standings", "x.dat", "--kind", "best"}).code, 2);
    EXPECT_EQ(cli({"standings", "x.dat", "--format", "xml"}).code, 2);
    EXPECT_EQ(cli({"new", dir.file("a.dat"), "--season", "s", "--teams", "t"}).code, 2);
    r = cli({"standings", dir.file("absent.dat")});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("introuvable")));
}

TEST_F(CliTest, NewMakesWhatTheWizardWould)
{
    const QString file =
        create(QStringLiteral("c"), {"  Racing Club  ", "Lens", "", "Stade \"Bollaert\""},
               {"--points", "2,1,0"});
    store::OpenError e;
    auto c = store::Competition::open(file, e);
    ASSERT_TRUE(c);
    ASSERT_EQ(c->teamCount(), 3);
    EXPECT_EQ(c->teamList()[0].nom, QStringLiteral("Lens")); // letter case kept, trimmed
    EXPECT_EQ(c->teamList()[1].nom, QStringLiteral("Racing Club"));
    EXPECT_EQ(c->teamList()[2].nom, QStringLiteral("Stade \"Bollaert\""));
    EXPECT_EQ(c->ptsWinner(), 2);
    EXPECT_EQ(c->ptsLooser(), 1);
    EXPECT_EQ(c->ptsEquality(), 0);
    QVariant v;
    ASSERT_TRUE(store::readProperty(c->db(), QStringLiteral("Championnat"), v).ok());
    EXPECT_EQ(v.toString(), QStringLiteral("Ligue"));
    ASSERT_TRUE(store::readProperty(c->db(), QStringLiteral("Saison"), v).ok());
    EXPECT_EQ(v.toString(), QStringLiteral("2025-2026"));
    store::Snapshot s;
    ASSERT_TRUE(c->db().query(QStringLiteral("SELECT Blason, Icone FROM Equipes"), {}, s).ok());
    for (int r = 0; r < s.rowCount(); ++r) {
        EXPECT_EQ(s.value(r, 0).toByteArray(),
                  testsupport::readBytes(binFile(QStringLiteral("Blason générique.gif"))));
        EXPECT_EQ(s.value(r, 1).toByteArray(),
                  testsupport::readBytes(binFile(QStringLiteral("Blason générique_24.ico"))));
    }
}

TEST_F(CliTest, NewRefusesBadInputAndLeavesNothing)
{
    const QString existing = create(QStringLiteral("there"), {"A", "B"});
    const QByteArray before = testsupport::readBytes(existing);
    const QString list = dir.file(QStringLiteral("l.txt"));
    const auto attempt = [&](const QString& file, const QString& teams,
                             const QStringList& extra = {}) {
        testsupport::writeBytes(list, teams.toUtf8());
        return cli(QStringList{"new", file, "--name", "N", "--season", "S", "--teams", list} +
                   extra);
    };
    EXPECT_EQ(attempt(existing, QStringLiteral("X\nY")).code, 1);
    EXPECT_EQ(testsupport::readBytes(existing), before);
    const QString fresh = dir.file(QStringLiteral("fresh.dat"));
    CliRun r = attempt(fresh, QStringLiteral("Seule\n\n"));
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("au moins 2 équipes")));
    // Letter case is ignored, accented capitals too.
    r = attempt(fresh, QStringLiteral("US Beaupré\nARRAS\nUS BEAUPRÉ"));
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(
        r.err.contains(QStringLiteral("ligne 3 : l'équipe « US BEAUPRÉ » figure deux fois")))
        << r.err.toStdString();
    EXPECT_EQ(attempt(fresh, QStringLiteral("A\nB"), {"--points", "3,0,256"}).code, 1);
    EXPECT_EQ(attempt(fresh, QStringLiteral("A\nB"), {"--points", "3,0"}).code, 1);
    EXPECT_TRUE(QDir(dir.path())
                    .entryList({QStringLiteral("fresh*")}, QDir::AllEntries | QDir::Hidden)
                    .isEmpty());
}

TEST_F(CliTest, NewNeverCreatesAFileThroughALink)
{
    QTemporaryDir elsewhere;
    const QString target = QDir(elsewhere.path()).filePath(QStringLiteral("créé.dat"));
    const QString list = csv(QStringLiteral("l.txt"), QStringLiteral("A\nB"));
    const QString file = dir.file(QStringLiteral("x.dat"));
    ASSERT_TRUE(QFile::link(target, file));
    const CliRun r = cli({"new", file, "--name", "N", "--season", "S", "--teams", list});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(
        QStringLiteral("« %1 » est un lien symbolique : Vemo ne l'écrase pas.").arg(file)))
        << r.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(target));
    EXPECT_TRUE(QFileInfo(file).isSymLink());

    // A link planted by another user in a shared folder, at a name the tool might build under.
    QTemporaryDir shared(QStringLiteral("/tmp/vemo-partage-XXXXXX"));
    ASSERT_TRUE(shared.isValid());
    ASSERT_EQ(::chmod(QFile::encodeName(shared.path()).constData(), 01777), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(elsewhere.path()).constData(), 0777), 0);
    const QString sharedList = QDir(shared.path()).filePath(QStringLiteral("l.txt"));
    ASSERT_TRUE(QFile::copy(list, sharedList));
    const QString victims = QDir(shared.path()).filePath(QStringLiteral("y.dat"));
    ASSERT_TRUE(QFile::link(target, victims + QStringLiteral(".partial")));
    if (geteuid() != 0 || cliAsAnotherUser({"--help"}).code != 0)
        GTEST_SKIP() << "the tool cannot be run as another user here";
    const CliRun other =
        cliAsAnotherUser({"new", victims, "--name", "N", "--season", "S", "--teams", sharedList});
    EXPECT_EQ(other.code, 0) << other.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(target));
    EXPECT_FALSE(QFileInfo(victims).isSymLink());
    store::OpenError e;
    EXPECT_TRUE(store::Competition::open(victims, e));
}

TEST_F(CliTest, PropertiesAreShownAndChangedWithTheWizardsChecks)
{
    EXPECT_EQ(cli({"new", dir.file("x.dat"), "--name", "L", "--season", "S", "--tiebreak", "points",
                   "--teams", dir.file("none.txt")})
                  .code,
              2);
    const QString file = create(QStringLiteral("c"), {"ARRAS", "LENS"},
                                {"--tiebreak", "Confrontations", "--points", "2,1,0"});
    CliRun r = cli({"properties", file});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("Nom : Ligue\nSaison : 2025-2026\nPoints : 2,1,0 (victoire, "
                                    "défaite, match nul)\nDépartage : Confrontations\n"));

    const QByteArray before = testsupport::readBytes(file);
    const std::pair<QStringList, const char*> refused[] = {
        {{"--points", "3,0"}, "--points attend trois nombres"},
        {{"--points", "3,256,1"}, "Indiquez pour les points en cas de défaite un nombre"},
        {{"--name", " ", "--points", "3,0,1"}, "Donnez un nom à la compétition."},
    };
    for (const auto& [options, message] : refused) {
        r = cli(QStringList{"properties", file} + options);
        EXPECT_EQ(r.code, 1) << options.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(message))) << r.err.toStdString();
    }
    EXPECT_EQ(cli({"properties", file, "--tiebreak", "hasard"}).code, 2);
    EXPECT_EQ(testsupport::readBytes(file), before);

    r = cli({"properties", file, "--points", "3,0,1", "--tiebreak", "buts", "--season", "2026"});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    store::OpenError e;
    auto c = store::Competition::open(file, e);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->ptsWinner(), 3);
    EXPECT_EQ(int(c->tieBreak()), int(store::TieBreak::Goals));
    QVariant v;
    ASSERT_TRUE(store::readProperty(c->db(), QStringLiteral("Saison"), v).ok());
    EXPECT_EQ(v.toString(), QStringLiteral("2026"));
    ASSERT_TRUE(store::readProperty(c->db(), QStringLiteral("Championnat"), v).ok());
    EXPECT_EQ(v.toString(), QStringLiteral("Ligue")); // not given, kept
}

// The calendar from the tool: generated (the same seed, the same calendar), listed by matchday
// or team, played by an import, and never listed with the results.
TEST_F(CliTest, ScheduleAndFixturesFromTheTool)
{
    const QStringList teams{"A", "B", "C", "D", "E"};
    const QString file = create(QStringLiteral("odd"), teams);
    const QString twin = dir.file(QStringLiteral("twin.dat"));
    ASSERT_TRUE(QFile::copy(file, twin));
    // Without a calendar, nothing to list and nothing made in the file.
    const QByteArray before = testsupport::readBytes(file);
    EXPECT_EQ(testsupport::cliCsv({"fixtures", file}).size(), 1u);
    EXPECT_EQ(testsupport::readBytes(file), before);
    CliRun r = cli({"schedule", file, "--seed", "42"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("20 rencontre(s) ajoutée(s) au calendrier.\n"));
    ASSERT_EQ(cli({"schedule", twin, "--seed", "42"}).code, 0);
    const std::vector<QStringList> all = testsupport::cliCsv({"fixtures", file});
    EXPECT_EQ(all, testsupport::cliCsv({"fixtures", twin}));
    ASSERT_EQ(all.size(), 21u);
    EXPECT_EQ(all[0], (QStringList{"Journée", "Domicile", "Visiteur"}));
    EXPECT_EQ(all.back()[0], QStringLiteral("10"));
    EXPECT_EQ(testsupport::cliCsv({"fixtures", file, "--matchday", "1"}).size(), 3u);
    EXPECT_EQ(testsupport::cliCsv({"fixtures", file, "--team", "a"}).size(), 9u);
    EXPECT_EQ(cli({"fixtures", file, "--team", "Z"}).code, 1);
    EXPECT_EQ(cli({"schedule", file, "--seed", "x"}).code, 2);

    // Played on its matchday, the first fixture leaves the calendar.
    const QStringList& first = all[1];
    ASSERT_EQ(
        importRows(file, QStringLiteral("%1,%2,1,%3,1\n").arg(first[0], first[1], first[2])).code,
        0);
    EXPECT_EQ(testsupport::cliCsv({"fixtures", file}).size(), 20u);
    EXPECT_EQ(testsupport::cliCsv({"matches", file}).size(), 2u);
    r = cli({"schedule", file});
    EXPECT_EQ(r.out, QStringLiteral("Aucune rencontre à ajouter : chaque rencontre de la saison "
                                    "est jouée ou au calendrier.\n"));
}

// A season created in one step from either public format: the same results give the same
// standings; a match breaking a rule of the league creates no file.
TEST_F(CliTest, ANewCompetitionFromAPublishedSeason)
{
    const QString json =
        csv("liga.json", QStringLiteral(R"({"name": "Ligue Test 2025/26", "matches": [
            {"round": "Journée 1", "date": "2025-08-16", "team1": "Lens", "team2": "Brest",
             "score": {"ft": [2, 1]}},
            {"round": "Journée 1", "date": "2025-08-16", "team1": "Metz", "team2": "Nice",
             "score": {"ft": [0, 0]}},
            {"round": "Journée 2", "date": "2025-08-23", "team1": "Brest", "team2": "Metz"},
            {"round": "Journée 2", "date": "2025-08-23", "team1": "Nice", "team2": "Lens"}]})"));
    const QString fromJson = dir.file(QStringLiteral("json.dat"));
    CliRun r = cli({"new", fromJson, "--from", json});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("2 résultat(s) et 2 rencontre(s) à jouer")));
    EXPECT_EQ(testsupport::cliCsv({"fixtures", fromJson}).size(), 3u);
    EXPECT_TRUE(cli({"properties", fromJson}).out.contains(QStringLiteral("Saison : 2025-2026")));

    const QString data = csv("E0.csv", "Div,Date,HomeTeam,AwayTeam,FTHG,FTAG,FTR\n"
                                       "F1,16/08/2025,Lens,Brest,2,1,H\n"
                                       "F1,16/08/25,Metz,Nice,0,0,D\n"
                                       "F1,23/08/2025,Brest,Metz,,,\n"
                                       "F1,23/08/2025,Nice,Lens,,,\n");
    const QString fromCsv = dir.file(QStringLiteral("csv.dat"));
    r = cli({"new", fromCsv, "--from", data, "--name", "Ligue Test"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(testsupport::cliCsv({"standings", fromCsv}),
              testsupport::cliCsv({"standings", fromJson}));
    EXPECT_EQ(testsupport::cliCsv({"fixtures", fromCsv}),
              testsupport::cliCsv({"fixtures", fromJson}));

    // Lens twice on matchday 1: refused by its number, and no file left.
    const QString bad = csv("bad.json", QStringLiteral(R"({"name": "X 2025", "matches": [
        {"round": "1", "team1": "Lens", "team2": "Brest", "score": {"ft": [1, 0]}},
        {"round": "1", "team1": "Nice", "team2": "Lens", "score": {"ft": [1, 0]}}]})"));
    const QString refused = dir.file(QStringLiteral("bad.dat"));
    r = cli({"new", refused, "--from", bad});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("match 2 : La rencontre de Lens de la Journée 1")))
        << r.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(refused));
    EXPECT_EQ(cli({"new", refused, "--from", data, "--teams", data}).code, 2);
}

// A week later the publisher's file has one more matchday, and spells two teams its own way.
TEST_F(CliTest, ImportingASourceAgainAddsWhatIsNewWithTheNamesItUses)
{
    const QString file = create(QStringLiteral("c"), {"Brest", "Lens", "Metz", "OGC Nice"});
    const QString week = csv("week.csv", "Div,Date,HomeTeam,AwayTeam,FTHG,FTAG,FTR\n"
                                         "F1,16/08/2025,Lens,Brest,2,1,H\n"
                                         "F1,16/08/25,Metz,Nice,0,0,D\n"
                                         "F1,23/08/2025,Brest,FC Metz,1,1,D\n"
                                         "F1,23/08/2025,Nice,Lens,,,\n");
    const QByteArray before = testsupport::readBytes(file);
    CliRun r = cli({"import", file, week});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("2 équipes que la compétition ne connaît pas : "
                                              "« Nice », « FC Metz »")))
        << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(QStringLiteral("Nice (la plus proche : OGC Nice)")));
    EXPECT_EQ(testsupport::readBytes(file), before);
    // An alias names a team after its last '=' that does; one that names none is refused.
    EXPECT_TRUE(cli({"import", file, week, "--alias", "Nice"})
                    .err.contains(QStringLiteral("--alias attend « NOM=EQUIPE », pas « Nice »")));
    EXPECT_TRUE(cli({"import", file, week, "--alias", "Nice=Monaco"})
                    .err.contains(QStringLiteral("aucune équipe de la compétition n'est nommée")));
    EXPECT_EQ(testsupport::readBytes(file), before);

    r = cli({"import", file, week, "--alias", "Nice=ogc nice", "--alias", "FC Metz=Metz"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.startsWith(QStringLiteral("3 résultat(s) ajouté(s) ; 1 rencontre(s) "
                                                "ajoutée(s) au calendrier.")))
        << r.out.toStdString();
    EXPECT_EQ(
        testsupport::cliCsv({"aliases", file}),
        (std::vector<QStringList>{{"Nom", "Equipe"}, {"FC Metz", "Metz"}, {"Nice", "OGC Nice"}}));
    r = cli({"import", file,
             csv("week2.csv", "Date,HomeTeam,AwayTeam,FTHG,FTAG\n"
                              "16/08/2025,Lens,Brest,2,1\n"
                              "23/08/2025,Nice,Lens,0,4\n")});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("1 résultat(s) ajouté(s), dont 1 rencontre(s) du "
                                              "calendrier jouée(s)")))
        << r.out.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("1 rencontre(s) déjà enregistrée(s)")));
    EXPECT_TRUE(r.out.contains(QStringLiteral("0 rencontre(s) restent à jouer")));
    EXPECT_EQ(
        cli({"import", file, csv("own2.csv", "Journée,Domicile,Visiteur\n"), "--alias", "A=Lens"})
            .code,
        2);
}

// Around a season played in another order, pairings whose teams are never free on the same
// matchday are named, and nothing is written.
TEST_F(CliTest, ScheduleNamesThePairingsItCannotPlace)
{
    const QString file = create(QStringLiteral("tight"), {"A", "B", "C", "D"});
    ASSERT_EQ(
        importRows(file, "1,A,1,C,0\n2,C,1,A,0\n3,A,1,D,0\n4,D,1,A,0\n5,B,1,C,0\n6,B,1,D,0\n").code,
        0);
    const QByteArray before = testsupport::readBytes(file);
    const CliRun r = cli({"schedule", file});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("aucune journée ne laisse libres les deux équipes "
                                              "de 4 rencontre(s)")))
        << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(QStringLiteral("A - B"))) << r.err.toStdString();
    EXPECT_EQ(testsupport::readBytes(file), before);
}

TEST_F(CliTest, PenaltiesAreAddedCheckedAndListed)
{
    const QString file = create(QStringLiteral("c"), {"ARRAS", "LENS", "LILLE", "METZ"});
    EXPECT_EQ(testsupport::cliCsv({"penalties", file}),
              (std::vector<QStringList>{{"Equipe", "Points", "Journée", "Motif"}}));

    const QByteArray before = testsupport::readBytes(file);
    const std::pair<QStringList, const char*> refused[] = {
        {{"PARIS", "3", "--matchday", "1", "--reason", "x"}, "« PARIS » n'existe pas"},
        {{"LENS", "trois", "--matchday", "1", "--reason", "x"}, "entre 1 et 255"},
    };
    for (const auto& [args, message] : refused) {
        const CliRun r = cli(QStringList{"penalty", file} + args);
        EXPECT_EQ(r.code, 1) << args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(message))) << r.err.toStdString();
    }
    EXPECT_EQ(cli({"penalty", file, "LENS", "3", "--matchday", "1"}).code, 2);
    EXPECT_EQ(cli({"penalty", file, "LENS", "--matchday", "1", "--reason", "x"}).code, 2);
    EXPECT_EQ(testsupport::readBytes(file), before);

    CliRun r = cli({"penalty", file, "lens", "3", "--matchday", "6", "--reason", "DNCG, budget"});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("à LENS à partir de la journée 6")))
        << r.out.toStdString();
    ASSERT_EQ(cli({"penalty", file, "ARRAS", "1", "--matchday", "2", "--reason", "Forfait"}).code,
              0);
    const std::vector<QStringList> rows = testsupport::cliCsv({"penalties", file});
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1], (QStringList{"ARRAS", "1", "2", "Forfait"}));
    EXPECT_EQ(rows[2], (QStringList{"LENS", "3", "6", "\"DNCG", " budget\""})); // split on ','
    r = cli({"penalties", file, "--format", "json"});
    EXPECT_TRUE(r.out.contains(QStringLiteral("\"Motif\": \"DNCG, budget\"")) ||
                r.out.contains(QStringLiteral("\"Motif\":\"DNCG, budget\"")))
        << r.out.toStdString();
}

// The rules and their messages are the importer's; the tool names the line, writes nothing,
// and stops at once on an endless input.
TEST_F(CliTest, ImportRefusalsNameTheLineAndWriteNothing)
{
    const QString file = create(QStringLiteral("c"), {"ARRAS", "LENS", "LILLE", "METZ"});
    ASSERT_EQ(importRows(file, "1,LENS,2,LILLE,1\n").code, 0);
    const QString before = testsupport::dumpContent(file);
    CliRun r = importRows(file, "2,ARRAS,1,METZ,0\n3,LENS,0,LILLE,0\n");
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("ligne 3 : La rencontre LENS - LILLE est déjà "
                                              "enregistrée.")))
        << r.err.toStdString();
    r = cli({"import", file, "/dev/zero"});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("ligne 1 : la ligne dépasse 1000 caractères")))
        << r.err.toStdString();
    EXPECT_EQ(testsupport::dumpContent(file), before);
}

TEST_F(CliTest, ImportReadsSemicolonsAnyColumnOrderAndQuotes)
{
    const QString file =
        create(QStringLiteral("c"), {"AS \"Quotes\"", "Saint-Étienne; Loire", "B"});
    const CliRun r =
        cli({"import", file,
             csv("semi.csv",
                 QStringLiteral("\uFEFFVisiteur;ScoreVisiteur;Journée;Domicile;ScoreDomicile\r\n"
                                "\"Saint-Étienne; Loire\";3;1;\"AS \"\"Quotes\"\"\";2\r\n"))});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const CliRun m = cli({"matches", file, "--format", "json"});
    const QJsonArray rows = QJsonDocument::fromJson(m.out.toUtf8()).array();
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0].toObject()[QStringLiteral("Domicile")].toString(),
              QStringLiteral("AS \"Quotes\""));
    EXPECT_EQ(rows[0].toObject()[QStringLiteral("Visiteur")].toString(),
              QStringLiteral("Saint-Étienne; Loire"));
    EXPECT_EQ(rows[0].toObject()[QStringLiteral("ScoreVisiteur")].toInt(), 3);
    const CliRun h = cli({"history", file, "as \"quotes\"", "--format", "csv"});
    ASSERT_EQ(h.code, 0) << h.err.toStdString();
    EXPECT_EQ(h.out, QStringLiteral("Jo,Pl,Pts,J,G,N,P,B+,B-,Diff\n1,3,0,1,0,0,1,2,3,-1\n"));
}

TEST_F(CliTest, AnExportedSeasonImportsBackToTheSameStandings)
{
    QStringList teams;
    for (int i = 0; i < 20; ++i)
        teams << QStringLiteral("Club %1").arg(QChar(u'A' + i));
    // Names that a spreadsheet would take for formulas are written as texts, and read back.
    teams[0] = QStringLiteral("=Club A");
    teams[1] = QStringLiteral("-Club B");
    teams[2] = QStringLiteral("'@Club C");
    const QString first = create(QStringLiteral("first"), teams);
    const QString text =
        QString::fromUtf8(testsupport::resultsCsv(testsupport::doubleRoundRobin(teams)));
    CliRun r = cli({"import", first, csv("season.csv", text)});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("380")));

    const CliRun exported = cli({"matches", first, "--format", "csv"});
    ASSERT_EQ(exported.code, 0);
    EXPECT_TRUE(exported.out.contains(QStringLiteral(",'=Club A,")));
    EXPECT_TRUE(exported.out.contains(QStringLiteral(",'-Club B,")));
    EXPECT_TRUE(exported.out.contains(QStringLiteral(",''@Club C,")));
    EXPECT_FALSE(exported.out.contains(QStringLiteral(",=")));
    const QString second = create(QStringLiteral("second"), teams);
    ASSERT_EQ(cli({"import", second, csv("export.csv", exported.out)}).code, 0);
    EXPECT_EQ(cli({"matches", second, "--format", "csv"}).out, exported.out);
    for (const char* kind : {"general", "attaque", "defense", "domicile", "exterieur"})
        for (const char* bound : {"10", "38"}) {
            const QStringList args{"--kind", kind, "--matchday", bound, "--format", "csv"};
            const CliRun a = cli(QStringList{"standings", first} + args),
                         b = cli(QStringList{"standings", second} + args);
            EXPECT_EQ(a.code, 0);
            EXPECT_EQ(a.out, b.out);
            EXPECT_EQ(a.out.count(QLatin1Char('\n')), 21);
        }
    // Every team played 38 matches; the places agree with the ranking computed in process.
    store::OpenError e;
    auto c = store::Competition::open(first, e);
    std::vector<store::MatchRow> rows;
    ASSERT_TRUE(store::loadResults(c->db(), std::nullopt, rows).ok());
    const RankingCollection want =
        ComputeRanking(rows, RankingKind::General, c->teamList(), competitionPoints(*c));
    const QStringList lines = cli({"standings", first, "--format", "csv"})
                                  .out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 21);
    bool negative = false;
    for (int i = 1; i <= 20; ++i) {
        const QStringList cells = lines[i].split(QLatin1Char(','));
        EXPECT_EQ(cells[0].toInt(), want.Item(i).Ranking);
        EXPECT_EQ(store::fromSpreadsheetText(cells[1]), want.Item(i).TeamName);
        EXPECT_EQ(cells[3].toInt(), 38);
        // A goal difference stays a number.
        EXPECT_EQ(cells[9].toInt(), want.Item(i).difference());
        negative = negative || cells[9].startsWith(QLatin1Char('-'));
    }
    EXPECT_TRUE(negative);
    EXPECT_TRUE(cli({"standings", first}).out.startsWith(QStringLiteral("Pl  Equipe  ")));
}

// A full disk (the lock is the importer's own test) and unknown options.
TEST_F(CliTest, EngineAndCsvFailuresAreToldInFrenchAndChangeNothing)
{
    const QString file = create(QStringLiteral("c"), {"ARRAS", "LENS", "LILLE", "METZ"});
    const QString ok = csv("ok.csv", "Journée,Domicile,ScoreDomicile,Visiteur,ScoreVisiteur\n"
                                     "1,LENS,2,LILLE,1\n2,ARRAS,0,METZ,0\n");
    const QString before = testsupport::dumpContent(file);

    // The disk has no room for the journal or the new pages.
    CliRun r = cliOnAFullDisk(2, {"import", file, ok});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("Les résultats n'ont pas été enregistrés. Le fichier "
                                              "dépasse la taille permise.")))
        << r.err.toStdString();
    r = cliOnAFullDisk(2, {"penalty", file, "LENS", "3", "--matchday", "2", "--reason", "Budget"});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("dépasse la taille permise"))) << r.err.toStdString();
    expectFrench(r);
    EXPECT_EQ(testsupport::dumpContent(file), before);

    r = cli({"standings", file, "--week", "3"});
    EXPECT_EQ(r.code, 2);
    EXPECT_TRUE(r.err.contains(QStringLiteral("option inconnue « --week »")))
        << r.err.toStdString();
    r = cli({"standings", file, "--kind"});
    EXPECT_EQ(r.code, 2);
    expectFrench(r);
    EXPECT_EQ(testsupport::dumpContent(file), before);
}

// A memory limit makes the sanitizers' own bookkeeping fail: only a plain build can run this.
#if !defined(__SANITIZE_ADDRESS__)
TEST_F(CliTest, RunningOutOfMemoryIsToldInFrenchAndWritesNothing)
{
    QStringList teams;
    for (int i = 1; i <= 128; ++i)
        teams << QStringLiteral("EQUIPE %1").arg(i);
    const QString empty = create(QStringLiteral("empty"), teams);
    const QString season = dir.file(QStringLiteral("season.csv"));
    testsupport::writeBytes(season, testsupport::resultsCsv(testsupport::doubleRoundRobin(teams)));
    const auto limited = [](int megabytes, const QStringList& args) {
        return cliLimited(QStringLiteral("-v %1").arg(megabytes * 1024), args);
    };
    // Below some limit the program cannot even be loaded; above another, it has room enough.
    const auto started = [](const CliRun& r) {
        return r.code != 127 && !r.err.contains(QStringLiteral("libgomp"));
    };
    int refused = 0;
    bool imported = false, reported = false;
    for (int megabytes = 64; megabytes <= 160 && !(imported && reported); megabytes += 4) {
        SCOPED_TRACE(megabytes);
        const QString work = dir.file(QStringLiteral("work%1.dat").arg(megabytes));
        ASSERT_TRUE(QFile::copy(empty, work));
        const CliRun import = limited(megabytes, {"import", work, season});
        const QString report = dir.file(QStringLiteral("rapport%1.pdf").arg(megabytes));
        const CliRun pdf = limited(megabytes, {"report", empty, "--output", report});
        for (const CliRun* r : {&import, &pdf}) {
            if (!started(*r) || r->code == 0)
                continue;
            EXPECT_EQ(r->code, 1) << r->err.toStdString();
            EXPECT_TRUE(r->err.contains(QStringLiteral("émoire insuffisante")))
                << r->err.toStdString();
            ++refused;
        }
        store::OpenError error;
        auto c = store::Competition::open(work, error);
        ASSERT_TRUE(c) << store::describeOpenError(error, work).toStdString();
        EXPECT_EQ(c->resultsOrNone()->teamResults().size(), import.code == 0 ? 16256u : 0u);
        imported = imported || import.code == 0;
        EXPECT_EQ(QFileInfo::exists(report), pdf.code == 0);
        reported = reported || pdf.code == 0;
    }
    EXPECT_TRUE(imported && reported);
    EXPECT_GT(refused, 0);
    // Nothing half-written is left beside the reports.
    for (const QString& name : QDir(dir.path()).entryList(QDir::Files))
        EXPECT_TRUE(name.endsWith(QLatin1String(".dat")) || name.endsWith(QLatin1String(".pdf")) ||
                    name.endsWith(QLatin1String(".csv")) || name.endsWith(QLatin1String(".txt")))
            << name.toStdString();
}
#endif

TEST_F(CliTest, TeamNamesCountCharactersAndRefuseControlsAndBadBytes)
{
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
    const QString list = dir.file(QStringLiteral("l.txt"));
    const auto attempt = [&](const QByteArray& teams) {
        testsupport::writeBytes(list, teams);
        const QString file = dir.file(QStringLiteral("n.dat"));
        QFile::remove(file);
        return cli(QStringList{"new", file, "--name", "N", "--season", "S", "--teams", list});
    };
    CliRun r = attempt((emoji.repeated(26) + QStringLiteral("\nB")).toUtf8());
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    // Lines end with CR only, CRLF or LF; the line named is the file's own.
    r = attempt("A\rB\r\n\r\n" + QByteArray(51, 'x') + "\n");
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(
        QStringLiteral("ligne 4 : Le nom d'une équipe compte au plus 50 caractères.")))
        << r.err.toStdString();
    r = attempt(QByteArray("A\nB\0C\n", 6));
    EXPECT_TRUE(
        r.err.contains(QStringLiteral("ligne 2 : Le nom d'une équipe ne peut pas contenir")))
        << r.err.toStdString();
    r = attempt("A\n\nB\xC3\x28\n");
    EXPECT_TRUE(r.err.contains(QStringLiteral("ligne 3 : le texte n'est pas en UTF-8 valide.")))
        << r.err.toStdString();
    r = cli(QStringList{"new", dir.file(QStringLiteral("z.dat")), "--name", "N", "--season", "S",
                        "--teams", "/dev/zero"});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("trop longue"))) << r.err.toStdString();
}

TEST_F(CliTest, ReadersAnswerOnAFileThatCannotBeWritten)
{
    // A folder and a file that another user may read but not write.
    QTemporaryDir shared(QStringLiteral("/tmp/vemo-lecture-XXXXXX"));
    ASSERT_TRUE(shared.isValid());
    QFile::setPermissions(shared.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                             QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                             QFileDevice::ExeOther);
    const QString file = QDir(shared.path()).filePath(QStringLiteral("c.dat"));
    ASSERT_TRUE(QFile::copy(create(QStringLiteral("c"), {"ARRAS", "LENS", "LILLE", "METZ"}), file));
    ASSERT_EQ(importRows(file, "1,LENS,2,LILLE,1\n").code, 0);
    QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::ReadOther);
    const QByteArray before = testsupport::readBytes(file);

    // Root writes whatever the permissions say: the tool then runs as an ordinary user.
    const auto asReader = cliAsAnotherUser;
    if (asReader({"--help"}).code != 0)
        GTEST_SKIP() << "the tool cannot be run as another user here";

    for (const QStringList& args :
         {QStringList{"standings", file, "--format", "csv"},
          QStringList{"history", file, "LENS", "--format", "csv"}, QStringList{"matches", file}}) {
        const CliRun r = asReader(args), owner = cli(args);
        EXPECT_EQ(r.code, 0) << r.err.toStdString();
        EXPECT_EQ(r.out, owner.out);
    }
    const CliRun r = asReader({"import", file,
                               csv("more.csv", "Journée,Domicile,ScoreDomicile,"
                                               "Visiteur,ScoreVisiteur\n")});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("lecture seule"))) << r.err.toStdString();
    EXPECT_EQ(testsupport::readBytes(file), before);
}

TEST(TableWriterTest, TextCellsAreCutButCsvAndJsonKeepValuesWhole)
{
    const QString huge = QString(100000, QLatin1Char('N'));
    TableWriter table(QStringList{"Journée", "Domicile"});
    table.addRow({"1", huge});
    table.addRow({"2", "LENS"});
    const auto written = [&](TableWriter::Format format) {
        QString text;
        QTextStream out(&text);
        table.write(out, format, {1});
        return text;
    };
    const QStringList lines = written(TableWriter::Text).split(QLatin1Char('\n'));
    for (const QString& line : lines)
        EXPECT_LE(line.size(), 60) << line.left(80).toStdString();
    EXPECT_TRUE(lines[1].endsWith(QString(49, QLatin1Char('N')) + QChar(0x2026)));
    EXPECT_TRUE(written(TableWriter::Csv).contains(huge));
    EXPECT_TRUE(written(TableWriter::Json).contains(huge));
}

} // namespace

namespace {

// The text of a PDF file as pdftotext lays it out; empty when it cannot be read.
QString pdfText(const QString& path)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

TEST_F(CliTest, ReportWritesTheSeasonAsPdfWithoutADisplay)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    const QString file = create(QStringLiteral("c"), {"ARRAS", "LENS", "LILLE", "METZ"});
    ASSERT_EQ(importRows(file, "1,LENS,2,LILLE,1\n2,LILLE,3,ARRAS,1\n").code, 0);
    const QString pdf = dir.file(QStringLiteral("rapport journée 2.pdf"));

    // A platform that needs a display, and no display: the tool paints offscreen all the same.
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    p.setProcessEnvironment(env);
    p.start(cliPath(), {"report", file, "--output", pdf, "--matchday", "2"});
    const CliRun r = finished(p);
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.isEmpty());
    EXPECT_TRUE(testsupport::readBytes(pdf).startsWith("%PDF-"));
    EXPECT_EQ(QDir(dir.path()).entryList({QStringLiteral("*.pdf*")}, QDir::Files),
              QStringList{QFileInfo(pdf).fileName()});

    // What the pages hold is the report's own test; the matchday reached it.
    const QString text = pdfText(pdf);
    EXPECT_TRUE(text.contains(QStringLiteral("Classement général – Journée 2")))
        << text.toStdString();
}

TEST_F(CliTest, ReportRefusalsLeaveNothingAtTheOutput)
{
    const QString file = create(QStringLiteral("c"), {"ARRAS", "LENS", "LILLE", "METZ"});
    const QByteArray competition = testsupport::readBytes(file);
    const QString pdf = dir.file(QStringLiteral("r.pdf"));
    const QString notACompetition = csv("x.dat", "Journée,Domicile\n");
    const QStringList files = QDir(dir.path()).entryList(QDir::Files);
    const auto refused = [&](int code, const QStringList& args, const QString& reason) {
        const CliRun r = cli(args);
        EXPECT_EQ(r.code, code) << args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains(reason)) << r.err.toStdString();
        expectFrench(r);
    };
    refused(2, {"report", file}, QStringLiteral("l'option --output est obligatoire."));
    refused(2, {"report", file, "--output", pdf, "--matchday", "0"},
            QStringLiteral("--matchday attend un numéro de journée."));
    refused(1, {"report", notACompetition, "--output", pdf}, QStringLiteral("x.dat"));
    refused(1, {"report", file, "--output", "/nonexistent-folder/r.pdf"},
            QStringLiteral("Le rapport n'a pas été créé. Le fichier « /nonexistent-folder/r.pdf » "
                           "ne peut pas être écrit."));
    refused(1, {"report", file, "--output", file},
            QStringLiteral("le rapport ne peut pas remplacer la compétition."));
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral("/nonexistent-folder")));
    EXPECT_EQ(testsupport::readBytes(file), competition);

    // No room for the whole document: nothing is put in place, and no piece is left beside.
    CliRun r = cliOnAFullDisk(4, {"report", file, "--output", pdf});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("dépasse la taille permise"))) << r.err.toStdString();
    expectFrench(r);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), files);

    // A report already there stays as it was.
    testsupport::writeBytes(pdf, "rapport précédent");
    r = cliOnAFullDisk(4, {"report", file, "--output", pdf});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(testsupport::readBytes(pdf), QByteArray("rapport précédent"));
}

TEST_F(CliTest, AReportIsNeverWrittenThroughALink)
{
    const QString file = create(QStringLiteral("c"), {"ARRAS", "LENS"});
    QTemporaryDir elsewhere;
    const QString victim = QDir(elsewhere.path()).filePath(QStringLiteral("à garder.pdf"));
    testsupport::writeBytes(victim, "à garder");
    const QString pdf = dir.file(QStringLiteral("rapport.pdf"));
    ASSERT_TRUE(QFile::link(victim, pdf));
    const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden);
    CliRun r = cli({"report", file, "--output", pdf});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, QStringLiteral("vemo-cli : Le rapport n'a pas été créé. « %1 » est un lien "
                                    "symbolique : Vemo ne l'écrase pas. Choisissez un autre nom "
                                    "de fichier.\n")
                         .arg(pdf));
    EXPECT_EQ(testsupport::readBytes(victim), QByteArray("à garder"));
    EXPECT_TRUE(QFileInfo(pdf).isSymLink());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden), before);

    // In place of a plain file, the report replaces it.
    QFile::remove(pdf);
    testsupport::writeBytes(pdf, "ancien rapport");
    r = cli({"report", file, "--output", pdf});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(testsupport::readBytes(pdf).startsWith("%PDF-"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden), before);
}

TEST_F(CliTest, AReportShowsTheCompetitionsOwnCrests)
{
    const QString file = create(QStringLiteral("c"), {"ARRAS", "LENS", "METZ"});
    const QString pdf = dir.file(QStringLiteral("rapport.pdf"));
    const CliRun r = cli({"report", file, "--output", pdf});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    if (QStandardPaths::findExecutable(QStringLiteral("pdfimages")).isEmpty())
        GTEST_SKIP() << "pdfimages is missing";
    QProcess list;
    list.start(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf});
    ASSERT_TRUE(list.waitForFinished(30000));
    // Two header lines, then a line per picture: a crest per team on each of the five
    // standings and on the cross table, taken from the file itself (the tool has no crest
    // cache of its own).
    const QStringList lines = QString::fromUtf8(list.readAllStandardOutput())
                                  .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    // (A picture with transparency also lists its mask, as "smask".) Each crest is written
    // in the file once, every drawing of it pointing to the same object.
    qsizetype pictures = 0;
    std::set<QString> objects;
    for (auto line = lines.begin() + 2; line != lines.end(); ++line)
        if (const QStringList cells = line->simplified().split(QLatin1Char(' '));
            cells.size() > 10 && cells[2] == QLatin1String("image")) {
            ++pictures;
            objects.insert(cells[10]);
        }
    EXPECT_EQ(pictures, 6 * 3);
    EXPECT_EQ(objects.size(), 3u);
}

TEST_F(CliTest, GridAndFormAgreeWithTheResultsAndTheStandings)
{
    const QString file = create(QStringLiteral("c"), {"ARRAS", "LENS", "LILLE", "Épinal"});
    ASSERT_EQ(importRows(file, "1,LENS,2,LILLE,1\n1,ARRAS,0,Épinal,3\n2,LILLE,1,ARRAS,1\n"
                               "2,Épinal,0,LENS,2\n4,LENS,1,ARRAS,1\n")
                  .code,
              0);
    const std::vector<QStringList> grid = testsupport::cliCsv({"grid", file});
    ASSERT_EQ(grid.size(), 5u);
    // Teams in French order, as in the window: "Épinal" among the E's.
    EXPECT_EQ(grid[0], (QStringList{"Domicile", "ARRAS", "Épinal", "LENS", "LILLE"}));
    int filled = 0;
    for (size_t h = 1; h < grid.size(); ++h)
        for (qsizetype v = 1; v < grid[h].size(); ++v)
            filled += !grid[h][v].isEmpty();
    const std::vector<QStringList> matches = testsupport::cliCsv({"matches", file});
    ASSERT_EQ(matches.size(), 6u);
    EXPECT_EQ(filled, 5);
    for (size_t m = 1; m < matches.size(); ++m) {
        const QStringList& row = matches[m];
        const qsizetype v = grid[0].indexOf(row[3]);
        const auto home = std::find_if(grid.begin() + 1, grid.end(),
                                       [&](const QStringList& g) { return g[0] == row[1]; });
        ASSERT_NE(home, grid.end());
        EXPECT_EQ(home->value(v), row[2] + QLatin1Char('-') + row[4])
            << row.join(',').toStdString();
    }
    // Up to matchday 2, the matchday-4 match is an empty cell.
    EXPECT_EQ(testsupport::cliCsv({"grid", file, "--matchday", "2"})[3][1], QString());

    // The order of the form table is SeasonForm's own test.
    const std::vector<QStringList> form = testsupport::cliCsv({"form", file, "--last", "2"});
    ASSERT_EQ(form.size(), 5u);
    EXPECT_EQ(form[0], (QStringList{"Equipe", "Forme", "Pts", "Serie"}));
    // LENS: beat LILLE, won at Épinal, drew with ARRAS: the last two, oldest first.
    EXPECT_EQ(form[1], (QStringList{"LENS", "VN", "4", "3 matchs sans défaite"}));
    EXPECT_EQ(cli({"form", file, "--last", "0"}).code, 2);
}

TEST_F(CliTest, NamesAreFoundWhateverTheCaseOfTheirAccentedLetters)
{
    const QString file = create(QStringLiteral("c"), {"US Beaupré", "AS Valmont"});
    CliRun r = importRows(file, "1,US BEAUPRÉ,2,AS VALMONT,0\n");
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(testsupport::cliCsv({"matches", file})[1][1], QStringLiteral("US Beaupré"));
    r = cli({"penalty", file, "us beauprÉ", "1", "--matchday", "2", "--reason", "Budget"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("à US Beaupré"))) << r.out.toStdString();
    const std::vector<QStringList> history = testsupport::cliCsv({"history", file, "US BEAUPRÉ"});
    ASSERT_EQ(history.size(), 2u);
    EXPECT_EQ(history[1][2], QStringLiteral("3"));
}

TEST_F(CliTest, TheGridInJsonKeepsATeamNamedAfterAColumn)
{
    const QString file = create(QStringLiteral("c"), {"Domicile", "Domicile FC", "Visiteurs"});
    ASSERT_EQ(importRows(file, "1,Visiteurs,2,Domicile,1\n").code, 0);
    const CliRun r = cli({"grid", file, "--format", "json"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const QJsonArray rows = QJsonDocument::fromJson(r.out.toUtf8()).array();
    ASSERT_EQ(rows.size(), 3);
    QStringList homes;
    for (const QJsonValue& row : rows) {
        homes << row[QStringLiteral("Domicile")].toString();
        EXPECT_EQ(row[QStringLiteral("Visiteurs")].toObject().size(), 3);
    }
    EXPECT_EQ(homes, (QStringList{"Domicile", "Domicile FC", "Visiteurs"}));
    EXPECT_EQ(rows[2][QStringLiteral("Visiteurs")][QStringLiteral("Domicile")].toString(),
              QStringLiteral("2-1"));
}

} // namespace
