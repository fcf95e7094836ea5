#include "models/MatchForecastModel.h"

#include "models/ForecastCells.h"

void MatchForecastModel::setItems(std::vector<Row> items)
{
    beginResetModel();
    m_items = std::move(items);
    endResetModel();
}

QStringList MatchForecastModel::captions() const
{
    static const QStringList captions{
        QStringLiteral("Journée"),      QStringLiteral("Domicile"),     QStringLiteral("Visiteur"),
        QStringLiteral("P1"),           QStringLiteral("PN"),           QStringLiteral("P2"),
        QStringLiteral("ButsDomicile"), QStringLiteral("ButsVisiteur"), QStringLiteral("Score"),
        QStringLiteral("Résultat")};
    return captions;
}

QVariant MatchForecastModel::cell(int row, int column, int role) const
{
    const Row& r = m_items.at(size_t(row));
    const forecast::MatchProbabilities& m = r.forecast;
    const double shares[] = {m.home, m.draw, m.away};
    const bool share = column >= P1 && column <= P2;
    const QString result =
        r.result ? QStringLiteral("%1-%2").arg(r.result->first).arg(r.result->second) : QString();
    switch (role) {
    case Qt::DisplayRole:
        switch (column) {
        case Journee:
            return QStringLiteral("J") + QString::number(r.journee);
        case Domicile:
            return r.home;
        case Visiteur:
            return r.away;
        case ButsDomicile:
            return ForecastCells::goals(m.homeGoals);
        case ButsVisiteur:
            return ForecastCells::goals(m.awayGoals);
        case Score:
            return ForecastCells::likelyScore(m);
        case Resultat:
            return result;
        default:
            return share ? ForecastCells::percent(shares[column - P1]) : QString();
        }
    case ExportRole:
        if (column == Journee)
            return QString::number(r.journee);
        if (share)
            return ForecastCells::exported(shares[column - P1]);
        if (column == ButsDomicile || column == ButsVisiteur)
            return QString::number(column == ButsDomicile ? m.homeGoals : m.awayGoals, 'f', 2);
        return {};
    case ProbabilityRole:
        return share ? QVariant(shares[column - P1]) : QVariant();
    case Qt::AccessibleTextRole:
        return column == Resultat && !r.result ? QVariant(QStringLiteral("à jouer")) : QVariant();
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole:
        return ForecastCells::sentence(r.home, r.away, m) +
               (r.result ? QStringLiteral(" Résultat : %1.").arg(result) : QString());
    case Qt::TextAlignmentRole:
        return int((column == Domicile || column == Visiteur ? Qt::AlignLeft : Qt::AlignHCenter) |
                   Qt::AlignVCenter);
    default:
        return {};
    }
}
