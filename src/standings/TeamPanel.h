#pragma once

#include "ranking/mRank.h"

#include <QObject>
#include <QSize>
#include <QString>

class QComboBox;
class QFrame;
class QLabel;
class QWidget;
class zelFixtureList;
class zelFrame;
class zelOwnerLBox2;
class zelOwnerLBox4;
class zelRCornerCommand;

// One team shown in depth: its crest and name, a summary of its places in the five rankings,
// its matches newest first, its fixtures still to play and its place after every matchday in one
// ranking kind. The teams window and the second team window each carry one.
class TeamPanel : public QObject
{
    Q_OBJECT
public:
    static constexpr int NameLeft = 115; // the left of the team's name, beside its crest

    explicit TeamPanel(QWidget* host);
    ~TeamPanel() override;

    QLabel* lblChoisir;
    QComboBox* cboEquipes;
    zelRCornerCommand* zelOK;
    QLabel* lblEquipe;
    QLabel* imaBlason;
    QFrame* linHor;
    zelFrame* zelfraResume;
    QLabel* lblResumeHeader;
    QLabel* lblResume;
    zelRCornerCommand* zelResumeFermer;
    zelRCornerCommand* zelResumeVoir;
    QLabel* lblHistoRencontres;
    zelOwnerLBox4* zelHistoRencontres;
    // The team's fixtures still to play, beside its matches; hidden when it has none.
    QLabel* lblProchains;
    zelFixtureList* zelProchains;
    QLabel* lblHistoClassements;
    zelOwnerLBox2* zelHistoClassements;
    QLabel* lblType;
    QComboBox* cboType;
    zelRCornerCommand* zelOKHisto;

    // Fills the team list from the open competition (first team selected) and the kinds.
    void load();
    // Fills the team list again and selects team.
    void refillTeams(const QString& team);
    // Shows team in depth: crest, name, summary and both histories.
    void showTeam(const QString& team);

    // Every team panel fills its list again after the open competition's teams changed,
    // keeping its chosen and shown teams; a panel on team `from` follows it to `to`, its new
    // name, and a team no longer in the competition stops being shown.
    static void teamsChanged(const QString& from = {}, const QString& to = {});

    void zelOK_Click();
    void zelOKHisto_Click();
    void zelResumeFermer_Click();
    void zelResumeVoir_Click();

    // Lays the panel out in a host of this size; the right edge of the team name stops at
    // nameRight (the edit button's left in the teams window).
    void layout(int width, int height, int nameRight);
    // The smallest host, at least hostWidth wide, in which layout() cuts nothing off.
    QSize minimumSize(int hostWidth = 0) const;

    // The five paragraphs of the summary, from the team's record in each kind (in the order
    // Général, Domicile, Extérieur, Attaque, Defense).
    static QString summaryText(const cResult& general, const cResult& home, const cResult& away,
                               const cResult& attack, const cResult& defence);

signals:
    // A team is shown; an empty name when none is any more.
    void teamShown(const QString& team);

private:
    void buildHistory(const store::ResultSet& results);
    void followTeams(const QString& from, const QString& to);
    void clearTeam();
    void showFixtures(store::Competition* competition, const QString& team);

    QWidget* m_host;
    QSize m_laidOut; // the host's size at the last layout, empty before
    int m_nameRight = 0;
};
