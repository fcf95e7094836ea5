#pragma once

#include "store/Fixtures.h"
#include "store/Matches.h"

#include <QDialog>
#include <array>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// Records the result of one match: new results one after another (the window stays open),
// or the correction of one match (the window closes once it is stored). The mode is carried
// by the caption.
class frmEditRencontre : public QDialog
{
    Q_OBJECT
public:
    static const QString kCreation; // "Rencontres - Création"
    static const QString kEdition;  // "Rencontres - Edition"

    // owner: the window above which this one is shown.
    explicit frmEditRencontre(QWidget* owner);

    void prepareCreation();
    // A creation with the fixture's matchday and teams filled in, the scores left to type:
    // saving plays the fixture.
    void prepareFixture(const store::Fixture& fixture);
    void prepareEdition(const store::MatchRow& row);
    bool isEdition() const { return windowTitle() == kEdition; }

    void cboJournee_LostFocus();
    void cmdSave_Click();

    QLabel* lblInfo;
    QComboBox* cboJournee;
    QComboBox* cboDomicile;
    std::array<QLineEdit*, 2> txtScore{};
    QComboBox* cboVisiteur;
    QPushButton* cmdSave;
    QPushButton* cmdCancel;

signals:
    // A match was saved: a new one of the matchday at this index of cboJournee, or the one
    // being edited (the window then closes).
    void matchSaved(int matchdayIndex, bool edition);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fillLists();
    void refuse(const MatchRules::Verdict& verdict);

    std::optional<store::MatchKey> m_openingKey; // in edition
};
