#include "controls/MessageBox.h"
#include "controls/cSHFileOp.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <sys/stat.h>

using testsupport::TempDir;

namespace {

class FileOpTest : public testing::Test
{
protected:
    QString make(const QString& name, const QByteArray& bytes = "data")
    {
        const QString p = dir.file(name);
        QDir().mkpath(QFileInfo(p).absolutePath());
        testsupport::writeBytes(p, bytes);
        return p;
    }
    TempDir dir;
};

TEST_F(FileOpTest, NothingToDoIsAFailure)
{
    cSHFileOp op;
    EXPECT_FALSE(op.CopyFiles());
    EXPECT_FALSE(op.DeleteFiles());
    op.AddSourceFile(make(QStringLiteral("a.txt")));
    EXPECT_FALSE(op.MoveFiles()); // no destination
    op.AddSourceFile(dir.file(QStringLiteral("missing.txt")));
    op.AddDestFile(dir.file(QStringLiteral("out")));
    op.SilentMode = true;
    EXPECT_FALSE(op.CopyFiles()); // one source is missing
}

TEST_F(FileOpTest, MoveReplacesOrRenamesOnCollision)
{
    const QString target = make(QStringLiteral("final.dat"), "old");
    cSHFileOp replace;
    replace.RenameOnCollision = false;
    replace.SilentMode = true;
    replace.AddSourceFile(make(QStringLiteral("work1.tmp"), "new"));
    replace.AddDestFile(target);
    EXPECT_TRUE(replace.MoveFiles());
    EXPECT_EQ(testsupport::readBytes(target), QByteArray("new"));
    EXPECT_FALSE(QFileInfo::exists(dir.file(QStringLiteral("work1.tmp"))));

    cSHFileOp rename; // renaming on collision is the default
    rename.AddSourceFile(make(QStringLiteral("work2.tmp"), "newer"));
    rename.AddDestFile(target);
    EXPECT_TRUE(rename.MoveFiles());
    EXPECT_EQ(testsupport::readBytes(target), QByteArray("new"));
    EXPECT_EQ(testsupport::readBytes(dir.file(QStringLiteral("final (2).dat"))),
              QByteArray("newer"));
}

TEST_F(FileOpTest, ConfirmationAnsweredNoKeepsTheTarget)
{
    const QString target = make(QStringLiteral("keep.dat"), "old");
    cSHFileOp op;
    op.RenameOnCollision = false;
    op.ConfirmOperation = true;
    op.AddSourceFile(make(QStringLiteral("w.tmp"), "new"));
    op.AddDestFile(target);
    MessageBox::setNextAnswer(false);
    EXPECT_FALSE(op.MoveFiles());
    EXPECT_EQ(testsupport::readBytes(target), QByteArray("old"));
    ASSERT_EQ(MessageBox::shown().size(), 1);
    EXPECT_EQ(MessageBox::shown()[0].icon, MessageBox::Question);
}

TEST_F(FileOpTest, MoveIntoAFolderThatCannotBeMadeFails)
{
    const QString blocker = make(QStringLiteral("blocker"));
    cSHFileOp op;
    op.SilentMode = true;
    op.AddSourceFile(make(QStringLiteral("w.tmp")));
    op.AddDestFile(blocker + QStringLiteral("/inside/x.dat"));
    EXPECT_FALSE(op.MoveFiles());
    EXPECT_TRUE(QFileInfo::exists(dir.file(QStringLiteral("w.tmp"))));
}

TEST_F(FileOpTest, WildcardDeleteEmptiesTheFolderAndKeepsIt)
{
    make(QStringLiteral("cache/A_bla.tmp"));
    make(QStringLiteral("cache/A_ico.tmp"));
    make(QStringLiteral("cache/noext"));
    make(QStringLiteral("other.txt"));
    cSHFileOp op;
    op.SilentMode = true;
    op.AddSourceFile(dir.file(QStringLiteral("cache/*.*")));
    EXPECT_TRUE(op.DeleteFiles());
    EXPECT_TRUE(QDir(dir.file(QStringLiteral("cache"))).isEmpty());
    EXPECT_TRUE(QFileInfo(dir.file(QStringLiteral("cache"))).isDir());
    EXPECT_TRUE(QFileInfo::exists(dir.file(QStringLiteral("other.txt"))));
}

TEST_F(FileOpTest, RecycleBinDeleteGoesToTheTrash)
{
    const QString victim = make(QStringLiteral("bin.dat"), "trashed");
    cSHFileOp op;
    op.RecycleBin = true;
    op.SilentMode = true;
    op.AddSourceFile(victim);
    ASSERT_TRUE(op.DeleteFiles());
    EXPECT_FALSE(QFileInfo::exists(victim));
    const QString trash =
        QDir(qEnvironmentVariable("XDG_DATA_HOME")).filePath(QStringLiteral("Trash/files"));
    bool found = false;
    for (const QFileInfo& fi : QDir(trash).entryInfoList(QDir::Files))
        found = found || testsupport::readBytes(fi.filePath()) == QByteArray("trashed");
    EXPECT_TRUE(found);
}

TEST_F(FileOpTest, CopyAndRenameKeepOrDropTheSource)
{
    const QString src = make(QStringLiteral("one.dat"), "1");
    cSHFileOp copy;
    copy.SilentMode = true;
    copy.AddSourceFile(src);
    copy.AddDestFile(dir.file(QStringLiteral("sub/one.dat")));
    EXPECT_TRUE(copy.CopyFiles());
    EXPECT_EQ(testsupport::readBytes(dir.file(QStringLiteral("sub/one.dat"))), QByteArray("1"));
    EXPECT_TRUE(QFileInfo::exists(src));

    cSHFileOp rename;
    rename.AddSourceFile(src);
    rename.AddDestFile(dir.file(QStringLiteral("two.dat")));
    EXPECT_TRUE(rename.RenameFiles());
    EXPECT_FALSE(QFileInfo::exists(src));
    EXPECT_EQ(testsupport::readBytes(dir.file(QStringLiteral("two.dat"))), QByteArray("1"));
}

TEST_F(FileOpTest, ACopyReplacesALinkNeverWhatItPointsTo)
{
    TempDir elsewhere;
    const QString victim = elsewhere.file(QStringLiteral("victime"));
    testsupport::writeBytes(victim, "à garder");
    const QString target = dir.file(QStringLiteral("copie.dat"));
    ASSERT_TRUE(QFile::link(victim, target));
    cSHFileOp replace;
    replace.SilentMode = true;
    replace.RenameOnCollision = false;
    replace.AddSourceFile(make(QStringLiteral("one.dat"), "1"));
    replace.AddDestFile(target);
    EXPECT_TRUE(replace.CopyFiles());
    EXPECT_FALSE(QFileInfo(target).isSymLink());
    EXPECT_EQ(testsupport::readBytes(target), QByteArray("1"));
    EXPECT_EQ(testsupport::readBytes(victim), QByteArray("à garder"));

    // A link that points nowhere is no free name either.
    const QString nowhere = elsewhere.file(QStringLiteral("absent"));
    ASSERT_TRUE(QFile::link(nowhere, dir.file(QStringLiteral("copie (2).dat"))));
    cSHFileOp rename;
    rename.SilentMode = true;
    rename.AddSourceFile(dir.file(QStringLiteral("one.dat")));
    rename.AddDestFile(target);
    EXPECT_TRUE(rename.CopyFiles());
    EXPECT_FALSE(QFileInfo::exists(nowhere));
    EXPECT_EQ(testsupport::readBytes(dir.file(QStringLiteral("copie (3).dat"))), QByteArray("1"));
    EXPECT_EQ(
        QDir(dir.path())
            .entryList({QStringLiteral("copie*")}, QDir::AllEntries | QDir::Hidden | QDir::System),
        (QStringList{"copie (2).dat", "copie (3).dat", "copie.dat"}));
}

TEST_F(FileOpTest, MoveAcrossFileSystems)
{
    struct stat a
    {
    }, b{};
    if (stat(QFile::encodeName(dir.path()).constData(), &a) != 0 || stat("/dev/shm", &b) != 0 ||
        a.st_dev == b.st_dev)
        GTEST_SKIP() << "no second file system to move to";
    QTemporaryDir other(QStringLiteral("/dev/shm/vemo-XXXXXX"));
    cSHFileOp op;
    op.SilentMode = true;
    op.RenameOnCollision = false;
    op.AddSourceFile(make(QStringLiteral("far.dat"), "far"));
    op.AddDestFile(QDir(other.path()).filePath(QStringLiteral("far.dat")));
    EXPECT_TRUE(op.MoveFiles());
    EXPECT_EQ(testsupport::readBytes(QDir(other.path()).filePath(QStringLiteral("far.dat"))),
              QByteArray("far"));
    EXPECT_FALSE(QFileInfo::exists(dir.file(QStringLiteral("far.dat"))));
    EXPECT_EQ(QDir(other.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("far.dat")});
}

} // namespace
