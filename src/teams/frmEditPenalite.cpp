#include "teams/frmEditPenalite.h"

#include "controls/MessageBox.h"
#include "controls/RangeSpinBox.h"
#include "controls/SaveCancel.h"
#include "store/Penalties.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

frmEditPenalite::frmEditPenalite(const store::Penalty& penalty, int lastMatchday, Saver saver,
                                 QWidget* parent)
    : QDialog(parent), m_penalty(penalty), m_lastMatchday(lastMatchday), m_saver(std::move(saver))
{
    setObjectName(QStringLiteral("frmEditPenalite"));
    setWindowTitle(penalty.rowid ? QStringLiteral("Modifier une pénalité")
                                 : QStringLiteral("Ajouter une pénalité"));
    setModal(true);

    lblEquipe = new QLabel(penalty.equipe, this);
    lblEquipe->setObjectName(QStringLiteral("lblEquipe"));
    lblEquipe->setTextFormat(Qt::PlainText);
    lblEquipe->setAccessibleName(QStringLiteral("Equipe"));
    spnPoints = new RangeSpinBox(1, 255, this);
    spnPoints->setObjectName(QStringLiteral("spnPoints"));
    spnPoints->setValue(qBound(1, penalty.points, 255));
    spnPoints->setAccessibleName(QStringLiteral("Points retirés"));
    spnJournee = new RangeSpinBox(1, qMax(1, lastMatchday), this);
    spnJournee->setObjectName(QStringLiteral("spnJournee"));
    spnJournee->setValue(qBound(1, penalty.journee, qMax(1, lastMatchday)));
    spnJournee->setAccessibleName(QStringLiteral("A partir de la journée"));
    txtMotif = new QLineEdit(penalty.motif, this);
    txtMotif->setObjectName(QStringLiteral("txtMotif"));
    txtMotif->setMaxLength(store::kPenaltyReasonLength);
    txtMotif->setAccessibleName(QStringLiteral("Motif"));
    txtMotif->setMinimumWidth(320);

    const auto label = [this](const QString& caption, QWidget* buddy) {
        auto* l = new QLabel(caption, this);
        l->setBuddy(buddy);
        return l;
    };
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Equipe"), this), 0, 0);
    grid->addWidget(lblEquipe, 0, 1);
    grid->addWidget(label(QStringLiteral("&Points retirés"), spnPoints), 1, 0);
    grid->addWidget(spnPoints, 1, 1, Qt::AlignLeft);
    grid->addWidget(label(QStringLiteral("A partir de la &journée"), spnJournee), 2, 0);
    grid->addWidget(spnJournee, 2, 1, Qt::AlignLeft);
    grid->addWidget(label(QStringLiteral("M&otif"), txtMotif), 3, 0);
    grid->addWidget(txtMotif, 3, 1);
    grid->setColumnStretch(1, 1);

    const SaveCancel buttons = SaveCancel::make(this);
    cmdSave = buttons.save;
    cmdCancel = buttons.cancel;
    connect(cmdSave, &QPushButton::clicked, this, &frmEditPenalite::cmdSave_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    buttons.layOut(this, grid);
    spnPoints->setFocus();
}

void frmEditPenalite::cmdSave_Click()
{
    store::Penalty p = m_penalty;
    p.points = spnPoints->value();
    p.journee = spnJournee->value();
    p.motif = txtMotif->text().trimmed();
    QString problem = store::penaltyProblem(p.points, p.journee, p.motif, m_lastMatchday);
    if (problem.isEmpty() && m_saver)
        problem = m_saver(p);
    if (!problem.isEmpty()) {
        MessageBox::information(this, problem);
        QAbstractSpinBox* box = !spnPoints->inRange()    ? spnPoints
                                : !spnJournee->inRange() ? spnJournee
                                                         : nullptr;
        if (box) {
            box->setFocus();
            box->selectAll();
        } else if (!store::penaltyProblem(1, 1, p.motif, 1).isEmpty()) {
            txtMotif->setFocus();
        }
        return;
    }
    m_penalty = p;
    accept();
}
