#include "store/Schedule.h"

#include "store/TextChecks.h"

#include <algorithm>
#include <random>

namespace store {

namespace {

// A number in [0, bound) drawn without bias; std::uniform_int_distribution differs between
// standard libraries, and the same seed must give the same calendar everywhere.
quint32 drawBelow(std::mt19937& gen, quint32 bound)
{
    const quint32 floor = (0u - bound) % bound;
    quint32 r;
    do
        r = quint32(gen());
    while (r < floor);
    return r % bound;
}

struct Pairing
{
    int journee;
    int home;
    int away;
};

// The whole season for slots 0 .. n − 1, turning around slot m − 1, m being n rounded up to even
// (the rest when n is odd). Venues alternate: the fixed slot receives on even rounds, and each
// other pair faces one way or the other by the parity of its distance from the fixed slot's
// partner.
std::vector<Pairing> circleSeason(int n)
{
    const int m = n + n % 2;
    const int rounds = m - 1;
    std::vector<Pairing> season;
    season.reserve(size_t(n) * size_t(n - 1));
    const auto secondHalfDay = [&](int round) {
        if (n % 2 == 1)
            return rounds + round + 1;
        return round == rounds - 1 ? rounds + 1 : rounds + round + 2;
    };
    std::vector<Pairing> round;
    for (int r = 0; r < rounds; ++r) {
        round.clear();
        if (m - 1 < n) {
            if (r % 2 == 0)
                round.push_back({r + 1, m - 1, r});
            else
                round.push_back({r + 1, r, m - 1});
        }
        for (int k = 1; k < m / 2; ++k) {
            const int a = (r + k) % rounds, b = (r - k + rounds) % rounds;
            if (k % 2 == 1)
                round.push_back({r + 1, a, b});
            else
                round.push_back({r + 1, b, a});
        }
        season.insert(season.end(), round.begin(), round.end());
        for (Pairing& p : round)
            p = {secondHalfDay(r), p.away, p.home};
        season.insert(season.end(), round.begin(), round.end());
    }
    std::stable_sort(season.begin(), season.end(),
                     [](const Pairing& x, const Pairing& y) { return x.journee < y.journee; });
    return season;
}

} // namespace

ScheduleOutcome generateSchedule(const ScheduleInput& input)
{
    ScheduleOutcome outcome;
    const int n = input.teamCount;
    if (n < 2 || n > kMaxTeams)
        return outcome;
    const int days = matchdayCount(n);
    const int half = days / 2;

    std::vector<int> team(size_t(n), 0);
    for (int i = 0; i < n; ++i)
        team[size_t(i)] = i;
    std::mt19937 gen(input.seed);
    for (int i = n - 1; i > 0; --i)
        std::swap(team[size_t(i)], team[drawBelow(gen, quint32(i + 1))]);

    // What each team does on each matchday: a fixture's index, kTaken or kFree.
    constexpr int kFree = -1, kTaken = -2;
    std::vector<char> played(size_t(n) * size_t(n), 0);
    std::vector<int> at(size_t(n) * size_t(days + 1), kFree);
    const auto slot = [&](int t, int day) -> int& {
        return at[size_t(t) * size_t(days + 1) + size_t(day)];
    };
    for (const PlannedMatch& m : input.taken) {
        if (m.home < 0 || m.home >= n || m.away < 0 || m.away >= n || m.home == m.away)
            continue;
        played[size_t(m.home) * size_t(n) + size_t(m.away)] = 1;
        if (m.journee >= 1 && m.journee <= days)
            slot(m.home, m.journee) = slot(m.away, m.journee) = kTaken;
    }

    // Pairings keep their own matchday when both teams are free there; the others wait until
    // all of those are placed, so that they take no matchday another pairing needed.
    std::vector<PlannedMatch> placed, moved;
    placed.reserve(size_t(n) * size_t(n - 1));
    const auto place = [&](const PlannedMatch& m) {
        slot(m.home, m.journee) = slot(m.away, m.journee) = int(placed.size());
        placed.push_back(m);
    };
    for (const Pairing& p : circleSeason(n)) {
        const int home = team[size_t(p.home)], away = team[size_t(p.away)];
        if (played[size_t(home) * size_t(n) + size_t(away)])
            continue;
        if (slot(home, p.journee) != kFree || slot(away, p.journee) != kFree)
            moved.push_back({p.journee, home, away});
        else
            place({p.journee, home, away});
    }

    // Swaps matchdays a and b along the chain of new fixtures that starts with from's match on
    // a (from being free on b), so that from is free on a; refused when the chain reaches
    // avoid or a match already in the file.
    std::vector<int> chain;
    const auto freeBySwap = [&](int from, int avoid, int a, int b) {
        chain.clear();
        for (int t = from, day = a, other = b; slot(t, day) != kFree; std::swap(day, other)) {
            const int f = slot(t, day);
            if (f == kTaken)
                return false;
            t = placed[size_t(f)].home == t ? placed[size_t(f)].away : placed[size_t(f)].home;
            if (t == avoid)
                return false;
            chain.push_back(f);
        }
        for (int f : chain) {
            PlannedMatch& m = placed[size_t(f)];
            slot(m.home, m.journee) = slot(m.away, m.journee) = kFree;
        }
        for (int f : chain) {
            PlannedMatch& m = placed[size_t(f)];
            m.journee = m.journee == a ? b : a;
            slot(m.home, m.journee) = slot(m.away, m.journee) = f;
        }
        return true;
    };

    std::vector<int> order, homeFree, awayFree;
    // A pairing that still fits nowhere takes a matchday where one of its teams is free from
    // the other team's new fixture, which is placed again in turn; a bounded number of times.
    std::vector<int> evictable;
    long budget = 200L * long(moved.size()) + 1000;
    for (size_t next = 0; next < moved.size(); ++next) {
        const PlannedMatch m = moved[next];
        // The other matchdays from the nearest, those of the same half first; later before
        // earlier at the same distance: a match put off rather than brought forward.
        order.clear();
        const int first = m.journee <= half ? 1 : half + 1;
        for (int inHalf : {1, 0})
            for (int d = 1; d < days; ++d)
                for (int day : {m.journee + d, m.journee - d})
                    if (day >= 1 && day <= days && (day >= first && day < first + half) == inHalf)
                        order.push_back(day);
        int found = 0;
        homeFree.clear();
        awayFree.clear();
        for (int day : order) {
            const bool homeIsFree = slot(m.home, day) == kFree,
                       awayIsFree = slot(m.away, day) == kFree;
            if (homeIsFree && awayIsFree) {
                found = day;
                break;
            }
            if (homeIsFree)
                homeFree.push_back(day);
            if (awayIsFree)
                awayFree.push_back(day);
        }
        // No matchday free for both: one where the home team is free is freed for the visitors
        // by swapping two matchdays along a chain of new fixtures, or the other way round.
        for (size_t i = 0; !found && i < std::max(homeFree.size(), awayFree.size()); ++i)
            for (size_t j = 0; !found && j <= i; ++j) {
                if (i < homeFree.size() && j < awayFree.size() &&
                    freeBySwap(m.away, m.home, homeFree[i], awayFree[j]))
                    found = homeFree[i];
                else if (i < awayFree.size() && j < homeFree.size() &&
                         freeBySwap(m.home, m.away, awayFree[i], homeFree[j]))
                    found = awayFree[i];
            }
        if (!found && budget > 0) {
            evictable.clear();
            for (int day = 1; day <= days; ++day) {
                const int h = slot(m.home, day), a = slot(m.away, day);
                if ((h == kFree && a >= 0) || (a == kFree && h >= 0))
                    evictable.push_back(day);
            }
            if (!evictable.empty()) {
                --budget;
                found = evictable[drawBelow(gen, quint32(evictable.size()))];
                const int f = std::max(slot(m.home, found), slot(m.away, found));
                PlannedMatch& out = placed[size_t(f)];
                slot(out.home, found) = slot(out.away, found) = kFree;
                moved.push_back(out);
                out.journee = 0;
            }
        }
        if (found)
            place({found, m.home, m.away});
        else
            outcome.unplaced.emplace_back(m.home, m.away);
    }
    if (!outcome.unplaced.empty())
        return outcome;
    placed.erase(std::remove_if(placed.begin(), placed.end(),
                                [](const PlannedMatch& m) { return m.journee == 0; }),
                 placed.end());
    std::stable_sort(
        placed.begin(), placed.end(),
        [](const PlannedMatch& x, const PlannedMatch& y) { return x.journee < y.journee; });
    outcome.fixtures = std::move(placed);
    return outcome;
}

} // namespace store
