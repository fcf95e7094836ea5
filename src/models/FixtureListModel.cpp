#include "models/FixtureListModel.h"

void FixtureListModel::setItems(std::vector<store::Fixture> items)
{
    beginResetModel();
    m_items = std::move(items);
    endResetModel();
}

QStringList FixtureListModel::captions() const
{
    static const QStringList captions{QStringLiteral("Journée"), QStringLiteral("Domicile"),
                                      QStringLiteral("Visiteur")};
    return captions;
}

QVariant FixtureListModel::cell(int row, int column, int role) const
{
    const store::Fixture& f = m_items.at(size_t(row));
    switch (role) {
    case Qt::DisplayRole:
        switch (column) {
        case Journee:
            return QStringLiteral("J") + QString::number(f.journee);
        case Domicile:
            return f.domicile;
        case Visiteur:
            return f.visiteur;
        default:
            return QString();
        }
    case ExportRole:
        return column == Journee ? QVariant(QString::number(f.journee)) : QVariant();
    default:
        return {};
    }
}
