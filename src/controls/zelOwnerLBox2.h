#pragma once

#include "controls/zelOwnerLBox.h"
#include "standings/mRank.h"

// A team's ranking history: its place and numbers after each matchday, newest first.
class zelOwnerLBox2 : public zelOwnerLBox
{
    Q_OBJECT
public:
    explicit zelOwnerLBox2(QWidget* parent = nullptr);

    QString Team() const { return m_team; }
    void setTeam(const QString& team);
    void setItems(std::vector<HistoryEntry> items);
    void setItems(std::vector<HistoryEntry> items, const cResult::Points& points);
    const std::vector<HistoryEntry>& Items() const { return m_items; }

protected:
    void drawRow(QPainter& p, int row, const QRect& rect,
                 const OwnerDrawList::RowState& state) override;
    void layoutColumns(int width) override;

private:
    QString m_team;
    std::vector<HistoryEntry> m_items;
    cResult::Points m_points;
};
