#include "store/Results.h"

namespace store {

namespace {
const QString kSelect = QStringLiteral("SELECT rowid, \"Journée\", Domicile, ScoreDomicile, "
                                       "Visiteur, ScoreVisiteur FROM \"Résultats\"");

DbError load(Database& db, const QString& sql, const QVariantList& params,
             std::vector<MatchRow>& rows)
{
    rows.clear();
    DbError e = db.forEach(sql, params, [&rows](const RowReader& r) {
        rows.push_back({r.integer(0), int(r.integer(1)), r.text(2), int(r.integer(3)), r.text(4),
                        int(r.integer(5))});
    });
    if (e)
        rows.clear();
    return e;
}
} // namespace

std::vector<MatchRow> matchRows(const Snapshot& s)
{
    std::vector<MatchRow> rows;
    rows.reserve(size_t(s.rowCount()));
    const int id = s.columnIndex(QStringLiteral("rowid"));
    const int j = s.columnIndex(QStringLiteral("Journée"));
    const int h = s.columnIndex(QStringLiteral("Domicile"));
    const int sh = s.columnIndex(QStringLiteral("ScoreDomicile"));
    const int v = s.columnIndex(QStringLiteral("Visiteur"));
    const int sv = s.columnIndex(QStringLiteral("ScoreVisiteur"));
    for (int r = 0; r < s.rowCount(); ++r)
        rows.push_back({id >= 0 ? s.value(r, id).toLongLong() : 0, s.value(r, j).toInt(),
                        s.value(r, h).toString(), s.value(r, sh).toInt(), s.value(r, v).toString(),
                        s.value(r, sv).toInt()});
    return rows;
}

DbError loadResults(Database& db, std::optional<int> upTo, std::vector<MatchRow>& rows)
{
    if (!upTo)
        return load(db, kSelect, {}, rows);
    return load(db, kSelect + QStringLiteral(" WHERE \"Journée\" <= ?"), {*upTo}, rows);
}

DbError insertResults(Database& db, const std::vector<MatchRow>& rows)
{
    DbError e;
    const auto insert =
        db.prepare(QStringLiteral("INSERT INTO \"Résultats\" (\"Journée\", Domicile, "
                                  "ScoreDomicile, Visiteur, ScoreVisiteur) VALUES (?, ?, ?, ?, ?)"),
                   e);
    if (!insert)
        return e;
    for (const MatchRow& r : rows)
        if ((e = insert->run(
                 {r.journee, r.domicile, r.scoreDomicile, r.visiteur, r.scoreVisiteur})))
            return e;
    return {};
}

DbError loadPlayedMatchdays(Database& db, std::vector<int>& days)
{
    Snapshot s;
    if (DbError e = db.query(
            QStringLiteral("SELECT DISTINCT \"Journée\" FROM \"Résultats\" ORDER BY \"Journée\""),
            {}, s))
        return e;
    days.clear();
    for (int r = 0; r < s.rowCount(); ++r)
        days.push_back(s.value(r, 0).toInt());
    return {};
}

QString teamKey(const QString& name)
{
    return name.toCaseFolded();
}

} // namespace store
