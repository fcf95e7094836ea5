#include "teams/PenaltyListModel.h"

void PenaltyListModel::setItems(std::vector<store::Penalty> items)
{
    beginResetModel();
    m_items = std::move(items);
    endResetModel();
}

QStringList PenaltyListModel::captions() const
{
    static const QStringList captions{QStringLiteral("Journée"), QStringLiteral("Points"),
                                      QStringLiteral("Motif")};
    return captions;
}

QVariant PenaltyListModel::cell(int row, int column, int role) const
{
    const store::Penalty& p = m_items.at(size_t(row));
    switch (role) {
    case Qt::DisplayRole:
        switch (column) {
        case Journee:
            return QString::number(p.journee);
        case Points:
            return QString::number(p.points);
        case Motif:
            return p.motif;
        default:
            return {};
        }
    case Qt::ToolTipRole:
        return column == Motif ? QVariant(p.motif) : QVariant();
    case Qt::TextAlignmentRole:
        return int((column == Motif ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
    default:
        return {};
    }
}
