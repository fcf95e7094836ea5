// "Fichier > Propriétés de la compétition…": the values are checked as in the wizard, written
// together, and the working window shows the competition with its new points.
#include "controls/MessageBox.h"
#include "controls/cOpenSaveFile.h"
#include "shell/CompetitionCommands.h"
#include "shell/Registration.h"
#include "shell/frmMain.h"
#include "shell/frmProprietes.h"
#include "store/CompetitionFile.h"
#include "store/CompetitionSettings.h"
#include "store/Zones.h"
#include "support/FaultyDisk.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QtTest/QTest>
#include <gtest/gtest.h>

using testsupport::TempDir;

namespace {

class PropertiesDialogTest : public testing::Test
{
protected:
    void SetUp() override
    {
        Windows::registerAll();
        path = dir.file(QStringLiteral("ligue.dat"));
        testsupport::makeCompetition(path,
                                     QStringList{QStringLiteral("ARRAS"), QStringLiteral("LENS")});
        auto db = testsupport::openFile(path);
        ASSERT_TRUE(store::writeProperty(*db, QStringLiteral("Championnat"),
                                         QStringLiteral("Ligue des amis"))
                        .ok());
        main.show();
    }
    store::CompetitionSettings settings()
    {
        auto db = testsupport::openFile(path);
        store::CompetitionSettings s;
        EXPECT_TRUE(store::readCompetitionSettings(*db, s).ok());
        return s;
    }

    TempDir dir;
    QString path;
    frmMain main;
};

TEST_F(PropertiesDialogTest, RefusedValuesLeaveTheFileAsItWasAndGoodOnesAreWrittenTogether)
{
    EXPECT_FALSE(main.mnuFichier[2]->isEnabled()); // no competition open
    EXPECT_EQ(main.mnuFichier[2]->text(), QStringLiteral("P&ropriétés de la compétition…"));
    ASSERT_TRUE(Utilities::OpenCompetition(path));
    WorkingWindow* before = main.currentWorkingWindow();
    ASSERT_TRUE(before);
    ASSERT_TRUE(before->mnuFichier[2]->isEnabled());
    const QString content = testsupport::dumpContent(path);

    bool ran = false;
    testsupport::onNextModal<frmProprietes>([&](frmProprietes* d) {
        ran = true;
        QApplication::setActiveWindow(d);
        ASSERT_TRUE(QTest::qWaitForWindowActive(d));
        EXPECT_EQ(d->txtCompet->text(), QStringLiteral("Ligue des amis"));
        EXPECT_EQ(d->txtPts[0]->text(), QStringLiteral("3"));
        EXPECT_EQ(d->cboDepartage->currentText(), QStringLiteral("Buts")); // no property yet
        // Each label leads to its box.
        for (QLabel* label : d->findChildren<QLabel*>())
            EXPECT_TRUE(label->buddy()) << label->text().toStdString();

        d->txtPts[0]->setText(QStringLiteral("256"));
        d->cmdSave->click();
        d->txtPts[0]->setText(QStringLiteral("2"));
        d->txtSaison->setText(QStringLiteral("   "));
        d->cmdSave->click();
        EXPECT_EQ(QApplication::focusWidget(), d->txtSaison);
        EXPECT_TRUE(d->isVisible());
        ASSERT_EQ(MessageBox::shown().size(), 2);
        EXPECT_EQ(MessageBox::shown()[0].text,
                  QStringLiteral("Indiquez pour les points en cas de victoire un nombre compris "
                                 "entre 0 et 255."));
        EXPECT_EQ(MessageBox::shown()[1].text, QStringLiteral("Précisez la saison concernée."));
        EXPECT_EQ(testsupport::dumpContent(path), content);

        // Chosen by keyboard: the tie-break from its label's access key.
        d->txtSaison->setText(QStringLiteral("2025-2026"));
        QTest::keyClick(d, Qt::Key_P, Qt::AltModifier);
        EXPECT_EQ(QApplication::focusWidget(), d->cboDepartage);
        QTest::keyClick(d->cboDepartage, Qt::Key_Down);
        EXPECT_EQ(d->cboDepartage->currentText(), QStringLiteral("Confrontations"));
        QTest::keyClick(d->txtCompet, Qt::Key_Return);
    });
    main.mnuFichier[2]->trigger();
    ASSERT_TRUE(ran);

    const store::CompetitionSettings s = settings();
    EXPECT_EQ(s.name, QStringLiteral("Ligue des amis"));
    EXPECT_EQ(s.season, QStringLiteral("2025-2026"));
    EXPECT_EQ(s.win, 2);
    EXPECT_EQ(int(s.tieBreak), int(store::TieBreak::HeadToHead));
    // The open competition counts with them, in a working window made afresh.
    store::Competition* c = store::CurrentCompetition::get();
    EXPECT_EQ(c->ptsWinner(), 2);
    EXPECT_EQ(int(c->tieBreak()), int(store::TieBreak::HeadToHead));
    EXPECT_NE(main.currentWorkingWindow(), before);
    EXPECT_EQ(main.currentWorkingWindow()->formName(), QStringLiteral("frmMDIEquipes"));
}

TEST_F(PropertiesDialogTest, AFileLockedByAnotherProgramIsToldAndLeftAsItWas)
{
    ASSERT_TRUE(Utilities::OpenCompetition(path));
    const QString content = testsupport::dumpContent(path);
    auto other = testsupport::openFile(path);
    ASSERT_TRUE(other->exec(QStringLiteral("BEGIN IMMEDIATE")).ok());
    testsupport::onNextModal<frmProprietes>([](frmProprietes* d) {
        d->txtPts[2]->setText(QStringLiteral("0"));
        d->cmdSave->click();
        ASSERT_EQ(MessageBox::shown().size(), 1);
        EXPECT_EQ(MessageBox::shown()[0].icon, MessageBox::Critical);
        EXPECT_TRUE(MessageBox::shown()[0].text.contains(QStringLiteral("verrouillé")))
            << MessageBox::shown()[0].text.toStdString();
        EXPECT_TRUE(d->isVisible());
        d->cmdCancel->click();
    });
    main.editProperties();
    ASSERT_TRUE(other->exec(QStringLiteral("ROLLBACK")).ok());
    other.reset();
    EXPECT_EQ(testsupport::dumpContent(path), content);
    EXPECT_EQ(store::CurrentCompetition::get()->ptsEquality(), 1);
}

TEST_F(PropertiesDialogTest, OnlyWhatTheUserChangedIsWritten)
{
    ASSERT_TRUE(Utilities::OpenCompetition(path));
    testsupport::onNextModal<frmProprietes>([this](frmProprietes* d) {
        // Another program renames the competition while the dialog is open.
        {
            auto other = testsupport::openFile(path);
            ASSERT_TRUE(store::writeProperty(*other, QStringLiteral("Championnat"),
                                             QStringLiteral("Coupe du soir"))
                            .ok());
        }
        d->txtPts[0]->setText(QStringLiteral("2"));
        d->cmdSave->click();
    });
    main.editProperties();
    const store::CompetitionSettings s = settings();
    EXPECT_EQ(s.name, QStringLiteral("Coupe du soir"));
    EXPECT_EQ(s.win, 2);
    EXPECT_EQ(store::CurrentCompetition::get()->ptsWinner(), 2);
}

TEST_F(PropertiesDialogTest, ZonesAndThePreviousSeasonAreCheckedThenKept)
{
    const QString previous = dir.file(QStringLiteral("saison-1.dat"));
    testsupport::makeCompetition(previous, QStringList{QStringLiteral("ARRAS")});
    ASSERT_TRUE(Utilities::OpenCompetition(path));
    const QString content = testsupport::dumpContent(path);
    testsupport::onNextModal<frmProprietes>([&](frmProprietes* d) {
        QApplication::setActiveWindow(d);
        ASSERT_TRUE(QTest::qWaitForWindowActive(d));
        const auto set = [d](int row, const QString& places, const QString& label) {
            d->zones->setData(d->zones->index(row, 0), places);
            d->zones->setData(d->zones->index(row, 1), label);
        };
        d->cmdAddZone->click();
        d->cmdAddZone->click();
        set(0, QStringLiteral("1"), QStringLiteral("Champion"));
        set(1, QStringLiteral("1-2"), QStringLiteral("Tout"));
        d->cmdSave->click();
        set(1, QStringLiteral("2"), QStringLiteral("Relégation"));
        d->txtPrecedente->setText(dir.file(QStringLiteral("absente.dat")));
        d->cmdSave->click();
        ASSERT_EQ(MessageBox::shown().size(), 2);
        EXPECT_EQ(MessageBox::shown()[0].text,
                  QStringLiteral("Les zones « Champion » et « Tout » se chevauchent."));
        EXPECT_TRUE(MessageBox::shown()[1].text.contains(QStringLiteral("introuvable")));
        EXPECT_EQ(QApplication::focusWidget(), d->txtPrecedente);
        EXPECT_EQ(testsupport::dumpContent(path), content);

        cOpenSaveFile::setNextFileName(previous);
        d->cmdParcourir->click();
        EXPECT_EQ(d->txtPrecedente->text(), previous);
        d->cmdSave->click();
    });
    main.editProperties();
    auto db = testsupport::openFile(path);
    std::vector<store::Zone> zones;
    ASSERT_TRUE(store::readZones(*db, 2, zones).ok());
    EXPECT_EQ(store::zonesText(zones), QStringLiteral("1:Champion;2:Relégation"));
    // Kept beside the competition, as a name relative to its folder.
    QVariant stored;
    ASSERT_TRUE(store::readProperty(*db, QStringLiteral("Saison précédente"), stored).ok());
    EXPECT_EQ(stored.toString(), QStringLiteral("saison-1.dat"));
}

} // namespace
