#include "controls/cOpenSaveFile.h"

#include "controls/MessageBox.h"
#include "controls/mDialogHook.h"
#include "store/Utilities.h"

#include "store/Competition.h"

#include <QApplication>
#include <QDateTime>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLocale>
#include <QQueue>
#include <QScopeGuard>
#include <QSettings>
#include <QTimer>
#include <QTreeView>

namespace {

struct Script
{
    bool on = false;
    QQueue<QStringList> answers; // an empty list is a cancel
    QList<cOpenSaveFile::Request> requests;
};

Script& script()
{
    static Script s;
    return s;
}

// Qt's file list writes sizes and dates in the system's conventions, "2.17 KiB" on a machine
// without a language: here they follow the program's own, "2,17 Kio" and "6 déc. 2026 14:05".
class FrenchFileList : public QIdentityProxyModel
{
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override
    {
        const int column = index.column();
        if (role != Qt::DisplayRole || (column != kSize && column != kDate))
            return QIdentityProxyModel::data(index, role);
        const auto* files = static_cast<const QFileSystemModel*>(sourceModel());
        const QFileInfo info = files->fileInfo(mapToSource(index));
        const QLocale french(QLocale::French, QLocale::France);
        if (column == kSize)
            return info.isDir() ? QString() : french.formattedDataSize(info.size());
        const QDateTime when = info.lastModified();
        return french.toString(when, QStringLiteral("d MMM yyyy HH:mm"));
    }

    static constexpr int kSize = 1, kType = 2, kDate = 3;
};

QSettings folderSettings()
{
    return QSettings(QSettings::UserScope, QStringLiteral("Zelto App Vemo"));
}

const QString kLastFolderKey = QStringLiteral("Dossiers/Dernier");

} // namespace

QString cOpenSaveFile::startFolder() const
{
    if (!InitDir.isEmpty())
        return InitDir;
    if (QFileInfo(FileName).isAbsolute())
        return QFileInfo(FileName).absolutePath();
    if (const store::Competition* c = store::CurrentCompetition::get()) {
        const QFileInfo file(c->fileName());
        if (file.absoluteDir().exists())
            return file.absolutePath();
    }
    const QString last = folderSettings().value(kLastFolderKey).toString();
    if (!last.isEmpty() && QFileInfo(last).isDir())
        return last;
    return QDir::homePath();
}

cOpenSaveFile::cOpenSaveFile() : hwndOwner(QApplication::activeWindow()) {}

QStringList cOpenSaveFile::qtFilters(const QString& filter)
{
    QStringList out;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString pattern = parts[i + 1];
        pattern.replace(QLatin1Char(';'), QLatin1Char(' '));
        out << QStringLiteral("%1 (%2)").arg(parts[i], pattern);
    }
    return out;
}

QStringList cOpenSaveFile::run(bool save)
{
    m_lastError = 0;
    const QString folder = startFolder();
    Script& s = script();
    if (s.on) {
        s.requests.append(
            {save, m_flags, DlgTitle, DefaultExt, folder, FileName, Filter, hwndOwner});
        return s.answers.isEmpty() ? QStringList() : s.answers.dequeue();
    }

    QFileDialog dialog(hwndOwner);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setProxyModel(new FrenchFileList(&dialog));
    dialog.resize(qMax(dialog.width(), 760), qMax(dialog.height(), 480));
    // Qt names the kinds of files in English only ("Folder", "unknown"): the column is left out,
    // and shown again before Qt keeps the layout of its columns for other programs.
    auto* details = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    if (details) {
        QHeaderView* header = details->header();
        const QFontMetrics metrics = details->fontMetrics();
        const int padding = 3 * metrics.averageCharWidth();
        details->setColumnHidden(FrenchFileList::kType, true);
        header->resizeSection(FrenchFileList::kSize,
                              metrics.horizontalAdvance(QStringLiteral("888,88 Kio")) + padding);
        header->resizeSection(FrenchFileList::kDate,
                              metrics.horizontalAdvance(QStringLiteral("30 sept. 2026 23:59")) +
                                  padding);
        header->resizeSection(0, qMax(header->sectionSize(0), 34 * metrics.averageCharWidth()));
    }
    const auto showTypes = qScopeGuard([details] {
        if (details)
            details->setColumnHidden(FrenchFileList::kType, false);
    });
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    if (save)
        dialog.setFileMode(QFileDialog::AnyFile);
    else if (AllowMultiSelect())
        dialog.setFileMode(QFileDialog::ExistingFiles);
    else
        dialog.setFileMode(FileMustExist() ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    // The question of replacing a file is asked here, in a box that shows the whole name.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.setWindowTitle(!DlgTitle.isEmpty() ? DlgTitle
                                              : (save ? QStringLiteral("Enregistrer sous")
                                                      : QStringLiteral("Ouvrir")));
    const QStringList filters = qtFilters(Filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        dialog.selectNameFilter(filters.value(qBound(1, FilterIndex, int(filters.size())) - 1));
    }
    if (!DefaultExt.isEmpty())
        dialog.setDefaultSuffix(DefaultExt);
    dialog.setDirectory(folder);
    if (!FileName.isEmpty())
        dialog.selectFile(FileName);
    if (hwndOwner)
        QTimer::singleShot(0, &dialog,
                           [&dialog, this] { mDialogHook::CenterOver(&dialog, hwndOwner); });

    for (;;) {
        if (dialog.exec() != QDialog::Accepted)
            return {};
        const QStringList files = dialog.selectedFiles();
        if (files.isEmpty())
            return {};
        const QFileInfo first(files.first());
        if (PathMustExist() && !first.absoluteDir().exists()) {
            MessageBox::warning(
                &dialog,
                QStringLiteral("Le dossier « %1 » n'existe pas.").arg(first.absolutePath()));
            continue;
        }
        if (!save && CreatePrompt() && !first.exists() &&
            !MessageBox::question(&dialog, QStringLiteral("Le fichier « %1 » n'existe pas.\n"
                                                          "Voulez-vous le créer ?")
                                               .arg(first.fileName())))
            continue;
        if (save && OverWritePrompt() && first.exists() &&
            !MessageBox::question(&dialog, QStringLiteral("Le fichier « %1 » existe déjà.\n"
                                                          "Voulez-vous le remplacer ?")
                                               .arg(first.fileName())))
            continue;
        const QStringList nameFilters = dialog.nameFilters();
        FilterIndex = int(nameFilters.indexOf(dialog.selectedNameFilter())) + 1;
        folderSettings().setValue(kLastFolderKey, first.absolutePath());
        return files;
    }
}

int cOpenSaveFile::accept(const QStringList& files)
{
    if (files.isEmpty())
        return 0;
    if (files.size() == 1) {
        FileName = files.first();
        m_fileTitle = Utilities::FileNameFromPath(FileName);
        return 1;
    }
    QStringList parts{QFileInfo(files.first()).absolutePath()};
    for (const QString& f : files)
        parts << QFileInfo(f).fileName();
    FileName = parts.join(QChar(u'\0'));
    m_fileTitle.clear();
    return int(files.size());
}

int cOpenSaveFile::ShowOpen()
{
    return accept(run(false));
}

bool cOpenSaveFile::ShowSave()
{
    setAllowMultiSelect(false);
    const QStringList files = run(true);
    return accept(files.mid(0, 1)) == 1;
}

int cOpenSaveFile::ErrCodeDlg(QString& message) const
{
    message = m_lastError != 0 ? QStringLiteral("Impossible d'afficher la boîte de dialogue.")
                               : QStringLiteral("L'utilisateur a annulé l'opération.");
    return m_lastError;
}

void cOpenSaveFile::setScripted(bool on)
{
    script() = Script{};
    script().on = on;
}

void cOpenSaveFile::setNextFileName(const QString& path)
{
    script().answers.enqueue({path});
}

void cOpenSaveFile::setNextFileNames(const QStringList& paths)
{
    script().answers.enqueue(paths);
}

void cOpenSaveFile::setNextCancel()
{
    script().answers.enqueue({});
}

const QList<cOpenSaveFile::Request>& cOpenSaveFile::requests()
{
    return script().requests;
}
