#include "store/Competition.h"
#include "store/ResultSet.h"

#include "store/CompetitionFile.h"
#include "store/TextChecks.h"

#include <QFileInfo>
#include <sqlite3.h>

namespace store {

namespace {

OpenFailure failureOf(const DbError& e)
{
    if (e.code == SQLITE_READONLY_ROLLBACK)
        return OpenFailure::Interrupted;
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
    return OpenError{f, std::move(e), std::move(detail), {}};
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
    // Files made before deductions existed have no table of them.
    Snapshot info;
    if (DbError e = db.query(
            QStringLiteral("PRAGMA table_info(%1)").arg(quoteIdentifier(kPenaltyTable)), {}, info))
        return fail(failureOf(e), e);
    QStringList have;
    for (int r = 0; r < info.rowCount(); ++r)
        have << info.value(r, QStringLiteral("name")).toString();
    if (!have.isEmpty() && have != QStringList{QStringLiteral("Equipe"), QStringLiteral("Points"),
                                               QStringLiteral("Journée"), QStringLiteral("Motif")})
        return fail(OpenFailure::MissingTable, {}, kPenaltyTable);
    return {};
}

// A point count must be stored as an integer: a real 3.7 or a text "3" is refused as it is.
OpenError readPoint(Database& db, const char* name, quint8& out)
{
    QVariant v;
    if (DbError e = readProperty(db, QString::fromLatin1(name), v))
        return fail(e.code == SQLITE_NOTFOUND ? OpenFailure::MissingProperty : failureOf(e), e,
                    QString::fromLatin1(name));
    if (v.typeId() != QMetaType::LongLong || v.toLongLong() < 0 || v.toLongLong() > 255)
        return fail(OpenFailure::MissingProperty, {}, QString::fromLatin1(name));
    out = quint8(v.toLongLong());
    return {};
}

OpenError refusal(OpenFailure failure, const QString& table, const QString& problem)
{
    OpenError e = fail(failure, {}, table);
    e.problem = problem;
    return e;
}

// A condition that every row of a table meets, and what to tell when a row does not. A row
// that breaks the rules makes at least one condition false, not only NULL.
struct Rule
{
    QString condition;
    QString problem;
};

// Scans the rows of from (by default the table itself) once for a row that breaks a rule;
// the first rule it breaks is reported.
OpenError checkRows(Database& db, const QString& table, const std::vector<Rule>& rules,
                    const QString& from = {})
{
    QStringList all, which;
    for (size_t i = 0; i < rules.size(); ++i) {
        all << QStringLiteral("(%1)").arg(rules[i].condition);
        which
            << QStringLiteral("WHEN NOT (%1) THEN %2").arg(rules[i].condition, QString::number(i));
    }
    const QString sql =
        QStringLiteral("SELECT CASE %1 ELSE -1 END FROM %2 WHERE NOT (%3) LIMIT 1")
            .arg(which.join(QLatin1Char(' ')), from.isEmpty() ? quoteIdentifier(table) : from,
                 all.join(QStringLiteral(" AND ")));
    Snapshot s;
    if (DbError e = db.query(sql, {}, s))
        return fail(failureOf(e), e, table);
    if (s.isEmpty())
        return {};
    const qint64 broken = s.value(0, 0).toLongLong();
    return refusal(OpenFailure::BadValue, table,
                   broken >= 0 && broken < qint64(rules.size())
                       ? rules[size_t(broken)].problem
                       : QStringLiteral("une valeur illisible"));
}

// Runs a query that looks for a fault; the value it finds takes the place of %1 in problem.
OpenError checkNone(Database& db, const QString& table, const QString& sql, const QString& problem)
{
    Snapshot s;
    if (DbError e = db.query(sql, {}, s))
        return fail(failureOf(e), e, table);
    if (s.isEmpty())
        return {};
    return refusal(OpenFailure::BadValue, table, problem.arg(shortened(s.value(0, 0).toString())));
}

// The four tables are ordinary tables with rowids, and nothing runs behind a change.
OpenError checkTableKinds(Database& db)
{
    Snapshot triggers;
    if (DbError e = db.query(QStringLiteral("SELECT tbl_name FROM sqlite_master "
                                            "WHERE type = 'trigger' LIMIT 1"),
                             {}, triggers))
        return fail(failureOf(e), e);
    if (!triggers.isEmpty())
        return refusal(OpenFailure::BadTable, shortened(triggers.value(0, 0).toString()),
                       QStringLiteral("est surveillée par un déclencheur"));
    for (const auto& [name, fields] : kTables) {
        const QString table = QString::fromUtf8(name);
        Snapshot kind;
        // Table names are matched as the engine matches them, ignoring the case of ASCII letters.
        if (DbError e = db.query(QStringLiteral("SELECT type = 'table' AND sql NOT LIKE "
                                                "'CREATE VIRTUAL%' FROM sqlite_master "
                                                "WHERE name = ? COLLATE NOCASE"),
                                 {table}, kind))
            return fail(failureOf(e), e, table);
        if (kind.rowCount() != 1)
            return fail(OpenFailure::MissingTable, {}, table);
        // Rows are named by their rowid, which a table WITHOUT ROWID lacks.
        const bool ordinary = kind.value(0, 0).toLongLong() == 1;
        Snapshot none;
        DbError e;
        if (ordinary)
            e = db.query(QStringLiteral("SELECT rowid FROM %1 LIMIT 0").arg(quoteIdentifier(table)),
                         {}, none);
        if (!ordinary || (e.code & 0xff) == SQLITE_ERROR)
            return refusal(OpenFailure::BadTable, table,
                           QStringLiteral("n'est pas une table ordinaire"));
        if (e)
            return fail(failureOf(e), e, table);
    }
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

bool checkCompetitionValues(Database& db, OpenError& error)
{
    error = {};
    if (!(error = checkTableKinds(db)).ok())
        return false;

    const QString teams = QStringLiteral("Equipes");
    // typeof() of a picture is known without reading the picture itself.
    error = checkRows(db, teams,
                      {{QStringLiteral("typeof(Nom) = 'text' AND length(Nom) BETWEEN 1 AND 50"),
                        QStringLiteral("un nom d'équipe vide, de plus de 50 caractères ou qui "
                                       "n'est pas un texte")},
                       {QStringLiteral("typeof(Blason) IN ('null', 'blob')"),
                        QStringLiteral("un blason qui n'est pas enregistré comme une image")},
                       {QStringLiteral("typeof(Icone) IN ('null', 'blob')"),
                        QStringLiteral("une icône qui n'est pas enregistrée comme une image")}});
    if (!error.ok())
        return false;
    // A file without our unique index could hold the same team twice.
    error = checkNone(db, teams,
                      QStringLiteral("SELECT Nom FROM Equipes GROUP BY Nom COLLATE NOCASE "
                                     "HAVING count(*) > 1 LIMIT 1"),
                      QStringLiteral("deux équipes nommées « %1 »"));
    if (!error.ok())
        return false;

    Snapshot count;
    if (DbError e = db.query(QStringLiteral("SELECT count(*) FROM Equipes"), {}, count)) {
        error = fail(failureOf(e), e, teams);
        return false;
    }
    const qint64 matchdays = qMin<qint64>(2 * count.value(0, 0).toLongLong() - 2, 255);
    const QString results = QStringLiteral("Résultats");
    // One typeof() for the three numbers: their sum is an integer only when all three are, or
    // when one is a text or a blob, which the ranges refuse (+ keeps the column's affinity from
    // turning the bounds into texts).
    error = checkRows(
        db, results,
        {{QStringLiteral("+\"Journée\" BETWEEN 1 AND %1").arg(matchdays),
          matchdays < 1
              ? QStringLiteral("une rencontre alors que la compétition a moins de deux équipes")
              : QStringLiteral("une journée qui n'est pas un nombre de 1 à %1").arg(matchdays)},
         {QStringLiteral("+ScoreDomicile BETWEEN 0 AND 255 AND +ScoreVisiteur BETWEEN 0 AND 255"),
          QStringLiteral("un score qui n'est pas un nombre de 0 à 255")},
         {QStringLiteral("typeof(+\"Journée\" + ScoreDomicile + ScoreVisiteur) = 'integer'"),
          QStringLiteral("une journée ou un score qui n'est pas un nombre entier")},
         {QStringLiteral("Domicile IS NOT Visiteur COLLATE NOCASE"),
          QStringLiteral("une équipe qui se rencontre elle-même")}});
    if (!error.ok())
        return false;
    // Each name once, read from the indexes on the two columns. A name equal to a team's
    // (ignoring case) has that team's length.
    error =
        checkRows(db, results,
                  {{QStringLiteral("typeof(n) = 'text'"),
                    QStringLiteral("un nom d'équipe qui n'est pas un texte")},
                   {QStringLiteral("EXISTS (SELECT 1 FROM Equipes WHERE Nom = n COLLATE NOCASE)"),
                    QStringLiteral("une rencontre d'une équipe qui n'existe pas")}},
                  QStringLiteral("(SELECT DISTINCT Domicile COLLATE NOCASE AS n FROM "
                                 "\"Résultats\" UNION ALL SELECT DISTINCT Visiteur COLLATE "
                                 "NOCASE FROM \"Résultats\")"));
    if (!error.ok())
        return false;

    error = checkRows(
        db, QStringLiteral("Paris"),
        {{QStringLiteral("typeof(\"Date\") = 'text' AND julianday(\"Date\") IS NOT NULL"),
          QStringLiteral("une date illisible")},
         {QStringLiteral("typeof(Description) = 'text' AND length(Description) BETWEEN 1 AND 250"),
          QStringLiteral("une description vide, de plus de 250 caractères ou qui n'est pas un "
                         "texte")},
         {QStringLiteral("typeof(Pari) = 'integer'"),
          QStringLiteral("une mise qui n'est pas un montant")},
         {QStringLiteral("typeof(Gain) = 'integer'"),
          QStringLiteral("un gain qui n'est pas un montant")},
         {QStringLiteral("typeof(Statut) = 'integer' AND Statut BETWEEN 0 AND 255"),
          QStringLiteral("un statut qui n'est pas un nombre entier de 0 à 255")}});
    if (!error.ok())
        return false;

    // The deductions, when the file has them: an ordinary table whose rows keep its rules.
    Snapshot kind;
    if (DbError e = db.query(QStringLiteral("SELECT type = 'table' AND sql NOT LIKE "
                                            "'CREATE VIRTUAL%' FROM sqlite_master "
                                            "WHERE name = ? COLLATE NOCASE"),
                             {kPenaltyTable}, kind)) {
        error = fail(failureOf(e), e, kPenaltyTable);
        return false;
    }
    if (!kind.isEmpty()) {
        Snapshot none;
        const bool ordinary =
            kind.rowCount() == 1 && kind.value(0, 0).toLongLong() == 1 &&
            (db.query(QStringLiteral("SELECT rowid FROM \"Pénalités\" LIMIT 0"), {}, none).code &
             0xff) != SQLITE_ERROR;
        if (!ordinary) {
            error = refusal(OpenFailure::BadTable, kPenaltyTable,
                            QStringLiteral("n'est pas une table ordinaire"));
            return false;
        }
        error = checkRows(
            db, kPenaltyTable,
            {{QStringLiteral("typeof(Equipe) = 'text' AND length(Equipe) BETWEEN 1 AND 50"),
              QStringLiteral("un nom d'équipe vide, de plus de 50 caractères ou qui n'est pas un "
                             "texte")},
             {QStringLiteral("typeof(Points) = 'integer' AND +Points BETWEEN 1 AND 255"),
              QStringLiteral("des points retirés qui ne sont pas un nombre entier de 1 à 255")},
             {QStringLiteral("typeof(\"Journée\") = 'integer' AND +\"Journée\" BETWEEN 1 AND %1")
                  .arg(matchdays),
              matchdays < 1
                  ? QStringLiteral("une pénalité alors que la compétition a moins de deux équipes")
                  : QStringLiteral("une journée qui n'est pas un nombre entier de 1 à %1")
                        .arg(matchdays)},
             {QStringLiteral("typeof(Motif) = 'text' AND length(Motif) BETWEEN 1 AND 250"),
              QStringLiteral("un motif vide, de plus de 250 caractères ou qui n'est pas un "
                             "texte")},
             {QStringLiteral("EXISTS (SELECT 1 FROM Equipes WHERE Nom = Equipe COLLATE NOCASE)"),
              QStringLiteral("une pénalité d'une équipe qui n'existe pas")}});
        if (!error.ok())
            return false;
    }

    const QString properties = QStringLiteral("Propriétés");
    error = checkRows(db, properties,
                      {{QStringLiteral("typeof(Nom) = 'text'"),
                        QStringLiteral("un nom de propriété qui n'est pas un texte")},
                       {QStringLiteral("typeof(Type) = 'integer' AND Type IN (2, 10)"),
                        QStringLiteral("un type de propriété inconnu")},
                       {QStringLiteral("(Type IS 10 AND typeof(Valeur) = 'text') OR (Type IS 2 AND "
                                       "typeof(Valeur) = 'integer' AND Valeur BETWEEN 0 AND 255)"),
                        QStringLiteral("une valeur qui ne correspond pas à son type")}});
    if (!error.ok())
        return false;
    // Names are compared as the file compares them, as readProperty finds them.
    error = checkNone(
        db, properties,
        QStringLiteral("SELECT Nom FROM \"Propriétés\" WHERE "
                       "(Nom IN ('App', 'VersionID', 'Championnat', 'Saison', 'Départage') AND "
                       "Type <> 10) OR "
                       "(Nom IN ('PtsWinner', 'PtsLooser', 'PtsEquality') AND Type <> 2) LIMIT 1"),
        QStringLiteral("la propriété « %1 » n'a pas le bon type"));
    if (!error.ok())
        return false;
    error = checkNone(db, properties,
                      QStringLiteral("SELECT Valeur FROM \"Propriétés\" WHERE Nom = 'Départage' "
                                     "AND Valeur NOT IN ('Buts', 'Confrontations') LIMIT 1"),
                      QStringLiteral("la propriété « Départage » vaut « %1 » au lieu de « Buts » "
                                     "ou « Confrontations »"));
    if (!error.ok())
        return false;
    error = checkNone(db, properties,
                      QStringLiteral("SELECT Nom FROM \"Propriétés\" GROUP BY Nom "
                                     "HAVING count(*) > 1 LIMIT 1"),
                      QStringLiteral("la propriété « %1 » figure plusieurs fois"));
    return error.ok();
}

std::unique_ptr<Competition> Competition::open(const QString& path, OpenError& error,
                                               std::vector<TeamPictures>* pictures, OpenMode mode)
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
    c->m_db = mode == OpenMode::ReadOnly ? Database::openReadOnly(path, competitionKey(), e)
                                         : Database::open(path, competitionKey(), e);
    if (!c->m_db) {
        error = fail(failureOf(e), e);
        return nullptr;
    }
    if (mode == OpenMode::ReadWrite && c->m_db->isReadOnly()) {
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
    if (!checkCompetitionValues(*c->m_db, error))
        return nullptr;
    if (!(error = c->reloadSettings()).ok())
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
    m_results.reset();
    return {};
}

OpenError Competition::reloadSettings()
{
    quint8 win = 0, loss = 0, draw = 0;
    OpenError error;
    if (!(error = readPoint(*m_db, "PtsWinner", win)).ok() ||
        !(error = readPoint(*m_db, "PtsLooser", loss)).ok() ||
        !(error = readPoint(*m_db, "PtsEquality", draw)).ok())
        return error;
    TieBreak tieBreak = TieBreak::Goals;
    if (DbError e = readTieBreak(*m_db, tieBreak))
        return fail(failureOf(e), e);
    m_ptsWinner = win;
    m_ptsLooser = loss;
    m_ptsEquality = draw;
    m_tieBreak = tieBreak;
    return {};
}

DbError Competition::results(std::shared_ptr<const ResultSet>& out)
{
    // Rows changed inside an unfinished transaction may yet be rolled back: never kept.
    if (m_db->inTransaction()) {
        DbError e;
        out = ResultSet::read(*m_db, m_teams, e);
        return e;
    }
    Database::ChangeStamp stamp;
    if (DbError e = m_db->changeStamp(stamp))
        return e;
    if (!m_results || !(stamp == m_resultsStamp)) {
        // The points and the tie-break may have changed with the rest, even before the first
        // read: the file may have changed since it was opened.
        if (OpenError settings = reloadSettings(); !settings.ok())
            return settings.engine.ok() ? DbError{SQLITE_CORRUPT, settings.problem}
                                        : settings.engine;
        DbError e;
        m_results = ResultSet::read(*m_db, m_teams, e);
        if (!m_results)
            return e;
        m_resultsStamp = stamp;
    }
    out = m_results;
    return {};
}

std::shared_ptr<const ResultSet> Competition::resultsOrNone()
{
    std::shared_ptr<const ResultSet> set;
    if (results(set))
        return std::make_shared<const ResultSet>();
    return set;
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
    case OpenFailure::Interrupted:
        return QStringLiteral("Le fichier %1 garde une modification interrompue, qui ne peut être "
                              "annulée que par Vemo avec le droit d'écrire dans le fichier.")
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
    case OpenFailure::BadTable:
        return QStringLiteral("Le fichier %1 n'est pas un fichier de compétition valide : la table "
                              "« %2 » %3.")
            .arg(file, error.detail, error.problem);
    case OpenFailure::BadValue:
        return QStringLiteral("Le fichier %1 n'est pas un fichier de compétition valide : la table "
                              "« %2 » contient une valeur incorrecte (%3).")
            .arg(file, error.detail, error.problem);
    case OpenFailure::Other:
        break;
    }
    return QStringLiteral("Le fichier %1 ne peut pas être ouvert (erreur %2 : %3).")
        .arg(file)
        .arg(error.engine.code)
        .arg(error.engine.message);
}

} // namespace store
