#include "teams/frmNouveau.h"

#include "controls/MessageBox.h"
#include "controls/cOpenSaveFile.h"
#include "shell/CompetitionCommands.h"
#include "store/CompetitionFile.h"
#include "store/Utilities.h"
#include "teams/TeamPictures.h"
#include "teams/frmEditEquipe.h"
#include "teams/frmImportEquipes.h"

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
const char* const kPointsNames[] = {"les points en cas de victoire", "les points en cas de défaite",
                                    "les points en cas de match nul"};
const char* const kPointsProperties[] = {"PtsWinner", "PtsLooser", "PtsEquality"};

store::Fields pictureFields(const frmEditEquipe& dialog)
{
    store::Fields fields;
    for (int slot = 0; slot < 2; ++slot)
        if (const auto bytes = TeamPictures::bytesFor(slot, dialog.slotTag[size_t(slot)]))
            fields.push_back(
                {TeamPictures::field(slot), bytes->isEmpty() ? QVariant() : QVariant(*bytes)});
    return fields;
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
    store::Snapshot s;
    if (!m_db ||
        m_db->query(QStringLiteral("SELECT rowid FROM Equipes WHERE Nom = ?"), {name}, s) ||
        s.isEmpty())
        return 0;
    return s.value(0, 0).toLongLong();
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
    store::Fields fields{{QStringLiteral("Nom"), name}};
    const store::Fields pictures = pictureFields(dialog);
    fields.insert(fields.end(), pictures.begin(), pictures.end());
    if (!m_db || m_db->addRow(QStringLiteral("Equipes"), fields)) {
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
    store::Snapshot row;
    if (m_db->query(QStringLiteral("SELECT Nom, Blason, Icone FROM Equipes WHERE rowid = ?"),
                    {rowid}, row) ||
        row.isEmpty())
        return;
    frmEditEquipe dialog(this);
    dialog.setWindowTitle(QStringLiteral("Modifier ") + name);
    dialog.txtNom->setText(row.value(0, 0).toString());
    for (int slot = 0; slot < 2; ++slot)
        dialog.showStoredPicture(slot,
                                 TeamPictures::fromBytes(row.value(0, slot + 1).toByteArray()));
    dialog.exec();
    if (dialog.Tag != QLatin1String("OK"))
        return;
    const QString stored = TeamPictures::storedName(dialog.txtNom->text());
    store::Fields fields{{QStringLiteral("Nom"), stored}};
    const store::Fields pictures = pictureFields(dialog);
    fields.insert(fields.end(), pictures.begin(), pictures.end());
    if (m_db->updateRow(QStringLiteral("Equipes"), rowid, fields)) {
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
    if (!rowid || m_db->deleteRow(QStringLiteral("Equipes"), rowid))
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
    store::Snapshot source;
    if (other->query(QStringLiteral("SELECT Nom, Blason, Icone FROM Equipes ORDER BY rowid"), {},
                     source) ||
        source.isEmpty()) {
        MessageBox::critical(this, QStringLiteral("Aucune équipe à importer dans le fichier ") +
                                       Utilities::FileNameFromPath(files.FileName));
        return;
    }
    other.reset();

    frmImportEquipes dialog(this);
    for (int r = 0; r < source.rowCount(); ++r)
        dialog.lstEquipes->addItem(source.value(r, 0).toString());
    dialog.exec();
    if (dialog.Tag != QLatin1String("OK") || !m_db)
        return;
    // One transaction; each team stands or falls on its own row.
    store::Transaction tx(*m_db);
    QStringList added;
    for (int r = 0; r < dialog.lstEquipes->count(); ++r) {
        if (!dialog.lstEquipes->item(r)->isSelected())
            continue;
        const QString name = source.value(r, 0).toString();
        if (m_db->addRow(QStringLiteral("Equipes"),
                         {{QStringLiteral("Nom"), name},
                          {QStringLiteral("Blason"), source.value(r, 1)},
                          {QStringLiteral("Icone"), source.value(r, 2)}}))
            MessageBox::information(this, name + QStringLiteral(" non créée."));
        else
            added << name;
    }
    if (tx.commit()) {
        MessageBox::information(this, QStringLiteral("Modifications non sauvegardées."));
        return;
    }
    for (const QString& name : added) {
        lstEquipes->addItem(name);
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
    if (txtCompet->text().trimmed().isEmpty())
        return refuse(QStringLiteral("Donnez un nom à la compétition."), txtCompet);
    if (txtSaison->text().trimmed().isEmpty())
        return refuse(QStringLiteral("Précisez la saison concernée."), txtSaison);
    for (QLineEdit* box : txtPts)
        if (box->text().isEmpty())
            return refuse(
                QStringLiteral("Renseignez les points en cas de victoire, défaite ou nul."),
                nullptr);
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        const int value = txtPts[size_t(i)]->text().toInt(&ok);
        if (!ok || value < 0 || value > 255)
            return refuse(QStringLiteral("Indiquez pour %1 un nombre compris entre 0 et 255.")
                              .arg(QString::fromUtf8(kPointsNames[i])),
                          txtPts[size_t(i)]);
    }
    if (lstEquipes->count() < 2)
        return refuse(QStringLiteral("Il est nécessaire d'avoir au moins 2 équipes !"),
                      cmdListe[0]);

    if (m_db) {
        store::Transaction tx(*m_db);
        bool ok =
            !tx.beginError() &&
            !store::writeProperty(*m_db, QStringLiteral("Championnat"),
                                  txtCompet->text().trimmed()) &&
            !store::writeProperty(*m_db, QStringLiteral("Saison"), txtSaison->text().trimmed());
        for (int i = 0; ok && i < 3; ++i)
            ok = !store::writeProperty(*m_db, QString::fromLatin1(kPointsProperties[i]),
                                       txtPts[size_t(i)]->text().toInt());
        if (!ok || tx.commit()) {
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
