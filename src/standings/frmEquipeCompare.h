#pragma once

#include <QWidget>

class TeamPanel;

// The second team window ("Equipe"): the same team panel as the teams window, with a team and
// a kind of its own, so that two teams can be looked at side by side.
class frmEquipeCompare : public QWidget
{
    Q_OBJECT
public:
    explicit frmEquipeCompare(QWidget* parent = nullptr);
    TeamPanel* panel() const { return m_panel; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    TeamPanel* m_panel;
};
