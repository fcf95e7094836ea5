#include "store/SafeSaveFile.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <sys/stat.h>

using store::SafeSaveFile;
using testsupport::TempDir;

namespace {

mode_t modeOf(const QString& path)
{
    struct stat st
    {
    };
    EXPECT_EQ(::lstat(QFile::encodeName(path).constData(), &st), 0);
    return st.st_mode & 07777;
}

QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                  QDir::NoDotAndDotDot);
}

TEST(SafeSaveFileTest, ANewFileGetsTheUsualPermissionsAndAReplacedOneKeepsItsOwn)
{
    TempDir dir;
    const QString file = dir.file(QStringLiteral("export.csv"));
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ASSERT_EQ(SafeSaveFile::save(file, "un"), SafeSaveFile::Done);
    EXPECT_EQ(testsupport::readBytes(file), QByteArray("un"));
    EXPECT_EQ(modeOf(file), 0666 & ~mask);

    ASSERT_EQ(::chmod(QFile::encodeName(file).constData(), 0640), 0);
    ASSERT_EQ(SafeSaveFile::save(file, "deux"), SafeSaveFile::Done);
    EXPECT_EQ(testsupport::readBytes(file), QByteArray("deux"));
    EXPECT_EQ(modeOf(file), mode_t(0640));
    EXPECT_EQ(entries(dir.path()), QStringList{QStringLiteral("export.csv")});
}

TEST(SafeSaveFileTest, ALinkPutThereWhileWritingIsRefusedAllTheSame)
{
    TempDir dir, elsewhere;
    const QString victim = elsewhere.file(QStringLiteral("victime"));
    testsupport::writeBytes(victim, "à garder");
    const QString late = dir.file(QStringLiteral("c.pdf"));
    SafeSaveFile file(late);
    ASSERT_EQ(file.open(), SafeSaveFile::Done);
    file.device().write("x");
    ASSERT_TRUE(QFile::link(victim, late));
    EXPECT_EQ(file.commit(), SafeSaveFile::Link);
    EXPECT_EQ(testsupport::readBytes(victim), QByteArray("à garder"));
    EXPECT_TRUE(QFileInfo(late).isSymLink());
    EXPECT_EQ(entries(dir.path()), QStringList{QStringLiteral("c.pdf")});
}

TEST(SafeSaveFileTest, PlaceNewNeverReplacesAnything)
{
    TempDir dir, elsewhere;
    const QString built = dir.file(QStringLiteral("travail.dat"));
    testsupport::writeBytes(built, "nouveau");
    const QString existing = dir.file(QStringLiteral("ancien.dat"));
    testsupport::writeBytes(existing, "ancien");
    const QString nowhere = elsewhere.file(QStringLiteral("absent"));
    const QString dangling = dir.file(QStringLiteral("lien.dat"));
    ASSERT_TRUE(QFile::link(nowhere, dangling));

    EXPECT_EQ(SafeSaveFile::placeNew(built, existing), SafeSaveFile::Taken);
    EXPECT_EQ(testsupport::readBytes(existing), QByteArray("ancien"));
    EXPECT_EQ(SafeSaveFile::placeNew(built, dangling), SafeSaveFile::Link);
    EXPECT_FALSE(QFileInfo::exists(nowhere));

    const QString fresh = dir.file(QStringLiteral("nouveau.dat"));
    EXPECT_EQ(SafeSaveFile::placeNew(built, fresh), SafeSaveFile::Done);
    EXPECT_EQ(testsupport::readBytes(fresh), QByteArray("nouveau"));
    EXPECT_FALSE(QFileInfo::exists(built));
}

} // namespace
