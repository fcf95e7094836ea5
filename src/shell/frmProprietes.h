#pragma once

#include "store/CompetitionSettings.h"
#include "store/Zones.h"

#include <QDialog>
#include <array>

class QComboBox;
class QLineEdit;
class QPushButton;
class QStandardItemModel;
class QTableView;

// "Propriétés de la compétition": the name, the season, the points of a win, a loss and a
// draw and the tie-break of the open competition, checked as the wizard checks them, the zones
// of the table and the league's previous season; only what the user changed is written,
// together. After "Enregistrer" the competition has read its points again.
class frmProprietes : public QDialog
{
    Q_OBJECT
public:
    explicit frmProprietes(store::Competition& competition, QWidget* parent = nullptr);

    QLineEdit* txtCompet;
    QLineEdit* txtSaison;
    std::array<QLineEdit*, 3> txtPts{};
    QComboBox* cboDepartage;
    QTableView* tblZones;
    QStandardItemModel* zones; // a row a zone: its places ("2-4") and its name
    QPushButton* cmdAddZone;
    QPushButton* cmdRemoveZone;
    QLineEdit* txtPrecedente;
    QPushButton* cmdParcourir;
    QPushButton* cmdSave;
    QPushButton* cmdCancel;

    void cmdSave_Click();

private:
    store::Competition& m_competition;
    store::CompetitionSettings m_shown; // as read when the dialog opened
    std::vector<store::Zone> m_shownZones;
    QString m_shownPrevious; // the absolute path, empty when none
};
