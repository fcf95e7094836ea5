#include "analysis/frmMDIAnalyses.h"

#include "analysis/CheckDelegate.h"
#include "analysis/EvolutionChart.h"
#include "analysis/EvolutionModel.h"
#include "analysis/FormDelegate.h"
#include "analysis/FormModel.h"
#include "analysis/GridModel.h"
#include "analysis/GridView.h"
#include "analysis/ProbabilityDelegate.h"
#include "analysis/SimulationJob.h"
#include "analysis/TeamChoiceModel.h"
#include "controls/ListView.h"
#include "controls/MessageBox.h"
#include "controls/cOpenSaveFile.h"
#include "controls/zelRCornerCommand.h"
#include "forecast/CompetitionForecast.h"
#include "matches/frmEditRencontre.h"
#include "models/MatchForecastModel.h"
#include "models/OutlookModel.h"
#include "models/TeamOrder.h"
#include "printing/CrossTableModel.h"
#include "printing/Renderers.h"
#include "printing/ReportDocument.h"
#include "ranking/SeasonAnalysis.h"
#include "ranking/mRank.h"
#include "shell/AppHost.h"
#include "shell/frmMain.h"
#include "store/Competition.h"
#include "store/Fixtures.h"
#include "store/SafeSaveFile.h"
#include "store/TextChecks.h"
#include "store/Utilities.h"
#include "store/Zones.h"

#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
// Positions of the matchday box and "OK", as in the standings window, in pixels.
constexpr int kLeft = 16;
constexpr int kTop = 8;
constexpr int kTabsTop = 48;
constexpr int kBottom = 8;
constexpr int kSideWidth = 220;
constexpr int kDefaultTicks = 4;
// The seasons simulated unless the user asks for more or fewer, and the seed of their draws:
// the same as the tool's, so that both give the same outlook.
constexpr int kDefaultRuns = 10000;
constexpr quint64 kSeed = 0;

store::Competition* competition()
{
    return store::CurrentCompetition::get();
}

// The first matchday in which neither team has a result; the first one when there is none.
int freeMatchday(const std::vector<store::MatchRow>& rows, const QString& home,
                 const QString& visitor, int matchdays)
{
    const QString a = store::teamKey(home), b = store::teamKey(visitor);
    std::vector<bool> busy(size_t(qMax(0, matchdays)) + 1, false);
    for (const store::MatchRow& r : rows) {
        if (r.journee < 1 || r.journee > matchdays)
            continue;
        const QString d = store::teamKey(r.domicile), v = store::teamKey(r.visiteur);
        if (d == a || d == b || v == a || v == b)
            busy[size_t(r.journee)] = true;
    }
    for (int j = 1; j <= matchdays; ++j)
        if (!busy[size_t(j)])
            return j;
    return 1;
}

} // namespace

frmMDIAnalyses::frmMDIAnalyses(QWidget* parent)
    : WorkingWindow(QStringLiteral("frmMDIAnalyses"), parent), m_teams(new TeamChoiceModel(this)),
      m_grid(new GridModel(this)), m_form(new FormModel(this)),
      m_forecasts(new MatchForecastModel(this)), m_outlook(new OutlookModel(this))
{
    lblJournees = new QLabel(QStringLiteral("&Journée :"), this);
    lblJournees->setObjectName(QStringLiteral("lblJournées"));
    const int shift = lblJournees->sizeHint().width() + 8;
    lblJournees->setGeometry(kLeft, kTop, shift - 8, 25);
    cboJournees = new QComboBox(this);
    cboJournees->setObjectName(QStringLiteral("cboJournées"));
    cboJournees->setGeometry(kLeft + shift, kTop, 161, 25);
    lblJournees->setBuddy(cboJournees);
    zelOK = new zelRCornerCommand(this);
    zelOK->setObjectName(QStringLiteral("zelOK"));
    zelOK->setCaption(QStringLiteral("OK"));
    zelOK->setGeometry(184 + shift, kTop, 33, 25);
    zelOK->setEnabled(false);
    tabAnalyses = new QTabWidget(this);
    tabAnalyses->setObjectName(QStringLiteral("tabAnalyses"));
    tabAnalyses->addTab(makeEvolutionPage(), QStringLiteral("É&volution"));
    tabAnalyses->addTab(makeGridPage(), QStringLiteral("&Grille"));
    tabAnalyses->addTab(makeFormPage(), QStringLiteral("F&orme"));
    tabAnalyses->addTab(makeForecastPage(), QStringLiteral("&Prévisions"));
    tabAnalyses->addTab(makeOutlookPage(), QStringLiteral("Fin de &saison"));
    tabAnalyses->move(kLeft, kTabsTop);

    connect(tabAnalyses, &QTabWidget::currentChanged, this,
            [this](int tab) { bringUpToDate(tab); });
    connect(zelOK, &zelRCornerCommand::Click, this, &frmMDIAnalyses::zelOK_Click);
    cboJournees->installEventFilter(this);

    if (store::Competition* c = competition())
        m_teams->setTeams(c->teamList());
    loadMatchdays();
    compute();
}

QWidget* frmMDIAnalyses::makeEvolutionPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("pgEvolution"));
    auto* side = new QWidget(page);
    side->setFixedWidth(kSideWidth);
    lblType = new QLabel(QStringLiteral("T&ype :"), side);
    lblType->setObjectName(QStringLiteral("lblType"));
    cboType = new QComboBox(side);
    cboType->setObjectName(QStringLiteral("cboType"));
    cboType->addItems(rankingKindLabels());
    lblType->setBuddy(cboType);
    chkPoints = new QCheckBox(QStringLiteral("Points &cumulés"), side);
    chkPoints->setObjectName(QStringLiteral("chkPoints"));
    lblEquipes = new QLabel(QStringLiteral("É&quipes :"), side);
    lblEquipes->setObjectName(QStringLiteral("lblEquipes"));
    lstEquipes = new ListView(side);
    lstEquipes->setObjectName(QStringLiteral("lstEquipes"));
    lstEquipes->setAccessibleName(QStringLiteral("Equipes du graphique"));
    lstEquipes->setItemDelegate(new CheckDelegate(lstEquipes));
    lstEquipes->setListModel(m_teams);
    lstEquipes->horizontalHeader()->hide();
    lstEquipes->horizontalHeader()->setStretchLastSection(true);
    lstEquipes->setColumnWidth(0, 44);
    lstEquipes->setRowHeights(26);
    lstEquipes->setMinimumHeight(120);
    lblEquipes->setBuddy(lstEquipes);
    cmdImage = new QPushButton(QStringLiteral("Enregistrer l'&image…"), side);
    cmdImage->setObjectName(QStringLiteral("cmdImage"));

    auto* column = new QVBoxLayout(side);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(lblType);
    column->addWidget(cboType);
    column->addWidget(chkPoints);
    column->addSpacing(6);
    column->addWidget(lblEquipes);
    column->addWidget(lstEquipes, 1);
    column->addWidget(cmdImage);

    chart = new EvolutionChart(page);
    auto* layout = new QHBoxLayout(page);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(side);
    layout->addWidget(chart, 1);

    connect(cboType, &QComboBox::currentIndexChanged, this, &frmMDIAnalyses::drawChart);
    connect(chkPoints, &QCheckBox::toggled, this, &frmMDIAnalyses::drawChart);
    connect(m_teams, &TeamChoiceModel::tickedChanged, this, [this] {
        if (!m_computing)
            drawChart();
    });
    connect(cmdImage, &QPushButton::clicked, this, &frmMDIAnalyses::cmdImage_Click);
    return page;
}

QString frmMDIAnalyses::gridLegend(bool calendar)
{
    const auto swatch = [](const QColor& c, const char* text) {
        return QStringLiteral("<span style=\"background-color:%1\">&nbsp;%2&nbsp;</span>")
            .arg(c.name(), QString::fromUtf8(text));
    };
    const QString toPlay =
        calendar ? QStringLiteral(" ; en <span style=\"color:%1\">gris, « J25 »</span>, la "
                                  "journée d'une rencontre à jouer")
                       .arg(GridModel::kScheduled.name())
                 : QString();
    return QStringLiteral("Une ligne par équipe à domicile, une colonne par équipe visiteuse ; la "
                          "couleur donne le résultat de l'équipe à domicile : %1 %2 %3%4. "
                          "Double-cliquez sur une case, ou appuyez sur Entrée, pour saisir ou "
                          "corriger son match.")
        .arg(swatch(GridModel::kWin, "victoire"), swatch(GridModel::kDraw, "nul"),
             swatch(GridModel::kDefeat, "défaite"), toPlay);
}

QWidget* frmMDIAnalyses::makeGridPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("pgGrille"));
    lblGrille = new QLabel(gridLegend(false), page);
    lblGrille->setObjectName(QStringLiteral("lblGrille"));
    lblGrille->setTextFormat(Qt::RichText);
    lblGrille->setWordWrap(true);
    lstGrille = new GridView(page);
    lstGrille->setObjectName(QStringLiteral("lstGrille"));
    lstGrille->setAccessibleName(QStringLiteral("Grille des confrontations"));
    lstGrille->setGridModel(m_grid);
    lstGrille->setMinimumSize(200, 120);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(lblGrille);
    layout->addWidget(lstGrille, 1);
    connect(lstGrille, &GridView::cellActivated, this, &frmMDIAnalyses::editGridCell);
    return page;
}

QWidget* frmMDIAnalyses::makeFormPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("pgForme"));
    lstForme = new ListView(page);
    lstForme->setObjectName(QStringLiteral("lstForme"));
    lstForme->setAccessibleName(QStringLiteral("Forme des équipes"));
    lstForme->setItemDelegate(new FormDelegate(FormModel::Forme, lstForme));
    m_form->setColours(
        {QColor(Qt::white), QColor(224, 224, 224), QColor(Qt::black), QColor(Qt::black)});
    lstForme->setListModel(m_form);
    lstForme->setRowHeights(26);
    lstForme->setMinimumSize(200, 120);
    connect(m_form, &QAbstractItemModel::modelReset, lstForme, [this] {
        lstForme->resizeColumnsToContents();
        lstForme->setColumnWidth(FormModel::Crest, 28);
        lstForme->setColumnWidth(FormModel::Forme,
                                 qMax(lstForme->columnWidth(FormModel::Forme),
                                      FormDelegate::widthFor(5, lstForme->rowHeight(0))));
        for (int c = FormModel::Equipe; c <= FormModel::Exterieur; ++c)
            lstForme->setColumnWidth(c, lstForme->columnWidth(c) + 12);
    });
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(lstForme);
    return page;
}

frmMDIAnalyses::~frmMDIAnalyses() = default;

QWidget* frmMDIAnalyses::makeForecastPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("pgPrevisions"));
    lblPrevisions = new QLabel(page);
    lblPrevisions->setObjectName(QStringLiteral("lblPrevisions"));
    lblPrevisions->setWordWrap(true);
    lstPrevisions = new ListView(page);
    lstPrevisions->setObjectName(QStringLiteral("lstPrevisions"));
    lstPrevisions->setAccessibleName(QStringLiteral("Prévisions des rencontres"));
    lstPrevisions->setItemDelegate(new ProbabilityDelegate(lstPrevisions));
    m_forecasts->setColours(
        {QColor(Qt::white), QColor(236, 236, 236), QColor(Qt::black), QColor(Qt::black)});
    lstPrevisions->setListModel(m_forecasts);
    lstPrevisions->setRowHeights(26);
    lstPrevisions->setMinimumSize(200, 120);
    connect(m_forecasts, &QAbstractItemModel::modelReset, lstPrevisions, [this] {
        lstPrevisions->resizeColumnsToContents();
        for (int c = 0; c < MatchForecastModel::ColumnCount; ++c)
            lstPrevisions->setColumnWidth(c, lstPrevisions->columnWidth(c) + 12);
        for (int c = MatchForecastModel::P1; c <= MatchForecastModel::P2; ++c)
            lstPrevisions->setColumnWidth(c, qMax(96, lstPrevisions->columnWidth(c)));
    });
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(lblPrevisions);
    layout->addWidget(lstPrevisions, 1);
    return page;
}

QWidget* frmMDIAnalyses::makeOutlookPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("pgSaison"));
    lblSimulations = new QLabel(QStringLiteral("Saisons à si&muler :"), page);
    lblSimulations->setObjectName(QStringLiteral("lblSimulations"));
    cboSimulations = new QComboBox(page);
    cboSimulations->setObjectName(QStringLiteral("cboSimulations"));
    for (int runs : {1000, 10000, 100000})
        cboSimulations->addItem(QLocale(QLocale::French).toString(runs), runs);
    cboSimulations->setCurrentIndex(cboSimulations->findData(kDefaultRuns));
    lblSimulations->setBuddy(cboSimulations);
    cmdSimuler = new QPushButton(QStringLiteral("Re&lancer"), page);
    cmdSimuler->setObjectName(QStringLiteral("cmdSimuler"));
    barSimulation = new QProgressBar(page);
    barSimulation->setObjectName(QStringLiteral("barSimulation"));
    barSimulation->setAccessibleName(QStringLiteral("Progression de la simulation"));
    barSimulation->setRange(0, 1000);
    barSimulation->setTextVisible(false);
    barSimulation->hide();
    cmdAnnuler = new QPushButton(QStringLiteral("A&nnuler"), page);
    cmdAnnuler->setObjectName(QStringLiteral("cmdAnnuler"));
    cmdAnnuler->setEnabled(false);
    lblSaison = new QLabel(page);
    lblSaison->setObjectName(QStringLiteral("lblSaison"));
    lblSaison->setWordWrap(true);
    lstSaison = new ListView(page);
    lstSaison->setObjectName(QStringLiteral("lstSaison"));
    lstSaison->setAccessibleName(QStringLiteral("Fin de saison simulée"));
    m_outlook->setColours(
        {QColor(Qt::white), QColor(240, 240, 240), QColor(Qt::black), QColor(Qt::black)});
    lstSaison->setListModel(m_outlook);
    lstSaison->setRowHeights(26);
    lstSaison->setMinimumSize(200, 120);
    connect(m_outlook, &QAbstractItemModel::modelReset, lstSaison, [this] {
        lstSaison->resizeColumnsToContents();
        for (int c = 0; c < m_outlook->columnCount(); ++c)
            lstSaison->setColumnWidth(c, qMax(34, lstSaison->columnWidth(c) + 8));
    });

    auto* controls = new QHBoxLayout;
    controls->addWidget(lblSimulations);
    controls->addWidget(cboSimulations);
    controls->addWidget(cmdSimuler);
    controls->addWidget(barSimulation, 1);
    controls->addWidget(cmdAnnuler);
    controls->addStretch();
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addLayout(controls);
    layout->addWidget(lblSaison);
    layout->addWidget(lstSaison, 1);

    connect(cboSimulations, &QComboBox::currentIndexChanged, this, [this] {
        m_stale[OutlookTab] = true;
        stopSimulation();
        bringUpToDate(tabAnalyses->currentIndex());
    });
    connect(cmdSimuler, &QPushButton::clicked, this, [this] {
        m_stale[OutlookTab] = true;
        bringUpToDate(OutlookTab);
    });
    connect(cmdAnnuler, &QPushButton::clicked, this, [this] {
        if (m_job)
            m_job->cancel();
    });
    return page;
}

void frmMDIAnalyses::computeForecasts()
{
    store::Competition* c = competition();
    if (!c)
        return;
    const std::shared_ptr<const store::ResultSet> results = c->resultsOrNone();
    // A calendar that cannot be read leaves only the matches played.
    std::vector<store::Fixture> fixtures;
    if (!store::loadFixtures(c->db(), fixtures).ok())
        fixtures.clear();
    // The matchday after the one chosen; the chosen one itself while it has matches to play.
    int day = m_shownDay + 1;
    if (m_shownDay > 0 && std::any_of(fixtures.begin(), fixtures.end(),
                                      [this](const auto& f) { return f.journee == m_shownDay; }))
        day = m_shownDay;
    m_forecastDay = day <= store::matchdayCount(c->teamCount()) ? day : 0;

    std::vector<MatchForecastModel::Row> rows;
    QString problem;
    if (m_forecastDay > 0) {
        const forecast::MatchModel model =
            forecast::fitCompetition(*c, results->rows(), day, &problem);
        for (const store::MatchRow& r : results->matchday(day))
            rows.push_back({day, r.domicile, r.visiteur, model.predict(r.domicile, r.visiteur),
                            std::pair(r.scoreDomicile, r.scoreVisiteur)});
        for (const store::Fixture& f : fixtures)
            if (f.journee == day)
                rows.push_back({day, f.domicile, f.visiteur, model.predict(f.domicile, f.visiteur),
                                std::nullopt});
    }
    const bool any = !rows.empty();
    m_forecasts->setItems(std::move(rows));

    QString text;
    if (m_forecastDay == 0)
        text = QStringLiteral("La saison est terminée : il ne reste aucune journée à prévoir.");
    else if (day == 1)
        text = QStringLiteral("Journée 1, prévue avant tout résultat de la saison");
    else
        text = QStringLiteral("Journée %1, prévue à partir des seuls résultats des journées 1 à %2")
                   .arg(day)
                   .arg(day - 1);
    if (m_forecastDay > 0)
        text += any ? QStringLiteral(". Les barres donnent la victoire à domicile (P1), le nul "
                                     "(PN) et la victoire à l'extérieur (P2).")
                    : QStringLiteral(" : elle n'a encore aucune rencontre, ni jouée ni au "
                                     "calendrier.");
    if (!problem.isEmpty())
        text += QLatin1Char('\n') + problem;
    lblPrevisions->setText(text);
}

void frmMDIAnalyses::startSimulation()
{
    store::Competition* c = competition();
    if (!c)
        return;
    stopSimulation();
    const std::shared_ptr<const store::ResultSet> results = c->resultsOrNone();
    std::vector<store::Fixture> fixtures;
    if (!store::loadFixtures(c->db(), fixtures).ok())
        fixtures.clear();
    std::vector<store::Zone> zones;
    if (!store::readZones(c->db(), c->teamCount(), zones).ok())
        zones.clear();
    forecast::SeasonState state =
        forecast::seasonAfter(c->teamList(), m_rules, results->teamResults(), fixtures, m_shownDay,
                              store::matchdayCount(c->teamCount()));
    m_simulatedTeams.clear();
    for (const store::Team& t : state.teams)
        m_simulatedTeams.push_back(t.nom);

    // The places still possible cost nothing: shown at once, and kept if the run is stopped.
    std::vector<int> best, worst;
    forecast::placeBounds(state, best, worst);
    const RankingCollection now =
        ComputeRanking(state.played, RankingKind::General, state.teams, state.rules);
    const bool over = state.toPlay.empty();
    std::vector<OutlookModel::Row> rows;
    for (int pos = 1; pos <= now.Count(); ++pos) {
        const cResult& r = now.Item(pos);
        const auto at = std::find(m_simulatedTeams.begin(), m_simulatedTeams.end(), r.TeamName);
        const size_t t = size_t(at - m_simulatedTeams.begin());
        if (t >= best.size())
            continue;
        OutlookModel::Row row{r.TeamName, r.points(state.rules.points), best[t], worst[t], {}, {}};
        if (over) {
            row.finalPoints = row.points;
            row.places.assign(best.size(), 0.0);
            row.places[size_t(best[t] - 1)] = 1.0;
        }
        rows.push_back(std::move(row));
    }
    m_outlook->setItems(std::move(rows), std::move(zones));
    m_outlookHeading = m_shownDay > 0 ? QStringLiteral("Après la journée %1").arg(m_shownDay)
                                      : QStringLiteral("Avant la première journée");
    if (over) {
        lblSaison->setText(m_outlookHeading +
                           QStringLiteral(", toutes les rencontres sont "
                                          "jouées : les places sont définitives."));
        return;
    }
    QString problem;
    forecast::MatchModel model =
        forecast::fitCompetition(*c, results->rows(), m_shownDay + 1, &problem);
    m_outlookProblem = problem;
    const int runs = cboSimulations->currentData().toInt();
    m_job = std::make_unique<SimulationJob>(std::move(state), std::move(model), runs, kSeed);
    connect(m_job.get(), &SimulationJob::progressed, barSimulation, &QProgressBar::setValue);
    connect(m_job.get(), &SimulationJob::finished, this, &frmMDIAnalyses::simulationDone);
    barSimulation->setValue(0);
    barSimulation->show();
    cmdAnnuler->setEnabled(true);
    cmdSimuler->setEnabled(false);
    lblSaison->setText(m_outlookHeading +
                       QStringLiteral(" : simulation de %1 saisons en cours… Les places encore "
                                      "possibles sont déjà données.")
                           .arg(QLocale(QLocale::French).toString(runs)));
    m_job->start();
}

void frmMDIAnalyses::stopSimulation()
{
    m_job.reset();
    barSimulation->hide();
    cmdAnnuler->setEnabled(false);
    cmdSimuler->setEnabled(true);
}

void frmMDIAnalyses::simulationDone(const forecast::SeasonOutlook& outlook)
{
    barSimulation->hide();
    cmdAnnuler->setEnabled(false);
    cmdSimuler->setEnabled(true);
    QString text;
    if (outlook.cancelled) {
        text = m_outlookHeading + QStringLiteral(" : simulation annulée. Seules les places encore "
                                                 "possibles sont données ; « Relancer » la "
                                                 "reprend.");
    } else {
        std::vector<OutlookModel::Row> rows;
        for (const forecast::TeamOutlook& o : outlook.teams)
            rows.push_back({m_simulatedTeams.at(size_t(o.team)), o.points, o.best, o.worst,
                            o.finalPoints, o.place});
        m_outlook->setItems(std::move(rows), m_outlook->zones());
        text = m_outlookHeading +
               QStringLiteral(" : %1 saisons simulées. Probabilités en % de chaque zone et de "
                              "chaque place finale ; « – » : une place qui ne peut plus être "
                              "atteinte. Meilleure et Pire : les places encore possibles.")
                   .arg(QLocale(QLocale::French).toString(outlook.runs));
    }
    if (!m_outlookProblem.isEmpty())
        text += QLatin1Char('\n') + m_outlookProblem;
    lblSaison->setText(text);
}

bool frmMDIAnalyses::simulating() const
{
    return m_job && m_job->running();
}

void frmMDIAnalyses::loadMatchdays()
{
    store::Competition* c = competition();
    if (!c)
        return;
    const int chosen = cboJournees->currentData().toInt();
    const bool wasLast = cboJournees->currentIndex() == cboJournees->count() - 1;
    const std::vector<int> days = c->resultsOrNone()->playedMatchdays();
    cboJournees->clear();
    for (int d : days)
        cboJournees->addItem(QStringLiteral("Journée %1").arg(d), d);
    int at = cboJournees->findData(chosen);
    if (wasLast || at < 0)
        at = cboJournees->count() - 1;
    cboJournees->setCurrentIndex(at);
    zelOK->setEnabled(!days.empty());
}

void frmMDIAnalyses::zelOK_Click()
{
    if (zelOK->isEnabled())
        compute();
}

void frmMDIAnalyses::compute()
{
    store::Competition* c = competition();
    if (!c)
        return;
    std::optional<int> bound;
    if (cboJournees->currentIndex() >= 0)
        bound = cboJournees->currentData().toInt();
    const std::shared_ptr<const store::ResultSet> results = c->resultsOrNone();
    m_rows.clear();
    if (bound)
        m_rows = results->rowsUpTo(bound);
    m_rules = competitionRules(*c, *results);
    const std::vector<store::Team>& teams = c->teamList();
    m_bound = bound;
    m_shownDay = bound.value_or(0);
    m_stale.fill(true);
    // A simulation of another matchday is of no more use.
    stopSimulation();
    if (!m_ticksChosen) {
        // The leaders of the general standings, which the form lists in their order.
        std::vector<TeamForm> forms = SeasonForm(m_rows, teams, m_rules, bound);
        QList<int> leaders;
        for (size_t i = 0; i < forms.size() && leaders.size() < kDefaultTicks; ++i)
            if (const int row = m_teams->rowOf(forms[i].team); row >= 0)
                leaders << row;
        m_computing = true;
        m_teams->setTicked(leaders);
        m_computing = false;
        m_ticksChosen = true;
        m_form->setItems(std::move(forms));
        m_stale[FormTab] = false;
    }
    bringUpToDate(tabAnalyses->currentIndex());
}

void frmMDIAnalyses::bringUpToDate(int tab)
{
    store::Competition* c = competition();
    if (!c || tab < 0 || tab >= int(m_stale.size()) || !m_stale[size_t(tab)])
        return;
    m_stale[size_t(tab)] = false;
    switch (tab) {
    case EvolutionTab:
        drawChart();
        break;
    case GridTab: {
        // A calendar that cannot be read leaves the empty cells empty, as without one.
        std::vector<store::Fixture> fixtures;
        if (!store::loadFixtures(c->db(), fixtures).ok())
            fixtures.clear();
        lblGrille->setText(gridLegend(!fixtures.empty()));
        m_grid->setGrid(SeasonGrid(m_rows, TeamOrder::sorted(c->teamList()), m_bound), fixtures);
        break;
    }
    case FormTab:
        m_form->setItems(SeasonForm(m_rows, c->teamList(), m_rules, m_bound));
        break;
    case ForecastTab:
        computeForecasts();
        break;
    case OutlookTab:
        startSimulation();
        break;
    }
}

GridModel* frmMDIAnalyses::grid()
{
    bringUpToDate(GridTab);
    return m_grid;
}

FormModel* frmMDIAnalyses::form()
{
    bringUpToDate(FormTab);
    return m_form;
}

MatchForecastModel* frmMDIAnalyses::forecasts()
{
    bringUpToDate(ForecastTab);
    return m_forecasts;
}

OutlookModel* frmMDIAnalyses::outlook()
{
    bringUpToDate(OutlookTab);
    return m_outlook;
}

void frmMDIAnalyses::drawChart()
{
    store::Competition* c = competition();
    if (!c)
        return;
    chart->draw(m_rows, c->teamList(), m_rules, RankingKind(qBound(0, cboType->currentIndex(), 4)),
                *m_teams, chkPoints->isChecked());
}

void frmMDIAnalyses::cmdImage_Click()
{
    store::Competition* c = competition();
    cOpenSaveFile dialog;
    dialog.hwndOwner = this;
    dialog.setOverWritePrompt(true);
    dialog.setPathMustExist(true);
    dialog.DlgTitle = QStringLiteral("Enregistrer l'image");
    dialog.Filter = QStringLiteral("Images PNG|*.png");
    dialog.DefaultExt = QStringLiteral("png");
    QString name = m_shownDay > 0 ? QStringLiteral("Evolution J%1").arg(m_shownDay)
                                  : QStringLiteral("Evolution");
    if (c)
        name = Utilities::StripExtension(Utilities::FileNameFromPath(c->fileName())) +
               QStringLiteral(" - ") + name;
    dialog.FileName = name;
    if (!dialog.ShowSave())
        return;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    const bool encoded =
        buffer.open(QIODevice::WriteOnly) && chart->grab().toImage().save(&buffer, "PNG");
    const store::SafeSaveFile::Status saved =
        encoded ? store::SafeSaveFile::save(dialog.FileName, bytes) : store::SafeSaveFile::Failed;
    if (saved != store::SafeSaveFile::Done)
        MessageBox::critical(
            this, store::SafeSaveFile::describe(
                      saved, dialog.FileName,
                      QStringLiteral("L'image n'a pas pu être enregistrée dans le fichier « %1 ».")
                          .arg(dialog.FileName)));
}

void frmMDIAnalyses::editGridCell(const QModelIndex& index)
{
    store::Competition* c = competition();
    const GridCell* cell = m_grid->cellAt(index);
    if (!c || !cell)
        return;
    const QString home = m_grid->grid().team(m_grid->homeOf(index));
    const QString visitor = m_grid->grid().team(m_grid->visitorOf(index));
    // Every result, not only those shown: a match of a later matchday is corrected, not
    // entered twice.
    std::shared_ptr<const store::ResultSet> all;
    if (store::DbError e = c->results(all)) {
        MessageBox::critical(this, QStringLiteral("Les rencontres ne peuvent pas être lues.\n") +
                                       store::describeError(e));
        return;
    }
    const store::MatchRow* stored = nullptr;
    for (const store::MatchRow& r : all->rows()) {
        if (cell->played ? r.rowid == cell->rowid
                         : store::teamKey(r.domicile) == store::teamKey(home) &&
                               store::teamKey(r.visiteur) == store::teamKey(visitor)) {
            stored = &r;
            break;
        }
    }

    QPointer<frmMDIAnalyses> self(this);
    {
        QWidget* owner = AppHost::mainWindow();
        frmEditRencontre entry(owner ? owner : window());
        if (stored) {
            entry.prepareEdition(*stored);
        } else {
            entry.prepareCreation();
            entry.cboDomicile->setCurrentIndex(
                entry.cboDomicile->findText(home, Qt::MatchFixedString));
            entry.cboVisiteur->setCurrentIndex(
                entry.cboVisiteur->findText(visitor, Qt::MatchFixedString));
            // The calendar's matchday when the match is on it, the first free one otherwise.
            const int scheduled = m_grid->scheduledAt(index);
            const int matchday =
                scheduled > 0 ? scheduled
                              : freeMatchday(all->rows(), home, visitor, entry.cboJournee->count());
            entry.cboJournee->setCurrentIndex(matchday - 1);
            entry.cboJournee_LostFocus();
            entry.txtScore[0]->setFocus();
        }
        entry.exec();
    }
    if (!self)
        return;
    loadMatchdays();
    compute();
    lstGrille->setCurrentIndex(index.isValid() ? m_grid->index(index.row(), index.column())
                                               : QModelIndex());
}

ShownView frmMDIAnalyses::shownView() const
{
    const int tab = tabAnalyses->currentIndex();
    const QString day = m_shownDay > 0 ? QStringLiteral(" J%1").arg(m_shownDay) : QString();
    const QString heading =
        m_shownDay > 0 ? QStringLiteral(" – Journée %1").arg(m_shownDay) : QString();
    if (tab == EvolutionTab)
        return evolutionView(day, heading);
    // A list under its title, with the sentence that says what it holds.
    const auto listed = [](const QString& name, const ListModel* model, const QString& title,
                           const QString& note) {
        ShownView view;
        view.name = name;
        view.tables = {{name, model}};
        view.render = [model, title, note](ReportDocument& doc) {
            doc.title(title);
            if (!note.isEmpty())
                doc.paragraph(note);
            doc.table(*model);
        };
        return view;
    };
    switch (tab) {
    case GridTab: {
        ShownView view;
        view.name = QStringLiteral("Grille") + day;
        view.tables = {{view.name, m_grid}};
        // Printed with the visiting teams by number, so that every score and name fits.
        auto printed = std::make_shared<const CrossTableModel>(m_grid->grid());
        view.orientation = Renderers::crossTableOrientation(*printed);
        view.render = [printed, day = m_shownDay](ReportDocument& doc) {
            Renderers::crossTable(doc, *printed, day);
        };
        return view;
    }
    case FormTab:
        return listed(QStringLiteral("Forme") + day, m_form,
                      QStringLiteral("Forme des équipes") + heading, QString());
    case ForecastTab:
        if (m_forecastDay < 1)
            return {};
        return listed(QStringLiteral("Prévisions J%1").arg(m_forecastDay), m_forecasts,
                      QStringLiteral("Prévisions – Journée %1").arg(m_forecastDay),
                      lblPrevisions->text());
    case OutlookTab: {
        if (m_outlook->rowCount() == 0)
            return {};
        ShownView view = listed(QStringLiteral("Fin de saison") + day, m_outlook,
                                QStringLiteral("Fin de saison"), lblSaison->text());
        view.orientation = QPageLayout::Landscape;
        return view;
    }
    default:
        return {};
    }
}

ShownView frmMDIAnalyses::evolutionView(const QString& day, const QString& heading) const
{
    const EvolutionModel* model = chart->model();
    if (model->teamCount() == 0 || model->rowCount() == 0)
        return {};
    const QString kind = cboType->currentText();
    ShownView view;
    view.name = QStringLiteral("Evolution ") + kind + day;
    view.tables = {{view.name, model}};
    const QString title =
        QStringLiteral("Évolution %1 – classement %2")
            .arg(chart->showsPoints() ? QStringLiteral("des points") : QStringLiteral("des places"),
                 kind.left(1).toLower() + kind.mid(1)) +
        heading;
    view.render = [chart = chart, model, title](ReportDocument& doc) {
        doc.title(title);
        doc.picture(chart->picture(3));
        doc.table(*model);
    };
    return view;
}

QSize frmMDIAnalyses::minimumSizeHint() const
{
    const QSize tabs = tabAnalyses->minimumSizeHint();
    return QSize(qMax(zelOK->geometry().right() + 1 + kLeft, tabs.width() + 2 * kLeft),
                 kTabsTop + tabs.height() + kBottom);
}

void frmMDIAnalyses::resizeEvent(QResizeEvent* event)
{
    WorkingWindow::resizeEvent(event);
    tabAnalyses->resize(qMax(0, width() - 2 * kLeft), qMax(0, height() - kTabsTop - kBottom));
}

bool frmMDIAnalyses::eventFilter(QObject* watched, QEvent* event)
{
    // Enter in the matchday box does what "OK" does.
    if (watched == cboJournees && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            zelOK_Click();
            return true;
        }
    }
    return WorkingWindow::eventFilter(watched, event);
}
