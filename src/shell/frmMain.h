#pragma once

#include "shell/WorkingWindow.h"
#include "store/Mru.h"

#include <QMainWindow>
#include <QPointer>
#include <array>

class QAction;
class QMenu;
class frmNavigateur;

// The main window: the menu bar, the navigator at its left edge and at most one working
// window beside it.
class frmMain : public QMainWindow
{
    Q_OBJECT
public:
    static constexpr char kAppName[] = "Zelto App Vemo";
    // 6300 x 5700 twips at 15 twips a pixel; more while a working window needs more.
    static constexpr int kMinWidth = 420;
    static constexpr int kMinHeight = 380;

    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

    // Nouveau, Ouvrir, Propriétés de la compétition.
    std::array<QAction*, 3> mnuFichier{};
    // Importer des résultats, Exporter, Imprimer, Exporter en PDF.
    std::array<QAction*, 4> mnuTransfert{};
    std::array<QAction*, 7> mnuMRU{}; // 0 is the separator above the recent files
    std::array<QAction*, 2> mnuAide{};
    frmNavigateur* navigator() const { return m_navigator; }

    // The File and help menus, shared by the main window and the working windows.
    static void buildFileMenu(QMenu* menu, std::array<QAction*, 3>& fichier,
                              std::array<QAction*, 4>& transfert, std::array<QAction*, 7>& mru);
    static void buildHelpMenu(QMenu* menu, std::array<QAction*, 2>& aide, QWidget* owner);

    void LoadMRU();
    void AddMRU(const QString& path);
    const Mru& recentFiles() const { return m_mru; }

    // Navigator item clicked (or an Actions menu item chosen): section and item from 1.
    void tbSection_ItemClick(int section, int item);
    WorkingWindow* currentWorkingWindow() const { return m_current; }
    QWidget* betsWindow() const { return m_bets; }

    // Steps of opening a competition that belong to the navigator and the working windows.
    void competitionOpened();       // enable the navigator and select its first item
    void closeCompetitionWindows(); // close the second team, bets and working windows
    void showFirstWorkingWindow();  // show the teams window

    // Another start of the program asked for this window.
    void bringToFront();

    static QString helpFilePath();

    // Shows the current working window again, read afresh from the file.
    void reloadWorkingWindow();

public slots:
    void newCompetition();
    // The wizard started from a season's file chosen by the user.
    void newCompetitionFromData();
    void importResults();
    // What the current working window shows, to a CSV file, to the printer, to a PDF file.
    void exportShown();
    void printShown();
    void exportShownPdf();
    void openCompetition();
    void openRecent(int index);
    // The name, season, points and tie-break of the open competition; the working window is
    // shown again after a change.
    void editProperties();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void refreshMruMenu();
    void updateTransferCommands();
    void showMenus();
    void fitMinimumSize();
    void closeSideWindows();
    void unloadWorkingWindow();

    Mru m_mru{QString::fromLatin1(kAppName)};
    frmNavigateur* m_navigator;
    QWidget* m_workArea;
    QList<QMenu*> m_menus;
    QPointer<WorkingWindow> m_current;
    QPointer<QWidget> m_bets;
};
