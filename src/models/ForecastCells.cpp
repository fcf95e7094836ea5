#include "models/ForecastCells.h"

#include <QLocale>
#include <cmath>

namespace ForecastCells {

QString percent(double p)
{
    return QLocale(QLocale::French).toString(100 * p, 'f', 1) + QStringLiteral(" %");
}

QString exported(double p)
{
    return QString::number(p, 'f', 4);
}

QString goals(double expected)
{
    return QLocale(QLocale::French).toString(expected, 'f', 2);
}

QString likelyScore(const forecast::MatchProbabilities& m)
{
    return QStringLiteral("%1-%2").arg(m.likelyHome).arg(m.likelyAway);
}

QString sentence(const QString& home, const QString& away, const forecast::MatchProbabilities& m)
{
    return QStringLiteral("Prévision : victoire de %1 %2, match nul %3, victoire de %4 %5 ; buts "
                          "attendus %6 à %7 ; score le plus probable %8.")
        .arg(home, percent(m.home), percent(m.draw), away, percent(m.away), goals(m.homeGoals),
             goals(m.awayGoals), likelyScore(m));
}

QString shortLine(const forecast::MatchProbabilities& m)
{
    const auto whole = [](double p) { return QString::number(std::lround(100 * p)); };
    return QStringLiteral("1 %1 % · N %2 % · 2 %3 %")
        .arg(whole(m.home), whole(m.draw), whole(m.away));
}

} // namespace ForecastCells
