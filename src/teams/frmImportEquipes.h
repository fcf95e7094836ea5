#pragma once

#include <QDialog>

class QListWidget;
class QPushButton;

// Picks the teams to take over from another competition. Its tag is "OK" once confirmed.
class frmImportEquipes : public QDialog
{
    Q_OBJECT
public:
    explicit frmImportEquipes(QWidget* parent = nullptr);

    QListWidget* lstEquipes;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;
    QString Tag;
};
