#pragma once

#include "controls/zelOwnerLBox.h"
#include "models/MatchListModel.h"
#include "store/Results.h"

// A list of matches, one per row: matchday, home team and crest, the score, away crest and
// team, laid out from the control's width. The fixtures to play follow the results.
class zelOwnerLBox4 : public zelOwnerLBox
{
    Q_OBJECT
public:
    explicit zelOwnerLBox4(QWidget* parent = nullptr);

    // With forecasts of the fixtures (one each), a last column shows them.
    void setItems(std::vector<store::MatchRow> items, std::vector<store::Fixture> fixtures = {},
                  std::vector<forecast::MatchProbabilities> forecasts = {});
    // The results shown, rows 0 to their count - 1.
    const std::vector<store::MatchRow>& Items() const { return m_model->items(); }
    // The fixture on that row; null for a result.
    const store::Fixture* FixtureAt(int row) const { return m_model->fixtureAt(row); }
    MatchListModel* matches() const { return m_model; }
    // The row under a vertical position of the list, -1 when there is none.
    int HitTest(int y) const;

protected:
    void layoutColumns(int width) override;

private:
    MatchListModel* m_model;
};
