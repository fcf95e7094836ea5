#include "store/Teams.h"

namespace store {

DbError updateTeam(Database& db, qint64 rowid, const QString& oldName, const Fields& fields)
{
    QString newName = oldName;
    for (const auto& [field, value] : fields)
        if (field == QLatin1String("Nom"))
            newName = value.toString();
    Transaction tx(db);
    if (tx.beginError())
        return tx.beginError();
    if (DbError e = db.updateRow(QStringLiteral("Equipes"), rowid, fields))
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
    }
    return tx.commit();
}

} // namespace store
