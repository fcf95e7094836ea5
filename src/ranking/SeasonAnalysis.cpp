#include "ranking/SeasonAnalysis.h"

#include "ranking/mRank.h"
#include "store/ResultSet.h"

#include <QHash>
#include <algorithm>

namespace {

bool counts(const store::MatchRow& r, std::optional<int> upTo)
{
    return !upTo || r.journee <= *upTo;
}

// How many of the newest results are among the letters given.
int trailing(const QString& results, const char* letters)
{
    int n = 0;
    for (qsizetype i = results.size() - 1; i >= 0; --i) {
        if (!QString::fromLatin1(letters).contains(results[i]))
            break;
        ++n;
    }
    return n;
}

QString matchesWithout(int n, const char* what)
{
    return n == 1 ? QStringLiteral("1 match sans %1").arg(QString::fromUtf8(what))
                  : QStringLiteral("%1 matchs sans %2").arg(n).arg(QString::fromUtf8(what));
}

} // namespace

SeasonGrid::SeasonGrid(const std::vector<store::MatchRow>& results,
                       const std::vector<store::Team>& teams, std::optional<int> upTo)
{
    const store::TeamLookup index(teams);
    m_teams.reserve(teams.size());
    for (const store::Team& t : teams)
        m_teams.push_back(t.nom);
    m_cells.resize(m_teams.size() * m_teams.size());
    for (const store::MatchRow& r : results) {
        if (!counts(r, upTo))
            continue;
        const int h = index.find(r.domicile);
        const int v = index.find(r.visiteur);
        if (h < 0 || v < 0 || h == v)
            continue;
        m_cells[size_t(h * size() + v)] = {true, r.rowid, r.journee, r.scoreDomicile,
                                           r.scoreVisiteur};
    }
}

QString currentRun(const QString& results)
{
    if (results.isEmpty())
        return {};
    const int wins = trailing(results, "V"), unbeaten = trailing(results, "VN");
    const int defeats = trailing(results, "D"), winless = trailing(results, "ND");
    switch (results.back().toLatin1()) {
    case 'V':
        if (wins < unbeaten)
            return matchesWithout(unbeaten, "défaite");
        return wins == 1 ? QStringLiteral("1 victoire")
                         : QStringLiteral("%1 victoires de suite").arg(wins);
    case 'D':
        if (defeats < winless)
            return matchesWithout(winless, "victoire");
        return defeats == 1 ? QStringLiteral("1 défaite")
                            : QStringLiteral("%1 défaites de suite").arg(defeats);
    default:
        return unbeaten >= winless ? matchesWithout(unbeaten, "défaite")
                                   : matchesWithout(winless, "victoire");
    }
}

std::vector<TeamForm> SeasonForm(const std::vector<store::MatchRow>& results,
                                 const std::vector<store::Team>& teams, const RankingRules& rules,
                                 std::optional<int> upTo, int last)
{
    const cResult::Points& points = rules.points;
    std::vector<store::MatchRow> played;
    played.reserve(results.size());
    for (const store::MatchRow& r : results)
        if (counts(r, upTo))
            played.push_back(r);
    std::stable_sort(
        played.begin(), played.end(),
        [](const store::MatchRow& a, const store::MatchRow& b) { return a.journee < b.journee; });

    const store::TeamLookup index(teams);
    std::vector<TeamForm> forms(teams.size());
    std::vector<QString> sequence(teams.size());
    for (size_t i = 0; i < teams.size(); ++i)
        forms[i].team = teams[i].nom;
    const auto add = [&](const QString& team, int scored, int conceded, bool home) {
        const int at = index.find(team);
        if (at < 0)
            return;
        TeamForm& f = forms[size_t(at)];
        const QChar letter = scored > conceded    ? QLatin1Char('V')
                             : scored == conceded ? QLatin1Char('N')
                                                  : QLatin1Char('D');
        sequence[size_t(at)] += letter;
        int& won = home ? f.homeWon : f.awayWon;
        int& drawn = home ? f.homeDrawn : f.awayDrawn;
        int& lost = home ? f.homeLost : f.awayLost;
        ++(letter == QLatin1Char('V') ? won : letter == QLatin1Char('N') ? drawn : lost);
    };
    for (const store::MatchRow& r : played) {
        add(r.domicile, r.scoreDomicile, r.scoreVisiteur, true);
        add(r.visiteur, r.scoreVisiteur, r.scoreDomicile, false);
    }
    for (size_t i = 0; i < forms.size(); ++i) {
        const QString& all = sequence[i];
        TeamForm& f = forms[i];
        f.last = all.right(qMax(0, last));
        for (QChar c : f.last)
            f.lastPoints += c == QLatin1Char('V')   ? points.win
                            : c == QLatin1Char('N') ? points.draw
                                                    : points.loss;
        f.currentRun = currentRun(all);
        int run = 0;
        for (QChar c : all) {
            run = c == QLatin1Char('V') ? run + 1 : 0;
            f.longestWinningRun = qMax(f.longestWinningRun, run);
        }
    }

    // In the order of the general standings at that matchday.
    const RankingCollection ranking = ComputeRanking(played, RankingKind::General, teams, rules);
    std::vector<TeamForm> ordered;
    ordered.reserve(forms.size());
    for (int p = 1; p <= ranking.Count(); ++p) {
        if (const int at = index.find(ranking.Item(p).TeamName); at >= 0)
            ordered.push_back(forms[size_t(at)]);
    }
    return ordered;
}
