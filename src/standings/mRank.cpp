#include "standings/mRank.h"

#include <algorithm>
#include <numeric>

namespace {

struct Tally
{
    int won = 0, lost = 0, nul = 0, pour = 0, contre = 0;
};

// Finds a team by its name as the file compares names: exact first, then ignoring case.
class TeamIndex
{
public:
    explicit TeamIndex(const std::vector<store::Team>& teams)
    {
        m_exact.reserve(qsizetype(teams.size()));
        for (int i = 0; i < int(teams.size()); ++i) {
            m_exact.insert(teams[size_t(i)].nom, i);
            m_folded.insert(store::teamKey(teams[size_t(i)].nom), i);
        }
    }
    int find(const QString& name) const
    {
        const auto it = m_exact.constFind(name);
        if (it != m_exact.constEnd())
            return it.value();
        return m_folded.value(store::teamKey(name), -1);
    }

private:
    QHash<QString, int> m_exact, m_folded;
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
void add(std::vector<Tally>& tallies, int home, int away, const store::MatchRow& r,
         RankingKind kind)
{
    if (home >= 0 && (kind != RankingKind::Exterieur || away == home))
        count(tallies[size_t(home)], r.scoreDomicile, r.scoreVisiteur);
    if (away >= 0 && away != home && kind != RankingKind::Domicile)
        count(tallies[size_t(away)], r.scoreVisiteur, r.scoreDomicile);
}

// Bigger is better, compared field by field.
struct Key
{
    qint64 a = 0, b = 0, c = 0;
    auto operator<=>(const Key&) const = default;
};

Key keyOf(const Tally& t, RankingKind kind, const cResult::Points& p)
{
    switch (kind) {
    case RankingKind::Attaque:
        return {t.pour, 0, 0};
    case RankingKind::Defense:
        return {-qint64(t.contre), 0, 0};
    default:
        return {qint64(t.won) * p.win + qint64(t.nul) * p.draw + qint64(t.lost) * p.loss,
                qint64(t.pour) - t.contre, t.pour};
    }
}

void checkKind(RankingKind kind)
{
    if (!isRankingKind(int(kind)))
        throw BadRankingKind(int(kind));
}

cResult record(const QString& name, const Tally& t, int place)
{
    cResult r;
    r.TeamName = name;
    r.Won = t.won;
    r.Lost = t.lost;
    r.Nul = t.nul;
    r.ButsPour = t.pour;
    r.ButsContre = t.contre;
    r.Ranking = place;
    return r;
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

RankingCollection ComputeRanking(const std::vector<store::MatchRow>& results, RankingKind kind,
                                 const std::vector<store::Team>& teams,
                                 const cResult::Points& points)
{
    checkKind(kind);
    const TeamIndex index(teams);
    std::vector<Tally> tallies(teams.size());
    for (const store::MatchRow& r : results)
        add(tallies, index.find(r.domicile), index.find(r.visiteur), r, kind);

    std::vector<Key> keys(teams.size());
    for (size_t i = 0; i < teams.size(); ++i)
        keys[i] = keyOf(tallies[i], kind, points);
    // Better first; among equals, the team that comes later in the team list first.
    std::vector<int> order(teams.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](int x, int y) {
        if (keys[size_t(x)] != keys[size_t(y)])
            return keys[size_t(x)] > keys[size_t(y)];
        return x > y;
    });

    RankingCollection c;
    c.m_items.reserve(order.size());
    c.m_byName.reserve(qsizetype(order.size()));
    int place = 0;
    for (size_t pos = 0; pos < order.size(); ++pos) {
        const int t = order[pos];
        if (pos == 0 || keys[size_t(t)] != keys[size_t(order[pos - 1])])
            place = int(pos) + 1;
        c.m_items.push_back(record(teams[size_t(t)].nom, tallies[size_t(t)], place));
        c.m_byName.insert(teams[size_t(t)].nom, int(pos));
    }
    return c;
}

std::vector<HistoryEntry> RankingHistory(const std::vector<store::MatchRow>& results,
                                         RankingKind kind, const std::vector<store::Team>& teams,
                                         const cResult::Points& points, const QString& team)
{
    return std::move(RankingHistories(results, kind, teams, points, QStringList{team}).front());
}

std::vector<std::vector<HistoryEntry>> RankingHistories(const std::vector<store::MatchRow>& results,
                                                        RankingKind kind,
                                                        const std::vector<store::Team>& teams,
                                                        const cResult::Points& points,
                                                        const QStringList& chosen)
{
    checkKind(kind);
    std::vector<std::vector<HistoryEntry>> histories(size_t(chosen.size()));
    const TeamIndex index(teams);
    std::vector<int> mine;
    for (const QString& team : chosen)
        mine.push_back(index.find(team));
    if (std::all_of(mine.begin(), mine.end(), [](int t) { return t < 0; }))
        return histories;

    struct Resolved
    {
        int day, home, away;
        const store::MatchRow* row;
    };
    std::vector<Resolved> rows;
    rows.reserve(results.size());
    for (const store::MatchRow& r : results)
        rows.push_back({r.journee, index.find(r.domicile), index.find(r.visiteur), &r});
    std::stable_sort(rows.begin(), rows.end(),
                     [](const Resolved& a, const Resolved& b) { return a.day < b.day; });

    std::vector<Tally> tallies(teams.size());
    std::vector<Key> keys(teams.size());
    for (size_t i = 0; i < rows.size();) {
        const int day = rows[i].day;
        for (; i < rows.size() && rows[i].day == day; ++i)
            add(tallies, rows[i].home, rows[i].away, *rows[i].row, kind);
        for (size_t t = 0; t < teams.size(); ++t)
            keys[t] = keyOf(tallies[t], kind, points);
        // Place after this matchday: one more than the teams strictly better.
        for (size_t c = 0; c < mine.size(); ++c) {
            if (mine[c] < 0)
                continue;
            const Key& own = keys[size_t(mine[c])];
            int better = 0;
            for (const Key& k : keys)
                better += k > own ? 1 : 0;
            histories[c].push_back(
                {day, record(teams[size_t(mine[c])].nom, tallies[size_t(mine[c])], better + 1)});
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
