#include "store/Competition.h"
#include "store/ResultSet.h"

#include "store/Aliases.h"
#include "store/CompetitionFile.h"
#include "store/Fixtures.h"
#include "store/TextChecks.h"

#include <QFileInfo>
#include <QScopeGuard>
#include <cstring>
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

// Scans the rows of table once for a row that breaks a rule; the first rule it breaks is
// reported.
OpenError checkRows(Database& db, const QString& table, const std::vector<Rule>& rules)
{
    QStringList all, which;
    for (size_t i = 0; i < rules.size(); ++i) {
        all << QStringLiteral("(%1)").arg(rules[i].condition);
        which
            << QStringLiteral("WHEN NOT (%1) THEN %2").arg(rules[i].condition, QString::number(i));
    }
    const QString sql = QStringLiteral("SELECT CASE %1 ELSE -1 END FROM %2 WHERE NOT (%3) LIMIT 1")
                            .arg(which.join(QLatin1Char(' ')), quoteIdentifier(table),
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

// A table that files may lack: when present, an ordinary table with rowids.
OpenError checkOptionalTable(Database& db, const QString& table, bool& exists)
{
    Snapshot kind;
    if (DbError e = db.query(QStringLiteral("SELECT type = 'table' AND sql NOT LIKE "
                                            "'CREATE VIRTUAL%' FROM sqlite_master "
                                            "WHERE name = ? COLLATE NOCASE"),
                             {table}, kind))
        return fail(failureOf(e), e, table);
    exists = !kind.isEmpty();
    if (!exists)
        return {};
    Snapshot none;
    const bool ordinary =
        kind.rowCount() == 1 && kind.value(0, 0).toLongLong() == 1 &&
        (db.query(QStringLiteral("SELECT rowid FROM %1 LIMIT 0").arg(quoteIdentifier(table)), {},
                  none)
             .code &
         0xff) != SQLITE_ERROR;
    if (!ordinary)
        return refusal(OpenFailure::BadTable, table,
                       QStringLiteral("n'est pas une table ordinaire"));
    return {};
}

// Texts as the program's own files hold them: UTF-8, no control character. Each column of sql
// is checked; problems name what the column holds.
OpenError checkTexts(Database& db, const QString& table, const QString& sql,
                     const QStringList& columns)
{
    QString problem;
    DbError e = db.forEach(sql, {}, [&](const RowReader& r) {
        for (int c = 0; c < columns.size() && problem.isEmpty(); ++c)
            if (const QString why = storedTextProblem(r.bytes(c)); !why.isEmpty())
                problem = columns[c] + QLatin1Char(' ') + why;
    });
    if (e)
        return fail(failureOf(e), e, table);
    if (!problem.isEmpty())
        return refusal(OpenFailure::BadValue, table, problem);
    return {};
}

// The team names, found by their bytes with the letters A to Z in either case, as the file
// compares names.
class TeamIndex
{
public:
    explicit TeamIndex(const std::vector<QByteArray>& names)
    {
        for (int i = 0; i < int(names.size()); ++i) {
            QByteArray folded = names[size_t(i)];
            fold(folded.data(), folded.size());
            insert(m_exact, names[size_t(i)], i);
            insert(m_folded, folded, i);
        }
    }
    int find(QByteArrayView bytes) const
    {
        // Names are most often stored as the team list spells them.
        if (const int exact = lookUp(m_exact, bytes); exact >= 0)
            return exact;
        char buffer[4 * kTeamNameLength];
        if (bytes.size() > qsizetype(sizeof buffer))
            return -1;
        std::memcpy(buffer, bytes.data(), size_t(bytes.size()));
        fold(buffer, bytes.size());
        return lookUp(m_folded, QByteArrayView(buffer, bytes.size()));
    }

private:
    static constexpr size_t kMask = 4 * kMaxTeams - 1;
    struct Slot
    {
        QByteArray bytes;
        int team = -1;
    };
    using Table = std::vector<Slot>;
    static void fold(char* p, qsizetype n)
    {
        for (qsizetype i = 0; i < n; ++i)
            if (p[i] >= 'A' && p[i] <= 'Z')
                p[i] = char(p[i] + 32);
    }
    static void insert(Table& table, const QByteArray& bytes, int team)
    {
        size_t slot = shortTextHash(bytes) & kMask;
        while (table[slot].team >= 0)
            slot = (slot + 1) & kMask;
        table[slot] = {bytes, team};
    }
    static int lookUp(const Table& table, QByteArrayView bytes)
    {
        for (size_t slot = shortTextHash(bytes) & kMask;; slot = (slot + 1) & kMask) {
            const Slot& s = table[slot];
            if (s.team < 0 ||
                (s.bytes.size() == bytes.size() &&
                 std::memcmp(s.bytes.constData(), bytes.data(), size_t(bytes.size())) == 0))
                return s.team;
        }
    }
    Table m_exact = Table(kMask + 1), m_folded = Table(kMask + 1);
};

// Every result in one pass: its matchday and scores are whole numbers in range, its teams are
// two different teams of the file, a team plays at most once a matchday and each ordered
// pairing (home, visitor) is played once in the season. The first result that breaks a rule
// is told; one that breaks a rule of a league is named with its matchday and teams.
OpenError checkResults(Database& db, qint64 matchdays, bool calendar)
{
    const QString results = QStringLiteral("Résultats");
    std::vector<QByteArray> names;
    if (DbError e =
            db.forEach(QStringLiteral("SELECT Nom FROM Equipes"), {},
                       [&names](const RowReader& r) { names.push_back(r.bytes(0).toByteArray()); }))
        return fail(failureOf(e), e, results);
    const TeamIndex index(names);
    const size_t n = names.size();
    std::vector<quint8> pairDay(n * n, 0); // the matchday a pairing was played, or 0
    std::vector<quint8> plays(256 * n, 0); // a team on a matchday
    QString problem;
    OpenFailure failure = OpenFailure::BadValue;
    const auto name = [&names](int team) {
        return QStringLiteral("« %1 »").arg(shortened(QString::fromUtf8(names[size_t(team)])));
    };
    // Results and fixtures alike: a team plays at most once a matchday.
    const auto playsTwice = [&](int home, int away, int day) {
        for (int team : {home, away}) {
            const size_t at = size_t(day) * n + size_t(team);
            if (plays[at])
                return QStringLiteral("fait jouer %1 deux fois à la journée %2")
                    .arg(name(team))
                    .arg(day);
            plays[at] = 1;
        }
        return QString();
    };
    // A number out of range; a missing value is told as one that is not a whole number.
    int types[5] = {};
    qint64 numbers[5] = {};
    const auto outside = [&types, &numbers](const RowReader& r, int column, qint64 low,
                                            qint64 high) {
        switch (types[column]) {
        case SQLITE_NULL:
            return false;
        case SQLITE_INTEGER:
            return numbers[column] < low || numbers[column] > high;
        case SQLITE_FLOAT:
            return r.real(column) < double(low) || r.real(column) > double(high);
        default:
            return true;
        }
    };
    const auto check = [&](const RowReader& r) {
        for (int c = 0; c < 5; ++c)
            types[c] = r.type(c);
        for (int c : {0, 2, 4})
            if (types[c] == SQLITE_INTEGER)
                numbers[c] = r.integer(c);
        if (outside(r, 0, 1, matchdays))
            return matchdays < 1
                       ? QStringLiteral("une rencontre alors que la compétition a moins de deux "
                                        "équipes")
                       : QStringLiteral("une journée qui n'est pas un nombre de 1 à %1")
                             .arg(matchdays);
        if (outside(r, 2, 0, 255) || outside(r, 4, 0, 255))
            return QStringLiteral("un score qui n'est pas un nombre de 0 à 255");
        if (types[0] != SQLITE_INTEGER || types[2] != SQLITE_INTEGER || types[4] != SQLITE_INTEGER)
            return QStringLiteral("une journée ou un score qui n'est pas un nombre entier");
        if (types[1] != SQLITE_TEXT || types[3] != SQLITE_TEXT)
            return QStringLiteral("un nom d'équipe qui n'est pas un texte");
        const int home = index.find(r.bytes(1)), away = index.find(r.bytes(3));
        if (home >= 0 && home == away)
            return QStringLiteral("une équipe qui se rencontre elle-même");
        if (home < 0 || away < 0)
            return QStringLiteral("une rencontre d'une équipe qui n'existe pas");
        failure = OpenFailure::BrokenRule;
        const int day = int(numbers[0]);
        quint8& played = pairDay[size_t(home) * n + size_t(away)];
        if (played)
            return played == day ? QStringLiteral("enregistre deux fois la rencontre %1 - %2 de "
                                                  "la journée %3")
                                       .arg(name(home), name(away))
                                       .arg(day)
                                 : QStringLiteral("enregistre deux fois la rencontre %1 - %2 "
                                                  "(journées %3 et %4)")
                                       .arg(name(home), name(away))
                                       .arg(qMin(int(played), day))
                                       .arg(qMax(int(played), day));
        played = quint8(day);
        if (const QString twice = playsTwice(home, away, day); !twice.isEmpty())
            return twice;
        failure = OpenFailure::BadValue;
        return QString();
    };
    DbError e = db.forEach(QStringLiteral("SELECT \"Journée\", Domicile, ScoreDomicile, Visiteur, "
                                          "ScoreVisiteur FROM \"Résultats\""),
                           {}, [&](const RowReader& r) {
                               if (problem.isEmpty())
                                   problem = check(r);
                           });
    if (e)
        return fail(failureOf(e), e, results);
    if (!problem.isEmpty())
        return refusal(failure, results, problem);
    if (!calendar)
        return {};

    // The fixtures keep the same rules, results and fixtures together.
    const auto checkFixture = [&](const RowReader& r) {
        if (r.type(0) != SQLITE_INTEGER)
            return QStringLiteral("une journée qui n'est pas un nombre entier");
        const qint64 journee = r.integer(0);
        if (journee < 1 || journee > matchdays)
            return matchdays < 1
                       ? QStringLiteral("une rencontre à jouer alors que la compétition a moins "
                                        "de deux équipes")
                       : QStringLiteral("une journée qui n'est pas un nombre de 1 à %1")
                             .arg(matchdays);
        if (r.type(1) != SQLITE_TEXT || r.type(2) != SQLITE_TEXT)
            return QStringLiteral("un nom d'équipe qui n'est pas un texte");
        const int home = index.find(r.bytes(1)), away = index.find(r.bytes(2));
        if (home >= 0 && home == away)
            return QStringLiteral("une équipe qui se rencontre elle-même");
        // A name that is no team's may be no text the program can hold.
        for (int column : {1, 2})
            if ((column == 1 ? home : away) < 0)
                if (const QString why = storedTextProblem(r.bytes(column)); !why.isEmpty())
                    return QStringLiteral("un nom d'équipe ") + why;
        if (home < 0 || away < 0)
            return QStringLiteral("une rencontre d'une équipe qui n'existe pas");
        failure = OpenFailure::BrokenRule;
        const int day = int(journee);
        quint8& planned = pairDay[size_t(home) * n + size_t(away)];
        if (planned)
            return QStringLiteral("compte deux fois la rencontre %1 - %2 (journées %3 et %4)")
                .arg(name(home), name(away))
                .arg(qMin(int(planned), day))
                .arg(qMax(int(planned), day));
        planned = quint8(day);
        if (const QString twice = playsTwice(home, away, day); !twice.isEmpty())
            return twice;
        failure = OpenFailure::BadValue;
        return QString();
    };
    e = db.forEach(QStringLiteral("SELECT \"Journée\", Domicile, Visiteur FROM Calendrier"), {},
                   [&](const RowReader& r) {
                       if (problem.isEmpty())
                           problem = checkFixture(r);
                   });
    if (e)
        return fail(failureOf(e), e, kFixtureTable);
    if (!problem.isEmpty())
        return refusal(failure, kFixtureTable, problem);
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
    Snapshot count;
    if (DbError e = db.query(QStringLiteral("SELECT count(*) FROM Equipes"), {}, count)) {
        error = fail(failureOf(e), e, teams);
        return false;
    }
    const qint64 teamCount = count.value(0, 0).toLongLong();
    if (teamCount > kMaxTeams) {
        error = refusal(OpenFailure::BrokenRule, teams,
                        QStringLiteral("compte %1 équipes, quand une compétition en compte au plus "
                                       "%2")
                            .arg(teamCount)
                            .arg(kMaxTeams));
        return false;
    }
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
    // Two names that differ only in bytes that are not text would be taken for one team.
    if (!(error = checkTexts(db, teams, QStringLiteral("SELECT Nom FROM Equipes"),
                             {QStringLiteral("un nom d'équipe")}))
             .ok())
        return false;
    // A file without our unique index could hold the same team twice.
    error = checkNone(db, teams,
                      QStringLiteral("SELECT Nom FROM Equipes GROUP BY Nom COLLATE NOCASE "
                                     "HAVING count(*) > 1 LIMIT 1"),
                      QStringLiteral("deux équipes nommées « %1 »"));
    if (!error.ok())
        return false;

    const qint64 matchdays = qMin<qint64>(matchdayCount(int(teamCount)), 255);
    // The calendar, when the file has one: an ordinary table of texts the program can hold.
    bool calendar = false;
    if (!(error = checkOptionalTable(db, kFixtureTable, calendar)).ok())
        return false;
    if (!(error = checkResults(db, matchdays, calendar)).ok())
        return false;

    // The names kept for teams, when the file has some: texts the program can hold.
    bool aliases = false;
    if (!(error = checkOptionalTable(db, kAliasTable, aliases)).ok())
        return false;
    if (aliases) {
        error = checkRows(
            db, kAliasTable,
            {{QStringLiteral("typeof(Nom) = 'text' AND length(Nom) BETWEEN 1 AND 50 AND "
                             "typeof(Equipe) = 'text' AND length(Equipe) BETWEEN 1 AND 50"),
              QStringLiteral("un nom vide, de plus de 50 caractères ou qui n'est pas un texte")}});
        if (!error.ok() ||
            !(error = checkTexts(
                  db, kAliasTable, QStringLiteral("SELECT Nom, Equipe FROM Alias"),
                  {QStringLiteral("un autre nom d'équipe"), QStringLiteral("un nom d'équipe")}))
                 .ok())
            return false;
    }

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
        if (!(error = checkTexts(db, kPenaltyTable,
                                 QStringLiteral("SELECT Equipe, Motif FROM \"Pénalités\""),
                                 {QStringLiteral("un nom d'équipe"), QStringLiteral("un motif")}))
                 .ok())
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
    if (!error.ok())
        return false;
    // Every file made by the program has its seven properties.
    Snapshot stored;
    if (DbError e = db.query(QStringLiteral("SELECT Nom FROM \"Propriétés\""), {}, stored)) {
        error = fail(failureOf(e), e, properties);
        return false;
    }
    QStringList have;
    for (int r = 0; r < stored.rowCount(); ++r)
        have << stored.value(r, 0).toString();
    for (const char* name : kPropertyNames)
        if (!have.contains(QString::fromLatin1(name))) {
            error = fail(OpenFailure::MissingProperty, {}, QString::fromLatin1(name));
            return false;
        }
    return true;
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
    if (!c->m_db && e.code == SQLITE_READONLY_ROLLBACK) {
        // A change cut short by a crash: a writing open undoes it, when the file can be written.
        DbError ignored;
        if (Database::open(path, competitionKey(), ignored))
            c->m_db = Database::openReadOnly(path, competitionKey(), e);
    }
    if (!c->m_db) {
        error = fail(failureOf(e), e);
        return nullptr;
    }
    if (mode == OpenMode::ReadWrite && c->m_db->isReadOnly()) {
        error = fail(OpenFailure::ReadOnly);
        return nullptr;
    }
    // One read transaction for the checks and the first reading: the pages are decrypted once,
    // and what is read is what was checked, even while another program writes.
    if ((e = c->m_db->exec(QStringLiteral("BEGIN")))) {
        error = fail(failureOf(e), e);
        return nullptr;
    }
    Database& db = *c->m_db;
    const auto endRead = qScopeGuard([&db] { (void)db.exec(QStringLiteral("COMMIT")); });
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
    case OpenFailure::BrokenRule:
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
    return QStringLiteral("Le fichier %1 ne peut pas être ouvert. %2")
        .arg(file, describeError(error.engine));
}

} // namespace store
