#include "store/Matches.h"

#include "store/Fixtures.h"
#include "store/Teams.h"

namespace store {

namespace {

const QString kTable = QStringLiteral("Résultats");
const QString kIdentity =
    QStringLiteral("\"Journée\" = ? AND Domicile = ? AND Visiteur = ? ORDER BY rowid LIMIT 1");

DbError findRow(Database& db, const MatchKey& key, std::optional<qint64>& rowid)
{
    Snapshot s;
    rowid.reset();
    if (DbError e = db.query(QStringLiteral("SELECT rowid FROM \"Résultats\" WHERE ") + kIdentity,
                             {key.journee, key.domicile, key.visiteur}, s))
        return e;
    if (!s.isEmpty())
        rowid = s.value(0, 0).toLongLong();
    return {};
}

} // namespace

MatchSaveResult saveMatch(Competition& competition, const MatchRules::Candidate& candidate,
                          const std::optional<MatchKey>& edited)
{
    MatchSaveResult result;
    std::vector<QString> names;
    for (const Team& t : competition.teamList())
        names.push_back(t.nom);
    MatchRules rules(names, competition.teamCount());
    result.verdict = rules.check(candidate);
    if (!result.verdict.accepted())
        return result;
    const MatchRow wanted = result.verdict.row;

    Database& db = competition.db();
    Transaction tx(db);
    if ((result.error = tx.beginError()))
        return result;
    // Another program may have changed the teams since they were read.
    if ((result.error = loadTeamNames(db, names)))
        return result;
    MatchRules current(names, competition.teamCount());
    std::optional<qint64> rowid;
    if (edited) {
        if ((result.error = findRow(db, *edited, rowid)))
            return result;
        if (!rowid) {
            result.editedMissing = true;
            return result;
        }
    }
    // Only the matches of that matchday and those of the same pairing can conflict.
    Snapshot s;
    if ((result.error = db.query(
             QStringLiteral("SELECT rowid, \"Journée\", Domicile, ScoreDomicile, Visiteur, "
                            "ScoreVisiteur FROM \"Résultats\" WHERE \"Journée\" = ? OR "
                            "(Domicile = ? AND Visiteur = ?)"),
             {wanted.journee, wanted.domicile, wanted.visiteur}, s)))
        return result;
    for (const MatchRow& row : matchRows(s))
        current.addExisting(row);
    bool calendar = false;
    if ((result.error = hasFixtureTable(db, calendar)))
        return result;
    if (calendar) {
        if ((result.error = db.query(
                 QStringLiteral("SELECT rowid, \"Journée\", Domicile, Visiteur FROM Calendrier "
                                "WHERE \"Journée\" = ? OR (Domicile = ? AND Visiteur = ?)"),
                 {wanted.journee, wanted.domicile, wanted.visiteur}, s)))
            return result;
        for (int r = 0; r < s.rowCount(); ++r)
            current.addFixture({s.value(r, 0).toLongLong(), s.value(r, 1).toInt(),
                                s.value(r, 2).toString(), s.value(r, 3).toString()});
    }
    result.verdict = current.check(candidate, rowid);
    if (!result.verdict.accepted())
        return result;

    MatchRow& row = result.verdict.row;
    const Fields fields{{QStringLiteral("Journée"), row.journee},
                        {QStringLiteral("Domicile"), row.domicile},
                        {QStringLiteral("ScoreDomicile"), row.scoreDomicile},
                        {QStringLiteral("Visiteur"), row.visiteur},
                        {QStringLiteral("ScoreVisiteur"), row.scoreVisiteur}};
    if (rowid)
        result.error = db.updateRow(kTable, *rowid, fields);
    else
        result.error = db.addRow(kTable, fields, &row.rowid);
    // Played, the match leaves the calendar, whatever matchday it was planned for.
    if (!result.error && result.verdict.playedFixture)
        result.error = deleteFixture(db, *result.verdict.playedFixture);
    if (!result.error)
        result.error = tx.commit();
    return result;
}

DbError deleteMatch(Database& db, const MatchKey& key, bool* found)
{
    int changes = 0;
    DbError e = db.run(QStringLiteral("DELETE FROM \"Résultats\" WHERE rowid = "
                                      "(SELECT rowid FROM \"Résultats\" WHERE ") +
                           kIdentity + QStringLiteral(")"),
                       {key.journee, key.domicile, key.visiteur}, &changes);
    if (found)
        *found = e.ok() && changes > 0;
    return e;
}

DbError countMatchday(Database& db, int journee, int& count)
{
    Snapshot s;
    count = 0;
    if (DbError e =
            db.query(QStringLiteral("SELECT COUNT(*) FROM \"Résultats\" WHERE \"Journée\" = ?"),
                     {journee}, s))
        return e;
    count = s.isEmpty() ? 0 : s.value(0, 0).toInt();
    return {};
}

} // namespace store
