#include "controls/MessageBox.h"
#include "controls/cOpenSaveFile.h"
#include "shell/AppHost.h"
#include "shell/CompetitionCommands.h"
#include "shell/Registration.h"
#include "shell/frmMain.h"
#include "store/Competition.h"
#include "store/CompetitionFile.h"
#include "store/SeasonSource.h"
#include "support/TestSupport.h"
#include "teams/TeamPictures.h"
#include "teams/frmEditEquipe.h"
#include "teams/frmImportEquipes.h"
#include "teams/frmNouveau.h"

#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScopeGuard>
#include <QtTest/QTest>
#include <gtest/gtest.h>

using testsupport::TempDir;

namespace {

// A season as the open football data publish it: matchday 1 played, matchday 2 to play.
const char kSeason[] = R"({"name": "Ligue Test 2025/26", "matches": [
    {"round": "Journée 1", "date": "2025-08-16", "team1": "Lens", "team2": "Brest",
     "score": {"ft": [2, 1]}},
    {"round": "Journée 1", "date": "2025-08-16", "team1": "Metz", "team2": "Nice",
     "score": {"ft": [0, 0]}},
    {"round": "Journée 2", "date": "2025-08-23", "team1": "Brest", "team2": "Metz"},
    {"round": "Journée 2", "date": "2025-08-23", "team1": "Nice", "team2": "Lens"}]})";

// The rows of a query on a competition file, each as "cell|cell|…".
QStringList rowsOf(store::Database& db, const char* sql)
{
    store::Snapshot s;
    EXPECT_TRUE(db.query(QString::fromUtf8(sql), {}, s).ok()) << sql;
    QStringList out;
    for (const auto& row : s.rows) {
        QStringList cells;
        for (const QVariant& cell : row)
            cells << cell.toString();
        out << cells.join(QLatin1Char('|'));
    }
    return out;
}

const char kResults[] = "SELECT \"Journée\", Domicile, ScoreDomicile, Visiteur, ScoreVisiteur "
                        "FROM \"Résultats\" ORDER BY rowid";
const char kFixtures[] = "SELECT \"Journée\", Domicile, Visiteur FROM Calendrier ORDER BY "
                         "\"Journée\", Domicile";

class WizardTest : public testing::Test
{
protected:
    void SetUp() override
    {
        working = dir.file(QStringLiteral("vemo-work.tmp"));
        ASSERT_TRUE(store::createCompetitionFile(working).ok());
        wizard.GetDatabase(working);
        wizard.show();
        QApplication::setActiveWindow(&wizard);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&wizard));
    }
    // Adds a team through the team dialog, typed as given.
    void add(const QString& typed, const QString& crest = {})
    {
        testsupport::onNextModal<frmEditEquipe>([typed, crest](frmEditEquipe* d) {
            d->txtNom->setText(typed);
            if (!crest.isEmpty()) {
                cOpenSaveFile::setNextFileName(crest);
                d->cmdImage[0]->click();
            }
            d->cmdSave->click();
        });
        wizard.cmdListe[0]->click();
    }
    QStringList listed() const
    {
        QStringList out;
        for (int i = 0; i < wizard.lstEquipes->count(); ++i)
            out << wizard.lstEquipes->item(i)->text();
        return out;
    }
    store::Snapshot teams()
    {
        auto db = testsupport::openFile(working);
        store::Snapshot s;
        EXPECT_TRUE(
            db->query(QStringLiteral("SELECT Nom, Blason, Icone FROM Equipes ORDER BY rowid"), {},
                      s)
                .ok());
        return s;
    }
    QVariant property(const char* name)
    {
        auto db = testsupport::openFile(working);
        QVariant v;
        EXPECT_TRUE(store::readProperty(*db, QString::fromLatin1(name), v).ok());
        return v;
    }
    QString texts() const
    {
        QStringList all;
        for (const auto& m : MessageBox::shown())
            all << m.text;
        return all.join(QLatin1Char('|'));
    }
    TempDir dir;
    QString working;
    frmNouveau wizard;
};

TEST_F(WizardTest, TypedNamesAreTrimmedAndUpperCaseAndGetTheGenericPictures)
{
    add(QStringLiteral("  racing club de lens "));
    EXPECT_EQ(listed(), QStringList{"RACING CLUB DE LENS"});
    EXPECT_EQ(wizard.lblNbreEquipes->text(), QStringLiteral("Nombre d'équipes: 1"));
    EXPECT_TRUE(wizard.cmdListe[1]->isEnabled());
    const store::Snapshot s = teams();
    ASSERT_EQ(s.rowCount(), 1);
    EXPECT_EQ(s.value(0, 0).toString(), QStringLiteral("RACING CLUB DE LENS"));
    EXPECT_EQ(s.value(0, 1).toByteArray(), testsupport::readBytes(TeamPictures::genericPath(0)));
    EXPECT_EQ(s.value(0, 2).toByteArray(), testsupport::readBytes(TeamPictures::genericPath(1)));
    EXPECT_FALSE(s.value(0, 1).toByteArray().isEmpty());
}

TEST_F(WizardTest, ADuplicateNameIsRefusedEvenInAnotherLetterCase)
{
    add(QStringLiteral("Lens"));
    add(QStringLiteral(" lens"));
    EXPECT_EQ(texts(), QStringLiteral("Equipe non créée."));
    EXPECT_EQ(MessageBox::shown()[0].icon, MessageBox::Information);
    EXPECT_EQ(listed(), QStringList{"LENS"});
    EXPECT_EQ(teams().rowCount(), 1);
}

TEST_F(WizardTest, AChosenCrestIsStoredAndAnUnreadableOneLeavesTheFieldEmpty)
{
    const QString gif = dir.file(QStringLiteral("lens.gif"));
    testsupport::writeBytes(gif, testsupport::readBytes(TeamPictures::genericPath(0)) + "extra");
    add(QStringLiteral("LENS"), gif);
    EXPECT_EQ(teams().value(0, 1).toByteArray(), testsupport::readBytes(gif));

    // The file goes away between choosing it and saving.
    const QString gone = dir.file(QStringLiteral("gone.gif"));
    testsupport::writeBytes(gone, "GIF89a");
    testsupport::onNextModal<frmEditEquipe>([gone](frmEditEquipe* d) {
        d->txtNom->setText(QStringLiteral("metz"));
        cOpenSaveFile::setNextFileName(gone);
        d->cmdImage[0]->click();
        QFile::remove(gone);
        d->cmdSave->click();
    });
    wizard.cmdListe[0]->click();
    EXPECT_EQ(texts(), QStringLiteral("Une erreur s'est produite pendant la lecture du fichier"));
    EXPECT_EQ(listed(), (QStringList{"LENS", "METZ"}));
    EXPECT_TRUE(teams().value(1, 1).isNull());
    EXPECT_FALSE(teams().value(1, 2).isNull()); // the icon still got the generic one
}

TEST_F(WizardTest, TeamNamesAreCountedInCharactersAndControlCharactersRefused)
{
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80"); // one character, two units
    QStringList told;
    testsupport::onNextModal<frmEditEquipe>([&](frmEditEquipe* d) {
        for (const QString& bad :
             {QString(51, QLatin1Char('x')), QStringLiteral("A\tB"), QStringLiteral("   ")}) {
            MessageBox::clearShown();
            d->txtNom->setText(bad);
            d->cmdSave->click();
            EXPECT_TRUE(d->isVisible());
            EXPECT_EQ(d->focusWidget(), d->txtNom);
            if (MessageBox::shown().size() == 1)
                told << MessageBox::shown()[0].text;
        }
        d->txtNom->setText(emoji.repeated(50));
        d->cmdSave->click();
    });
    wizard.cmdListe[0]->click();
    ASSERT_EQ(told.size(), 3);
    EXPECT_EQ(told[0], QStringLiteral("Le nom d'une équipe compte au plus 50 caractères."));
    EXPECT_TRUE(told[1].contains(QStringLiteral("caractère de contrôle")));
    EXPECT_EQ(told[2], QStringLiteral("Donnez un nom à cette équipe."));
    EXPECT_EQ(listed(), QStringList{emoji.repeated(50)});
    EXPECT_EQ(teams().value(0, 0).toString(), emoji.repeated(50));
}

TEST_F(WizardTest, ImportAddsTheNewTeamsKeepsTheirCaseAndReportsTheOthers)
{
    const QString other = dir.file(QStringLiteral("autre.dat"));
    testsupport::makeCompetition(other,
                                 {{QStringLiteral("Stade Brestois"), QByteArray("GIF-B"), {}},
                                  {QStringLiteral("LENS"), {}, {}},
                                  {QStringLiteral("Metz fc"), {}, QByteArray("ICO-M")}});
    add(QStringLiteral("lens"));
    cOpenSaveFile::setNextFileName(other);
    bool listedAll = false;
    testsupport::onNextModal<frmImportEquipes>([&listedAll](frmImportEquipes* d) {
        listedAll = d->lstEquipes->count() == 3 &&
                    d->windowTitle() == QStringLiteral("Importation d'équipes");
        for (int i = 0; i < 3; ++i)
            d->lstEquipes->item(i)->setSelected(true);
        d->cmdOK->click();
    });
    wizard.cmdListe[3]->click();
    EXPECT_TRUE(listedAll);
    EXPECT_EQ(texts(), QStringLiteral("LENS non créée."));
    EXPECT_EQ(listed(), (QStringList{"LENS", "Stade Brestois", "Metz fc"}));
    EXPECT_EQ(wizard.lblNbreEquipes->text(), QStringLiteral("Nombre d'équipes: 3"));
    const store::Snapshot s = teams();
    EXPECT_EQ(s.value(1, 1).toByteArray(), QByteArray("GIF-B"));
    EXPECT_TRUE(s.value(2, 1).isNull());
    EXPECT_EQ(s.value(2, 2).toByteArray(), QByteArray("ICO-M"));

    // A team imported without a crest shows the placeholder when modified, and modifying
    // it stores its name in upper case.
    wizard.lstEquipes->setCurrentRow(2);
    bool placeholder = false;
    testsupport::onNextModal<frmEditEquipe>([&placeholder](frmEditEquipe* d) {
        placeholder = d->ima[0]->pixmap().toImage() == d->imaGhost[0].toImage() &&
                      d->slotTag[0] == QStringLiteral("En mode edit") &&
                      d->cmdDelete[0]->isEnabled();
        d->cmdSave->click();
    });
    wizard.cmdListe[1]->click();
    EXPECT_TRUE(placeholder);
    EXPECT_EQ(listed(), (QStringList{"LENS", "Stade Brestois", "METZ FC"}));
    EXPECT_EQ(teams().value(2, 2).toByteArray(), QByteArray("ICO-M")); // kept
}

TEST_F(WizardTest, ImportFromAnEmptyOrForeignFileSaysSo)
{
    const QString empty = dir.file(QStringLiteral("vide.dat"));
    testsupport::makeCompetition(empty, QStringList{});
    cOpenSaveFile::setNextFileName(empty);
    wizard.cmdListe[3]->click();
    EXPECT_EQ(texts(), QStringLiteral("Aucune équipe à importer dans le fichier vide.dat"));
    MessageBox::clearShown();
    const QString junk = dir.file(QStringLiteral("junk.dat"));
    testsupport::writeBytes(junk, QByteArray(3000, 'j'));
    cOpenSaveFile::setNextFileName(junk);
    wizard.cmdListe[3]->click();
    EXPECT_EQ(texts(), junk + QStringLiteral(" n'est pas un fichier de compétition valide."));
}

TEST_F(WizardTest, DeletingTheLastTeamDisablesModifyAndDelete)
{
    add(QStringLiteral("A"));
    MessageBox::setNextAnswer(false);
    wizard.cmdListe[2]->click();
    EXPECT_EQ(listed(), QStringList{"A"});
    MessageBox::setNextAnswer(true);
    wizard.cmdListe[2]->click();
    EXPECT_EQ(MessageBox::shown().last().text, QStringLiteral("Effacer A ?"));
    EXPECT_TRUE(listed().isEmpty());
    EXPECT_EQ(teams().rowCount(), 0);
    EXPECT_FALSE(wizard.cmdListe[1]->isEnabled());
    EXPECT_FALSE(wizard.cmdListe[2]->isEnabled());
    EXPECT_EQ(wizard.lblNbreEquipes->text(), QStringLiteral("Nombre d'équipes: 0"));
}

TEST_F(WizardTest, SaveChecksInOrderAndRefusesPointsAbove255)
{
    wizard.txtCompet->setText(QStringLiteral("Ligue"));
    wizard.txtPts[1]->clear();
    add(QStringLiteral("A"));
    MessageBox::clearShown();
    wizard.cmdSave->click();
    EXPECT_EQ(texts(), QStringLiteral("Renseignez les points en cas de victoire, défaite ou nul."));
    MessageBox::clearShown();
    QTest::keyClicks(wizard.txtPts[1], QStringLiteral("2x"));
    EXPECT_EQ(wizard.txtPts[1]->text(), QStringLiteral("2")); // the letter never appears
    wizard.txtPts[1]->insert(QStringLiteral("a9"));           // nor does pasted text
    EXPECT_EQ(wizard.txtPts[1]->text(), QStringLiteral("2"));
    wizard.txtPts[2]->setText(QStringLiteral("256"));
    wizard.cmdSave->click();
    EXPECT_EQ(
        texts(),
        QStringLiteral(
            "Indiquez pour les points en cas de match nul un nombre compris entre 0 et 255."));
    EXPECT_EQ(wizard.focusWidget(), wizard.txtPts[2]);
    EXPECT_EQ(property("PtsEquality").toInt(), 1); // nothing written
    MessageBox::clearShown();
    wizard.txtPts[2]->setText(QStringLiteral("1"));
    wizard.cmdSave->click();
    EXPECT_EQ(texts(), QStringLiteral("Il est nécessaire d'avoir au moins 2 équipes !"));
    EXPECT_EQ(wizard.focusWidget(), wizard.cmdListe[0]);
    // No more teams than a file can hold, or it could not be opened.
    for (int i = 0; i < 129; ++i)
        wizard.lstEquipes->addItem(QStringLiteral("T%1").arg(i));
    MessageBox::clearShown();
    wizard.cmdSave->click();
    EXPECT_EQ(texts(),
              QStringLiteral("Une compétition compte au plus 128 équipes : retirez-en 2."));
    // A name of spaces is an empty name; neither the save dialog nor a write.
    MessageBox::clearShown();
    wizard.txtCompet->setText(QStringLiteral("   "));
    wizard.txtSaison->clear();
    wizard.cmdSave->click();
    EXPECT_EQ(texts(), QStringLiteral("Donnez un nom à la compétition."));
    EXPECT_EQ(wizard.focusWidget(), wizard.txtCompet);
    EXPECT_EQ(property("Championnat").toString(), QStringLiteral("Undefined"));
}

TEST_F(WizardTest, CancellingTheSaveDialogKeepsTheWizardWithItsPropertiesWritten)
{
    wizard.txtCompet->setText(QStringLiteral(" Ligue 2 "));
    wizard.txtPts[0]->setText(QStringLiteral("2"));
    add(QStringLiteral("A"));
    add(QStringLiteral("B"));
    cOpenSaveFile::setNextCancel();
    wizard.cmdSave->click();
    EXPECT_TRUE(wizard.isVisible());
    EXPECT_TRUE(wizard.Tag.isEmpty());
    EXPECT_EQ(property("Championnat").toString(), QStringLiteral("Ligue 2"));
    EXPECT_EQ(property("PtsWinner").toInt(), 2);
    ASSERT_EQ(cOpenSaveFile::requests().size(), 1);
    const auto& asked = cOpenSaveFile::requests()[0];
    EXPECT_TRUE(asked.save);
    EXPECT_TRUE(asked.flags & cOpenSaveFile::OverWritePromptFlag);
    EXPECT_EQ(asked.defaultExt, QStringLiteral("dat"));
    EXPECT_EQ(asked.fileName, QStringLiteral(" Ligue 2  ") + wizard.txtSaison->text());
}

TEST_F(WizardTest, ALinkChosenAsTheFileIsRefusedAndTheWizardStays)
{
    wizard.txtCompet->setText(QStringLiteral("Ligue"));
    add(QStringLiteral("A"));
    add(QStringLiteral("B"));
    const QString link = dir.file(QStringLiteral("lien.dat"));
    ASSERT_TRUE(QFile::link(dir.file(QStringLiteral("ailleurs.dat")), link));
    cOpenSaveFile::setNextFileName(link);
    wizard.cmdSave->click();
    EXPECT_TRUE(wizard.isVisible());
    EXPECT_TRUE(wizard.Tag.isEmpty());
    ASSERT_EQ(MessageBox::shown().size(), 1);
    EXPECT_EQ(MessageBox::shown()[0].icon, MessageBox::Critical);
    EXPECT_EQ(texts(), QStringLiteral("« %1 » est un lien symbolique : Vemo ne l'écrase pas. "
                                      "Choisissez un autre nom de fichier.")
                           .arg(link));
    EXPECT_EQ(listed(), (QStringList{"A", "B"}));
}

TEST_F(WizardTest, SeasonAndTieBreakHaveDefaultsAndAreWrittenWithTheRest)
{
    const auto tieBreak = [this] {
        auto db = testsupport::openFile(working);
        QVariant v;
        EXPECT_TRUE(store::readProperty(*db, store::kTieBreakProperty, v).ok());
        return v.toString();
    };
    const int year = QDate::currentDate().year();
    EXPECT_EQ(wizard.txtSaison->text(), QStringLiteral("%1-%2").arg(year).arg(year + 1));
    EXPECT_EQ(wizard.cboDepartage->currentText(), QStringLiteral("Buts"));
    wizard.txtCompet->setText(QStringLiteral("Ligue"));
    add(QStringLiteral("A"));
    add(QStringLiteral("B"));
    cOpenSaveFile::setNextCancel();
    wizard.cmdSave->click();
    EXPECT_EQ(tieBreak(), QStringLiteral("Buts"));

    // Reached from its label's access key and chosen with the arrow keys.
    QApplication::setActiveWindow(&wizard);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&wizard));
    QTest::keyClick(&wizard, Qt::Key_P, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), wizard.cboDepartage);
    QTest::keyClick(wizard.cboDepartage, Qt::Key_Down);
    cOpenSaveFile::setNextCancel();
    wizard.cmdSave->click();
    EXPECT_EQ(tieBreak(), QStringLiteral("Confrontations"));
    EXPECT_TRUE(MessageBox::shown().isEmpty());
}

// Started from a season's file, each row keeps its team's matches whatever it is renamed to,
// even when two teams swap names; a team of the file cannot be deleted, one added can.
TEST_F(WizardTest, FromASeasonFileTheMatchesFollowTheRowsAndAllIsWrittenAtTheEnd)
{
    store::SourceError error;
    const auto source = store::readSeasonSource(QByteArray(kSeason), error);
    ASSERT_TRUE(source) << error.message.toStdString();
    wizard.startFrom(*source);
    EXPECT_EQ(listed(), (QStringList{"Lens", "Brest", "Metz", "Nice"}));
    const auto rename = [this](int row, const QString& typed) {
        wizard.lstEquipes->setCurrentRow(row);
        testsupport::onNextModal<frmEditEquipe>([typed](frmEditEquipe* d) {
            d->txtNom->setText(typed);
            d->cmdSave->click();
        });
        wizard.cmdListe[1]->click();
    };
    rename(1, QStringLiteral("provisoire"));
    rename(2, QStringLiteral("brest"));
    rename(1, QStringLiteral("metz"));
    rename(3, QStringLiteral("lens"));
    EXPECT_EQ(texts(), QStringLiteral("Modifications non sauvegardées."));
    wizard.lstEquipes->setCurrentRow(0);
    MessageBox::clearShown();
    wizard.cmdListe[2]->click();
    EXPECT_EQ(texts(), QStringLiteral("Lens joue 2 rencontre(s) du fichier de données : elle ne "
                                      "peut pas être supprimée. Pour changer son nom, "
                                      "modifiez-la."));
    add(QStringLiteral("reims"));
    add(QStringLiteral("angers"));
    MessageBox::setNextAnswer(true);
    wizard.cmdListe[2]->click();
    EXPECT_EQ(listed(), (QStringList{"Lens", "METZ", "BREST", "Nice", "REIMS"}));
    EXPECT_EQ(teams().rowCount(), 0); // nothing is written before the end

    const QString target = dir.file(QStringLiteral("ligue.dat"));
    cOpenSaveFile::setNextFileName(target);
    wizard.cmdSave->click();
    EXPECT_EQ(wizard.Tag, target);
    auto db = testsupport::openFile(working);
    EXPECT_EQ(rowsOf(*db, "SELECT Nom FROM Equipes ORDER BY rowid"),
              (QStringList{"Lens", "METZ", "BREST", "Nice", "REIMS"}));
    EXPECT_EQ(rowsOf(*db, kResults), (QStringList{"1|Lens|2|METZ|1", "1|BREST|0|Nice|0"}));
    EXPECT_EQ(rowsOf(*db, kFixtures), (QStringList{"2|METZ|BREST", "2|Nice|Lens"}));
}

TEST_F(WizardTest, EscapeOrClosingWithoutTeamsCancelsAtOnce)
{
    QTest::keyClick(wizard.txtCompet, Qt::Key_Escape);
    EXPECT_TRUE(MessageBox::shown().isEmpty());
    EXPECT_FALSE(wizard.isVisible());
    EXPECT_FALSE(QFileInfo::exists(working));
    EXPECT_TRUE(wizard.Tag.isEmpty());
}

TEST_F(WizardTest, EscapeOrClosingWithTeamsAsksBeforeGivingUp)
{
    wizard.txtCompet->setText(QStringLiteral("Ligue"));
    add(QStringLiteral("A"));
    add(QStringLiteral("B"));
    wizard.lstEquipes->setCurrentRow(1);
    const QString question = QStringLiteral("Abandonner la création de ce championnat ?");

    // No: the wizard stays as it was, with its working file.
    MessageBox::setNextAnswer(false);
    QTest::keyClick(wizard.lstEquipes, Qt::Key_Escape);
    ASSERT_EQ(MessageBox::shown().size(), 1);
    EXPECT_EQ(MessageBox::shown()[0].icon, MessageBox::Question);
    EXPECT_EQ(MessageBox::shown()[0].text, question);
    MessageBox::setNextAnswer(false);
    EXPECT_FALSE(wizard.close());
    EXPECT_EQ(MessageBox::shown().size(), 2);
    EXPECT_TRUE(wizard.isVisible());
    EXPECT_EQ(wizard.txtCompet->text(), QStringLiteral("Ligue"));
    EXPECT_EQ(listed(), (QStringList{"A", "B"}));
    EXPECT_EQ(wizard.lstEquipes->currentRow(), 1);
    EXPECT_EQ(teams().rowCount(), 2);
    EXPECT_TRUE(QFileInfo::exists(working));

    // Yes: the working file is deleted.
    MessageBox::setNextAnswer(true);
    EXPECT_TRUE(wizard.close());
    EXPECT_EQ(MessageBox::shown().last().text, question);
    EXPECT_FALSE(wizard.isVisible());
    EXPECT_FALSE(QFileInfo::exists(working));
    EXPECT_TRUE(wizard.Tag.isEmpty());
}

// The command of the File menu: the wizard opens with the file's name, season and teams and
// the competition is created with its results and its calendar.
TEST(NewCompetition, FromADataFileTheWizardStartsFilledAndCreatesTheSeason)
{
    TempDir dir;
    Windows::registerAll();
    frmMain window;
    window.show();
    const QString json = dir.file(QStringLiteral("ligue.json"));
    testsupport::writeBytes(json, kSeason);
    const QString target = dir.file(QStringLiteral("Ligue Test.dat"));
    QStringList shown;
    testsupport::onNextModal<frmNouveau>([&](frmNouveau* w) {
        shown << w->txtCompet->text() << w->txtSaison->text() << w->txtPts[0]->text()
              << w->txtPts[1]->text() << w->txtPts[2]->text() << w->cboDepartage->currentText()
              << w->lblSource->text();
        for (int i = 0; i < w->lstEquipes->count(); ++i)
            shown << w->lstEquipes->item(i)->text();
        w->txtPts[0]->setText(QStringLiteral("2"));
        w->cboDepartage->setCurrentIndex(1);
        cOpenSaveFile::setNextFileName(target);
        w->cmdSave->click();
    });
    cOpenSaveFile::setNextFileName(json);
    auto* command = window.findChild<QAction*>(QStringLiteral("mnuNouveauDonnees"));
    ASSERT_TRUE(command);
    command->trigger();

    ASSERT_FALSE(cOpenSaveFile::requests().isEmpty());
    const auto& asked = cOpenSaveFile::requests()[0];
    EXPECT_FALSE(asked.save);
    EXPECT_EQ(asked.title, QStringLiteral("Nouveau à partir d'un fichier de données"));
    EXPECT_EQ(asked.filter,
              QStringLiteral("Fichiers de données JSON et CSV|*.json;*.csv|Tous les fichiers|*"));
    EXPECT_EQ(shown, (QStringList{"Ligue Test", "2025-2026", "3", "0", "1", "Buts",
                                  "Le fichier de données apporte 2 résultat(s) et 2 rencontre(s) "
                                  "à jouer : ils suivent ses équipes, même renommées ici.",
                                  "Lens", "Brest", "Metz", "Nice"}));
    ASSERT_TRUE(store::CurrentCompetition::isOpen());
    store::Competition& c = *store::CurrentCompetition::get();
    EXPECT_EQ(QFileInfo(c.fileName()), QFileInfo(target));
    EXPECT_EQ(MessageBox::shown().last().text, QStringLiteral("Nouvelle compétition créée."));
    EXPECT_EQ(rowsOf(c.db(), "SELECT Nom, Valeur FROM \"Propriétés\" WHERE Nom IN "
                             "('Championnat', 'Saison', 'PtsWinner', 'PtsLooser', "
                             "'PtsEquality', 'Départage') ORDER BY Nom"),
              (QStringList{"Championnat|Ligue Test", "Départage|Confrontations", "PtsEquality|1",
                           "PtsLooser|0", "PtsWinner|2", "Saison|2025-2026"}));
    store::Snapshot crests;
    ASSERT_TRUE(c.db()
                    .query(QStringLiteral("SELECT Nom, Blason, Icone FROM Equipes ORDER BY "
                                          "rowid"),
                           {}, crests)
                    .ok());
    ASSERT_EQ(crests.rowCount(), 4);
    for (int r = 0; r < 4; ++r) {
        EXPECT_EQ(crests.value(r, 1).toByteArray(),
                  testsupport::readBytes(TeamPictures::genericPath(0)));
        EXPECT_EQ(crests.value(r, 2).toByteArray(),
                  testsupport::readBytes(TeamPictures::genericPath(1)));
    }
    EXPECT_EQ(rowsOf(c.db(), kResults), (QStringList{"1|Lens|2|Brest|1", "1|Metz|0|Nice|0"}));
    EXPECT_EQ(rowsOf(c.db(), kFixtures), (QStringList{"2|Brest|Metz", "2|Nice|Lens"}));
}

// A file that is no season, or whose matches break a rule of the league, is refused by name
// before any wizard opens.
TEST(NewCompetition, ADataFileThatCannotMakeACompetitionIsRefusedAndNothingIsCreated)
{
    TempDir dir;
    frmMain window;
    static int wizards = 0;
    AppHost::setWizardFactory([] {
        ++wizards;
        return std::unique_ptr<INewCompetitionWizard>();
    });
    const auto forget = qScopeGuard([] { AppHost::setWizardFactory({}); });
    const QString twice = dir.file(QStringLiteral("deux fois.json"));
    testsupport::writeBytes(twice, R"({"name": "X 2025", "matches": [
        {"round": "1", "team1": "Lens", "team2": "Brest", "score": {"ft": [1, 0]}},
        {"round": "1", "team1": "Nice", "team2": "Lens", "score": {"ft": [1, 0]}}]})");
    const QString notes = dir.file(QStringLiteral("notes.csv"));
    testsupport::writeBytes(notes, "Bonjour\n");
    auto* command = window.findChild<QAction*>(QStringLiteral("mnuNouveauDonnees"));
    ASSERT_TRUE(command);
    QStringList told;
    for (const QString& path : {twice, notes}) {
        MessageBox::clearShown();
        cOpenSaveFile::setNextFileName(path);
        command->trigger();
        ASSERT_EQ(MessageBox::shown().size(), 1);
        told << MessageBox::shown()[0].text;
        EXPECT_TRUE(told.last().startsWith(
            QStringLiteral("Aucune compétition ne peut être créée à partir de « %1 ».\n")
                .arg(QFileInfo(path).fileName())))
            << told.last().toStdString();
    }
    EXPECT_TRUE(
        told[0].contains(QStringLiteral("\nmatch 2 : La rencontre de Lens de la Journée 1")))
        << told[0].toStdString();
    EXPECT_EQ(wizards, 0);
    EXPECT_FALSE(store::CurrentCompetition::isOpen());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2);
}

} // namespace
