#include "shell/mShellExecute.h"

#include "controls/MessageBox.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace mShellExecute {

namespace {

constexpr int kSuccess = 42;
constexpr int kFileNotFound = 2;
constexpr int kPathNotFound = 3;
constexpr int kAccessDenied = 5;
constexpr int kNoAssociation = 31;

QUrl urlOf(const QString& document)
{
    const QUrl url(document, QUrl::StrictMode);
    if (url.isValid() && url.scheme().size() > 1) // a drive letter is no scheme
        return url;
    return QUrl::fromLocalFile(QFileInfo(document).absoluteFilePath());
}

// Checks a local document before it is handed to the desktop.
int localFileResult(const QString& path)
{
    const QFileInfo fi(path);
    if (!fi.absoluteDir().exists())
        return kPathNotFound;
    if (!fi.exists())
        return kFileNotFound;
    if (!fi.isReadable())
        return kAccessDenied;
    return kSuccess;
}

} // namespace

QString ErrorMessage(int result)
{
    switch (result) {
    case 0:
    case 8:
        return QStringLiteral("Mémoire insuffisante.");
    case 2:
        return QStringLiteral("Fichier non trouvé.");
    case 3:
        return QStringLiteral("Erreur dans le chemin.");
    case 5:
        return QStringLiteral("Accès au fichier refusé.");
    case 11:
        return QStringLiteral("Erreur lors de l'ouverture du fichier.");
    case 26:
        return QStringLiteral("Violation de partage.");
    case 27:
        return QStringLiteral("Ce type de fichier n'a pas d'association valide.");
    case 28:
        return QStringLiteral("Délai d'attente dépassé.");
    case 29:
        return QStringLiteral("Erreur dans la transaction DDE.");
    case 30:
        return QStringLiteral("L'application demandée est occupée.");
    case 31:
        return QStringLiteral("Aucune application n'est associée à ce type de fichier.");
    case 32:
        return QStringLiteral("Une DLL requise n'a pas été trouvée.");
    default:
        if (result > 32)
            return {};
        return QStringLiteral("Une erreur est survenue pendant l'ouverture du fichier.");
    }
}

int ShellOpenDocument(const QString& document, const QString&, const QString&, const QString&, int,
                      QWidget* owner, bool messages)
{
    int result = kFileNotFound;
    if (!document.isEmpty()) {
        const QUrl url = urlOf(document);
        result = url.isLocalFile() ? localFileResult(url.toLocalFile()) : kSuccess;
        if (result == kSuccess && !QDesktopServices::openUrl(url))
            result = kNoAssociation;
    }
    if (messages && result <= 32)
        MessageBox::critical(owner, ErrorMessage(result));
    return result;
}

} // namespace mShellExecute
