#pragma once

#include <QDialog>
#include <QPixmap>
#include <array>

class QLabel;
class QLineEdit;
class QPushButton;

// The team dialog: a name, a crest (slot 0) and a small icon (slot 1). Each slot's tag says
// what saving does with it: empty for no picture of its own, "En mode edit" to keep the
// stored picture, or the path of the file the user chose. The dialog's own tag is "OK"
// after "Enregistrer" and empty otherwise.
class frmEditEquipe : public QDialog
{
    Q_OBJECT
public:
    explicit frmEditEquipe(QWidget* parent = nullptr);

    QLineEdit* txtNom;
    std::array<QLabel*, 2> ima{};
    std::array<QPixmap, 2> imaGhost;
    std::array<QPushButton*, 2> cmdImage{};
    std::array<QPushButton*, 2> cmdDelete{};
    QPushButton* cmdSave;
    QPushButton* cmdCancel;

    std::array<QString, 2> slotTag;
    QString Tag;

    // Shows a stored picture in a slot ("En mode edit"), or the placeholder when there is none.
    void showStoredPicture(int slot, const QPixmap& picture);

    void cmdImage_Click(int slot);
    void cmdDelete_Click(int slot);
    void cmdSave_Click();
    void cmdCancel_Click();

private:
    void showPicture(int slot, const QPixmap& picture);
};
