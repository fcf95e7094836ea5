#pragma once

#include "shell/AppHost.h"
#include "store/Database.h"

#include <QDialog>
#include <array>
#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// "Nouveau championnat": the name, season, points and teams of a new competition, written
// at once into its working file. Ends by saving (the chosen path is the result) or by
// cancelling (the working file is deleted); Escape and closing the window ask first once
// teams were added.
class frmNouveau : public QDialog, public INewCompetitionWizard
{
    Q_OBJECT
public:
    explicit frmNouveau(QWidget* parent = nullptr);
    ~frmNouveau() override;

    void GetDatabase(const QString& workingFile) override;
    QString showModal(QWidget* owner) override;

    std::array<QLabel*, 2> lblEti{};
    QLineEdit* txtCompet;
    QLineEdit* txtSaison;
    std::array<QLineEdit*, 3> txtPts{};
    QComboBox* cboDepartage; // "Buts" or "Confrontations"
    QListWidget* lstEquipes;
    std::array<QPushButton*, 4> cmdListe{};
    QLabel* lblNbreEquipes;
    QPushButton* cmdSave;
    QPushButton* cmdCancel;
    QString Tag;

    void cmdListe_Click(int index);
    void cmdSave_Click();
    void cmdCancel_Click();

protected:
    void reject() override;

private:
    void addTeam();
    void modifyTeam();
    void deleteTeam();
    void importTeams();
    void listChanged(int selectRow);
    qint64 findTeam(const QString& name);

    std::unique_ptr<store::Database> m_db;
    QString m_workingFile;
};
