#include "store/Competition.h"

#include "store/CompetitionFile.h"

#include <QFileInfo>
#include <sqlite3.h>

namespace store {

namespace {

OpenFailure failureOf(const DbError& e)
{
    switch (e.code & 0xff) {
    case SQLITE_NOTADB:
        return OpenFailure::NotADatabase;
    case SQLITE_CORRUPT:
    case SQLITE_FORMAT:
        return OpenFailure::Damaged;
    case SQLITE_READONLY:
        return OpenFailure::ReadOnly;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return OpenFailure::Locked;
    case SQLITE_FULL:
        return OpenFailure::DiskFull;
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return OpenFailure::NotFound;
    default:
        return OpenFailure::Other;
    }
}

OpenError fail(OpenFailure f, DbError e = {}, QString detail = {})
{
    return OpenError{f, std::move(e), std::move(detail)};
}

// The tables and fields, in order, that a competition file must have.
const std::pair<const char*, std::vector<const char*>> kTables[] = {
    {"Equipes", {"Nom", "Blason", "Icone"}},
    {"Résultats", {"Journée", "Domicile", "ScoreDomicile", "Visiteur", "ScoreVisiteur"}},
    {"Paris", {"Date", "Description", "Pari", "Gain", "Statut"}},
    {"Propriétés", {"Nom", "Type", "Valeur"}},
};

OpenError checkSchema(Database& db)
{
    for (const auto& [table, fields] : kTables) {
        Snapshot info;
        if (DbError e = db.query(QStringLiteral("PRAGMA table_info(%1)")
                                     .arg(quoteIdentifier(QString::fromUtf8(table))),
                                 {}, info))
            return fail(failureOf(e), e);
        QStringList have;
        for (int r = 0; r < info.rowCount(); ++r)
            have << info.value(r, QStringLiteral("name")).toString();
        QStringList want;
        for (const char* f : fields)
            want << QString::fromUtf8(f);
        if (have != want)
            return fail(OpenFailure::MissingTable, {}, QString::fromUtf8(table));
    }
    return {};
}

OpenError readPoint(Database& db, const char* name, quint8& out)
{
    QVariant v;
    if (DbError e = readProperty(db, QString::fromLatin1(name), v))
        return fail(e.code == SQLITE_NOTFOUND ? OpenFailure::MissingProperty : failureOf(e), e,
                    QString::fromLatin1(name));
    bool ok = false;
    const int n = v.toInt(&ok);
    if (!ok || n < 0 || n > 255)
        return fail(OpenFailure::MissingProperty, {}, QString::fromLatin1(name));
    out = quint8(n);
    return {};
}

DbError readTeams(Database& db, std::vector<Team>& teams, std::vector<TeamPictures>* pictures)
{
    Snapshot s;
    const QString sql =
        pictures ? QStringLiteral("SELECT rowid, Nom, Blason, Icone FROM Equipes ORDER BY Nom")
                 : QStringLiteral("SELECT rowid, Nom FROM Equipes ORDER BY Nom");
    if (DbError e = db.query(sql, {}, s))
        return e;
    teams.clear();
    teams.reserve(size_t(s.rowCount()));
    if (pictures)
        pictures->clear();
    for (int r = 0; r < s.rowCount(); ++r) {
        teams.push_back({s.value(r, 0).toLongLong(), s.value(r, 1).toString()});
        if (pictures)
            pictures->push_back({s.value(r, 1).toString(), s.value(r, 2).toByteArray(),
                                 s.value(r, 3).toByteArray()});
    }
    return {};
}

} // namespace

std::unique_ptr<Competition> Competition::open(const QString& path, OpenError& error,
                                               std::vector<TeamPictures>* pictures)
{
    error = {};
    const QFileInfo fi(path);
    if (!fi.exists()) {
        error = fail(OpenFailure::NotFound);
        return nullptr;
    }
    if (!fi.isFile()) {
        error = fail(OpenFailure::NotAFile);
        return nullptr;
    }
    // An empty file would be taken by the engine for a new, empty database.
    if (fi.size() == 0) {
        error = fail(OpenFailure::NotADatabase);
        return nullptr;
    }

    DbError e;
    std::unique_ptr<Competition> c(new Competition);
    c->m_db = Database::open(path, competitionKey(), e);
    if (!c->m_db) {
        error = fail(failureOf(e), e);
        return nullptr;
    }
    if (c->m_db->isReadOnly()) {
        error = fail(OpenFailure::ReadOnly);
        return nullptr;
    }
    Snapshot check;
    if ((e = c->m_db->query(QStringLiteral("PRAGMA quick_check"), {}, check))) {
        error = fail(failureOf(e), e);
        return nullptr;
    }
    if (check.rowCount() != 1 || check.value(0, 0).toString() != QLatin1String("ok")) {
        error = fail(OpenFailure::Damaged, {SQLITE_CORRUPT, check.value(0, 0).toString()});
        return nullptr;
    }
    if ((error = checkSchema(*c->m_db)).failure != OpenFailure::None)
        return nullptr;
    if (!(error = readPoint(*c->m_db, "PtsWinner", c->m_ptsWinner)).ok() ||
        !(error = readPoint(*c->m_db, "PtsLooser", c->m_ptsLooser)).ok() ||
        !(error = readPoint(*c->m_db, "PtsEquality", c->m_ptsEquality)).ok())
        return nullptr;
    if ((e = readTeams(*c->m_db, c->m_teams, pictures))) {
        error = fail(failureOf(e), e);
        return nullptr;
    }
    c->m_teamCount = qint16(qMin<size_t>(c->m_teams.size(), 32767));
    return c;
}

DbError Competition::requeryTeams()
{
    std::vector<Team> teams;
    if (DbError e = readTeams(*m_db, teams, nullptr))
        return e;
    m_teams = std::move(teams);
    return {};
}

QString describeOpenError(const OpenError& error, const QString& path)
{
    const QString file = QStringLiteral("« %1 »").arg(path);
    switch (error.failure) {
    case OpenFailure::None:
        return {};
    case OpenFailure::NotFound:
        return QStringLiteral("Le fichier %1 est introuvable ou ne peut pas être ouvert.")
            .arg(file);
    case OpenFailure::NotAFile:
        return QStringLiteral("%1 n'est pas un fichier.").arg(file);
    case OpenFailure::NotADatabase:
        return QStringLiteral("Le fichier %1 n'est pas un fichier de compétition, ou son mot de "
                              "passe n'est pas celui de Vemo.")
            .arg(file);
    case OpenFailure::Damaged:
        return QStringLiteral("Le fichier %1 est endommagé et ne peut pas être utilisé.").arg(file);
    case OpenFailure::ReadOnly:
        return QStringLiteral("Le fichier %1 est en lecture seule : Vemo doit pouvoir y écrire.")
            .arg(file);
    case OpenFailure::Locked:
        return QStringLiteral("Le fichier %1 est verrouillé par un autre programme. Réessayez "
                              "quand il sera libéré.")
            .arg(file);
    case OpenFailure::DiskFull:
        return QStringLiteral("Le disque est plein : le fichier %1 ne peut pas être ouvert.")
            .arg(file);
    case OpenFailure::MissingTable:
        return QStringLiteral("Le fichier %1 n'est pas un fichier de compétition valide : la table "
                              "« %2 » est absente ou incomplète.")
            .arg(file, error.detail);
    case OpenFailure::MissingProperty:
        return QStringLiteral("Le fichier %1 n'est pas un fichier de compétition valide : la "
                              "propriété « %2 » est absente ou incorrecte.")
            .arg(file, error.detail);
    case OpenFailure::Other:
        break;
    }
    return QStringLiteral("Le fichier %1 ne peut pas être ouvert (erreur %2 : %3).")
        .arg(file)
        .arg(error.engine.code)
        .arg(error.engine.message);
}

} // namespace store
