#pragma once

#include "models/ListModel.h"
#include "ranking/SeasonAnalysis.h"

// The cross table as printed: one row per home team, its crest and "3. Lens", then one column
// per visiting team, captioned by the number of its row, with the score of their match.
class CrossTableModel : public ListModel
{
    Q_OBJECT
public:
    static constexpr int kFirstVisitor = 2; // after the crest and the name of the home team

    explicit CrossTableModel(SeasonGrid grid, QObject* parent = nullptr);

    QStringList captions() const override { return m_captions; }

protected:
    int rows() const override { return m_grid.size(); }
    QVariant cell(int row, int column, int role) const override;

private:
    SeasonGrid m_grid;
    QStringList m_captions;
};
