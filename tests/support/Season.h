#pragma once

#include "store/Results.h"

#include <QByteArray>
#include <QStringList>
#include <vector>

// Made-up seasons, for the tests and the benchmarks alike.
namespace testsupport {

// Every match of a double round robin of these teams (circle method), with made-up scores.
inline std::vector<store::MatchRow> doubleRoundRobin(const QStringList& teams)
{
    std::vector<store::MatchRow> rows;
    const int n = int(teams.size());
    int day = 1;
    for (int leg = 0; leg < 2; ++leg)
        for (int r = 0; r < n - 1; ++r, ++day)
            for (int k = 0; k < n / 2; ++k) {
                int a = k == 0 ? 0 : 1 + (r + k - 1) % (n - 1);
                int b = 1 + (r + n - 2 - k) % (n - 1);
                if (leg)
                    std::swap(a, b);
                rows.push_back({0, day, teams[a], (a * 7 + day) % 5, teams[b], (b * 3 + day) % 4});
            }
    return rows;
}

// Results as a CSV file to import holds them: the header, then a line per match.
inline QByteArray resultsCsv(const std::vector<store::MatchRow>& rows, char separator = ',')
{
    const QString line = QStringLiteral("%1") + QLatin1Char(separator) + QStringLiteral("%2") +
                         QLatin1Char(separator) + QStringLiteral("%3") + QLatin1Char(separator) +
                         QStringLiteral("%4") + QLatin1Char(separator) + QStringLiteral("%5\n");
    QByteArray text = line.arg(QStringLiteral("Journée"), QStringLiteral("Domicile"),
                               QStringLiteral("ScoreDomicile"), QStringLiteral("Visiteur"),
                               QStringLiteral("ScoreVisiteur"))
                          .toUtf8();
    for (const store::MatchRow& r : rows)
        text += line.arg(QString::number(r.journee), r.domicile, QString::number(r.scoreDomicile),
                         r.visiteur, QString::number(r.scoreVisiteur))
                    .toUtf8();
    return text;
}

} // namespace testsupport
