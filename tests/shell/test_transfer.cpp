// Results in and out of the windows: import from a CSV file, export of what a window shows,
// printed pages and PDF.
#include "bets/frmParis.h"
#include "controls/MessageBox.h"
#include "controls/cOpenSaveFile.h"
#include "controls/zelOwnerLBox1.h"
#include "matches/frmMDIRencontres.h"
#include "shell/CompetitionCommands.h"
#include "shell/Registration.h"
#include "shell/TransferCommands.h"
#include "shell/frmAlias.h"
#include "shell/frmMain.h"
#include "standings/frmMDIClassement.h"
#include "store/Aliases.h"
#include "store/Competition.h"
#include "support/FaultyDisk.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QListView>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTimer>
#include <QtTest/QTest>
#include <gtest/gtest.h>

using testsupport::TempDir;

namespace {

const QByteArray kHead = "Journée;Domicile;ScoreDomicile;Visiteur;ScoreVisiteur\n";

QString cliPath()
{
    return QDir(QCoreApplication::applicationDirPath())
        .filePath(QStringLiteral("../../bin/vemo-cli"));
}

// The tool's message for a refused import, without its "vemo-cli : " prefix.
QString cliRefusal(const QString& file, const QString& csv)
{
    QProcess p;
    p.start(cliPath(), {QStringLiteral("import"), file, csv});
    p.waitForFinished(30000);
    EXPECT_EQ(p.exitCode(), 1);
    return QString::fromUtf8(p.readAllStandardError())
        .trimmed()
        .remove(QRegularExpression(QStringLiteral("^vemo-cli : ")));
}

class TransferTest : public testing::Test
{
protected:
    void SetUp() override
    {
        Windows::registerAll();
        path = dir.file(QStringLiteral("Ligue.dat"));
        teams = {"ARRAS", "LENS", "LILLE", "METZ"};
        testsupport::makeCompetition(path, teams);
        main.show();
    }
    QString write(const QString& name, const QByteArray& bytes)
    {
        const QString file = dir.file(name);
        testsupport::writeBytes(file, bytes);
        return file;
    }
    void open(int item = 3)
    {
        ASSERT_TRUE(Utilities::OpenCompetition(path));
        main.tbSection_ItemClick(1, item);
        MessageBox::clearShown();
    }
    QStringList texts() const
    {
        QStringList all;
        for (const auto& m : MessageBox::shown())
            all << m.text;
        return all;
    }
    TempDir dir;
    QString path;
    QStringList teams;
    frmMain main;
};

TEST_F(TransferTest, TheCommandsAreInEveryFileMenuAndNeedACompetition)
{
    for (QAction* a : main.mnuTransfert)
        EXPECT_FALSE(a->isEnabled()) << a->text().toStdString();
    EXPECT_EQ(main.mnuTransfert[0]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_I));
    EXPECT_EQ(main.mnuTransfert[1]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_E));
    EXPECT_EQ(main.mnuTransfert[2]->shortcut(), QKeySequence(QKeySequence::Print));
    for (int item = 1; item <= 3; ++item) {
        open(item);
        WorkingWindow* w = main.currentWorkingWindow();
        ASSERT_TRUE(w);
        for (QAction* a : w->mnuTransfert)
            EXPECT_TRUE(a->isEnabled()) << w->formName().toStdString();
    }
}

TEST_F(TransferTest, ImportedResultsAreToldAndShownAtOnce)
{
    open(3);
    cOpenSaveFile::setNextFileName(
        write(QStringLiteral("j1.csv"), kHead + "1;LENS;2;LILLE;1\n1;ARRAS;0;METZ;3\n"));
    main.currentWorkingWindow()->mnuTransfert[0]->trigger();
    EXPECT_EQ(texts(), QStringList{"2 résultats importés."});
    ASSERT_EQ(cOpenSaveFile::requests().size(), 1);
    EXPECT_TRUE(cOpenSaveFile::requests()[0].filter.contains(QStringLiteral("*.csv")));
    // The dialog opens in the competition's folder, not the program's working folder.
    EXPECT_EQ(cOpenSaveFile::requests()[0].initDir,
              QFileInfo(store::CurrentCompetition::get()->fileName()).absolutePath());
    auto* standings = qobject_cast<frmMDIClassement*>(main.currentWorkingWindow());
    ASSERT_TRUE(standings);
    EXPECT_EQ(standings->cboJournees->currentText(), QStringLiteral("Journée 1"));
    ASSERT_EQ(standings->zelClass->ItemCount(), 4);
    EXPECT_EQ(standings->zelClass->Items().Item(1).TeamName, QStringLiteral("METZ"));
}

TEST_F(TransferTest, ARefusalIsTheToolsAndChangesNothing)
{
    open(2);
    const QString before = testsupport::dumpContent(path);
    for (const QByteArray& bad :
         {kHead + "1;LENS;2;LILLE;1\n\n1;LENS;0;METZ;0\n", kHead + "1;\"LENS;2;LILLE;1\n",
          QByteArray("Journée;Domicile\n"), kHead + "1;NANCY;2;LILLE;1\n"}) {
        const QString csv = write(QStringLiteral("bad.csv"), bad);
        MessageBox::clearShown();
        cOpenSaveFile::setNextFileName(csv);
        EXPECT_FALSE(TransferCommands::importResults(&main));
        ASSERT_EQ(MessageBox::shown().size(), 1);
        EXPECT_EQ(MessageBox::shown()[0].text,
                  QStringLiteral("Aucun résultat n'a été importé.\n") + cliRefusal(path, csv));
        EXPECT_EQ(testsupport::dumpContent(path), before);
    }
}

// A season's file names two teams its own way: each is asked once, then kept.
TEST_F(TransferTest, ASourcesUnknownNamesAreAskedOnceAndKept)
{
    open(2);
    const QString source =
        write(QStringLiteral("ligue.json"), R"({"name": "Ligue 2025", "matches": [
        {"round": "1", "team1": "RC Lens", "team2": "lille", "score": {"ft": [2, 1]}},
        {"round": "1", "team1": "Arras FA", "team2": "METZ", "score": {"ft": [0, 0]}},
        {"round": "2", "team1": "METZ", "team2": "RC Lens"}]})");
    const QString before = testsupport::dumpContent(path);
    QStringList asked;
    QStringList firstChoices;
    bool cancel = true;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* ask = qobject_cast<frmAlias*>(QApplication::activeModalWidget());
        if (!ask || !ask->isVisible())
            return;
        asked << ask->windowTitle();
        firstChoices << ask->chosenTeam();
        EXPECT_EQ(ask->focusWidget(), ask->lstEquipes);
        if (cancel)
            ask->cmdCancel->click();
        else
            QTest::keyClick(ask->lstEquipes, Qt::Key_Return);
    });
    poll.start(0);
    cOpenSaveFile::setNextFileName(source);
    EXPECT_FALSE(TransferCommands::importResults(&main));
    EXPECT_EQ(texts(), QStringList{"Importation annulée : rien n'a été enregistré."});
    EXPECT_EQ(testsupport::dumpContent(path), before);

    cancel = false;
    asked.clear();
    firstChoices.clear();
    MessageBox::clearShown();
    cOpenSaveFile::setNextFileName(source);
    EXPECT_TRUE(TransferCommands::importResults(&main));
    EXPECT_EQ(asked, (QStringList{"Équipe inconnue (1 sur 2)", "Équipe inconnue (2 sur 2)"}));
    EXPECT_EQ(firstChoices, (QStringList{"LENS", "ARRAS"}));
    ASSERT_EQ(texts().size(), 1);
    EXPECT_TRUE(texts()[0].startsWith(QStringLiteral("2 résultat(s) ajouté(s) ; 1 rencontre(s) "
                                                     "ajoutée(s) au calendrier.")))
        << texts()[0].toStdString();
    {
        auto db = testsupport::openFile(path);
        std::vector<store::TeamAlias> kept;
        ASSERT_FALSE(store::loadAliases(*db, kept));
        ASSERT_EQ(kept.size(), 2u);
        EXPECT_EQ(kept[0].nom + QLatin1Char('=') + kept[0].equipe,
                  QStringLiteral("Arras FA=ARRAS"));
    }
    // The next import asks nothing.
    asked.clear();
    MessageBox::clearShown();
    cOpenSaveFile::setNextFileName(source);
    EXPECT_FALSE(TransferCommands::importResults(&main));
    poll.stop();
    EXPECT_TRUE(asked.isEmpty());
    ASSERT_EQ(texts().size(), 1);
    EXPECT_TRUE(texts()[0].contains(QStringLiteral("3 rencontre(s) déjà enregistrée(s)")));
}

TEST_F(TransferTest, ALongImportShowsItsProgressAndCancellingWritesNothing)
{
    open(2);
    const QString before = testsupport::dumpContent(path);
    // Few rows, many blank lines: a file long enough for the progress dialog.
    const QString csv =
        write(QStringLiteral("long.csv"),
              kHead + "1;LENS;2;LILLE;1\n" + QByteArray(4 * TransferCommands::kProgressFrom, '\n') +
                  "2;LILLE;0;METZ;0\n");
    bool seen = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            for (auto* d : w->findChildren<QProgressDialog*>(QStringLiteral("dlgImportation")))
                if (d->isVisible()) {
                    seen = true;
                    EXPECT_EQ(d->labelText(), QStringLiteral("Importation des résultats…"));
                    d->cancel();
                }
    });
    poll.start(0);
    cOpenSaveFile::setNextFileName(csv);
    EXPECT_FALSE(TransferCommands::importResults(&main));
    poll.stop();
    EXPECT_TRUE(seen);
    EXPECT_EQ(texts(), QStringList{"Importation annulée : rien n'a été enregistré."});
    EXPECT_EQ(testsupport::dumpContent(path), before);
}

TEST_F(TransferTest, AnExportedMatchdayImportsBackUnchanged)
{
    testsupport::addMatches(path, {{0, 1, "LENS", 2, "LILLE", 1},
                                   {0, 1, "ARRAS", 0, "METZ", 3},
                                   {0, 2, "LILLE", 1, "ARRAS", 1}});
    open(2);
    auto* matches = qobject_cast<frmMDIRencontres*>(main.currentWorkingWindow());
    ASSERT_TRUE(matches);
    matches->ActualiseRencontres();
    const QString exported = dir.file(QStringLiteral("journee1.csv"));
    cOpenSaveFile::setNextFileName(exported);
    matches->mnuTransfert[1]->trigger();
    ASSERT_TRUE(texts().isEmpty()) << texts().join(QLatin1Char('|')).toStdString();
    ASSERT_EQ(cOpenSaveFile::requests().size(), 1);
    EXPECT_EQ(cOpenSaveFile::requests()[0].fileName, QStringLiteral("Ligue - Journée 1"));
    EXPECT_TRUE(cOpenSaveFile::requests()[0].save);
    const QByteArray bytes = testsupport::readBytes(exported);
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"
                                 "Journée;Domicile;ScoreDomicile;ScoreVisiteur;Visiteur\r\n"))
        << bytes.left(80).data();

    const QString other = dir.file(QStringLiteral("Autre.dat"));
    testsupport::makeCompetition(other, teams);
    QProcess p;
    p.start(cliPath(), {QStringLiteral("import"), other, exported});
    ASSERT_TRUE(p.waitForFinished(30000));
    ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().data();
    const QStringList day1{QStringLiteral("--matchday"), QStringLiteral("1")};
    EXPECT_EQ(testsupport::cliCsv(QStringList{"matches", other} + day1),
              testsupport::cliCsv(QStringList{"matches", path} + day1));
    EXPECT_EQ(testsupport::cliCsv({QStringLiteral("matches"), other}).size(), 3u);
}

TEST_F(TransferTest, TheStandingsAndTheBetsExportAsShownForASpreadsheet)
{
    testsupport::addMatches(path, {{0, 1, "LENS", 2, "LILLE", 1}, {0, 1, "ARRAS", 0, "METZ", 3}});
    {
        auto db = testsupport::openFile(path);
        ASSERT_TRUE(db->addRow(QStringLiteral("Paris"),
                               {{QStringLiteral("Date"), QStringLiteral("2026-09-01")},
                                {QStringLiteral("Description"), QStringLiteral("=LENS; gagne")},
                                {QStringLiteral("Pari"), 125000},
                                {QStringLiteral("Gain"), 312500},
                                {QStringLiteral("Statut"), 1}})
                        .ok());
    }
    open(3);
    const QString standings = dir.file(QStringLiteral("classement.csv"));
    cOpenSaveFile::setNextFileName(standings);
    main.exportShown();
    EXPECT_EQ(cOpenSaveFile::requests().value(0).fileName,
              QStringLiteral("Ligue - Classement Général J1"));
    const std::vector<QStringList> csv = testsupport::cliCsv({QStringLiteral("standings"), path});
    QStringList expected;
    for (const QStringList& row : csv)
        expected << row.join(QLatin1Char(';'));
    EXPECT_EQ(QString::fromUtf8(testsupport::readBytes(standings).mid(3)),
              expected.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));

    main.tbSection_ItemClick(1, 4);
    auto* bets = qobject_cast<frmParis*>(main.betsWindow());
    ASSERT_TRUE(bets);
    const QString ledger = dir.file(QStringLiteral("paris.csv"));
    cOpenSaveFile::setNextFileName(ledger);
    bets->cmdSortie[0]->click();
    EXPECT_EQ(testsupport::readBytes(ledger),
              QByteArray("\xEF\xBB\xBF") +
                  QStringLiteral("Date;Description;Mise;Statut;Gain\r\n"
                                 "01/09/2026;\"'=LENS; gagne\";12,50;Gagné;"
                                 "31,25\r\n\r\nTotal des mises;12,50\r\nTotal des gains;31,25\r\n"
                                 "Résultat;18,75\r\n")
                      .toUtf8());
}

TEST_F(TransferTest, PrintPreviewAndPdfShowTheStandingsInOrder)
{
    testsupport::addMatches(path, {{0, 1, "LENS", 2, "LILLE", 1}, {0, 1, "ARRAS", 0, "METZ", 3}});
    open(3);
    int pages = -1;
    QStringList zooms;
    testsupport::onNextModal<QPrintPreviewDialog>([&](QPrintPreviewDialog* d) {
        QApplication::processEvents();
        auto* view = d->findChild<QPrintPreviewWidget*>();
        auto* zoom = d->findChild<QComboBox*>();
        if (!view || !zoom)
            return d->reject();
        pages = view->pageCount();
        // The zoom reads and is typed in French, its list too.
        zooms << zoom->itemText(0) << zoom->currentText();
        zoom->lineEdit()->setText(QStringLiteral("54,5"));
        QMetaObject::invokeMethod(zoom->lineEdit(), "editingFinished");
        zooms << zoom->currentText() << QString::number(view->zoomFactor());
        zoom->setCurrentIndex(2);
        zooms << zoom->currentText() << QString::number(view->zoomFactor());
        d->reject();
    });
    main.printShown();
    EXPECT_EQ(pages, 1);
    ASSERT_EQ(zooms.size(), 6);
    EXPECT_EQ(zooms[0], QStringLiteral("12,5 %"));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d+,\\d %$")).match(zooms[1]).hasMatch())
        << zooms[1].toStdString();
    EXPECT_EQ(zooms.mid(2), (QStringList{"54,5 %", "0.545", "50,0 %", "0.5"}));

    const QString pdf = dir.file(QStringLiteral("classement.pdf"));
    cOpenSaveFile::setNextFileName(pdf);
    main.exportShownPdf();
    ASSERT_TRUE(QFileInfo(pdf).size() > 0) << texts().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(QDir(dir.path())
                  .entryList({QStringLiteral("classement*")}, QDir::AllEntries | QDir::Hidden),
              QStringList{QStringLiteral("classement.pdf")});
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "pdftotext is missing";
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished(30000));
    const QString out = QString::fromUtf8(text.readAllStandardOutput());
    qsizetype at = 0;
    for (const QStringList& row : testsupport::cliCsv({QStringLiteral("standings"), path})) {
        if (row[0] == QLatin1String("Pl"))
            continue;
        const qsizetype found = out.indexOf(row[1], at);
        EXPECT_GT(found, at - 1) << row[1].toStdString() << " not after the previous team";
        at = found;
    }
}

TEST_F(TransferTest, AnExportThatCannotBeWrittenIsToldAndLeavesNothing)
{
    open(3);
    // Nothing shown yet: nothing to write, and the user is told so.
    main.exportShown();
    main.exportShownPdf();
    EXPECT_EQ(texts(), (QStringList{"Cette fenêtre ne montre rien à exporter.",
                                    "Cette fenêtre ne montre rien à exporter."}));
    EXPECT_TRUE(cOpenSaveFile::requests().isEmpty());

    testsupport::addMatches(path, {{0, 1, "LENS", 2, "LILLE", 1}});
    main.reloadWorkingWindow();
    for (const char* name : {"classement.pdf", "classement.csv"}) {
        const QString file = dir.file(QString::fromLatin1(name));
        testsupport::writeBytes(file, "ancien");
        cOpenSaveFile::setNextFileName(file);
        MessageBox::clearShown();
        {
            testsupport::FileSizeLimit full(0); // no file may grow any more
            if (file.endsWith(QLatin1String(".pdf")))
                main.exportShownPdf();
            else
                main.exportShown();
        }
        EXPECT_EQ(
            texts(),
            QStringList{QStringLiteral("Le fichier « %1 » dépasse la taille permise.").arg(file)});
        // The file that was there stays whole, and nothing half-written is left beside it.
        EXPECT_EQ(testsupport::readBytes(file), QByteArray("ancien"));
        for (const QString& left : QDir(dir.path()).entryList({QStringLiteral("classement*")}))
            EXPECT_TRUE(left == QLatin1String("classement.pdf") ||
                        left == QLatin1String("classement.csv"))
                << left.toStdString();
    }
}

TEST_F(TransferTest, AnExportToALinkIsRefusedAndWhatItPointsToKept)
{
    testsupport::addMatches(path, {{0, 1, "LENS", 2, "LILLE", 1}});
    open(3);
    TempDir elsewhere;
    const QString victim = elsewhere.file(QStringLiteral("à garder"));
    testsupport::writeBytes(victim, "à garder");
    for (const char* name : {"classement.pdf", "classement.csv"}) {
        const QString file = dir.file(QString::fromLatin1(name));
        ASSERT_TRUE(QFile::link(victim, file));
        cOpenSaveFile::setNextFileName(file);
        MessageBox::clearShown();
        if (file.endsWith(QLatin1String(".pdf")))
            main.exportShownPdf();
        else
            main.exportShown();
        ASSERT_EQ(MessageBox::shown().size(), 1);
        EXPECT_EQ(MessageBox::shown()[0].icon, MessageBox::Critical);
        EXPECT_EQ(MessageBox::shown()[0].text,
                  QStringLiteral("« %1 » est un lien symbolique : Vemo ne l'écrase pas. "
                                 "Choisissez un autre nom de fichier.")
                      .arg(file));
        EXPECT_EQ(testsupport::readBytes(victim), QByteArray("à garder"));
        EXPECT_EQ(QDir(dir.path())
                      .entryList({QStringLiteral("classement*")}, QDir::AllEntries | QDir::Hidden),
                  QStringList{QString::fromLatin1(name)});
        EXPECT_TRUE(QFileInfo(file).isSymLink());
        QFile::remove(file);
    }
}

} // namespace
