#include "store/Aliases.h"

#include "store/Results.h"
#include "store/TextChecks.h"

#include <algorithm>
#include <numeric>

namespace store {

namespace {

const char* const kAliasSchema =
    R"(CREATE TABLE Alias (
        Nom TEXT NOT NULL PRIMARY KEY COLLATE NOCASE
            CHECK (typeof(Nom) = 'text' AND length(Nom) BETWEEN 1 AND 50),
        Equipe TEXT NOT NULL COLLATE NOCASE
            CHECK (typeof(Equipe) = 'text' AND length(Equipe) BETWEEN 1 AND 50)))";

// Letters and digits only, in lower case and without accents: "Saint-Étienne" → "saintetienne".
QString plain(const QString& name)
{
    QString out;
    for (QChar ch : name.normalized(QString::NormalizationForm_KD))
        if (ch.isLetterOrNumber())
            out += ch.toLower();
    return out;
}

bool isSubsequence(const QString& shorter, const QString& longer)
{
    qsizetype at = 0;
    for (QChar ch : longer)
        if (at < shorter.size() && shorter[at] == ch)
            ++at;
    return at == shorter.size();
}

int editDistance(const QString& a, const QString& b)
{
    std::vector<int> row(size_t(b.size()) + 1);
    std::iota(row.begin(), row.end(), 0);
    for (qsizetype i = 1; i <= a.size(); ++i) {
        int diagonal = row[0];
        row[0] = int(i);
        for (qsizetype j = 1; j <= b.size(); ++j) {
            const int above = row[size_t(j)];
            row[size_t(j)] = std::min(
                {above + 1, row[size_t(j) - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row.back();
}

} // namespace

DbError loadAliases(Database& db, std::vector<TeamAlias>& out)
{
    out.clear();
    bool exists = false;
    if (DbError e = hasTable(db, kAliasTable, exists); e || !exists)
        return e;
    Snapshot s;
    if (DbError e =
            db.query(QStringLiteral("SELECT Nom, Equipe FROM Alias ORDER BY Equipe, Nom"), {}, s))
        return e;
    for (int r = 0; r < s.rowCount(); ++r)
        out.push_back({s.value(r, 0).toString(), s.value(r, 1).toString()});
    return {};
}

DbError insertAliases(Database& db, const std::vector<TeamAlias>& aliases)
{
    if (aliases.empty())
        return {};
    bool exists = false;
    if (DbError e = hasTable(db, kAliasTable, exists))
        return e;
    if (!exists)
        if (DbError e = db.exec(QString::fromUtf8(kAliasSchema)))
            return e;
    // A name kept before, spelled with other capitals, gives way to the new one.
    std::vector<TeamAlias> kept;
    if (DbError e = loadAliases(db, kept))
        return e;
    QHash<QString, QString> keptByKey;
    for (const TeamAlias& a : kept)
        keptByKey.insert(teamKey(a.nom), a.nom);
    for (const TeamAlias& a : aliases)
        if (const QString old = keptByKey.value(teamKey(a.nom)); !old.isEmpty())
            if (DbError e = db.run(QStringLiteral("DELETE FROM Alias WHERE Nom = ?"), {old}))
                return e;
    DbError e;
    const auto insert =
        db.prepare(QStringLiteral("INSERT OR REPLACE INTO Alias (Nom, Equipe) VALUES (?, ?)"), e);
    if (!insert)
        return e;
    for (const TeamAlias& a : aliases)
        if ((e = insert->run({a.nom.trimmed(), a.equipe})))
            return e;
    return {};
}

DbError renameAliasedTeam(Database& db, const QString& oldName, const QString& newName)
{
    bool exists = false;
    if (DbError e = hasTable(db, kAliasTable, exists); e || !exists)
        return e;
    return db.run(QStringLiteral("UPDATE Alias SET Equipe = ? WHERE Equipe = ?"),
                  {newName, oldName});
}

QString aliasProblem(const TeamAlias& alias, const std::vector<QString>& teams)
{
    const QString name = alias.nom.trimmed();
    if (name.isEmpty())
        return QStringLiteral("l'autre nom d'une équipe ne peut pas être vide.");
    if (characterCount(name) > kTeamNameLength || hasControlCharacter(name))
        return QStringLiteral("« %1 » n'est pas un nom d'équipe : au plus %2 caractères, sans "
                              "caractère de contrôle.")
            .arg(shortened(name))
            .arg(kTeamNameLength);
    const QString key = teamKey(name);
    bool known = false;
    for (const QString& team : teams) {
        if (teamKey(team) == key)
            return QStringLiteral("« %1 » est déjà le nom d'une équipe de la compétition.")
                .arg(shortened(name));
        known = known || team == alias.equipe;
    }
    if (!known)
        return QStringLiteral("« %1 » n'est pas une équipe de la compétition.")
            .arg(shortened(alias.equipe));
    return QString();
}

TeamResolver::TeamResolver(const std::vector<QString>& teams, const std::vector<TeamAlias>& aliases)
{
    for (const QString& team : teams) {
        m_exact.insert(team, team);
        m_folded.insert(teamKey(team), team);
    }
    for (const TeamAlias& a : aliases)
        m_aliases.insert(teamKey(a.nom), a.equipe);
}

QString TeamResolver::team(const QString& name) const
{
    if (const auto it = m_exact.constFind(name); it != m_exact.constEnd())
        return *it;
    const QString key = teamKey(name);
    if (const auto it = m_folded.constFind(key); it != m_folded.constEnd())
        return *it;
    const QString aliased = m_aliases.value(key);
    // A kept name whose team has gone since stands for nothing.
    return m_exact.contains(aliased) ? aliased : QString();
}

QStringList closestTeams(const QString& name, const std::vector<QString>& teams)
{
    // First the teams whose letters hold the name's in order ("PSG", "Paris SG" in "Paris
    // Saint-Germain"), then the others; each group by the most letters in common at the start,
    // then by the fewest letters to change.
    const QString wanted = plain(name);
    struct Ranked
    {
        bool inOrder;
        qsizetype prefix; // letters in common at the start
        int distance;
        QString team;
    };
    std::vector<Ranked> ranked;
    for (const QString& team : teams) {
        const QString other = plain(team);
        const bool inOrder =
            !wanted.isEmpty() && (isSubsequence(wanted, other) || isSubsequence(other, wanted));
        qsizetype prefix = 0;
        while (prefix < wanted.size() && prefix < other.size() && wanted[prefix] == other[prefix])
            ++prefix;
        ranked.push_back({inOrder, prefix, editDistance(wanted, other), team});
    }
    std::stable_sort(ranked.begin(), ranked.end(), [](const Ranked& a, const Ranked& b) {
        if (a.inOrder != b.inOrder)
            return a.inOrder;
        if (a.prefix != b.prefix)
            return a.prefix > b.prefix;
        return a.distance < b.distance;
    });
    QStringList out;
    for (const Ranked& r : ranked)
        out << r.team;
    return out;
}

} // namespace store
