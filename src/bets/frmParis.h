#pragma once

#include "shell/ShownView.h"
#include "store/Bets.h"

#include <QWidget>
#include <array>
#include <vector>

class Hover5Control;
class QLabel;
class QPushButton;
class zelOwnerLBox3;

// The bets window "Paris": the ledger of the current competition, newest bet first, with
// the totals of the settled bets. A window of its own beside the working windows.
class frmParis : public QWidget
{
    Q_OBJECT
public:
    explicit frmParis(QWidget* parent = nullptr);

    zelOwnerLBox3* zelLBParis;
    std::array<Hover5Control*, 2> cmdEdit{}; // 0 add, 1 modify
    Hover5Control* cmdDelete;
    QLabel* lblParis;
    QLabel* lblGains;
    QLabel* lblRésultat;
    QPushButton* cmdClose;
    // Export to CSV, print with a preview, export to PDF.
    std::array<QPushButton*, 3> cmdSortie{};

    // Reads the ledger again, selects its first row and recomputes the totals.
    void ActualiseParis();
    void cmdEdit_Click(int index);
    void cmdDelete_Click();
    void cmdClose_Click();

    const std::vector<store::BetRow>& bets() const { return m_bets; }
    ShownView shownView() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showTotals();
    void fitDescriptionColumn();
    void relayoutRows();

    std::vector<store::BetRow> m_bets; // row i of the list is m_bets[i]
    QList<QStringList> m_totals;       // the totals shown, exported under the rows
};
