#pragma once

#include "shell/WorkingWindow.h"

#include <array>

class Hover5Control;
class QAction;
class QComboBox;
class QLabel;
class zelOwnerLBox4;
class zelRCornerCommand;
namespace store {
struct Fixture;
}

// The results of the open competition matchday by matchday, then the fixtures still to play,
// from which matches are added, corrected and deleted, fixtures played, postponed or taken
// off the calendar, and the calendar of the season generated.
class frmMDIRencontres : public WorkingWindow
{
    Q_OBJECT
public:
    explicit frmMDIRencontres(QWidget* parent = nullptr);

    // Shows the matchday chosen in cboJournées.
    void ActualiseRencontres();
    ShownView shownView() const override;
    // Index of the matchday chosen in cboJournées (matchday - 1), read by match entry.
    int selectedMatchdayIndex() const;

    // 0 adds a match, 1 corrects the selected one (or enters the result of a fixture).
    void cmdEdit_Click(int index);
    void cmdDelete_Click();
    // Moves the selected fixture to the matchday the user chooses.
    void mnuReporter_Click();
    // Gives every match neither played nor on the calendar a matchday.
    void mnuGenerer_Click();

    QLabel* lblJournees;
    QComboBox* cboJournees;
    zelRCornerCommand* zelOK;
    zelOwnerLBox4* zelRencontres;
    QLabel* lblNbre;
    std::array<Hover5Control*, 2> cmdEdit{};
    Hover5Control* cmdDelete;
    QAction* mnuGenerer;
    QAction* mnuReporter;

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void zelRencontres_DblClick();
    // Enables the commands for the selected row.
    void updateCommands();
    void deleteFixture(const store::Fixture& fixture);

    QAction* m_deleteRow;
    int m_shownDay = 0; // the matchday of the rows shown
};
