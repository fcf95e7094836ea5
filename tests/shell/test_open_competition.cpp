#include "controls/MessageBox.h"
#include "controls/cOpenSaveFile.h"
#include "shell/CompetitionCommands.h"
#include "shell/frmMain.h"
#include "store/Competition.h"
#include "store/CrestCache.h"
#include "support/FaultyDisk.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

using store::CurrentCompetition;
using testsupport::TempDir;

namespace {

// The cache's files, each named by the team and picture it holds ("LENS_bla.tmp").
QStringList cacheFiles(const QStringList& teams = {"LENS", "LILLE", "METZ", "SEDAN"})
{
    QStringList found;
    for (const QString& file : QDir(CrestCache::folder()).entryList(QDir::Files)) {
        QString label = file;
        for (const QString& team : teams) {
            if (file == QFileInfo(CrestCache::crestPath(team)).fileName())
                label = team + QStringLiteral("_bla.tmp");
            if (file == QFileInfo(CrestCache::iconPath(team)).fileName())
                label = team + QStringLiteral("_ico.tmp");
        }
        found << label;
    }
    found.sort();
    return found;
}

class OpenCompetitionTest : public testing::Test
{
protected:
    void SetUp() override
    {
        first = dir.file(QStringLiteral("Ligue 1.2024.dat"));
        testsupport::makeCompetition(
            first, {{QStringLiteral("LENS"), QByteArray("GIF-LENS"), QByteArray("ICO-LENS")},
                    {QStringLiteral("LILLE"), {}, QByteArray("ICO-LILLE")},
                    {QStringLiteral("METZ"), {}, {}}});
        second = dir.file(QStringLiteral("National.dat"));
        testsupport::makeCompetition(
            second, {{QStringLiteral("SEDAN"), QByteArray("GIF-SEDAN"), {}}}, 3, 1, 1);
    }
    TempDir dir;
    QString first, second;
    frmMain window;
};

TEST_F(OpenCompetitionTest, OpeningFillsTheStateTheCaptionTheCacheAndTheRecentFiles)
{
    ASSERT_TRUE(Utilities::OpenCompetition(first));
    EXPECT_TRUE(MessageBox::shown().isEmpty());
    store::Competition* c = CurrentCompetition::get();
    ASSERT_TRUE(c);
    EXPECT_EQ(c->teamCount(), 3);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Ligue 1.2024"));
    // A team without pictures has no file; one with only an icon has only its icon file.
    EXPECT_EQ(cacheFiles(), (QStringList{"LENS_bla.tmp", "LENS_ico.tmp", "LILLE_ico.tmp"}));
    EXPECT_EQ(testsupport::readBytes(CrestCache::crestPath(QStringLiteral("LENS"))),
              QByteArray("GIF-LENS"));
    EXPECT_EQ(window.mnuMRU[1]->data().toString(), first);

    ASSERT_TRUE(Utilities::OpenCompetition(second));
    EXPECT_EQ(CurrentCompetition::get()->ptsLooser(), 1);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("National"));
    EXPECT_EQ(cacheFiles(), QStringList{"SEDAN_bla.tmp"}); // the previous teams are gone
    EXPECT_EQ(window.mnuMRU[1]->data().toString(), second);
    EXPECT_EQ(window.mnuMRU[2]->data().toString(), first);
}

TEST_F(OpenCompetitionTest, AFailedOpenChangesNothingThatIsCurrent)
{
    ASSERT_TRUE(Utilities::OpenCompetition(first));
    store::Competition* before = CurrentCompetition::get();
    const QString junk = dir.file(QStringLiteral("junk.dat"));
    testsupport::writeBytes(junk, QByteArray(5000, 'z'));
    for (const QString& bad : {junk, dir.file(QStringLiteral("gone.dat"))}) {
        MessageBox::clearShown();
        EXPECT_FALSE(Utilities::OpenCompetition(bad));
        ASSERT_EQ(MessageBox::shown().size(), 1);
        EXPECT_EQ(MessageBox::shown()[0].icon, MessageBox::Critical);
        EXPECT_TRUE(MessageBox::shown()[0].text.contains(bad));
        EXPECT_EQ(CurrentCompetition::get(), before);
        EXPECT_EQ(window.windowTitle(), QStringLiteral("Ligue 1.2024"));
        EXPECT_EQ(cacheFiles(), (QStringList{"LENS_bla.tmp", "LENS_ico.tmp", "LILLE_ico.tmp"}));
        EXPECT_EQ(window.recentFiles().paths(), QStringList{first});
    }
    EXPECT_FALSE(QFileInfo::exists(dir.file(QStringLiteral("gone.dat"))));
}

TEST_F(OpenCompetitionTest, ReopeningTheCurrentFileRebuildsTheCache)
{
    ASSERT_TRUE(Utilities::OpenCompetition(first));
    QFile::remove(CrestCache::iconPath(QStringLiteral("LILLE")));
    testsupport::writeBytes(QDir(CrestCache::folder()).filePath(QStringLiteral("stray.tmp")), "x");
    ASSERT_TRUE(Utilities::OpenCompetition(first));
    EXPECT_EQ(cacheFiles(), (QStringList{"LENS_bla.tmp", "LENS_ico.tmp", "LILLE_ico.tmp"}));
    EXPECT_EQ(window.recentFiles().paths(), QStringList{first});
}

TEST_F(OpenCompetitionTest, AnyTeamNameGetsItsCacheFilesInsideTheCache)
{
    const QString odd = dir.file(QStringLiteral("odd.dat"));
    const QStringList names{"../ESCAPE", "..", ".", "A/B", "RC \"LENS\""};
    std::vector<testsupport::TeamSpec> teams;
    for (const QString& name : names)
        teams.push_back({name, "GIF " + name.toUtf8(), "ICO " + name.toUtf8()});
    testsupport::makeCompetition(odd, teams);
    ASSERT_TRUE(Utilities::OpenCompetition(odd));
    EXPECT_TRUE(MessageBox::shown().isEmpty());
    EXPECT_EQ(cacheFiles(names).size(), 10);
    for (const QString& name : names) {
        EXPECT_EQ(QFileInfo(CrestCache::crestPath(name)).absolutePath(),
                  QFileInfo(CrestCache::folder()).absoluteFilePath());
        EXPECT_EQ(testsupport::readBytes(CrestCache::crestPath(name)), "GIF " + name.toUtf8());
        EXPECT_EQ(testsupport::readBytes(CrestCache::iconPath(name)), "ICO " + name.toUtf8());
    }
    EXPECT_FALSE(QFileInfo::exists(
        QDir(CrestCache::folder()).filePath(QStringLiteral("../ESCAPE_bla.tmp"))));
}

TEST_F(OpenCompetitionTest, ACacheWriteThatFailsIsReportedAndLeavesNoFile)
{
    {
        testsupport::FileSizeLimit full(4); // shorter than any picture
        ASSERT_TRUE(Utilities::OpenCompetition(first));
    }
    // One report per picture; no empty or partial file is taken for a crest.
    ASSERT_EQ(MessageBox::shown().size(), 3);
    for (const auto& m : MessageBox::shown())
        EXPECT_EQ(m.text,
                  QStringLiteral("Une erreur s'est produite pendant la mise en forme de l'image"));
    EXPECT_EQ(cacheFiles(), QStringList{});
    EXPECT_EQ(CurrentCompetition::get()->teamCount(), 3);
}

TEST_F(OpenCompetitionTest, OpenCommandAndRecentFileItems)
{
    cOpenSaveFile::setNextCancel();
    window.mnuFichier[1]->trigger();
    EXPECT_FALSE(CurrentCompetition::isOpen());
    ASSERT_EQ(cOpenSaveFile::requests().size(), 1);
    const auto& asked = cOpenSaveFile::requests()[0];
    EXPECT_FALSE(asked.save);
    EXPECT_EQ(asked.filter, QStringLiteral("Compétitions|*.dat"));
    EXPECT_TRUE(asked.flags & cOpenSaveFile::FileMustExistFlag);
    EXPECT_FALSE(asked.flags & cOpenSaveFile::AllowMultiSelectFlag);
    EXPECT_EQ(asked.owner, &window);

    cOpenSaveFile::setNextFileName(first);
    window.mnuFichier[1]->trigger();
    ASSERT_TRUE(CurrentCompetition::isOpen());
    ASSERT_TRUE(Utilities::OpenCompetition(second));

    window.mnuMRU[2]->trigger();
    EXPECT_EQ(QFileInfo(CurrentCompetition::get()->fileName()), QFileInfo(first));
    EXPECT_EQ(window.mnuMRU[1]->data().toString(), first);

    // A recent file deleted since: the system's message, the current competition stays.
    QFile::remove(second);
    MessageBox::clearShown();
    window.mnuMRU[2]->trigger();
    EXPECT_EQ(QFileInfo(CurrentCompetition::get()->fileName()), QFileInfo(first));
    ASSERT_EQ(MessageBox::shown().size(), 1);
    EXPECT_EQ(MessageBox::shown()[0].icon, MessageBox::Critical);
    EXPECT_EQ(window.mnuMRU[2]->data().toString(), second); // entries are never removed
}

TEST(MainWindowClose, RemovesTheCrestCache)
{
    TempDir dir;
    const QString path = dir.file(QStringLiteral("c.dat"));
    testsupport::makeCompetition(
        path, std::vector<testsupport::TeamSpec>{{QStringLiteral("A"), QByteArray("GIF"), {}}});
    {
        frmMain window;
        window.show();
        ASSERT_TRUE(Utilities::OpenCompetition(path));
        ASSERT_FALSE(cacheFiles().isEmpty());
        EXPECT_TRUE(window.close());
    }
    EXPECT_FALSE(QFileInfo::exists(CrestCache::folder()));
}

} // namespace
