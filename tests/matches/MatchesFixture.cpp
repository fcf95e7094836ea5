#include "matches/MatchesFixture.h"

#include "shell/CompetitionCommands.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QTest>

namespace matchtest {

QStringList league(int count)
{
    static const QStringList names{"LENS",    "BREST",   "LILLE",    "CAEN",          "ANGERS",
                                   "NICE",    "METZ",    "LYON",     "PARIS",         "REIMS",
                                   "RENNES",  "ROUEN",   "NANTES",   "MONACO",        "DIJON",
                                   "AUXERRE", "LORIENT", "BORDEAUX", "SAINT-ETIENNE", "TOULOUSE"};
    return names.mid(0, count);
}

void MatchesFixture::open(const QStringList& teams, const std::vector<store::MatchRow>& matches)
{
    path = dir.file(QStringLiteral("ligue.dat"));
    testsupport::makeCompetition(path, teams);
    ASSERT_TRUE(Utilities::OpenCompetition(path));
    for (const store::MatchRow& m : matches)
        addMatch(m.journee, m.domicile, m.scoreDomicile, m.visiteur, m.scoreVisiteur);
    MessageBox::clearShown();
}

qint64 MatchesFixture::addMatch(int journee, const QString& domicile, int sd,
                                const QString& visiteur, int sv)
{
    qint64 rowid = 0;
    const store::DbError e = db().addRow(QStringLiteral("Résultats"),
                                         {{QStringLiteral("Journée"), journee},
                                          {QStringLiteral("Domicile"), domicile},
                                          {QStringLiteral("ScoreDomicile"), sd},
                                          {QStringLiteral("Visiteur"), visiteur},
                                          {QStringLiteral("ScoreVisiteur"), sv}},
                                         &rowid);
    EXPECT_TRUE(e.ok()) << e.message.toStdString();
    return rowid;
}

std::vector<store::MatchRow> MatchesFixture::stored()
{
    std::vector<store::MatchRow> rows;
    EXPECT_TRUE(store::loadResults(db(), std::nullopt, rows).ok());
    return rows;
}

QStringList MatchesFixture::messages()
{
    static const char* const icons[] = {"plain", "information", "warning", "critical", "question"};
    QStringList out;
    for (const MessageBox::Shown& s : MessageBox::shown())
        out << QString::fromLatin1(icons[s.icon]) + QLatin1Char('|') + s.text;
    MessageBox::clearShown();
    return out;
}

void fill(frmEditRencontre& entry, int journee, const QString& domicile, const QString& sd,
          const QString& visiteur, const QString& sv)
{
    entry.cboJournee->setCurrentIndex(journee - 1);
    if (entry.cboDomicile->findText(domicile) >= 0)
        entry.cboDomicile->setCurrentIndex(entry.cboDomicile->findText(domicile));
    if (entry.cboVisiteur->findText(visiteur) >= 0)
        entry.cboVisiteur->setCurrentIndex(entry.cboVisiteur->findText(visiteur));
    entry.txtScore[0]->setText(sd);
    entry.txtScore[1]->setText(sv);
}

void save(frmEditRencontre& entry)
{
    QTest::mouseClick(entry.findChild<QPushButton*>(QStringLiteral("cmdSave")), Qt::LeftButton);
}

void whenEntryShown(std::function<void(frmEditRencontre&)> steps)
{
    QTimer::singleShot(0, [steps] {
        auto* entry = qobject_cast<frmEditRencontre*>(QApplication::activeModalWidget());
        if (!entry) {
            ADD_FAILURE() << "the match entry window is not shown";
            if (QWidget* modal = QApplication::activeModalWidget())
                modal->close();
            return;
        }
        steps(*entry);
        if (entry->isVisible())
            entry->reject();
    });
}

QStringList describe(const std::vector<store::MatchRow>& rows)
{
    QStringList out;
    for (const store::MatchRow& r : rows)
        out << QStringLiteral("J%1 %2 %3-%4 %5")
                   .arg(r.journee)
                   .arg(r.domicile)
                   .arg(r.scoreDomicile)
                   .arg(r.scoreVisiteur)
                   .arg(r.visiteur);
    return out;
}

} // namespace matchtest
