#include "bets/BetInput.h"
#include "bets/frmEditPari.h"
#include "bets/frmParis.h"
#include "controls/Hover5Control.h"
#include "controls/MessageBox.h"
#include "controls/zelOwnerLBox3.h"
#include "shell/AppHost.h"
#include "shell/CompetitionCommands.h"
#include "shell/Registration.h"
#include "shell/WorkingWindow.h"
#include "shell/frmMain.h"
#include "store/Competition.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QTest>
#include <functional>
#include <gtest/gtest.h>

namespace {

// What one bet looks like in the file.
struct Stored
{
    QString date;
    QString description;
    qint64 pari;
    qint64 gain;
    int statut;
};

class BetsTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_previousLocale = QLocale();
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
        path = dir.file(QStringLiteral("ligue.dat"));
        testsupport::makeCompetition(path, QStringList{QStringLiteral("A"), QStringLiteral("B")});
        ASSERT_TRUE(Utilities::OpenCompetition(path));
    }
    void TearDown() override
    {
        for (int item = 1; item <= 4; ++item)
            AppHost::registerWindow(item, {});
        AppHost::setWizardFactory({});
        QLocale::setDefault(m_previousLocale);
    }

    store::Database& db() { return store::CurrentCompetition::get()->db(); }

    void addBet(const QString& isoDate, const QString& description, qint64 pari, qint64 gain,
                int statut)
    {
        const store::DbError e =
            db().addRow(QStringLiteral("Paris"), {{QStringLiteral("Date"), isoDate},
                                                  {QStringLiteral("Description"), description},
                                                  {QStringLiteral("Pari"), pari},
                                                  {QStringLiteral("Gain"), gain},
                                                  {QStringLiteral("Statut"), statut}});
        ASSERT_TRUE(e.ok()) << e.message.toStdString();
    }

    std::vector<Stored> stored()
    {
        std::vector<Stored> rows;
        EXPECT_TRUE(db().forEach(QStringLiteral("SELECT \"Date\", Description, Pari, Gain, "
                                                "Statut FROM Paris ORDER BY rowid"),
                                 {},
                                 [&](const store::RowReader& r) {
                                     rows.push_back({r.text(0), r.text(1), r.integer(2),
                                                     r.integer(3), int(r.integer(4))});
                                 })
                        .ok());
        return rows;
    }

    static QStringList totals(const frmParis& w)
    {
        QStringList texts;
        for (const char* name : {"lblParis", "lblGains", "lblRésultat"})
            texts << w.findChild<QLabel*>(QString::fromUtf8(name))->text();
        return texts;
    }

    // Runs action, which shows the bet dialog modally, and hands the dialog to script while
    // it is up. A dialog that script leaves open is cancelled so that the test goes on.
    static void withDialog(const std::function<void()>& action,
                           const std::function<void(frmEditPari&)>& script)
    {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<frmEditPari*>(QApplication::activeModalWidget());
            if (dialog) {
                seen = true;
                script(*dialog);
            }
            if (QWidget* modal = QApplication::activeModalWidget())
                modal->close();
        });
        action();
        EXPECT_TRUE(seen) << "no bet dialog was shown";
    }

    // Fills a new bet's boxes; an empty gain leaves the box empty.
    static void fill(frmEditPari& d, const QString& date, const QString& description,
                     const QString& mise, int statut, const QString& gain = {})
    {
        d.txtDate->setText(date);
        d.txtDescription->setPlainText(description);
        d.txtMise->setText(mise);
        d.lstStatut->setCurrentRow(statut);
        d.txtGain->setText(gain);
    }

    static void save(frmEditPari& d) { QTest::mouseClick(d.cmdSave, Qt::LeftButton); }

    // The message of a refused save, and that the dialog stayed open on the right box.
    static void expectRefused(frmEditPari& d, const QString& message, QWidget* focus)
    {
        MessageBox::clearShown();
        save(d);
        ASSERT_EQ(MessageBox::shown().size(), 1);
        EXPECT_EQ(MessageBox::shown().first().icon, MessageBox::Information);
        EXPECT_EQ(MessageBox::shown().first().text, message);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(d.focusWidget(), focus) << message.toStdString();
    }

    testsupport::TempDir dir;
    QString path;

private:
    QLocale m_previousLocale;
};

TEST_F(BetsTest, TotalsCountOnlySettledBets)
{
    addBet(QStringLiteral("2024-01-05"), QStringLiteral("Nul à Lens"), 80000, 0, 0);
    addBet(QStringLiteral("2024-01-06"), QStringLiteral("Lille gagne"), 30000, 0, 0);
    frmParis w;
    EXPECT_EQ(w.zelLBParis->ItemCount(), 2);
    EXPECT_EQ(w.zelLBParis->ListIndex(), 0);
    EXPECT_TRUE(w.cmdEdit[1]->isEnabled());
    EXPECT_TRUE(w.cmdDelete->isEnabled());
    EXPECT_EQ(totals(w), (QStringList{"", "", ""})) << "pending bets settle nothing";

    addBet(QStringLiteral("2024-01-07"), QStringLiteral("Perdu"), 50000, 0, 2);
    w.ActualiseParis();
    EXPECT_EQ(totals(w),
              (QStringList{"Total des mises: 5,00", "Total des gains: 0,00", "Résultat: -5,00"}));

    addBet(QStringLiteral("2024-01-08"), QStringLiteral("Gagné"), 100000, 250000, 1);
    w.ActualiseParis();
    const QStringList settled{"Total des mises: 15,00", "Total des gains: 25,00",
                              "Résultat: 10,00"};
    EXPECT_EQ(totals(w), settled);
    // A pending bet, even one with a gain in the file, changes none of them.
    addBet(QStringLiteral("2024-01-09"), QStringLiteral("En cours"), 70000, 990000, 0);
    w.ActualiseParis();
    EXPECT_EQ(totals(w), settled);
    EXPECT_EQ(w.zelLBParis->ItemCount(), 5);
}

TEST_F(BetsTest, TotalsOfHugeStakesDoNotOverflow)
{
    const qint64 max = std::numeric_limits<qint64>::max();
    addBet(QStringLiteral("2024-01-05"), QStringLiteral("a"), max, 0, 2);
    addBet(QStringLiteral("2024-01-06"), QStringLiteral("b"), max, 0, 2);
    frmParis w;
    EXPECT_EQ(totals(w), (QStringList{"Total des mises: 1844674407370955,16",
                                      "Total des gains: 0,00", "Résultat: -1844674407370955,16"}));
}

// Only a won bet keeps its gain; a won bet needs one, and zero is one.
TEST_F(BetsTest, OnlyAWonBetKeepsItsGainAndItNeedsOne)
{
    frmParis w;
    withDialog([&] { w.cmdEdit_Click(0); },
               [&](frmEditPari& d) {
                   fill(d, QStringLiteral("05/01/2024"), QStringLiteral("Perdu"),
                        QStringLiteral("5"), 2, QStringLiteral("30"));
                   save(d);
               });
    withDialog([&] { w.cmdEdit_Click(0); },
               [&](frmEditPari& d) {
                   fill(d, QStringLiteral("06/01/2024"), QStringLiteral("En cours"),
                        QStringLiteral("4"), 0, QStringLiteral("12"));
                   save(d);
               });
    withDialog([&] { w.cmdEdit_Click(0); },
               [&](frmEditPari& d) {
                   fill(d, QStringLiteral("07/01/2024"), QStringLiteral("Gagné sans gain"),
                        QStringLiteral("10"), 1);
                   expectRefused(d, QStringLiteral("Pari gagné, indiquer un gain."), d.txtGain);
                   EXPECT_EQ(stored().size(), 2u);
                   d.txtGain->setText(QStringLiteral("0"));
                   save(d);
                   EXPECT_FALSE(d.isVisible());
               });
    const std::vector<Stored> rows = stored();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].statut, 2);
    EXPECT_EQ(rows[0].gain, 0);
    EXPECT_EQ(rows[1].statut, 0);
    EXPECT_EQ(rows[1].gain, 0);
    EXPECT_EQ(rows[1].pari, 40000);
    EXPECT_EQ(rows[2].statut, 1);
    EXPECT_EQ(rows[2].gain, 0);
    EXPECT_EQ(totals(w),
              (QStringList{"Total des mises: 15,00", "Total des gains: 0,00", "Résultat: -15,00"}));
}

TEST_F(BetsTest, ChecksRunInOrderAndWriteNothing)
{
    frmParis w;
    withDialog([&] { w.cmdEdit_Click(0); },
               [&](frmEditPari& d) {
                   EXPECT_EQ(d.windowTitle(), QStringLiteral("Paris - Création"));
                   EXPECT_EQ(d.txtDate->text(), QDate::currentDate().toString("dd/MM/yyyy"));
                   EXPECT_EQ(d.lstStatut->currentItem()->text(), QStringLiteral("En cours"));
                   d.txtDate->clear();
                   expectRefused(d, QStringLiteral("Saisir une date."), d.txtDate);
                   d.txtDate->setText(QStringLiteral("31/02/2024"));
                   expectRefused(d, QStringLiteral("Saisir une date."), d.txtDate);
                   d.txtDate->setText(QStringLiteral("29/02/2024"));
                   expectRefused(d, QStringLiteral("Saisir une description."), d.txtDescription);
                   d.txtDescription->setPlainText(QStringLiteral("Bissextile"));
                   expectRefused(d, QStringLiteral("Saisir une mise."), d.txtMise);
                   d.txtMise->setText(QStringLiteral("3"));
                   d.lstStatut->clearSelection();
                   expectRefused(d, QStringLiteral("Indiquer un statut."), d.lstStatut);
                   EXPECT_TRUE(stored().empty());
                   d.lstStatut->setCurrentRow(0);
                   save(d);
               });
    const std::vector<Stored> rows = stored();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].date, QStringLiteral("2024-02-29"));
    EXPECT_EQ(rows[0].pari, 30000);
}

TEST_F(BetsTest, AmountsAreReadExactlyOrRefused)
{
    frmParis w;
    withDialog(
        [&] { w.cmdEdit_Click(0); },
        [&](frmEditPari& d) {
            fill(d, QStringLiteral("05/01/2024"), QStringLiteral("Montants"), {}, 1);
            // Typing keeps digits and the comma only.
            QTest::keyClicks(d.txtMise, QStringLiteral("1a2.,5 0-"));
            EXPECT_EQ(d.txtMise->text(), QStringLiteral("12,50"));
            QTest::keyClick(d.txtMise, Qt::Key_Backspace);
            EXPECT_EQ(d.txtMise->text(), QStringLiteral("12,5"));
            // Pasted or doubled separators are caught on saving.
            const QString notAmount = QStringLiteral("La mise n'est pas un montant valide.");
            for (const char* text : {"1,2,3", ",", "12abc", "1.000,5"}) {
                d.txtMise->setText(QString::fromLatin1(text));
                expectRefused(d, notAmount, d.txtMise);
            }
            d.txtMise->setText(QStringLiteral("1,23456"));
            expectRefused(d, QStringLiteral("La mise ne peut avoir plus de quatre décimales."),
                          d.txtMise);
            d.txtMise->setText(QStringLiteral("922337203685477,5808"));
            expectRefused(d, QStringLiteral("La mise est trop élevée."), d.txtMise);
            d.txtMise->setText(QStringLiteral("12,5"));
            d.txtGain->setText(QStringLiteral(",,"));
            expectRefused(d, QStringLiteral("Le gain n'est pas un montant valide."), d.txtGain);
            EXPECT_TRUE(stored().empty());
            d.txtGain->setText(QStringLiteral("0,0001"));
            save(d);
        });
    const std::vector<Stored> rows = stored();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].pari, 125000);
    EXPECT_EQ(rows[0].gain, 1);

    qint64 scaled = 0;
    EXPECT_EQ(BetInput::parseAmount(QStringLiteral("922337203685477,5807"), scaled),
              BetInput::AmountError::None);
    EXPECT_EQ(scaled, std::numeric_limits<qint64>::max());
    EXPECT_EQ(BetInput::parseAmount(QStringLiteral("0,50000"), scaled),
              BetInput::AmountError::None);
    EXPECT_EQ(scaled, 5000);
    EXPECT_EQ(BetInput::parseAmount(QStringLiteral("٣"), scaled),
              BetInput::AmountError::NotANumber);
}

TEST_F(BetsTest, DatesAreNormalisedOnLeavingAndStoredAsIso)
{
    addBet(QStringLiteral("2024-01-05"), QStringLiteral("Janvier"), 10000, 0, 0);
    addBet(QStringLiteral("2023-12-31"), QStringLiteral("Réveillon"), 10000, 0, 0);
    frmParis w;
    // Day first in the file would put 31/12/2023 before 05/01/2024.
    ASSERT_EQ(w.bets().size(), 2u);
    EXPECT_EQ(w.bets()[0].description, QStringLiteral("Janvier"));

    withDialog([&] { w.cmdEdit_Click(0); },
               [&](frmEditPari& d) {
                   d.activateWindow();
                   ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
                   d.txtDate->setFocus();
                   EXPECT_EQ(d.txtDate->selectedText(), d.txtDate->text());
                   d.txtDate->setText(QStringLiteral("5/1/2024"));
                   QTest::keyClick(d.txtDate, Qt::Key_Tab);
                   EXPECT_EQ(QApplication::focusWidget(), d.txtDescription);
                   EXPECT_EQ(d.txtDate->text(), QStringLiteral("05/01/2024"));

                   d.txtDate->setFocus();
                   d.txtDate->setText(QStringLiteral("31/02/2024"));
                   d.txtDescription->setFocus();
                   EXPECT_EQ(d.txtDate->text(), QStringLiteral("31/02/2024")) << "left as typed";

                   d.txtDate->setFocus();
                   d.txtDate->setText(QStringLiteral("10-2-24"));
                   d.txtMise->setText(QStringLiteral("7"));
                   d.txtMise->setFocus();
                   EXPECT_EQ(d.txtDate->text(), QStringLiteral("10/02/2024"));
                   EXPECT_EQ(d.txtMise->selectedText(), QStringLiteral("7"));
                   d.txtDescription->setPlainText(QStringLiteral("Février"));
                   save(d);
               });
    // The newest bet comes first and is the selected row.
    ASSERT_EQ(w.bets().size(), 3u);
    EXPECT_EQ(w.bets()[0].description, QStringLiteral("Février"));
    EXPECT_EQ(w.zelLBParis->ListIndex(), 0);
    EXPECT_EQ(stored().back().date, QStringLiteral("2024-02-10"));
}

TEST_F(BetsTest, ModifyingEditsTheSelectedBetInPlace)
{
    addBet(QStringLiteral("2024-01-05"), QStringLiteral("Ancien"), 125000, 0, 0);
    addBet(QStringLiteral("2024-03-01"), QStringLiteral("Récent"), 20000, 0, 0);
    frmParis w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    w.zelLBParis->setSelected(1, true);
    const QRect row = w.zelLBParis->hwnd()->rowRect(1);
    withDialog(
        [&] {
            QTest::mouseDClick(w.zelLBParis->hwnd()->viewport(), Qt::LeftButton, {}, row.center());
        },
        [&](frmEditPari& d) {
            EXPECT_EQ(d.windowTitle(), QStringLiteral("Paris - Edition"));
            EXPECT_EQ(d.txtDate->text(), QStringLiteral("05/01/2024"));
            EXPECT_EQ(d.txtDescription->toPlainText(), QStringLiteral("Ancien"));
            EXPECT_EQ(d.txtMise->text(), QStringLiteral("12,5"));
            EXPECT_EQ(d.lstStatut->currentRow(), 0);
            EXPECT_EQ(d.txtGain->text(), QStringLiteral("0"));
            d.lstStatut->setCurrentRow(1);
            d.txtGain->setText(QStringLiteral("30,25"));
            save(d);
        });
    const std::vector<Stored> rows = stored();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].description, QStringLiteral("Ancien"));
    EXPECT_EQ(rows[0].statut, 1);
    EXPECT_EQ(rows[0].gain, 302500);
    EXPECT_EQ(rows[1].statut, 0);
    EXPECT_EQ(w.zelLBParis->ListIndex(), 0);
    EXPECT_EQ(totals(w),
              (QStringList{"Total des mises: 12,50", "Total des gains: 30,25", "Résultat: 17,75"}));

    // Cancelling changes nothing.
    withDialog([&] { w.cmdEdit_Click(1); },
               [&](frmEditPari& d) {
                   d.txtDescription->setPlainText(QStringLiteral("Autre"));
                   QTest::mouseClick(d.cmdCancel, Qt::LeftButton);
               });
    EXPECT_EQ(stored()[1].description, QStringLiteral("Récent"));
}

TEST_F(BetsTest, DescriptionsStopAt250Characters)
{
    frmParis w;
    withDialog([&] { w.cmdEdit_Click(0); },
               [&](frmEditPari& d) {
                   d.txtDescription->setPlainText(QString(240, u'a'));
                   QTextCursor end = d.txtDescription->textCursor();
                   end.movePosition(QTextCursor::End);
                   d.txtDescription->setTextCursor(end);
                   d.txtDescription->insertPlainText(QString(20, u'b'));
                   EXPECT_EQ(d.txtDescription->toPlainText(),
                             QString(240, u'a') + QString(10, u'b'));
                   d.txtMise->setText(QStringLiteral("1"));
                   save(d);
               });
    ASSERT_EQ(stored().size(), 1u);
    EXPECT_EQ(stored()[0].description.size(), 250);
}

TEST_F(BetsTest, DeletingAsksWithTheStakeInTwoDecimals)
{
    addBet(QStringLiteral("2024-01-05"), QStringLiteral("Douze cinquante"), 125000, 0, 2);
    frmParis w;
    MessageBox::setNextAnswer(false);
    w.cmdDelete_Click();
    ASSERT_EQ(MessageBox::shown().size(), 1);
    EXPECT_EQ(MessageBox::shown().first().icon, MessageBox::Question);
    EXPECT_EQ(MessageBox::shown().first().text,
              QStringLiteral("Supprimer ce pari de 12,50 du 05/01/2024 ?"));
    EXPECT_EQ(stored().size(), 1u);

    MessageBox::setNextAnswer(true);
    w.cmdDelete_Click();
    EXPECT_TRUE(stored().empty());
    EXPECT_EQ(w.zelLBParis->ItemCount(), 0);
    EXPECT_FALSE(w.cmdEdit[1]->isEnabled());
    EXPECT_FALSE(w.cmdDelete->isEnabled());
    EXPECT_EQ(totals(w), (QStringList{"", "", ""}));
}

TEST_F(BetsTest, TheBetsWindowClosesWithItsButtonAndWithItsCompetition)
{
    Windows::registerAll();
    frmMain main;
    main.show();
    ASSERT_TRUE(Utilities::OpenCompetition(path));
    main.tbSection_ItemClick(1, 4);
    QWidget* bets = main.betsWindow();
    ASSERT_TRUE(qobject_cast<frmParis*>(bets));
    QTest::mouseClick(bets->findChild<QPushButton*>(QStringLiteral("cmdClose")), Qt::LeftButton);
    QTRY_VERIFY(!main.betsWindow());

    main.tbSection_ItemClick(1, 4);
    ASSERT_TRUE(main.betsWindow());
    ASSERT_TRUE(Utilities::OpenCompetition(path));
    EXPECT_FALSE(main.betsWindow()) << "opening a competition closes the bets window";
}

} // namespace
