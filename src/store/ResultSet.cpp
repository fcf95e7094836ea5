#include "store/ResultSet.h"

#include <algorithm>

namespace store {

namespace {

// The file's own order within a matchday is kept, as a read by matchday gives it.
void sortByMatchday(std::vector<MatchRow>& rows)
{
    const auto byDay = [](const MatchRow& a, const MatchRow& b) { return a.journee < b.journee; };
    if (std::is_sorted(rows.begin(), rows.end(), byDay))
        return;
    constexpr int kDays = 256;
    if (!std::all_of(rows.begin(), rows.end(),
                     [](const MatchRow& r) { return r.journee >= 0 && r.journee < kDays; })) {
        std::stable_sort(rows.begin(), rows.end(), byDay);
        return;
    }
    std::vector<size_t> start(kDays + 1, 0);
    for (const MatchRow& r : rows)
        ++start[size_t(r.journee) + 1];
    for (int d = 0; d < kDays; ++d)
        start[size_t(d) + 1] += start[size_t(d)];
    std::vector<MatchRow> sorted(rows.size());
    for (MatchRow& r : rows)
        sorted[start[size_t(r.journee)]++] = std::move(r);
    rows = std::move(sorted);
}

} // namespace

TeamLookup::TeamLookup(const std::vector<Team>& teams)
{
    m_exact.reserve(qsizetype(teams.size()));
    m_folded.reserve(qsizetype(teams.size()));
    for (int i = 0; i < int(teams.size()); ++i) {
        m_exact.insert(teams[size_t(i)].nom, i);
        m_folded.insert(teamKey(teams[size_t(i)].nom), i);
    }
}

int TeamLookup::find(const QString& name) const
{
    const auto it = m_exact.constFind(name);
    if (it != m_exact.constEnd())
        return it.value();
    return m_folded.value(teamKey(name), -1);
}

std::shared_ptr<const ResultSet> ResultSet::read(Database& db, const std::vector<Team>& teams,
                                                 DbError& error)
{
    auto set = std::make_shared<ResultSet>();
    if ((error = loadResults(db, std::nullopt, set->m_rows)))
        return nullptr;
    sortByMatchday(set->m_rows);

    // Rows share their name strings, so each distinct name is looked up once.
    const TeamLookup lookup(teams);
    QHash<const void*, int> seen;
    const auto indexOf = [&](const QString& name) {
        const auto it = seen.constFind(name.constData());
        if (it != seen.constEnd())
            return it.value();
        const int index = lookup.find(name);
        seen.insert(name.constData(), index);
        return index;
    };
    set->m_teams.reserve(set->m_rows.size());
    for (const MatchRow& r : set->m_rows)
        set->m_teams.push_back({r.journee, indexOf(r.domicile), indexOf(r.visiteur),
                                r.scoreDomicile, r.scoreVisiteur});

    std::vector<Penalty> penalties;
    if ((error = loadPenalties(db, penalties)))
        return nullptr;
    for (const Penalty& p : penalties)
        set->m_penalties.push_back({lookup.find(p.equipe), p.points, p.journee});
    return set;
}

size_t ResultSet::countUpTo(int journee) const
{
    return size_t(std::upper_bound(m_teams.begin(), m_teams.end(), journee,
                                   [](int day, const TeamResult& r) { return day < r.journee; }) -
                  m_teams.begin());
}

std::span<const TeamResult> ResultSet::teamResultsUpTo(std::optional<int> upTo) const
{
    return std::span<const TeamResult>(m_teams).first(upTo ? countUpTo(*upTo) : m_teams.size());
}

std::vector<MatchRow> ResultSet::rowsUpTo(std::optional<int> upTo) const
{
    return {m_rows.begin(), m_rows.begin() + qsizetype(upTo ? countUpTo(*upTo) : m_rows.size())};
}

std::vector<MatchRow> ResultSet::matchday(int journee) const
{
    return {m_rows.begin() + qsizetype(countUpTo(journee - 1)),
            m_rows.begin() + qsizetype(countUpTo(journee))};
}

std::vector<int> ResultSet::playedMatchdays() const
{
    std::vector<int> days;
    for (const TeamResult& r : m_teams)
        if (days.empty() || days.back() != r.journee)
            days.push_back(r.journee);
    return days;
}

std::vector<MatchRow> ResultSet::teamMatches(int teamIndex) const
{
    std::vector<MatchRow> matches;
    if (teamIndex < 0)
        return matches;
    for (size_t i = m_teams.size(); i-- > 0;)
        if (m_teams[i].home == teamIndex || m_teams[i].away == teamIndex)
            matches.push_back(m_rows[i]);
    return matches;
}

} // namespace store
