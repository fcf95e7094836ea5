#include "shell/frmAlias.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QStringListModel>
#include <QVBoxLayout>

frmAlias::frmAlias(const QString& name, const QStringList& teams, int which, int count,
                   QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAlias"));
    setWindowTitle(count > 1 ? QStringLiteral("Équipe inconnue (%1 sur %2)").arg(which).arg(count)
                             : QStringLiteral("Équipe inconnue"));
    auto* what = new QLabel(QStringLiteral("Le fichier nomme « %1 », qui n'est le nom d'aucune "
                                           "équipe de la compétition. De quelle équipe "
                                           "s'agit-il ?")
                                .arg(name),
                            this);
    what->setWordWrap(true);
    what->setTextFormat(Qt::PlainText);

    m_teams = new QStringListModel(teams, this);
    lstEquipes = new QListView(this);
    lstEquipes->setObjectName(QStringLiteral("lstEquipes"));
    lstEquipes->setModel(m_teams);
    lstEquipes->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstEquipes->setSelectionMode(QAbstractItemView::SingleSelection);
    lstEquipes->setAccessibleName(QStringLiteral("Équipe"));
    lstEquipes->setCurrentIndex(m_teams->index(0));
    auto* label = new QLabel(QStringLiteral("É&quipe (les noms les plus proches d'abord) :"), this);
    label->setBuddy(lstEquipes);
    auto* kept = new QLabel(QStringLiteral("Vemo retiendra ce nom : les prochaines importations "
                                           "ne le demanderont plus."),
                            this);
    kept->setWordWrap(true);

    cmdOK = new QPushButton(QStringLiteral("&Retenir"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdOK->setEnabled(!teams.isEmpty());
    cmdCancel = new QPushButton(QStringLiteral("Annuler l'importation"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(lstEquipes, &QListView::activated, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(what);
    layout->addWidget(label);
    layout->addWidget(lstEquipes, 1);
    layout->addWidget(kept);
    layout->addLayout(buttons);
    resize(440, 380);
    lstEquipes->setFocus();
}

QString frmAlias::chosenTeam() const
{
    return lstEquipes->currentIndex().data().toString();
}
