#include "store/SeasonRecord.h"

#include "store/Fixtures.h"
#include "store/MatchRules.h"
#include "store/Teams.h"

namespace store {

DbError recordSeason(Database& db, const SeasonSource& source, QString& refusal)
{
    refusal.clear();
    // The teams are read and every match checked inside the transaction that writes them.
    Transaction tx(db);
    if (DbError e = tx.beginError())
        return e;
    std::vector<QString> teams;
    if (DbError e = loadTeamNames(db, teams))
        return e;
    MatchRules rules(teams, int(teams.size()));
    std::vector<MatchRow> results;
    std::vector<Fixture> fixtures;
    const QString place = source.format == SeasonSource::Format::FootballDataCsv
                              ? QStringLiteral("ligne %1 : ")
                              : QStringLiteral("match %1 : ");
    for (const SourceMatch& m : source.matches) {
        const MatchRules::Candidate candidate{
            QString::number(m.journee), m.home,
            m.homeGoals ? QString::number(*m.homeGoals) : QString(), m.away,
            m.awayGoals ? QString::number(*m.awayGoals) : QString()};
        const bool played = m.homeGoals && m.awayGoals;
        MatchRules::Verdict v = played ? rules.check(candidate) : rules.checkFixture(candidate);
        if (!v.accepted()) {
            refusal = place.arg(m.origin) + v.message.replace(QLatin1Char('\n'), QLatin1Char(' '));
            return {};
        }
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
    DbError e;
    const auto insert =
        db.prepare(QStringLiteral("INSERT INTO \"Résultats\" (\"Journée\", Domicile, "
                                  "ScoreDomicile, Visiteur, ScoreVisiteur) VALUES (?, ?, ?, ?, ?)"),
                   e);
    if (!insert)
        return e;
    for (const MatchRow& r : results)
        if ((e = insert->run(
                 {r.journee, r.domicile, r.scoreDomicile, r.visiteur, r.scoreVisiteur})))
            return e;
    if ((e = insertFixtures(db, fixtures)))
        return e;
    return tx.commit();
}

} // namespace store
