#include "store/CrestCache.h"
#include "store/DataFiles.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

using testsupport::TempDir;

namespace {

TEST(DataFiles, BesideTheProgramInTheBuildTreeInShareOnceInstalled)
{
    TempDir root;
    const QString bin = root.file(QStringLiteral("usr/bin"));
    ASSERT_TRUE(QDir().mkpath(bin));
    EXPECT_EQ(DataFiles::folder(bin), bin);

    ASSERT_TRUE(QDir().mkpath(root.file(QStringLiteral("usr/share/vemo"))));
    EXPECT_EQ(DataFiles::folder(bin), root.file(QStringLiteral("usr/share/vemo")));
}

// The tests run where they were built, their data files beside them.
TEST(DataFiles, ThisBuildFindsItsOwnFilesAndKeepsItsCrestCacheBesideThem)
{
    const QString here = QCoreApplication::applicationDirPath();
    EXPECT_TRUE(DataFiles::besideProgram());
    for (const char* name : {"Vemo.html", "Blason générique.gif", "Blason générique_24.ico"}) {
        const QString path = DataFiles::path(QString::fromUtf8(name));
        EXPECT_EQ(QFileInfo(path).absolutePath(), here);
        EXPECT_TRUE(QFileInfo::exists(path)) << name;
    }
    CrestCache::setFolderOverride(QString());
    EXPECT_EQ(CrestCache::folder(), QDir(here).filePath(QStringLiteral("imaTmp")));
    CrestCache::setFolderOverride(testsupport::settingsFolder() + QStringLiteral("/imaTmp"));
}

} // namespace
