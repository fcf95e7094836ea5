#pragma once

#include "store/Competition.h"
#include "store/CompetitionFile.h"
#include "store/Database.h"
#include "store/Results.h"

#include <QFile>
#include <QTemporaryDir>

// Real competition files for the benchmarks: a league of n teams with every match of its
// 2n - 2 matchdays played (circle method), made once per run.
inline QString benchLeague(int n)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("league%1.dat").arg(n));
    if (QFile::exists(path))
        return path;
    if (store::createCompetitionFile(path))
        return {};
    store::DbError e;
    auto db = store::Database::open(path, store::competitionKey(), e);
    store::Transaction tx(*db);
    const auto name = [](int i) {
        return QStringLiteral("EQUIPE %1").arg(i, 3, 10, QLatin1Char('0'));
    };
    for (int i = 0; i < n; ++i)
        (void)db->addRow(QStringLiteral("Equipes"), {{QStringLiteral("Nom"), name(i)}});
    int day = 1;
    for (int leg = 0; leg < 2; ++leg)
        for (int r = 0; r < n - 1; ++r, ++day)
            for (int k = 0; k < n / 2; ++k) {
                int a = k == 0 ? 0 : 1 + (r + k - 1) % (n - 1);
                int b = 1 + (r + n - 2 - k) % (n - 1);
                if (leg)
                    std::swap(a, b);
                (void)db->addRow(QStringLiteral("Résultats"),
                                 {{QStringLiteral("Journée"), day},
                                  {QStringLiteral("Domicile"), name(a)},
                                  {QStringLiteral("ScoreDomicile"), (a * 7 + day) % 5},
                                  {QStringLiteral("Visiteur"), name(b)},
                                  {QStringLiteral("ScoreVisiteur"), (b * 3 + day) % 4}});
            }
    (void)tx.commit();
    return path;
}

// The league of n teams without its results, and its season as a CSV file to import.
inline QString benchEmptyLeague(int n)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("empty%1.dat").arg(n));
    if (QFile::exists(path))
        return path;
    QFile::copy(benchLeague(n), path);
    store::DbError e;
    auto db = store::Database::open(path, store::competitionKey(), e);
    if (!db || db->exec(QStringLiteral("DELETE FROM \"Résultats\"")) ||
        db->exec(QStringLiteral("VACUUM")))
        return {};
    return path;
}

inline QString benchSeasonCsv(int n)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("season%1.csv").arg(n));
    if (QFile::exists(path))
        return path;
    store::OpenError error;
    auto c = store::Competition::open(benchLeague(n), error);
    std::vector<store::MatchRow> rows;
    if (!c || store::loadResults(c->db(), std::nullopt, rows))
        return {};
    QByteArray text = "Journée;Domicile;ScoreDomicile;Visiteur;ScoreVisiteur\n";
    for (const store::MatchRow& r : rows)
        text += QStringLiteral("%1;%2;%3;%4;%5\n")
                    .arg(r.journee)
                    .arg(r.domicile)
                    .arg(r.scoreDomicile)
                    .arg(r.visiteur)
                    .arg(r.scoreVisiteur)
                    .toUtf8();
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(text) != text.size())
        return {};
    return path;
}
