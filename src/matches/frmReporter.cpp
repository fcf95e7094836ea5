#include "matches/frmReporter.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

frmReporter::frmReporter(const QString& pairing, int journee, int matchdays, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmReporter"));
    setWindowTitle(QStringLiteral("Reporter la rencontre"));
    auto* what = new QLabel(
        QStringLiteral("%1 est prévue à la Journée %2.").arg(pairing).arg(journee), this);
    what->setWordWrap(true);
    cboJournee = new QComboBox(this);
    cboJournee->setObjectName(QStringLiteral("cboJournée"));
    for (int j = 1; j <= matchdays; ++j)
        cboJournee->addItem(QStringLiteral("Journée %1").arg(j), j);
    cboJournee->setCurrentIndex(qBound(0, journee - 1, cboJournee->count() - 1));
    cboJournee->setAccessibleName(QStringLiteral("Nouvelle journée"));
    auto* label = new QLabel(QStringLiteral("&Nouvelle journée :"), this);
    label->setBuddy(cboJournee);

    cmdOK = new QPushButton(QStringLiteral("Reporter"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("Annuler"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* field = new QHBoxLayout;
    field->addWidget(label);
    field->addWidget(cboJournee, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(what);
    layout->addLayout(field);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    cboJournee->setFocus();
}

int frmReporter::chosenMatchday() const
{
    return cboJournee->currentData().toInt();
}
