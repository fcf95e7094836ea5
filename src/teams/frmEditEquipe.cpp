#include "teams/frmEditEquipe.h"

#include "controls/MessageBox.h"
#include "controls/cOpenSaveFile.h"
#include "store/TextChecks.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

namespace {

// A dashed frame with a question mark: the slot has no picture.
QPixmap placeholder(int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(QPen(QColor(140, 140, 140), 1, Qt::DashLine));
    p.drawRect(0, 0, size - 1, size - 1);
    QFont f = p.font();
    f.setPixelSize(size / 2);
    p.setFont(f);
    p.drawText(pm.rect(), Qt::AlignCenter, QStringLiteral("?"));
    return pm;
}

} // namespace

frmEditEquipe::frmEditEquipe(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmEditEquipe"));
    setWindowTitle(QStringLiteral("Equipes"));
    setModal(true);

    auto* lblNom = new QLabel(QStringLiteral("&Nom"), this);
    txtNom = new QLineEdit(this);
    txtNom->setObjectName(QStringLiteral("txtNom"));
    // Room for 50 characters outside the BMP (two units each) and spaces that saving trims.
    txtNom->setMaxLength(2 * store::kTeamNameLength + 20);
    lblNom->setBuddy(txtNom);

    auto* grid = new QGridLayout;
    grid->addWidget(lblNom, 0, 0);
    grid->addWidget(txtNom, 0, 1, 1, 3);
    const char* captions[] = {"Blason", "Icône"};
    const char* hints[] = {"(fichier gif de 80x80)", "(fichier ico de 24x24)"};
    imaGhost = {placeholder(80), placeholder(24)};
    for (int i = 0; i < 2; ++i) {
        const int row = 1 + i;
        auto* caption =
            new QLabel(QStringLiteral("<b>%1</b><br>%2")
                           .arg(QString::fromUtf8(captions[i]), QString::fromUtf8(hints[i])),
                       this);
        ima[size_t(i)] = new QLabel(this);
        ima[size_t(i)]->setObjectName(QStringLiteral("ima_%1").arg(i));
        ima[size_t(i)]->setFixedSize(84, 84);
        ima[size_t(i)]->setAlignment(Qt::AlignCenter);
        cmdImage[size_t(i)] = new QPushButton(QStringLiteral("Parcourir"), this);
        cmdImage[size_t(i)]->setObjectName(QStringLiteral("cmdImage_%1").arg(i));
        cmdDelete[size_t(i)] = new QPushButton(QStringLiteral("Supprimer"), this);
        cmdDelete[size_t(i)]->setObjectName(QStringLiteral("cmdDelete_%1").arg(i));
        cmdDelete[size_t(i)]->setEnabled(false);
        connect(cmdImage[size_t(i)], &QPushButton::clicked, this, [this, i] { cmdImage_Click(i); });
        connect(cmdDelete[size_t(i)], &QPushButton::clicked, this,
                [this, i] { cmdDelete_Click(i); });
        auto* buttons = new QVBoxLayout;
        buttons->addWidget(cmdImage[size_t(i)]);
        buttons->addWidget(cmdDelete[size_t(i)]);
        buttons->addStretch();
        grid->addWidget(caption, row, 0, Qt::AlignTop);
        grid->addWidget(ima[size_t(i)], row, 1);
        grid->addLayout(buttons, row, 2);
        showPicture(i, {});
    }
    grid->setColumnStretch(3, 1);

    cmdSave = new QPushButton(QStringLiteral("&Enregistrer"), this);
    cmdSave->setObjectName(QStringLiteral("cmdSave"));
    cmdSave->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("&Annuler"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    connect(cmdSave, &QPushButton::clicked, this, &frmEditEquipe::cmdSave_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmEditEquipe::cmdCancel_Click);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(cmdSave);
    bottom->addWidget(cmdCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(bottom);
    setMinimumWidth(420);
}

void frmEditEquipe::showPicture(int slot, const QPixmap& picture)
{
    QPixmap shown = picture.isNull() ? imaGhost[size_t(slot)] : picture;
    if (shown.width() > 80 || shown.height() > 80)
        shown = shown.scaled(80, 80, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    ima[size_t(slot)]->setPixmap(shown);
}

void frmEditEquipe::showStoredPicture(int slot, const QPixmap& picture)
{
    showPicture(slot, picture);
    slotTag[size_t(slot)] = QStringLiteral("En mode edit");
    cmdDelete[size_t(slot)]->setEnabled(true);
}

void frmEditEquipe::cmdImage_Click(int slot)
{
    cOpenSaveFile dialog;
    dialog.hwndOwner = this;
    dialog.setAllowMultiSelect(false);
    dialog.setFileMustExist(true);
    dialog.setPathMustExist(true);
    dialog.Filter =
        slot == 0 ? QStringLiteral("Image Gif|*.gif") : QStringLiteral("Fichier Icône|*.ico");
    if (dialog.ShowOpen() != 1)
        return;
    showPicture(slot, QPixmap(dialog.FileName));
    slotTag[size_t(slot)] = dialog.FileName;
    cmdDelete[size_t(slot)]->setEnabled(true);
}

void frmEditEquipe::cmdDelete_Click(int slot)
{
    showPicture(slot, {});
    slotTag[size_t(slot)].clear();
}

void frmEditEquipe::cmdSave_Click()
{
    const QString problem = store::teamNameProblem(txtNom->text().trimmed());
    if (!problem.isEmpty()) {
        MessageBox::plain(this, problem);
        txtNom->setFocus();
        return;
    }
    Tag = QStringLiteral("OK");
    accept();
}

void frmEditEquipe::cmdCancel_Click()
{
    Tag.clear();
    reject();
}
