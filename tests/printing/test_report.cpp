#include "models/BetListModel.h"
#include "models/FixtureListModel.h"
#include "models/MatchListModel.h"
#include "models/RankingHistoryModel.h"
#include "models/StandingsModel.h"
#include "printing/CrossTableModel.h"
#include "printing/Renderers.h"
#include "printing/ReportDocument.h"
#include "ranking/mRank.h"
#include "store/Competition.h"
#include "store/CompetitionFile.h"
#include "store/CrestCache.h"
#include "store/Fixtures.h"
#include "store/Zones.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <gtest/gtest.h>
#include <numeric>

using testsupport::TempDir;

namespace {

const QString kCaptionRow =
    QStringLiteral(R"(Pl\s+Equipe\s+Pts\s+J\s+G\s+N\s+P\s+B\+\s+B-\s+Diff)");

using testsupport::pdfPages;

// The numbers of the pages printed in landscape, as pdfinfo gives their sizes.
std::vector<int> landscapePages(const QString& path)
{
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {QStringLiteral("-f"), QStringLiteral("1"),
                                        QStringLiteral("-l"), QStringLiteral("9999"), path});
    EXPECT_TRUE(p.waitForFinished(30000));
    static const QRegularExpression size(
        QStringLiteral(R"(^Page\s+(\d+) size:\s+([\d.]+) x ([\d.]+))"),
        QRegularExpression::MultilineOption);
    std::vector<int> pages;
    for (auto it = size.globalMatch(QString::fromUtf8(p.readAllStandardOutput())); it.hasNext();)
        if (const auto m = it.next(); m.captured(2).toDouble() > m.captured(3).toDouble())
            pages.push_back(m.captured(1).toInt());
    return pages;
}

QStringList nonEmptyLines(const QString& text)
{
    QStringList lines;
    for (const QString& line : text.split(QLatin1Char('\n')))
        if (!line.trimmed().isEmpty())
            lines << line;
    return lines;
}

QStringList teamNames(int n)
{
    QStringList teams;
    for (int i = 0; i < n; ++i)
        teams << QStringLiteral("Club %1").arg(i, 3, 10, QLatin1Char('0'));
    return teams;
}

// A ranking row as read back from the page: place, team, points, matches played.
struct PrintedRow
{
    QString place, team, points, played;
};

std::vector<PrintedRow> printedRows(const QString& page)
{
    static const QRegularExpression row(
        QStringLiteral(R"(^\s*(\d+)\s+(\S.*?\S)\s{2,}(-?\d+)\s+(\d+)\s)"));
    std::vector<PrintedRow> rows;
    for (const QString& line : page.split(QLatin1Char('\n')))
        if (const auto m = row.match(line); m.hasMatch())
            rows.push_back({m.captured(1), m.captured(2), m.captured(3), m.captured(4)});
    return rows;
}

class ReportTest : public testing::Test
{
protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    }

    QString league(const QStringList& teams, const std::vector<store::MatchRow>& results)
    {
        const QString path = dir.file(QStringLiteral("ligue.dat"));
        testsupport::makeCompetition(path, teams);
        testsupport::addMatches(path, results);
        auto db = testsupport::openFile(path);
        EXPECT_TRUE(
            store::writeProperty(*db, QStringLiteral("Championnat"), QStringLiteral("Ligue Élite"))
                .ok());
        EXPECT_TRUE(
            store::writeProperty(*db, QStringLiteral("Saison"), QStringLiteral("2025-2026")).ok());
        return path;
    }

    QStringList seasonReport(const QString& competition, std::optional<int> matchday)
    {
        store::OpenError e;
        auto c = store::Competition::open(competition, e, nullptr, store::OpenMode::ReadOnly);
        EXPECT_TRUE(c);
        const QString pdf = dir.file(QStringLiteral("rapport.pdf"));
        QString error;
        {
            QPdfWriter writer(pdf);
            EXPECT_TRUE(Renderers::seasonReport(writer, *c, matchday, error))
                << error.toStdString();
        }
        return pdfPages(pdf);
    }

    TempDir dir;
};

TEST_F(ReportTest, StandingsAndResultsUpToTheMatchdayUnderTheHeaderOfEveryPage)
{
    const QStringList teams = teamNames(20);
    const QString file = league(teams, testsupport::doubleRoundRobin(teams));
    {
        auto db = testsupport::openFile(file);
        EXPECT_TRUE(store::writeZones(*db, {{1, 1, QStringLiteral("Champion")},
                                            {18, 20, QStringLiteral("Relégation")}})
                        .ok());
    }
    const QStringList pages = seasonReport(file, 10);

    const QStringList kinds{"general", "attaque", "defense", "domicile", "exterieur"};
    const QStringList titles{"général", "attaque", "defense", "domicile", "extérieur"};
    for (int k = 0; k < 5; ++k) {
        const QString title = QStringLiteral("Classement %1 – Journée 10").arg(titles[k]);
        const auto page = std::find_if(pages.begin(), pages.end(),
                                       [&](const QString& p) { return p.contains(title); });
        ASSERT_NE(page, pages.end()) << title.toStdString();
        EXPECT_TRUE(page->contains(QRegularExpression(kCaptionRow)));
        const std::vector<QStringList> want =
            testsupport::cliCsv({"standings", file, "--matchday", "10", "--kind", kinds[k]});
        const std::vector<PrintedRow> got = printedRows(*page);
        ASSERT_EQ(want.size(), 21u);
        ASSERT_EQ(got.size(), 20u) << page->toStdString();
        for (size_t i = 0; i < got.size(); ++i)
            EXPECT_EQ((QStringList{got[i].place, got[i].team, got[i].points, got[i].played}),
                      want[i + 1].mid(0, 4))
                << title.toStdString() << " row " << i;
        // The zones are those of the general table, in a last column "Zone".
        const QStringList lines = page->split(QLatin1Char('\n'));
        EXPECT_EQ(page->contains(QRegularExpression(kCaptionRow + QStringLiteral(R"(\s+Zone)"))),
                  k == 0);
        EXPECT_EQ(lines.filter(QStringLiteral("Relégation")).size(), k == 0 ? 3 : 0);
        EXPECT_EQ(lines.filter(QStringLiteral("Champion")).size(), k == 0 ? 1 : 0);
    }

    // The results part: matchdays 1 to 10 in order, each with its ten matches, and no later one.
    static const QRegularExpression heading(QStringLiteral(R"(^\s*Journée (\d+)\s*$)"));
    static const QRegularExpression match(QStringLiteral(R"(^\s*J(\d+)\s+Club)"));
    std::vector<int> headings;
    std::map<int, int> matches;
    for (const QString& page : pages)
        for (const QString& line : page.split(QLatin1Char('\n'))) {
            if (const auto m = heading.match(line); m.hasMatch())
                headings.push_back(m.captured(1).toInt());
            if (const auto m = match.match(line); m.hasMatch())
                ++matches[m.captured(1).toInt()];
        }
    EXPECT_EQ(headings, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    ASSERT_EQ(matches.size(), 10u);
    for (const auto& [day, count] : matches) {
        EXPECT_LE(day, 10);
        EXPECT_EQ(count, 10) << "matchday " << day;
    }

    // The cross table after the standings, on a landscape page of its own: every team named,
    // every score on its row.
    std::vector<store::MatchRow> played = testsupport::doubleRoundRobin(teams);
    played.resize(10 * 10);
    const std::vector<QList<int>> across = testsupport::expectPrintedGrid(pages, teams, played);
    ASSERT_EQ(across.size(), 1u);
    EXPECT_EQ(across[0].size(), 20);
    const auto grid = std::find_if(pages.begin(), pages.end(), [](const QString& p) {
        return p.contains(QStringLiteral("Grille des confrontations – Journée 10"));
    });
    ASSERT_NE(grid, pages.end());
    EXPECT_EQ(landscapePages(dir.file(QStringLiteral("rapport.pdf"))),
              std::vector<int>{int(grid - pages.begin()) + 1});

    for (int i = 0; i < pages.size(); ++i) {
        const QStringList lines = nonEmptyLines(pages[i]);
        ASSERT_GE(lines.size(), 3);
        EXPECT_TRUE(lines.first().contains(QStringLiteral("Ligue Élite"))) << i;
        EXPECT_TRUE(lines.first().contains(QStringLiteral("2025-2026"))) << i;
        EXPECT_EQ(lines.last().trimmed(), QStringLiteral("Page %1").arg(i + 1));
    }
}

TEST_F(ReportTest, TheFixturesToPlayFollowTheResultsMatchdayByMatchday)
{
    const QString file = league({"ARRAS", "LENS", "LILLE", "METZ"},
                                {{0, 1, "LENS", 2, "ARRAS", 0}, {0, 1, "LILLE", 1, "METZ", 1}});
    {
        store::OpenError e;
        auto c = store::Competition::open(file, e);
        ASSERT_TRUE(c);
        for (const store::Fixture& f :
             {store::Fixture{0, 3, "LILLE", "ARRAS"}, store::Fixture{0, 2, "ARRAS", "LENS"},
              store::Fixture{0, 2, "METZ", "LILLE"}})
            ASSERT_TRUE(store::addFixture(*c, f).ok());
    }
    // Whatever the matchday the report stops at, all that is left to play is listed.
    for (const std::optional<int> upTo : {std::optional<int>(), std::optional<int>(1)}) {
        static const QRegularExpression wanted(
            QStringLiteral(R"(^\s*(Journée \d+.*|J\d+\s+\S+\s+(\d+\s+\d+\s+)?\S+)\s*$)"));
        QStringList lines;
        for (const QString& page : seasonReport(file, upTo))
            for (const QString& line : page.split(QLatin1Char('\n')))
                if (const auto m = wanted.match(line); m.hasMatch())
                    lines << m.captured(1).simplified();
        EXPECT_EQ(lines, (QStringList{"Journée 1", "J1 LENS 2 0 ARRAS", "J1 LILLE 1 1 METZ",
                                      "Journée 2 – à jouer", "J2 ARRAS LENS", "J2 METZ LILLE",
                                      "Journée 3 – à jouer", "J3 LILLE ARRAS"}));
    }
}

TEST_F(ReportTest, ALongTableRunsOverPagesUnderItsCaptionRow)
{
    const QStringList teams = teamNames(128);
    std::vector<store::Team> list;
    for (const QString& t : teams)
        list.push_back({0, t});
    std::vector<store::MatchRow> results = testsupport::doubleRoundRobin(teams);
    results.resize(64 * 3); // three matchdays
    StandingsModel model;
    const cResult::Points points{3, 0, 1};
    model.setItems(ComputeRanking(results, RankingKind::General, list, points), points);

    const QString pdf = dir.file(QStringLiteral("long.pdf"));
    int pageCount = 0;
    {
        QPdfWriter writer(pdf);
        ReportDocument doc(writer, {QStringLiteral("Coupe"), QStringLiteral("2030")});
        ASSERT_TRUE(doc.isValid());
        Renderers::standings(doc, model, QStringLiteral("Général"), 3);
        pageCount = doc.pageCount();
    }
    const QStringList pages = pdfPages(pdf);
    ASSERT_GE(pages.size(), 3);
    EXPECT_EQ(pages.size(), pageCount);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Classement général – Journée 3")));
    std::vector<PrintedRow> rows;
    for (int i = 0; i < pages.size(); ++i) {
        EXPECT_EQ(pages[i].count(QRegularExpression(kCaptionRow)), 1) << "page " << i + 1;
        EXPECT_EQ(nonEmptyLines(pages[i]).last().trimmed(), QStringLiteral("Page %1").arg(i + 1));
        const std::vector<PrintedRow> own = printedRows(pages[i]);
        EXPECT_GT(own.size(), 10u) << "page " << i + 1;
        rows.insert(rows.end(), own.begin(), own.end());
    }
    ASSERT_EQ(rows.size(), 128u);
    for (int i = 0; i < 128; ++i) {
        EXPECT_EQ(rows[size_t(i)].team, model.items().Item(i + 1).TeamName);
        EXPECT_EQ(rows[size_t(i)].points,
                  QString::number(model.items().Item(i + 1).points(points)));
    }
}

TEST_F(ReportTest, AWideCrossTableRunsAcrossPagesUnderItsRowCaptions)
{
    QStringList teams;
    for (int i = 0; i < 40; ++i)
        teams << QStringLiteral("Association sportive %1").arg(i, 2, 10, QLatin1Char('0'));
    std::vector<store::Team> list;
    for (const QString& t : teams)
        list.push_back({0, t});
    std::vector<store::MatchRow> results = testsupport::doubleRoundRobin(teams);
    for (size_t i = 0; i < results.size(); i += 7)
        results[i].scoreDomicile = 10 + int(i % 3); // wider scores
    results.resize(results.size() - 40);            // a few matches still to play
    const CrossTableModel model(SeasonGrid(results, list));
    EXPECT_EQ(Renderers::crossTableOrientation(model), QPageLayout::Landscape);

    const QString pdf = dir.file(QStringLiteral("grille.pdf"));
    {
        QPdfWriter writer(pdf);
        ReportDocument doc(writer, {QStringLiteral("Coupe"), QStringLiteral("2030")},
                           QPageLayout::Landscape);
        Renderers::crossTable(doc, model, 0);
        doc.newPage(QPageLayout::Portrait);
        doc.paragraph(QStringLiteral("Suite"));
    }
    const QStringList pages = pdfPages(pdf);
    const std::vector<QList<int>> across = testsupport::expectPrintedGrid(pages, teams, results);
    ASSERT_GE(across.size(), 2u);
    QList<int> visitors;
    for (const QList<int>& columns : across)
        visitors += columns;
    QList<int> all;
    for (int t = 1; t <= 40; ++t)
        all << t;
    EXPECT_EQ(visitors, all);
    // Every page but the last, which is back to portrait, is landscape.
    std::vector<int> wide(size_t(pages.size() - 1));
    std::iota(wide.begin(), wide.end(), 1);
    EXPECT_EQ(landscapePages(pdf), wide);
    EXPECT_TRUE(pages.last().contains(QStringLiteral("Suite")));

    const CrossTableModel small(SeasonGrid(results, {list.begin(), list.begin() + 6}));
    EXPECT_EQ(Renderers::crossTableOrientation(small), QPageLayout::Portrait);
}

TEST_F(ReportTest, ATitleStaysWithTheStartOfItsTableWhereverThePageEnds)
{
    const QStringList teams = teamNames(40);
    std::vector<store::Team> list;
    for (const QString& t : teams)
        list.push_back({0, t});
    StandingsModel longTable;
    longTable.setItems(ComputeRanking(std::vector<store::MatchRow>{}, RankingKind::General, list,
                                      cResult::Points{3, 0, 1}),
                       {3, 0, 1});
    MatchListModel shortTable;
    std::vector<store::MatchRow> day = testsupport::doubleRoundRobin(teams);
    day.resize(12);
    shortTable.setItems(day);

    // Text of every length pushes the title down to every place on the first page.
    for (int lines = 40; lines <= 75; ++lines) {
        QStringList text;
        for (int i = 1; i <= lines; ++i)
            text << QStringLiteral("Ligne %1").arg(i);
        const QString pdf = dir.file(QStringLiteral("titre.pdf"));
        {
            QPdfWriter writer(pdf);
            ReportDocument doc(writer, {QStringLiteral("Coupe"), QStringLiteral("2030")});
            doc.paragraph(text.join(QLatin1Char('\n')));
            doc.title(QStringLiteral("Section longue"));
            doc.table(longTable);
            doc.paragraph(text.join(QLatin1Char('\n')));
            doc.title(QStringLiteral("Section courte"));
            doc.table(shortTable);
        }
        const QStringList pages = pdfPages(pdf);
        // The lines from a title to the foot of its page.
        const auto below = [&](const QString& title) {
            for (const QString& page : pages)
                if (page.contains(title))
                    return nonEmptyLines(page.mid(page.indexOf(title)));
            return QStringList();
        };
        const QStringList afterLong = below(QStringLiteral("Section longue"));
        ASSERT_GE(afterLong.size(), 5) << lines << " lines";
        EXPECT_TRUE(afterLong[1].contains(QRegularExpression(kCaptionRow))) << lines << " lines";
        EXPECT_GE(printedRows(afterLong.mid(1).join(QLatin1Char('\n'))).size(), 3u) << lines;
        // A short table is never split.
        const QStringList afterShort = below(QStringLiteral("Section courte"));
        ASSERT_GE(afterShort.size(), 5) << lines << " lines";
        EXPECT_TRUE(
            afterShort[1].contains(QRegularExpression(QStringLiteral(R"(Journée\s+Domicile)"))));
        EXPECT_EQ(afterShort.filter(QRegularExpression(QStringLiteral(R"(^\s*J1\s)"))).size(), 12)
            << lines << " lines";
    }
}

TEST_F(ReportTest, TeamSheetAndBetsPrintTheirSectionsTextAndPictures)
{
    const QString team = QStringLiteral("Racing Club");
    // The team's crest as the windows cache it.
    const QString icon = CrestCache::iconPath(team);
    ASSERT_TRUE(QDir().mkpath(QFileInfo(icon).path()));
    QImage crest(24, 24, QImage::Format_ARGB32);
    crest.fill(Qt::darkGreen);
    ASSERT_TRUE(crest.save(icon, "PNG"));

    MatchListModel matches;
    matches.setItems(
        {{0, 3, team, 2, QStringLiteral("Lens"), 1}, {0, 1, QStringLiteral("Lens"), 0, team, 0}});
    RankingHistoryModel history;
    cResult record;
    record.Ranking = 1;
    record.Won = 1;
    record.Nul = 1;
    history.setTeam(team);
    history.setItems({{3, record}, {1, record}}, {3, 0, 1});
    const QString summary = QStringLiteral("Classement général : 1er\nAttaque : 2e");
    FixtureListModel next;
    next.setItems({{0, 5, QStringLiteral("Metz"), team}});

    QStringList words;
    for (int i = 0; i < 80; ++i)
        words << QStringLiteral("mot%1").arg(i);
    BetListModel bets;
    bets.setItems({{0, QDate(2025, 1, 5), words.join(QLatin1Char(' ')), 125000, 0, 1},
                   {0, QDate(2025, 1, 6), QStringLiteral("Nul à Lens"), 50000, 0, 2}});
    // Names too long for their columns are cut, never run into the next column.
    const QString longName(50, QLatin1Char('W'));
    MatchListModel wide;
    wide.setItems({{0, 7, longName, 1, longName + QStringLiteral("X"), 0}});

    const QString pdf = dir.file(QStringLiteral("fiche.pdf"));
    {
        QPdfWriter writer(pdf);
        ReportDocument doc(writer, {QStringLiteral("Coupe"), QStringLiteral("2030")});
        Renderers::teamSheet(doc, team, summary, matches, history, &next);
        doc.newPage();
        Renderers::bets(doc, bets, QStringLiteral("Total des mises: 17,50\nRésultat: -5,00"));
        Renderers::matchday(doc, wide, 7);
        EXPECT_EQ(doc.pageCount(), 2);
        doc.newPage(); // an empty page is never started
        EXPECT_EQ(doc.pageCount(), 2);
    }
    const QStringList pages = pdfPages(pdf);
    ASSERT_EQ(pages.size(), 2);
    qsizetype at = 0;
    for (const char* part :
         {"Racing Club", "Classement général : 1er\n", "Attaque : 2e\n",
          "Historique des rencontres", "Prochains matchs", "Historique des classements"}) {
        at = pages[0].indexOf(QString::fromUtf8(part), at);
        EXPECT_GE(at, 0) << part;
    }
    EXPECT_TRUE(pages[0].contains(
        QRegularExpression(QStringLiteral(R"(J3\s+Racing Club\s+2\s+1\s+Lens)"))));
    EXPECT_TRUE(
        pages[0].contains(QRegularExpression(QStringLiteral(R"(J5\s+Metz\s+Racing Club)"))));
    EXPECT_TRUE(pages[0].contains(QRegularExpression(QStringLiteral(R"(Jo\s+Pl\s+Equipe\s+Pts)"))));
    EXPECT_TRUE(
        pages[0].contains(QRegularExpression(QStringLiteral(R"(J1\s+1\s+Racing Club\s+4\s+2)"))));

    // The description wraps over several lines with none of its words lost.
    const QString ledger = pages[1];
    EXPECT_TRUE(ledger.contains(
        QRegularExpression(QStringLiteral(R"(Date\s+Description\s+Mise\s+Statut\s+Gain)"))));
    for (const QString& word : words)
        EXPECT_TRUE(ledger.contains(QRegularExpression(QStringLiteral("\\b%1\\b").arg(word))))
            << word.toStdString();
    EXPECT_TRUE(ledger.contains(QStringLiteral("Nul à Lens")));
    EXPECT_TRUE(ledger.contains(QStringLiteral("Total des mises: 17,50")));
    EXPECT_TRUE(ledger.contains(QStringLiteral("Résultat: -5,00")));
    EXPECT_FALSE(ledger.contains(longName));
    EXPECT_TRUE(ledger.contains(QStringLiteral("WWW…")));

    // Crests on the sheet, the status of each bet on the ledger.
    QProcess images;
    images.start(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf});
    ASSERT_TRUE(images.waitForFinished(30000));
    std::map<int, int> perPage;
    for (const QString& line :
         QString::fromUtf8(images.readAllStandardOutput()).split(QLatin1Char('\n')).mid(2))
        if (const QStringList cells = line.simplified().split(QLatin1Char(' '));
            cells.size() > 3 && cells[2] == QLatin1String("image"))
            ++perPage[cells[0].toInt()];
    EXPECT_EQ(perPage[1], 4); // two matches and two history rows with one crest each
    EXPECT_EQ(perPage[2], 2);
}

TEST_F(ReportTest, FailuresAreToldInFrenchAndLeaveNothing)
{
    const QStringList teams = teamNames(4);
    const QString file = league(teams, testsupport::doubleRoundRobin(teams));
    store::OpenError e;
    auto c = store::Competition::open(file, e, nullptr, store::OpenMode::ReadOnly);
    ASSERT_TRUE(c);
    QString error;

    {
        QPdfWriter writer(QStringLiteral("/nonexistent-folder/r.pdf"));
        EXPECT_FALSE(Renderers::seasonReport(writer, *c, std::nullopt, error));
        EXPECT_EQ(error, QStringLiteral("Le document ne peut pas être écrit."));
    }

    const QString pdf = dir.file(QStringLiteral("r.pdf"));
    {
        QPdfWriter writer(pdf);
        EXPECT_FALSE(Renderers::seasonReport(writer, *c, 0, error));
        EXPECT_TRUE(error.contains(QStringLiteral("journée"))) << error.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(pdf));

    // The results cannot be read any more.
    ASSERT_TRUE(testsupport::openFile(file)->exec(QStringLiteral("DROP TABLE \"Résultats\"")).ok());
    {
        QPdfWriter writer(pdf);
        EXPECT_FALSE(Renderers::seasonReport(writer, *c, std::nullopt, error));
        EXPECT_TRUE(error.startsWith(QStringLiteral("La compétition n'a pas pu être lue.")))
            << error.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(pdf));
}

} // namespace
