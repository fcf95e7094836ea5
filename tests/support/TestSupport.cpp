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
#include <QRegularExpression>
#include <QSettings>
#include <gtest/gtest.h>
#include <map>

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

QStringList pdfPages(const QString& path)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    EXPECT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    QStringList pages = QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

std::vector<QList<int>> expectPrintedGrid(const QStringList& pages, const QStringList& teams,
                                          const std::vector<store::MatchRow>& results)
{
    std::map<std::pair<QString, QString>, QString> scores;
    for (const store::MatchRow& m : results)
        scores[{m.domicile, m.visiteur}] =
            QStringLiteral("%1-%2").arg(m.scoreDomicile).arg(m.scoreVisiteur);
    static const QRegularExpression score(QStringLiteral(R"(^\d+-\d+$)"));
    // The rows of each set of visitors, over the pages that it runs across.
    std::vector<std::pair<QList<int>, QStringList>> bands;
    for (const QString& page : pages) {
        QList<int> columns;
        for (const QString& line : page.split(QLatin1Char('\n'))) {
            QStringList words = line.simplified().split(QLatin1Char(' '));
            if (words.value(0) == QLatin1String("Domicile")) {
                columns.clear();
                for (const QString& w : words.mid(1))
                    columns << w.toInt();
                if (bands.empty() || bands.back().first != columns)
                    bands.push_back({columns, {}});
                continue;
            }
            if (columns.isEmpty() || !words.value(0).endsWith(QLatin1Char('.')))
                continue;
            const int home = words.value(0).chopped(1).toInt() - 1;
            if (home < 0 || home >= teams.size())
                continue;
            QStringList printed;
            while (words.size() > 1 && score.match(words.last()).hasMatch())
                printed.prepend(words.takeLast());
            EXPECT_EQ(words.mid(1).join(QLatin1Char(' ')), teams[home]);
            QStringList wanted;
            for (int c : columns)
                if (const auto it = scores.find({teams[home], teams.value(c - 1)});
                    it != scores.end())
                    wanted << it->second;
            EXPECT_EQ(printed, wanted) << teams[home].toStdString() << " under " << columns[0];
            bands.back().second << teams[home];
        }
    }
    std::vector<QList<int>> across;
    for (const auto& [columns, named] : bands) {
        EXPECT_EQ(named, teams) << "under " << columns.value(0);
        across.push_back(columns);
    }
    return across;
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
