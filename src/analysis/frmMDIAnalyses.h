#pragma once

#include "ranking/mRank.h"
#include "shell/WorkingWindow.h"
#include "store/Results.h"

#include <array>
#include <optional>
#include <vector>

class EvolutionChart;
class FormModel;
class GridModel;
class GridView;
class ListView;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTabWidget;
class TeamChoiceModel;
class zelRCornerCommand;

// The season up to one matchday at a glance: the places of the chosen teams after each
// matchday, the cross table of the results and every team's form.
class frmMDIAnalyses : public WorkingWindow
{
    Q_OBJECT
public:
    enum Tab { EvolutionTab, GridTab, FormTab };

    explicit frmMDIAnalyses(QWidget* parent = nullptr);

    QLabel* lblJournees;
    QComboBox* cboJournees;
    zelRCornerCommand* zelOK;
    QTabWidget* tabAnalyses;
    // Évolution
    QLabel* lblType;
    QComboBox* cboType;
    QCheckBox* chkPoints;
    QLabel* lblEquipes;
    ListView* lstEquipes;
    QPushButton* cmdImage;
    EvolutionChart* chart;
    // Grille
    QLabel* lblGrille;
    GridView* lstGrille;
    // Forme
    ListView* lstForme;

    TeamChoiceModel* teams() const { return m_teams; }
    // The tables, brought up to date first if their tab was not shown since the last change.
    GridModel* grid();
    FormModel* form();
    // The matchday that the tabs show, 0 before any result.
    int shownMatchday() const { return m_shownDay; }

    // Reads the results up to the chosen matchday and shows them in every tab.
    void zelOK_Click();
    // Saves the chart as a PNG picture, in a file chosen by the user.
    void cmdImage_Click();
    // The match of a grid cell in the match entry window: corrected when played, entered
    // with its two teams otherwise.
    void editGridCell(const QModelIndex& index);

    ShownView shownView() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* makeEvolutionPage();
    QWidget* makeGridPage();
    // What the colours of the grid say; with a calendar, the grey matchdays too.
    static QString gridLegend(bool calendar);
    QWidget* makeFormPage();
    // The matchdays with results, keeping the one chosen (the last if it was the last).
    void loadMatchdays();
    void compute();
    void drawChart();
    // The chart's values for the export and the printed page, with the chart itself.
    ShownView evolutionView(const QString& day, const QString& heading) const;
    // Computes a tab's content if it changed since the tab was last shown: only the shown tab
    // is computed when the results change.
    void bringUpToDate(int tab);

    TeamChoiceModel* m_teams;
    GridModel* m_grid;
    FormModel* m_form;
    std::vector<store::MatchRow> m_rows; // up to the matchday shown
    RankingRules m_rules;
    int m_shownDay = 0;
    bool m_ticksChosen = false;
    std::optional<int> m_bound;
    std::array<bool, 3> m_stale{};
    bool m_computing = false; // the default ticks are set without drawing twice
};
