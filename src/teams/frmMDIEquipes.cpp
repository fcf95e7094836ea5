#include "teams/frmMDIEquipes.h"

#include "controls/Hover5Control.h"
#include "controls/MessageBox.h"
#include "controls/zelFixtureList.h"
#include "controls/zelFrame.h"
#include "controls/zelOwnerLBox2.h"
#include "controls/zelOwnerLBox4.h"
#include "controls/zelRCornerCommand.h"
#include "printing/Renderers.h"
#include "shell/AppHost.h"
#include "shell/CompetitionCommands.h"
#include "shell/frmMain.h"
#include "standings/TeamPanel.h"
#include "standings/frmEquipeCompare.h"
#include "store/CrestCache.h"
#include "store/Penalties.h"
#include "store/Teams.h"
#include "store/Utilities.h"
#include "teams/TeamPictures.h"
#include "teams/frmEditEquipe.h"
#include "teams/frmPenalites.h"

#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QScreen>

namespace {

constexpr int kMargin = 15;
constexpr int kOtherWindowLeft = kMargin + 320;
constexpr int kLeastNameWidth = 120;

QPixmap editPicture()
{
    QPixmap pm(24, 24);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(13, 35, 64), 1.4));
    p.setBrush(QColor(242, 194, 48));
    p.drawPolygon(QPolygonF(
        {QPointF(5, 16), QPointF(16, 5), QPointF(19, 8), QPointF(8, 19), QPointF(4, 20)}));
    return pm;
}

// A red disc with a minus sign: points taken away.
QPixmap penaltyPicture()
{
    QPixmap pm(24, 24);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(120, 20, 20), 1.2));
    p.setBrush(QColor(200, 40, 40));
    p.drawEllipse(QRectF(3.5, 3.5, 17, 17));
    p.setPen(QPen(Qt::white, 2.4));
    p.drawLine(QPointF(8, 12), QPointF(16, 12));
    return pm;
}

QPixmap cachedPicture(const QString& path)
{
    QPixmap pm;
    if (!path.isEmpty() && QFileInfo::exists(path))
        pm.load(path);
    return pm;
}

// Writes one cache file from the stored bytes, or removes it when there are none.
void refreshCacheFile(const QString& path, const QByteArray& bytes)
{
    if (bytes.isEmpty())
        QFile::remove(path);
    else
        Utilities::WriteFileBytes(path, bytes);
}

} // namespace

frmMDIEquipes::frmMDIEquipes(QWidget* parent)
    : WorkingWindow(QStringLiteral("frmMDIEquipes"), parent)
{
    m_panel = new TeamPanel(this);
    cmdEdit = new Hover5Control(this);
    cmdEdit->setObjectName(QStringLiteral("cmdEdit"));
    cmdEdit->setCaption(QStringLiteral("Editer cette équipe"));
    cmdEdit->setPicture(editPicture());
    cmdEdit->resize(180, 32);
    cmdEdit->setEnabled(false);
    cmdPenalites = new Hover5Control(this);
    cmdPenalites->setObjectName(QStringLiteral("cmdPenalites"));
    cmdPenalites->setCaption(QStringLiteral("&Pénalités…"));
    cmdPenalites->setAccessibleName(QStringLiteral("Pénalités de cette équipe"));
    cmdPenalites->setPicture(penaltyPicture());
    cmdPenalites->resize(180, 30);
    cmdPenalites->setEnabled(false);
    zelAutreEquipe = new zelRCornerCommand(this);
    zelAutreEquipe->setObjectName(QStringLiteral("zelAutreEquipe"));
    // No access key: Alt + the letters of the menus opens the menus.
    zelAutreEquipe->setCaption(QStringLiteral("Ouvrir une autre fenêtre"));
    zelAutreEquipe->resize(qMax(190, zelAutreEquipe->sizeHint().width()), 26);
    connect(cmdEdit, &Hover5Control::Click, this, [this] { cmdEdit_Click(); });
    connect(cmdPenalites, &Hover5Control::Click, this, [this] { cmdPenalites_Click(); });
    connect(zelAutreEquipe, &zelRCornerCommand::Click, this, &frmMDIEquipes::zelAutreEquipe_Click);
    connect(m_panel, &TeamPanel::teamShown, this, [this](const QString& team) {
        cmdEdit->setEnabled(!team.isEmpty());
        cmdPenalites->setEnabled(!team.isEmpty());
    });
    m_panel->load();
}

QSize frmMDIEquipes::minimumSizeHint() const
{
    const int chooseRow = kOtherWindowLeft + zelAutreEquipe->width() + kMargin;
    const int nameRow = TeamPanel::NameLeft + kLeastNameWidth + cmdEdit->width() + kMargin;
    return m_panel->minimumSize(qMax(chooseRow, nameRow));
}

void frmMDIEquipes::resizeEvent(QResizeEvent* event)
{
    WorkingWindow::resizeEvent(event);
    const int W = width();
    cmdEdit->move(W - cmdEdit->width() - kMargin, 90);
    cmdPenalites->move(W - cmdPenalites->width() - kMargin, 123);
    zelAutreEquipe->move(kOtherWindowLeft, 30);
    m_panel->layout(W, height(), cmdEdit->x());
}

void frmMDIEquipes::zelAutreEquipe_Click()
{
    auto* window = qobject_cast<frmEquipeCompare*>(AppHost::comparisonWindow());
    if (!window) {
        window = new frmEquipeCompare;
        AppHost::setComparisonWindow(window);
        const QWidget* host = this->window();
        const QRect frame = host->frameGeometry();
        const QRect inner = host->geometry();
        window->setGeometry(frmEquipeCompare::openingGeometry(
            QRect(mapToGlobal(QPoint(0, 0)), size()), frame,
            QMargins(inner.left() - frame.left(), inner.top() - frame.top(),
                     frame.right() - inner.right(), frame.bottom() - inner.bottom()),
            host->screen()->availableGeometry()));
    }
    window->show();
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->raise();
    window->activateWindow();
}

void frmMDIEquipes::cmdEdit_Click()
{
    store::Competition* c = store::CurrentCompetition::get();
    const QString name = m_panel->lblEquipe->text();
    if (!c || name.isEmpty())
        return;
    store::Database& db = c->db();
    qint64 rowid = 0;
    if (store::findTeam(db, name, rowid) || !rowid)
        return;

    frmEditEquipe dialog(AppHost::mainWindow() ? static_cast<QWidget*>(AppHost::mainWindow())
                                               : this);
    dialog.setWindowTitle(QStringLiteral("Modifier ") + name);
    dialog.txtNom->setText(name);
    dialog.showStoredPicture(0, cachedPicture(CrestCache::crestPath(name)));
    dialog.showStoredPicture(1, cachedPicture(CrestCache::iconPath(name)));
    dialog.exec();
    if (dialog.Tag != QLatin1String("OK"))
        return;

    const QString renamed = TeamPictures::storedName(dialog.txtNom->text());
    const auto refuse = [this] {
        MessageBox::information(this, QStringLiteral("Modifications non sauvegardées."));
    };
    store::Fields fields{{QStringLiteral("Nom"), renamed}};
    for (int slot = 0; slot < 2; ++slot) {
        const QString& tag = dialog.slotTag[size_t(slot)];
        if (tag == TeamPictures::kKeep)
            continue;
        QByteArray bytes;
        if (!Utilities::TryReadFileBytes(tag.isEmpty() ? TeamPictures::genericPath(slot) : tag,
                                         bytes))
            return refuse(); // the row, its matches and the caches stay as they were
        fields.push_back({TeamPictures::field(slot), bytes});
    }

    if (store::updateTeam(db, rowid, name, fields))
        return refuse();

    store::TeamPictures stored;
    bool found = false;
    (void)store::readTeam(db, rowid, stored, found);
    if (renamed != name) {
        QFile::remove(CrestCache::crestPath(name));
        QFile::remove(CrestCache::iconPath(name));
    }
    if (found) {
        refreshCacheFile(CrestCache::crestPath(renamed), stored.blason);
        refreshCacheFile(CrestCache::iconPath(renamed), stored.icone);
    }
    (void)c->requeryTeams();
    TeamPanel::teamsChanged(name, renamed);
}

void frmMDIEquipes::cmdPenalites_Click()
{
    store::Competition* c = store::CurrentCompetition::get();
    const QString name = m_panel->lblEquipe->text();
    if (!c || name.isEmpty())
        return;
    frmPenalites dialog(c->db(), name, store::lastPenaltyMatchday(c->teamCount()),
                        AppHost::mainWindow() ? static_cast<QWidget*>(AppHost::mainWindow())
                                              : this);
    dialog.exec();
    if (!dialog.changed())
        return;
    // Its places changed; a closed summary stays closed.
    const bool summaryClosed = m_panel->zelfraResume->isHidden();
    m_panel->showTeam(name);
    if (summaryClosed)
        m_panel->zelResumeFermer_Click();
}

ShownView frmMDIEquipes::shownView() const
{
    const QString team = m_panel->lblEquipe->text();
    if (team.isEmpty())
        return {};
    ShownView view;
    view.name = team;
    const MatchListModel* matches = m_panel->zelHistoRencontres->matches();
    const RankingHistoryModel* history = m_panel->zelHistoClassements->history();
    const FixtureListModel* next =
        m_panel->zelProchains->ItemCount() > 0 ? m_panel->zelProchains->fixtures() : nullptr;
    view.tables = {{QStringLiteral("Historique des rencontres"), matches, {}}};
    if (next)
        view.tables.push_back({QStringLiteral("Prochains matchs"), next, {}});
    view.tables.push_back({QStringLiteral("Historique des classements"), history, {}});
    QString summary = m_panel->lblResume->text();
    summary.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    view.render = [team, summary, matches, history, next](ReportDocument& doc) {
        Renderers::teamSheet(doc, team, summary, *matches, *history, next);
    };
    return view;
}

namespace Utilities {

void ShowTeamSummary(const QString& name)
{
    frmMain* main = AppHost::mainWindow();
    if (!main)
        return;
    main->tbSection_ItemClick(1, 1);
    auto* teams = qobject_cast<frmMDIEquipes*>(main->currentWorkingWindow());
    if (!teams)
        return;
    const int at =
        teams->panel()->cboEquipes->findText(name, Qt::MatchFixedString | Qt::MatchCaseSensitive);
    if (at < 0)
        return;
    teams->panel()->cboEquipes->setCurrentIndex(at);
    teams->panel()->zelOK_Click();
}

} // namespace Utilities
