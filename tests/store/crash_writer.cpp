// Writes one large transaction into a competition file and prints "started" once the
// engine has begun writing pages; the test kills it with SIGKILL part-way.
#include "store/CompetitionFile.h"
#include "store/Database.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3)
        return 2;
    const QString path = QString::fromLocal8Bit(argv[1]);
    const int rows = atoi(argv[2]);
    store::DbError e;
    auto db = store::Database::open(path, store::competitionKey(), e);
    if (!db)
        return 1;
    // A small page cache makes the engine write pages into the file before the commit.
    if (db->exec(QStringLiteral("PRAGMA cache_size = 50")))
        return 1;
    store::Transaction tx(*db);
    const QString text(240, QLatin1Char('x'));
    for (int i = 0; i < rows; ++i) {
        if (db->addRow(QStringLiteral("Paris"),
                       {{QStringLiteral("Date"), QStringLiteral("2024-05-01")},
                        {QStringLiteral("Description"), text + QString::number(i)},
                        {QStringLiteral("Pari"), 10000},
                        {QStringLiteral("Gain"), 0},
                        {QStringLiteral("Statut"), 0}}))
            return 1;
        if (i == rows / 4) {
            std::puts("started");
            std::fflush(stdout);
        }
    }
    if (tx.commit())
        return 1;
    std::puts("committed");
    return 0;
}
