#include "teams/frmPenalites.h"

#include "controls/ListView.h"
#include "controls/MessageBox.h"
#include "store/Penalties.h"
#include "store/TextChecks.h"
#include "teams/PenaltyListModel.h"
#include "teams/frmEditPenalite.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString notSaved(const store::DbError& e)
{
    return QStringLiteral("Modifications non sauvegardées. ") + store::describeError(e);
}

} // namespace

frmPenalites::frmPenalites(store::Database& db, const QString& team, int lastMatchday,
                           QWidget* parent)
    : QDialog(parent), m_db(db), m_team(team), m_lastMatchday(lastMatchday)
{
    setObjectName(QStringLiteral("frmPenalites"));
    setWindowTitle(QStringLiteral("Pénalités de ") + team);
    setModal(true);

    auto* caption =
        new QLabel(QStringLiteral("&Points retirés à %1 :")
                       .arg(QString(team).replace(QLatin1Char('&'), QStringLiteral("&&"))),
                   this);
    caption->setTextFormat(Qt::PlainText);
    m_model = new PenaltyListModel(this);
    lstPenalites = new ListView(this);
    lstPenalites->setObjectName(QStringLiteral("lstPenalites"));
    lstPenalites->setAccessibleName(QStringLiteral("Pénalités de ") + team);
    lstPenalites->setListModel(m_model);
    lstPenalites->setRowHeights(lstPenalites->fontMetrics().height() + 6);
    lstPenalites->horizontalHeader()->setStretchLastSection(true);
    lstPenalites->setColumnWidth(PenaltyListModel::Journee, 70);
    lstPenalites->setColumnWidth(PenaltyListModel::Points, 60);
    caption->setBuddy(lstPenalites);
    lblTotal = new QLabel(this);
    lblTotal->setObjectName(QStringLiteral("lblTotal"));

    cmdAjouter = new QPushButton(QStringLiteral("A&jouter…"), this);
    cmdAjouter->setObjectName(QStringLiteral("cmdAjouter"));
    cmdModifier = new QPushButton(QStringLiteral("&Modifier…"), this);
    cmdModifier->setObjectName(QStringLiteral("cmdModifier"));
    cmdSupprimer = new QPushButton(QStringLiteral("&Supprimer"), this);
    cmdSupprimer->setObjectName(QStringLiteral("cmdSupprimer"));
    cmdFermer = new QPushButton(QStringLiteral("&Fermer"), this);
    cmdFermer->setObjectName(QStringLiteral("cmdFermer"));
    for (QPushButton* b : {cmdAjouter, cmdModifier, cmdSupprimer, cmdFermer})
        b->setAutoDefault(false);
    connect(cmdAjouter, &QPushButton::clicked, this, &frmPenalites::cmdAjouter_Click);
    connect(cmdModifier, &QPushButton::clicked, this, &frmPenalites::cmdModifier_Click);
    connect(cmdSupprimer, &QPushButton::clicked, this, &frmPenalites::cmdSupprimer_Click);
    connect(cmdFermer, &QPushButton::clicked, this, &QDialog::accept);
    connect(lstPenalites, &ListView::rowSelectionChanged, this, &frmPenalites::selectionChanged);
    connect(lstPenalites, &ListView::rowDoubleClicked, this, &frmPenalites::cmdModifier_Click);
    connect(lstPenalites, &ListView::keyPressed, this, [this](QKeyEvent* key) {
        if (key->key() == Qt::Key_Delete && cmdSupprimer->isEnabled())
            cmdSupprimer_Click();
        else if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
                 cmdModifier->isEnabled())
            cmdModifier_Click();
    });

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdAjouter);
    buttons->addWidget(cmdModifier);
    buttons->addWidget(cmdSupprimer);
    buttons->addStretch();
    buttons->addWidget(cmdFermer);
    auto* list = new QVBoxLayout;
    list->addWidget(caption);
    list->addWidget(lstPenalites, 1);
    list->addWidget(lblTotal);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(list, 1);
    layout->addLayout(buttons);
    resize(560, 300);

    reload();
    lstPenalites->setFocus();
}

void frmPenalites::reload(qint64 select)
{
    std::vector<store::Penalty> rows;
    if (store::DbError e = store::loadTeamPenalties(m_db, m_team, rows))
        MessageBox::critical(this, QStringLiteral("Les pénalités n'ont pas pu être lues. ") +
                                       store::describeError(e));
    int total = 0, at = rows.empty() ? -1 : 0;
    for (size_t i = 0; i < rows.size(); ++i) {
        total += rows[i].points;
        if (rows[i].rowid == select)
            at = int(i);
    }
    m_model->setItems(std::move(rows));
    if (at >= 0)
        lstPenalites->setCurrentRow(at);
    lblTotal->setText(total ? QStringLiteral("Total retiré : %1 point%2")
                                  .arg(total)
                                  .arg(total > 1 ? QStringLiteral("s") : QString())
                            : QStringLiteral("Aucune pénalité."));
    selectionChanged();
}

void frmPenalites::selectionChanged()
{
    const int row = lstPenalites->currentRow();
    const bool any = row >= 0 && row < m_model->rowCount() && lstPenalites->isSelected(row);
    cmdModifier->setEnabled(any);
    cmdSupprimer->setEnabled(any);
}

void frmPenalites::cmdAjouter_Click()
{
    store::Penalty fresh{0, m_team, 1, 1, {}};
    qint64 added = 0;
    frmEditPenalite dialog(
        fresh, m_lastMatchday,
        [this, &added](const store::Penalty& p) {
            QString refusal;
            if (store::DbError e = store::addPenalty(m_db, p, refusal, &added))
                return notSaved(e);
            return refusal;
        },
        this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_changed = true;
    reload(added);
}

void frmPenalites::cmdModifier_Click()
{
    const int row = lstPenalites->currentRow();
    if (row < 0 || row >= m_model->rowCount())
        return;
    const store::Penalty current = m_model->items()[size_t(row)];
    frmEditPenalite dialog(
        current, m_lastMatchday,
        [this](const store::Penalty& p) {
            QString refusal;
            if (store::DbError e = store::updatePenalty(m_db, p, refusal))
                return notSaved(e);
            return refusal;
        },
        this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_changed = true;
    reload(current.rowid);
}

void frmPenalites::cmdSupprimer_Click()
{
    const int row = lstPenalites->currentRow();
    if (row < 0 || row >= m_model->rowCount())
        return;
    const store::Penalty p = m_model->items()[size_t(row)];
    if (!MessageBox::question(this, QStringLiteral("Supprimer la pénalité de %1 point%2 de la "
                                                   "journée %3 (« %4 ») ?")
                                        .arg(p.points)
                                        .arg(p.points > 1 ? QStringLiteral("s") : QString())
                                        .arg(p.journee)
                                        .arg(store::shortened(p.motif))))
        return;
    if (store::DbError e = store::deletePenalty(m_db, p.rowid)) {
        MessageBox::critical(this, notSaved(e));
        return;
    }
    m_changed = true;
    // The deduction that followed it is selected, or else the one before.
    const std::vector<store::Penalty>& items = m_model->items();
    qint64 next = 0;
    if (row + 1 < int(items.size()))
        next = items[size_t(row + 1)].rowid;
    else if (row > 0)
        next = items[size_t(row - 1)].rowid;
    reload(next);
}
