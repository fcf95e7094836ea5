#pragma once

#include "shell/WorkingWindow.h"

#include <array>

class Hover5Control;
class QComboBox;
class QLabel;
class zelOwnerLBox4;
class zelRCornerCommand;

// The results of the open competition matchday by matchday, from which matches are added,
// corrected and deleted.
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

    // 0 adds a match, 1 corrects the selected one.
    void cmdEdit_Click(int index);
    void cmdDelete_Click();

    QLabel* lblJournees;
    QComboBox* cboJournees;
    zelRCornerCommand* zelOK;
    zelOwnerLBox4* zelRencontres;
    QLabel* lblNbre;
    std::array<Hover5Control*, 2> cmdEdit{};
    Hover5Control* cmdDelete;

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void zelRencontres_DblClick();

    int m_shownDay = 0; // the matchday of the rows shown
};
