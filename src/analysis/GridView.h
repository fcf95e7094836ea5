#pragma once

#include "controls/ListView.h"

class GridModel;

// The cross table on our list view: one cell at a time is current, the arrow keys move
// between cells, and a double-click or Enter on a cell asks for its match.
class GridView : public ListView
{
    Q_OBJECT
public:
    explicit GridView(QWidget* parent = nullptr);

    void setGridModel(GridModel* model);
    GridModel* gridModel() const { return m_grid; }
    // Column widths for the names and the scores of the teams shown.
    void fitColumns();

signals:
    void cellActivated(const QModelIndex& index);

protected:
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    GridModel* m_grid = nullptr;
};
