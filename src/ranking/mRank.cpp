#include "ranking/mRank.h"

#include <algorithm>
#include <array>
#include <numeric>

namespace {

struct Tally
{
    int won = 0, lost = 0, nul = 0, pour = 0, contre = 0;
};

void count(Tally& t, int mine, int theirs)
{
    if (mine > theirs)
        ++t.won;
    else if (mine < theirs)
        ++t.lost;
    else
        ++t.nul;
    t.pour += mine;
    t.contre += theirs;
}

// Adds one result to the tallies of the teams it involves, as the kind counts it. A row
// naming the same team twice is found once by a search on that name, from the home side.
void add(std::vector<Tally>& tallies, const store::TeamResult& r, RankingKind kind)
{
    if (r.home >= 0 && (kind != RankingKind::Exterieur || r.away == r.home))
        count(tallies[size_t(r.home)], r.scoreHome, r.scoreAway);
    if (r.away >= 0 && r.away != r.home && kind != RankingKind::Domicile)
        count(tallies[size_t(r.away)], r.scoreAway, r.scoreHome);
}

std::vector<store::TeamResult> resolve(const std::vector<store::MatchRow>& results,
                                       const std::vector<store::Team>& teams)
{
    const store::TeamLookup lookup(teams);
    std::vector<store::TeamResult> resolved;
    resolved.reserve(results.size());
    for (const store::MatchRow& r : results)
        resolved.push_back({r.journee, lookup.find(r.domicile), lookup.find(r.visiteur),
                            r.scoreDomicile, r.scoreVisiteur});
    return resolved;
}

qint64 pointsOf(const Tally& t, const cResult::Points& p)
{
    return qint64(t.won) * p.win + qint64(t.nul) * p.draw + qint64(t.lost) * p.loss;
}

// Bigger is better, compared field by field. For the general standings: points, then (in a
// head-to-head league) the points, goal difference and goals scored between the level teams,
// then goal difference and goals scored.
using Key = std::array<qint64, 6>;

Key keyOf(const Tally& t, RankingKind kind, const cResult::Points& p, int deducted)
{
    switch (kind) {
    case RankingKind::Attaque:
        return {t.pour};
    case RankingKind::Defense:
        return {-qint64(t.contre)};
    default:
        return {pointsOf(t, p) - deducted, 0, 0, 0, qint64(t.pour) - t.contre, t.pour};
    }
}

void setMini(Key& key, const Tally& mini, const cResult::Points& p)
{
    key[1] = pointsOf(mini, p);
    key[2] = qint64(mini.pour) - mini.contre;
    key[3] = mini.pour;
}

bool headToHead(RankingKind kind, const RankingRules& rules)
{
    return kind == RankingKind::General && rules.tieBreak == store::TieBreak::HeadToHead;
}

// Among the teams level on points, the results of their matches against one another.
void applyHeadToHead(std::vector<Key>& keys, std::span<const store::TeamResult> results,
                     const cResult::Points& points)
{
    const size_t n = keys.size();
    std::vector<int> level(n);
    std::iota(level.begin(), level.end(), 0);
    std::sort(level.begin(), level.end(),
              [&](int x, int y) { return keys[size_t(x)][0] < keys[size_t(y)][0]; });
    std::vector<int> group(n, -1);
    for (size_t i = 0; i < n;) {
        size_t j = i;
        while (j < n && keys[size_t(level[j])][0] == keys[size_t(level[i])][0])
            ++j;
        if (j - i > 1)
            for (size_t k = i; k < j; ++k)
                group[size_t(level[k])] = int(i);
        i = j;
    }
    std::vector<Tally> mini(n);
    for (const store::TeamResult& r : results)
        if (r.home >= 0 && r.away >= 0 && r.home != r.away && group[size_t(r.home)] >= 0 &&
            group[size_t(r.home)] == group[size_t(r.away)]) {
            count(mini[size_t(r.home)], r.scoreHome, r.scoreAway);
            count(mini[size_t(r.away)], r.scoreAway, r.scoreHome);
        }
    for (size_t t = 0; t < n; ++t)
        if (group[t] >= 0)
            setMini(keys[t], mini[t], points);
}

// The points taken from each team once the matchday bound is reached.
std::vector<int> deductions(const RankingRules& rules, size_t teamCount, int bound)
{
    std::vector<int> deducted(teamCount, 0);
    for (const store::TeamPenalty& p : rules.penalties)
        if (p.team >= 0 && size_t(p.team) < teamCount && p.journee <= bound)
            deducted[size_t(p.team)] += p.points;
    return deducted;
}

void checkKind(RankingKind kind)
{
    if (!isRankingKind(int(kind)))
        throw BadRankingKind(int(kind));
}

cResult record(const QString& name, const Tally& t, int place, int deducted)
{
    cResult r;
    r.TeamName = name;
    r.Won = t.won;
    r.Lost = t.lost;
    r.Nul = t.nul;
    r.ButsPour = t.pour;
    r.ButsContre = t.contre;
    r.Ranking = place;
    r.Deduction = deducted;
    return r;
}

// Ranks teamCount teams over the results: their tallies, the points taken from them, their
// keys and the order of their places, best first.
std::vector<int> rankTeams(std::span<const store::TeamResult> results, RankingKind kind,
                           size_t teamCount, const RankingRules& rules, std::vector<Tally>& tallies,
                           std::vector<int>& deducted, std::vector<Key>& keys)
{
    tallies.assign(teamCount, Tally{});
    int bound = 0;
    for (const store::TeamResult& r : results) {
        add(tallies, r, kind);
        bound = qMax(bound, r.journee);
    }
    deducted = kind == RankingKind::General ? deductions(rules, teamCount, bound)
                                            : std::vector<int>(teamCount, 0);
    keys.resize(teamCount);
    for (size_t i = 0; i < teamCount; ++i)
        keys[i] = keyOf(tallies[i], kind, rules.points, deducted[i]);
    if (headToHead(kind, rules))
        applyHeadToHead(keys, results, rules.points);
    // Better first; among equals, the team that comes later in the team list first.
    std::vector<int> order(teamCount);
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](int x, int y) {
        if (keys[size_t(x)] != keys[size_t(y)])
            return keys[size_t(x)] > keys[size_t(y)];
        return x > y;
    });
    return order;
}

} // namespace

BadRankingKind::BadRankingKind(int k)
    : std::invalid_argument("Type de classement inconnu : " + std::to_string(k)), kind(k)
{
}

const cResult* RankingCollection::Find(const QString& team) const
{
    const auto it = m_byName.constFind(team);
    if (it != m_byName.constEnd())
        return &m_items[size_t(it.value())];
    for (const cResult& r : m_items)
        if (store::teamKey(r.TeamName) == store::teamKey(team))
            return &r;
    return nullptr;
}

std::vector<int> GeneralOrder(std::span<const store::TeamResult> results, size_t teamCount,
                              const RankingRules& rules, std::vector<int>& points)
{
    std::vector<Tally> tallies;
    std::vector<int> deducted;
    std::vector<Key> keys;
    std::vector<int> order =
        rankTeams(results, RankingKind::General, teamCount, rules, tallies, deducted, keys);
    points.resize(teamCount);
    for (size_t i = 0; i < teamCount; ++i)
        points[i] = int(pointsOf(tallies[i], rules.points)) - deducted[i];
    return order;
}

RankingCollection ComputeRanking(const std::vector<store::MatchRow>& results, RankingKind kind,
                                 const std::vector<store::Team>& teams, const RankingRules& rules)
{
    checkKind(kind);
    return ComputeRanking(resolve(results, teams), kind, teams, rules);
}

RankingCollection ComputeRanking(std::span<const store::TeamResult> results, RankingKind kind,
                                 const std::vector<store::Team>& teams, const RankingRules& rules)
{
    checkKind(kind);
    std::vector<Tally> tallies;
    std::vector<int> deducted;
    std::vector<Key> keys;
    const std::vector<int> order =
        rankTeams(results, kind, teams.size(), rules, tallies, deducted, keys);

    RankingCollection c;
    c.m_items.reserve(order.size());
    c.m_byName.reserve(qsizetype(order.size()));
    int place = 0;
    for (size_t pos = 0; pos < order.size(); ++pos) {
        const int t = order[pos];
        if (pos == 0 || keys[size_t(t)] != keys[size_t(order[pos - 1])])
            place = int(pos) + 1;
        c.m_items.push_back(
            record(teams[size_t(t)].nom, tallies[size_t(t)], place, deducted[size_t(t)]));
        c.m_byName.insert(teams[size_t(t)].nom, int(pos));
    }
    return c;
}

std::vector<HistoryEntry> RankingHistory(const std::vector<store::MatchRow>& results,
                                         RankingKind kind, const std::vector<store::Team>& teams,
                                         const RankingRules& rules, const QString& team)
{
    return std::move(RankingHistories(results, kind, teams, rules, QStringList{team}).front());
}

std::vector<std::vector<HistoryEntry>> RankingHistories(const std::vector<store::MatchRow>& results,
                                                        RankingKind kind,
                                                        const std::vector<store::Team>& teams,
                                                        const RankingRules& rules,
                                                        const QStringList& chosen)
{
    checkKind(kind);
    std::vector<store::TeamResult> rows = resolve(results, teams);
    std::stable_sort(rows.begin(), rows.end(),
                     [](const store::TeamResult& a, const store::TeamResult& b) {
                         return a.journee < b.journee;
                     });
    const store::TeamLookup lookup(teams);
    std::vector<int> mine;
    for (const QString& team : chosen)
        mine.push_back(lookup.find(team));
    return RankingHistories(rows, kind, teams, rules, mine);
}

std::vector<std::vector<HistoryEntry>> RankingHistories(std::span<const store::TeamResult> rows,
                                                        RankingKind kind,
                                                        const std::vector<store::Team>& teams,
                                                        const RankingRules& rules,
                                                        const std::vector<int>& mine)
{
    checkKind(kind);
    std::vector<std::vector<HistoryEntry>> histories(mine.size());
    if (std::all_of(mine.begin(), mine.end(), [](int t) { return t < 0; }))
        return histories;

    const size_t n = teams.size();
    const bool general = kind == RankingKind::General;
    const bool h2h = headToHead(kind, rules);
    // Each team's record against each other team, kept only for a head-to-head league.
    std::vector<Tally> against(h2h ? n * n : 0);
    std::vector<store::TeamPenalty> penalties;
    if (general)
        for (const store::TeamPenalty& p : rules.penalties)
            if (p.team >= 0 && size_t(p.team) < n)
                penalties.push_back(p);
    std::stable_sort(penalties.begin(), penalties.end(),
                     [](const auto& a, const auto& b) { return a.journee < b.journee; });
    size_t nextPenalty = 0;
    std::vector<int> deducted(n, 0);

    std::vector<Tally> tallies(n);
    std::vector<Key> keys(n);
    std::vector<int> level;
    for (size_t i = 0; i < rows.size();) {
        const int day = rows[i].journee;
        for (; i < rows.size() && rows[i].journee == day; ++i) {
            const store::TeamResult& r = rows[i];
            add(tallies, r, kind);
            if (h2h && r.home >= 0 && r.away >= 0 && r.home != r.away) {
                count(against[size_t(r.home) * n + size_t(r.away)], r.scoreHome, r.scoreAway);
                count(against[size_t(r.away) * n + size_t(r.home)], r.scoreAway, r.scoreHome);
            }
        }
        for (; nextPenalty < penalties.size() && penalties[nextPenalty].journee <= day;
             ++nextPenalty)
            deducted[size_t(penalties[nextPenalty].team)] += penalties[nextPenalty].points;
        for (size_t t = 0; t < n; ++t)
            keys[t] = keyOf(tallies[t], kind, rules.points, deducted[t]);
        // Place after this matchday: one more than the teams strictly better.
        for (size_t c = 0; c < mine.size(); ++c) {
            if (mine[c] < 0)
                continue;
            const size_t me = size_t(mine[c]);
            Key own = keys[me];
            int better = 0;
            if (!h2h) {
                for (const Key& k : keys)
                    better += k > own ? 1 : 0;
            } else {
                level.clear();
                for (size_t t = 0; t < n; ++t) {
                    better += keys[t][0] > own[0] ? 1 : 0;
                    if (keys[t][0] == own[0])
                        level.push_back(int(t));
                }
                if (level.size() > 1) {
                    const auto withMini = [&](size_t t) {
                        Tally mini;
                        for (int o : level) {
                            const Tally& a = against[t * n + size_t(o)];
                            mini.won += a.won;
                            mini.nul += a.nul;
                            mini.lost += a.lost;
                            mini.pour += a.pour;
                            mini.contre += a.contre;
                        }
                        Key k = keys[t];
                        setMini(k, mini, rules.points);
                        return k;
                    };
                    own = withMini(me);
                    for (int o : level)
                        better += withMini(size_t(o)) > own ? 1 : 0;
                }
            }
            histories[c].push_back(
                {day, record(teams[me].nom, tallies[me], better + 1, deducted[me])});
        }
    }
    for (std::vector<HistoryEntry>& h : histories)
        std::reverse(h.begin(), h.end());
    return histories;
}

cResult::Points competitionPoints(const store::Competition& c)
{
    return {c.ptsWinner(), c.ptsLooser(), c.ptsEquality()};
}

RankingRules competitionRules(const store::Competition& c, const store::ResultSet& results)
{
    RankingRules rules(competitionPoints(c));
    rules.tieBreak = c.tieBreak();
    rules.penalties = results.penalties();
    return rules;
}
