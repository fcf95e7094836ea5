#include "teams/frmNouveau.h"

#include "controls/MessageBox.h"
#include "controls/cOpenSaveFile.h"
#include "shell/CompetitionCommands.h"
#include "store/CompetitionFile.h"
#include "store/CompetitionSettings.h"
#include "store/Results.h"
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
#include <QHash>
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

    lblSource = new QLabel(this);
    lblSource->setObjectName(QStringLiteral("lblSource"));
    lblSource->setWordWrap(true);
    lblSource->hide();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(properties);
    layout->addWidget(teams, 1);
    layout->addWidget(lblSource);
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

void frmNouveau::startFrom(const store::SeasonSource& source)
{
    m_source = source;
    txtCompet->setText(source.name);
    txtSaison->setText(source.season);
    // The generic pictures, as the wizard gives a team added without any.
    const store::TeamPictures generic{{},
                                      TeamPictures::bytesFor(0, {}).value_or(QByteArray()),
                                      TeamPictures::bytesFor(1, {}).value_or(QByteArray())};
    lstEquipes->clear();
    for (const QString& name : source.teams)
        addPending({name, generic.blason, generic.icone}, name);
    qsizetype played = 0;
    for (const store::SourceMatch& m : source.matches)
        played += m.homeGoals && m.awayGoals;
    lblSource->setText(QStringLiteral("Le fichier de données apporte %1 résultat(s) et %2 "
                                      "rencontre(s) à jouer : ils suivent ses équipes, même "
                                      "renommées ici.")
                           .arg(played)
                           .arg(qsizetype(source.matches.size()) - played));
    lblSource->show();
    listChanged(0);
}

void frmNouveau::addPending(const store::TeamPictures& team, const QString& fileName)
{
    auto* item = new QListWidgetItem(team.nom, lstEquipes);
    item->setData(FileNameRole, fileName);
    item->setData(CrestRole, team.blason);
    item->setData(IconRole, team.icone);
    listChanged(lstEquipes->count() - 1);
}

store::TeamPictures frmNouveau::pending(const QListWidgetItem* item) const
{
    return {item->text(), item->data(CrestRole).toByteArray(), item->data(IconRole).toByteArray()};
}

bool frmNouveau::acceptsPendingName(const QString& name, int row) const
{
    if (!store::teamNameProblem(name).isEmpty())
        return false;
    const QString key = store::teamKey(name);
    for (int r = 0; r < lstEquipes->count(); ++r)
        if (r != row && store::teamKey(lstEquipes->item(r)->text()) == key)
            return false;
    return true;
}

int frmNouveau::fileMatchCount(const QString& fileName) const
{
    int count = 0;
    if (m_source)
        for (const store::SourceMatch& m : m_source->matches)
            count += m.home == fileName || m.away == fileName;
    return count;
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
    const auto pictures = chosenPictures(dialog);
    const store::TeamPictures team{TeamPictures::storedName(dialog.txtNom->text()),
                                   pictures[0].value_or(QByteArray()),
                                   pictures[1].value_or(QByteArray())};
    if (m_source ? !acceptsPendingName(team.nom, -1) : (!m_db || store::addTeam(*m_db, team))) {
        MessageBox::information(this, QStringLiteral("Equipe non créée."));
        return;
    }
    if (m_source)
        return addPending(team, {});
    lstEquipes->addItem(team.nom);
    listChanged(lstEquipes->count() - 1);
}

void frmNouveau::modifyTeam()
{
    QListWidgetItem* line = lstEquipes->currentItem();
    if (!line)
        return;
    const QString name = line->text();
    qint64 rowid = 0;
    store::TeamPictures team;
    if (m_source) {
        team = pending(line);
    } else {
        rowid = findTeam(name);
        bool found = false;
        if (!rowid || store::readTeam(*m_db, rowid, team, found) || !found)
            return;
    }
    frmEditEquipe dialog(this);
    dialog.setWindowTitle(QStringLiteral("Modifier ") + name);
    dialog.txtNom->setText(team.nom);
    dialog.showStoredPicture(0, TeamPictures::fromBytes(team.blason));
    dialog.showStoredPicture(1, TeamPictures::fromBytes(team.icone));
    dialog.exec();
    if (dialog.Tag != QLatin1String("OK"))
        return;
    const QString stored = TeamPictures::storedName(dialog.txtNom->text());
    const auto pictures = chosenPictures(dialog);
    if (m_source) {
        // The row keeps the name the file gives the team, and so its matches.
        if (!acceptsPendingName(stored, lstEquipes->row(line))) {
            MessageBox::information(this, QStringLiteral("Modifications non sauvegardées."));
            return;
        }
        line->setText(stored);
        for (int slot = 0; slot < 2; ++slot)
            if (const auto& bytes = pictures[size_t(slot)])
                line->setData(CrestRole + slot, *bytes);
        return;
    }
    store::Fields fields{{QStringLiteral("Nom"), stored}};
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
    if (!line)
        return;
    // Its matches would be lost, or would name a team the competition does not have.
    const int played = m_source ? fileMatchCount(line->data(FileNameRole).toString()) : 0;
    if (played > 0) {
        MessageBox::information(
            this, QStringLiteral("%1 joue %2 rencontre(s) du fichier de données : elle ne peut "
                                 "pas être supprimée. Pour changer son nom, modifiez-la.")
                      .arg(line->text())
                      .arg(played));
        return;
    }
    if (!MessageBox::question(this,
                              QStringLiteral("Effacer ") + line->text() + QStringLiteral(" ?")))
        return;
    if (!m_source) {
        const qint64 rowid = findTeam(line->text());
        if (!rowid || store::deleteTeam(*m_db, rowid))
            return;
    }
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
    if (m_source) {
        for (const store::TeamPictures& team : chosen) {
            if (acceptsPendingName(team.nom, -1))
                addPending(team, {});
            else
                MessageBox::information(this, team.nom + QStringLiteral(" non créée."));
        }
        return;
    }
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

    if (m_db && !m_source) {
        if (store::writeNewCompetition(*m_db, settings)) {
            MessageBox::critical(
                this, QStringLiteral("Impossible d'enregistrer les propriétés de la compétition."));
            return;
        }
    }

    const QString path = askPath();
    // From a season's file, all of it is written only once the place is chosen, so that
    // saving again after cancelling the save dialog does not write it twice.
    if (path.isEmpty() || (m_source && !writeWithSource(settings)))
        return;
    Tag = path;
    if (m_db) {
        m_db->close();
        m_db.reset();
    }
    accept();
}

QString frmNouveau::askPath()
{
    cOpenSaveFile dialog;
    dialog.hwndOwner = this;
    dialog.setOverWritePrompt(true);
    dialog.Filter = QString::fromUtf8(store::kFileFilter);
    dialog.DefaultExt = QStringLiteral("dat");
    dialog.FileName = txtCompet->text() + QLatin1Char(' ') + txtSaison->text();
    if (!dialog.ShowSave())
        return {};
    // Refused here, the teams entered so far are not lost.
    if (store::SafeSaveFile::isLink(dialog.FileName)) {
        MessageBox::critical(this, store::SafeSaveFile::linkRefusal(dialog.FileName));
        return {};
    }
    return dialog.FileName;
}

bool frmNouveau::writeWithSource(const store::CompetitionSettings& settings)
{
    // The file's matches name the teams as the file does: each follows its row's team.
    QHash<QString, QString> listed;
    std::vector<store::TeamPictures> teams;
    for (int r = 0; r < lstEquipes->count(); ++r) {
        const QListWidgetItem* item = lstEquipes->item(r);
        teams.push_back(pending(item));
        const QString fileName = item->data(FileNameRole).toString();
        if (!fileName.isEmpty())
            listed.insert(fileName, item->text());
    }
    store::SeasonSource season = *m_source;
    for (QString& team : season.teams)
        team = listed.value(team);
    for (store::SourceMatch& m : season.matches) {
        m.home = listed.value(m.home);
        m.away = listed.value(m.away);
    }
    if (!m_db) {
        MessageBox::critical(this, QStringLiteral("Impossible d'enregistrer la compétition."));
        return false;
    }
    QString refusal;
    if (const store::DbError e =
            store::writeNewCompetition(*m_db, settings, teams, &season, refusal)) {
        MessageBox::critical(this, QStringLiteral("Impossible d'enregistrer la compétition.\n") +
                                       store::describeError(e));
        return false;
    }
    if (!refusal.isEmpty()) {
        MessageBox::information(this,
                                QStringLiteral("La compétition n'a pas été créée.\n") + refusal);
        return false;
    }
    return true;
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
