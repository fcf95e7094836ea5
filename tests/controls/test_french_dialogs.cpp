#include "controls/cOpenSaveFile.h"
#include "support/TestSupport.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

// Qt's texts are French on a French system and on one without a language (the C locale).
class FrenchDialogs : public testing::Test
{
protected:
    void SetUp() override
    {
        const QLocale::Language language = QLocale::system().language();
        if (language != QLocale::French && language != QLocale::C)
            GTEST_SKIP() << "the system's language keeps Qt's own texts";
    }
};

TEST_F(FrenchDialogs, StandardButtonsReadInFrench)
{
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel | QMessageBox::Close);
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), QStringLiteral("Annuler"));
    EXPECT_EQ(box.button(QMessageBox::Close)->text(), QStringLiteral("Fermer"));

    QDialogButtonBox buttons(QDialogButtonBox::Save | QDialogButtonBox::Cancel);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Annuler"));
    EXPECT_EQ(buttons.button(QDialogButtonBox::Save)->text(), QStringLiteral("Enregistrer"));
}

TEST_F(FrenchDialogs, TheProgramsFileDialogReadsInFrench)
{
    testsupport::TempDir dir;
    cOpenSaveFile::setScripted(false);
    QStringList labels;
    QString cancel;
    testsupport::onNextModal<QFileDialog>([&](QFileDialog* d) {
        for (const char* name : {"lookInLabel", "fileNameLabel", "fileTypeLabel"})
            if (auto* label = d->findChild<QLabel*>(QString::fromLatin1(name)))
                labels << label->text();
        if (auto* box = d->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox")))
            cancel = box->button(QDialogButtonBox::Cancel)->text();
        d->reject();
    });
    cOpenSaveFile open;
    open.InitDir = dir.path();
    open.Filter = QStringLiteral("Compétitions|*.dat");
    EXPECT_EQ(open.ShowOpen(), 0);
    ASSERT_EQ(labels.size(), 3);
    EXPECT_EQ(labels[0], QStringLiteral("Voir dans :"));
    EXPECT_EQ(labels[1], QStringLiteral("&Nom de fichier :"));
    EXPECT_EQ(labels[2], QStringLiteral("Fichiers de type :"));
    EXPECT_EQ(cancel, QStringLiteral("Annuler"));
}

} // namespace
