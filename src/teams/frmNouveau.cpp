#include "teams/frmNouveau.h"

#include "controls/MessageBox.h"
#include "controls/cOpenSaveFile.h"
#include "shell/CompetitionCommands.h"
#include "store/CompetitionFile.h"
#include "store/CompetitionSettings.h"
#include "store/SafeSaveFile.h"
#include "store/Teams.h"
#include "store/TextChecks.h"
#include "store/Utilities.h"
#include "teams/TeamPictures.h"
#include "teams/frmEditEquipe.h"
#include "teams/frmImportEquipes.h"

#include <QComboBox>
#include <QDate>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace {

const char* const kPointsLabels[] = {
    "Points si &victoire:", "Points si &défaite:", "Points si &nul:"};

// The picture of each slot of the dialog, or nothing for a slot to leave as it is.
std::array<std::optional<QByteArray>, 2> chosenPictures(const frmEditEquipe& dialog)
{
    std::array<std::optional<QByteArray>, 2> pictures;
    for (int slot = 0; slot < 2; ++slot)
        pictures[size_t(slot)] = TeamPictures::bytesFor(slot, dialog.slotTag[size_t(slot)]);
    return pictures;
}

} // namespace

frmNouveau::frmNouveau(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmNouveau"));
    setWindowTitle(QStringLiteral("Nouveau championnat"));
    setModal(true);

    auto* properties = new QGroupBox(QStringLiteral("Propriétés de la compétition"), this);
    auto* form = new QGridLayout(properties);
    lblEti[0] = new QLabel(QStringLiteral("Nom de la &compétition:\n(ex: Ligue 1)"), properties);
    lblEti[1] = new QLabel(QStringLiteral("&Saison:\n(ex: 2011-2012)"), properties);
    txtCompet = new QLineEdit(properties);
    txtCompet->setObjectName(QStringLiteral("txtCompet"));
    txtSaison = new QLineEdit(properties);
    txtSaison->setObjectName(QStringLiteral("txtSaison"));
    const int year = QDate::currentDate().year();
    txtSaison->setText(QStringLiteral("%1-%2").arg(year).arg(year + 1));
    lblEti[0]->setBuddy(txtCompet);
    lblEti[1]->setBuddy(txtSaison);
    form->addWidget(lblEti[0], 0, 0);
    form->addWidget(txtCompet, 0, 1, 1, 5);
    form->addWidget(lblEti[1], 1, 0);
    form->addWidget(txtSaison, 1, 1, 1, 5);
    const char* defaults[] = {"3", "0", "1"};
    for (int i = 0; i < 3; ++i) {
        auto* label = new QLabel(QString::fromUtf8(kPointsLabels[i]), properties);
        QLineEdit* box = txtPts[size_t(i)] =
            new QLineEdit(QString::fromLatin1(defaults[i]), properties);
        box->setObjectName(QStringLiteral("txtPts_%1").arg(i));
        // Digits only, typed or pasted.
        box->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), box));
        box->setMaxLength(3);
        box->setFixedWidth(48);
        label->setBuddy(box);
        form->addWidget(label, 2, 2 * i);
        form->addWidget(box, 2, 2 * i + 1);
    }
    auto* tieBreak = new QLabel(QStringLiteral("Dé&partage:"), properties);
    cboDepartage = new QComboBox(properties);
    cboDepartage->setObjectName(QStringLiteral("cboDepartage"));
    cboDepartage->addItems({store::tieBreakName(store::TieBreak::Goals),
                            store::tieBreakName(store::TieBreak::HeadToHead)});
    cboDepartage->setAccessibleName(QStringLiteral("Départage"));
    cboDepartage->setToolTip(QStringLiteral("Entre équipes à égalité de points : la différence "
                                            "de buts, ou d'abord leurs confrontations"));
    tieBreak->setBuddy(cboDepartage);
    form->addWidget(tieBreak, 3, 0);
    form->addWidget(cboDepartage, 3, 1, 1, 3, Qt::AlignLeft);

    auto* teams = new QGroupBox(QStringLiteral("Equipes"), this);
    auto* teamsLayout = new QHBoxLayout(teams);
    lstEquipes = new QListWidget(teams);
    lstEquipes->setObjectName(QStringLiteral("lstEquipes"));
    teamsLayout->addWidget(lstEquipes, 1);
    auto* buttons = new QVBoxLayout;
    const char* captions[] = {"&Ajouter une équipe", "&Modifier une équipe",
                              "S&upprimer une équipe", "&Récupérer une liste"};
    for (int i = 0; i < 4; ++i) {
        cmdListe[size_t(i)] = new QPushButton(QString::fromUtf8(captions[i]), teams);
        cmdListe[size_t(i)]->setObjectName(QStringLiteral("cmdListe_%1").arg(i));
        connect(cmdListe[size_t(i)], &QPushButton::clicked, this, [this, i] { cmdListe_Click(i); });
        buttons->addWidget(cmdListe[size_t(i)]);
    }
    buttons->addStretch();
    lblNbreEquipes = new QLabel(teams);
    lblNbreEquipes->setObjectName(QStringLiteral("lblNbreEquipes"));
    buttons->addWidget(lblNbreEquipes);
    teamsLayout->addLayout(buttons);
    connect(lstEquipes, &QListWidget::itemDoubleClicked, this, [this] { cmdListe_Click(1); });

    cmdSave = new QPushButton(QStringLiteral("&Enregistrer"), this);
    cmdSave->setObjectName(QStringLiteral("cmdSave"));
    cmdSave->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("Annuler"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    connect(cmdSave, &QPushButton::clicked, this, &frmNouveau::cmdSave_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmNouveau::cmdCancel_Click);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(cmdSave);
    bottom->addWidget(cmdCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(properties);
    layout->addWidget(teams, 1);
    layout->addLayout(bottom);
    resize(560, 520);
    listChanged(-1);
}

frmNouveau::~frmNouveau() = default;

void frmNouveau::GetDatabase(const QString& workingFile)
{
    m_workingFile = workingFile;
    store::DbError error;
    m_db = store::Database::open(workingFile, store::competitionKey(), error);
}

QString frmNouveau::showModal(QWidget* owner)
{
    setParent(owner, windowFlags());
    exec();
    return Tag;
}

void frmNouveau::listChanged(int selectRow)
{
    if (selectRow >= 0 && selectRow < lstEquipes->count())
        lstEquipes->setCurrentRow(selectRow);
    const bool any = lstEquipes->count() > 0;
    cmdListe[1]->setEnabled(any);
    cmdListe[2]->setEnabled(any);
    lblNbreEquipes->setText(QStringLiteral("Nombre d'équipes: %1").arg(lstEquipes->count()));
}

qint64 frmNouveau::findTeam(const QString& name)
{
    qint64 rowid = 0;
    if (!m_db || store::findTeam(*m_db, name, rowid))
        return 0;
    return rowid;
}

void frmNouveau::cmdListe_Click(int index)
{
    switch (index) {
    case 0:
        addTeam();
        break;
    case 1:
        modifyTeam();
        break;
    case 2:
        deleteTeam();
        break;
    case 3:
        importTeams();
        break;
    default:
        break;
    }
}

void frmNouveau::addTeam()
{
    frmEditEquipe dialog(this);
    dialog.setWindowTitle(QStringLiteral("Ajouter une équipe"));
    dialog.exec();
    if (dialog.Tag != QLatin1String("OK"))
        return;
    const QString name = TeamPictures::storedName(dialog.txtNom->text());
    const auto pictures = chosenPictures(dialog);
    if (!m_db || store::addTeam(*m_db, {name, pictures[0].value_or(QByteArray()),
                                        pictures[1].value_or(QByteArray())})) {
        MessageBox::information(this, QStringLiteral("Equipe non créée."));
        return;
    }
    lstEquipes->addItem(name);
    listChanged(lstEquipes->count() - 1);
}

void frmNouveau::modifyTeam()
{
    QListWidgetItem* line = lstEquipes->currentItem();
    if (!line)
        return;
    const QString name = line->text();
    const qint64 rowid = findTeam(name);
    if (!rowid)
        return;
    store::TeamPictures team;
    bool found = false;
    if (store::readTeam(*m_db, rowid, team, found) || !found)
        return;
    frmEditEquipe dialog(this);
    dialog.setWindowTitle(QStringLiteral("Modifier ") + name);
    dialog.txtNom->setText(team.nom);
    dialog.showStoredPicture(0, TeamPictures::fromBytes(team.blason));
    dialog.showStoredPicture(1, TeamPictures::fromBytes(team.icone));
    dialog.exec();
    if (dialog.Tag != QLatin1String("OK"))
        return;
    const QString stored = TeamPictures::storedName(dialog.txtNom->text());
    store::Fields fields{{QStringLiteral("Nom"), stored}};
    const auto pictures = chosenPictures(dialog);
    for (int slot = 0; slot < 2; ++slot)
        if (const auto& bytes = pictures[size_t(slot)])
            fields.push_back(
                {TeamPictures::field(slot), bytes->isEmpty() ? QVariant() : QVariant(*bytes)});
    if (store::updateTeam(*m_db, rowid, team.nom, fields)) {
        MessageBox::information(this, QStringLiteral("Modifications non sauvegardées."));
        return;
    }
    line->setText(stored);
}

void frmNouveau::deleteTeam()
{
    QListWidgetItem* line = lstEquipes->currentItem();
    if (!line || !MessageBox::question(this, QStringLiteral("Effacer ") + line->text() +
                                                 QStringLiteral(" ?")))
        return;
    const qint64 rowid = findTeam(line->text());
    if (!rowid || store::deleteTeam(*m_db, rowid))
        return;
    delete lstEquipes->takeItem(lstEquipes->row(line));
    listChanged(0);
}

void frmNouveau::importTeams()
{
    cOpenSaveFile files;
    files.hwndOwner = this;
    files.setAllowMultiSelect(false);
    files.setFileMustExist(true);
    files.Filter = QString::fromUtf8(store::kFileFilter);
    if (files.ShowOpen() != 1)
        return;
    std::unique_ptr<store::Database> other;
    if (!Utilities::IsCompetitionFile(other, files.FileName))
        return;
    std::vector<store::TeamPictures> source;
    if (store::loadTeamPictures(*other, source) || source.empty()) {
        MessageBox::critical(this, QStringLiteral("Aucune équipe à importer dans le fichier ") +
                                       Utilities::FileNameFromPath(files.FileName));
        return;
    }
    other.reset();

    frmImportEquipes dialog(this);
    for (const store::TeamPictures& team : source)
        dialog.lstEquipes->addItem(team.nom);
    dialog.exec();
    if (dialog.Tag != QLatin1String("OK") || !m_db)
        return;
    std::vector<store::TeamPictures> chosen;
    for (int r = 0; r < dialog.lstEquipes->count(); ++r)
        if (dialog.lstEquipes->item(r)->isSelected())
            chosen.push_back(source[size_t(r)]);
    // Each team stands or falls on its own row.
    QStringList refused;
    const store::DbError error = store::addTeams(*m_db, chosen, refused);
    for (const QString& name : refused)
        MessageBox::information(this, name + QStringLiteral(" non créée."));
    if (error) {
        MessageBox::information(this, QStringLiteral("Modifications non sauvegardées."));
        return;
    }
    for (const store::TeamPictures& team : chosen) {
        if (refused.contains(team.nom))
            continue;
        lstEquipes->addItem(team.nom);
        listChanged(lstEquipes->count() - 1);
    }
}

void frmNouveau::cmdSave_Click()
{
    const auto refuse = [this](const QString& message, QWidget* focus) {
        MessageBox::information(this, message);
        if (focus)
            focus->setFocus();
    };
    store::CompetitionSettings settings;
    const store::SettingsRefusal refusal =
        store::checkSettings(txtCompet->text(), txtSaison->text(),
                             {txtPts[0]->text(), txtPts[1]->text(), txtPts[2]->text()}, settings);
    if (!refusal.ok()) {
        QWidget* const focus[] = {nullptr,   txtCompet, txtSaison, nullptr,
                                  txtPts[0], txtPts[1], txtPts[2]};
        return refuse(refusal.message, focus[refusal.field]);
    }
    settings.tieBreak =
        store::tieBreakFromName(cboDepartage->currentText()).value_or(store::TieBreak::Goals);
    if (lstEquipes->count() < 2)
        return refuse(QStringLiteral("Il est nécessaire d'avoir au moins 2 équipes !"),
                      cmdListe[0]);
    if (lstEquipes->count() > store::kMaxTeams)
        return refuse(QStringLiteral("Une compétition compte au plus %1 équipes : retirez-en %2.")
                          .arg(store::kMaxTeams)
                          .arg(lstEquipes->count() - store::kMaxTeams),
                      lstEquipes);

    if (m_db) {
        if (store::writeNewCompetition(*m_db, settings)) {
            MessageBox::critical(
                this, QStringLiteral("Impossible d'enregistrer les propriétés de la compétition."));
            return;
        }
    }

    cOpenSaveFile dialog;
    dialog.hwndOwner = this;
    dialog.setOverWritePrompt(true);
    dialog.Filter = QString::fromUtf8(store::kFileFilter);
    dialog.DefaultExt = QStringLiteral("dat");
    dialog.FileName = txtCompet->text() + QLatin1Char(' ') + txtSaison->text();
    if (!dialog.ShowSave())
        return;
    // Refused here, the teams entered so far are not lost.
    if (store::SafeSaveFile::isLink(dialog.FileName)) {
        MessageBox::critical(this, store::SafeSaveFile::linkRefusal(dialog.FileName));
        return;
    }
    Tag = dialog.FileName;
    if (m_db) {
        m_db->close();
        m_db.reset();
    }
    accept();
}

void frmNouveau::cmdCancel_Click()
{
    if (m_db) {
        m_db->close();
        m_db.reset();
    }
    if (!m_workingFile.isEmpty())
        Utilities::RemoveFile(m_workingFile);
    Tag.clear();
    QDialog::reject();
}

void frmNouveau::reject()
{
    // Escape and the title-bar button cancel too, once teams were added only if confirmed.
    if (lstEquipes->count() > 0 &&
        !MessageBox::question(this, QStringLiteral("Abandonner la création de ce championnat ?")))
        return;
    cmdCancel_Click();
}
