#pragma once

#include "shell/ShownView.h"

#include <QWidget>
#include <array>

class QAction;
class QMenu;

// A window shown beside the navigator: teams, matches, standings or analyses. While it is current
// the main window's menu bar shows its menus: "&Fichier", "&Actions" and "&?".
class WorkingWindow : public QWidget
{
    Q_OBJECT
public:
    WorkingWindow(const QString& formName, QWidget* parent = nullptr);
    ~WorkingWindow() override;

    QString formName() const { return objectName(); }
    QList<QMenu*> menus() const { return m_menus; }

    std::array<QAction*, 3> mnuFichier{};
    std::array<QAction*, 4> mnuTransfert{};
    std::array<QAction*, 7> mnuMRU{};
    std::array<QAction*, 5> mnuAction{};
    std::array<QAction*, 2> mnuAide{};

    // What the window shows, for the export and the printed pages; empty when nothing.
    virtual ShownView shownView() const { return {}; }

    // Puts the focus on the first control in the tab order, as the window is shown. Asked
    // again while the focus is already inside, it leaves it there and has a screen reader read
    // the focused control again.
    void focusFirstControl();

    // Captions, held paths and visibility of the recent files, as the main window has them.
    void copyRecentFiles(const std::array<QAction*, 7>& from);

    // The window places its controls itself as it is resized: lists stretch, the other
    // controls keep their size and place. It needs the room of its widest row of controls,
    // with the left margin repeated at the right, and of its lists at their smallest. A
    // window laid out otherwise says what it needs itself.
    QSize minimumSizeHint() const override;

protected:
    // A menu of the window's own, shown before "&?".
    void addMenu(QMenu* menu);

private:
    QList<QMenu*> m_menus;
};
