#pragma once

#include "shell/WorkingWindow.h"

class Hover5Control;
class TeamPanel;
class zelRCornerCommand;

// The teams window, the one a competition opens on: choose a team and see it in depth,
// modify it, or open a second team window beside it.
class frmMDIEquipes : public WorkingWindow
{
    Q_OBJECT
public:
    explicit frmMDIEquipes(QWidget* parent = nullptr);

    TeamPanel* panel() const { return m_panel; }
    Hover5Control* cmdEdit;
    Hover5Control* cmdPenalites;
    zelRCornerCommand* zelAutreEquipe;

    void cmdEdit_Click();
    // The deductions of the team shown, in their dialog; the team is shown again after a change.
    void cmdPenalites_Click();
    void zelAutreEquipe_Click();

    QSize minimumSizeHint() const override;
    ShownView shownView() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    TeamPanel* m_panel;
};

namespace Utilities {
// Shows a team's summary in the teams window, which becomes the current working window.
void ShowTeamSummary(const QString& name);
} // namespace Utilities
