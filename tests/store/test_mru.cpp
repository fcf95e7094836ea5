#include "shell/frmMain.h"
#include "store/Mru.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QSettings>
#include <gtest/gtest.h>

namespace {

const QString kApp = QStringLiteral("Zelto App Vemo");

QStringList stored()
{
    QSettings s(QSettings::UserScope, kApp);
    s.beginGroup(QStringLiteral("MRU"));
    QStringList out;
    for (int n = 1; n <= 8; ++n)
        out << s.value(QString::number(n)).toString();
    return out;
}

void store(const QStringList& values)
{
    QSettings s(QSettings::UserScope, kApp);
    s.beginGroup(QStringLiteral("MRU"));
    for (int n = 1; n <= values.size(); ++n)
        if (!values[n - 1].isNull())
            s.setValue(QString::number(n), values[n - 1]);
}

QString p(int i)
{
    return QStringLiteral("/compet/saison%1.dat").arg(i);
}

TEST(Mru, FirstStartShowsNoEntriesAndNoSeparator)
{
    frmMain w;
    for (QAction* a : w.mnuMRU)
        EXPECT_FALSE(a->isVisible());
}

TEST(Mru, SevenFilesKeepTheLastSixNewestFirst)
{
    Mru mru(kApp);
    for (int i = 1; i <= 7; ++i)
        mru.add(p(i));
    EXPECT_EQ(mru.paths(), (QStringList{p(7), p(6), p(5), p(4), p(3), p(2)}));
    EXPECT_EQ(stored().mid(0, 6), mru.paths());

    frmMain w; // a new start reads them back into the menu
    EXPECT_TRUE(w.mnuMRU[0]->isVisible());
    EXPECT_EQ(w.mnuMRU[1]->text(), QStringLiteral("&1. saison7.dat"));
    EXPECT_EQ(w.mnuMRU[1]->data().toString(), p(7));
    EXPECT_EQ(w.mnuMRU[6]->text(), QStringLiteral("&6. saison2.dat"));
}

TEST(Mru, ReopeningMovesTheEntryUpAndLeavesTheRest)
{
    Mru mru(kApp);
    for (int i = 6; i >= 1; --i)
        mru.add(p(i));
    ASSERT_EQ(mru.paths(), (QStringList{p(1), p(2), p(3), p(4), p(5), p(6)}));
    EXPECT_TRUE(mru.add(p(4)));
    EXPECT_EQ(mru.paths(), (QStringList{p(4), p(1), p(2), p(3), p(5), p(6)}));
    // Paths differing in letter case are two entries.
    mru.add(QStringLiteral("/c/Saison.dat"));
    mru.add(QStringLiteral("/c/saison.dat"));
    EXPECT_EQ(mru.paths().mid(0, 2), (QStringList{"/c/saison.dat", "/c/Saison.dat"}));
}

TEST(Mru, TheFirstEntryAgainChangesNothingNotEvenTheSettings)
{
    store({p(1), p(2)});
    Mru mru(kApp);
    mru.load();
    store({QString(), QStringLiteral("changed elsewhere")});
    EXPECT_FALSE(mru.add(p(1)));
    EXPECT_EQ(stored()[1], QStringLiteral("changed elsewhere"));
}

TEST(Mru, AGapEndsTheListAndLaterKeysAreOverwritten)
{
    store({p(1), p(2), QString(), p(4), p(5)});
    Mru mru(kApp);
    mru.load();
    EXPECT_EQ(mru.paths(), (QStringList{p(1), p(2)}));
    mru.add(p(8));
    mru.add(p(9));
    EXPECT_EQ(stored().mid(0, 5), (QStringList{p(9), p(8), p(1), p(2), p(5)}));
}

TEST(Mru, CaptionShowsTheFileNameWithItsAmpersandsVisible)
{
    EXPECT_EQ(Mru::caption(3, QStringLiteral("/a/b/Ligue 1 & 2.dat")),
              QStringLiteral("&3. Ligue 1 && 2.dat"));
    EXPECT_EQ(Mru::caption(1, QStringLiteral("plain.dat")), QStringLiteral("&1. plain.dat"));
}

} // namespace
