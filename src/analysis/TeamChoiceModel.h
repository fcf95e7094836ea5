#pragma once

#include "models/ListModel.h"
#include "store/Competition.h"

// Every team of the competition in the order of lists to choose from, each with the colour of its
// line in the chart beside its crest, and ticked when the chart shows it.
class TeamChoiceModel : public ListModel
{
    Q_OBJECT
public:
    using ListModel::ListModel;

    // The colour of a team's line, by its row in the list: neighbours differ.
    static QColor colourOf(int team);

    void setTeams(const std::vector<store::Team>& teams);
    const QString& team(int i) const { return m_teams[size_t(i)]; }
    int teamCount() const { return int(m_teams.size()); }
    // The row of the team so named, -1 when there is none.
    int rowOf(const QString& team) const;

    // The rows of the ticked teams, in list order.
    QList<int> ticked() const;
    void setTicked(const QList<int>& teams);
    bool isTicked(int team) const { return m_ticked[size_t(team)]; }

    QStringList captions() const override;
    int teamColumn() const override { return 1; }
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

signals:
    void tickedChanged();

protected:
    int rows() const override { return int(m_teams.size()); }
    QVariant cell(int row, int column, int role) const override;

private:
    QPixmap picture(int team) const;

    std::vector<QString> m_teams;
    std::vector<bool> m_ticked;
    mutable QHash<int, QPixmap> m_pictures;
};
