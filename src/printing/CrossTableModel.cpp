#include "printing/CrossTableModel.h"

CrossTableModel::CrossTableModel(SeasonGrid grid, QObject* parent)
    : ListModel(parent), m_grid(std::move(grid)), m_captions{QString(), QStringLiteral("Domicile")}
{
    setAlternating(false);
    for (int t = 1; t <= m_grid.size(); ++t)
        m_captions << QString::number(t);
}

QVariant CrossTableModel::cell(int row, int column, int role) const
{
    if (column < kFirstVisitor) {
        if (role == Qt::DisplayRole && column == 1)
            return QStringLiteral("%1. %2").arg(row + 1).arg(m_grid.team(row));
        if (role == Qt::DecorationRole && column == 0)
            return crest(m_grid.team(row));
        return {};
    }
    const GridCell& c = m_grid.cell(row, column - kFirstVisitor);
    if (role == Qt::DisplayRole)
        return c.played ? QStringLiteral("%1-%2").arg(c.home).arg(c.away) : QString();
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    return {};
}
