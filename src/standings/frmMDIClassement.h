#pragma once

#include "shell/WorkingWindow.h"

class QComboBox;
class QLabel;
class zelOwnerLBox1;
class zelRCornerCommand;

// The league table of one kind after one matchday.
class frmMDIClassement : public WorkingWindow
{
    Q_OBJECT
public:
    explicit frmMDIClassement(QWidget* parent = nullptr);

    QLabel* lblJournees;
    QComboBox* cboJournees;
    QLabel* lblType;
    QComboBox* cboType;
    zelRCornerCommand* zelOK;
    zelOwnerLBox1* zelClass;
    // The colours and labels of the zones of the table, under it; hidden when it has none.
    QLabel* lblZones;

    void zelOK_Click();
    void zelClass_DblClick();

    ShownView shownView() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showZones();
    void layoutList();

    // The matchday and kind of the table shown, as computed by the last "OK".
    int m_shownDay = 0;
    QString m_shownKind;
};
