#pragma once

#include "store/CompetitionSettings.h"

#include <QDialog>
#include <array>

class QComboBox;
class QLineEdit;
class QPushButton;

// "Propriétés de la compétition": the name, the season, the points of a win, a loss and a
// draw and the tie-break of the open competition, checked as the wizard checks them; only
// what the user changed is written, together. After "Enregistrer" the competition has read its
// points again.
class frmProprietes : public QDialog
{
    Q_OBJECT
public:
    explicit frmProprietes(store::Competition& competition, QWidget* parent = nullptr);

    QLineEdit* txtCompet;
    QLineEdit* txtSaison;
    std::array<QLineEdit*, 3> txtPts{};
    QComboBox* cboDepartage;
    QPushButton* cmdSave;
    QPushButton* cmdCancel;

    void cmdSave_Click();

private:
    store::Competition& m_competition;
    store::CompetitionSettings m_shown; // as read when the dialog opened
};
