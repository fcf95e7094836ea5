#include "standings/frmMDIClassement.h"

#include "controls/zelOwnerLBox1.h"
#include "controls/zelRCornerCommand.h"
#include "printing/Renderers.h"
#include "ranking/mRank.h"
#include "store/Zones.h"
#include "teams/frmMDIEquipes.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>

namespace {
// Positions laid out at design time, in pixels (15 twips each).
constexpr int kLeft = 16;     // 240 twips
constexpr int kTop = 8;       // 120 twips
constexpr int kTableTop = 48; // 720 twips
constexpr int kLegendGap = 6;

QString placesText(const store::Zone& z)
{
    return z.first == z.last ? QStringLiteral("place %1").arg(z.first)
                             : QStringLiteral("places %1 à %2").arg(z.first).arg(z.last);
}
} // namespace

frmMDIClassement::frmMDIClassement(QWidget* parent)
    : WorkingWindow(QStringLiteral("frmMDIClassement"), parent)
{
    lblJournees = new QLabel(QStringLiteral("&Journée :"), this);
    lblJournees->setObjectName(QStringLiteral("lblJournées"));
    QFont bold = lblJournees->font();
    bold.setBold(true);
    lblJournees->setFont(bold);
    const int shift = lblJournees->sizeHint().width() + 8;
    lblJournees->setGeometry(kLeft, 12, shift - 8, 18);
    cboJournees = new QComboBox(this);
    cboJournees->setObjectName(QStringLiteral("cboJournées"));
    cboJournees->setGeometry(kLeft + shift, kTop, 161, 25);
    lblJournees->setBuddy(cboJournees);
    lblType = new QLabel(QStringLiteral("Type:"), this);
    lblType->setObjectName(QStringLiteral("lblType"));
    lblType->setFont(bold);
    lblType->setGeometry(200 + shift, 12, 57, 18);
    cboType = new QComboBox(this);
    cboType->setObjectName(QStringLiteral("cboType"));
    cboType->setGeometry(264 + shift, kTop, 161, 25);
    lblType->setBuddy(cboType);
    zelOK = new zelRCornerCommand(this);
    zelOK->setObjectName(QStringLiteral("zelOK"));
    zelOK->setCaption(QStringLiteral("OK"));
    zelOK->setGeometry(440 + shift, kTop, 33, 25);
    zelOK->setEnabled(false);
    zelClass = new zelOwnerLBox1(this);
    zelClass->setObjectName(QStringLiteral("zelClass"));
    zelClass->hwnd()->setAccessibleName(QStringLiteral("Classement"));
    zelClass->setBackColor(mListBox::RGB(255, 255, 255));
    zelClass->setAlternBackColor(mListBox::RGB(224, 224, 224));
    zelClass->setForeColor(mListBox::RGB(0, 0, 0));
    zelClass->setAlternForeColor(mListBox::RGB(0, 0, 0));
    zelClass->move(kLeft, kTableTop);
    lblZones = new QLabel(this);
    lblZones->setObjectName(QStringLiteral("lblZones"));
    lblZones->setAccessibleName(QStringLiteral("Légende des zones"));
    lblZones->setTextFormat(Qt::RichText);
    lblZones->setWordWrap(true);
    lblZones->hide();
    connect(zelOK, &zelRCornerCommand::Click, this, &frmMDIClassement::zelOK_Click);
    cboJournees->installEventFilter(this);
    cboType->installEventFilter(this);
    connect(zelClass, &zelOwnerLBox::DblClick, this, &frmMDIClassement::zelClass_DblClick);

    std::vector<int> days;
    if (store::Competition* c = store::CurrentCompetition::get())
        days = c->resultsOrNone()->playedMatchdays();
    if (!days.empty()) {
        for (int d : days)
            cboJournees->addItem(QStringLiteral("Journée %1").arg(d), d);
        cboJournees->setCurrentIndex(cboJournees->count() - 1);
        zelOK->setEnabled(true);
    }
    cboType->addItems(rankingKindLabels());
    cboType->setCurrentIndex(0);
    if (zelOK->isEnabled())
        zelOK_Click();
}

void frmMDIClassement::zelOK_Click()
{
    store::Competition* c = store::CurrentCompetition::get();
    if (!c || cboJournees->currentIndex() < 0)
        return;
    const int bound = cboJournees->currentData().toInt();
    const std::shared_ptr<const store::ResultSet> results = c->resultsOrNone();
    const int kind = qMax(0, cboType->currentIndex());
    // The zones are places of the general table; one that cannot be read shows none.
    std::vector<store::Zone> zones;
    if (RankingKind(kind) == RankingKind::General &&
        store::readZones(c->db(), c->teamCount(), zones))
        zones.clear();
    zelClass->setItems(ComputeRanking(results->teamResultsUpTo(bound), RankingKind(kind),
                                      c->teamList(), competitionRules(*c, *results)),
                       competitionPoints(*c), std::move(zones));
    m_shownDay = bound;
    m_shownKind = cboType->currentText();
    showZones();
}

void frmMDIClassement::showZones()
{
    const StandingsModel* model = zelClass->standings();
    const std::vector<store::Zone>& zones = model->zones();
    QStringList swatches, spoken;
    for (size_t i = 0; i < zones.size(); ++i) {
        const store::Zone& z = zones[i];
        const QString places = z.first == z.last ? QString::number(z.first)
                                                 : QStringLiteral("%1–%2").arg(z.first).arg(z.last);
        swatches << QStringLiteral("<span style=\"background-color:%1\">&nbsp;&nbsp;&nbsp;"
                                   "</span>&nbsp;%2&nbsp;:&nbsp;%3")
                        .arg(model->zoneColours()[i].name(), places,
                             z.label.toHtmlEscaped().replace(QLatin1Char(' '),
                                                             QStringLiteral("&nbsp;")));
        spoken << placesText(z) + QStringLiteral(" : ") + z.label;
    }
    QString description = spoken.join(QStringLiteral(" ; "));
    if (!description.isEmpty())
        description[0] = description[0].toUpper();
    lblZones->setText(swatches.join(QStringLiteral(" &nbsp; ")));
    lblZones->setAccessibleDescription(description);
    lblZones->setVisible(!zones.empty());
    layoutList();
}

ShownView frmMDIClassement::shownView() const
{
    if (m_shownKind.isEmpty())
        return {};
    ShownView view;
    view.name = QStringLiteral("Classement %1 J%2").arg(m_shownKind).arg(m_shownDay);
    const StandingsModel* model = zelClass->standings();
    view.tables = {{view.name, model}};
    view.render = [model, kind = m_shownKind, day = m_shownDay](ReportDocument& doc) {
        Renderers::standings(doc, *model, kind, day);
    };
    return view;
}

void frmMDIClassement::zelClass_DblClick()
{
    if (zelClass->ItemCount() < 1 || zelClass->ListIndex() < 0)
        return;
    // The standings window is unloaded on the way: keep the name, not a reference.
    const QString team = zelClass->Items().Item(zelClass->ListIndex() + 1).TeamName;
    Utilities::ShowTeamSummary(team);
}

void frmMDIClassement::resizeEvent(QResizeEvent* event)
{
    WorkingWindow::resizeEvent(event);
    layoutList();
}

void frmMDIClassement::layoutList()
{
    // Equal margins left and right, down to the bottom edge or to the legend of the zones;
    // never a negative size.
    const int width = qMax(0, this->width() - 2 * kLeft);
    int bottom = height();
    if (!lblZones->isHidden()) {
        const int legend = lblZones->heightForWidth(width);
        bottom = qMax(kTableTop, bottom - legend - kLegendGap);
        lblZones->setGeometry(kLeft, bottom + kLegendGap / 2, width, legend);
    }
    zelClass->resize(width, qMax(0, bottom - kTableTop));
}

bool frmMDIClassement::eventFilter(QObject* watched, QEvent* event)
{
    // Enter in the matchday or kind box does what "OK" does.
    if ((watched == cboJournees || watched == cboType) && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (zelOK->isEnabled())
                zelOK_Click();
            return true;
        }
    }
    return WorkingWindow::eventFilter(watched, event);
}
