#include "shell/StartOptions.h"

#include "shell/VersionInfo.h"

#include <QCommandLineParser>
#include <QDir>
#include <QUrl>

namespace {

const char kUsage[] = R"(Usage : vemo [FICHIER.dat]

Démarre Vemo. Avec FICHIER.dat, ouvre cette compétition comme le fait
Fichier > Ouvrir. Si Vemo est déjà ouvert, c'est lui qui ouvre le fichier et
passe au premier plan.

Options :
  -h, --help     affiche cette aide
  -v, --version  affiche la version de Vemo
)";

// The options that Qt reads itself (the session manager restarts the program with -session,
// for one): accepted here and left to Qt.
const char kQtValueOptions[] = "platform platformpluginpath platformtheme plugin qmljsdebugger "
                               "qwindowgeometry qwindowicon qwindowtitle session display "
                               "geometry style stylesheet name title";
const char kQtFlags[] = "reverse widgetcount nograb dograb sync";

StartOptions refuse(const QString& why)
{
    StartOptions o;
    o.action = StartOptions::Refuse;
    o.text = QStringLiteral("vemo : %1 (vemo --help).\n").arg(why);
    return o;
}

} // namespace

StartOptions StartOptions::parse(const QStringList& arguments, const QString& currentFolder)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    parser.addOption(help);
    parser.addOption(version);
    for (const QString& name : QString::fromLatin1(kQtValueOptions).split(QLatin1Char(' ')))
        parser.addOption(QCommandLineOption(name, QString(), QStringLiteral("x")));
    for (const QString& name : QString::fromLatin1(kQtFlags).split(QLatin1Char(' ')))
        parser.addOption(QCommandLineOption(name));

    const bool parsed = parser.parse(arguments);
    StartOptions o;
    if (parser.isSet(help)) {
        o.action = Help;
        o.text = QString::fromUtf8(kUsage);
        return o;
    }
    if (parser.isSet(version)) {
        o.action = Version;
        o.text = QStringLiteral("%1 %2.%3.%4\n")
                     .arg(QString::fromUtf8(VersionInfo::ProductName))
                     .arg(VersionInfo::Major)
                     .arg(VersionInfo::Minor)
                     .arg(VersionInfo::Revision);
        return o;
    }
    if (!parsed) {
        const QStringList unknown = parser.unknownOptionNames();
        if (unknown.isEmpty())
            return refuse(QStringLiteral("une option attend une valeur"));
        const QString& name = unknown.first();
        return refuse(
            QStringLiteral("option inconnue « %1%2 »")
                .arg(name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--"), name));
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        return refuse(QStringLiteral("un seul fichier à la fois"));
    if (files.isEmpty())
        return o;
    QString file = files.first();
    // A file manager may name the file by its URL.
    if (file.startsWith(QLatin1String("file:")))
        file = QUrl(file).toLocalFile();
    if (file.isEmpty())
        return refuse(QStringLiteral("le nom du fichier est vide"));
    o.file = QDir::cleanPath(QDir(currentFolder).absoluteFilePath(file));
    return o;
}
