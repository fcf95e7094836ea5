#pragma once

#include "shell/AppHost.h"
#include "store/Competition.h"
#include "store/CompetitionSettings.h"
#include "store/Database.h"
#include "store/SeasonSource.h"

#include <QDialog>
#include <array>
#include <memory>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

// "Nouveau championnat": the name, season, points and teams of a new competition, written
// at once into its working file. Ends by saving (the chosen path is the result) or by
// cancelling (the working file is deleted); Escape and closing the window ask first once
// teams were added. Started from a season's file, its teams wait in the list and everything,
// the file's matches included, is written at once when saving.
class frmNouveau : public QDialog, public INewCompetitionWizard
{
    Q_OBJECT
public:
    explicit frmNouveau(QWidget* parent = nullptr);
    ~frmNouveau() override;

    void GetDatabase(const QString& workingFile) override;
    QString showModal(QWidget* owner) override;
    void startFrom(const store::SeasonSource& source) override;

    std::array<QLabel*, 2> lblEti{};
    QLineEdit* txtCompet;
    QLineEdit* txtSaison;
    std::array<QLineEdit*, 3> txtPts{};
    QComboBox* cboDepartage; // "Buts" or "Confrontations"
    QListWidget* lstEquipes;
    std::array<QPushButton*, 4> cmdListe{};
    QLabel* lblNbreEquipes;
    QLabel* lblSource; // what the season's file brings, when started from one
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

    // The list items of a wizard started from a season's file: the name the file gives the
    // team (none for a team added here) and its pictures.
    enum Role { FileNameRole = Qt::UserRole, CrestRole, IconRole };
    void addPending(const store::TeamPictures& team, const QString& fileName);
    store::TeamPictures pending(const QListWidgetItem* item) const;
    // Whether a name can be given to the team of this row (-1 for a new one).
    bool acceptsPendingName(const QString& name, int row) const;
    int fileMatchCount(const QString& fileName) const;
    QString askPath();
    bool writeWithSource(const store::CompetitionSettings& settings);

    std::unique_ptr<store::Database> m_db;
    QString m_workingFile;
    std::optional<store::SeasonSource> m_source;
};
