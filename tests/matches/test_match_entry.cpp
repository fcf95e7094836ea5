#include "matches/MatchesFixture.h"
#include "matches/frmMDIRencontres.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLocale>
#include <QProcess>
#include <QPushButton>
#include <QtTest/QTest>

using namespace matchtest;

namespace {

const QString kCorrect = QStringLiteral("\nCorrigez les données.");

class MatchEntryTest : public MatchesFixture
{
protected:
    // An entry window in creation mode, shown without a modal loop.
    frmEditRencontre& creation()
    {
        entry = std::make_unique<frmEditRencontre>(nullptr);
        entry->prepareCreation();
        return shown();
    }
    frmEditRencontre& edition(const store::MatchRow& row)
    {
        entry = std::make_unique<frmEditRencontre>(nullptr);
        entry->prepareEdition(row);
        return shown();
    }
    // Active, so that focus changes send their events.
    frmEditRencontre& shown()
    {
        entry->show();
        entry->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(entry.get()));
        return *entry;
    }
    // Saves with Enter in the visitors' score box, as a keyboard user does.
    void saveByKeyboard(frmEditRencontre& e)
    {
        e.txtScore[1]->setFocus();
        QTest::keyClick(e.txtScore[1], Qt::Key_Return);
    }
    std::unique_ptr<frmEditRencontre> entry;
};

// Empty scores, then a team against itself: the checks that need no stored result.
TEST_F(MatchEntryTest, EmptyScoresAreRefusedHomeFirstWithTheFocusOnTheEmptyBox)
{
    open(league(4));
    frmEditRencontre& e = creation();
    fill(e, 1, "LENS", "", "BREST", "");
    save(e);
    EXPECT_EQ(messages(), QStringList{"information|Entrez le score de l'équipe qui reçoit."});
    EXPECT_EQ(e.focusWidget(), e.txtScore[0]);

    e.txtScore[0]->setText("2");
    save(e);
    EXPECT_EQ(messages(), QStringList{"information|Entrez le score des visiteurs."});
    EXPECT_EQ(e.focusWidget(), e.txtScore[1]);
    EXPECT_TRUE(stored().empty());
}

TEST_F(MatchEntryTest, SavingAtOnceNamesTheFirstTeamOnBothSidesWithoutMovingTheFocus)
{
    open(league(4));
    frmEditRencontre& e = creation();
    EXPECT_EQ(e.cboJournee->count(), 6); // a matchday per team met home and away
    saveByKeyboard(e);
    EXPECT_EQ(messages(), QStringList{QStringLiteral("warning|BREST contre BREST ?") + kCorrect});
    EXPECT_EQ(e.focusWidget(), e.txtScore[1]);
    EXPECT_TRUE(stored().empty());
    EXPECT_TRUE(e.isVisible());
}

// One match per team and matchday, the home team tested first, as home or as visitor.
TEST_F(MatchEntryTest, ATeamThatAlreadyPlaysTheMatchdayIsRefusedHomeTeamFirst)
{
    open(league(6), {{0, 1, "LENS", 2, "LILLE", 1}});
    frmEditRencontre& e = creation();
    const auto plays = [](const char* team) {
        return QStringLiteral("information|La rencontre de ") + QString::fromUtf8(team) +
               QStringLiteral(" de la Journée 1 est déjà enregistrée.") + kCorrect;
    };
    fill(e, 1, "LILLE", "0", "LENS", "0"); // both play: the home team is named
    save(e);
    EXPECT_EQ(messages(), QStringList{plays("LILLE")});
    fill(e, 1, "LILLE", "0", "BREST", "0"); // home team plays away
    save(e);
    EXPECT_EQ(messages(), QStringList{plays("LILLE")});
    fill(e, 1, "BREST", "0", "LENS", "0"); // visitor plays at home
    save(e);
    EXPECT_EQ(messages(), QStringList{plays("LENS")});
    EXPECT_EQ(stored().size(), 1u);
}

TEST_F(MatchEntryTest, AnOrderedPairingOccursOnceButTheReturnMatchIsAccepted)
{
    open(league(4), {{0, 1, "LENS", 2, "BREST", 1}});
    frmEditRencontre& e = creation();
    fill(e, 4, "LENS", "1", "BREST", "1");
    save(e);
    EXPECT_EQ(messages(),
              QStringList{QStringLiteral("information|La rencontre LENS - BREST est déjà "
                                         "enregistrée.") +
                          kCorrect});
    EXPECT_EQ(stored().size(), 1u);

    fill(e, 4, "BREST", "3", "LENS", "0");
    save(e);
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(describe(stored()), (QStringList{"J1 LENS 2-1 BREST", "J4 BREST 3-0 LENS"}));
    // Creation stays open with its fields as they were, ready for the next match.
    EXPECT_TRUE(e.isVisible());
    EXPECT_EQ(e.cboDomicile->currentText(), QStringLiteral("BREST"));
    EXPECT_EQ(e.txtScore[0]->text(), QStringLiteral("3"));
    EXPECT_EQ(e.lblInfo->text(), QStringLiteral("Journée 4 : 1 match joué sur 2."));
}

TEST_F(MatchEntryTest, ScoreBoxesTakeDigitsOnlyAndEveryScoreUpTo255)
{
    open(league(4));
    frmEditRencontre& e = creation();
    QLineEdit* home = e.txtScore[0];
    home->setFocus();
    QTRY_COMPARE(home->selectedText(), QStringLiteral("0")); // all selected on focus
    QTest::keyClicks(home, "1a -2");
    EXPECT_EQ(home->text(), QStringLiteral("12"));
    home->selectAll();
    QTest::keyClicks(home, "x"); // a discarded key leaves the selection alone
    EXPECT_EQ(home->text(), QStringLiteral("12"));
    QTest::keyClick(home, Qt::Key_Backspace);
    EXPECT_EQ(home->text(), QString());
    QApplication::clipboard()->setText(QStringLiteral("4 x\t5"));
    home->paste();
    EXPECT_EQ(home->text(), QStringLiteral("45"));

    fill(e, 1, "LENS", "256", "BREST", "0");
    save(e);
    EXPECT_EQ(messages(),
              QStringList{"information|Le score doit être un nombre entier compris entre 0 et "
                          "255."});
    EXPECT_EQ(e.focusWidget(), e.txtScore[0]);
    fill(e, 1, "LENS", "0", "BREST", "99999999999999999999");
    save(e);
    EXPECT_EQ(messages().size(), 1);
    EXPECT_EQ(e.focusWidget(), e.txtScore[1]);
    EXPECT_TRUE(stored().empty());

    fill(e, 1, "LENS", "255", "BREST", "0");
    save(e);
    fill(e, 2, "LENS", "000", "LILLE", "007");
    save(e);
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(describe(stored()), (QStringList{"J1 LENS 255-0 BREST", "J2 LENS 0-7 LILLE"}));
}

TEST_F(MatchEntryTest, TheStatusLineCountsTheMatchesOfTheMatchdayWhenItLosesTheFocus)
{
    open(league(20), {{0, 3, "LENS", 1, "LILLE", 0}, {0, 3, "NICE", 2, "METZ", 2}});
    frmEditRencontre& e = creation();
    EXPECT_EQ(e.lblInfo->text(), QStringLiteral("Journée 1 : aucun match joué sur 10."));
    e.cboJournee->setFocus();
    e.cboJournee->setCurrentIndex(2);
    e.txtScore[0]->setFocus();
    EXPECT_EQ(e.lblInfo->text(), QStringLiteral("Journée 3 : 2 matchs joués sur 10."));
    e.cboJournee->setFocus();
    e.cboJournee->setCurrentIndex(3);
    e.txtScore[0]->setFocus();
    EXPECT_EQ(e.lblInfo->text(), QStringLiteral("Journée 4 : aucun match joué sur 10."));
}

// Five teams play two matches a matchday, one resting; the fixtures are counted apart.
TEST_F(MatchEntryTest, AnOddLeagueExpectsHalfItsTeamsRoundedDownAndCountsTheFixtures)
{
    open(league(5), {{0, 1, "LENS", 1, "BREST", 0}});
    frmEditRencontre& e = creation();
    EXPECT_EQ(e.lblInfo->text(), QStringLiteral("Journée 1 : 1 match joué sur 2."));
    frmMDIRencontres window;
    window.ActualiseRencontres();
    auto* counter = window.findChild<QLabel*>(QStringLiteral("lblNbre"));
    EXPECT_EQ(counter->text(), QStringLiteral("Journée 1 : 1 match joué sur 2."));

    ASSERT_TRUE(store::addFixture(*store::CurrentCompetition::get(), {0, 1, "LILLE", "CAEN"}).ok());
    window.ActualiseRencontres();
    EXPECT_EQ(counter->text(), QStringLiteral("Journée 1 : 1 match joué, 1 à jouer."));
    e.cboJournee_LostFocus();
    EXPECT_EQ(e.lblInfo->text(), QStringLiteral("Journée 1 : 1 match joué, 1 à jouer."));
}

TEST_F(MatchEntryTest, EditionRewritesTheSameRowAndCloses)
{
    open(league(6));
    addMatch(1, "BREST", 0, "CAEN", 0);
    const qint64 rowid = addMatch(1, "LENS", 2, "LILLE", 1);
    addMatch(2, "LILLE", 1, "LENS", 1);
    frmEditRencontre& e = edition({rowid, 1, "LENS", 2, "LILLE", 1});
    EXPECT_EQ(e.windowTitle(), QStringLiteral("Rencontres - Edition"));
    EXPECT_EQ(e.cboDomicile->currentText(), QStringLiteral("LENS"));
    EXPECT_EQ(e.txtScore[0]->text(), QStringLiteral("2"));
    e.txtScore[0]->setText("4");
    save(e);
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_FALSE(e.isVisible());
    const auto rows = stored();
    EXPECT_EQ(describe(rows),
              (QStringList{"J1 BREST 0-0 CAEN", "J1 LENS 4-1 LILLE", "J2 LILLE 1-1 LENS"}));
    EXPECT_EQ(rows[1].rowid, rowid);
}

TEST_F(MatchEntryTest, EditionRefusesAMoveOntoAMatchdayWhereATeamPlaysAndAReversedPairing)
{
    open(league(6));
    const qint64 rowid = addMatch(1, "LENS", 2, "LILLE", 1);
    addMatch(2, "BREST", 1, "LILLE", 1);
    addMatch(3, "CAEN", 0, "BREST", 0);
    const store::MatchRow row{rowid, 1, "LENS", 2, "LILLE", 1};
    frmEditRencontre& e = edition(row);
    e.cboJournee->setCurrentIndex(1);
    save(e);
    EXPECT_EQ(messages(), QStringList{QStringLiteral("information|La rencontre de LILLE de la "
                                                     "Journée 2 est déjà enregistrée.") +
                                      kCorrect});
    EXPECT_TRUE(e.isVisible());

    // Home and visitor swapped: accepted, the same row rewritten.
    fill(e, 1, "LILLE", "1", "LENS", "2");
    save(e);
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(describe(stored()),
              (QStringList{"J1 LILLE 1-2 LENS", "J2 BREST 1-1 LILLE", "J3 CAEN 0-0 BREST"}));

    // Swapping CAEN - BREST is refused once BREST - CAEN is recorded elsewhere.
    addMatch(4, "BREST", 2, "CAEN", 2);
    frmEditRencontre& again = edition({0, 3, "CAEN", 0, "BREST", 0});
    // The line tells of the match's own matchday, not of the first one.
    EXPECT_EQ(again.lblInfo->text(), QStringLiteral("Journée 3 : 1 match joué sur 3."));
    fill(again, 3, "BREST", "0", "CAEN", "0");
    save(again);
    EXPECT_EQ(messages(),
              QStringList{QStringLiteral("information|La rencontre BREST - CAEN est déjà "
                                         "enregistrée.") +
                          kCorrect});
    EXPECT_EQ(stored().size(), 4u);
}

TEST_F(MatchEntryTest, AMatchDeletedMeanwhileIsNotRecreatedNorIsAnotherRowOverwritten)
{
    open(league(4));
    const qint64 rowid = addMatch(1, "LENS", 2, "BREST", 1);
    addMatch(1, "LILLE", 0, "CAEN", 0);
    frmEditRencontre& e = edition({rowid, 1, "LENS", 2, "BREST", 1});
    ASSERT_TRUE(db().deleteRow(QStringLiteral("Résultats"), rowid).ok());
    e.txtScore[0]->setText("5");
    save(e);
    EXPECT_EQ(messages(), QStringList{"information|La rencontre à modifier n'existe plus : elle a "
                                      "été supprimée entre-temps."});
    EXPECT_EQ(describe(stored()), QStringList{"J1 LILLE 0-0 CAEN"});
}

TEST_F(MatchEntryTest, NamesWithQuotesAndSemicolonsAreFoundAndCompared)
{
    const QString quoted = QStringLiteral("LE \"GRAND\" CLUB");
    const QString odd = QStringLiteral("O'NEIL; DROP TABLE Equipes --");
    open({quoted, odd, "ZURICH", "BALE"});
    frmEditRencontre& e = creation();
    fill(e, 1, quoted, "1", odd, "0");
    save(e);
    fill(e, 2, quoted, "1", odd, "0");
    save(e);
    fill(e, 1, odd, "1", "ZURICH", "0");
    save(e);
    EXPECT_EQ(
        messages(),
        (QStringList{QStringLiteral("information|La rencontre ") + quoted + QStringLiteral(" - ") +
                         odd + QStringLiteral(" est déjà enregistrée.") + kCorrect,
                     QStringLiteral("information|La rencontre de ") + odd +
                         QStringLiteral(" de la Journée 1 est déjà enregistrée.") + kCorrect}));
    const auto rows = stored();
    ASSERT_EQ(rows.size(), 1u);
    frmEditRencontre& edit = edition(rows[0]);
    edit.txtScore[1]->setText("3");
    save(edit);
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(describe(stored()),
              QStringList{QStringLiteral("J1 ") + quoted + QStringLiteral(" 1-3 ") + odd});
}

// Another program holds the file, then the window is used again once it is free.
TEST_F(MatchEntryTest, ALockedFileIsReportedInFrenchAndTheWindowStaysUsable)
{
    open(league(4));
    frmEditRencontre& e = creation();
    fill(e, 1, "LENS", "2", "BREST", "1");
    {
        auto other = testsupport::openFile(path);
        ASSERT_TRUE(other->begin().ok());
        ASSERT_TRUE(other
                        ->addRow(QStringLiteral("Résultats"),
                                 {{QStringLiteral("Journée"), 1},
                                  {QStringLiteral("Domicile"), QStringLiteral("LILLE")},
                                  {QStringLiteral("ScoreDomicile"), 0},
                                  {QStringLiteral("Visiteur"), QStringLiteral("CAEN")},
                                  {QStringLiteral("ScoreVisiteur"), 0}})
                        .ok());
        save(e);
        EXPECT_EQ(messages(),
                  QStringList{"critical|La rencontre n'a pas été enregistrée.\nLe fichier de la "
                              "compétition est verrouillé par un autre programme. Réessayez "
                              "quand il sera libéré."});
        other->rollback();
    }
    EXPECT_TRUE(stored().empty());
    EXPECT_TRUE(e.isVisible());
    save(e);
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(describe(stored()), QStringList{"J1 LENS 2-1 BREST"});
}

TEST_F(MatchEntryTest, AReadOnlyFileLeavesNothingWritten)
{
    open(league(4), {{0, 1, "LENS", 2, "BREST", 1}});
    ASSERT_TRUE(db().exec(QStringLiteral("PRAGMA query_only = 1")).ok());
    frmEditRencontre& e = edition(stored()[0]);
    e.txtScore[0]->setText("3");
    save(e);
    EXPECT_EQ(messages(), QStringList{"critical|La rencontre n'a pas été enregistrée.\nLe fichier "
                                      "de la compétition est en lecture seule."});
    EXPECT_TRUE(e.isVisible());
    EXPECT_FALSE(db().inTransaction());
    EXPECT_EQ(describe(stored()), QStringList{"J1 LENS 2-1 BREST"});
}

// The window and the command-line import refuse the same line for the same reason.
TEST_F(MatchEntryTest, TheImportToolAppliesTheSameRules)
{
    open(league(4), {{0, 1, "LENS", 2, "BREST", 1}});
    frmEditRencontre& e = creation();
    fill(e, 3, "LENS", "0", "BREST", "0");
    save(e);
    const QStringList shown = messages();
    ASSERT_EQ(shown.size(), 1);
    store::CurrentCompetition::close();

    const QString csv = dir.file(QStringLiteral("retour.csv"));
    testsupport::writeBytes(csv, "Journée;Domicile;ScoreDomicile;Visiteur;ScoreVisiteur\n"
                                 "3;LENS;0;BREST;0\n");
    QProcess cli;
    cli.start(
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../../bin/vemo-cli")),
        {QStringLiteral("import"), path, csv});
    ASSERT_TRUE(cli.waitForFinished(30000));
    EXPECT_NE(cli.exitCode(), 0);
    QString reason = shown[0].section(QLatin1Char('|'), 1);
    reason.replace(QLatin1Char('\n'), QLatin1Char(' '));
    EXPECT_TRUE(QString::fromUtf8(cli.readAllStandardError()).contains(reason))
        << reason.toStdString();
}

} // namespace
