#pragma once

#include <QAbstractScrollArea>
#include <QSet>
#include <functional>
#include <vector>

// A list that holds no data: it knows how many rows there are and asks its owner to draw
// each visible row. It scrolls by whole rows vertically and by pixels horizontally.
class OwnerDrawList : public QAbstractScrollArea
{
    Q_OBJECT
public:
    struct RowState
    {
        bool selected = false;
        bool current = false;
        bool focus = false; // the current row of a list that has the focus
    };
    using RowPainter = std::function<void(QPainter&, int row, const QRect&, const RowState&)>;

    explicit OwnerDrawList(QWidget* parent = nullptr);

    void setRowPainter(RowPainter painter) { m_painter = std::move(painter); }
    // Fixed height for every row, or one height per row.
    void setRows(int count, int rowHeight);
    void setRows(std::vector<int> heights);
    int rowCount() const { return m_count; }
    int rowHeight(int row) const;
    void setHorizontalExtent(int width);
    int horizontalExtent() const { return m_extent; }

    bool multiSelect() const { return m_multi; }
    void setMultiSelect(bool on);
    bool isSelected(int row) const;
    void setSelected(int row, bool on);
    int selectedCount() const { return int(m_selected.size()); }
    int currentRow() const { return m_current; }
    void setCurrentRow(int row);

    int topIndex() const;
    void setTopIndex(int row);
    // The row under a vertical position of the viewport, -1 below the last row.
    int rowAt(int y) const;
    QRect rowRect(int row) const; // in viewport coordinates; empty when not visible

signals:
    void selectionChanged();
    void rowDoubleClicked(int row);
    void scrolled();
    void mousePressed(int button, int x, int y);
    void mouseReleased(int button, int x, int y);
    void keyPressed(QKeyEvent* event);
    void keyReleased(QKeyEvent* event);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void updateScrollBars();
    int lastTopIndex() const;
    int visibleRowsFrom(int top) const;
    void moveCurrent(int row, Qt::KeyboardModifiers modifiers);
    void clearSelection();

    RowPainter m_painter;
    int m_count = 0;
    int m_fixedHeight = 26;
    std::vector<int> m_heights; // empty when every row has m_fixedHeight
    int m_extent = 0;
    bool m_multi = false;
    QSet<int> m_selected;
    int m_current = -1;
    int m_anchor = -1;
};
