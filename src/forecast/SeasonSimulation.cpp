#include "forecast/SeasonSimulation.h"

#include <QHash>
#include <QSet>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

namespace forecast {

namespace {

// A small generator of its own per simulated season: the season's draws depend on the seed
// and its number only, not on the thread that plays it.
struct SplitMix
{
    quint64 state;
    quint64 next()
    {
        quint64 z = (state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    double uniform() { return double(next() >> 11) * 0x1.0p-53; }
};

int lastMatchday(const SeasonState& s)
{
    int last = 0;
    for (const auto* list : {&s.played, &s.toPlay})
        for (const store::TeamResult& r : *list)
            last = std::max(last, r.journee);
    return last;
}

} // namespace

SeasonState seasonAfter(const std::vector<store::Team>& teams, const RankingRules& rules,
                        std::span<const store::TeamResult> results,
                        const std::vector<store::Fixture>& fixtures, int matchday,
                        int matchdayCount)
{
    SeasonState s;
    s.teams = teams;
    s.rules = rules;
    const int n = int(teams.size());
    QSet<int> pairings;
    for (const store::TeamResult& r : results) {
        if (r.home < 0 || r.away < 0)
            continue;
        if (r.journee <= matchday)
            s.played.push_back(r);
        else
            s.toPlay.push_back({r.journee, r.home, r.away, 0, 0});
        pairings.insert(r.home * 256 + r.away);
    }
    const store::TeamLookup lookup(teams);
    for (const store::Fixture& f : fixtures) {
        const int h = lookup.find(f.domicile), a = lookup.find(f.visiteur);
        if (h >= 0 && a >= 0 && !pairings.contains(h * 256 + a)) {
            s.toPlay.push_back({f.journee, h, a, 0, 0});
            pairings.insert(h * 256 + a);
        }
    }
    if (fixtures.empty())
        for (int h = 0; h < n; ++h)
            for (int a = 0; a < n; ++a)
                if (h != a && !pairings.contains(h * 256 + a))
                    s.toPlay.push_back({matchdayCount, h, a, 0, 0});
    return s;
}

void placeBounds(const SeasonState& state, std::vector<int>& best, std::vector<int>& worst)
{
    const size_t n = state.teams.size();
    best.assign(n, 1);
    worst.assign(n, int(n));
    // The records so far, as the standings count them.
    const RankingCollection now =
        ComputeRanking(state.played, RankingKind::General, state.teams, state.rules);
    QHash<QString, int> index;
    for (size_t i = 0; i < n; ++i)
        index.insert(state.teams[i].nom, int(i));
    if (state.toPlay.empty()) {
        // Nothing left: the places are the standings'.
        for (int pos = 1; pos <= now.Count(); ++pos) {
            const int t = index.value(now.Item(pos).TeamName);
            best[size_t(t)] = worst[size_t(t)] = pos;
        }
        return;
    }
    const cResult::Points& p = state.rules.points;
    const int most = std::max({p.win, p.draw, p.loss}), least = std::min({p.win, p.draw, p.loss});
    const int bound = lastMatchday(state);
    std::vector<qint64> points(n, 0), diff(n, 0), scored(n, 0), left(n, 0);
    for (const cResult& r : now.items()) {
        const size_t t = size_t(index.value(r.TeamName));
        // The points before any deduction: those in effect at the end are taken off below.
        points[t] = r.points(p) + r.Deduction;
        diff[t] = r.difference();
        scored[t] = r.ButsPour;
    }
    for (const store::TeamPenalty& d : state.rules.penalties)
        if (d.team >= 0 && size_t(d.team) < n && d.journee <= bound)
            points[size_t(d.team)] -= d.points;
    for (const store::TeamResult& r : state.toPlay) {
        ++left[size_t(r.home)];
        ++left[size_t(r.away)];
    }
    // u certainly ends above t: more points at its worst than t at its best; or, with ties told
    // apart by goals, both done and u ahead on the standings' own order.
    const bool byGoals = state.rules.tieBreak == store::TieBreak::Goals;
    const auto above = [&](size_t u, size_t t) {
        const qint64 uLeast = points[u] + left[u] * least, tMost = points[t] + left[t] * most;
        if (uLeast != tMost)
            return uLeast > tMost;
        if (!byGoals || left[u] || left[t])
            return false;
        if (diff[u] != diff[t])
            return diff[u] > diff[t];
        if (scored[u] != scored[t])
            return scored[u] > scored[t];
        return u > t;
    };
    for (size_t t = 0; t < n; ++t)
        for (size_t u = 0; u < n; ++u) {
            if (u == t)
                continue;
            if (above(u, t))
                ++best[t];
            if (above(t, u))
                --worst[t];
        }
}

SeasonOutlook simulateSeason(const SeasonState& state, const MatchModel& model, int runs,
                             quint64 seed, int threads, const std::function<bool(int)>& progress)
{
    const size_t n = state.teams.size();
    const int cells = (MatchModel::kMaxGoals + 1) * (MatchModel::kMaxGoals + 1);
    std::vector<std::vector<double>> cumulative(state.toPlay.size());
    for (size_t k = 0; k < state.toPlay.size(); ++k) {
        double home = 0.0, away = 0.0;
        model.scores(state.toPlay[k].home, state.toPlay[k].away, cumulative[k], home, away);
        for (int c = 1; c < cells; ++c)
            cumulative[k][size_t(c)] += cumulative[k][size_t(c) - 1];
    }
    QHash<QString, int> index;
    for (size_t i = 0; i < n; ++i)
        index.insert(state.teams[i].nom, int(i));

    struct Tally
    {
        std::vector<qint64> places; // team × n + position
        std::vector<qint64> points;
    };
    if (threads <= 0)
        threads = int(std::max(1u, std::thread::hardware_concurrency()));
    constexpr int kBlock = 250;
    const int blocks = (runs + kBlock - 1) / kBlock;
    std::atomic<int> nextBlock{0}, doneRuns{0};
    std::atomic<bool> cancel{false};
    std::vector<Tally> tallies(static_cast<size_t>(threads));
    const auto work = [&](Tally& tally) {
        tally.places.assign(n * n, 0);
        tally.points.assign(n, 0);
        std::vector<store::TeamResult> season = state.played;
        season.insert(season.end(), state.toPlay.begin(), state.toPlay.end());
        const size_t first = state.played.size();
        std::vector<int> points;
        for (int block; !cancel && (block = nextBlock++) < blocks;) {
            const int end = std::min(runs, (block + 1) * kBlock);
            for (int run = block * kBlock; run < end; ++run) {
                SplitMix random{seed * 0x2545F4914F6CDD1DULL + quint64(run)};
                for (size_t k = 0; k < state.toPlay.size(); ++k) {
                    const std::vector<double>& cdf = cumulative[k];
                    const double u = random.uniform() * cdf.back();
                    const int cell = int(std::upper_bound(cdf.begin(), cdf.end(), u) - cdf.begin());
                    const int at = std::min(cell, cells - 1);
                    season[first + k].scoreHome = at / (MatchModel::kMaxGoals + 1);
                    season[first + k].scoreAway = at % (MatchModel::kMaxGoals + 1);
                }
                const std::vector<int> order = GeneralOrder(season, n, state.rules, points);
                for (size_t pos = 0; pos < n; ++pos) {
                    const size_t t = size_t(order[pos]);
                    ++tally.places[t * n + pos];
                    tally.points[t] += points[t];
                }
            }
            doneRuns += end - block * kBlock;
        }
    };
    std::vector<std::thread> pool;
    for (int t = 1; t < threads; ++t)
        pool.emplace_back(work, std::ref(tallies[size_t(t)]));
    if (progress) {
        // The calling thread tells the progress and may cancel while the others work.
        std::thread own(work, std::ref(tallies[0]));
        while (doneRuns < runs && !cancel) {
            if (!progress(int(1000LL * doneRuns / std::max(1, runs))))
                cancel = true;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            if (nextBlock >= blocks && doneRuns >= runs)
                break;
        }
        own.join();
    } else {
        work(tallies[0]);
    }
    for (std::thread& t : pool)
        t.join();

    SeasonOutlook outlook;
    outlook.cancelled = cancel;
    outlook.runs = cancel ? 0 : runs;
    if (cancel)
        return outlook;
    std::vector<int> best, worst;
    placeBounds(state, best, worst);
    const RankingCollection now =
        ComputeRanking(state.played, RankingKind::General, state.teams, state.rules);
    for (int pos = 1; pos <= now.Count(); ++pos) {
        const cResult& r = now.Item(pos);
        TeamOutlook o;
        o.team = index.value(r.TeamName);
        o.points = r.points(state.rules.points);
        qint64 total = 0;
        o.place.assign(n, 0.0);
        for (const Tally& tally : tallies) {
            total += tally.points.empty() ? 0 : tally.points[size_t(o.team)];
            for (size_t k = 0; k < n && !tally.places.empty(); ++k)
                o.place[k] += double(tally.places[size_t(o.team) * n + k]);
        }
        o.finalPoints = double(total) / runs;
        for (double& p : o.place)
            p /= runs;
        o.best = best[size_t(o.team)];
        o.worst = worst[size_t(o.team)];
        outlook.teams.push_back(std::move(o));
    }
    return outlook;
}

} // namespace forecast
