// Shows the new-competition wizard with a few teams added through its own team dialog,
// for screenshots. Not installed.
#include "controls/mLanguage.h"
#include "store/CompetitionFile.h"
#include "teams/frmEditEquipe.h"
#include "teams/frmNouveau.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

namespace {

// Types a name into the next team dialog and saves it.
void answerTeamDialog(const QString& name)
{
    QTimer::singleShot(50, [name] {
        if (auto* d = qobject_cast<frmEditEquipe*>(QApplication::activeModalWidget())) {
            d->txtNom->setText(name);
            d->cmdSave->click();
        }
    });
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    mLanguage::InstallQtTranslations();
    QTemporaryDir folder;
    const QString working = folder.filePath(QStringLiteral("nouvelle.dat"));
    if (!folder.isValid() || store::createCompetitionFile(working))
        return 1;
    frmNouveau wizard;
    wizard.GetDatabase(working);
    wizard.move(40, 40);
    wizard.show();
    QTimer::singleShot(200, [&wizard] {
        wizard.txtCompet->setText(QStringLiteral("Ligue 1"));
        for (const char* team :
             {" racing club de lens", "lille osc", "fc metz ", "stade brestois"}) {
            answerTeamDialog(QString::fromUtf8(team));
            wizard.cmdListe[0]->click();
        }
    });
    return app.exec();
}
