#pragma once

#include <QDialog>

class ListView;
class PenaltyListModel;
class QLabel;
class QPushButton;

namespace store {
class Database;
}

// The deductions of one team, with the commands to add, modify and delete them. Each change is
// written at once; changed() tells the opener that the standings need showing again.
class frmPenalites : public QDialog
{
    Q_OBJECT
public:
    frmPenalites(store::Database& db, const QString& team, int lastMatchday,
                 QWidget* parent = nullptr);

    ListView* lstPenalites;
    QLabel* lblTotal;
    QPushButton* cmdAjouter;
    QPushButton* cmdModifier;
    QPushButton* cmdSupprimer;
    QPushButton* cmdFermer;

    PenaltyListModel* model() const { return m_model; }
    bool changed() const { return m_changed; }

    void cmdAjouter_Click();
    void cmdModifier_Click();
    void cmdSupprimer_Click();

private:
    // Reads the team's deductions again and selects the one of this row, if any.
    void reload(qint64 select = 0);
    void selectionChanged();

    store::Database& m_db;
    QString m_team;
    int m_lastMatchday;
    PenaltyListModel* m_model;
    bool m_changed = false;
};
