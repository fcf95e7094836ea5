#pragma once

#include "controls/zelOwnerLBox.h"
#include "models/RankingHistoryModel.h"
#include "ranking/mRank.h"

// A team's ranking history: its place and numbers after each matchday, newest first.
class zelOwnerLBox2 : public zelOwnerLBox
{
    Q_OBJECT
public:
    explicit zelOwnerLBox2(QWidget* parent = nullptr);

    QString Team() const { return m_model->team(); }
    void setTeam(const QString& team) { m_model->setTeam(team); }
    void setItems(std::vector<HistoryEntry> items);
    void setItems(std::vector<HistoryEntry> items, const cResult::Points& points);
    const std::vector<HistoryEntry>& Items() const { return m_model->items(); }
    RankingHistoryModel* history() const { return m_model; }

protected:
    void layoutColumns(int width) override;

private:
    RankingHistoryModel* m_model;
};
