#include "support/TestSupport.h"

#include "controls/MessageBox.h"
#include "controls/cOpenSaveFile.h"
#include "store/Competition.h"
#include "store/CompetitionFile.h"
#include "store/CrestCache.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <gtest/gtest.h>

namespace testsupport {

TempDir::TempDir()
{
    EXPECT_TRUE(m_dir.isValid());
}

std::unique_ptr<store::Database> openFile(const QString& path)
{
    store::DbError e;
    auto db = store::Database::open(path, store::competitionKey(), e);
    EXPECT_TRUE(db) << e.message.toStdString();
    return db;
}

void makeCompetition(const QString& path, const std::vector<TeamSpec>& teams, int win, int loss,
                     int draw)
{
    store::DbError e = store::createCompetitionFile(path);
    ASSERT_TRUE(e.ok()) << e.message.toStdString();
    auto db = openFile(path);
    ASSERT_TRUE(db);
    store::Transaction tx(*db);
    for (const TeamSpec& t : teams) {
        store::Fields f{{QStringLiteral("Nom"), t.nom}};
        if (!t.blason.isNull())
            f.push_back({QStringLiteral("Blason"), t.blason});
        if (!t.icone.isNull())
            f.push_back({QStringLiteral("Icone"), t.icone});
        e = db->addRow(QStringLiteral("Equipes"), f);
        ASSERT_TRUE(e.ok()) << e.message.toStdString();
    }
    ASSERT_TRUE(store::writeProperty(*db, QStringLiteral("PtsWinner"), win).ok());
    ASSERT_TRUE(store::writeProperty(*db, QStringLiteral("PtsLooser"), loss).ok());
    ASSERT_TRUE(store::writeProperty(*db, QStringLiteral("PtsEquality"), draw).ok());
    ASSERT_TRUE(tx.commit().ok());
}

void addMatches(const QString& path, const std::vector<store::MatchRow>& rows)
{
    auto db = openFile(path);
    ASSERT_TRUE(db);
    store::Transaction tx(*db);
    for (const store::MatchRow& r : rows)
        ASSERT_TRUE(db->addRow(QStringLiteral("Résultats"),
                               {{QStringLiteral("Journée"), r.journee},
                                {QStringLiteral("Domicile"), r.domicile},
                                {QStringLiteral("ScoreDomicile"), r.scoreDomicile},
                                {QStringLiteral("Visiteur"), r.visiteur},
                                {QStringLiteral("ScoreVisiteur"), r.scoreVisiteur}})
                        .ok());
    ASSERT_TRUE(tx.commit().ok());
}

void makeCompetition(const QString& path, const QStringList& teams)
{
    std::vector<TeamSpec> defs;
    for (const QString& t : teams)
        defs.push_back({t, {}, {}});
    makeCompetition(path, defs);
}

QByteArray readBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

AccessibleTable readAccessibleTable(QWidget* view)
{
    AccessibleTable out;
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(view);
    EXPECT_TRUE(iface);
    QAccessibleTableInterface* table = iface ? iface->tableInterface() : nullptr;
    EXPECT_TRUE(table) << "not read as a table";
    if (!table)
        return out;
    for (int c = 0; c < table->columnCount(); ++c)
        out.headers << table->columnDescription(c);
    for (int r = 0; r < table->rowCount(); ++r) {
        QStringList cells;
        bool selected = false;
        for (int c = 0; c < table->columnCount(); ++c) {
            QAccessibleInterface* cell = table->cellAt(r, c);
            cells << (cell ? cell->text(QAccessible::Name) : QStringLiteral("<none>"));
            selected = selected || (cell && cell->state().selected);
        }
        out.rows.push_back(cells);
        out.selected.push_back(selected);
    }
    return out;
}

std::vector<QStringList> cliCsv(const QStringList& args)
{
    QProcess cli;
    cli.start(
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../../bin/vemo-cli")),
        args + QStringList{QStringLiteral("--format"), QStringLiteral("csv")});
    EXPECT_TRUE(cli.waitForFinished(30000));
    std::vector<QStringList> rows;
    for (const QString& line : QString::fromUtf8(cli.readAllStandardOutput())
                                   .split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        rows.push_back(line.split(QLatin1Char(',')));
    return rows;
}

QString settingsFolder()
{
    static QTemporaryDir dir;
    return dir.path();
}

void resetApplicationState()
{
    MessageBox::setScripted(true);
    cOpenSaveFile::setScripted(true);
    store::CurrentCompetition::close();
    QSettings(QSettings::UserScope, QStringLiteral("Zelto App Vemo")).clear();
    CrestCache::remove();
}

} // namespace testsupport
