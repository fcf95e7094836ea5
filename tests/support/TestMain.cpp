#include "support/TestSupport.h"

#include "controls/mLanguage.h"
#include "store/CrestCache.h"

#include <QApplication>
#include <QDir>
#include <QLocale>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Every test starts from the same state; nothing leaks between tests.
class ResetListener : public testing::EmptyTestEventListener
{
    void OnTestStart(const testing::TestInfo&) override { testsupport::resetApplicationState(); }
};

} // namespace

int main(int argc, char** argv)
{
    // Settings, the desktop folders and the crest cache live in a folder of this run only.
    const QString root = testsupport::settingsFolder();
    qputenv("XDG_CONFIG_HOME", QDir(root).filePath(QStringLiteral("config")).toUtf8());
    qputenv("XDG_DATA_HOME", QDir(root).filePath(QStringLiteral("data")).toUtf8());
    qputenv("XDG_CACHE_HOME", QDir(root).filePath(QStringLiteral("cache")).toUtf8());
    qputenv("XDG_RUNTIME_DIR", QDir(root).filePath(QStringLiteral("runtime")).toUtf8());
    QDir().mkpath(QDir(root).filePath(QStringLiteral("runtime")));
    // Temporary files of this run stay apart from those of other programs.
    QDir().mkpath(QDir(root).filePath(QStringLiteral("tmp")));
    qputenv("TMPDIR", QDir(root).filePath(QStringLiteral("tmp")).toUtf8());
    QFile::setPermissions(QDir(root).filePath(QStringLiteral("runtime")),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vemo"));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       QDir(root).filePath(QStringLiteral("config")));
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       QDir(root).filePath(QStringLiteral("config")));
    CrestCache::setFolderOverride(QDir(root).filePath(QStringLiteral("imaTmp")));
    // Numbers, dates and the dialogs of Qt read as the program's users see them.
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    mLanguage::InstallQtTranslations();

    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new ResetListener);
    return RUN_ALL_TESTS();
}
