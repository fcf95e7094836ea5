#include "forecast/MatchModel.h"

#include "store/Results.h"

#include <QHash>
#include <algorithm>
#include <array>
#include <cmath>

namespace forecast {

namespace {

// Typical of the big leagues: the prior of a league with nothing played yet.
const double kBasePrior = std::log(1.3);
const double kHomePrior = 0.25;
constexpr double kLeaguePrecision = 8.0; // base and home advantage
constexpr int kSweeps = 60;
constexpr int kPriorRounds = 12;
// The spread of strengths in a typical league: a standard deviation of about 0.25.
constexpr double kTypicalVariance = 0.06;

struct Game
{
    int home, away, x, y;
    double w;
};

// The Dixon-Coles factor of a score.
double lowScore(int x, int y, double lh, double la, double rho)
{
    if (x == 0 && y == 0)
        return 1.0 - lh * la * rho;
    if (x == 0 && y == 1)
        return 1.0 + lh * rho;
    if (x == 1 && y == 0)
        return 1.0 + la * rho;
    if (x == 1 && y == 1)
        return 1.0 - rho;
    return 1.0;
}

void poisson(double mean, std::array<double, MatchModel::kMaxGoals + 1>& p)
{
    p[0] = std::exp(-mean);
    for (int k = 1; k <= MatchModel::kMaxGoals; ++k)
        p[size_t(k)] = p[size_t(k) - 1] * mean / k;
}

} // namespace

MatchModel MatchModel::fit(const std::vector<QString>& teams,
                           const std::vector<store::MatchRow>& results, int matchday,
                           const FitOptions& options, const PreviousSeason* previous)
{
    MatchModel model;
    model.m_teams = teams;
    const size_t n = teams.size();
    Strengths& s = model.m_strengths;
    s.base = kBasePrior;
    s.home = kHomePrior;

    QHash<QString, int> index;
    for (size_t i = 0; i < n; ++i)
        index.insert(teams[i], int(i));
    std::vector<Game> games;
    for (const store::MatchRow& r : results) {
        if (r.journee >= matchday)
            continue;
        const int h = index.value(r.domicile, -1), a = index.value(r.visiteur, -1);
        if (h < 0 || a < 0 || h == a)
            continue;
        games.push_back({h, a, r.scoreDomicile, r.scoreVisiteur,
                         std::exp(-options.decay * (matchday - r.journee))});
    }
    model.m_learned = int(games.size());
    // Where each team's strengths are pulled: the average, or below it for a team the previous
    // season did not have. Teams of the previous season only (gone down) take places after.
    std::vector<double> attackCentre(n, 0.0), defenceCentre(n, 0.0);
    if (previous && !previous->results.empty()) {
        QHash<QString, int> byKey;
        for (size_t i = 0; i < n; ++i)
            byKey.insert(store::teamKey(teams[i]), int(i));
        std::vector<bool> seen(n, false);
        const auto place = [&](const QString& name) {
            const QString key = store::teamKey(name);
            auto it = byKey.constFind(key);
            if (it == byKey.constEnd()) {
                it = byKey.insert(key, int(attackCentre.size()));
                attackCentre.push_back(0.0);
                defenceCentre.push_back(0.0);
            } else if (size_t(*it) < n) {
                seen[size_t(*it)] = true;
            }
            return *it;
        };
        for (const store::MatchRow& r : previous->results) {
            const int h = place(r.domicile), a = place(r.visiteur);
            if (h == a)
                continue;
            const int age = matchday - 1 + previous->matchdays - r.journee + 1;
            games.push_back({h, a, r.scoreDomicile, r.scoreVisiteur,
                             options.previousWeight * std::exp(-options.decay * age)});
        }
        for (size_t i = 0; i < n; ++i)
            if (!seen[i]) {
                attackCentre[i] = -options.promotedGap;
                defenceCentre[i] = options.promotedGap;
            }
    }
    const size_t all = attackCentre.size();
    s.attack = attackCentre;
    s.defence = defenceCentre;
    if (games.empty()) {
        s.attack.resize(n);
        s.defence.resize(n);
        return model;
    }

    // Block coordinate ascent: given the defences, each attack is a problem of its own (and
    // the other way round), solved by one Newton step a sweep; then base and home advantage.
    // How much teams differ is learned too (empirical Bayes): after each fit, the prior's
    // variance becomes what the strengths and their uncertainty say, held toward a typical
    // league's by options.prior teams' worth.
    std::array<double, 2> tau{1.0 / kTypicalVariance, 1.0 / kTypicalVariance};
    std::vector<double> grad(all), curve(all);
    std::array<std::vector<double>, 2> information{std::vector<double>(all),
                                                   std::vector<double>(all)};
    // Means are products of the exponentials of the strengths, taken once a pass per team.
    std::vector<double> ea(all), ed(all);
    const auto exponentials = [&] {
        for (size_t i = 0; i < all; ++i) {
            ea[i] = std::exp(s.attack[i]);
            ed[i] = std::exp(s.defence[i]);
        }
    };
    for (int round = 0; round < kPriorRounds; ++round) {
        for (int sweep = 0; sweep < kSweeps; ++sweep) {
            double moved = 0.0;
            for (int block = 0; block < 2; ++block) {
                exponentials();
                const double eh = std::exp(s.base + s.home), eb = std::exp(s.base);
                std::fill(grad.begin(), grad.end(), 0.0);
                std::fill(curve.begin(), curve.end(), 0.0);
                std::vector<double>& p = block == 0 ? s.attack : s.defence;
                const std::vector<double>& centre = block == 0 ? attackCentre : defenceCentre;
                for (const Game& g : games) {
                    const double lh = eh * ea[size_t(g.home)] * ed[size_t(g.away)];
                    const double la = eb * ea[size_t(g.away)] * ed[size_t(g.home)];
                    // Home goals move the home attack and the away defence; away goals the
                    // away attack and the home defence.
                    const size_t first = size_t(block == 0 ? g.home : g.away);
                    const size_t second = size_t(block == 0 ? g.away : g.home);
                    grad[first] += g.w * (g.x - lh);
                    curve[first] += g.w * lh;
                    grad[second] += g.w * (g.y - la);
                    curve[second] += g.w * la;
                }
                for (size_t i = 0; i < all; ++i) {
                    const double step = (grad[i] - tau[size_t(block)] * (p[i] - centre[i])) /
                                        (curve[i] + tau[size_t(block)]);
                    p[i] += step;
                    moved = std::max(moved, std::abs(step));
                }
                information[size_t(block)] = curve;
            }
            exponentials();
            for (int which = 0; which < 2; ++which) {
                const double eh = std::exp(s.base + s.home), eb = std::exp(s.base);
                double g = 0.0, c = 0.0;
                for (const Game& game : games) {
                    const double lh = eh * ea[size_t(game.home)] * ed[size_t(game.away)];
                    g += game.w * (game.x - lh);
                    c += game.w * lh;
                    if (which == 0) {
                        const double la = eb * ea[size_t(game.away)] * ed[size_t(game.home)];
                        g += game.w * (game.y - la);
                        c += game.w * la;
                    }
                }
                double& value = which == 0 ? s.base : s.home;
                const double centre = which == 0 ? kBasePrior : kHomePrior;
                const double step =
                    (g - kLeaguePrecision * (value - centre)) / (c + kLeaguePrecision);
                value += step;
                moved = std::max(moved, std::abs(step));
            }
            if (moved < 1e-6)
                break;
        }
        double change = 0.0;
        for (int block = 0; block < 2; ++block) {
            const std::vector<double>& p = block == 0 ? s.attack : s.defence;
            const std::vector<double>& centre = block == 0 ? attackCentre : defenceCentre;
            double sum = options.prior * kTypicalVariance;
            for (size_t i = 0; i < all; ++i)
                sum += (p[i] - centre[i]) * (p[i] - centre[i]) +
                       1.0 / (information[size_t(block)][i] + tau[size_t(block)]);
            const double next = (options.prior + double(all)) / sum;
            change = std::max(change, std::abs(next / tau[size_t(block)] - 1.0));
            tau[size_t(block)] = next;
        }
        if (change < 0.01)
            break;
    }

    // The low-score correction, by golden-section search of its likelihood.
    std::vector<std::pair<double, double>> means;
    double bound = 0.25;
    for (const Game& g : games) {
        const double lh =
            std::exp(s.base + s.home + s.attack[size_t(g.home)] + s.defence[size_t(g.away)]);
        const double la = std::exp(s.base + s.attack[size_t(g.away)] + s.defence[size_t(g.home)]);
        means.push_back({lh, la});
        bound = std::min({bound, 0.99 / (lh * la), 0.99 / std::max(lh, la)});
    }
    const auto likelihood = [&](double rho) {
        double sum = 0.0;
        for (size_t k = 0; k < games.size(); ++k)
            sum += games[k].w *
                   std::log(lowScore(games[k].x, games[k].y, means[k].first, means[k].second, rho));
        return sum - 50.0 * rho * rho; // a prior that keeps the correction small
    };
    double lo = -bound, hi = bound;
    const double golden = (std::sqrt(5.0) - 1.0) / 2.0;
    for (int k = 0; k < 40; ++k) {
        const double a = hi - golden * (hi - lo), b = lo + golden * (hi - lo);
        if (likelihood(a) < likelihood(b))
            lo = a;
        else
            hi = b;
    }
    s.rho = (lo + hi) / 2.0;
    s.attack.resize(n);
    s.defence.resize(n);
    return model;
}

int MatchModel::teamIndex(const QString& name) const
{
    const auto it = std::find(m_teams.begin(), m_teams.end(), name);
    return it == m_teams.end() ? -1 : int(it - m_teams.begin());
}

MatchProbabilities MatchModel::predict(const QString& home, const QString& away) const
{
    return predict(teamIndex(home), teamIndex(away));
}

void MatchModel::scores(int home, int away, std::vector<double>& matrix, double& homeGoals,
                        double& awayGoals) const
{
    const Strengths& s = m_strengths;
    const auto strength = [](const std::vector<double>& v, int i) {
        return i >= 0 && size_t(i) < v.size() ? v[size_t(i)] : 0.0;
    };
    homeGoals = std::exp(s.base + s.home + strength(s.attack, home) + strength(s.defence, away));
    awayGoals = std::exp(s.base + strength(s.attack, away) + strength(s.defence, home));
    std::array<double, kMaxGoals + 1> ph{}, pa{};
    poisson(homeGoals, ph);
    poisson(awayGoals, pa);
    // A correction that would make a low score impossible is held back.
    const double rho = std::clamp(s.rho, -0.99 / std::max(homeGoals * awayGoals, 1e-9),
                                  0.99 / std::max({homeGoals, awayGoals, 1.0}));
    matrix.assign(size_t((kMaxGoals + 1) * (kMaxGoals + 1)), 0.0);
    double total = 0.0;
    for (int x = 0; x <= kMaxGoals; ++x)
        for (int y = 0; y <= kMaxGoals; ++y) {
            const double p =
                ph[size_t(x)] * pa[size_t(y)] * lowScore(x, y, homeGoals, awayGoals, rho);
            matrix[size_t(x * (kMaxGoals + 1) + y)] = p;
            total += p;
        }
    for (double& p : matrix)
        p /= total;
}

MatchProbabilities MatchModel::predict(int home, int away) const
{
    MatchProbabilities out;
    std::vector<double> matrix;
    scores(home, away, matrix, out.homeGoals, out.awayGoals);
    double best = -1.0;
    for (int x = 0; x <= kMaxGoals; ++x)
        for (int y = 0; y <= kMaxGoals; ++y) {
            const double p = matrix[size_t(x * (kMaxGoals + 1) + y)];
            (x > y ? out.home : x == y ? out.draw : out.away) += p;
            if (p > best) {
                best = p;
                out.likelyHome = x;
                out.likelyAway = y;
            }
        }
    return out;
}

} // namespace forecast
