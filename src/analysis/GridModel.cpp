#include "analysis/GridModel.h"

#include "store/Results.h"

#include <QHash>

const QColor GridModel::kWin(200, 236, 200);
const QColor GridModel::kDraw(246, 236, 186);
const QColor GridModel::kDefeat(246, 204, 204);
const QColor GridModel::kDiagonal(150, 150, 150);
const QColor GridModel::kScheduled(128, 128, 128);

namespace {

QString score(const GridCell& c)
{
    return QStringLiteral("%1-%2").arg(c.home).arg(c.away);
}

} // namespace

GridModel::GridModel(QObject* parent)
    : ListModel(parent), m_grid(std::vector<store::MatchRow>{}, std::vector<store::Team>{}),
      m_captions{QString(), QStringLiteral("Domicile")}
{
    setAlternating(false);
}

void GridModel::setGrid(SeasonGrid grid, const std::vector<store::Fixture>& fixtures)
{
    beginResetModel();
    forgetCrests();
    m_grid = std::move(grid);
    const int n = m_grid.size();
    m_scheduled.assign(size_t(n * n), 0);
    QHash<QString, int> places;
    for (int t = 0; t < n; ++t)
        places.insert(store::teamKey(m_grid.team(t)), t);
    for (const store::Fixture& f : fixtures) {
        const int home = places.value(store::teamKey(f.domicile), -1);
        const int visitor = places.value(store::teamKey(f.visiteur), -1);
        if (home >= 0 && visitor >= 0 && home != visitor && !m_grid.cell(home, visitor).played)
            m_scheduled[size_t(home * n + visitor)] = f.journee;
    }
    m_captions = QStringList{QString(), QStringLiteral("Domicile")};
    for (int t = 0; t < m_grid.size(); ++t)
        m_captions << m_grid.team(t);
    endResetModel();
}

int GridModel::homeOf(const QModelIndex& index) const
{
    return index.isValid() && index.column() >= kFirstVisitor && index.row() < m_grid.size()
               ? index.row()
               : -1;
}

int GridModel::visitorOf(const QModelIndex& index) const
{
    return homeOf(index) >= 0 && index.column() - kFirstVisitor < m_grid.size()
               ? index.column() - kFirstVisitor
               : -1;
}

const GridCell* GridModel::cellAt(const QModelIndex& index) const
{
    const int home = homeOf(index), visitor = visitorOf(index);
    if (home < 0 || visitor < 0 || home == visitor)
        return nullptr;
    return &m_grid.cell(home, visitor);
}

int GridModel::scheduledAt(const QModelIndex& index) const
{
    const int home = homeOf(index), visitor = visitorOf(index);
    if (home < 0 || visitor < 0)
        return 0;
    return m_scheduled[size_t(home * m_grid.size() + visitor)];
}

QModelIndex GridModel::indexOf(int home, int visitor) const
{
    return index(home, kFirstVisitor + visitor);
}

QStringList GridModel::captions() const
{
    return m_captions;
}

QVariant GridModel::data(const QModelIndex& index, int role) const
{
    if (role == Qt::ForegroundRole && scheduledAt(index) > 0)
        return kScheduled;
    if (role != Qt::BackgroundRole || homeOf(index) < 0 || visitorOf(index) < 0)
        return ListModel::data(index, role);
    if (index.row() == visitorOf(index))
        return kDiagonal;
    const GridCell& c = m_grid.cell(homeOf(index), visitorOf(index));
    if (!c.played)
        return ListModel::data(index, role);
    return c.home > c.away ? kWin : c.home == c.away ? kDraw : kDefeat;
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && section >= kFirstVisitor &&
        section - kFirstVisitor < m_grid.size()) {
        const QString& team = m_grid.team(section - kFirstVisitor);
        if (role == Qt::DecorationRole)
            return crest(team);
        if (role == Qt::ToolTipRole)
            return team;
    }
    return ListModel::headerData(section, orientation, role);
}

QVariant GridModel::cell(int row, int column, int role) const
{
    const QString& home = m_grid.team(row);
    if (column < kFirstVisitor) {
        switch (role) {
        case Qt::DisplayRole:
            return column == 1 ? home : QString();
        case Qt::DecorationRole:
            return column == 0 ? QVariant(crest(home)) : QVariant();
        case ListModel::EdgeRole:
            return column == 1;
        default:
            return {};
        }
    }
    const int visitor = column - kFirstVisitor;
    const GridCell& c = m_grid.cell(row, visitor);
    const int scheduled = m_scheduled[size_t(row * m_grid.size() + visitor)];
    switch (role) {
    case Qt::DisplayRole:
        return c.played ? score(c) : scheduled ? QStringLiteral("J%1").arg(scheduled) : QString();
    case ListModel::ExportRole:
        // A file of the grid holds the scores only: the calendar has its own export.
        return c.played ? score(c) : QString();
    case Qt::AccessibleTextRole:
        // The cell alone says little to someone who cannot see the captions.
        if (row == visitor)
            return QString();
        if (c.played)
            return QStringLiteral("%1 %2 %3, journée %4")
                .arg(home, score(c), m_grid.team(visitor), QString::number(c.journee));
        if (scheduled)
            return QStringLiteral("%1 – %2, à jouer, journée %3")
                .arg(home, m_grid.team(visitor), QString::number(scheduled));
        return QStringLiteral("%1 - %2 : pas encore joué").arg(home, m_grid.team(visitor));
    case Qt::ToolTipRole:
        if (row == visitor)
            return {};
        if (c.played)
            return QStringLiteral("J%1 : %2 %3 %4")
                .arg(QString::number(c.journee), home, score(c), m_grid.team(visitor));
        if (scheduled)
            return QStringLiteral("J%1 : %2 – %3, à jouer")
                .arg(QString::number(scheduled), home, m_grid.team(visitor));
        return QStringLiteral("%1 - %2 : pas encore joué").arg(home, m_grid.team(visitor));
    case Qt::TextAlignmentRole:
        return int(Qt::AlignCenter);
    default:
        return {};
    }
}
