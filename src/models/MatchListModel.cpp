#include "models/MatchListModel.h"

void MatchListModel::setItems(std::vector<store::MatchRow> items)
{
    beginResetModel();
    forgetCrests();
    m_items = std::move(items);
    endResetModel();
}

QStringList MatchListModel::captions() const
{
    // Asked for every cell painted: made once.
    static const QStringList captions{
        QStringLiteral("Journée"),       QStringLiteral("Domicile"),      QString(),
        QStringLiteral("ScoreDomicile"), QStringLiteral("ScoreVisiteur"), QString(),
        QStringLiteral("Visiteur")};
    return captions;
}

QVariant MatchListModel::cell(int row, int column, int role) const
{
    const store::MatchRow& m = m_items.at(size_t(row));
    switch (role) {
    case Qt::DisplayRole:
        switch (column) {
        case Journee:
            return QStringLiteral("J") + QString::number(m.journee);
        case Domicile:
            return m.domicile;
        case ScoreDomicile:
            return QString::number(m.scoreDomicile);
        case ScoreVisiteur:
            return QString::number(m.scoreVisiteur);
        case Visiteur:
            return m.visiteur;
        default:
            return QString();
        }
    case ExportRole:
        return column == Journee ? QVariant(QString::number(m.journee)) : QVariant();
    case Qt::DecorationRole:
        if (column == CrestDomicile)
            return crest(m.domicile);
        if (column == CrestVisiteur)
            return crest(m.visiteur);
        return {};
    case Qt::TextAlignmentRole:
        return int(
            (column == Domicile || column == ScoreDomicile ? Qt::AlignRight : Qt::AlignLeft) |
            Qt::AlignVCenter);
    default:
        return {};
    }
}
