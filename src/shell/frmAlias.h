#pragma once

#include <QDialog>

class QListView;
class QPushButton;
class QStringListModel;

// Asks which team of the competition a data file's name stands for; the teams come closest
// spelling first, the closest chosen at first.
class frmAlias : public QDialog
{
    Q_OBJECT
public:
    // which and count: this name's place among the unknown names of the file.
    frmAlias(const QString& name, const QStringList& teams, int which, int count,
             QWidget* parent = nullptr);

    QString chosenTeam() const;

    QListView* lstEquipes;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;

private:
    QStringListModel* m_teams;
};
