#include "shell/frmProprietes.h"

#include "controls/MessageBox.h"
#include "controls/SaveCancel.h"
#include "store/Competition.h"
#include "store/CompetitionSettings.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

frmProprietes::frmProprietes(store::Competition& competition, QWidget* parent)
    : QDialog(parent), m_competition(competition)
{
    setObjectName(QStringLiteral("frmProprietes"));
    setWindowTitle(QStringLiteral("Propriétés de la compétition"));
    setModal(true);

    store::CompetitionSettings settings;
    if (store::DbError e = store::readCompetitionSettings(competition.db(), settings)) {
        settings.win = competition.ptsWinner();
        settings.loss = competition.ptsLooser();
        settings.draw = competition.ptsEquality();
        settings.tieBreak = competition.tieBreak();
    }
    m_shown = settings;

    auto* grid = new QGridLayout;
    const auto addRow = [this, grid](int row, const QString& caption, QWidget* box) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(box);
        grid->addWidget(label, row, 0);
        grid->addWidget(box, row, 1, Qt::AlignLeft);
    };
    txtCompet = new QLineEdit(settings.name, this);
    txtCompet->setObjectName(QStringLiteral("txtCompet"));
    txtCompet->setAccessibleName(QStringLiteral("Nom de la compétition"));
    txtCompet->setMinimumWidth(260);
    txtSaison = new QLineEdit(settings.season, this);
    txtSaison->setObjectName(QStringLiteral("txtSaison"));
    txtSaison->setAccessibleName(QStringLiteral("Saison"));
    txtSaison->setMinimumWidth(260);
    addRow(0, QStringLiteral("Nom de la &compétition:"), txtCompet);
    addRow(1, QStringLiteral("&Saison:"), txtSaison);
    const char* const captions[] = {
        "Points si &victoire:", "Points si &défaite:", "Points si &nul:"};
    const char* const names[] = {"Points si victoire", "Points si défaite", "Points si nul"};
    const int values[] = {settings.win, settings.loss, settings.draw};
    for (int i = 0; i < 3; ++i) {
        QLineEdit* box = txtPts[size_t(i)] = new QLineEdit(QString::number(values[i]), this);
        box->setObjectName(QStringLiteral("txtPts_%1").arg(i));
        box->setAccessibleName(QString::fromUtf8(names[i]));
        box->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), box));
        box->setMaxLength(3);
        box->setFixedWidth(48);
        addRow(2 + i, QString::fromUtf8(captions[i]), box);
    }
    cboDepartage = new QComboBox(this);
    cboDepartage->setObjectName(QStringLiteral("cboDepartage"));
    cboDepartage->addItems({store::tieBreakName(store::TieBreak::Goals),
                            store::tieBreakName(store::TieBreak::HeadToHead)});
    cboDepartage->setCurrentText(store::tieBreakName(settings.tieBreak));
    cboDepartage->setAccessibleName(QStringLiteral("Départage"));
    cboDepartage->setToolTip(QStringLiteral("Entre équipes à égalité de points : la différence "
                                            "de buts, ou d'abord leurs confrontations"));
    addRow(5, QStringLiteral("Dé&partage:"), cboDepartage);
    grid->setColumnStretch(1, 1);

    const SaveCancel buttons = SaveCancel::make(this);
    cmdSave = buttons.save;
    cmdCancel = buttons.cancel;
    connect(cmdSave, &QPushButton::clicked, this, &frmProprietes::cmdSave_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    buttons.layOut(this, grid);
    txtCompet->setFocus();
}

void frmProprietes::cmdSave_Click()
{
    store::CompetitionSettings settings;
    const store::SettingsRefusal refusal =
        store::checkSettings(txtCompet->text(), txtSaison->text(),
                             {txtPts[0]->text(), txtPts[1]->text(), txtPts[2]->text()}, settings);
    if (!refusal.ok()) {
        MessageBox::information(this, refusal.message);
        QWidget* const focus[] = {nullptr,   txtCompet, txtSaison, nullptr,
                                  txtPts[0], txtPts[1], txtPts[2]};
        if (QWidget* box = focus[refusal.field])
            box->setFocus();
        return;
    }
    settings.tieBreak =
        store::tieBreakFromName(cboDepartage->currentText()).value_or(store::TieBreak::Goals);
    if (store::DbError e =
            store::updateCompetitionSettings(m_competition.db(), m_shown, settings)) {
        MessageBox::critical(this, QStringLiteral("Impossible d'enregistrer les propriétés de la "
                                                  "compétition. ") +
                                       store::describeError(e));
        return;
    }
    (void)m_competition.reloadSettings();
    accept();
}
