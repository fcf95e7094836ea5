#include "teams/frmImportEquipes.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

frmImportEquipes::frmImportEquipes(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmImportEquipes"));
    setWindowTitle(QStringLiteral("Importation d'équipes"));
    setModal(true);
    auto* prompt = new QLabel(QStringLiteral("&Sélectionnez les équipes à importer"), this);
    lstEquipes = new QListWidget(this);
    lstEquipes->setObjectName(QStringLiteral("lstEquipes"));
    lstEquipes->setSelectionMode(QAbstractItemView::MultiSelection);
    prompt->setBuddy(lstEquipes);
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("Annuler"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    connect(cmdOK, &QPushButton::clicked, this, [this] {
        Tag = QStringLiteral("OK");
        accept();
    });
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(lstEquipes, 1);
    layout->addLayout(buttons);
    resize(320, 400);
}
