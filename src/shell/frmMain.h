#pragma once

#include "store/Mru.h"

#include <QMainWindow>
#include <array>

class QAction;
class QMenu;

// The main window: the menu bar, and later the navigator and one working window beside it.
class frmMain : public QMainWindow
{
    Q_OBJECT
public:
    static constexpr char kAppName[] = "Zelto App Vemo";
    // 6300 x 5700 twips at 15 twips a pixel.
    static constexpr int kMinWidth = 420;
    static constexpr int kMinHeight = 380;

    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

    std::array<QAction*, 2> mnuFichier{};
    std::array<QAction*, 7> mnuMRU{}; // 0 is the separator above the recent files
    std::array<QAction*, 2> mnuAide{};

    void LoadMRU();
    void AddMRU(const QString& path);
    const Mru& recentFiles() const { return m_mru; }

    // Steps of opening a competition that belong to the navigator and the working windows.
    void competitionOpened();       // enable the navigator and select its first item
    void closeCompetitionWindows(); // close the second team, bets and working windows
    void showFirstWorkingWindow();  // show the teams window

    // Another start of the program asked for this window.
    void bringToFront();

public slots:
    void newCompetition();
    void openCompetition();
    void openRecent(int index);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void refreshMruMenu();

    Mru m_mru{QString::fromLatin1(kAppName)};
};
