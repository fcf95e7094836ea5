#include "controls/cSHFileOp.h"

#include "controls/MessageBox.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProgressDialog>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

fs::path toPath(const QString& p)
{
    return fs::path(QFile::encodeName(p).toStdString());
}

// Qt gives up on the home trash when the data folder does not exist yet, and then moves
// the file to a folder relative to the working directory: make sure the folder exists and
// that the file really went to a trash.
bool moveToTrash(const QString& path)
{
    QDir().mkpath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    QString where;
    if (!QFile::moveToTrash(path, &where))
        return false;
    if (QFileInfo(where).isAbsolute())
        return true;
    QFile::rename(where, path); // put it back
    return false;
}

// Copies into a private folder beside the target, then renames the copy over it: nothing is
// written through a link there, and a failure leaves the target as it was.
bool copyThenRename(const QString& from, const QString& to)
{
    QTemporaryDir folder(QFileInfo(to).absoluteFilePath() + QStringLiteral(".XXXXXX"));
    if (!folder.isValid())
        return false;
    const fs::path copy = toPath(folder.filePath(QFileInfo(to).fileName()));
    std::error_code ec;
    fs::copy(toPath(from), copy, fs::copy_options::recursive, ec);
    if (!ec)
        fs::rename(copy, toPath(to), ec);
    return !ec;
}

bool hasWildcard(const QString& name)
{
    return name.contains(QLatin1Char('*')) || name.contains(QLatin1Char('?'));
}

} // namespace

QString cSHFileOp::collisionFreeName(const QString& path)
{
    const QFileInfo fi(path);
    const QString base = fi.completeBaseName();
    const QString suffix = fi.suffix().isEmpty() ? QString() : QLatin1Char('.') + fi.suffix();
    for (int n = 2;; ++n) {
        const QString candidate =
            fi.dir().filePath(QStringLiteral("%1 (%2)%3").arg(base).arg(n).arg(suffix));
        if (!QFileInfo::exists(candidate) && !QFileInfo(candidate).isSymLink())
            return candidate;
    }
}

QStringList cSHFileOp::expandedSources() const
{
    QStringList out;
    for (const QString& source : m_sources) {
        const QFileInfo fi(source);
        if (!hasWildcard(fi.fileName())) {
            out << source;
            continue;
        }
        QString pattern = fi.fileName();
        if (pattern == QLatin1String("*.*"))
            pattern = QStringLiteral("*"); // every name, with or without an extension
        QDir::Filters filters = QDir::Files | QDir::Hidden | QDir::System;
        if (IncludeDirectories)
            filters |= QDir::Dirs | QDir::NoDotAndDotDot;
        const QDir dir = fi.dir();
        for (const QString& name : dir.entryList({pattern}, filters))
            out << dir.filePath(name);
    }
    return out;
}

bool cSHFileOp::confirm(const QString& question) const
{
    return !ConfirmOperation || MessageBox::question(ParentWnd, question);
}

bool cSHFileOp::transfer(Operation op, const QString& from, QString to)
{
    std::error_code ec;
    const QFileInfo source(from);
    if (!source.exists() && !source.isSymLink())
        return false;
    if (QFileInfo(to).isDir() && op != Rename)
        to = QDir(to).filePath(source.fileName());
    if (QFileInfo(to).absoluteFilePath() == source.absoluteFilePath()) {
        if (op != Copy)
            return true;
        if (!RenameOnCollision)
            return false;
        to = collisionFreeName(to);
    }
    const QString folder = QFileInfo(to).absolutePath();
    if (!QDir(folder).exists()) {
        if (ConfirmMakeDir &&
            !MessageBox::question(ParentWnd, QStringLiteral("Le dossier « %1 » "
                                                            "n'existe pas. Voulez-vous le créer ?")
                                                 .arg(folder)))
            return false;
        if (!QDir().mkpath(folder))
            return false;
    }
    if (QFileInfo::exists(to) || QFileInfo(to).isSymLink()) {
        if (RenameOnCollision && op != Rename) {
            to = collisionFreeName(to);
        } else {
            if (!confirm(QStringLiteral("Le fichier « %1 » existe déjà. Voulez-vous le remplacer ?")
                             .arg(QFileInfo(to).fileName())))
                return false;
            if (QFileInfo(to).isDir() && !QFileInfo(to).isSymLink())
                return false;
        }
    }
    if (op == Copy)
        return copyThenRename(from, to);
    fs::rename(toPath(from), toPath(to), ec);
    if (!ec)
        return true;
    if (ec != std::errc::cross_device_link || !copyThenRename(from, to))
        return false;
    fs::remove_all(toPath(from), ec);
    return true;
}

bool cSHFileOp::perform(Operation op)
{
    if (m_sources.isEmpty())
        return false;
    const QStringList sources = expandedSources();
    if (op != Delete && m_dests.isEmpty())
        return false;
    const bool pairwise = m_dests.size() > 1;
    if (pairwise && m_dests.size() != m_sources.size())
        return false;

    QProgressDialog* progress = nullptr;
    if (!SilentMode && sources.size() > 1 &&
        qobject_cast<QApplication*>(QCoreApplication::instance())) {
        progress =
            new QProgressDialog(Title.isEmpty() ? QStringLiteral("Opération en cours...") : Title,
                                QStringLiteral("Annuler"), 0, int(sources.size()), ParentWnd);
        progress->setWindowTitle(QStringLiteral("Vemo"));
        progress->setMinimumDuration(500);
    }
    bool ok = true;
    bool aborted = false;
    for (qsizetype i = 0; i < sources.size(); ++i) {
        if (progress) {
            progress->setValue(int(i));
            if (progress->wasCanceled()) {
                aborted = true;
                break;
            }
        }
        const QString& from = sources[i];
        if (op == Delete) {
            if (!confirm(QStringLiteral("Voulez-vous vraiment supprimer « %1 » ?")
                             .arg(QFileInfo(from).fileName())))
                continue;
            if (RecycleBin) {
                ok = moveToTrash(from) && ok;
            } else {
                std::error_code ec;
                ok = fs::remove_all(toPath(from), ec) > 0 && !ec && ok;
            }
            continue;
        }
        // Several sources and one destination: the destination is a folder.
        const QString to = pairwise ? m_dests[i]
                           : sources.size() > 1
                               ? QDir(m_dests.first()).filePath(QFileInfo(from).fileName())
                               : m_dests.first();
        ok = transfer(op, from, to) && ok;
    }
    delete progress;
    return ok && !aborted;
}
