#include "store/Teams.h"

#include "store/Aliases.h"
#include "store/Fixtures.h"

#include "store/LeagueRules.h"
#include "store/Results.h"

#include <optional>
#include <sqlite3.h>

namespace store {

namespace {

const QString kTable = QStringLiteral("Equipes");

QVariant picture(const QByteArray& bytes)
{
    return bytes.isEmpty() ? QVariant() : QVariant(bytes);
}

// Refused as the file's own index refuses a name already there: another team whose name
// differs only in letter case, accented capitals included.
DbError refuseTwin(Database& db, const QString& name, qint64 exceptRowid)
{
    const QString key = teamKey(name);
    bool twin = false;
    DbError e =
        db.forEach(QStringLiteral("SELECT rowid, Nom FROM Equipes"), {}, [&](const RowReader& r) {
            twin = twin || (r.integer(0) != exceptRowid && teamKey(r.text(1)) == key);
        });
    if (e)
        return e;
    if (twin)
        return {SQLITE_CONSTRAINT_UNIQUE, QStringLiteral("a team of this name is there")};
    return {};
}

} // namespace

DbError findTeam(Database& db, const QString& name, qint64& rowid)
{
    rowid = 0;
    Snapshot s;
    if (DbError e = db.query(QStringLiteral("SELECT rowid FROM Equipes WHERE Nom = ?"), {name}, s))
        return e;
    if (!s.isEmpty())
        rowid = s.value(0, 0).toLongLong();
    return {};
}

DbError readTeam(Database& db, qint64 rowid, TeamPictures& team, bool& found)
{
    found = false;
    Snapshot s;
    if (DbError e = db.query(
            QStringLiteral("SELECT Nom, Blason, Icone FROM Equipes WHERE rowid = ?"), {rowid}, s))
        return e;
    if (s.isEmpty())
        return {};
    team = {s.value(0, 0).toString(), s.value(0, 1).toByteArray(), s.value(0, 2).toByteArray()};
    found = true;
    return {};
}

DbError loadTeamNames(Database& db, std::vector<QString>& names)
{
    names.clear();
    DbError e = db.forEach(QStringLiteral("SELECT Nom FROM Equipes ORDER BY Nom"), {},
                           [&names](const RowReader& r) { names.push_back(r.text(0)); });
    if (e)
        names.clear();
    return e;
}

DbError loadTeamPictures(Database& db, std::vector<TeamPictures>& teams)
{
    teams.clear();
    Snapshot s;
    if (DbError e = db.query(
            QStringLiteral("SELECT Nom, Blason, Icone FROM Equipes ORDER BY rowid"), {}, s))
        return e;
    teams.reserve(size_t(s.rowCount()));
    for (int r = 0; r < s.rowCount(); ++r)
        teams.push_back(
            {s.value(r, 0).toString(), s.value(r, 1).toByteArray(), s.value(r, 2).toByteArray()});
    return {};
}

DbError addTeam(Database& db, const TeamPictures& team)
{
    // The check and the row in one transaction: the caller's, or one of its own.
    std::optional<Transaction> tx;
    if (!db.inTransaction()) {
        tx.emplace(db);
        if (tx->beginError())
            return tx->beginError();
    }
    if (DbError e = refuseTwin(db, team.nom, 0))
        return e;
    if (DbError e = db.addRow(kTable, {{QStringLiteral("Nom"), team.nom},
                                       {QStringLiteral("Blason"), picture(team.blason)},
                                       {QStringLiteral("Icone"), picture(team.icone)}}))
        return e;
    return tx ? tx->commit() : DbError{};
}

DbError addTeams(Database& db, const std::vector<TeamPictures>& teams, QStringList& refused)
{
    refused.clear();
    Transaction tx(db);
    if (tx.beginError())
        return tx.beginError();
    for (const TeamPictures& team : teams) {
        if (DbError e = addTeam(db, team)) {
            if ((e.code & 0xFF) != SQLITE_CONSTRAINT)
                return e;
            refused << team.nom;
        }
    }
    return tx.commit();
}

DbError updateTeam(Database& db, qint64 rowid, const QString& oldName, const Fields& fields)
{
    QString newName = oldName;
    for (const auto& [field, value] : fields)
        if (field == QLatin1String("Nom"))
            newName = value.toString();
    Transaction tx(db);
    if (tx.beginError())
        return tx.beginError();
    if (newName != oldName)
        if (DbError e = refuseTwin(db, newName, rowid))
            return e;
    if (DbError e = db.updateRow(kTable, rowid, fields))
        return e;
    if (newName != oldName) {
        if (DbError e =
                db.run(QStringLiteral("UPDATE \"Résultats\" SET Domicile = ? WHERE Domicile = ?"),
                       {newName, oldName}))
            return e;
        if (DbError e =
                db.run(QStringLiteral("UPDATE \"Résultats\" SET Visiteur = ? WHERE Visiteur = ?"),
                       {newName, oldName}))
            return e;
        bool penalties = false;
        if (DbError e = hasPenaltyTable(db, penalties))
            return e;
        if (penalties)
            if (DbError e =
                    db.run(QStringLiteral("UPDATE \"Pénalités\" SET Equipe = ? WHERE Equipe = ?"),
                           {newName, oldName}))
                return e;
        bool calendar = false;
        if (DbError e = hasFixtureTable(db, calendar))
            return e;
        for (const char* side : {"Domicile", "Visiteur"})
            if (calendar)
                if (DbError e = db.run(QStringLiteral("UPDATE Calendrier SET %1 = ? WHERE %1 = ?")
                                           .arg(QLatin1String(side)),
                                       {newName, oldName}))
                    return e;
        if (DbError e = renameAliasedTeam(db, oldName, newName))
            return e;
    }
    return tx.commit();
}

DbError deleteTeam(Database& db, qint64 rowid)
{
    Transaction tx(db);
    if (tx.beginError())
        return tx.beginError();
    bool penalties = false;
    if (DbError e = hasPenaltyTable(db, penalties))
        return e;
    if (penalties)
        if (DbError e = db.run(QStringLiteral("DELETE FROM \"Pénalités\" WHERE Equipe = "
                                              "(SELECT Nom FROM Equipes WHERE rowid = ?)"),
                               {rowid}))
            return e;
    bool aliases = false;
    if (DbError e = hasTable(db, kAliasTable, aliases))
        return e;
    if (aliases)
        if (DbError e = db.run(QStringLiteral("DELETE FROM Alias WHERE Equipe = "
                                              "(SELECT Nom FROM Equipes WHERE rowid = ?)"),
                               {rowid}))
            return e;
    if (DbError e = db.deleteRow(kTable, rowid))
        return e;
    return tx.commit();
}

} // namespace store
