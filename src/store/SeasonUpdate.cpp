#include "store/SeasonUpdate.h"

#include "store/Competition.h"
#include "store/Fixtures.h"
#include "store/MatchRules.h"
#include "store/ResultSet.h"
#include "store/Results.h"
#include "store/SeasonRecord.h"
#include "store/Teams.h"
#include "store/TextChecks.h"

#include <QHash>

namespace store {

namespace {

// Matches of the file get identities of their own, below any stored row's.
constexpr qint64 kNewResultBase = -1;
constexpr qint64 kNewFixtureBase = -(qint64(1) << 40);

bool played(const SourceMatch& m)
{
    return m.homeGoals && m.awayGoals;
}

QString quotedList(const QStringList& names)
{
    QStringList quoted;
    for (const QString& name : names)
        quoted << QStringLiteral("« %1 »").arg(shortened(name));
    return quoted.join(QStringLiteral(", "));
}

} // namespace

QStringList SeasonUpdate::report() const
{
    QString added = QStringLiteral("%1 résultat(s) ajouté(s)").arg(this->added);
    if (playedFixtures > 0)
        added +=
            QStringLiteral(", dont %1 rencontre(s) du calendrier jouée(s)").arg(playedFixtures);
    added += QStringLiteral(" ; %1 rencontre(s) ajoutée(s) au calendrier").arg(scheduled);
    if (moved > 0)
        added += QStringLiteral(", %1 déplacée(s)").arg(moved);
    QStringList lines{
        added + QLatin1Char('.'),
        QStringLiteral("%1 rencontre(s) déjà enregistrée(s), laissée(s) telle(s) quelle(s).")
            .arg(alreadyThere),
        QStringLiteral("%1 rencontre(s) restent à jouer au calendrier.").arg(left)};
    if (outOfDateOrder > 0)
        lines << QStringLiteral("%1 rencontre(s) n'ont pas pu garder l'ordre de leurs dates.")
                     .arg(outOfDateOrder);
    return lines;
}

SeasonUpdate updateSeason(Competition& competition, SeasonSource source,
                          const std::vector<TeamAlias>& newAliases)
{
    SeasonUpdate u;
    Database& db = competition.db();
    // Everything is read and checked inside the transaction that writes.
    Transaction tx(db);
    if ((u.error = tx.beginError()))
        return u;
    std::vector<QString> teams;
    std::vector<TeamAlias> aliases;
    std::vector<MatchRow> results;
    std::vector<Fixture> calendar;
    if ((u.error = loadTeamNames(db, teams)) || (u.error = loadAliases(db, aliases)) ||
        (u.error = loadResults(db, std::nullopt, results)) ||
        (u.error = loadFixtures(db, calendar)))
        return u;

    for (const TeamAlias& a : newAliases)
        if (const QString why = aliasProblem(a, teams); !why.isEmpty()) {
            u.refusal = why;
            return u;
        }
    aliases.insert(aliases.end(), newAliases.begin(), newAliases.end());
    const TeamResolver resolver(teams, aliases);
    QHash<QString, QString> teamOf;
    for (const QString& name : std::as_const(source.teams)) {
        const QString team = resolver.team(name);
        if (team.isEmpty())
            u.unknown << name;
        teamOf.insert(name, team);
    }
    if (!u.unknown.isEmpty()) {
        u.refusal = (u.unknown.size() == 1
                         ? QStringLiteral("Le fichier nomme une équipe que la compétition ne "
                                          "connaît pas : %1.")
                         : QStringLiteral("Le fichier nomme %1 équipes que la compétition ne "
                                          "connaît pas : %2.")
                               .arg(u.unknown.size()))
                        .arg(quotedList(u.unknown));
        return u;
    }
    for (SourceMatch& m : source.matches) {
        m.home = teamOf.value(m.home);
        m.away = teamOf.value(m.away);
    }
    source.teams = QStringList(teams.begin(), teams.end());

    const TeamLookup lookup(teams);
    const auto pairing = [&](const QString& home, const QString& away) {
        return quint64(lookup.find(home) + 1) << 8 | quint64(lookup.find(away) + 1);
    };
    QHash<quint64, const MatchRow*> recorded;
    for (const MatchRow& r : results)
        recorded.insert(pairing(r.domicile, r.visiteur), &r);
    QHash<quint64, const Fixture*> scheduled;
    for (const Fixture& f : calendar)
        scheduled.insert(pairing(f.domicile, f.visiteur), &f);

    // football-data gives no matchday: what the competition holds keeps its own, and the rest
    // is placed around it by date.
    if (source.format == SeasonSource::Format::FootballDataCsv) {
        SourceError error;
        const auto pinned = [&](const SourceMatch& m) {
            const quint64 key = pairing(m.home, m.away);
            if (const MatchRow* r = recorded.value(key))
                return r->journee;
            if (const Fixture* f = scheduled.value(key))
                return f->journee;
            return 0;
        };
        if (!numberByDate(source, pinned, error)) {
            u.refusal = error.message;
            return u;
        }
        u.outOfDateOrder = source.outOfDateOrder;
    }

    MatchRules rules(teams, competition.teamCount());
    for (const MatchRow& r : results)
        rules.addExisting(r);
    for (const Fixture& f : calendar)
        rules.addFixture(f);
    // The calendar's matches that the file plays or moves leave it first, so that they hold
    // no team on their old matchday.
    std::vector<qint64> leaving;
    for (const SourceMatch& m : source.matches) {
        const Fixture* f = scheduled.value(pairing(m.home, m.away));
        if (f && (played(m) || m.journee != f->journee)) {
            rules.removeFixture(f->rowid);
            leaving.push_back(f->rowid);
        }
    }

    std::vector<MatchRow> newResults;
    std::vector<Fixture> newFixtures;
    for (const SourceMatch& m : source.matches) {
        const quint64 key = pairing(m.home, m.away);
        const auto refuse = [&](const QString& reason) {
            u.refusal = sourcePlace(source, m) + reason;
            return u;
        };
        if (const MatchRow* r = recorded.value(key)) {
            // A file behind the competition, or the same result again.
            if (played(m) && (*m.homeGoals != r->scoreDomicile || *m.awayGoals != r->scoreVisiteur))
                return refuse(QStringLiteral("le résultat %1 %2-%3 %4 contredit celui qui est "
                                             "enregistré (%5-%6, journée %7) ; corrigez l'un ou "
                                             "l'autre avant d'importer.")
                                  .arg(shortened(r->domicile))
                                  .arg(*m.homeGoals)
                                  .arg(*m.awayGoals)
                                  .arg(shortened(r->visiteur))
                                  .arg(r->scoreDomicile)
                                  .arg(r->scoreVisiteur)
                                  .arg(r->journee));
            if (played(m) && m.journee != r->journee)
                return refuse(QStringLiteral("la rencontre %1 - %2 est enregistrée à la journée "
                                             "%3, le fichier la place à la journée %4.")
                                  .arg(shortened(r->domicile), shortened(r->visiteur))
                                  .arg(r->journee)
                                  .arg(m.journee));
            ++u.alreadyThere;
            continue;
        }
        const Fixture* f = scheduled.value(key);
        if (f && !played(m) && m.journee == f->journee) {
            ++u.alreadyThere;
            continue;
        }
        MatchRules::Verdict v =
            played(m) ? rules.check(sourceCandidate(m)) : rules.checkFixture(sourceCandidate(m));
        if (!v.accepted())
            return refuse(v.message.replace(QLatin1Char('\n'), QLatin1Char(' ')));
        if (played(m)) {
            v.row.rowid = kNewResultBase - qint64(newResults.size());
            rules.addExisting(v.row);
            newResults.push_back(v.row);
            u.playedFixtures += f != nullptr;
        } else {
            const Fixture fixture{kNewFixtureBase - qint64(newFixtures.size()), v.row.journee,
                                  v.row.domicile, v.row.visiteur};
            rules.addFixture(fixture);
            newFixtures.push_back(fixture);
            ++(f ? u.moved : u.scheduled);
        }
    }

    if ((u.error = insertAliases(db, newAliases)))
        return u;
    if ((u.error = insertResults(db, newResults)))
        return u;
    for (qint64 rowid : leaving)
        if ((u.error = deleteFixture(db, rowid)))
            return u;
    if ((u.error = insertFixtures(db, newFixtures)) || (u.error = tx.commit()))
        return u;
    u.added = int(newResults.size());
    u.left = int(calendar.size() - leaving.size() + newFixtures.size());
    return u;
}

} // namespace store
