#pragma once

#include "printing/ReportDocument.h"

#include <QString>
#include <optional>

class BetListModel;
class CrossTableModel;
class FixtureListModel;
class MatchListModel;
class RankingHistoryModel;
class StandingsModel;
class QPagedPaintDevice;

namespace store {
class Competition;
}

// The printed form of each view, read from the same models as its lists.
namespace Renderers {

// "Classement général – Journée 12"; kind is the label of the ranking ("Général",
// "Attaque"...), matchday 0 stands for all the results.
void standings(ReportDocument& doc, const StandingsModel& model, const QString& kind, int matchday);
// "Journée 12", then its results.
void matchday(ReportDocument& doc, const MatchListModel& model, int journee);
// "Journée 25 – à jouer", then its fixtures.
void fixtures(ReportDocument& doc, const FixtureListModel& model, int journee);
// The team's name, its summary, then the history of its matches, its next matches when it has
// fixtures to play, and the history of its places.
void teamSheet(ReportDocument& doc, const QString& team, const QString& summary,
               const MatchListModel& matches, const RankingHistoryModel& history,
               const FixtureListModel* next = nullptr);
// "Grille des confrontations – Journée 12", then the cross table with every score and every
// name whole, as many pages across as it needs.
void crossTable(ReportDocument& doc, const CrossTableModel& model, int matchday);
// Landscape when the cross table is wider than a portrait page.
QPageLayout::Orientation crossTableOrientation(const CrossTableModel& model);
// "Paris", the ledger, then its totals.
void bets(ReportDocument& doc, const BetListModel& model, const QString& totals);

// The whole season: the five rankings after the matchday (after every result when none is
// given; the general one with the column of the zones when the competition has some), the cross
// table, the results of each matchday up to it, in ascending order, then the calendar's fixtures
// still to play, matchday by matchday. False with the reason in French when the competition cannot
// be read or the device painted on.
bool seasonReport(QPagedPaintDevice& device, store::Competition& competition,
                  std::optional<int> matchday, QString& error);

} // namespace Renderers
