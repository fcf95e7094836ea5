#pragma once

class QDialog;
class QLayout;
class QPushButton;

// The two buttons of an editing dialog: "&Enregistrer", the default one, and "&Annuler".
struct SaveCancel
{
    QPushButton* save = nullptr;
    QPushButton* cancel = nullptr;

    static SaveCancel make(QDialog* dialog);
    // Lays the dialog out: its fields on top, the two buttons at the bottom right.
    void layOut(QDialog* dialog, QLayout* fields) const;
};
