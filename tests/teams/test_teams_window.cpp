#include "controls/Hover5Control.h"
#include "controls/MessageBox.h"
#include "controls/cOpenSaveFile.h"
#include "controls/zelFixtureList.h"
#include "controls/zelFrame.h"
#include "controls/zelOwnerLBox2.h"
#include "controls/zelOwnerLBox4.h"
#include "controls/zelRCornerCommand.h"
#include "shell/AppHost.h"
#include "shell/CompetitionCommands.h"
#include "shell/Registration.h"
#include "shell/frmMain.h"
#include "standings/TeamPanel.h"
#include "standings/frmEquipeCompare.h"
#include "store/CrestCache.h"
#include "store/Fixtures.h"
#include "support/TestSupport.h"
#include "teams/TeamPictures.h"
#include "teams/frmEditEquipe.h"
#include "teams/frmMDIEquipes.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QtTest/QTest>
#include <gtest/gtest.h>

using testsupport::TempDir;

namespace {

QStringList items(const QComboBox* box)
{
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}

class TeamsWindowTest : public testing::Test
{
protected:
    void SetUp() override
    {
        Windows::registerAll();
        path = dir.file(QStringLiteral("ligue.dat"));
        testsupport::makeCompetition(
            path, {{QStringLiteral("ARRAS"), QByteArray("GIF-A"), QByteArray("ICO-A")},
                   {QStringLiteral("LENS"), QByteArray("GIF-L"), QByteArray("ICO-L")},
                   {QStringLiteral("LILLE"), QByteArray("GIF-I"), QByteArray("ICO-I")},
                   {QStringLiteral("METZ"), {}, {}}});
        main.show();
    }
    void addMatches(std::initializer_list<store::MatchRow> rows)
    {
        testsupport::addMatches(path, rows);
    }
    frmMDIEquipes* open()
    {
        EXPECT_TRUE(Utilities::OpenCompetition(path));
        return qobject_cast<frmMDIEquipes*>(main.currentWorkingWindow());
    }
    static void show(TeamPanel* p, const QString& team)
    {
        p->cboEquipes->setCurrentIndex(p->cboEquipes->findText(team));
        p->zelOK_Click();
    }
    store::Snapshot query(const QString& sql)
    {
        store::Snapshot s;
        EXPECT_TRUE(store::CurrentCompetition::get()->db().query(sql, {}, s).ok());
        return s;
    }
    // Renames the shown team through the edit dialog, with an optional step on the dialog.
    void edit(frmMDIEquipes* w, const QString& typed, std::function<void(frmEditEquipe*)> step = {})
    {
        testsupport::onNextModal<frmEditEquipe>([typed, step](frmEditEquipe* d) {
            if (step)
                step(d);
            d->txtNom->setText(typed);
            d->cmdSave->click();
        });
        w->cmdEdit_Click();
    }

    TempDir dir;
    QString path;
    frmMain main;
};

TEST_F(TeamsWindowTest, LoadsOnTheFirstTeamWithoutShowingIt)
{
    frmMDIEquipes* w = open();
    ASSERT_TRUE(w);
    TeamPanel* p = w->panel();
    EXPECT_EQ(p->cboEquipes->count(), 4);
    EXPECT_EQ(p->cboEquipes->currentText(), QStringLiteral("ARRAS"));
    EXPECT_TRUE(p->lblEquipe->text().isEmpty());
    EXPECT_FALSE(w->cmdEdit->isEnabled());
    EXPECT_FALSE(p->zelfraResume->isVisible());
    EXPECT_FALSE(p->zelResumeVoir->isEnabled());
    // The history button before any team does nothing.
    p->zelOKHisto_Click();
    EXPECT_EQ(p->zelHistoClassements->ItemCount(), 0);
}

TEST_F(TeamsWindowTest, WithoutResultsEveryParagraphGivesFirstPlaceAndZeros)
{
    frmMDIEquipes* w = open();
    show(w->panel(), QStringLiteral("LENS"));
    const QString crlf = QStringLiteral("\r\n");
    EXPECT_EQ(
        w->panel()->lblResume->text(),
        QStringLiteral("* 1e au CLASSEMENT GENERAL avec Victoires: 0   Nuls: 0   Défaites: 0.") +
            crlf + crlf +
            QStringLiteral(
                "* 1e au CLASSEMENT A DOMICILE avec Victoires: 0   Nuls: 0   Défaites: 0.") +
            crlf + crlf +
            QStringLiteral(
                "* 1e au CLASSEMENT A L'EXTERIEUR avec Victoires: 0   Nuls: 0   Défaites: 0.") +
            crlf + crlf + QStringLiteral("* 1e ATTAQUE avec 0 but(s) marqué(s).") + crlf + crlf +
            QStringLiteral("* 1e DEFENSE avec 0 but(s) encaissé(s)."));
    EXPECT_EQ(w->panel()->lblEquipe->text(), QStringLiteral("LENS"));
    EXPECT_TRUE(w->cmdEdit->isEnabled());
    EXPECT_TRUE(w->panel()->zelfraResume->isVisible());
    EXPECT_EQ(w->panel()->zelHistoRencontres->ItemCount(), 0);
    EXPECT_EQ(w->panel()->zelHistoClassements->ItemCount(), 0);
}

TEST_F(TeamsWindowTest, SummaryAndHistoriesFollowTheResults)
{
    // LENS: beats ARRAS at home 3-1, loses at METZ 0-4 and at LILLE 0-2.
    addMatches({{0, 1, "LENS", 3, "ARRAS", 1},
                {0, 1, "LILLE", 1, "METZ", 1},
                {0, 2, "ARRAS", 2, "LILLE", 2},
                {0, 2, "METZ", 4, "LENS", 0},
                {0, 3, "LILLE", 2, "LENS", 0},
                {0, 3, "ARRAS", 0, "METZ", 0}});
    frmMDIEquipes* w = open();
    TeamPanel* p = w->panel();
    show(p, QStringLiteral("LENS"));
    const QString summary = p->lblResume->text();
    EXPECT_TRUE(summary.startsWith(
        QStringLiteral("* 3e au CLASSEMENT GENERAL avec Victoires: 1   Nuls: 0   Défaites: 2.")))
        << summary.toStdString();
    EXPECT_TRUE(summary.contains(QStringLiteral(
        "* 3e au CLASSEMENT A DOMICILE avec Victoires: 1   Nuls: 0   Défaites: 0.")));
    EXPECT_TRUE(summary.contains(QStringLiteral("e ATTAQUE avec 3 but(s) marqué(s).")));
    EXPECT_TRUE(summary.endsWith(QStringLiteral("* 4e DEFENSE avec 7 but(s) encaissé(s).")));

    // Another kind changes nothing until its OK: third in general, last in defence.
    ASSERT_EQ(p->zelHistoClassements->Items().size(), 3u);
    EXPECT_EQ(p->zelHistoClassements->Items()[0].record.Ranking, 3);
    p->cboType->setCurrentIndex(2);
    EXPECT_EQ(p->zelHistoClassements->Items()[0].record.Ranking, 3);
    p->zelOKHisto_Click();
    EXPECT_EQ(p->zelHistoClassements->Items()[0].record.Ranking, 4);

    // Attack: equal goals scored share a place. ARRAS and LENS both scored 3.
    show(p, QStringLiteral("ARRAS"));
    EXPECT_TRUE(p->lblResume->text().contains(QStringLiteral("ATTAQUE avec 3 but(s) marqué(s).")));
    const int arrasAttack = p->lblResume->text()
                                .section(QStringLiteral("* "), 4, 4)
                                .section(QLatin1Char('e'), 0, 0)
                                .toInt();
    show(p, QStringLiteral("LENS"));
    const int lensAttack = p->lblResume->text()
                               .section(QStringLiteral("* "), 4, 4)
                               .section(QLatin1Char('e'), 0, 0)
                               .toInt();
    EXPECT_EQ(arrasAttack, lensAttack);
}

TEST_F(TeamsWindowTest, AScreenReaderReadsBothHistoriesCellByCellInTheOrderShown)
{
    addMatches({{0, 1, "LENS", 3, "ARRAS", 1},
                {0, 1, "LILLE", 1, "METZ", 1},
                {0, 2, "METZ", 4, "LENS", 0},
                {0, 3, "LILLE", 2, "LENS", 0}});
    frmMDIEquipes* w = open();
    TeamPanel* p = w->panel();
    show(p, QStringLiteral("LENS"));

    // The ranking history against the tool's: Jo, Pl, then the record; crest and name between.
    const std::vector<QStringList> csv =
        testsupport::cliCsv({QStringLiteral("history"), path, QStringLiteral("LENS")});
    ASSERT_EQ(csv.size(), 4u);
    const testsupport::AccessibleTable history =
        testsupport::readAccessibleTable(p->zelHistoClassements->hwnd());
    EXPECT_EQ(history.headers, (QStringList{"Jo", "Pl", "", "Equipe", "Pts", "J", "G", "N", "P",
                                            "B+", "B-", "Diff"}));
    ASSERT_EQ(history.rows.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        const QStringList& row = history.rows[i];
        QStringList expected = csv[i + 1];
        expected[0].prepend(QLatin1Char('J'));
        expected.insert(2, QString());
        expected.insert(3, QStringLiteral("LENS"));
        EXPECT_EQ(row, expected) << i;
    }

    // The match history, newest first: matchday, home team, crest, scores, crest, visitor.
    const testsupport::AccessibleTable matches =
        testsupport::readAccessibleTable(p->zelHistoRencontres->hwnd());
    ASSERT_EQ(matches.rows.size(), 3u);
    EXPECT_EQ(matches.rows[0], (QStringList{"J3", "LILLE", "", "2", "0", "", "LENS"}));
    EXPECT_EQ(matches.rows[2], (QStringList{"J1", "LENS", "", "3", "1", "", "ARRAS"}));
}

TEST_F(TeamsWindowTest, TheNextMatchesFollowTheMatchesInMatchdayOrder)
{
    addMatches({{0, 1, "LENS", 3, "ARRAS", 1}, {0, 1, "LILLE", 1, "METZ", 1}});
    {
        store::OpenError error;
        auto c = store::Competition::open(path, error);
        ASSERT_TRUE(c);
        for (const store::Fixture& f :
             {store::Fixture{0, 3, "LENS", "METZ"}, store::Fixture{0, 2, "arras", "LENS"}})
            ASSERT_TRUE(store::addFixture(*c, f).ok());
    }
    frmMDIEquipes* w = open();
    TeamPanel* p = w->panel();
    show(p, QStringLiteral("LILLE"));
    EXPECT_TRUE(p->zelProchains->isHidden());
    EXPECT_TRUE(p->lblProchains->isHidden());

    show(p, QStringLiteral("LENS"));
    ASSERT_TRUE(p->zelProchains->isVisible());
    EXPECT_EQ(p->zelProchains->hwnd()->accessibleName(), QStringLiteral("Prochains matchs"));
    const testsupport::AccessibleTable next =
        testsupport::readAccessibleTable(p->zelProchains->hwnd());
    EXPECT_EQ(next.headers, (QStringList{"Journée", "Domicile", "Visiteur"}));
    EXPECT_EQ(next.rows,
              (std::vector<QStringList>{{"J2", "ARRAS", "LENS"}, {"J3", "LENS", "METZ"}}));
    // Reached by Tab after the matches.
    main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    p->zelHistoRencontres->hwnd()->setFocus();
    QTest::keyClick(p->zelHistoRencontres->hwnd(), Qt::Key_Tab);
    EXPECT_TRUE(p->zelProchains->hwnd()->hasFocus());

    // Exported and printed between the two histories.
    const ShownView view = w->shownView();
    ASSERT_EQ(view.tables.size(), 3);
    EXPECT_EQ(view.tables[1].title, QStringLiteral("Prochains matchs"));
    EXPECT_EQ(view.tables[1].model, p->zelProchains->fixtures());

    show(p, QStringLiteral("LILLE"));
    EXPECT_TRUE(p->zelProchains->isHidden());
    EXPECT_EQ(w->shownView().tables.size(), 2);
}

TEST_F(TeamsWindowTest, AMatchdayWithoutTheTeamRepeatsItsCountersButNotItsPlace)
{
    addMatches({{0, 1, "LENS", 1, "ARRAS", 0},
                {0, 1, "LILLE", 0, "METZ", 0},
                {0, 2, "LILLE", 5, "ARRAS", 0}});
    frmMDIEquipes* w = open();
    show(w->panel(), QStringLiteral("LENS"));
    const auto& h = w->panel()->zelHistoClassements->Items();
    ASSERT_EQ(h.size(), 2u);
    EXPECT_EQ(h[0].record.Won, h[1].record.Won);
    EXPECT_EQ(h[0].record.ButsPour, h[1].record.ButsPour);
    EXPECT_EQ(h[1].record.Ranking, 1);
    EXPECT_EQ(h[0].record.Ranking, 2); // LILLE went past
}

TEST_F(TeamsWindowTest, HidingTheSummaryThenShowingAnotherTeamShowsItAgain)
{
    frmMDIEquipes* w = open();
    TeamPanel* p = w->panel();
    show(p, QStringLiteral("LENS"));
    p->zelResumeFermer->Click();
    EXPECT_FALSE(p->zelfraResume->isVisible());
    EXPECT_TRUE(p->zelResumeVoir->isEnabled());
    p->zelResumeVoir->Click();
    EXPECT_TRUE(p->zelfraResume->isVisible());
    EXPECT_FALSE(p->zelResumeVoir->isEnabled());
    p->zelResumeFermer->Click();
    show(p, QStringLiteral("METZ"));
    EXPECT_TRUE(p->zelfraResume->isVisible());
    EXPECT_FALSE(p->zelResumeVoir->isEnabled());
}

TEST_F(TeamsWindowTest, RenamingRewritesTheTeamsMatchesAndNoOthers)
{
    addMatches({{0, 1, "LENS", 1, "ARRAS", 0},
                {0, 2, "LILLE", 2, "LENS", 2},
                {0, 3, "LILLE", 1, "METZ", 0}});
    frmMDIEquipes* w = open();
    show(w->panel(), QStringLiteral("LENS"));

    edit(w, QStringLiteral(" lens "));
    EXPECT_TRUE(MessageBox::shown().isEmpty());
    EXPECT_EQ(
        query(
            QStringLiteral(
                "SELECT count(*) FROM \"Résultats\" WHERE Domicile = 'LENS' OR Visiteur = 'LENS'"))
            .value(0, 0)
            .toInt(),
        2);

    edit(w, QStringLiteral("Racing"));
    EXPECT_EQ(query(QStringLiteral("SELECT Nom FROM Equipes ORDER BY Nom")).rowCount(), 4);
    EXPECT_EQ(query(QStringLiteral("SELECT count(*) FROM Equipes WHERE Nom = 'RACING'"))
                  .value(0, 0)
                  .toInt(),
              1);
    const store::Snapshot m =
        query(QStringLiteral("SELECT Domicile, Visiteur FROM \"Résultats\" ORDER BY \"Journée\""));
    EXPECT_EQ(m.value(0, 0).toString(), QStringLiteral("RACING"));
    EXPECT_EQ(m.value(1, 1).toString(), QStringLiteral("RACING"));
    EXPECT_EQ(m.value(2, 0).toString(), QStringLiteral("LILLE"));
    EXPECT_EQ(m.value(2, 1).toString(), QStringLiteral("METZ"));
    // The list holds the new name in its sorted place, selected, and the team is shown again.
    TeamPanel* p = w->panel();
    EXPECT_EQ(p->cboEquipes->itemText(3), QStringLiteral("RACING"));
    EXPECT_EQ(p->cboEquipes->currentText(), QStringLiteral("RACING"));
    EXPECT_EQ(p->lblEquipe->text(), QStringLiteral("RACING"));
    // The cache moved with the name.
    EXPECT_EQ(testsupport::readBytes(CrestCache::crestPath(QStringLiteral("RACING"))),
              QByteArray("GIF-L"));
    EXPECT_FALSE(QFileInfo::exists(CrestCache::crestPath(QStringLiteral("LENS"))));
    EXPECT_FALSE(QFileInfo::exists(CrestCache::iconPath(QStringLiteral("LENS"))));
}

TEST_F(TeamsWindowTest, RenamingToAnotherTeamsNameChangesNothing)
{
    addMatches({{0, 1, "LENS", 1, "ARRAS", 0}});
    frmMDIEquipes* w = open();
    show(w->panel(), QStringLiteral("LENS"));
    edit(w, QStringLiteral("lille"));
    ASSERT_EQ(MessageBox::shown().size(), 1);
    EXPECT_EQ(MessageBox::shown()[0].text, QStringLiteral("Modifications non sauvegardées."));
    EXPECT_EQ(MessageBox::shown()[0].icon, MessageBox::Information);
    EXPECT_EQ(query(QStringLiteral("SELECT Domicile FROM \"Résultats\"")).value(0, 0).toString(),
              QStringLiteral("LENS"));
    EXPECT_EQ(query(QStringLiteral("SELECT count(*) FROM Equipes WHERE Nom IN ('LENS', 'LILLE')"))
                  .value(0, 0)
                  .toInt(),
              2);
    EXPECT_EQ(w->panel()->lblEquipe->text(), QStringLiteral("LENS"));
    EXPECT_TRUE(QFileInfo::exists(CrestCache::crestPath(QStringLiteral("LENS"))));
}

TEST_F(TeamsWindowTest, PicturesAreKeptRemovedOrReplacedSlotBySlot)
{
    frmMDIEquipes* w = open();
    show(w->panel(), QStringLiteral("LENS"));
    const auto fields = [this] {
        const store::Snapshot s =
            query(QStringLiteral("SELECT Blason, Icone FROM Equipes WHERE Nom = 'LENS'"));
        return std::make_pair(s.value(0, 0).toByteArray(), s.value(0, 1).toByteArray());
    };
    edit(w, QStringLiteral("LENS"));
    EXPECT_EQ(fields(), std::make_pair(QByteArray("GIF-L"), QByteArray("ICO-L")));

    const QString icon = dir.file(QStringLiteral("lens.ico"));
    testsupport::writeBytes(icon, "NEW-ICO");
    edit(w, QStringLiteral("LENS"), [icon](frmEditEquipe* d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("Modifier LENS"));
        EXPECT_EQ(d->slotTag[0], QStringLiteral("En mode edit"));
        cOpenSaveFile::setNextFileName(icon);
        d->cmdImage[1]->click();
    });
    EXPECT_EQ(fields(), std::make_pair(QByteArray("GIF-L"), QByteArray("NEW-ICO")));
    EXPECT_EQ(testsupport::readBytes(CrestCache::iconPath(QStringLiteral("LENS"))),
              QByteArray("NEW-ICO"));
    EXPECT_EQ(testsupport::readBytes(CrestCache::crestPath(QStringLiteral("LENS"))),
              QByteArray("GIF-L"));

    edit(w, QStringLiteral("LENS"), [](frmEditEquipe* d) { d->cmdDelete[0]->click(); });
    EXPECT_EQ(fields().first, testsupport::readBytes(TeamPictures::genericPath(0)));
    EXPECT_EQ(testsupport::readBytes(CrestCache::crestPath(QStringLiteral("LENS"))),
              testsupport::readBytes(TeamPictures::genericPath(0)));

    // Cancelling changes nothing.
    testsupport::onNextModal<frmEditEquipe>([](frmEditEquipe* d) {
        d->txtNom->setText(QStringLiteral("AUTRE"));
        d->cmdCancel->click();
    });
    w->cmdEdit_Click();
    EXPECT_EQ(query(QStringLiteral("SELECT count(*) FROM Equipes WHERE Nom = 'LENS'"))
                  .value(0, 0)
                  .toInt(),
              1);
}

TEST_F(TeamsWindowTest, TheSecondWindowHasItsOwnTeamAndKind)
{
    addMatches({{0, 1, "LENS", 1, "ARRAS", 0}});
    frmMDIEquipes* w = open();
    w->zelAutreEquipe_Click();
    auto* other = qobject_cast<frmEquipeCompare*>(AppHost::comparisonWindow());
    ASSERT_TRUE(other);
    EXPECT_EQ(other->windowTitle(), QStringLiteral("Equipe"));
    EXPECT_FALSE(other->findChild<QWidget*>(QStringLiteral("cmdEdit")));
    w->zelAutreEquipe_Click();
    EXPECT_EQ(AppHost::comparisonWindow(), other); // the same window comes forward

    show(other->panel(), QStringLiteral("ARRAS"));
    EXPECT_FALSE(w->cmdEdit->isEnabled()); // nothing in the teams window changed
    EXPECT_TRUE(w->panel()->lblEquipe->text().isEmpty());
    show(w->panel(), QStringLiteral("LENS"));
    other->panel()->cboType->setCurrentIndex(2);
    other->panel()->zelOKHisto_Click();
    EXPECT_EQ(w->panel()->cboType->currentIndex(), 0);
    EXPECT_EQ(other->panel()->lblEquipe->text(), QStringLiteral("ARRAS"));
    EXPECT_EQ(w->panel()->zelHistoClassements->Team(), QStringLiteral("LENS"));
    EXPECT_EQ(other->panel()->zelHistoClassements->Team(), QStringLiteral("ARRAS"));

    // Opening a competition closes it.
    QPointer<QWidget> guard = other;
    ASSERT_TRUE(Utilities::OpenCompetition(path));
    EXPECT_TRUE(guard.isNull());
}

TEST_F(TeamsWindowTest, TheSecondWindowFollowsARenameOfTheTeamItShows)
{
    // LENS with a real crest, so that the crest shown can be checked.
    path = dir.file(QStringLiteral("crests.dat"));
    testsupport::makeCompetition(
        path, {{QStringLiteral("ARRAS"), {}, {}},
               {QStringLiteral("LENS"), testsupport::readBytes(TeamPictures::genericPath(0)), {}},
               {QStringLiteral("METZ"), {}, {}}});
    addMatches({{0, 1, "LENS", 1, "ARRAS", 0}});
    frmMDIEquipes* w = open();
    w->zelAutreEquipe_Click();
    auto* other = qobject_cast<frmEquipeCompare*>(AppHost::comparisonWindow());
    ASSERT_TRUE(other);
    TeamPanel* o = other->panel();
    show(o, QStringLiteral("LENS"));
    o->zelResumeFermer->Click();

    show(w->panel(), QStringLiteral("LENS"));
    // In French order: among the E's, not after the Z's.
    const QString renamed = QStringLiteral("ÉTOILE MÂCON");
    edit(w, QStringLiteral("Étoile Mâcon"));
    EXPECT_EQ(items(o->cboEquipes), (QStringList{"ARRAS", renamed, "METZ"}));
    EXPECT_EQ(o->cboEquipes->currentText(), renamed);
    EXPECT_EQ(o->lblEquipe->text(), renamed);
    EXPECT_FALSE(o->imaBlason->pixmap().isNull());
    EXPECT_TRUE(o->lblResume->text().startsWith(
        QStringLiteral("* 1e au CLASSEMENT GENERAL avec Victoires: 1")));
    EXPECT_EQ(o->zelHistoRencontres->ItemCount(), 1);
    EXPECT_TRUE(o->zelfraResume->isHidden()); // closed, it stays closed
    // The teams window's own panel follows as well.
    EXPECT_EQ(items(w->panel()->cboEquipes), items(o->cboEquipes));
    EXPECT_EQ(w->panel()->lblEquipe->text(), renamed);
}

TEST_F(TeamsWindowTest, TheSecondWindowKeepsItsOwnTeamWhenAnotherIsRenamed)
{
    frmMDIEquipes* w = open();
    w->zelAutreEquipe_Click();
    TeamPanel* o = qobject_cast<frmEquipeCompare*>(AppHost::comparisonWindow())->panel();
    show(o, QStringLiteral("METZ"));
    o->cboEquipes->setCurrentIndex(o->cboEquipes->findText(QStringLiteral("LENS")));

    show(w->panel(), QStringLiteral("LENS"));
    edit(w, QStringLiteral("Arras 2"));
    EXPECT_EQ(items(o->cboEquipes), (QStringList{"ARRAS", "ARRAS 2", "LILLE", "METZ"}));
    EXPECT_EQ(o->cboEquipes->currentText(), QStringLiteral("ARRAS 2")); // chosen, then renamed
    EXPECT_EQ(o->lblEquipe->text(), QStringLiteral("METZ"));

    // A failed rename changes no list.
    show(w->panel(), QStringLiteral("METZ"));
    edit(w, QStringLiteral("lille"));
    EXPECT_EQ(items(o->cboEquipes), (QStringList{"ARRAS", "ARRAS 2", "LILLE", "METZ"}));
    EXPECT_EQ(o->lblEquipe->text(), QStringLiteral("METZ"));
}

TEST(SecondWindowPlace, BesideTheMainWindowWhenTheScreenHasRoom)
{
    const QRect teams(154, 50, 600, 500);
    const QRect hostFrame(0, 0, 760, 560);
    const QMargins frame(4, 26, 4, 4);
    const QRect beside =
        frmEquipeCompare::openingGeometry(teams, hostFrame, frame, QRect(0, 0, 1920, 1080));
    EXPECT_EQ(beside, QRect(764, 50, 600, 500));
    EXPECT_FALSE(beside.marginsAdded(frame).intersects(hostFrame));
    // One pixel short, and it opens over the teams window as before.
    EXPECT_EQ(frmEquipeCompare::openingGeometry(teams, hostFrame, frame, QRect(0, 0, 1367, 1080)),
              teams);
    EXPECT_EQ(frmEquipeCompare::openingGeometry(teams, hostFrame, frame, QRect(0, 0, 1368, 1080)),
              beside);
    EXPECT_EQ(frmEquipeCompare::openingGeometry(teams, hostFrame, frame, QRect(0, 0, 1920, 553)),
              teams);
}

TEST_F(TeamsWindowTest, WithoutRoomTheSecondWindowOpensOverTheTeamsWindow)
{
    frmMDIEquipes* w = open();
    main.move(main.screen()->availableGeometry().topRight() - QPoint(main.width() / 2, 0));
    w->zelAutreEquipe_Click();
    QWidget* other = AppHost::comparisonWindow();
    ASSERT_TRUE(other);
    EXPECT_EQ(other->geometry().topLeft(), w->mapToGlobal(QPoint(0, 0)));
}

} // namespace
