#include "models/OutlookModel.h"

#include "models/ForecastCells.h"

#include <QFont>
#include <QLocale>
#include <cmath>

void OutlookModel::setItems(std::vector<Row> items, std::vector<store::Zone> zones)
{
    beginResetModel();
    forgetCrests();
    m_items = std::move(items);
    m_zones = std::move(zones);
    m_captions =
        QStringList{QStringLiteral("Pl"),       QStringLiteral("Equipe"),    QStringLiteral("Pts"),
                    QStringLiteral("PtsFinal"), QStringLiteral("Meilleure"), QStringLiteral("Pire"),
                    QStringLiteral("Certitude")};
    for (const store::Zone& z : m_zones)
        m_captions << z.label;
    for (size_t k = 1; k <= m_items.size(); ++k)
        m_captions << QString::number(k);
    endResetModel();
}

QStringList OutlookModel::captions() const
{
    return m_captions;
}

QString OutlookModel::certainty(int best, int worst, const std::vector<store::Zone>& zones)
{
    for (const store::Zone& z : zones)
        if (z.holds(best) && z.holds(worst))
            return z.label.startsWith(QStringLiteral("Relégation"), Qt::CaseInsensitive)
                       ? QStringLiteral("Relégué")
                       : z.label;
    if (best == 1 && worst == 1)
        return QStringLiteral("Champion");
    if (best == worst)
        return QStringLiteral("%1e").arg(best);
    return {};
}

QColor OutlookModel::shade(double p)
{
    // The square root lets a few per cent show.
    const double t = std::sqrt(std::clamp(p, 0.0, 1.0));
    const auto mix = [t](int from, int to) { return int(std::lround(from + t * (to - from))); };
    return QColor(mix(255, 24), mix(255, 82), mix(255, 168));
}

double OutlookModel::zoneShare(const Row& r, const store::Zone& zone) const
{
    double p = 0.0;
    for (int place = zone.first; place <= zone.last && place <= int(r.places.size()); ++place)
        p += r.places[size_t(place - 1)];
    return p;
}

QVariant OutlookModel::share(const Row& r, double p, const QString& what, bool possible,
                             int role) const
{
    const bool simulated = r.finalPoints.has_value();
    switch (role) {
    case Qt::DisplayRole:
        if (!possible)
            return QStringLiteral("–");
        if (!simulated || p <= 0.0)
            return QString();
        return p < 0.005 ? QStringLiteral("<1") : QString::number(std::lround(100 * p));
    case ExportRole:
        return simulated ? ForecastCells::exported(p) : QString();
    case Qt::AccessibleTextRole:
        if (!possible)
            return QStringLiteral("impossible");
        return simulated ? ForecastCells::percent(p) : QString();
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole:
        if (!possible)
            return QStringLiteral("%1 ne peut plus finir %2.").arg(r.team, what);
        return simulated ? QStringLiteral("%1 : %2 de finir %3.")
                               .arg(r.team, ForecastCells::percent(p), what)
                         : QVariant();
    case Qt::BackgroundRole:
        return simulated && possible && p > 0.0 ? QVariant(shade(p)) : QVariant();
    case Qt::ForegroundRole:
        if (!possible)
            return QColor(96, 96, 96);
        // White where the blue is dark enough to read it better than black.
        return simulated && p > 0.6 ? QVariant(QColor(Qt::white)) : QVariant();
    case Qt::TextAlignmentRole:
        return int(Qt::AlignCenter);
    default:
        return {};
    }
}

QVariant OutlookModel::cell(int row, int column, int role) const
{
    const Row& r = m_items.at(size_t(row));
    const int firstPlace = firstPlaceColumn();
    if (column >= firstPlace) {
        const int place = column - firstPlace + 1;
        const double p = place <= int(r.places.size()) ? r.places[size_t(place - 1)] : 0.0;
        return share(r, p, place == 1 ? QStringLiteral("1er") : QStringLiteral("%1e").arg(place),
                     place >= r.best && place <= r.worst, role);
    }
    if (column >= FirstZone) {
        const store::Zone& z = m_zones[size_t(column - FirstZone)];
        const bool possible = z.first <= r.worst && z.last >= r.best;
        const QString places = z.first == z.last
                                   ? QStringLiteral("place %1").arg(z.first)
                                   : QStringLiteral("places %1 à %2").arg(z.first).arg(z.last);
        return share(r, zoneShare(r, z), QStringLiteral("en %1 (%2)").arg(z.label, places),
                     possible, role);
    }
    switch (role) {
    case Qt::DisplayRole:
        switch (column) {
        case Pl:
            return QString::number(row + 1);
        case Equipe:
            return r.team;
        case Pts:
            return QString::number(r.points);
        case PtsFinal:
            return r.finalPoints ? QLocale(QLocale::French).toString(*r.finalPoints, 'f', 1)
                                 : QString();
        case Meilleure:
            return QString::number(r.best);
        case Pire:
            return QString::number(r.worst);
        case Certitude:
            return certainty(r.best, r.worst, m_zones);
        default:
            return {};
        }
    case ExportRole:
        if (column == PtsFinal)
            return r.finalPoints ? QString::number(*r.finalPoints, 'f', 1) : QString();
        return {};
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole:
        if (column == Meilleure || column == Pire)
            return QStringLiteral("%1 peut encore finir de la place %2 à la place %3.")
                .arg(r.team)
                .arg(r.best)
                .arg(r.worst);
        return {};
    case Qt::FontRole:
        if (column == Certitude) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    case Qt::TextAlignmentRole:
        return int((column == Equipe || column == Certitude ? Qt::AlignLeft : Qt::AlignHCenter) |
                   Qt::AlignVCenter);
    default:
        return {};
    }
}
