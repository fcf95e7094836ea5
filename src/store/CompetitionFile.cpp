#include "store/CompetitionFile.h"

#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>

namespace store {

namespace {

const char* const kSchema[] = {
    // Text sizes, byte ranges and types are checked by the file itself.
    R"(CREATE TABLE Equipes (
        Nom TEXT NOT NULL COLLATE NOCASE
            CHECK (typeof(Nom) = 'text' AND length(Nom) BETWEEN 1 AND 50),
        Blason BLOB CHECK (Blason IS NULL OR typeof(Blason) = 'blob'),
        Icone BLOB CHECK (Icone IS NULL OR typeof(Icone) = 'blob')))",
    R"(CREATE UNIQUE INDEX "Nom" ON Equipes (Nom))",
    R"(CREATE TABLE "Résultats" (
        "Journée" INTEGER NOT NULL
            CHECK (typeof("Journée") = 'integer' AND "Journée" BETWEEN 0 AND 255),
        Domicile TEXT NOT NULL COLLATE NOCASE
            CHECK (typeof(Domicile) = 'text' AND length(Domicile) BETWEEN 1 AND 50),
        ScoreDomicile INTEGER NOT NULL
            CHECK (typeof(ScoreDomicile) = 'integer' AND ScoreDomicile BETWEEN 0 AND 255),
        Visiteur TEXT NOT NULL COLLATE NOCASE
            CHECK (typeof(Visiteur) = 'text' AND length(Visiteur) BETWEEN 1 AND 50),
        ScoreVisiteur INTEGER NOT NULL
            CHECK (typeof(ScoreVisiteur) = 'integer' AND ScoreVisiteur BETWEEN 0 AND 255)))",
    R"(CREATE INDEX "Journée" ON "Résultats" ("Journée"))",
    R"(CREATE INDEX "Domicile" ON "Résultats" (Domicile))",
    R"(CREATE INDEX "Visiteur" ON "Résultats" (Visiteur))",
    // Date: ISO-8601 text. Pari and Gain: currency, an integer scaled by 10,000.
    R"(CREATE TABLE Paris (
        "Date" TEXT NOT NULL
            CHECK (typeof("Date") = 'text' AND julianday("Date") IS NOT NULL),
        Description TEXT NOT NULL
            CHECK (typeof(Description) = 'text' AND length(Description) BETWEEN 1 AND 250),
        Pari INTEGER NOT NULL CHECK (typeof(Pari) = 'integer'),
        Gain INTEGER NOT NULL CHECK (typeof(Gain) = 'integer'),
        Statut INTEGER NOT NULL
            CHECK (typeof(Statut) = 'integer' AND Statut BETWEEN 0 AND 255)))",
    R"(CREATE INDEX "Date" ON Paris ("Date"))",
    R"(CREATE INDEX "Statut" ON Paris (Statut))",
    // The competition's named properties, kept in the order of their creation.
    R"(CREATE TABLE "Propriétés" (
        Nom TEXT NOT NULL PRIMARY KEY,
        Type INTEGER NOT NULL CHECK (Type IN (2, 10)),
        Valeur NOT NULL,
        CHECK ((Type = 10 AND typeof(Valeur) = 'text')
            OR (Type = 2 AND typeof(Valeur) = 'integer' AND Valeur BETWEEN 0 AND 255))))",
};

} // namespace

QString applicationVersion()
{
    return QStringLiteral("%1.%2.%3")
        .arg(VEMO_VERSION_MAJOR)
        .arg(VEMO_VERSION_MINOR)
        .arg(VEMO_VERSION_PATCH);
}

DbError createProperty(Database& db, const QString& name, PropertyType type, const QVariant& value)
{
    return db.run(QStringLiteral("INSERT INTO \"Propriétés\" (Nom, Type, Valeur) VALUES (?, ?, ?)"),
                  {name, int(type), value});
}

DbError readProperty(Database& db, const QString& name, QVariant& value)
{
    Snapshot s;
    if (DbError e =
            db.query(QStringLiteral("SELECT Valeur FROM \"Propriétés\" WHERE Nom = ?"), {name}, s))
        return e;
    if (s.isEmpty())
        return {SQLITE_NOTFOUND, QStringLiteral("Property not found: %1").arg(name)};
    value = s.value(0, 0);
    return {};
}

DbError writeProperty(Database& db, const QString& name, const QVariant& value)
{
    int changes = 0;
    if (DbError e = db.run(QStringLiteral("UPDATE \"Propriétés\" SET Valeur = ? WHERE Nom = ?"),
                           {value, name}, &changes))
        return e;
    if (changes == 0)
        return {SQLITE_NOTFOUND, QStringLiteral("Property not found: %1").arg(name)};
    return {};
}

DbError createCompetitionSchema(Database& db)
{
    if (DbError e = db.exec(QStringLiteral("PRAGMA journal_mode = DELETE")))
        return e;
    Transaction tx(db);
    if (tx.beginError())
        return tx.beginError();
    for (const char* sql : kSchema)
        if (DbError e = db.exec(QString::fromUtf8(sql)))
            return e;
    const std::pair<PropertyType, QVariant> values[] = {
        {PropertyType::Text, QString::fromLatin1(kAppMarker)},
        {PropertyType::Text, applicationVersion()},
        {PropertyType::Text, QStringLiteral("Undefined")},
        {PropertyType::Text, QStringLiteral("Undefined")},
        {PropertyType::Byte, 3},
        {PropertyType::Byte, 0},
        {PropertyType::Byte, 1},
    };
    for (size_t i = 0; i < std::size(kPropertyNames); ++i)
        if (DbError e = createProperty(db, QString::fromLatin1(kPropertyNames[i]), values[i].first,
                                       values[i].second))
            return e;
    return tx.commit();
}

DbError createCompetitionFile(const QString& path)
{
    DbError error;
    auto db = Database::create(path, competitionKey(), error);
    if (!db)
        return error;
    error = createCompetitionSchema(*db);
    const DbError closeError = db->close();
    if (!error && closeError)
        error = closeError;
    if (error)
        QFile::remove(path);
    return error;
}

CompetitionCheck checkCompetitionFile(const QString& path, std::unique_ptr<Database>& db,
                                      DbError& error)
{
    db.reset();
    if (!QFileInfo(path).isFile() || QFileInfo(path).size() == 0) {
        error = {SQLITE_NOTADB, QStringLiteral("not a database")};
        return CompetitionCheck::OpenFailed;
    }
    db = Database::open(path, competitionKey(), error);
    if (!db)
        return CompetitionCheck::OpenFailed;
    QVariant marker;
    error = readProperty(*db, QStringLiteral("App"), marker);
    if (error) {
        db.reset();
        return CompetitionCheck::OpenFailed;
    }
    if (marker.typeId() == QMetaType::QString && marker.toString() == QLatin1String(kAppMarker))
        return CompetitionCheck::Ok;
    return CompetitionCheck::WrongMarker;
}

DbError readOptionalProperty(Database& db, const QString& name, QString& value)
{
    value.clear();
    QVariant stored;
    const DbError e = readProperty(db, name, stored);
    if (e.code == SQLITE_NOTFOUND)
        return {};
    if (!e)
        value = stored.toString();
    return e;
}

DbError writeOptionalProperty(Database& db, const QString& name, const QString& value)
{
    const DbError e = writeProperty(db, name, value);
    if (e.code != SQLITE_NOTFOUND)
        return e;
    return createProperty(db, name, PropertyType::Text, value);
}

} // namespace store
