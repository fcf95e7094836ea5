#include "controls/SaveCancel.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

SaveCancel SaveCancel::make(QDialog* dialog)
{
    SaveCancel b;
    b.save = new QPushButton(QStringLiteral("&Enregistrer"), dialog);
    b.save->setObjectName(QStringLiteral("cmdSave"));
    b.save->setDefault(true);
    b.cancel = new QPushButton(QStringLiteral("&Annuler"), dialog);
    b.cancel->setObjectName(QStringLiteral("cmdCancel"));
    return b;
}

void SaveCancel::layOut(QDialog* dialog, QLayout* fields) const
{
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(save);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(dialog);
    layout->addLayout(fields);
    layout->addStretch();
    layout->addLayout(buttons);
}
