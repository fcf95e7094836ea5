#include "store/Penalties.h"

#include "store/ResultSet.h"
#include "store/Teams.h"
#include "store/TextChecks.h"

#include <sqlite3.h>

namespace store {

namespace {

const char* const kPenaltySchema[] = {
    R"(CREATE TABLE "Pénalités" (
        Equipe TEXT NOT NULL COLLATE NOCASE
            CHECK (typeof(Equipe) = 'text' AND length(Equipe) BETWEEN 1 AND 50),
        Points INTEGER NOT NULL
            CHECK (typeof(Points) = 'integer' AND Points BETWEEN 1 AND 255),
        "Journée" INTEGER NOT NULL
            CHECK (typeof("Journée") = 'integer' AND "Journée" BETWEEN 1 AND 255),
        Motif TEXT NOT NULL
            CHECK (typeof(Motif) = 'text' AND length(Motif) BETWEEN 1 AND 250)))",
    R"(CREATE INDEX "Pénalités_Equipe" ON "Pénalités" (Equipe))",
};

// The team as the team list spells it, and the last matchday; refusal set when the deduction
// cannot be kept.
DbError checkPenalty(Database& db, const Penalty& penalty, Fields& fields, QString& refusal)
{
    refusal.clear();
    std::vector<QString> names;
    if (DbError e = loadTeamNames(db, names))
        return e;
    const QString motif = penalty.motif.trimmed();
    refusal = penaltyProblem(penalty.points, penalty.journee, motif,
                             lastPenaltyMatchday(int(names.size())));
    const int team = TeamLookup(names).find(penalty.equipe);
    if (refusal.isEmpty() && team < 0)
        refusal = QStringLiteral("L'équipe « %1 » n'existe pas dans cette compétition.")
                      .arg(shortened(penalty.equipe));
    fields = {{QStringLiteral("Equipe"), team < 0 ? QString() : names[size_t(team)]},
              {QStringLiteral("Points"), penalty.points},
              {QStringLiteral("Journée"), penalty.journee},
              {QStringLiteral("Motif"), motif}};
    return {};
}

} // namespace

int lastPenaltyMatchday(int teamCount)
{
    return qBound(0, matchdayCount(teamCount), 255);
}

QString penaltyProblem(int points, int journee, const QString& motif, int lastMatchday)
{
    if (points < 1 || points > 255)
        return QStringLiteral("Le nombre de points retirés doit être un nombre entier compris "
                              "entre 1 et 255.");
    if (lastMatchday < 1)
        return QStringLiteral("Une pénalité demande au moins deux équipes dans la compétition.");
    if (journee < 1 || journee > lastMatchday)
        return QStringLiteral("La journée doit être un nombre compris entre 1 et %1.")
            .arg(lastMatchday);
    if (motif.isEmpty())
        return QStringLiteral("Indiquez le motif de la pénalité.");
    if (characterCount(motif) > kPenaltyReasonLength)
        return QStringLiteral("Le motif d'une pénalité compte au plus %1 caractères.")
            .arg(kPenaltyReasonLength);
    if (hasControlCharacter(motif))
        return QStringLiteral("Le motif d'une pénalité ne peut pas contenir de caractère de "
                              "contrôle (tabulation, retour à la ligne, caractère nul…).");
    return {};
}

DbError addPenalty(Database& db, const Penalty& penalty, QString& refusal, qint64* rowid)
{
    Transaction tx(db);
    if (tx.beginError())
        return tx.beginError();
    Fields fields;
    if (DbError e = checkPenalty(db, penalty, fields, refusal); e || !refusal.isEmpty())
        return e;
    bool exists = false;
    if (DbError e = hasPenaltyTable(db, exists))
        return e;
    if (!exists)
        for (const char* sql : kPenaltySchema)
            if (DbError e = db.exec(QString::fromUtf8(sql)))
                return e;
    if (DbError e = db.addRow(kPenaltyTable, fields, rowid))
        return e;
    return tx.commit();
}

DbError updatePenalty(Database& db, const Penalty& penalty, QString& refusal)
{
    Transaction tx(db);
    if (tx.beginError())
        return tx.beginError();
    Fields fields;
    if (DbError e = checkPenalty(db, penalty, fields, refusal); e || !refusal.isEmpty())
        return e;
    bool exists = false;
    if (DbError e = hasPenaltyTable(db, exists))
        return e;
    Snapshot row;
    if (exists)
        if (DbError e = db.query(QStringLiteral("SELECT 1 FROM \"Pénalités\" WHERE rowid = ?"),
                                 {penalty.rowid}, row))
            return e;
    if (row.isEmpty()) {
        refusal =
            QStringLiteral("Cette pénalité n'existe plus : elle a été supprimée entre-temps.");
        return {};
    }
    if (DbError e = db.updateRow(kPenaltyTable, penalty.rowid, fields))
        return e;
    return tx.commit();
}

DbError deletePenalty(Database& db, qint64 rowid)
{
    bool exists = false;
    if (DbError e = hasPenaltyTable(db, exists); e || !exists)
        return e;
    const DbError e = db.deleteRow(kPenaltyTable, rowid);
    return e.code == SQLITE_NOTFOUND ? DbError{} : e;
}

DbError loadTeamPenalties(Database& db, const QString& team, std::vector<Penalty>& penalties)
{
    penalties.clear();
    bool exists = false;
    if (DbError e = hasPenaltyTable(db, exists); e || !exists)
        return e;
    Snapshot s;
    if (DbError e = db.query(QStringLiteral("SELECT rowid, Equipe, Points, \"Journée\", Motif "
                                            "FROM \"Pénalités\" WHERE Equipe = ? "
                                            "ORDER BY \"Journée\", rowid"),
                             {team}, s))
        return e;
    for (int r = 0; r < s.rowCount(); ++r)
        penalties.push_back({s.value(r, 0).toLongLong(), s.value(r, 1).toString(),
                             int(s.value(r, 2).toLongLong()), int(s.value(r, 3).toLongLong()),
                             s.value(r, 4).toString()});
    return {};
}

} // namespace store
