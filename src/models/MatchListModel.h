#pragma once

#include "forecast/MatchModel.h"
#include "models/ListModel.h"
#include "store/Fixtures.h"
#include "store/Results.h"

// Matches, one per row: matchday, home team, its crest, the two scores, the visitor's crest
// and the visitor. The results come first, then the fixtures still to play, whose scores
// read "–" ("à jouer" for a screen reader) and stay empty in a file. The captions are those
// of an imported results file. With forecasts of the fixtures, a last column "Prévision"
// gives each fixture's probabilities of a home win, a draw and an away win.
class MatchListModel : public ListModel
{
    Q_OBJECT
public:
    enum Column {
        Journee,
        Domicile,
        CrestDomicile,
        ScoreDomicile,
        ScoreVisiteur,
        CrestVisiteur,
        Visiteur,
        ColumnCount,
        Prevision = ColumnCount
    };
    using ListModel::ListModel;

    // forecasts: none, or one for each fixture in the same order.
    void setItems(std::vector<store::MatchRow> items, std::vector<store::Fixture> fixtures = {},
                  std::vector<forecast::MatchProbabilities> forecasts = {});
    bool hasForecasts() const { return !m_forecasts.empty(); }
    const std::vector<store::MatchRow>& items() const { return m_items; }
    const std::vector<store::Fixture>& fixtures() const { return m_fixtures; }
    // The fixture shown on that row; null for a result or no row.
    const store::Fixture* fixtureAt(int row) const;

    QStringList captions() const override;
    int teamColumn() const override { return Domicile; }

protected:
    int rows() const override { return int(m_items.size() + m_fixtures.size()); }
    QVariant cell(int row, int column, int role) const override;

private:
    QVariant fixtureCell(const store::Fixture& f, int column, int role) const;
    QVariant forecastCell(int row, int role) const;

    std::vector<store::MatchRow> m_items;
    std::vector<store::Fixture> m_fixtures;
    std::vector<forecast::MatchProbabilities> m_forecasts;
};
