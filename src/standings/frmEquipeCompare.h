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

    // Where the window opens: at the right of the teams window's own window (hostFrame, its
    // frame drawn with the margins given), as large as the teams window and level with it,
    // when the available screen has room for it there; otherwise over the teams window.
    static QRect openingGeometry(const QRect& teams, const QRect& hostFrame, const QMargins& frame,
                                 const QRect& available);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    TeamPanel* m_panel;
};
