#pragma once

#include "forecast/MatchModel.h"
#include "models/ListModel.h"

#include <optional>
#include <vector>

// One matchday's matches with their forecasts, one per row: matchday, the two teams, the
// probabilities of a home win, a draw and an away win, the expected goals, the most likely
// score, and the result when the match was played. The captions are those of the tool's
// forecasts.
class MatchForecastModel : public ListModel
{
    Q_OBJECT
public:
    enum Column {
        Journee,
        Domicile,
        Visiteur,
        P1,
        PN,
        P2,
        ButsDomicile,
        ButsVisiteur,
        Score,
        Resultat,
        ColumnCount
    };
    // The probability of a P1, PN or P2 cell as a number from 0 to 1.
    static constexpr int ProbabilityRole = Qt::UserRole + 20;

    struct Row
    {
        int journee = 0;
        QString home, away;
        forecast::MatchProbabilities forecast;
        std::optional<std::pair<int, int>> result;
    };

    using ListModel::ListModel;

    void setItems(std::vector<Row> items);
    const std::vector<Row>& items() const { return m_items; }

    QStringList captions() const override;
    int teamColumn() const override { return Domicile; }

protected:
    int rows() const override { return int(m_items.size()); }
    QVariant cell(int row, int column, int role) const override;

private:
    std::vector<Row> m_items;
};
