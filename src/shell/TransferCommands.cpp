#include "shell/TransferCommands.h"

#include "controls/MessageBox.h"
#include "controls/cOpenSaveFile.h"
#include "printing/ReportDocument.h"
#include "shell/PreviewZoom.h"
#include "shell/frmAlias.h"
#include "store/Competition.h"
#include "store/CompetitionFile.h"
#include "store/ResultImporter.h"
#include "store/SafeSaveFile.h"
#include "store/SeasonUpdate.h"
#include "store/Teams.h"
#include "store/Utilities.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProgressDialog>

namespace TransferCommands {

namespace {

ReportHeader header()
{
    ReportHeader h;
    if (store::Competition* c = store::CurrentCompetition::get()) {
        QVariant v;
        if (store::readProperty(c->db(), QStringLiteral("Championnat"), v).ok())
            h.competition = v.toString();
        if (store::readProperty(c->db(), QStringLiteral("Saison"), v).ok())
            h.season = v.toString();
    }
    return h;
}

// "Ligue 1 - Classement Général J12": the competition's file name, then what is shown.
QString proposedName(const ShownView& view)
{
    QString base;
    if (store::Competition* c = store::CurrentCompetition::get())
        base = Utilities::StripExtension(Utilities::FileNameFromPath(c->fileName()));
    QString name = base.isEmpty() ? view.name : base + QStringLiteral(" - ") + view.name;
    // Characters that a file name cannot hold here become spaces.
    name.replace(QLatin1Char('/'), QLatin1Char(' '));
    return name;
}

QString askSavePath(QWidget* owner, const ShownView& view, const char* filter, const char* ext)
{
    cOpenSaveFile dialog;
    dialog.hwndOwner = owner;
    dialog.setOverWritePrompt(true);
    dialog.setPathMustExist(true);
    dialog.Filter = QString::fromUtf8(filter);
    dialog.DefaultExt = QString::fromLatin1(ext);
    dialog.FileName = proposedName(view);
    return dialog.ShowSave() ? dialog.FileName : QString();
}

void tellIfNotSaved(QWidget* owner, const QString& path, store::SafeSaveFile::Status status)
{
    if (status != store::SafeSaveFile::Done)
        MessageBox::critical(
            owner, store::SafeSaveFile::describe(
                       status, path,
                       QStringLiteral("Le fichier « %1 » n'a pas pu être écrit.").arg(path)));
}

bool nothingShown(QWidget* owner, const ShownView& view, const QString& what)
{
    if (!view.isEmpty())
        return false;
    MessageBox::information(owner, QStringLiteral("Cette fenêtre ne montre rien à %1.").arg(what));
    return true;
}

// A season's file from a public source: the names no team bears are asked, kept, and the file
// brings what it has that is new.
bool importSource(QWidget* owner, store::Competition& competition, const QString& path)
{
    const QString nothing = QStringLiteral("Aucun résultat n'a été importé.\n");
    store::SourceError error;
    std::optional<store::SeasonSource> source = store::readSeasonSource(path, error);
    if (!source) {
        MessageBox::information(
            owner,
            nothing + QStringLiteral("« %1 » : %2").arg(QFileInfo(path).fileName(), error.message));
        return false;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    store::SeasonUpdate u = store::updateSeason(competition, *source);
    QApplication::restoreOverrideCursor();
    // Names that are no team's, found by the import and written nothing: each is asked, then
    // the import runs again with the answers.
    std::vector<store::TeamAlias> aliases;
    if (!u.unknown.isEmpty()) {
        std::vector<QString> teams;
        if (store::DbError e = store::loadTeamNames(competition.db(), teams)) {
            MessageBox::critical(owner, QStringLiteral("Les équipes de la compétition n'ont pas "
                                                       "pu être lues. ") +
                                            store::describeError(e));
            return false;
        }
        for (int i = 0; i < u.unknown.size(); ++i) {
            frmAlias ask(u.unknown[i], store::closestTeams(u.unknown[i], teams), i + 1,
                         int(u.unknown.size()), owner);
            if (ask.exec() != QDialog::Accepted) {
                MessageBox::information(owner, QStringLiteral("Importation annulée : rien n'a "
                                                              "été enregistré."));
                return false;
            }
            aliases.push_back({u.unknown[i], ask.chosenTeam()});
        }
        QApplication::setOverrideCursor(Qt::WaitCursor);
        u = store::updateSeason(competition, std::move(*source), aliases);
        QApplication::restoreOverrideCursor();
    }
    if (u.error) {
        MessageBox::critical(owner, QStringLiteral("Les résultats n'ont pas été enregistrés. ") +
                                        store::describeError(u.error));
        return false;
    }
    if (!u.ok()) {
        MessageBox::information(owner, nothing + u.refusal);
        return false;
    }
    MessageBox::information(owner, u.report().join(QLatin1Char('\n')));
    return u.added + u.scheduled + u.moved > 0 || !aliases.empty();
}

} // namespace

bool importResults(QWidget* owner)
{
    store::Competition* competition = store::CurrentCompetition::get();
    if (!competition)
        return false;
    cOpenSaveFile dialog;
    dialog.hwndOwner = owner;
    dialog.setAllowMultiSelect(false);
    dialog.setFileMustExist(true);
    dialog.DlgTitle = QStringLiteral("Importer des résultats");
    dialog.Filter = QStringLiteral("Résultats (CSV, JSON)|*.csv;*.json|Tous les fichiers|*");
    if (dialog.ShowOpen() != 1)
        return false;
    const QString path = dialog.FileName;
    if (QFile head(path);
        head.open(QIODevice::ReadOnly) && store::looksLikeSeasonSource(head.read(4096)))
        return importSource(owner, *competition, path);

    store::ResultImporter importer(*competition);
    std::unique_ptr<QProgressDialog> progress;
    if (QFileInfo(path).size() > kProgressFrom) {
        progress = std::make_unique<QProgressDialog>(QStringLiteral("Importation des résultats…"),
                                                     QStringLiteral("Annuler"), 0, 1000, owner);
        progress->setObjectName(QStringLiteral("dlgImportation"));
        progress->setWindowTitle(QStringLiteral("Vemo"));
        progress->setWindowModality(Qt::WindowModal);
        progress->setMinimumDuration(0);
        progress->setAutoClose(false);
        progress->setAutoReset(false);
        progress->setValue(0);
        QProgressDialog* shown = progress.get();
        // The window keeps answering while the file is read and written.
        importer.setProgress([shown](int permille) {
            shown->setValue(permille);
            QApplication::processEvents();
            return !shown->wasCanceled();
        });
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const store::ResultImporter::Outcome outcome = importer.importFile(path);
    QApplication::restoreOverrideCursor();
    progress.reset();

    switch (outcome.status) {
    case store::ResultImporter::Status::Imported: {
        QString told = outcome.imported == 1
                           ? QStringLiteral("1 résultat importé")
                           : QStringLiteral("%1 résultats importés").arg(outcome.imported);
        if (outcome.scheduled > 0)
            told += outcome.scheduled == 1
                        ? QStringLiteral(", 1 rencontre à jouer ajoutée au calendrier")
                        : QStringLiteral(", %1 rencontres à jouer ajoutées au calendrier")
                              .arg(outcome.scheduled);
        MessageBox::information(owner, told + QLatin1Char('.'));
        return outcome.imported > 0 || outcome.scheduled > 0;
    }
    case store::ResultImporter::Status::Cancelled:
        MessageBox::information(owner, outcome.message);
        return false;
    case store::ResultImporter::Status::Refused:
        MessageBox::information(owner, QStringLiteral("Aucun résultat n'a été importé.\n") +
                                           outcome.message);
        return false;
    case store::ResultImporter::Status::WriteFailed:
        MessageBox::critical(owner, outcome.message);
        return false;
    }
    return false;
}

void exportView(QWidget* owner, const ShownView& view)
{
    if (nothingShown(owner, view, QStringLiteral("exporter")))
        return;
    const QString path = askSavePath(owner, view, "Fichiers CSV|*.csv", "csv");
    if (path.isEmpty())
        return;
    tellIfNotSaved(owner, path, store::SafeSaveFile::save(path, tablesToCsv(view.tables)));
}

void printView(QWidget* owner, const ShownView& view)
{
    if (nothingShown(owner, view, QStringLiteral("imprimer")) || !view.render)
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(proposedName(view));
    QPrintPreviewDialog preview(&printer, owner);
    preview.setObjectName(QStringLiteral("dlgApercu"));
    preview.setWindowTitle(QStringLiteral("Aperçu avant impression"));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&view](QPrinter* target) {
                         ReportDocument doc(*target, header(), view.orientation);
                         if (doc.isValid())
                             view.render(doc);
                     });
    preview.resize(900, 700);
    PreviewZoom::install(preview);
    preview.exec();
}

void exportPdf(QWidget* owner, const ShownView& view)
{
    if (nothingShown(owner, view, QStringLiteral("exporter")) || !view.render)
        return;
    const QString path = askSavePath(owner, view, "Documents PDF|*.pdf", "pdf");
    if (path.isEmpty())
        return;
    store::SafeSaveFile file(path);
    store::SafeSaveFile::Status status = file.open();
    if (status == store::SafeSaveFile::Done) {
        bool ok = false;
        {
            QPdfWriter writer(&file.device());
            writer.setTitle(proposedName(view));
            writer.setCreator(QStringLiteral("Vemo"));
            ReportDocument doc(writer, header(), view.orientation);
            ok = doc.isValid();
            if (ok)
                view.render(doc);
        }
        status = ok && file.device().pos() > 0 ? file.commit() : store::SafeSaveFile::Failed;
    }
    tellIfNotSaved(owner, path, status);
}

} // namespace TransferCommands
