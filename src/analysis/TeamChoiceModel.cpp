#include "analysis/TeamChoiceModel.h"

#include "models/TeamOrder.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

QColor TeamChoiceModel::colourOf(int team)
{
    // Hues a golden angle apart, in three shades so that far teams of similar hue differ; none
    // so pale that it fades on the white of the chart.
    const int hue = int(std::fmod(team * 137.508, 360.0));
    static const int value[] = {200, 140, 175};
    static const int saturation[] = {220, 235, 180};
    return QColor::fromHsv(hue, saturation[team % 3], value[team % 3]);
}

void TeamChoiceModel::setTeams(const std::vector<store::Team>& teams)
{
    beginResetModel();
    forgetCrests();
    m_pictures.clear();
    const QStringList names = TeamOrder::names(teams);
    m_teams.assign(names.begin(), names.end());
    m_ticked.assign(m_teams.size(), false);
    endResetModel();
}

int TeamChoiceModel::rowOf(const QString& team) const
{
    const auto it = std::find(m_teams.begin(), m_teams.end(), team);
    return it == m_teams.end() ? -1 : int(it - m_teams.begin());
}

QList<int> TeamChoiceModel::ticked() const
{
    QList<int> out;
    for (int t = 0; t < int(m_ticked.size()); ++t)
        if (m_ticked[size_t(t)])
            out << t;
    return out;
}

void TeamChoiceModel::setTicked(const QList<int>& teams)
{
    m_ticked.assign(m_teams.size(), false);
    for (int t : teams)
        if (t >= 0 && t < int(m_ticked.size()))
            m_ticked[size_t(t)] = true;
    if (!m_teams.empty())
        emit dataChanged(index(0, 1), index(rows() - 1, 1), {Qt::CheckStateRole});
    emit tickedChanged();
}

QStringList TeamChoiceModel::captions() const
{
    static const QStringList captions{QString(), QStringLiteral("Equipe")};
    return captions;
}

Qt::ItemFlags TeamChoiceModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = ListModel::flags(index);
    if (index.isValid() && index.column() == 1)
        f |= Qt::ItemIsUserCheckable;
    return f;
}

bool TeamChoiceModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::CheckStateRole || !index.isValid() || index.column() != 1 ||
        index.row() >= rows())
        return false;
    const bool on = value.toInt() == Qt::Checked;
    if (m_ticked[size_t(index.row())] == on)
        return true;
    m_ticked[size_t(index.row())] = on;
    emit dataChanged(index, index, {Qt::CheckStateRole});
    emit tickedChanged();
    return true;
}

QPixmap TeamChoiceModel::picture(int team) const
{
    auto it = m_pictures.find(team);
    if (it != m_pictures.end())
        return *it;
    QPixmap pm(40, 24);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(colourOf(team).darker(140), 1));
    p.setBrush(colourOf(team));
    p.drawRoundedRect(QRectF(1.5, 7.5, 10, 10), 2, 2);
    const QPixmap badge = crest(m_teams[size_t(team)]);
    if (!badge.isNull())
        p.drawPixmap(16 + (24 - badge.width()) / 2, (24 - badge.height()) / 2, badge);
    p.end();
    return *m_pictures.insert(team, pm);
}

QVariant TeamChoiceModel::cell(int row, int column, int role) const
{
    switch (role) {
    case Qt::DisplayRole:
        return column == 1 ? m_teams[size_t(row)] : QString();
    case Qt::DecorationRole:
        return column == 0 ? QVariant(picture(row)) : QVariant();
    case Qt::CheckStateRole:
        return column == 1 ? QVariant(int(m_ticked[size_t(row)] ? Qt::Checked : Qt::Unchecked))
                           : QVariant();
    default:
        return {};
    }
}
