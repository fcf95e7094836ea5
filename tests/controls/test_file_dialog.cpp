#include "controls/cOpenSaveFile.h"
#include "controls/mDialogHook.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>
#include <QtTest/QTest>
#include <gtest/gtest.h>

namespace {

TEST(FileDialog, FilterTextBecomesQtNameFilters)
{
    EXPECT_EQ(cOpenSaveFile::qtFilters(QStringLiteral("Compétitions|*.dat")),
              QStringList{QStringLiteral("Compétitions (*.dat)")});
    EXPECT_EQ(
        cOpenSaveFile::qtFilters(QStringLiteral("Image Gif|*.gif|Tous|*.gif;*.ico")),
        (QStringList{QStringLiteral("Image Gif (*.gif)"), QStringLiteral("Tous (*.gif *.ico)")}));
    EXPECT_TRUE(cOpenSaveFile::qtFilters(QString()).isEmpty());
}

TEST(FileDialog, InitialFlagsAndBooleanProperties)
{
    cOpenSaveFile d;
    EXPECT_EQ(d.flags(), 0x80026u);
    EXPECT_TRUE(d.HideReadOnly());
    EXPECT_TRUE(d.OverWritePrompt());
    d.setAllowMultiSelect(true);
    d.setFileMustExist(true);
    d.setOverWritePrompt(false);
    EXPECT_EQ(d.flags(), (0x80026u | 0x200u | 0x1000u) & ~0x2u);
}

TEST(FileDialog, OpenReturnsTheCountAndTheChosenNames)
{
    cOpenSaveFile d;
    d.setAllowMultiSelect(true);
    cOpenSaveFile::setNextFileNames({"/data/a.dat", "/data/b.dat", "/data/c.dat"});
    EXPECT_EQ(d.ShowOpen(), 3);
    EXPECT_EQ(d.FileName, QStringLiteral("/data") + QChar(u'\0') + QStringLiteral("a.dat") +
                              QChar(u'\0') + QStringLiteral("b.dat") + QChar(u'\0') +
                              QStringLiteral("c.dat"));

    cOpenSaveFile::setNextFileNames({"/data/only.dat"});
    EXPECT_EQ(d.ShowOpen(), 1);
    EXPECT_EQ(d.FileName, QStringLiteral("/data/only.dat"));
    EXPECT_EQ(d.FileTitle(), QStringLiteral("only.dat"));
}

TEST(FileDialog, CancelLeavesTheUserCancelledMessage)
{
    cOpenSaveFile d;
    d.FileName = QStringLiteral("proposed.dat");
    cOpenSaveFile::setNextCancel();
    EXPECT_EQ(d.ShowOpen(), 0);
    EXPECT_FALSE(d.ShowSave()); // nothing queued: a cancel as well
    QString message;
    EXPECT_EQ(d.ErrCodeDlg(message), 0);
    EXPECT_EQ(message, QStringLiteral("L'utilisateur a annulé l'opération."));
    EXPECT_EQ(d.FileName, QStringLiteral("proposed.dat"));
}

TEST(FileDialog, SaveClearsMultipleSelection)
{
    cOpenSaveFile d;
    d.setAllowMultiSelect(true);
    cOpenSaveFile::setNextFileName(QStringLiteral("/x/new.dat"));
    EXPECT_TRUE(d.ShowSave());
    EXPECT_FALSE(d.AllowMultiSelect());
    ASSERT_EQ(cOpenSaveFile::requests().size(), 1);
    EXPECT_TRUE(cOpenSaveFile::requests()[0].save);
    EXPECT_EQ(cOpenSaveFile::requests()[0].flags & 0x200u, 0u);
    EXPECT_EQ(d.FileName, QStringLiteral("/x/new.dat"));
}

TEST(FileDialog, CentredOverTheFormButNeverOffScreen)
{
    QPoint at;
    ASSERT_TRUE(mDialogHook::CenteredPosition(QRect(100, 50, 400, 300), QSize(200, 101), at));
    EXPECT_EQ(at, QPoint(200, 149)); // halves rounded toward zero
    ASSERT_TRUE(mDialogHook::CenteredPosition(QRect(10, 10, 300, 200), QSize(800, 600), at));
    EXPECT_EQ(at, QPoint(0, 0));
    EXPECT_FALSE(mDialogHook::CenteredPosition(QRect(-500, 10, 400, 200), QSize(10, 10), at));
}

TEST(FileDialog, TheRealDialogReturnsTheFileTheUserPicked)
{
    cOpenSaveFile::setScripted(false);
    testsupport::TempDir dir;
    testsupport::writeBytes(dir.file(QStringLiteral("saison.dat")), "x");
    QWidget owner;
    owner.resize(600, 400);
    owner.show();
    cOpenSaveFile d;
    d.hwndOwner = &owner;
    d.setFileMustExist(true);
    d.Filter = QStringLiteral("Compétitions|*.dat");
    d.InitDir = dir.path();
    bool seen = false;
    QTimer::singleShot(0, [&] {
        QFileDialog* dialog = nullptr;
        QTRY_VERIFY((dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())));
        seen = dialog->nameFilters() == QStringList{QStringLiteral("Compétitions (*.dat)")} &&
               dialog->fileMode() == QFileDialog::ExistingFile;
        dialog->selectFile(dir.file(QStringLiteral("saison.dat")));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    EXPECT_EQ(d.ShowOpen(), 1);
    EXPECT_TRUE(seen);
    EXPECT_EQ(d.FileName, dir.file(QStringLiteral("saison.dat")));
    EXPECT_EQ(d.FileTitle(), QStringLiteral("saison.dat"));
}

} // namespace
