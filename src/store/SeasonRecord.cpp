#include "store/SeasonRecord.h"

#include "store/Fixtures.h"
#include "store/MatchRules.h"
#include "store/Results.h"
#include "store/Teams.h"
#include "store/TextChecks.h"

#include <QHash>

namespace store {

namespace {

// Checks every match of the file in order against the teams and the matches accepted before
// it, and sorts them into results and fixtures; the refusal of the first that breaks a rule.
QString sortMatches(const SeasonSource& source, const std::vector<QString>& teams,
                    std::vector<MatchRow>& results, std::vector<Fixture>& fixtures)
{
    MatchRules rules(teams, int(teams.size()));
    for (const SourceMatch& m : source.matches) {
        const bool played = m.homeGoals && m.awayGoals;
        MatchRules::Verdict v =
            played ? rules.check(sourceCandidate(m)) : rules.checkFixture(sourceCandidate(m));
        if (!v.accepted())
            return sourcePlace(source, m) + v.message.replace(QLatin1Char('\n'), QLatin1Char(' '));
        if (played) {
            v.row.rowid = -qint64(results.size()) - 1;
            rules.addExisting(v.row);
            results.push_back(v.row);
        } else {
            const Fixture f{-(qint64(1) << 40) - qint64(fixtures.size()), v.row.journee,
                            v.row.domicile, v.row.visiteur};
            rules.addFixture(f);
            fixtures.push_back(f);
        }
    }
    return {};
}

} // namespace

MatchRules::Candidate sourceCandidate(const SourceMatch& m)
{
    return {QString::number(m.journee), m.home,
            m.homeGoals ? QString::number(*m.homeGoals) : QString(), m.away,
            m.awayGoals ? QString::number(*m.awayGoals) : QString()};
}

QString sourcePlace(const SeasonSource& source, const SourceMatch& m)
{
    return (source.format == SeasonSource::Format::FootballDataCsv ? QStringLiteral("ligne %1 : ")
                                                                   : QStringLiteral("match %1 : "))
        .arg(m.origin);
}

DbError writeSeason(Database& db, const SeasonSource& source, QString& refusal)
{
    refusal.clear();
    // The teams are read and every match checked inside the transaction that writes them.
    std::vector<QString> teams;
    if (DbError e = loadTeamNames(db, teams))
        return e;
    std::vector<MatchRow> results;
    std::vector<Fixture> fixtures;
    refusal = sortMatches(source, teams, results, fixtures);
    if (!refusal.isEmpty())
        return {};
    if (DbError e = insertResults(db, results))
        return e;
    return insertFixtures(db, fixtures);
}

DbError recordSeason(Database& db, const SeasonSource& source, QString& refusal)
{
    refusal.clear();
    Transaction tx(db);
    if (DbError e = tx.beginError())
        return e;
    if (DbError e = writeSeason(db, source, refusal); e || !refusal.isEmpty())
        return e;
    return tx.commit();
}

QString seasonRefusal(const SeasonSource& source)
{
    QHash<QString, QString> seen;
    for (const QString& team : source.teams) {
        const QString twin = seen.value(teamKey(team));
        if (!twin.isEmpty())
            return QStringLiteral("Le fichier nomme « %1 » et « %2 », qui ne diffèrent que par "
                                  "les majuscules.")
                .arg(shortened(twin), shortened(team));
        seen.insert(teamKey(team), team);
    }
    std::vector<MatchRow> results;
    std::vector<Fixture> fixtures;
    return sortMatches(source, std::vector<QString>(source.teams.begin(), source.teams.end()),
                       results, fixtures);
}

} // namespace store
