#include "controls/cOpenSaveFile.h"

#include "controls/MessageBox.h"
#include "controls/mDialogHook.h"
#include "store/Utilities.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QQueue>
#include <QTimer>

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

} // namespace

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
    Script& s = script();
    if (s.on) {
        s.requests.append(
            {save, m_flags, DlgTitle, DefaultExt, InitDir, FileName, Filter, hwndOwner});
        return s.answers.isEmpty() ? QStringList() : s.answers.dequeue();
    }

    QFileDialog dialog(hwndOwner);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    if (save)
        dialog.setFileMode(QFileDialog::AnyFile);
    else if (AllowMultiSelect())
        dialog.setFileMode(QFileDialog::ExistingFiles);
    else
        dialog.setFileMode(FileMustExist() ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !OverWritePrompt());
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
    if (!InitDir.isEmpty())
        dialog.setDirectory(InitDir);
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
        const QStringList nameFilters = dialog.nameFilters();
        FilterIndex = int(nameFilters.indexOf(dialog.selectedNameFilter())) + 1;
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
