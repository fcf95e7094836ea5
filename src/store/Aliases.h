#pragma once

#include "store/Database.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace store {

// Another name a data file gives a team ("PSG" for "Paris Saint-Germain"): a row of Alias.
struct TeamAlias
{
    QString nom;    // as the file spells it
    QString equipe; // the competition's team
};

inline const QString kAliasTable = QStringLiteral("Alias");

// The kept names, by team then name; none in files that have never kept one.
[[nodiscard]] DbError loadAliases(Database& db, std::vector<TeamAlias>& out);
// Keeps names already checked, inside the caller's transaction; the table is made with the
// first of them. A name kept before is given its new team.
[[nodiscard]] DbError insertAliases(Database& db, const std::vector<TeamAlias>& aliases);
// Follows a team's new name, inside the caller's transaction.
[[nodiscard]] DbError renameAliasedTeam(Database& db, const QString& oldName,
                                        const QString& newName);

// The French reason a name cannot be kept for a team, empty when it can: teams are the
// competition's names.
QString aliasProblem(const TeamAlias& alias, const std::vector<QString>& teams);

// The competition's team a data file's name stands for: the same name, the same name but for
// case, or a kept one; empty when none.
class TeamResolver
{
public:
    TeamResolver(const std::vector<QString>& teams, const std::vector<TeamAlias>& aliases);
    QString team(const QString& name) const;

private:
    QHash<QString, QString> m_exact, m_folded, m_aliases;
};

// The teams ordered by how close their spelling is to name, the closest first.
QStringList closestTeams(const QString& name, const std::vector<QString>& teams);

} // namespace store
