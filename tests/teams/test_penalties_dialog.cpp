// The deductions of a team, from the teams window: listed, added, modified and deleted through
// their dialog by keyboard and mouse, every refusal told and nothing written.
#include "controls/Hover5Control.h"
#include "controls/ListView.h"
#include "controls/MessageBox.h"
#include "controls/RangeSpinBox.h"
#include "controls/zelFrame.h"
#include "shell/CompetitionCommands.h"
#include "shell/Registration.h"
#include "shell/frmMain.h"
#include "standings/TeamPanel.h"
#include "store/Penalties.h"
#include "support/TestSupport.h"
#include "teams/PenaltyListModel.h"
#include "teams/frmEditPenalite.h"
#include "teams/frmMDIEquipes.h"
#include "teams/frmPenalites.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest/QTest>
#include <gtest/gtest.h>

using testsupport::TempDir;

namespace {

class PenaltiesDialogTest : public testing::Test
{
protected:
    void SetUp() override
    {
        Windows::registerAll();
        path = dir.file(QStringLiteral("ligue.dat"));
        testsupport::makeCompetition(path,
                                     QStringList{QStringLiteral("ARRAS"), QStringLiteral("LENS"),
                                                 QStringLiteral("LILLE"), QStringLiteral("METZ")});
        testsupport::addMatches(path, {{0, 1, "LENS", 1, "ARRAS", 0}});
        main.show();
        ASSERT_TRUE(Utilities::OpenCompetition(path));
        w = qobject_cast<frmMDIEquipes*>(main.currentWorkingWindow());
        ASSERT_TRUE(w);
    }
    void showTeam(const QString& team)
    {
        w->panel()->cboEquipes->setCurrentIndex(w->panel()->cboEquipes->findText(team));
        w->panel()->zelOK_Click();
    }
    std::vector<store::Penalty> stored()
    {
        std::vector<store::Penalty> rows;
        EXPECT_TRUE(store::loadPenalties(store::CurrentCompetition::get()->db(), rows).ok());
        return rows;
    }
    // Types into the focused box, replacing what it holds.
    static void type(QWidget* box, const QString& text)
    {
        box->setFocus();
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(box, text);
    }
    static QStringList texts()
    {
        QStringList all;
        for (const auto& m : MessageBox::shown())
            all << m.text;
        return all;
    }

    TempDir dir;
    QString path;
    frmMain main;
    frmMDIEquipes* w = nullptr;
};

TEST_F(PenaltiesDialogTest, AddModifyAndDeleteByKeyboardAndMouse)
{
    EXPECT_FALSE(w->cmdPenalites->isEnabled()); // no team shown yet
    showTeam(QStringLiteral("LENS"));
    ASSERT_TRUE(w->cmdPenalites->isEnabled());
    w->panel()->zelResumeFermer_Click();
    main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));

    bool ran = false;
    testsupport::onNextModal<frmPenalites>([&](frmPenalites* d) {
        ran = true;
        EXPECT_EQ(d->windowTitle(), QStringLiteral("Pénalités de LENS"));
        EXPECT_EQ(d->lblTotal->text(), QStringLiteral("Aucune pénalité."));
        EXPECT_FALSE(d->cmdModifier->isEnabled());
        EXPECT_FALSE(d->cmdSupprimer->isEnabled());

        // Added: a missing reason is refused and the dialog stays, then saved.
        testsupport::onNextModal<frmEditPenalite>([&](frmEditPenalite* e) {
            EXPECT_EQ(e->windowTitle(), QStringLiteral("Ajouter une pénalité"));
            EXPECT_EQ(e->lblEquipe->text(), QStringLiteral("LENS"));
            // Digits past the range stay as typed and are refused on saving, the range named.
            type(e->spnPoints, QStringLiteral("300"));
            EXPECT_EQ(e->spnPoints->text(), QStringLiteral("300"));
            QTest::keyClick(e->spnPoints, Qt::Key_Return);
            type(e->spnPoints, QStringLiteral("3"));
            type(e->spnJournee, QStringLiteral("99"));
            QTest::keyClick(e->spnJournee, Qt::Key_Return);
            EXPECT_EQ(e->focusWidget(), e->spnJournee);
            QTest::keyClick(e->spnJournee, Qt::Key_Up); // the arrows stay in range
            EXPECT_EQ(e->spnJournee->value(), 6);
            type(e->spnJournee, QStringLiteral("2"));
            QTest::keyClick(e->spnJournee, Qt::Key_Return);
            EXPECT_EQ(texts(),
                      (QStringList{QStringLiteral("Le nombre de points retirés doit être un nombre "
                                                  "entier compris entre 1 et 255."),
                                   QStringLiteral("La journée doit être un nombre compris entre 1 "
                                                  "et 6."),
                                   QStringLiteral("Indiquez le motif de la pénalité.")}));
            EXPECT_TRUE(e->isVisible());
            EXPECT_EQ(e->focusWidget(), e->txtMotif);
            bool exists = true;
            EXPECT_TRUE(
                store::hasPenaltyTable(store::CurrentCompetition::get()->db(), exists).ok());
            EXPECT_FALSE(exists);
            QTest::keyClicks(e->txtMotif, QStringLiteral("Sanction de la DNCG"));
            QTest::keyClick(e->txtMotif, Qt::Key_Return);
        });
        QTest::mouseClick(d->cmdAjouter, Qt::LeftButton);
        ASSERT_EQ(stored().size(), 1u);
        EXPECT_EQ(d->lblTotal->text(), QStringLiteral("Total retiré : 3 points"));
        const testsupport::AccessibleTable table =
            testsupport::readAccessibleTable(d->lstPenalites);
        EXPECT_EQ(table.headers, (QStringList{QStringLiteral("Journée"), QStringLiteral("Points"),
                                              QStringLiteral("Motif")}));
        ASSERT_EQ(table.rows.size(), 1u);
        EXPECT_EQ(table.rows[0], (QStringList{QStringLiteral("2"), QStringLiteral("3"),
                                              QStringLiteral("Sanction de la DNCG")}));
        EXPECT_TRUE(table.selected[0]);
        EXPECT_TRUE(d->cmdModifier->isEnabled());

        // Modified with Enter on the selected row.
        testsupport::onNextModal<frmEditPenalite>([](frmEditPenalite* e) {
            EXPECT_EQ(e->windowTitle(), QStringLiteral("Modifier une pénalité"));
            EXPECT_EQ(e->txtMotif->text(), QStringLiteral("Sanction de la DNCG"));
            type(e->spnPoints, QStringLiteral("1"));
            QTest::mouseClick(e->cmdSave, Qt::LeftButton);
        });
        d->lstPenalites->setFocus();
        QTest::keyClick(d->lstPenalites, Qt::Key_Return);
        ASSERT_EQ(stored().size(), 1u);
        EXPECT_EQ(stored()[0].points, 1);
        EXPECT_EQ(d->lblTotal->text(), QStringLiteral("Total retiré : 1 point"));

        // Cancelled: nothing changes.
        testsupport::onNextModal<frmEditPenalite>([](frmEditPenalite* e) {
            type(e->spnPoints, QStringLiteral("9"));
            QTest::keyClick(e->spnPoints, Qt::Key_Escape);
        });
        d->cmdModifier->click();
        EXPECT_EQ(stored()[0].points, 1);

        // Deleted with the Delete key, once confirmed.
        MessageBox::clearShown();
        MessageBox::setNextAnswer(false);
        QTest::keyClick(d->lstPenalites, Qt::Key_Delete);
        ASSERT_EQ(MessageBox::shown().size(), 1);
        EXPECT_EQ(MessageBox::shown()[0].icon, MessageBox::Question);
        EXPECT_EQ(MessageBox::shown()[0].text,
                  QStringLiteral("Supprimer la pénalité de 1 point de la journée 2 (« Sanction de "
                                 "la DNCG ») ?"));
        EXPECT_EQ(stored().size(), 1u);
        MessageBox::setNextAnswer(true);
        QTest::keyClick(d->lstPenalites, Qt::Key_Delete);
        EXPECT_TRUE(stored().empty());
        EXPECT_EQ(d->model()->rowCount(), 0);
        EXPECT_FALSE(d->cmdSupprimer->isEnabled());
        d->cmdFermer->click();
    });
    QTest::keyClick(&main, Qt::Key_P, Qt::AltModifier);
    EXPECT_TRUE(ran);
    // The team is shown again, its closed summary still closed.
    EXPECT_EQ(w->panel()->lblEquipe->text(), QStringLiteral("LENS"));
    EXPECT_TRUE(w->panel()->zelfraResume->isHidden());
}

TEST_F(PenaltiesDialogTest, ATeamGoneMeanwhileIsRefusedAndNothingIsWritten)
{
    showTeam(QStringLiteral("METZ"));
    testsupport::onNextModal<frmPenalites>([&](frmPenalites* d) {
        testsupport::onNextModal<frmEditPenalite>([&](frmEditPenalite* e) {
            // Another program removes the team while the dialog is open.
            auto other = testsupport::openFile(path);
            ASSERT_TRUE(other->run(QStringLiteral("DELETE FROM Equipes WHERE Nom = 'METZ'")).ok());
            other.reset();
            e->txtMotif->setText(QStringLiteral("Forfait"));
            e->cmdSave->click();
            EXPECT_EQ(texts(), QStringList{QStringLiteral(
                                   "L'équipe « METZ » n'existe pas dans cette compétition.")});
            EXPECT_TRUE(e->isVisible());
            e->cmdCancel->click();
        });
        d->cmdAjouter->click();
        EXPECT_EQ(d->model()->rowCount(), 0);
        d->cmdFermer->click();
    });
    w->cmdPenalites_Click();
    auto db = testsupport::openFile(path);
    bool exists = true;
    ASSERT_TRUE(store::hasPenaltyTable(*db, exists).ok());
    EXPECT_FALSE(exists);
}

} // namespace
