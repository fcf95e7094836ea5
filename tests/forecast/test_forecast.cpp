#include "forecast/Backtest.h"
#include "forecast/MatchModel.h"
#include "forecast/SeasonSimulation.h"
#include "store/TextChecks.h"
#include "store/Zones.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <numeric>
#include <random>

using namespace forecast;

namespace {

// A made-up league whose teams have known strengths, and seasons drawn from them.
struct League
{
    QStringList names;
    std::vector<QString> teams;
    std::vector<double> attack, defence;
    double base = 0.1, home = 0.3;

    League(int n, std::mt19937& random)
    {
        std::normal_distribution<double> spread(0.0, 0.25);
        for (int i = 0; i < n; ++i) {
            names << QStringLiteral("T%1").arg(i);
            teams.push_back(names.back());
            attack.push_back(spread(random));
            defence.push_back(spread(random));
        }
    }
    std::vector<store::MatchRow> season(std::mt19937& random) const
    {
        std::vector<store::MatchRow> rows = testsupport::doubleRoundRobin(names);
        for (store::MatchRow& r : rows) {
            const int h = int(names.indexOf(r.domicile)), a = int(names.indexOf(r.visiteur));
            std::poisson_distribution<int> x(
                std::exp(base + home + attack[size_t(h)] + defence[size_t(a)]));
            std::poisson_distribution<int> y(
                std::exp(base + attack[size_t(a)] + defence[size_t(h)]));
            r.scoreDomicile = x(random);
            r.scoreVisiteur = y(random);
        }
        return rows;
    }
};

double rankCorrelation(const std::vector<double>& a, const std::vector<double>& b)
{
    const auto ranks = [](const std::vector<double>& v) {
        std::vector<size_t> order(v.size());
        std::iota(order.begin(), order.end(), size_t(0));
        std::sort(order.begin(), order.end(), [&](size_t i, size_t j) { return v[i] < v[j]; });
        std::vector<double> r(v.size());
        for (size_t k = 0; k < order.size(); ++k)
            r[order[k]] = double(k);
        return r;
    };
    const std::vector<double> ra = ranks(a), rb = ranks(b);
    double d2 = 0.0;
    for (size_t i = 0; i < ra.size(); ++i)
        d2 += (ra[i] - rb[i]) * (ra[i] - rb[i]);
    const double n = double(ra.size());
    return 1.0 - 6.0 * d2 / (n * (n * n - 1.0));
}

} // namespace

TEST(MatchModel, ASeasonGivesBackTheStrengthsItWasDrawnFrom)
{
    std::mt19937 random(7);
    const League league(20, random);
    const std::vector<store::MatchRow> rows = league.season(random);
    const MatchModel model = MatchModel::fit(league.teams, rows, 39);
    EXPECT_EQ(model.learnedFrom(), 380);
    EXPECT_GT(rankCorrelation(model.strengths().attack, league.attack), 0.7);
    EXPECT_GT(rankCorrelation(model.strengths().defence, league.defence), 0.7);
    EXPECT_NEAR(model.strengths().home, league.home, 0.12);

    // With nothing played, every match is the league's average one, the home side favoured.
    const MatchModel none = MatchModel::fit(league.teams, rows, 1);
    const MatchProbabilities first = none.predict(0, 1);
    EXPECT_EQ(none.learnedFrom(), 0);
    EXPECT_NEAR(first.home + first.draw + first.away, 1.0, 1e-12);
    EXPECT_GT(first.home, first.away);
    const MatchProbabilities other = none.predict(5, 2);
    EXPECT_DOUBLE_EQ(other.home, first.home);
}

// Over many seasons, what is given a probability p happens about p of the time, and the
// forecasts beat the league's own frequencies.
TEST(MatchModel, ForecastsAreCalibratedAndBeatTheNaiveOnes)
{
    std::mt19937 random(11);
    struct Bin
    {
        int count = 0;
        double predicted = 0.0, observed = 0.0;
    };
    std::array<Bin, 5> bins{};
    double modelRps = 0.0, naiveRps = 0.0;
    int seasons = 0;
    for (; seasons < 25; ++seasons) {
        const League league(20, random);
        const std::vector<store::MatchRow> rows = league.season(random);
        const BacktestReport r = backtest(league.teams, rows, 8);
        modelRps += r.model.rps;
        naiveRps += r.naive.rps;
        for (int matchday = 8; matchday <= 38; ++matchday) {
            const MatchModel model = MatchModel::fit(league.teams, rows, matchday);
            for (const store::MatchRow& m : rows) {
                if (m.journee != matchday)
                    continue;
                const double p = model.predict(m.domicile, m.visiteur).home;
                Bin& bin = bins[size_t(std::min(4, int(p * 5)))];
                ++bin.count;
                bin.predicted += p;
                bin.observed += m.scoreDomicile > m.scoreVisiteur;
            }
        }
    }
    for (const Bin& bin : bins) {
        if (bin.count < 300)
            continue;
        EXPECT_NEAR(bin.observed / bin.count, bin.predicted / bin.count, 0.04)
            << bin.count << " forecasts around " << bin.predicted / bin.count;
    }
    EXPECT_LT(modelRps / seasons, 0.97 * naiveRps / seasons);
}

// Early in a season, last season's results sharpen the forecasts; the promoted teams start
// below the average.
TEST(MatchModel, ThePreviousSeasonSharpensEarlyForecasts)
{
    std::mt19937 random(29);
    double with = 0.0, without = 0.0;
    for (int k = 0; k < 8; ++k) {
        League league(20, random);
        PreviousSeason previous{league.season(random), 38};
        // Three teams go down; three weaker ones come up.
        for (int i = 17; i < 20; ++i) {
            league.names[i] = league.teams[size_t(i)] = QStringLiteral("P%1").arg(i);
            league.attack[size_t(i)] = -0.3;
            league.defence[size_t(i)] = 0.3;
        }
        const std::vector<store::MatchRow> rows = league.season(random);
        std::vector<store::MatchRow> early;
        std::copy_if(rows.begin(), rows.end(), std::back_inserter(early),
                     [](const store::MatchRow& r) { return r.journee <= 6; });
        with += backtest(league.teams, early, 1, {}, &previous).model.rps;
        without += backtest(league.teams, early, 1).model.rps;
        const MatchModel model = MatchModel::fit(league.teams, {}, 1, {}, &previous);
        EXPECT_LT(model.strengths().attack[19], 0.0);
        EXPECT_GT(model.strengths().defence[19], 0.0);
    }
    EXPECT_LT(with, 0.97 * without);
}

// A forecast for matchday N reads only what was played before it.
TEST(MatchModel, NothingFromTheMatchdayForecastOrLaterIsUsed)
{
    std::mt19937 random(3);
    const League league(10, random);
    std::vector<store::MatchRow> rows = league.season(random);
    std::vector<store::MatchRow> before;
    std::copy_if(rows.begin(), rows.end(), std::back_inserter(before),
                 [](const store::MatchRow& r) { return r.journee < 9; });
    for (store::MatchRow& r : rows)
        if (r.journee >= 9)
            r.scoreDomicile += 5;
    const MatchModel all = MatchModel::fit(league.teams, rows, 9);
    const MatchModel past = MatchModel::fit(league.teams, before, 9);
    for (int h = 0; h < 10; ++h)
        for (int a = 0; a < 10; ++a) {
            if (h == a)
                continue;
            const MatchProbabilities x = all.predict(h, a), y = past.predict(h, a);
            EXPECT_EQ(x.home, y.home);
            EXPECT_EQ(x.draw, y.draw);
            EXPECT_EQ(x.homeGoals, y.homeGoals);
        }
}

namespace {

// A small season after `after` matchdays, as the standings would rank it.
SeasonState smallSeason(int n, int after, store::TieBreak tieBreak, std::mt19937& random)
{
    const League league(n, random);
    std::vector<store::Team> teams;
    for (int i = 0; i < n; ++i)
        teams.push_back({i + 1, league.names[i]});
    RankingRules rules(cResult::Points{3, 0, 1});
    rules.tieBreak = tieBreak;
    rules.penalties = {{1, 2, 1}}; // two points off the second team
    std::vector<store::TeamResult> results;
    for (const store::MatchRow& r : league.season(random))
        results.push_back({r.journee, int(league.names.indexOf(r.domicile)),
                           int(league.names.indexOf(r.visiteur)), r.scoreDomicile % 3,
                           r.scoreVisiteur % 3});
    return seasonAfter(teams, rules, results, {}, after, store::matchdayCount(n));
}

} // namespace

// Every end of the season, scores 0 to 2 for each match left, ends within the bounds; after
// the last match the bounds are the final places.
TEST(SeasonSimulation, PlacesStillPossibleNeverExcludeAnEnd)
{
    std::mt19937 random(17);
    for (const store::TieBreak tieBreak : {store::TieBreak::Goals, store::TieBreak::HeadToHead}) {
        for (int after : {3, 4, 5}) {
            const SeasonState state = smallSeason(4, after, tieBreak, random);
            std::vector<int> best, worst;
            placeBounds(state, best, worst);
            const size_t left = state.toPlay.size();
            std::vector<int> low(4, 5), high(4, 0);
            std::vector<store::TeamResult> season = state.played;
            season.insert(season.end(), state.toPlay.begin(), state.toPlay.end());
            int ends = 1;
            for (size_t k = 0; k < left; ++k)
                ends *= 9;
            for (int end = 0; end < ends; ++end) {
                for (size_t k = 0, code = size_t(end); k < left; ++k, code /= 9) {
                    season[state.played.size() + k].scoreHome = int(code % 9) / 3;
                    season[state.played.size() + k].scoreAway = int(code % 9) % 3;
                }
                const RankingCollection ranking =
                    ComputeRanking(season, RankingKind::General, state.teams, state.rules);
                for (int pos = 1; pos <= 4; ++pos) {
                    const int t = int(ranking.Item(pos).TeamName.mid(1).toInt());
                    low[size_t(t)] = std::min(low[size_t(t)], pos);
                    high[size_t(t)] = std::max(high[size_t(t)], pos);
                }
            }
            for (size_t t = 0; t < 4; ++t) {
                EXPECT_LE(best[t], low[t]) << "team " << t << " after " << after;
                EXPECT_GE(worst[t], high[t]) << "team " << t << " after " << after;
            }
        }
        const SeasonState done = smallSeason(4, 6, tieBreak, random);
        std::vector<int> best, worst;
        placeBounds(done, best, worst);
        const RankingCollection final =
            ComputeRanking(done.played, RankingKind::General, done.teams, done.rules);
        for (int pos = 1; pos <= 4; ++pos) {
            const int t = final.Item(pos).TeamName.mid(1).toInt();
            EXPECT_EQ(best[size_t(t)], pos);
            EXPECT_EQ(worst[size_t(t)], pos);
        }
    }
}

// Two teams done and level on points are told apart by their goals for good; a team that can
// still reach their points is not.
TEST(SeasonSimulation, TeamsDoneAndLevelKeepTheirOrderByGoals)
{
    SeasonState state;
    for (int i = 0; i < 4; ++i)
        state.teams.push_back({i + 1, QStringLiteral("T%1").arg(i)});
    state.rules = RankingRules(cResult::Points{3, 0, 1});
    // T0 and T1 have played all their matches: 8 points each, T0 ahead on goal difference.
    state.played = {{1, 0, 1, 1, 1}, {2, 1, 0, 1, 1}, {3, 0, 2, 3, 0}, {4, 2, 0, 0, 0},
                    {5, 0, 3, 0, 0}, {6, 3, 0, 0, 0}, {3, 1, 2, 1, 0}, {4, 2, 1, 0, 0},
                    {5, 1, 3, 0, 0}, {6, 3, 1, 0, 0}};
    state.toPlay = {{1, 2, 3, 0, 0}, {2, 3, 2, 0, 0}};
    std::vector<int> best, worst;
    placeBounds(state, best, worst);
    EXPECT_EQ(best[1], 2);  // T0 stays above T1
    EXPECT_EQ(worst[0], 3); // T1 stays below T0; T2 may still reach 8 points
    EXPECT_EQ(best[0], 1);
}

TEST(SeasonSimulation, PlacesAddUpAndTheSeedDecidesWhateverTheThreads)
{
    std::mt19937 random(23);
    const SeasonState state = smallSeason(8, 7, store::TieBreak::HeadToHead, random);
    std::vector<QString> names;
    for (const store::Team& t : state.teams)
        names.push_back(t.nom);
    const MatchModel model = MatchModel::fit(names, {}, 8);
    const SeasonOutlook one = simulateSeason(state, model, 3000, 42, 1);
    const SeasonOutlook two = simulateSeason(state, model, 3000, 42, 2);
    ASSERT_EQ(one.teams.size(), 8u);
    std::vector<double> byPlace(8, 0.0);
    for (size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(one.teams[i].place, two.teams[i].place);
        EXPECT_EQ(one.teams[i].finalPoints, two.teams[i].finalPoints);
        double sum = 0.0;
        for (size_t k = 0; k < 8; ++k) {
            sum += one.teams[i].place[k];
            byPlace[k] += one.teams[i].place[k];
            // Never outside the places still possible.
            if (one.teams[i].place[k] > 0) {
                EXPECT_GE(int(k) + 1, one.teams[i].best);
                EXPECT_LE(int(k) + 1, one.teams[i].worst);
            }
        }
        EXPECT_NEAR(sum, 1.0, 1e-12);
    }
    for (double sum : byPlace)
        EXPECT_NEAR(sum, 1.0, 1e-12);
    EXPECT_NE(simulateSeason(state, model, 3000, 43, 2).teams[0].place, one.teams[0].place);

    // Cancelled, it says so and gives nothing.
    const SeasonOutlook cancelled =
        simulateSeason(state, model, 100000, 1, 2, [](int) { return false; });
    EXPECT_TRUE(cancelled.cancelled);
    EXPECT_TRUE(cancelled.teams.empty());
}

// With two matches left, the chance of each place can be counted exactly over every pair of
// scores, ranked by the standings themselves: the simulation must find the same, with a
// point taken off a team in the race and the head-to-head tie-break.
TEST(SeasonSimulation, RanksEverySeasonAsTheStandingsDo)
{
    std::mt19937 random(5);
    SeasonState state = smallSeason(4, 5, store::TieBreak::HeadToHead, random);
    state.rules.penalties = {{2, 1, 1}}; // level with the third team before the last matchday
    ASSERT_EQ(state.toPlay.size(), 2u);
    std::vector<QString> names;
    for (const store::Team& t : state.teams)
        names.push_back(t.nom);
    const MatchModel model = MatchModel::fit(names, {}, 6);
    std::vector<double> first, second;
    double homeGoals = 0.0, awayGoals = 0.0;
    model.scores(state.toPlay[0].home, state.toPlay[0].away, first, homeGoals, awayGoals);
    model.scores(state.toPlay[1].home, state.toPlay[1].away, second, homeGoals, awayGoals);
    constexpr int side = MatchModel::kMaxGoals + 1;
    std::vector<double> exact(16, 0.0); // team × 4 + place
    std::vector<store::TeamResult> season = state.played;
    season.insert(season.end(), state.toPlay.begin(), state.toPlay.end());
    for (int a = 0; a < side * side; ++a)
        for (int b = 0; b < side * side; ++b) {
            const double p = first[size_t(a)] * second[size_t(b)];
            if (p < 1e-12)
                continue;
            season[season.size() - 2].scoreHome = a / side;
            season[season.size() - 2].scoreAway = a % side;
            season[season.size() - 1].scoreHome = b / side;
            season[season.size() - 1].scoreAway = b % side;
            const RankingCollection ranking =
                ComputeRanking(season, RankingKind::General, state.teams, state.rules);
            for (int pos = 1; pos <= 4; ++pos)
                exact[size_t(ranking.Item(pos).TeamName.mid(1).toInt() * 4 + pos - 1)] += p;
        }
    const SeasonOutlook outlook = simulateSeason(state, model, 200000, 3, 2);
    for (const TeamOutlook& o : outlook.teams)
        for (int pos = 0; pos < 4; ++pos)
            EXPECT_NEAR(o.place[size_t(pos)], exact[size_t(o.team * 4 + pos)], 0.006)
                << "team " << o.team << " place " << pos + 1;
}

TEST(Backtest, ScoresAreTheStandardOnes)
{
    // A sure and right forecast scores 0; the uniform one, RPS 5/18 on a home win.
    EXPECT_DOUBLE_EQ(rankedProbabilityScore({1, 0, 0}, 0), 0.0);
    EXPECT_DOUBLE_EQ(rankedProbabilityScore({1.0 / 3, 1.0 / 3, 1.0 / 3}, 0), 5.0 / 18);
    EXPECT_DOUBLE_EQ(rankedProbabilityScore({0, 0, 1}, 0), 1.0);
    // A draw is nearer a home win than an away win is.
    EXPECT_LT(rankedProbabilityScore({0, 1, 0}, 0), rankedProbabilityScore({0, 0, 1}, 0));
}

TEST(Backtest, TheToolForecastsAMatchdayAndScoresASeason)
{
    testsupport::TempDir dir;
    std::mt19937 random(5);
    const League league(6, random);
    QList<QByteArray> matches;
    for (const store::MatchRow& r : league.season(random)) {
        QByteArray m = R"({"round": ")" + QByteArray::number(r.journee) + R"(", "team1": ")" +
                       r.domicile.toUtf8() + R"(", "team2": ")" + r.visiteur.toUtf8() + '"';
        if (r.journee <= 7)
            m += R"(, "score": {"ft": [)" + QByteArray::number(r.scoreDomicile) + ", " +
                 QByteArray::number(r.scoreVisiteur) + "]}";
        matches << m + '}';
    }
    testsupport::writeBytes(dir.file("ligue.json"),
                            R"({"name": "Ligue 2025/26", "matches": [)" + matches.join(',') + "]}");
    const QString file = dir.file("ligue.dat");
    QProcess create;
    create.start(QDir(QCoreApplication::applicationDirPath()).filePath("../../bin/vemo-cli"),
                 {"new", file, "--from", dir.file("ligue.json")});
    ASSERT_TRUE(create.waitForFinished(30000));
    ASSERT_EQ(create.exitCode(), 0) << create.readAllStandardError().toStdString();

    // By default the first matchday with a match to play, in the file's order.
    const std::vector<QStringList> table = testsupport::cliCsv({"predict", file});
    ASSERT_EQ(table.size(), 4u);
    EXPECT_EQ(table[0].join(','),
              QStringLiteral("Journée,Domicile,Visiteur,P1,PN,P2,ButsDomicile,ButsVisiteur,Score"));
    for (size_t i = 1; i < table.size(); ++i) {
        EXPECT_EQ(table[i][0], QStringLiteral("8"));
        const double sum = table[i][3].toDouble() + table[i][4].toDouble() + table[i][5].toDouble();
        EXPECT_NEAR(sum, 1.0, 0.0002) << table[i].join(',').toStdString();
        EXPECT_TRUE(table[i][8].contains(QLatin1Char('-')));
    }
    // A previous season that cannot be read is said, and the forecasts go on without it.
    QProcess missing;
    missing.start(QDir(QCoreApplication::applicationDirPath()).filePath("../../bin/vemo-cli"),
                  {"predict", file, "--previous", dir.file("absente.dat")});
    ASSERT_TRUE(missing.waitForFinished(30000));
    EXPECT_EQ(missing.exitCode(), 0);
    EXPECT_TRUE(
        QString::fromUtf8(missing.readAllStandardError())
            .contains(QStringLiteral("ne peut pas être lue : les prévisions s'en passent")));
    EXPECT_EQ(QString::fromUtf8(missing.readAllStandardOutput()).count(QLatin1Char('\n')), 4);

    // A played matchday is forecast too, from the matchdays before it.
    EXPECT_EQ(testsupport::cliCsv({"predict", file, "--matchday", "3"}).size(), 4u);

    // The end of the season, with a column for each zone; the same seed, the same table.
    QProcess zones;
    zones.start(QDir(QCoreApplication::applicationDirPath()).filePath("../../bin/vemo-cli"),
                {"properties", file, "--zones", "1:Champion;5-6:Relégation"});
    ASSERT_TRUE(zones.waitForFinished(30000));
    ASSERT_EQ(zones.exitCode(), 0) << zones.readAllStandardError().toStdString();
    const std::vector<QStringList> outlook =
        testsupport::cliCsv({"forecast", file, "--runs", "2000", "--seed", "9"});
    ASSERT_EQ(outlook.size(), 7u);
    EXPECT_EQ(outlook[0].join(','),
              QStringLiteral("Equipe,Pts,PtsFinal,Meilleure,Pire,Champion,Relégation,1,2,3,4,5,6"));
    for (size_t i = 1; i < outlook.size(); ++i) {
        EXPECT_EQ(outlook[i][5], outlook[i][7]);
        EXPECT_NEAR(outlook[i][6].toDouble(), outlook[i][11].toDouble() + outlook[i][12].toDouble(),
                    0.0002);
    }
    EXPECT_EQ(testsupport::cliCsv({"forecast", file, "--runs", "2000", "--seed", "9"}), outlook);
}

TEST(Zones, RangesOfPlacesWithALabelAreCheckedInFrench)
{
    QString why;
    const auto zones =
        store::parseZones(" 19-20:Relégation; 1:Champion;2-4 : Ligue des champions;", 20, why);
    ASSERT_TRUE(zones) << why.toStdString();
    EXPECT_EQ(store::zonesText(*zones),
              QStringLiteral("1:Champion;2-4:Ligue des champions;19-20:Relégation"));
    EXPECT_TRUE(store::parseZones("", 20, why)->empty());
    const std::pair<const char*, const char*> refused[] = {
        {"1-3:A;3:B", "Les zones « A » et « B » se chevauchent."},
        {"0:A", "les places d'une zone vont de 1 à 20"},
        {"4-2:A", "les places d'une zone vont de 1 à 20"},
        {"21:A", "les places d'une zone vont de 1 à 20"},
        {"1:", "le nom d'une zone compte de 1 à 40 caractères"},
        {"Champion", "n'est pas une zone"},
    };
    for (const auto& [text, reason] : refused) {
        EXPECT_FALSE(store::parseZones(QString::fromUtf8(text), 20, why)) << text;
        EXPECT_TRUE(why.contains(QString::fromUtf8(reason))) << why.toStdString();
    }
    EXPECT_FALSE(store::parseZones("1:" + QString(41, QLatin1Char('x')), 20, why));
}
