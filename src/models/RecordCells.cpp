#include "models/RecordCells.h"

#include "models/ListModel.h"

namespace RecordCells {

QStringList captions()
{
    return {QStringLiteral("Pts"), QStringLiteral("J"),   QStringLiteral("G"),
            QStringLiteral("N"),   QStringLiteral("P"),   QStringLiteral("B+"),
            QStringLiteral("B-"),  QStringLiteral("Diff")};
}

int value(const cResult& r, const cResult::Points& points, int k)
{
    switch (k) {
    case 0:
        return r.points(points);
    case 1:
        return r.played();
    case 2:
        return r.Won;
    case 3:
        return r.Nul;
    case 4:
        return r.Lost;
    case 5:
        return r.ButsPour;
    case 6:
        return r.ButsContre;
    default:
        return r.difference();
    }
}

QVariant pointsCell(const cResult& r, const cResult::Points& points, int role)
{
    switch (role) {
    case Qt::DisplayRole:
        return QString::number(r.points(points)) +
               (r.Deduction > 0 ? QStringLiteral("*") : QString());
    case ListModel::ExportRole:
        return QString::number(r.points(points));
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole:
        if (r.Deduction > 0)
            return QStringLiteral("Pénalités : %1 point(s) retiré(s)").arg(r.Deduction);
        return {};
    default:
        return {};
    }
}

} // namespace RecordCells
