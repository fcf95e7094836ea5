#pragma once

#include "store/Competition.h"
#include "store/CompetitionFile.h"
#include "store/Database.h"
#include "store/Results.h"
#include "support/Season.h"

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
    QStringList names;
    for (int i = 0; i < n; ++i) {
        names << QStringLiteral("EQUIPE %1").arg(i, 3, 10, QLatin1Char('0'));
        (void)db->addRow(QStringLiteral("Equipes"), {{QStringLiteral("Nom"), names.back()}});
    }
    for (const store::MatchRow& m : testsupport::doubleRoundRobin(names))
        (void)db->addRow(QStringLiteral("Résultats"),
                         {{QStringLiteral("Journée"), m.journee},
                          {QStringLiteral("Domicile"), m.domicile},
                          {QStringLiteral("ScoreDomicile"), m.scoreDomicile},
                          {QStringLiteral("Visiteur"), m.visiteur},
                          {QStringLiteral("ScoreVisiteur"), m.scoreVisiteur}});
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
    const QByteArray text = testsupport::resultsCsv(rows, ';');
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(text) != text.size())
        return {};
    return path;
}

// The season of the league of n teams as an openfootball JSON file, the first `played`
// matchdays with their scores and the others to play.
inline QString benchSeasonJson(int n, int played)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("season%1-%2.json").arg(n).arg(played));
    if (QFile::exists(path))
        return path;
    QStringList names;
    for (int i = 0; i < n; ++i)
        names << QStringLiteral("EQUIPE %1").arg(i, 3, 10, QLatin1Char('0'));
    QByteArray text = R"({"name": "Ligue Test 2025/26", "matches": [)";
    bool first = true;
    for (const store::MatchRow& m : testsupport::doubleRoundRobin(names)) {
        text += first ? "\n" : ",\n";
        first = false;
        text += R"({"round": "Journée )" + QByteArray::number(m.journee) + R"(", "team1": ")" +
                m.domicile.toUtf8() + R"(", "team2": ")" + m.visiteur.toUtf8() + '"';
        if (m.journee <= played)
            text += R"(, "score": {"ft": [)" + QByteArray::number(m.scoreDomicile) + ", " +
                    QByteArray::number(m.scoreVisiteur) + "]}";
        text += '}';
    }
    text += "]}\n";
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(text) != text.size())
        return {};
    return path;
}
