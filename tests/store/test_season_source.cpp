#include "store/SeasonSource.h"
#include "store/TextChecks.h"
#include "support/TestSupport.h"

#include <QDate>
#include <QMap>
#include <QSet>
#include <functional>
#include <gtest/gtest.h>

using namespace store;

namespace {

std::optional<SeasonSource> read(const QByteArray& content, QString* message = nullptr)
{
    SourceError error;
    auto s = readSeasonSource(content, error);
    if (message)
        *message = error.message;
    else
        EXPECT_TRUE(s) << error.message.toStdString();
    return s;
}

QString refusal(const QByteArray& content)
{
    QString message;
    EXPECT_FALSE(read(content, &message)) << content.left(200).toStdString();
    return message;
}

const QByteArray kFdHead = "Div,Date,Time,HomeTeam,AwayTeam,FTHG,FTAG,FTR\n";

QByteArray fdRow(const char* date, const char* home, const char* away, const char* hg = "1",
                 const char* ag = "0")
{
    return QByteArray("E0,") + date + ",15:00," + home + "," + away + "," + hg + "," + ag + ",H\n";
}

// Every team plays at most once in a matchday, and the matchdays stay in the season's count.
void expectPlayable(const SeasonSource& s)
{
    const int count = matchdayCount(int(s.teams.size()));
    QSet<QString> seen;
    for (const SourceMatch& m : s.matches) {
        EXPECT_GE(m.journee, 1);
        EXPECT_LE(m.journee, count);
        for (const QString& team : {m.home, m.away}) {
            const QString key = team + QLatin1Char('/') + QString::number(m.journee);
            EXPECT_FALSE(seen.contains(key)) << key.toStdString();
            seen.insert(key);
        }
    }
}

// A six-team season in football-data rows, a round a week from 2 August 2025, both legs by the
// circle method; the matches that later gives a date for are played then, after the rest.
QByteArray sixTeamSeason(const std::function<QByteArray(int round, int k, const QString& home,
                                                        const QString& away)>& later)
{
    const QStringList teams{"T1", "T2", "T3", "T4", "T5", "T6"};
    const QDate start(2025, 8, 2);
    QByteArray csv = kFdHead, after;
    for (int round = 0; round < 10; ++round) {
        QStringList circle = teams.mid(1);
        std::rotate(circle.begin(), circle.begin() + (round % 5), circle.end());
        circle.prepend(teams[0]);
        for (int k = 0; k < 3; ++k) {
            QString home = circle[k], away = circle[5 - k];
            if (round >= 5)
                std::swap(home, away);
            const QByteArray late = later(round, k, home, away);
            const QByteArray day =
                late.isEmpty() ? start.addDays(7 * round).toString("dd/MM/yy").toLatin1() : late;
            (late.isEmpty() ? csv : after) +=
                fdRow(day.constData(), home.toLatin1().constData(), away.toLatin1().constData());
        }
    }
    return csv + after;
}

} // namespace

TEST(SeasonSource, OpenFootballMatchesLayoutResultsAndFixtures)
{
    const auto s = read(R"({"name": "English Premier League 2025/26", "matches": [
        {"round": "Matchday 1", "date": "2025-08-16", "team1": " Arsenal ", "team2": "Chelsea",
         "score": {"ht": [1, 0], "ft": [2, 1]}},
        {"round": "Matchday 1", "date": "2025-08-17", "team1": "Everton", "team2": "Fulham",
         "score": {"ft": [0, 0]}},
        {"round": "Matchday 5", "date": "2026-01-03", "team1": "Chelsea", "team2": "Everton"},
        {"round": "Matchday 5", "team1": "Fulham", "team2": "Arsenal", "score": {}}
    ]})");
    ASSERT_TRUE(s);
    EXPECT_EQ(s->format, SeasonSource::Format::OpenFootballJson);
    EXPECT_EQ(s->name, QStringLiteral("English Premier League"));
    EXPECT_EQ(s->season, QStringLiteral("2025-2026"));
    EXPECT_EQ(s->teams, (QStringList{"Arsenal", "Chelsea", "Everton", "Fulham"}));
    ASSERT_EQ(s->matches.size(), 4u);
    const SourceMatch& first = s->matches[0];
    EXPECT_EQ(first.journee, 1);
    EXPECT_EQ(first.home, QStringLiteral("Arsenal"));
    EXPECT_EQ(first.homeGoals, 2);
    EXPECT_EQ(first.awayGoals, 1);
    EXPECT_EQ(first.date, QDate(2025, 8, 16));
    EXPECT_EQ(first.origin, 1);
    EXPECT_EQ(s->matches[2].journee, 5);
    EXPECT_FALSE(s->matches[2].homeGoals || s->matches[2].awayGoals);
    EXPECT_FALSE(s->matches[3].homeGoals || s->matches[3].awayGoals);
    EXPECT_FALSE(s->matches[3].date.isValid());
    EXPECT_EQ(s->matches[3].origin, 4);
    EXPECT_EQ(s->outOfDateOrder, 0);
}

TEST(SeasonSource, OpenFootballRoundsLayoutNamesAndUnnumberedRounds)
{
    auto s = read(R"({"name": "Bundesliga 2025-26", "rounds": [
        {"name": "1. Spieltag", "matches": [
            {"date": "2025-08-22", "team1": "Bayern", "team2": "Leipzig", "score1": 6, "score2": 0},
            {"date": "2025-08-23", "team1": "Mainz", "team2": "Köln", "score": {"ft": [0, 1]}}]},
        {"name": "3. Spieltag", "matches": [
            {"date": "2025-09-13", "team1": "Köln", "team2": "Bayern", "score1": null,
             "score2": null}]}]})");
    ASSERT_TRUE(s);
    EXPECT_EQ(s->name, QStringLiteral("Bundesliga"));
    EXPECT_EQ(s->season, QStringLiteral("2025-2026"));
    EXPECT_EQ(s->teams, (QStringList{"Bayern", "Leipzig", "Mainz", "Köln"}));
    EXPECT_EQ(s->matches[0].homeGoals, 6);
    EXPECT_EQ(s->matches[1].awayGoals, 1);
    EXPECT_EQ(s->matches[2].journee, 3);
    EXPECT_FALSE(s->matches[2].homeGoals);

    // Rounds without a number go by order of first appearance.
    s = read(R"({"matches": [
        {"round": "Aller", "date": "2025-02-01", "team1": "A", "team2": "B", "score": {"ft": [1, 1]}},
        {"round": "Retour", "date": "2025-05-01", "team1": "B", "team2": "A"},
        {"round": "Aller", "date": "2025-02-02", "team1": "C", "team2": "D"}]})");
    ASSERT_TRUE(s);
    EXPECT_EQ(s->matches[0].journee, 1);
    EXPECT_EQ(s->matches[1].journee, 2);
    EXPECT_EQ(s->matches[2].journee, 1);
    EXPECT_EQ(s->name, QString());
    EXPECT_EQ(s->season, QStringLiteral("2025")); // from the dates, all in one year

    const std::pair<const char*, std::pair<const char*, const char*>> names[] = {
        {"Ligue 1 2025/2026", {"Ligue 1", "2025-2026"}},
        {"Serie A 1999/00", {"Serie A", "1999-2000"}},
        {"Eredivisie 2025", {"Eredivisie", "2025"}},
        {"Coupe des Alpes", {"Coupe des Alpes", ""}}};
    for (const auto& [full, expected] : names) {
        s = read(QByteArray(R"({"name": ")") + full +
                 R"(", "matches": [{"round": "1", "team1": "A", "team2": "B"}]})");
        ASSERT_TRUE(s);
        EXPECT_EQ(s->name, QString::fromUtf8(expected.first)) << full;
        EXPECT_EQ(s->season, QString::fromUtf8(expected.second)) << full;
    }
}

TEST(SeasonSource, FootballDataDatesFixturesAndSeasonAcrossTheNewYear)
{
    const QByteArray csv = "\xEF\xBB\xBF"
                           "Date,FTAG,AwayTeam,Referee,HomeTeam,FTHG\r\n"
                           "09/08/2025,1,Lens,M. Roux,Arras,2\r\n"
                           "10/08/25,0,Metz,,Lille,0\r\n"
                           ",,,,,\r\n"
                           "17/01/2026,,Arras,,Lens,\r\n";
    const auto s = read(csv);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->format, SeasonSource::Format::FootballDataCsv);
    EXPECT_EQ(s->name, QString());
    EXPECT_EQ(s->season, QStringLiteral("2025-2026"));
    EXPECT_EQ(s->teams, (QStringList{"Arras", "Lens", "Lille", "Metz"}));
    ASSERT_EQ(s->matches.size(), 3u);
    EXPECT_EQ(s->matches[0].homeGoals, 2);
    EXPECT_EQ(s->matches[0].awayGoals, 1);
    EXPECT_EQ(s->matches[1].date, QDate(2025, 8, 10));
    EXPECT_EQ(s->matches[2].origin, 5);
    EXPECT_FALSE(s->matches[2].homeGoals || s->matches[2].awayGoals);
    EXPECT_EQ(s->matches[0].journee, 1);
    EXPECT_EQ(s->matches[1].journee, 1);
    EXPECT_EQ(s->matches[2].journee, 2);

    const auto spring =
        read(kFdHead + fdRow("01/02/2025", "A", "B") + fdRow("30/11/2025", "B", "A"));
    ASSERT_TRUE(spring);
    EXPECT_EQ(spring->season, QStringLiteral("2025"));
}

TEST(SeasonSource, FootballDataNumbersByDateAroundAPostponedMatch)
{
    // B - D of the second round is played after the third: it comes after it for both teams.
    auto s = read(kFdHead + fdRow("02/08/25", "A", "B") + fdRow("02/08/25", "C", "D") +
                  fdRow("09/08/25", "A", "C") + fdRow("20/08/25", "B", "D") +
                  fdRow("16/08/25", "A", "D") + fdRow("16/08/25", "B", "C"));
    ASSERT_TRUE(s);
    const int expected[] = {1, 1, 2, 4, 3, 3};
    for (size_t i = 0; i < 6; ++i)
        EXPECT_EQ(s->matches[i].journee, expected[i]) << i;
    EXPECT_EQ(s->outOfDateOrder, 0);

    // A full season of six teams in which one match is played after the last round: no matchday
    // is left after, it goes back to the only one where both teams are free.
    s = read(sixTeamSeason([](int round, int k, const QString&, const QString&) {
        return round == 3 && k == 1 ? QByteArray("31/05/26") : QByteArray();
    }));
    ASSERT_TRUE(s);
    expectPlayable(*s);
    EXPECT_EQ(s->outOfDateOrder, 1);
    EXPECT_EQ(s->matches.back().journee, 4);
    EXPECT_EQ(s->season, QStringLiteral("2025-2026"));

    // A whole season of four teams in which B - D of the second round is played between the
    // third and the fourth: played by date, it would push the rest until D - A finds no day;
    // it goes back to the second round, where both teams were free.
    s = read(kFdHead + fdRow("02/08/25", "A", "B") + fdRow("02/08/25", "C", "D") +
             fdRow("09/08/25", "A", "C") + fdRow("16/08/25", "A", "D") +
             fdRow("16/08/25", "B", "C") + fdRow("20/08/25", "B", "D") +
             fdRow("23/08/25", "B", "A") + fdRow("23/08/25", "D", "C") +
             fdRow("30/08/25", "C", "A") + fdRow("30/08/25", "D", "B") +
             fdRow("06/09/25", "D", "A") + fdRow("06/09/25", "C", "B"));
    ASSERT_TRUE(s);
    expectPlayable(*s);
    EXPECT_EQ(s->matches[5].journee, 2);
    EXPECT_EQ(s->outOfDateOrder, 1);

    // Neither way finds a day for B - D, though one exists: the matches of a few days are
    // moved around to make room, those of the first days before the trouble staying put.
    s = read(kFdHead + fdRow("02/08/25", "B", "C") + fdRow("09/08/25", "D", "C") +
             fdRow("16/08/25", "D", "A") + fdRow("23/08/25", "B", "A") +
             fdRow("30/08/25", "D", "B") + fdRow("06/09/25", "C", "B") +
             fdRow("13/09/25", "B", "D"));
    ASSERT_TRUE(s);
    expectPlayable(*s);
    EXPECT_EQ(s->matches[0].journee, 1);

    // A whole season of six teams, as real ones go: three matches put off and played after the
    // last round leave the date order no day for the last of them; it still fits, every match
    // of the first five rounds on its round.
    const QMap<QString, QByteArray> putOff{
        {"T4-T3", "07/10/25"}, {"T6-T1", "12/10/25"}, {"T2-T6", "23/10/25"}};
    s = read(sixTeamSeason([&](int, int, const QString& home, const QString& away) {
        return putOff.value(home + QLatin1Char('-') + away);
    }));
    ASSERT_TRUE(s);
    expectPlayable(*s);
    for (int i = 0; i < 15; ++i)
        EXPECT_EQ(s->matches[size_t(i)].journee, i / 3 + 1) << i;
}

TEST(SeasonSource, HostileOrBrokenFilesAreRefusedInFrench)
{
    const QByteArray m = R"({"round": "1", "team1": "A", "team2": "B"})";
    const auto json = [](const QByteArray& matches) {
        return QByteArray(R"({"name": "L", "matches": [)") + matches + "]}";
    };
    const std::pair<QByteArray, QByteArray> cases[] = {
        {"", "Le fichier est vide."},
        {"\xEF\xBB\xBF  \n", "Le fichier est vide."},
        {json(R"({"round": "1", "team1": 3, "team2": "B"})"),
         "match 1 : l'équipe qui reçoit (« team1 ») n'est pas un texte."},
        {json(m + R"(,{"round": "1", "team1": "C"})"),
         "match 2 : l'équipe qui se déplace (« team2 ») manque."},
        {json(R"({"round": "1", "team1": "A", "team2": "B", "score": {"ft": [1, 256]}})"),
         "match 1 : le score doit être deux nombres entiers de 0 à 255."},
        {json(R"({"round": "1", "team1": "A", "team2": "B", "score": {"ft": [1.5, 2]}})"),
         "match 1 : le score doit être deux nombres entiers de 0 à 255."},
        {json(R"({"round": "1", "team1": "A", "team2": "B", "score1": 1})"),
         "match 1 : le score doit être deux nombres entiers de 0 à 255."},
        {json(R"({"round": "1", "team1": "A", "team2": "B", "date": "8 mai"})"),
         "match 1 : la date (« date ») n'est pas une date AAAA-MM-JJ."},
        {json(R"({"round": 1, "team1": "A", "team2": "B"})"),
         "match 1 : la journée (« round ») n'est pas un texte."},
        {json(R"({"round": "1", "team1": "A", "team2": " A"})"),
         "match 1 : A ne peut pas jouer contre elle-même."},
        {json(R"({"round": "Matchday 300", "team1": "A", "team2": "B"})"),
         "match 1 : la journée 300 sort des 254 journées que peut compter une saison."},
        {json(m + "," + R"({"round": "2", "team1": "B", "team2": "A"})" + "," + m),
         "match 3 : la rencontre A - B figure deux fois (matchs 1 et 3)."},
        {json(""), "Le fichier ne contient aucun match."},
        {R"({"name": "L", "matches": [)" + m, "ligne 1 : le fichier JSON est mal formé (virgule, "
                                              "guillemet ou accolade manquant ?)."},
        {QByteArray(R"({"matches": [)") + QByteArray(5000, '[') + QByteArray(5000, ']') + "]}",
         "Le fichier JSON est imbriqué trop profondément : ce n'est pas un fichier de saison."},
        {R"({"list": []})", "Le fichier JSON ne décrit pas une saison : il y faut une liste "
                            "« matches » ou « rounds »."},
        {json(m) + QByteArray("\n\0", 2), "ligne 2 : le fichier contient un caractère nul : ce "
                                          "n'est pas un fichier texte."},
        {json("{\"round\": \"1\", \"team1\": \"Caf\xE9\", \"team2\": \"B\"}"),
         "ligne 1 : le texte n'est pas en UTF-8 valide."},
        {kFdHead + fdRow("01/08/25", "A", "B") + "E0,02/08/25,,C,D,\xE9,1,H\n",
         "ligne 3 : le texte n'est pas en UTF-8 valide."},
        {kFdHead + fdRow("01/08/25", "A", "B", "", "1"),
         "ligne 2 : un seul des deux scores est donné : un match joué a ses deux scores, un "
         "match à jouer aucun."},
        {kFdHead + fdRow("31/02/25", "A", "B"),
         "ligne 2 : la date « 31/02/25 » n'est pas une date jj/mm/aa ou jj/mm/aaaa."},
        {kFdHead + fdRow("01/08/25", "A", "B", "x", "1"),
         "ligne 2 : un score doit être un nombre entier de 0 à 255."},
        {kFdHead + fdRow("01/08/25", "A", QByteArray(51, 'b')),
         "ligne 2 : le nom d'équipe « " + QByteArray(51, 'b') + " » dépasse 50 caractères."},
        {kFdHead + "E0,01/08/25,,A,\"B\x01\",1,0,H\n",
         "ligne 2 : le nom de l'équipe qui se déplace contient un caractère de contrôle "
         "(tabulation, retour à la ligne, caractère nul…)."},
        {kFdHead + "E0,01/08/25,,A,B,1,0,H," + QByteArray(4000, 'x') + "\n",
         "ligne 2 : la ligne dépasse 4000 octets : ce n'est pas une ligne de matchs."},
        {"Journée,Domicile,ScoreDomicile,Visiteur,ScoreVisiteur\n1,A,1,B,0\n",
         "Ce fichier n'est ni une saison au format JSON de football.json ni un fichier CSV de "
         "football-data (en-tête Date, HomeTeam, AwayTeam, FTHG, FTAG…)."},
    };
    for (const auto& [content, expected] : cases)
        EXPECT_EQ(refusal(content), QString::fromUtf8(expected)) << content.left(120).toStdString();

    QByteArray many = kFdHead;
    for (int t = 0; t < 65; ++t)
        many += fdRow("01/08/25", QByteArray("H" + QByteArray::number(t)),
                      QByteArray("A" + QByteArray::number(t)));
    EXPECT_EQ(refusal(many), QStringLiteral("ligne 66 : avec H64, le fichier compte plus de 128 "
                                            "équipes : une compétition en compte au plus 128."));

    QByteArray crowded = R"({"matches": [)";
    for (int i = 0; i <= kMaxSourceMatches; ++i)
        crowded += (i ? "," : "") + m;
    EXPECT_EQ(refusal(crowded + "]}"), QStringLiteral("Le fichier compte plus de 20000 matchs : "
                                                      "ce n'est pas une saison de championnat."));
    EXPECT_EQ(refusal(QByteArray(kMaxSourceBytes + 1, ' ')),
              QStringLiteral("Le fichier dépasse 20 Mo : ce n'est pas un fichier de saison."));
}

TEST(SeasonSource, FormatComesFromTheContentNotTheName)
{
    testsupport::TempDir dir;
    const QString jsonAsCsv = dir.file(QStringLiteral("saison.csv"));
    const QString csvAsJson = dir.file(QStringLiteral("saison.json"));
    const QString vemo = dir.file(QStringLiteral("résultats.csv"));
    testsupport::writeBytes(jsonAsCsv,
                            R"({"matches": [{"round": "1", "team1": "A", "team2": "B"}]})");
    testsupport::writeBytes(csvAsJson, kFdHead + fdRow("01/08/25", "A", "B"));
    const QByteArray vemoCsv = "Journée;Domicile;ScoreDomicile;Visiteur;ScoreVisiteur\n";
    testsupport::writeBytes(vemo, vemoCsv);
    SourceError error;
    auto s = readSeasonSource(jsonAsCsv, error);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->format, SeasonSource::Format::OpenFootballJson);
    s = readSeasonSource(csvAsJson, error);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->format, SeasonSource::Format::FootballDataCsv);
    EXPECT_FALSE(readSeasonSource(vemo, error));
    EXPECT_FALSE(readSeasonSource(dir.file(QStringLiteral("absent.json")), error));
    EXPECT_TRUE(error.message.startsWith(QStringLiteral("Le fichier « absent.json » ne peut pas "
                                                        "être ouvert")));

    EXPECT_TRUE(looksLikeSeasonSource("\xEF\xBB\xBF{\"name\": \"L"));
    EXPECT_TRUE(looksLikeSeasonSource("Div,Date,HomeTeam,AwayTeam,FTHG,FTAG,FTR,HTHG,HTAG,Refe"));
    EXPECT_FALSE(looksLikeSeasonSource(vemoCsv));
    EXPECT_FALSE(looksLikeSeasonSource("Div,Date,HomeTeam,AwayTeam"));
}
