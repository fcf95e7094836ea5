#include "printing/Renderers.h"

#include "models/BetListModel.h"
#include "models/FixtureListModel.h"
#include "models/MatchListModel.h"
#include "models/RankingHistoryModel.h"
#include "models/StandingsModel.h"
#include "models/TeamOrder.h"
#include "printing/CrossTableModel.h"
#include "ranking/RankingKind.h"
#include "ranking/mRank.h"
#include "store/Competition.h"
#include "store/CompetitionFile.h"
#include "store/Fixtures.h"
#include "store/Results.h"
#include "store/Zones.h"

#include <algorithm>

namespace Renderers {

void standings(ReportDocument& doc, const StandingsModel& model, const QString& kind, int matchday)
{
    const QString when = matchday > 0 ? QStringLiteral("Journée %1").arg(matchday)
                                      : QStringLiteral("toutes les journées");
    doc.title(QStringLiteral("Classement %1 – %2").arg(kind.left(1).toLower() + kind.mid(1), when));
    doc.table(model);
}

void matchday(ReportDocument& doc, const MatchListModel& model, int journee)
{
    doc.title(QStringLiteral("Journée %1").arg(journee));
    doc.table(model);
}

void fixtures(ReportDocument& doc, const FixtureListModel& model, int journee)
{
    doc.title(QStringLiteral("Journée %1 – à jouer").arg(journee));
    doc.table(model);
}

void teamSheet(ReportDocument& doc, const QString& team, const QString& summary,
               const MatchListModel& matches, const RankingHistoryModel& history,
               const FixtureListModel* next)
{
    doc.title(team);
    if (!summary.isEmpty())
        doc.paragraph(summary);
    doc.title(QStringLiteral("Historique des rencontres"));
    doc.table(matches);
    if (next && next->rowCount() > 0) {
        doc.title(QStringLiteral("Prochains matchs"));
        doc.table(*next);
    }
    doc.title(QStringLiteral("Historique des classements"));
    doc.table(history);
}

void crossTable(ReportDocument& doc, const CrossTableModel& model, int matchday)
{
    doc.title(matchday > 0 ? QStringLiteral("Grille des confrontations – Journée %1").arg(matchday)
                           : QStringLiteral("Grille des confrontations"));
    doc.paragraph(QStringLiteral("Une ligne par équipe à domicile ; chaque colonne porte le "
                                 "numéro de la ligne de l'équipe visiteuse."));
    doc.wholeTable(model, CrossTableModel::kFirstVisitor);
}

QPageLayout::Orientation crossTableOrientation(const CrossTableModel& model)
{
    return ReportDocument::orientationFor(model, CrossTableModel::kFirstVisitor);
}

void bets(ReportDocument& doc, const BetListModel& model, const QString& totals)
{
    doc.title(QStringLiteral("Paris"));
    doc.table(model);
    if (!totals.isEmpty())
        doc.paragraph(totals);
}

bool seasonReport(QPagedPaintDevice& device, store::Competition& competition,
                  std::optional<int> matchday, QString& error)
{
    if (matchday && *matchday < 1) {
        error = QStringLiteral("Le numéro de journée doit être supérieur ou égal à 1.");
        return false;
    }
    QVariant name, season;
    std::shared_ptr<const store::ResultSet> results;
    std::vector<store::Fixture> toPlay;
    store::DbError e = store::readProperty(competition.db(), QStringLiteral("Championnat"), name);
    if (!e)
        e = store::readProperty(competition.db(), QStringLiteral("Saison"), season);
    if (!e)
        e = competition.results(results);
    if (!e)
        e = store::loadFixtures(competition.db(), toPlay);
    if (e) {
        error = QStringLiteral("La compétition n'a pas pu être lue. ") + store::describeError(e);
        return false;
    }

    ReportDocument doc(device, {name.toString(), season.toString()});
    if (!doc.isValid()) {
        error = QStringLiteral("Le document ne peut pas être écrit.");
        return false;
    }
    const RankingRules rules = competitionRules(competition, *results);
    const QStringList labels = rankingKindLabels();
    // The zones belong to the general table; a file whose zones cannot be read prints none.
    std::vector<store::Zone> zones;
    if (store::readZones(competition.db(), competition.teamCount(), zones))
        zones.clear();
    StandingsModel ranking;
    for (int k = 0; k < labels.size(); ++k) {
        ranking.setItems(ComputeRanking(results->teamResultsUpTo(matchday), RankingKind(k),
                                        competition.teamList(), rules),
                         rules.points,
                         RankingKind(k) == RankingKind::General ? zones
                                                                : std::vector<store::Zone>{});
        doc.newPage();
        standings(doc, ranking, labels[k], matchday.value_or(0));
    }

    const std::vector<store::MatchRow> rows = results->rowsUpTo(matchday);
    const CrossTableModel grid(
        SeasonGrid(rows, TeamOrder::sorted(competition.teamList()), matchday));
    doc.newPage(crossTableOrientation(grid));
    crossTable(doc, grid, matchday.value_or(0));

    doc.newPage(QPageLayout::Portrait);
    if (rows.empty()) {
        doc.title(QStringLiteral("Résultats"));
        doc.paragraph(QStringLiteral("Aucun résultat n'est enregistré."));
    }
    MatchListModel day;
    for (auto first = rows.begin(); first != rows.end();) {
        const auto last = std::find_if(first, rows.end(), [&](const store::MatchRow& m) {
            return m.journee != first->journee;
        });
        day.setItems(std::vector<store::MatchRow>(first, last));
        Renderers::matchday(doc, day, first->journee);
        first = last;
    }
    // The fixtures come by matchday; every one still to play is listed, whatever the matchday
    // the report stops at.
    FixtureListModel planned;
    for (auto first = toPlay.begin(); first != toPlay.end();) {
        const auto last = std::find_if(first, toPlay.end(), [&](const store::Fixture& f) {
            return f.journee != first->journee;
        });
        planned.setItems(std::vector<store::Fixture>(first, last));
        Renderers::fixtures(doc, planned, first->journee);
        first = last;
    }
    return true;
}

} // namespace Renderers
