#pragma once

#include "store/LeagueRules.h"

#include <QDialog>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class RangeSpinBox;

// One deduction of one team: the points taken away, the matchday from which they count and
// the reason. "Enregistrer" checks the values, then hands them to the saver, which stores them
// and returns why it could not (in French), or nothing; the dialog closes only once saved.
class frmEditPenalite : public QDialog
{
    Q_OBJECT
public:
    using Saver = std::function<QString(const store::Penalty&)>;

    frmEditPenalite(const store::Penalty& penalty, int lastMatchday, Saver saver,
                    QWidget* parent = nullptr);

    QLabel* lblEquipe;
    RangeSpinBox* spnPoints;
    RangeSpinBox* spnJournee;
    QLineEdit* txtMotif;
    QPushButton* cmdSave;
    QPushButton* cmdCancel;

    // What was saved, after "Enregistrer".
    const store::Penalty& penalty() const { return m_penalty; }

    void cmdSave_Click();

private:
    store::Penalty m_penalty;
    int m_lastMatchday;
    Saver m_saver;
};
