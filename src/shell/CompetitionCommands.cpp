#include "shell/CompetitionCommands.h"

#include "controls/MessageBox.h"
#include "controls/cOpenSaveFile.h"
#include "controls/cSHFileOp.h"
#include "shell/AppHost.h"
#include "shell/frmMain.h"
#include "store/Competition.h"
#include "store/CompetitionFile.h"
#include "store/CrestCache.h"
#include "store/SafeSaveFile.h"
#include "store/SeasonRecord.h"
#include "store/Utilities.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

namespace Utilities {

namespace {

QWidget* owner()
{
    return AppHost::mainWindow();
}

void rebuildCrestCache(const std::vector<store::TeamPictures>& teams)
{
    CrestCache::clear();
    MakeFolder(CrestCache::folder());
    for (const store::TeamPictures& t : teams) {
        if (!t.blason.isEmpty())
            WriteFileBytes(CrestCache::crestPath(t.nom), t.blason);
        if (!t.icone.isEmpty())
            WriteFileBytes(CrestCache::iconPath(t.nom), t.icone);
    }
}

} // namespace

QByteArray ReadFileBytes(const QString& path)
{
    QByteArray bytes;
    if (!TryReadFileBytes(path, bytes))
        MessageBox::plain(
            owner(), QStringLiteral("Une erreur s'est produite pendant la lecture du fichier"));
    return bytes;
}

bool WriteFileBytes(const QString& path, const QByteArray& bytes)
{
    if (path.isEmpty() || !TryWriteFileBytes(path, bytes)) {
        MessageBox::plain(
            owner(),
            QStringLiteral("Une erreur s'est produite pendant la mise en forme de l'image"));
        return false;
    }
    return true;
}

bool OpenCompetition(const QString& path)
{
    // Everything is read and checked before the current competition is touched.
    store::OpenError error;
    std::vector<store::TeamPictures> pictures;
    auto competition = store::Competition::open(path, error, &pictures);
    if (!competition) {
        MessageBox::critical(owner(), store::describeOpenError(error, path));
        return false;
    }
    const QString fileName = competition->fileName();
    store::CurrentCompetition::replace(std::move(competition));

    frmMain* main = AppHost::mainWindow();
    if (main)
        main->competitionOpened();
    rebuildCrestCache(pictures);
    if (main) {
        main->setWindowTitle(StripExtension(FileNameFromPath(fileName)));
        main->closeCompetitionWindows();
        main->AddMRU(path);
        main->showFirstWorkingWindow();
    }
    return true;
}

bool IsCompetitionFile(std::unique_ptr<store::Database>& slot, const QString& path)
{
    store::DbError error;
    if (store::checkCompetitionFile(path, slot, error) == store::CompetitionCheck::Ok)
        return true;
    MessageBox::critical(owner(),
                         path + QStringLiteral(" n'est pas un fichier de compétition valide."));
    return false;
}

QString CreateCompetition(const store::SeasonSource* source)
{
    // The working file lives in a folder of its own that no one else can enter; the folder
    // and whatever is left in it go when this returns.
    QTemporaryDir folder(QDir(QDir::tempPath()).filePath(QStringLiteral("vemo-XXXXXX")));
    if (!folder.isValid()) {
        MessageBox::critical(owner(), QStringLiteral("Impossible de créer le fichier de travail."));
        return {};
    }
    const QString working = folder.filePath(QStringLiteral("nouvelle.dat"));
    if (store::createCompetitionFile(working)) {
        MessageBox::critical(owner(), QStringLiteral("Impossible de créer le fichier de données."));
        return {};
    }

    auto wizard = AppHost::makeWizard();
    if (!wizard)
        return {};
    wizard->GetDatabase(working);
    if (source)
        wizard->startFrom(*source);
    const QString chosen = wizard->showModal(owner());
    if (chosen.isEmpty())
        return {};
    if (store::SafeSaveFile::isLink(chosen)) {
        MessageBox::critical(owner(), store::SafeSaveFile::linkRefusal(chosen));
        return {};
    }

    // The open competition's own file is about to be replaced: let it go first.
    QString closed;
    if (store::CurrentCompetition::isOpen() &&
        QFileInfo(store::CurrentCompetition::get()->fileName()).absoluteFilePath() ==
            QFileInfo(chosen).absoluteFilePath()) {
        closed = store::CurrentCompetition::get()->fileName();
        store::CurrentCompetition::close();
    }

    cSHFileOp op;
    op.AddSourceFile(working);
    op.AddDestFile(chosen);
    op.SilentMode = true;
    op.ConfirmOperation = false;
    op.RenameOnCollision = false;
    op.ParentWnd = owner();
    if (op.MoveFiles()) {
        MessageBox::information(owner(), QStringLiteral("Nouvelle compétition créée."));
        return chosen;
    }
    MessageBox::critical(
        owner(),
        QStringLiteral("Une erreur s'est produite lors de la création de la compétition."));
    if (!closed.isEmpty())
        OpenCompetition(closed);
    return {};
}

QString CreateCompetitionFromData()
{
    cOpenSaveFile dialog;
    dialog.hwndOwner = owner();
    dialog.setAllowMultiSelect(false);
    dialog.setFileMustExist(true);
    dialog.DlgTitle = QStringLiteral("Nouveau à partir d'un fichier de données");
    dialog.Filter =
        QStringLiteral("Fichiers de données JSON et CSV|*.json;*.csv|Tous les fichiers|*");
    if (dialog.ShowOpen() != 1)
        return {};
    store::SourceError error;
    const auto source = store::readSeasonSource(dialog.FileName, error);
    const QString refusal = source ? store::seasonRefusal(*source) : error.message;
    if (!refusal.isEmpty()) {
        MessageBox::information(
            owner(), QStringLiteral("Aucune compétition ne peut être créée à partir de « %1 ».\n%2")
                         .arg(FileNameFromPath(dialog.FileName), refusal));
        return {};
    }
    return CreateCompetition(&*source);
}

} // namespace Utilities
