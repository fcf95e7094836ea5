#pragma once

#include <QDialog>

class QComboBox;
class QPushButton;

// Asks the matchday a fixture is postponed to: a list of the competition's matchdays, the
// fixture's own chosen at first.
class frmReporter : public QDialog
{
    Q_OBJECT
public:
    frmReporter(const QString& pairing, int journee, int matchdays, QWidget* parent = nullptr);

    int chosenMatchday() const;

    QComboBox* cboJournee;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;
};
