#include "controls/MessageBox.h"
#include "controls/cOpenSaveFile.h"
#include "controls/mDialogHook.h"
#include "support/TestSupport.h"

#include <QAbstractProxyModel>
#include <QApplication>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QLocale>
#include <QTimer>
#include <QTreeView>
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

TEST(FileDialog, TheRealDialogReadsInFrenchAndRemembersTheFolder)
{
    cOpenSaveFile::setScripted(false);
    testsupport::TempDir dir;
    const QString file = dir.file(QStringLiteral("saison.dat"));
    testsupport::writeBytes(file, QByteArray(2222, 'x'));
    QWidget owner;
    owner.resize(600, 400);
    owner.show();
    // Runs the real dialog and picks `pick`, reading what it shows of `file` meanwhile.
    const auto run = [&](cOpenSaveFile& d, bool save, const QString& pick) {
        QStringList shown;
        QTimer::singleShot(0, [&] {
            QFileDialog* dialog = nullptr;
            QTRY_VERIFY((dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())));
            shown << dialog->directory().absolutePath();
            auto* files = dialog->findChild<QFileSystemModel*>();
            auto* details = dialog->findChild<QTreeView*>(QStringLiteral("treeView"));
            const QModelIndex size = dialog->proxyModel()->mapFromSource(files->index(file, 1));
            QTRY_VERIFY(!size.data().toString().isEmpty());
            shown << size.data().toString() << size.siblingAtColumn(3).data().toString()
                  << (details->isColumnHidden(2) ? QStringLiteral("sans type") : QString());
            dialog->selectFile(pick);
            QMetaObject::invokeMethod(dialog, "accept");
        });
        const bool chosen = save ? d.ShowSave() : d.ShowOpen() == 1;
        return chosen ? shown : QStringList();
    };

    cOpenSaveFile open;
    open.hwndOwner = &owner;
    open.setFileMustExist(true);
    open.Filter = QStringLiteral("Compétitions|*.dat");
    open.InitDir = dir.path();
    const QStringList shown = run(open, false, file);
    ASSERT_EQ(shown.size(), 4);
    EXPECT_EQ(shown[1], QStringLiteral("2,17 Kio"));
    EXPECT_TRUE(shown[2].contains(
        QLocale(QLocale::French)
            .monthName(QFileInfo(file).lastModified().date().month(), QLocale::ShortFormat)))
        << shown[2].toStdString();
    EXPECT_EQ(shown[3], QStringLiteral("sans type"));
    EXPECT_EQ(open.FileName, file);

    // The next dialog, with no folder asked for and no competition open, opens where the last
    // one ended; replacing a file is asked in French.
    cOpenSaveFile save;
    save.hwndOwner = &owner;
    MessageBox::setNextAnswer(true);
    QTimer::singleShot(0, [&] {
        QFileDialog* dialog = nullptr;
        QTRY_VERIFY((dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())));
        EXPECT_EQ(dialog->directory().absolutePath(), dir.path());
        dialog->selectFile(file);
        QMetaObject::invokeMethod(dialog, "accept");
    });
    EXPECT_TRUE(save.ShowSave());
    ASSERT_EQ(MessageBox::shown().size(), 1);
    EXPECT_EQ(MessageBox::shown()[0].text,
              QStringLiteral("Le fichier « saison.dat » existe déjà.\nVoulez-vous le remplacer ?"));
    EXPECT_EQ(save.FileName, file);
}

} // namespace
