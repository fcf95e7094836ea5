#include "controls/MessageBox.h"
#include "shell/AppHost.h"
#include "shell/CompetitionCommands.h"
#include "shell/frmMain.h"
#include "store/Competition.h"
#include "store/CompetitionFile.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <sys/stat.h>

using store::CurrentCompetition;
using testsupport::TempDir;

namespace {

// Stands in for the wizard: adds teams to the working file and answers a chosen path.
struct ScriptedWizard : INewCompetitionWizard
{
    static inline QString answer;
    static inline QString workingFile;
    static inline bool sawFreshFile = false;

    static inline mode_t folderMode = 0;

    void GetDatabase(const QString& file) override
    {
        workingFile = file;
        // Only its owner may enter the working file's folder.
        struct stat st
        {
        };
        stat(QFile::encodeName(QFileInfo(file).path()).constData(), &st);
        folderMode = st.st_mode;
    }
    void startFrom(const store::SeasonSource&) override {}
    QString showModal(QWidget*) override
    {
        std::unique_ptr<store::Database> db;
        sawFreshFile = Utilities::IsCompetitionFile(db, workingFile);
        if (answer.isEmpty()) {
            db.reset();
            QFile::remove(workingFile);
            return {};
        }
        (void)db->addRow(QStringLiteral("Equipes"),
                         {{QStringLiteral("Nom"), QStringLiteral("NOUVELLE")}});
        (void)store::writeProperty(*db, QStringLiteral("Championnat"), QStringLiteral("Ligue"));
        return answer;
    }
};

class CreateCompetitionTest : public testing::Test
{
protected:
    void SetUp() override
    {
        AppHost::setWizardFactory([] { return std::make_unique<ScriptedWizard>(); });
        ScriptedWizard::answer.clear();
        ScriptedWizard::workingFile.clear();
        ScriptedWizard::sawFreshFile = false;
        ScriptedWizard::folderMode = 0;
    }
    void TearDown() override { AppHost::setWizardFactory({}); }
    TempDir dir;
    frmMain window;
};

TEST_F(CreateCompetitionTest, TheFinishedFileIsMovedThereAndOpened)
{
    ScriptedWizard::answer = dir.file(QStringLiteral("Ligue 2025.dat"));
    window.mnuFichier[0]->trigger();
    EXPECT_TRUE(ScriptedWizard::sawFreshFile);
    EXPECT_EQ(ScriptedWizard::folderMode, mode_t(S_IFDIR | 0700));
    EXPECT_FALSE(QFileInfo::exists(ScriptedWizard::workingFile));
    EXPECT_FALSE(QFileInfo::exists(QFileInfo(ScriptedWizard::workingFile).path()));
    ASSERT_TRUE(CurrentCompetition::isOpen());
    EXPECT_EQ(QFileInfo(CurrentCompetition::get()->fileName()), QFileInfo(ScriptedWizard::answer));
    EXPECT_EQ(CurrentCompetition::get()->teamList().at(0).nom, QStringLiteral("NOUVELLE"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Ligue 2025"));
    ASSERT_EQ(MessageBox::shown().size(), 1);
    EXPECT_EQ(MessageBox::shown()[0].icon, MessageBox::Information);
    EXPECT_EQ(MessageBox::shown()[0].text, QStringLiteral("Nouvelle compétition créée."));
}

TEST_F(CreateCompetitionTest, CancellingCreatesNothing)
{
    EXPECT_TRUE(Utilities::CreateCompetition().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(ScriptedWizard::workingFile));
    EXPECT_TRUE(MessageBox::shown().isEmpty());
    EXPECT_FALSE(CurrentCompetition::isOpen());
}

TEST_F(CreateCompetitionTest, ChoosingTheOpenFileReplacesIt)
{
    const QString current = dir.file(QStringLiteral("courant.dat"));
    testsupport::makeCompetition(current, QStringList{QStringLiteral("ANCIENNE")});
    ASSERT_TRUE(Utilities::OpenCompetition(current));
    ScriptedWizard::answer = current;
    window.mnuFichier[0]->trigger();
    ASSERT_TRUE(CurrentCompetition::isOpen());
    ASSERT_EQ(CurrentCompetition::get()->teamList().size(), 1u);
    EXPECT_EQ(CurrentCompetition::get()->teamList()[0].nom, QStringLiteral("NOUVELLE"));
}

TEST_F(CreateCompetitionTest, AFailedMoveReopensTheClosedCompetition)
{
    const QString current = dir.file(QStringLiteral("courant.dat"));
    testsupport::makeCompetition(current, QStringList{QStringLiteral("ANCIENNE")});
    ASSERT_TRUE(Utilities::OpenCompetition(current));
    // The target's folder is a file: the move cannot succeed.
    testsupport::writeBytes(dir.file(QStringLiteral("blocker")), "x");
    ScriptedWizard::answer = dir.file(QStringLiteral("blocker/new.dat"));
    EXPECT_TRUE(Utilities::CreateCompetition().isEmpty());
    ASSERT_FALSE(MessageBox::shown().isEmpty());
    EXPECT_EQ(MessageBox::shown().last().icon, MessageBox::Critical);
    EXPECT_EQ(MessageBox::shown().last().text,
              QStringLiteral("Une erreur s'est produite lors de la création de la compétition."));
    ASSERT_TRUE(CurrentCompetition::isOpen());
    EXPECT_EQ(CurrentCompetition::get()->teamList()[0].nom, QStringLiteral("ANCIENNE"));
    EXPECT_FALSE(QFileInfo::exists(ScriptedWizard::workingFile));
}

TEST_F(CreateCompetitionTest, ALinkChosenAsTheFileIsRefusedAndLeftAsItWas)
{
    const QString current = dir.file(QStringLiteral("courant.dat"));
    testsupport::makeCompetition(current, QStringList{QStringLiteral("ANCIENNE")});
    ASSERT_TRUE(Utilities::OpenCompetition(current));
    const QByteArray before = testsupport::readBytes(current);
    ScriptedWizard::answer = dir.file(QStringLiteral("lien.dat"));
    ASSERT_TRUE(QFile::link(current, ScriptedWizard::answer));
    EXPECT_TRUE(Utilities::CreateCompetition().isEmpty());
    ASSERT_FALSE(MessageBox::shown().isEmpty());
    EXPECT_EQ(MessageBox::shown().last().icon, MessageBox::Critical);
    EXPECT_EQ(MessageBox::shown().last().text,
              QStringLiteral("« %1 » est un lien symbolique : Vemo ne l'écrase pas. Choisissez un "
                             "autre nom de fichier.")
                  .arg(ScriptedWizard::answer));
    EXPECT_TRUE(QFileInfo(ScriptedWizard::answer).isSymLink());
    EXPECT_EQ(testsupport::readBytes(current), before);
    ASSERT_TRUE(CurrentCompetition::isOpen());
    EXPECT_EQ(CurrentCompetition::get()->teamList()[0].nom, QStringLiteral("ANCIENNE"));
    EXPECT_FALSE(QFileInfo::exists(ScriptedWizard::workingFile));
}

TEST(IsCompetitionFile, RefusesWithThePathInTheMessage)
{
    TempDir dir;
    const QString other = dir.file(QStringLiteral("autre.dat"));
    testsupport::makeCompetition(other, QStringList{QStringLiteral("A")});
    {
        auto db = testsupport::openFile(other);
        ASSERT_TRUE(
            store::writeProperty(*db, QStringLiteral("App"), QStringLiteral("ZELTO VEMO")).ok());
    }
    std::unique_ptr<store::Database> slot;
    EXPECT_FALSE(Utilities::IsCompetitionFile(slot, other));
    EXPECT_TRUE(slot); // opened, but not ours: the caller closes it
    ASSERT_EQ(MessageBox::shown().size(), 1);
    EXPECT_EQ(MessageBox::shown()[0].icon, MessageBox::Critical);
    EXPECT_EQ(MessageBox::shown()[0].text,
              other + QStringLiteral(" n'est pas un fichier de compétition valide."));
}

} // namespace
