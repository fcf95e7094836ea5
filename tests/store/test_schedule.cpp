#include "store/Schedule.h"
#include "store/TextChecks.h"

#include <algorithm>
#include <set>
#include <tuple>

#include <gtest/gtest.h>

using store::PlannedMatch;

namespace {

// Why matches cannot make up a whole season of n teams (each ordered pairing once, at most one
// match per team and matchday, matchdays 1 .. matchdayCount(n)); empty when they can.
std::string seasonProblem(int n, const std::vector<PlannedMatch>& matches)
{
    const int days = store::matchdayCount(n);
    if (int(matches.size()) != n * (n - 1))
        return "wrong number of matches: " + std::to_string(matches.size());
    std::set<std::pair<int, int>> pairings;
    std::set<std::pair<int, int>> busy;
    for (const PlannedMatch& m : matches) {
        const std::string where = " on matchday " + std::to_string(m.journee) + ": " +
                                  std::to_string(m.home) + "-" + std::to_string(m.away);
        if (m.journee < 1 || m.journee > days)
            return "matchday out of the season" + where;
        if (m.home == m.away || m.home < 0 || m.away < 0 || m.home >= n || m.away >= n)
            return "bad teams" + where;
        if (!pairings.insert({m.home, m.away}).second)
            return "pairing twice" + where;
        if (!busy.insert({m.home, m.journee}).second || !busy.insert({m.away, m.journee}).second)
            return "a team plays twice" + where;
    }
    return {};
}

std::vector<PlannedMatch> calendar(int n, quint32 seed)
{
    return store::generateSchedule({n, {}, seed}).fixtures;
}

std::vector<PlannedMatch> sorted(std::vector<PlannedMatch> matches)
{
    std::sort(matches.begin(), matches.end(), [](const PlannedMatch& x, const PlannedMatch& y) {
        return std::tie(x.journee, x.home, x.away) < std::tie(y.journee, y.home, y.away);
    });
    return matches;
}

TEST(Schedule, EveryLeagueSizeGetsAWholeBalancedSeason)
{
    for (int n = 2; n <= store::kMaxTeams; ++n) {
        SCOPED_TRACE(n);
        const store::ScheduleOutcome out = store::generateSchedule({n, {}, quint32(n)});
        ASSERT_TRUE(out.unplaced.empty());
        ASSERT_EQ(seasonProblem(n, out.fixtures), "");
        EXPECT_EQ(out.fixtures.back().journee, store::matchdayCount(n));
        EXPECT_TRUE(std::is_sorted(
            out.fixtures.begin(), out.fixtures.end(),
            [](const PlannedMatch& x, const PlannedMatch& y) { return x.journee < y.journee; }));
        // Every matchday is used: an odd league rests one team on each, an even one none.
        std::vector<int> perDay(size_t(store::matchdayCount(n)) + 1, 0);
        std::vector<std::string> venues(static_cast<size_t>(n));
        for (const PlannedMatch& m : out.fixtures) {
            ++perDay[size_t(m.journee)];
            venues[size_t(m.home)] += 'H';
            venues[size_t(m.away)] += 'A';
        }
        for (int day = 1; day <= store::matchdayCount(n); ++day)
            ASSERT_EQ(perDay[size_t(day)], n / 2) << "matchday " << day;
        for (int t = 0; t < n; ++t) {
            EXPECT_EQ(std::count(venues[size_t(t)].begin(), venues[size_t(t)].end(), 'H'), n - 1);
            EXPECT_EQ(venues[size_t(t)].find("HHH"), std::string::npos)
                << t << " " << venues[size_t(t)];
            EXPECT_EQ(venues[size_t(t)].find("AAA"), std::string::npos)
                << t << " " << venues[size_t(t)];
        }
    }
}

TEST(Schedule, TheSeedAloneDecidesTheCalendar)
{
    for (int n : {5, 20, 128}) {
        SCOPED_TRACE(n);
        EXPECT_EQ(calendar(n, 7), calendar(n, 7));
        EXPECT_NE(calendar(n, 7), calendar(n, 8));
    }
    // Four teams have few calendars, yet the seeds reach several of them.
    std::set<std::vector<std::tuple<int, int, int>>> fours;
    for (quint32 seed = 1; seed <= 6; ++seed) {
        std::vector<std::tuple<int, int, int>> c;
        for (const PlannedMatch& m : calendar(4, seed))
            c.emplace_back(m.journee, m.home, m.away);
        fours.insert(c);
    }
    EXPECT_GE(fours.size(), 3u);
    // The shuffle is the program's own, so a seed gives this calendar on every system.
    const std::vector<PlannedMatch> twenty = calendar(20, 1);
    ASSERT_GE(twenty.size(), 3u);
    EXPECT_EQ(std::vector<PlannedMatch>(twenty.begin(), twenty.begin() + 3),
              (std::vector<PlannedMatch>{{1, 5, 6}, {1, 9, 12}, {1, 0, 14}}));
}

TEST(Schedule, ASeasonUnderWayIsCompletedAroundItsMatches)
{
    const int n = 20;
    const std::vector<PlannedMatch> season = calendar(n, 100);
    const auto completes = [&](const std::vector<PlannedMatch>& taken, quint32 seed) {
        const store::ScheduleOutcome out = store::generateSchedule({n, taken, seed});
        EXPECT_TRUE(out.unplaced.empty());
        std::vector<PlannedMatch> whole = taken;
        whole.insert(whole.end(), out.fixtures.begin(), out.fixtures.end());
        EXPECT_EQ(seasonProblem(n, whole), "");
        return whole;
    };

    // The first ten matchdays of the same calendar: the rest of it follows unchanged.
    std::vector<PlannedMatch> taken;
    for (const PlannedMatch& m : season)
        if (m.journee <= 10)
            taken.push_back(m);
    EXPECT_EQ(sorted(completes(taken, 100)), sorted(season));
    // Under other seeds the pairings must move around the matches played, every team playing
    // on every remaining matchday.
    for (quint32 seed : {6u, 7u}) {
        SCOPED_TRACE(seed);
        completes(taken, seed);
    }
    // Matches scattered over the whole season.
    taken.clear();
    for (size_t i = 0; i < season.size(); i += 13)
        taken.push_back(season[i]);
    for (quint32 seed : {3u, 9u}) {
        SCOPED_TRACE(seed);
        completes(taken, seed);
    }
}

TEST(Schedule, APairingWithoutAFreeMatchdayLeavesNothingToWrite)
{
    // Team 0 is free only on matchdays 5 and 6, where team 1 plays: neither 0-1 nor 1-0 fits.
    const std::vector<PlannedMatch> taken = {{1, 0, 2}, {2, 2, 0}, {3, 0, 3},
                                             {4, 3, 0}, {5, 1, 2}, {6, 2, 1}};
    const store::ScheduleOutcome out = store::generateSchedule({4, taken, 0});
    EXPECT_TRUE(out.fixtures.empty());
    std::set<std::pair<int, int>> unplaced(out.unplaced.begin(), out.unplaced.end());
    EXPECT_EQ(unplaced.size(), out.unplaced.size());
    EXPECT_TRUE(unplaced.count({0, 1}));
    EXPECT_TRUE(unplaced.count({1, 0}));
    // 2 and 3 are never free together either; 1 and 3 are, on matchdays 1 and 2.
    EXPECT_TRUE(unplaced.count({2, 3}));
    EXPECT_TRUE(unplaced.count({3, 2}));
    EXPECT_FALSE(unplaced.count({1, 3}));
    EXPECT_FALSE(unplaced.count({3, 1}));
}

} // namespace
