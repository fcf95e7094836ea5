#pragma once

#include "ranking/mRank.h"
#include "shell/WorkingWindow.h"
#include "store/Results.h"

#include <array>
#include <memory>
#include <optional>
#include <vector>

class EvolutionChart;
class FormModel;
class GridModel;
class GridView;
class ListView;
class MatchForecastModel;
class OutlookModel;
class QCheckBox;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTabWidget;
class SimulationJob;
class TeamChoiceModel;
class zelRCornerCommand;
namespace forecast {
struct SeasonOutlook;
}

// The season up to one matchday at a glance: the places of the chosen teams after each
// matchday, the cross table of the results, every team's form, the forecasts of the next
// matches and the end of the season as simulated from there.
class frmMDIAnalyses : public WorkingWindow
{
    Q_OBJECT
public:
    enum Tab { EvolutionTab, GridTab, FormTab, ForecastTab, OutlookTab, TabCount };

    explicit frmMDIAnalyses(QWidget* parent = nullptr);
    ~frmMDIAnalyses() override;

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
    // Prévisions
    QLabel* lblPrevisions;
    ListView* lstPrevisions;
    // Fin de saison
    QLabel* lblSimulations;
    QComboBox* cboSimulations;
    QPushButton* cmdSimuler;
    QProgressBar* barSimulation;
    QPushButton* cmdAnnuler;
    QLabel* lblSaison;
    ListView* lstSaison;

    TeamChoiceModel* teams() const { return m_teams; }
    // The tables, brought up to date first if their tab was not shown since the last change.
    GridModel* grid();
    FormModel* form();
    MatchForecastModel* forecasts();
    // The places still possible at once; the probabilities once the seasons are simulated.
    OutlookModel* outlook();
    bool simulating() const;
    // The matchday whose matches the forecasts tab shows.
    int forecastMatchday() const { return m_forecastDay; }
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
    QWidget* makeForecastPage();
    QWidget* makeOutlookPage();
    void computeForecasts();
    // Shows the places still possible and simulates the rest of the season in the background.
    void startSimulation();
    void simulationDone(const forecast::SeasonOutlook& outlook);
    // Cancels a simulation under way and waits for it; nothing of it arrives after.
    void stopSimulation();
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
    MatchForecastModel* m_forecasts;
    OutlookModel* m_outlook;
    std::unique_ptr<SimulationJob> m_job;
    std::vector<QString> m_simulatedTeams; // team-list order, for the outlook's rows
    QString m_outlookHeading;
    QString m_outlookProblem;
    int m_forecastDay = 0;
    std::vector<store::MatchRow> m_rows; // up to the matchday shown
    RankingRules m_rules;
    int m_shownDay = 0;
    bool m_ticksChosen = false;
    std::optional<int> m_bound;
    std::array<bool, TabCount> m_stale{};
    bool m_computing = false; // the default ticks are set without drawing twice
};
