#include "controls/Hover5Control.h"
#include "controls/zelOwnerLBox4.h"
#include "controls/zelRCornerCommand.h"
#include "matches/MatchesFixture.h"
#include "matches/frmMDIRencontres.h"
#include "matches/frmReporter.h"
#include "models/CsvExport.h"
#include "shell/AppHost.h"
#include "shell/Registration.h"
#include "shell/frmMain.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QTimer>
#include <QtTest/QTest>

using namespace matchtest;

namespace {

class MatchesWindowTest : public MatchesFixture
{
protected:
    void show()
    {
        window = std::make_unique<frmMDIRencontres>();
        window->resize(800, 600);
        window->show();
        journees = window->findChild<QComboBox*>(QStringLiteral("cboJournées"));
        ok = window->findChild<zelRCornerCommand*>(QStringLiteral("zelOK"));
        list = window->findChild<zelOwnerLBox4*>(QStringLiteral("zelRencontres"));
        counter = window->findChild<QLabel*>(QStringLiteral("lblNbre"));
        add = window->findChild<Hover5Control*>(QStringLiteral("cmdEdit_0"));
        modify = window->findChild<Hover5Control*>(QStringLiteral("cmdEdit_1"));
        remove = window->findChild<Hover5Control*>(QStringLiteral("cmdDelete"));
        ASSERT_TRUE(journees && ok && list && counter && add && modify && remove);
    }
    // Shows a matchday as the user does: chooses it, then presses "OK".
    void showMatchday(int journee)
    {
        journees->setCurrentIndex(journee - 1);
        QTest::mouseClick(ok, Qt::LeftButton);
    }
    QStringList listed() const { return describe(list->Items()); }
    void schedule(int journee, const QString& domicile, const QString& visiteur)
    {
        const store::FixtureChange change =
            store::addFixture(*store::CurrentCompetition::get(), {0, journee, domicile, visiteur});
        ASSERT_TRUE(change.ok()) << change.refusal.toStdString();
    }
    // "J3 LENS-LILLE" for each fixture of the file.
    QStringList calendar()
    {
        std::vector<store::Fixture> rows;
        EXPECT_TRUE(store::loadFixtures(db(), rows).ok());
        QStringList out;
        for (const store::Fixture& f : rows)
            out << QStringLiteral("J%1 %2-%3").arg(f.journee).arg(f.domicile, f.visiteur);
        return out;
    }
    // Answers the postponement dialog from the keyboard: Down steps times, then Enter.
    static void whenPostponing(int steps)
    {
        QTimer::singleShot(0, [steps] {
            auto* ask = qobject_cast<frmReporter*>(QApplication::activeModalWidget());
            if (!ask) {
                ADD_FAILURE() << "the postponement dialog is not shown";
                return;
            }
            for (int i = 0; i < steps; ++i)
                QTest::keyClick(ask->cboJournee, Qt::Key_Down);
            QTest::keyClick(ask, Qt::Key_Return);
        });
    }
    void select(int row) { list->hwnd()->setCurrentRow(row); }

    std::unique_ptr<frmMDIRencontres> window;
    QComboBox* journees = nullptr;
    zelRCornerCommand* ok = nullptr;
    zelOwnerLBox4* list = nullptr;
    QLabel* counter = nullptr;
    Hover5Control* add = nullptr;
    Hover5Control* modify = nullptr;
    Hover5Control* remove = nullptr;
};

TEST_F(MatchesWindowTest, OkShowsTheChosenMatchdayWithItsCounter)
{
    open(league(20), {{0, 1, "LENS", 1, "LILLE", 0}, {0, 2, "NICE", 2, "METZ", 2}});
    show();
    // Nothing is shown before "OK"; only adding is offered.
    EXPECT_EQ(journees->count(), 38);
    EXPECT_EQ(list->ItemCount(), 0);
    EXPECT_TRUE(add->isEnabled());
    EXPECT_FALSE(modify->isEnabled());
    EXPECT_FALSE(remove->isEnabled());
    showMatchday(1);
    EXPECT_EQ(listed(), QStringList{"J1 LENS 1-0 LILLE"});
    EXPECT_EQ(counter->text(), QStringLiteral("Journée 1 : 1 match joué sur 10."));
    EXPECT_TRUE(modify->isEnabled());
    EXPECT_TRUE(remove->isEnabled());

    journees->setCurrentIndex(2); // chosen but not shown yet
    EXPECT_EQ(listed(), QStringList{"J1 LENS 1-0 LILLE"});
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(list->ItemCount(), 0);
    EXPECT_EQ(counter->text(), QStringLiteral("Journée 3 : aucun match joué sur 10."));
    EXPECT_FALSE(modify->isEnabled());
    EXPECT_FALSE(remove->isEnabled());

    journees->setCurrentIndex(1);
    journees->setFocus();
    QTest::keyClick(journees, Qt::Key_Return);
    EXPECT_EQ(listed(), QStringList{"J2 NICE 2-2 METZ"});
}

// A creation save refreshes the window only when it shows the matchday of the match.
TEST_F(MatchesWindowTest, ACreationOnTheChosenMatchdayAddsTheRowAndRaisesTheCounter)
{
    open(league(20), {{0, 1, "LENS", 1, "LILLE", 0}});
    show();
    showMatchday(1);
    whenEntryShown([&](frmEditRencontre& e) {
        fill(e, 1, "NICE", "3", "METZ", "1");
        save(e);
        EXPECT_EQ(listed(), (QStringList{"J1 LENS 1-0 LILLE", "J1 NICE 3-1 METZ"}));
        EXPECT_EQ(counter->text(), QStringLiteral("Journée 1 : 2 matchs joués sur 10."));
        fill(e, 2, "LENS", "0", "NICE", "0");
        save(e);
        EXPECT_TRUE(e.isVisible());
    });
    QTest::mouseClick(add, Qt::LeftButton);
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(listed(), (QStringList{"J1 LENS 1-0 LILLE", "J1 NICE 3-1 METZ"}));
    EXPECT_EQ(counter->text(), QStringLiteral("Journée 1 : 2 matchs joués sur 10."));
    EXPECT_EQ(stored().size(), 3u);

    // Journée 5 chosen without "OK": a save on Journée 3 leaves the window as it was, a save
    // on Journée 5 shows it.
    journees->setCurrentIndex(4);
    whenEntryShown([&](frmEditRencontre& e) {
        fill(e, 3, "BREST", "2", "CAEN", "2");
        save(e);
        EXPECT_EQ(listed(), (QStringList{"J1 LENS 1-0 LILLE", "J1 NICE 3-1 METZ"}));
        EXPECT_EQ(counter->text(), QStringLiteral("Journée 1 : 2 matchs joués sur 10."));
        fill(e, 5, "LYON", "1", "PARIS", "1");
        save(e);
    });
    QTest::mouseClick(add, Qt::LeftButton);
    EXPECT_EQ(listed(), QStringList{"J5 LYON 1-1 PARIS"});
    EXPECT_EQ(counter->text(), QStringLiteral("Journée 5 : 1 match joué sur 10."));
}

TEST_F(MatchesWindowTest, ModifyNeedsASelectionAndADoubleClickModifiesTheRow)
{
    open(league(20), {{0, 1, "LENS", 1, "LILLE", 0}, {0, 1, "NICE", 2, "METZ", 2}});
    show();
    emit list->DblClick(); // nothing shown yet: nothing happens
    EXPECT_TRUE(messages().isEmpty());
    showMatchday(1);
    QTest::mouseClick(modify, Qt::LeftButton);
    EXPECT_EQ(messages(), QStringList{"information|Sélectionnez la rencontre à modifier."});
    emit list->DblClick();
    EXPECT_EQ(messages(), QStringList{"information|Sélectionnez la rencontre à modifier."});
    // A real double-click below the rows says the same.
    MessageBox::clearShown();
    QTest::mouseDClick(list->hwnd()->viewport(), Qt::LeftButton, {},
                       QPoint(20, list->hwnd()->viewport()->height() - 5));
    EXPECT_EQ(messages(), QStringList{"information|Sélectionnez la rencontre à modifier."});
    MessageBox::clearShown();

    // Journée 2 chosen meanwhile: an edition save refreshes whatever is chosen.
    select(1);
    journees->setCurrentIndex(1);
    whenEntryShown([&](frmEditRencontre& e) {
        EXPECT_EQ(e.cboJournee->currentText(), QStringLiteral("1"));
        EXPECT_EQ(e.cboDomicile->currentText(), QStringLiteral("NICE"));
        EXPECT_EQ(e.cboVisiteur->currentText(), QStringLiteral("METZ"));
        EXPECT_EQ(e.txtScore[1]->text(), QStringLiteral("2"));
        e.cboJournee->setCurrentIndex(1);
        save(e);
    });
    QTest::mouseDClick(list->hwnd()->viewport(), Qt::LeftButton, {},
                       list->hwnd()->rowRect(1).center());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(listed(), QStringList{"J2 NICE 2-2 METZ"});
    EXPECT_EQ(describe(stored()), (QStringList{"J1 LENS 1-0 LILLE", "J2 NICE 2-2 METZ"}));
}

TEST_F(MatchesWindowTest, DeletionAsksFirstAndNoChangesNothing)
{
    open(league(20), {{0, 1, "LENS", 1, "LILLE", 0}, {0, 1, "NICE", 2, "METZ", 2}});
    show();
    showMatchday(1);
    QTest::mouseClick(remove, Qt::LeftButton);
    EXPECT_EQ(messages(), QStringList{"information|Sélectionnez la rencontre à supprimer."});

    select(0);
    MessageBox::setNextAnswer(false);
    QTest::mouseClick(remove, Qt::LeftButton);
    EXPECT_EQ(messages(), QStringList{"question|Supprimer la rencontre\nLENS - LILLE de la "
                                      "Journée 1 ?"});
    EXPECT_EQ(stored().size(), 2u);
    EXPECT_EQ(listed(), (QStringList{"J1 LENS 1-0 LILLE", "J1 NICE 2-2 METZ"}));
    EXPECT_EQ(list->ListIndex(), 0);

    MessageBox::setNextAnswer(true);
    QTest::mouseClick(remove, Qt::LeftButton);
    EXPECT_EQ(messages().size(), 1);
    EXPECT_EQ(describe(stored()), QStringList{"J1 NICE 2-2 METZ"});
    EXPECT_EQ(listed(), QStringList{"J1 NICE 2-2 METZ"});
    EXPECT_EQ(counter->text(), QStringLiteral("Journée 1 : 1 match joué sur 10."));

    // The last one, from the keyboard.
    select(0);
    MessageBox::setNextAnswer(true);
    list->hwnd()->setFocus();
    QTest::keyClick(list->hwnd(), Qt::Key_Delete);
    EXPECT_TRUE(stored().empty());
    EXPECT_FALSE(remove->isEnabled());
    EXPECT_EQ(counter->text(), QStringLiteral("Journée 1 : aucun match joué sur 10."));
}

TEST_F(MatchesWindowTest, AFailedDeletionIsReportedAndDeletesNothing)
{
    const QString quoted = QStringLiteral("LE \"GRAND\" CLUB");
    open({quoted, "LENS", "LILLE", "METZ"}, {{0, 1, quoted, 1, "LENS", 0}});
    show();
    showMatchday(1);
    select(0);
    ASSERT_TRUE(db().exec(QStringLiteral("PRAGMA query_only = 1")).ok());
    MessageBox::setNextAnswer(true);
    QTest::mouseClick(remove, Qt::LeftButton);
    const QStringList shown = messages();
    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(shown[1], QStringLiteral("critical|La rencontre n'a pas été supprimée.\nLe fichier "
                                       "de la compétition est en lecture seule."));
    EXPECT_EQ(stored().size(), 1u);
    EXPECT_EQ(list->ItemCount(), 1);

    // Once writable again, the same match (found by its quoted name) goes.
    ASSERT_TRUE(db().exec(QStringLiteral("PRAGMA query_only = 0")).ok());
    select(0);
    MessageBox::setNextAnswer(true);
    QTest::mouseClick(remove, Qt::LeftButton);
    EXPECT_TRUE(stored().empty());
    EXPECT_EQ(list->ItemCount(), 0);
}

TEST_F(MatchesWindowTest, FixturesFollowTheResultsShownWithADashAndReadAsToPlay)
{
    open(league(20), {{0, 1, "LENS", 1, "LILLE", 0}});
    schedule(1, "NICE", "METZ");
    schedule(2, "LENS", "NICE");
    show();
    showMatchday(1);
    ASSERT_EQ(list->ItemCount(), 2);
    EXPECT_EQ(counter->text(), QStringLiteral("Journée 1 : 1 match joué, 1 à jouer."));
    const ListModel* m = list->model();
    const QModelIndex score = m->index(1, MatchListModel::ScoreDomicile);
    EXPECT_EQ(score.data().toString(), QStringLiteral("–"));
    EXPECT_TRUE(score.data(Qt::FontRole).value<QFont>().italic());
    EXPECT_NE(score.data(Qt::ForegroundRole),
              m->index(0, MatchListModel::ScoreDomicile).data(Qt::ForegroundRole));
    EXPECT_FALSE(m->index(0, MatchListModel::ScoreDomicile).data(Qt::FontRole).isValid());
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(list->hwnd());
    ASSERT_TRUE(table && table->tableInterface());
    QAccessibleInterface* cell = table->tableInterface()->cellAt(1, MatchListModel::ScoreVisiteur);
    ASSERT_TRUE(cell);
    EXPECT_EQ(cell->text(QAccessible::Name), QStringLiteral("à jouer"));
    EXPECT_TRUE(
        cell->text(QAccessible::Description)
            .startsWith(QStringLiteral("NICE – METZ, à jouer. Prévision : victoire de NICE ")));
    // The copy, and so the export, leaves the scores of a fixture empty; its forecast follows,
    // learned before matchday 1: only the home side's advantage tells the teams apart.
    const QStringList copied = list->CopiedText().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(copied.size(), 3);
    EXPECT_EQ(copied[0], QStringLiteral("Journée\tDomicile\tScoreDomicile\tScoreVisiteur\t"
                                        "Visiteur\tPrévision"));
    EXPECT_EQ(copied[1], QStringLiteral("1\tLENS\t1\t0\tLILLE\t"));
    ASSERT_TRUE(copied[2].startsWith(QStringLiteral("1\tNICE\t\t\tMETZ\t")));
    const QStringList shares = copied[2].section(QLatin1Char('\t'), 5).split(QLatin1Char(' '));
    ASSERT_EQ(shares.size(), 3);
    EXPECT_NEAR(shares[0].toDouble() + shares[1].toDouble() + shares[2].toDouble(), 1.0, 2e-4);
    EXPECT_GT(shares[0].toDouble(), shares[2].toDouble());
    EXPECT_TRUE(m->index(1, MatchListModel::Prevision).data().toString().startsWith("1 "));
    EXPECT_TRUE(QString::fromUtf8(tablesToCsv(window->shownView().tables))
                    .contains(QStringLiteral("1;NICE;;;METZ;")));
    // A matchday without fixtures keeps the columns of a results file.
    showMatchday(3);
    EXPECT_EQ(list->CopiedText(), QStringLiteral("Journée\tDomicile\tScoreDomicile\t"
                                                 "ScoreVisiteur\tVisiteur\n"));
    showMatchday(1);

    // Postponing is offered on a fixture only.
    select(0);
    EXPECT_FALSE(window->mnuReporter->isEnabled());
    select(1);
    EXPECT_TRUE(window->mnuReporter->isEnabled());
    EXPECT_TRUE(modify->isEnabled());
}

TEST_F(MatchesWindowTest, EnterOnAFixtureOpensItsEntryAndSavingPlaysIt)
{
    open(league(20), {{0, 1, "LENS", 1, "LILLE", 0}});
    schedule(1, "NICE", "METZ");
    show();
    showMatchday(1);
    select(1);
    whenEntryShown([&](frmEditRencontre& e) {
        EXPECT_EQ(e.windowTitle(), QStringLiteral("Rencontres - Création"));
        EXPECT_EQ(e.cboJournee->currentText(), QStringLiteral("1"));
        EXPECT_EQ(e.cboDomicile->currentText(), QStringLiteral("NICE"));
        EXPECT_EQ(e.cboVisiteur->currentText(), QStringLiteral("METZ"));
        EXPECT_EQ(e.lblInfo->text(), QStringLiteral("Journée 1 : 1 match joué, 1 à jouer."));
        EXPECT_EQ(e.focusWidget(), e.txtScore[0]);
        QTest::keyClicks(e.txtScore[0], "3");
        QTest::keyClick(e.txtScore[0], Qt::Key_Tab);
        QTest::keyClicks(e.txtScore[1], "1");
        save(e);
        EXPECT_EQ(e.lblInfo->text(), QStringLiteral("Journée 1 : 2 matchs joués sur 10."));
    });
    list->hwnd()->setFocus();
    QTest::keyClick(list->hwnd(), Qt::Key_Return);
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_TRUE(calendar().isEmpty());
    EXPECT_EQ(describe(stored()), (QStringList{"J1 LENS 1-0 LILLE", "J1 NICE 3-1 METZ"}));
    EXPECT_EQ(list->ItemCount(), 2);
    EXPECT_EQ(counter->text(), QStringLiteral("Journée 1 : 2 matchs joués sur 10."));
}

TEST_F(MatchesWindowTest, AFixtureIsPostponedByTheRulesAndTakenOffAfterAQuestion)
{
    open(league(20), {{0, 2, "LENS", 0, "NICE", 0}});
    schedule(1, "LENS", "LILLE");
    schedule(1, "NICE", "METZ");
    show();
    showMatchday(1);
    select(0);
    whenPostponing(1); // Journée 2, where LENS plays
    window->mnuReporter->trigger();
    EXPECT_EQ(messages(), QStringList{"information|La rencontre de LENS de la Journée 2 est déjà "
                                      "enregistrée.\nCorrigez les données."});
    EXPECT_EQ(calendar(), (QStringList{"J1 LENS-LILLE", "J1 NICE-METZ"}));
    select(0);
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    whenPostponing(2);
    QTest::keyClick(list->hwnd(), Qt::Key_R, Qt::ControlModifier);
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(calendar(), (QStringList{"J1 NICE-METZ", "J3 LENS-LILLE"}));
    EXPECT_EQ(counter->text(), QStringLiteral("Journée 1 : aucun match joué, 1 à jouer."));

    select(0);
    MessageBox::setNextAnswer(false);
    QTest::mouseClick(remove, Qt::LeftButton);
    EXPECT_EQ(messages(), QStringList{"question|Retirer la rencontre NICE - METZ du calendrier ?"});
    EXPECT_EQ(list->ItemCount(), 1);
    MessageBox::setNextAnswer(true);
    list->hwnd()->setFocus();
    QTest::keyClick(list->hwnd(), Qt::Key_Delete);
    EXPECT_EQ(calendar(), QStringList{"J3 LENS-LILLE"});
    EXPECT_EQ(list->ItemCount(), 0);
    EXPECT_EQ(describe(stored()), QStringList{"J2 LENS 0-0 NICE"});
}

TEST_F(MatchesWindowTest, GenerateFillsTheCalendarAfterAQuestion)
{
    open(league(20));
    show();
    ASSERT_TRUE(window->menus().size() == 4 &&
                window->menus()[2]->actions().contains(window->mnuGenerer));
    EXPECT_EQ(window->mnuGenerer->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_G));
    MessageBox::setNextAnswer(false);
    window->mnuGenerer->trigger();
    EXPECT_EQ(messages().size(), 1);
    EXPECT_TRUE(calendar().isEmpty());

    MessageBox::setNextAnswer(true);
    window->mnuGenerer->trigger();
    const QStringList shown = messages();
    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(shown[1], QStringLiteral("information|380 rencontres ajoutées au calendrier."));
    EXPECT_EQ(calendar().size(), 380);
    EXPECT_EQ(list->ItemCount(), 10);
    EXPECT_EQ(counter->text(), QStringLiteral("Journée 1 : aucun match joué, 10 à jouer."));

    MessageBox::setNextAnswer(true);
    window->mnuGenerer->trigger();
    EXPECT_EQ(messages().value(1), QStringLiteral("information|Aucune rencontre à ajouter : chaque "
                                                  "rencontre de la saison est jouée ou au "
                                                  "calendrier."));
}

// Opened from the main window, its entry window belongs to it.
TEST_F(MatchesWindowTest, ItsEntryWindowIsOwnedByTheMainWindow)
{
    Windows::registerAll();
    frmMain main;
    main.show();
    open(league(4));
    main.tbSection_ItemClick(1, 2);
    auto* matches = qobject_cast<frmMDIRencontres*>(main.currentWorkingWindow());
    ASSERT_TRUE(matches);
    QWidget* owner = nullptr;
    whenEntryShown([&](frmEditRencontre& e) { owner = e.parentWidget(); });
    matches->cmdEdit_Click(0);
    EXPECT_EQ(owner, &main);
    for (int i = 1; i <= 4; ++i)
        AppHost::registerWindow(i, {});
}

} // namespace
