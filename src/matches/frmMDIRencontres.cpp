#include "matches/frmMDIRencontres.h"
#include "store/ResultSet.h"
#include "store/TextChecks.h"

#include "controls/Hover5Control.h"
#include "controls/MessageBox.h"
#include "controls/mListBox.h"
#include "controls/zelOwnerLBox4.h"
#include "controls/zelRCornerCommand.h"
#include "forecast/CompetitionForecast.h"
#include "matches/frmEditRencontre.h"
#include "matches/frmReporter.h"
#include "matches/mRencontres.h"
#include "printing/Renderers.h"
#include "shell/AppHost.h"
#include "shell/frmMain.h"
#include "store/Competition.h"
#include "store/Fixtures.h"
#include "store/Matches.h"

#include <QAction>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>

namespace {

// Geometry in pixels (15 twips a pixel).
constexpr int kListLeft = 16;
constexpr int kListTop = 56;
constexpr int kButtonHeight = 40;
constexpr int kButtonsBelow = 23; // 350 twips under the buttons
constexpr int kListAbove = 20;    // 300 twips between the list and the buttons

enum class Glyph { Plus, Pencil, Cross };

QPixmap buttonPicture(QColor colour, Glyph glyph)
{
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(colour.darker(130));
    p.setBrush(colour);
    p.drawEllipse(QRectF(1.5, 1.5, 21, 21));
    p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap));
    switch (glyph) {
    case Glyph::Plus:
        p.drawLine(QPointF(12, 7), QPointF(12, 17));
        p.drawLine(QPointF(7, 12), QPointF(17, 12));
        break;
    case Glyph::Pencil:
        p.drawLine(QPointF(8, 16), QPointF(16, 8));
        p.setPen(QPen(Qt::white, 1.5));
        p.drawLine(QPointF(6.5, 17.5), QPointF(9, 17));
        break;
    case Glyph::Cross:
        p.drawLine(QPointF(8, 8), QPointF(16, 16));
        p.drawLine(QPointF(16, 8), QPointF(8, 16));
        break;
    }
    return pixmap;
}

} // namespace

frmMDIRencontres::frmMDIRencontres(QWidget* parent)
    : WorkingWindow(QStringLiteral("frmMDIRencontres"), parent)
{
    lblJournees = new QLabel(QStringLiteral("&Journée :"), this);
    lblJournees->setObjectName(QStringLiteral("lblJournées"));
    const int shift = lblJournees->sizeHint().width() + 8;
    lblJournees->setGeometry(kListLeft, 14, shift - 8, 28);
    cboJournees = new QComboBox(this);
    cboJournees->setObjectName(QStringLiteral("cboJournées"));
    cboJournees->setGeometry(kListLeft + shift, 14, 160, 28);
    cboJournees->installEventFilter(this);
    lblJournees->setBuddy(cboJournees);

    zelOK = new zelRCornerCommand(this);
    zelOK->setObjectName(QStringLiteral("zelOK"));
    zelOK->setCaption(QStringLiteral("OK"));
    zelOK->setGeometry(184 + shift, 13, 64, 30);

    lblNbre = new QLabel(this);
    lblNbre->setObjectName(QStringLiteral("lblNbre"));
    lblNbre->setGeometry(264 + shift, 14, 320, 28);
    QFont bold = lblNbre->font();
    bold.setBold(true);
    lblNbre->setFont(bold);

    zelRencontres = new zelOwnerLBox4(this);
    zelRencontres->setObjectName(QStringLiteral("zelRencontres"));
    zelRencontres->hwnd()->setAccessibleName(QStringLiteral("Rencontres de la journée"));
    zelRencontres->setBackColor(mListBox::RGB(255, 255, 255));
    zelRencontres->setForeColor(0);
    zelRencontres->setAlternBackColor(mListBox::RGB(224, 224, 224));
    zelRencontres->setAlternForeColor(0);
    zelRencontres->move(kListLeft, kListTop);

    const struct
    {
        const char* caption;
        QColor colour;
        Glyph glyph;
        int left;
        int width;
    } buttons[] = {
        {"Ajouter une rencontre", QColor(46, 139, 87), Glyph::Plus, kListLeft, 210},
        {"Modifier une rencontre", QColor(30, 110, 190), Glyph::Pencil, 236, 220},
        {"Supprimer une rencontre", QColor(200, 50, 40), Glyph::Cross, 466, 230},
    };
    for (int i = 0; i < 3; ++i) {
        auto* b = new Hover5Control(this);
        b->setCaption(QString::fromUtf8(buttons[i].caption));
        b->setPicture(buttonPicture(buttons[i].colour, buttons[i].glyph));
        b->setHotPicture(buttonPicture(buttons[i].colour.lighter(125), buttons[i].glyph));
        b->setMultiLine(false);
        b->setGeometry(buttons[i].left, 400, buttons[i].width, kButtonHeight);
        if (i < 2) {
            b->setObjectName(QStringLiteral("cmdEdit_%1").arg(i));
            cmdEdit[size_t(i)] = b;
            connect(b, &Hover5Control::Click, this, [this, i] { cmdEdit_Click(i); });
        } else {
            b->setObjectName(QStringLiteral("cmdDelete"));
            cmdDelete = b;
            connect(b, &Hover5Control::Click, this, &frmMDIRencontres::cmdDelete_Click);
        }
    }
    cmdEdit[1]->setEnabled(false);
    cmdDelete->setEnabled(false);

    connect(zelOK, &zelRCornerCommand::Click, this, &frmMDIRencontres::ActualiseRencontres);
    connect(zelRencontres, &zelOwnerLBox::DblClick, this,
            &frmMDIRencontres::zelRencontres_DblClick);
    connect(zelRencontres, &zelOwnerLBox::KeyDown, this, [this](int key) {
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            zelRencontres_DblClick();
        else if (key == Qt::Key_Delete && cmdDelete->isEnabled())
            cmdDelete_Click();
        else if (key == Qt::Key_Insert)
            cmdEdit_Click(0);
    });

    QMenu* calendar = new QMenu(QStringLiteral("Ca&lendrier"), this);
    mnuGenerer = calendar->addAction(QStringLiteral("&Générer le calendrier…"), this,
                                     &frmMDIRencontres::mnuGenerer_Click);
    mnuGenerer->setObjectName(QStringLiteral("mnuGenerer"));
    mnuGenerer->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
    mnuReporter = calendar->addAction(QStringLiteral("&Reporter la rencontre…"), this,
                                      &frmMDIRencontres::mnuReporter_Click);
    mnuReporter->setObjectName(QStringLiteral("mnuReporter"));
    mnuReporter->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    mnuReporter->setEnabled(false);
    addMenu(calendar);
    // The same commands on the list's context menu.
    m_deleteRow = new QAction(QStringLiteral("&Supprimer la rencontre"), this);
    m_deleteRow->setEnabled(false);
    connect(m_deleteRow, &QAction::triggered, this, &frmMDIRencontres::cmdDelete_Click);
    zelRencontres->hwnd()->addActions({mnuReporter, m_deleteRow, mnuGenerer});
    zelRencontres->hwnd()->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(zelRencontres, &zelOwnerLBox::Click, this, &frmMDIRencontres::updateCommands);

    setTabOrder(cboJournees, zelOK);
    setTabOrder(zelOK, zelRencontres);
    setTabOrder(zelRencontres, cmdEdit[0]);
    setTabOrder(cmdEdit[0], cmdEdit[1]);
    setTabOrder(cmdEdit[1], cmdDelete);
    setFocusProxy(cboJournees);

    const store::Competition* c = store::CurrentCompetition::get();
    const int matchdays = c ? store::matchdayCount(c->teamCount()) : 0;
    for (int k = 1; k <= matchdays; ++k)
        cboJournees->addItem(QStringLiteral("Journée %1").arg(k));
    if (cboJournees->count() > 0)
        cboJournees->setCurrentIndex(0);
    resize(720, 480);
}

int frmMDIRencontres::selectedMatchdayIndex() const
{
    return cboJournees->currentIndex();
}

void frmMDIRencontres::ActualiseRencontres()
{
    store::Competition* c = store::CurrentCompetition::get();
    if (!c)
        return;
    const int n = cboJournees->currentIndex() + 1;
    std::vector<store::MatchRow> rows;
    std::vector<store::Fixture> fixtures;
    std::shared_ptr<const store::ResultSet> results;
    store::DbError e = c->results(results);
    if (!e) {
        rows = results->matchday(n);
        e = store::loadFixtures(c->db(), fixtures, n);
    }
    if (e)
        MessageBox::critical(this, QStringLiteral("Les rencontres de la Journée %1 ne peuvent pas "
                                                  "être lues.\n")
                                           .arg(n) +
                                       store::describeError(e));
    // The fixtures' forecasts learn from the matchdays before this one, as the standings at a
    // matchday read the results up to it.
    std::vector<forecast::MatchProbabilities> forecasts;
    if (!e && !fixtures.empty()) {
        const forecast::MatchModel model = forecast::fitCompetition(*c, results->rows(), n);
        for (const store::Fixture& f : fixtures)
            forecasts.push_back(model.predict(f.domicile, f.visiteur));
    }
    const int played = int(rows.size()), toPlay = int(fixtures.size());
    zelRencontres->setItems(std::move(rows), std::move(fixtures), std::move(forecasts));
    lblNbre->setText(mRencontres::matchdayLine(n, played, toPlay, c->teamCount()));
    m_shownDay = n;
    updateCommands();
}

void frmMDIRencontres::updateCommands()
{
    const bool any = zelRencontres->ItemCount() != 0;
    cmdEdit[1]->setEnabled(any);
    cmdDelete->setEnabled(any);
    m_deleteRow->setEnabled(any);
    mnuReporter->setEnabled(zelRencontres->FixtureAt(zelRencontres->ListIndex()) != nullptr);
}

ShownView frmMDIRencontres::shownView() const
{
    if (m_shownDay < 1)
        return {};
    ShownView view;
    view.name = QStringLiteral("Journée %1").arg(m_shownDay);
    const MatchListModel* model = zelRencontres->matches();
    view.tables = {{view.name, model}};
    view.render = [model, day = m_shownDay](ReportDocument& doc) {
        Renderers::matchday(doc, *model, day);
    };
    return view;
}

void frmMDIRencontres::cmdEdit_Click(int index)
{
    const int selected = zelRencontres->ListIndex();
    if (index == 1 && selected == -1) {
        MessageBox::information(this, QStringLiteral("Sélectionnez la rencontre à modifier."));
        return;
    }
    QWidget* owner = AppHost::mainWindow();
    frmEditRencontre entry(owner ? owner : window());
    connect(&entry, &frmEditRencontre::matchSaved, this, [this](int matchday, bool edition) {
        if (edition || selectedMatchdayIndex() == matchday)
            ActualiseRencontres();
    });
    if (index == 0)
        entry.prepareCreation();
    else if (const store::Fixture* fixture = zelRencontres->FixtureAt(selected))
        entry.prepareFixture(*fixture);
    else
        entry.prepareEdition(zelRencontres->Items().at(size_t(selected)));
    entry.exec();
}

void frmMDIRencontres::cmdDelete_Click()
{
    const int selected = zelRencontres->ListIndex();
    if (selected == -1) {
        MessageBox::information(this, QStringLiteral("Sélectionnez la rencontre à supprimer."));
        return;
    }
    if (const store::Fixture* fixture = zelRencontres->FixtureAt(selected)) {
        deleteFixture(*fixture);
        return;
    }
    const store::MatchRow row = zelRencontres->Items().at(size_t(selected));
    if (!MessageBox::question(this, QStringLiteral("Supprimer la rencontre\n") + row.domicile +
                                        QStringLiteral(" - ") + row.visiteur +
                                        QStringLiteral(" de la Journée ") +
                                        QString::number(row.journee) + QStringLiteral(" ?")))
        return;
    store::Competition* c = store::CurrentCompetition::get();
    if (!c)
        return;
    if (store::DbError e = store::deleteMatch(c->db(), {row.journee, row.domicile, row.visiteur}))
        MessageBox::critical(this, QStringLiteral("La rencontre n'a pas été supprimée.\n") +
                                       store::describeError(e));
    ActualiseRencontres();
}

void frmMDIRencontres::deleteFixture(const store::Fixture& fixture)
{
    if (!MessageBox::question(this, QStringLiteral("Retirer la rencontre %1 - %2 du calendrier ?")
                                        .arg(fixture.domicile, fixture.visiteur)))
        return;
    store::Competition* c = store::CurrentCompetition::get();
    if (!c)
        return;
    bool found = false;
    if (store::DbError e = store::deleteFixture(c->db(), fixture.rowid, &found))
        MessageBox::critical(this, QStringLiteral("La rencontre n'a pas été retirée du "
                                                  "calendrier.\n") +
                                       store::describeError(e));
    else if (!found)
        MessageBox::information(this, QStringLiteral("Cette rencontre n'est plus au calendrier : "
                                                     "elle a été jouée ou supprimée "
                                                     "entre-temps."));
    ActualiseRencontres();
}

void frmMDIRencontres::mnuReporter_Click()
{
    const store::Fixture* selected = zelRencontres->FixtureAt(zelRencontres->ListIndex());
    store::Competition* c = store::CurrentCompetition::get();
    if (!selected || !c) {
        MessageBox::information(this, QStringLiteral("Sélectionnez la rencontre à jouer à "
                                                     "reporter."));
        return;
    }
    const store::Fixture fixture = *selected;
    frmReporter ask(QStringLiteral("%1 - %2").arg(fixture.domicile, fixture.visiteur),
                    fixture.journee, store::matchdayCount(c->teamCount()), window());
    if (ask.exec() != QDialog::Accepted || ask.chosenMatchday() == fixture.journee)
        return;
    const store::FixtureChange change = store::moveFixture(*c, fixture.rowid, ask.chosenMatchday());
    if (change.error)
        MessageBox::critical(this, QStringLiteral("La rencontre n'a pas été reportée.\n") +
                                       store::describeError(change.error));
    else if (!change.refusal.isEmpty())
        MessageBox::information(this, change.refusal);
    ActualiseRencontres();
}

void frmMDIRencontres::mnuGenerer_Click()
{
    store::Competition* c = store::CurrentCompetition::get();
    if (!c)
        return;
    if (!MessageBox::question(this, QStringLiteral("Générer le calendrier de la saison ?\nChaque "
                                                   "rencontre qui n'est ni jouée ni au calendrier "
                                                   "reçoit une journée où ses deux équipes sont "
                                                   "libres.")))
        return;
    const store::ScheduleChange change = store::scheduleSeason(*c, 0);
    if (change.error)
        MessageBox::critical(this, QStringLiteral("Le calendrier n'a pas été enregistré.\n") +
                                       store::describeError(change.error));
    else if (!change.refusal.isEmpty())
        MessageBox::information(this, change.refusal);
    else if (change.added == 0)
        MessageBox::information(this, QStringLiteral("Aucune rencontre à ajouter : chaque "
                                                     "rencontre de la saison est jouée ou au "
                                                     "calendrier."));
    else
        MessageBox::information(
            this, change.added == 1
                      ? QStringLiteral("1 rencontre ajoutée au calendrier.")
                      : QStringLiteral("%1 rencontres ajoutées au calendrier.").arg(change.added));
    ActualiseRencontres();
}

void frmMDIRencontres::zelRencontres_DblClick()
{
    if (zelRencontres->ItemCount() >= 1)
        cmdEdit_Click(1);
}

void frmMDIRencontres::resizeEvent(QResizeEvent* event)
{
    WorkingWindow::resizeEvent(event);
    for (Hover5Control* b : {cmdEdit[0], cmdEdit[1], cmdDelete})
        b->move(b->x(), height() - b->height() - kButtonsBelow);
    zelRencontres->setGeometry(kListLeft, kListTop, qMax(0, width() - 2 * kListLeft),
                               qMax(0, cmdDelete->y() - kListTop - kListAbove));
}

bool frmMDIRencontres::eventFilter(QObject* watched, QEvent* event)
{
    // Enter in the matchday list does what "OK" does.
    if (watched == cboJournees && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            ActualiseRencontres();
            return true;
        }
    }
    return WorkingWindow::eventFilter(watched, event);
}
