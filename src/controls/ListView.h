#pragma once

#include <QTableView>
#include <vector>

class ListModel;

// The view under every list of ours: whole rows selected, the team found by typing its first
// letters, Ctrl+C copying the selected rows (all when none is) as tab-separated text. It
// scrolls by whole rows vertically and by pixels horizontally.
class ListView : public QTableView
{
    Q_OBJECT
public:
    explicit ListView(QWidget* parent = nullptr);

    void setListModel(ListModel* model);
    ListModel* listModel() const { return m_model; }

    // The same height for every row, or one height per row.
    void setRowHeights(int height);
    void setRowHeights(const std::vector<int>& heights);
    int rowCount() const;
    // The width of every column together.
    int horizontalExtent() const;

    bool multiSelect() const { return selectionMode() == QAbstractItemView::ExtendedSelection; }
    void setMultiSelect(bool on);
    bool isSelected(int row) const;
    void setSelected(int row, bool on);
    int selectedCount() const;
    int currentRow() const;
    void setCurrentRow(int row);

    int topIndex() const;
    void setTopIndex(int row);
    // The row's rectangle in the viewport; empty when it is not on screen.
    QRect rowRect(int row) const;

    // The selected rows in order, or every row when none is selected, as the clipboard takes
    // them.
    QString copiedText() const;
    void copy() const;

    void keyboardSearch(const QString& search) override;

signals:
    void rowSelectionChanged();
    void rowDoubleClicked(int row);
    void scrolled();
    void mousePressed(int button, int x, int y);
    void mouseReleased(int button, int x, int y);
    void keyPressed(QKeyEvent* event);
    void keyReleased(QKeyEvent* event);

protected:
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    int currentColumn() const;

    ListModel* m_model = nullptr;
    bool m_rowsSizedApart = false;
};
