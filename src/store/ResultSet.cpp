#include "store/ResultSet.h"

#include <algorithm>

namespace store {

namespace {

// Each distinct name read, once, found by its bytes.
class NameTable
{
public:
    // The place of the name in names, which receives it when it is new.
    int place(QByteArrayView bytes, std::vector<QString>& names)
    {
        if (2 * (m_bytes.size() + 1) > m_slots.size())
            grow();
        const size_t mask = m_slots.size() - 1;
        for (size_t slot = shortTextHash(bytes) & mask;; slot = (slot + 1) & mask) {
            const int at = m_slots[slot];
            if (at < 0) {
                m_slots[slot] = int(m_bytes.size());
                m_bytes.emplace_back(bytes.data(), bytes.size());
                names.push_back(QString::fromUtf8(bytes));
                return m_slots[slot];
            }
            if (QByteArrayView(m_bytes[size_t(at)]) == bytes)
                return at;
        }
    }

private:
    void grow()
    {
        std::vector<int> grown(qMax<size_t>(1024, 2 * m_slots.size()), -1);
        const size_t mask = grown.size() - 1;
        for (int at = 0; at < int(m_bytes.size()); ++at) {
            size_t slot = shortTextHash(m_bytes[size_t(at)]) & mask;
            while (grown[slot] >= 0)
                slot = (slot + 1) & mask;
            grown[slot] = at;
        }
        m_slots = std::move(grown);
    }

    std::vector<int> m_slots;
    std::vector<QByteArray> m_bytes;
};

struct Raw
{
    TeamResult result; // teams as places in the names read
    qint64 rowid = 0;
};

// The file's own order within a matchday is kept, as a read by matchday gives it.
template <class Row, class Day> void sortByMatchday(std::vector<Row>& rows, Day dayOf)
{
    const auto byDay = [&](const Row& a, const Row& b) { return dayOf(a) < dayOf(b); };
    if (std::is_sorted(rows.begin(), rows.end(), byDay))
        return;
    constexpr int kDays = 256;
    if (!std::all_of(rows.begin(), rows.end(),
                     [&](const Row& r) { return dayOf(r) >= 0 && dayOf(r) < kDays; })) {
        std::stable_sort(rows.begin(), rows.end(), byDay);
        return;
    }
    std::vector<size_t> start(kDays + 1, 0);
    for (const Row& r : rows)
        ++start[size_t(dayOf(r)) + 1];
    for (int d = 0; d < kDays; ++d)
        start[size_t(d) + 1] += start[size_t(d)];
    std::vector<Row> sorted(rows.size());
    for (Row& r : rows)
        sorted[start[size_t(dayOf(r))]++] = std::move(r);
    rows = std::move(sorted);
}

} // namespace

TeamLookup::TeamLookup(const std::vector<Team>& teams)
{
    for (int i = 0; i < int(teams.size()); ++i)
        add(teams[size_t(i)].nom, i);
}

TeamLookup::TeamLookup(const std::vector<QString>& names)
{
    for (int i = 0; i < int(names.size()); ++i)
        add(names[size_t(i)], i);
}

void TeamLookup::add(const QString& name, int place)
{
    m_exact.insert(name, place);
    m_folded.insert(teamKey(name), place);
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
    const TeamLookup lookup(teams);
    NameTable table;
    std::vector<Raw> raw;
    error = db.forEach(QStringLiteral("SELECT rowid, \"Journée\", Domicile, ScoreDomicile, "
                                      "Visiteur, ScoreVisiteur FROM \"Résultats\""),
                       {}, [&](const RowReader& r) {
                           Raw row;
                           row.rowid = r.integer(0);
                           row.result = {int(r.integer(1)), table.place(r.bytes(2), set->m_names),
                                         table.place(r.bytes(4), set->m_names), int(r.integer(3)),
                                         int(r.integer(5))};
                           raw.push_back(row);
                       });
    if (error)
        return nullptr;
    std::vector<int> teamOf;
    for (const QString& name : set->m_names)
        teamOf.push_back(lookup.find(name));
    sortByMatchday(raw, [](const Raw& r) { return r.result.journee; });

    set->m_stored.reserve(raw.size());
    set->m_teams.reserve(raw.size());
    for (const Raw& r : raw) {
        set->m_stored.push_back({r.rowid, r.result.home, r.result.away});
        TeamResult t = r.result;
        t.home = teamOf[size_t(t.home)];
        t.away = teamOf[size_t(t.away)];
        set->m_teams.push_back(t);
    }

    std::vector<Penalty> penalties;
    if ((error = loadPenalties(db, penalties)))
        return nullptr;
    for (const Penalty& p : penalties)
        set->m_penalties.push_back({lookup.find(p.equipe), p.points, p.journee});
    return set;
}

MatchRow ResultSet::rowAt(size_t i) const
{
    const Stored& s = m_stored[i];
    const TeamResult& t = m_teams[i];
    return {s.rowid,    t.journee, m_names[size_t(s.home)], t.scoreHome, m_names[size_t(s.away)],
            t.scoreAway};
}

std::vector<MatchRow> ResultSet::rowsBetween(size_t from, size_t to) const
{
    std::vector<MatchRow> rows;
    rows.reserve(to - from);
    for (size_t i = from; i < to; ++i)
        rows.push_back(rowAt(i));
    return rows;
}

const std::vector<MatchRow>& ResultSet::rows() const
{
    if (!m_rowsMade) {
        m_rows = rowsBetween(0, m_teams.size());
        m_rowsMade = true;
    }
    return m_rows;
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
    return rowsBetween(0, upTo ? countUpTo(*upTo) : m_teams.size());
}

std::vector<MatchRow> ResultSet::matchday(int journee) const
{
    return rowsBetween(countUpTo(journee - 1), countUpTo(journee));
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
            matches.push_back(rowAt(i));
    return matches;
}

} // namespace store
