#include "shell/frmProprietes.h"

#include "controls/MessageBox.h"
#include "controls/SaveCancel.h"
#include "controls/cOpenSaveFile.h"
#include "store/Competition.h"
#include "store/CompetitionFile.h"
#include "store/CompetitionSettings.h"
#include "store/PreviousSeason.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

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

    // The zones of the table: an editable list, a row a zone.
    (void)store::readZones(competition.db(), competition.teamCount(), m_shownZones);
    zones = new QStandardItemModel(0, 2, this);
    zones->setHorizontalHeaderLabels({QStringLiteral("Places"), QStringLiteral("Nom")});
    for (const store::Zone& z : m_shownZones)
        zones->appendRow({new QStandardItem(z.first == z.last
                                                ? QString::number(z.first)
                                                : QStringLiteral("%1-%2").arg(z.first).arg(z.last)),
                          new QStandardItem(z.label)});
    tblZones = new QTableView(this);
    tblZones->setObjectName(QStringLiteral("tblZones"));
    tblZones->setModel(zones);
    tblZones->setAccessibleName(QStringLiteral("Zones"));
    tblZones->setToolTip(QStringLiteral("Des places du classement final nommées, par exemple "
                                        "« 2-4 » et « Ligue des champions »"));
    tblZones->verticalHeader()->hide();
    tblZones->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    tblZones->horizontalHeader()->setStretchLastSection(true);
    tblZones->setColumnWidth(0, 70);
    tblZones->setTabKeyNavigation(false);
    tblZones->setFixedHeight(120);
    tblZones->setMinimumWidth(260);
    cmdAddZone = new QPushButton(QStringLiteral("A&jouter une zone"), this);
    cmdAddZone->setObjectName(QStringLiteral("cmdAddZone"));
    cmdRemoveZone = new QPushButton(QStringLiteral("&Retirer la zone"), this);
    cmdRemoveZone->setObjectName(QStringLiteral("cmdRemoveZone"));
    connect(cmdAddZone, &QPushButton::clicked, this, [this] {
        zones->appendRow({new QStandardItem, new QStandardItem});
        tblZones->setFocus();
        tblZones->setCurrentIndex(zones->index(zones->rowCount() - 1, 0));
        tblZones->edit(tblZones->currentIndex());
    });
    connect(cmdRemoveZone, &QPushButton::clicked, this, [this] {
        if (tblZones->currentIndex().isValid())
            zones->removeRow(tblZones->currentIndex().row());
    });
    auto* zoneBox = new QWidget(this);
    auto* zoneLayout = new QHBoxLayout(zoneBox);
    zoneLayout->setContentsMargins(0, 0, 0, 0);
    zoneLayout->addWidget(tblZones, 1);
    auto* zoneButtons = new QVBoxLayout;
    zoneButtons->addWidget(cmdAddZone);
    zoneButtons->addWidget(cmdRemoveZone);
    zoneButtons->addStretch(1);
    zoneLayout->addLayout(zoneButtons);
    auto* zoneLabel = new QLabel(QStringLiteral("&Zones:"), this);
    zoneLabel->setBuddy(tblZones);
    grid->addWidget(zoneLabel, 6, 0, Qt::AlignTop);
    grid->addWidget(zoneBox, 6, 1);

    // The league's previous season, which the forecasts start from.
    (void)store::readPreviousSeason(competition.db(), competition.fileName(), m_shownPrevious);
    txtPrecedente = new QLineEdit(m_shownPrevious, this);
    txtPrecedente->setObjectName(QStringLiteral("txtPrecedente"));
    txtPrecedente->setAccessibleName(QStringLiteral("Saison précédente"));
    txtPrecedente->setToolTip(QStringLiteral("La compétition de la saison précédente de la "
                                             "ligue ; vide, aucune"));
    txtPrecedente->setMinimumWidth(260);
    cmdParcourir = new QPushButton(QStringLiteral("Parc&ourir…"), this);
    cmdParcourir->setObjectName(QStringLiteral("cmdParcourir"));
    cmdParcourir->setAccessibleName(QStringLiteral("Choisir la saison précédente"));
    connect(cmdParcourir, &QPushButton::clicked, this, [this] {
        cOpenSaveFile dialog;
        dialog.hwndOwner = this;
        dialog.setAllowMultiSelect(false);
        dialog.setFileMustExist(true);
        dialog.DlgTitle = QStringLiteral("Saison précédente");
        dialog.Filter = QString::fromUtf8(store::kFileFilter);
        dialog.FileName = txtPrecedente->text();
        if (dialog.ShowOpen() == 1)
            txtPrecedente->setText(dialog.FileName);
    });
    auto* previousBox = new QWidget(this);
    auto* previousLayout = new QHBoxLayout(previousBox);
    previousLayout->setContentsMargins(0, 0, 0, 0);
    previousLayout->addWidget(txtPrecedente, 1);
    previousLayout->addWidget(cmdParcourir);
    auto* previousLabel = new QLabel(QStringLiteral("Saison précéden&te:"), this);
    previousLabel->setBuddy(txtPrecedente);
    grid->addWidget(previousLabel, 7, 0);
    grid->addWidget(previousBox, 7, 1);
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
    QStringList parts;
    for (int r = 0; r < zones->rowCount(); ++r) {
        const QString places = zones->index(r, 0).data().toString().trimmed();
        const QString label = zones->index(r, 1).data().toString().trimmed();
        if (!places.isEmpty() || !label.isEmpty())
            parts << places + QLatin1Char(':') + label;
    }
    QString why;
    const std::optional<std::vector<store::Zone>> chosen =
        store::parseZones(parts.join(QLatin1Char(';')), m_competition.teamCount(), why);
    if (!chosen) {
        MessageBox::information(this, why);
        tblZones->setFocus();
        return;
    }
    const QString previous = txtPrecedente->text().trimmed();
    if (!previous.isEmpty() && !QFileInfo(previous).isFile()) {
        MessageBox::information(
            this, QStringLiteral("La saison précédente « %1 » est introuvable.").arg(previous));
        txtPrecedente->setFocus();
        return;
    }
    const bool zonesChanged = store::zonesText(*chosen) != store::zonesText(m_shownZones);
    const QString previousText = store::previousSeasonText(m_competition.fileName(), previous);
    const bool previousChanged =
        QFileInfo(previous).absoluteFilePath() != QFileInfo(m_shownPrevious).absoluteFilePath() ||
        previous.isEmpty() != m_shownPrevious.isEmpty();
    if (store::DbError e = store::updateCompetitionSettings(
            m_competition.db(), m_shown, settings, zonesChanged ? &*chosen : nullptr,
            previousChanged ? &previousText : nullptr)) {
        MessageBox::critical(this, QStringLiteral("Impossible d'enregistrer les propriétés de la "
                                                  "compétition. ") +
                                       store::describeError(e));
        return;
    }
    (void)m_competition.reloadSettings();
    accept();
}
