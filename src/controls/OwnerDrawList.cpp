#include "controls/OwnerDrawList.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

OwnerDrawList::OwnerDrawList(QWidget* parent) : QAbstractScrollArea(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    verticalScrollBar()->setSingleStep(1);
    horizontalScrollBar()->setSingleStep(10);
    viewport()->setAutoFillBackground(true);
}

void OwnerDrawList::setRows(int count, int rowHeight)
{
    m_count = qMax(0, count);
    m_fixedHeight = qMax(1, rowHeight);
    m_heights.clear();
    m_selected.clear();
    m_current = m_anchor = -1;
    verticalScrollBar()->setValue(0);
    updateScrollBars();
    viewport()->update();
}

void OwnerDrawList::setRows(std::vector<int> heights)
{
    const int count = int(heights.size());
    setRows(count, m_fixedHeight);
    m_heights = std::move(heights);
    updateScrollBars();
}

int OwnerDrawList::rowHeight(int row) const
{
    if (row < 0 || row >= m_count)
        return 0;
    return m_heights.empty() ? m_fixedHeight : m_heights[size_t(row)];
}

void OwnerDrawList::setHorizontalExtent(int width)
{
    m_extent = qMax(0, width);
    updateScrollBars();
    viewport()->update();
}

void OwnerDrawList::setMultiSelect(bool on)
{
    if (m_multi == on)
        return;
    m_multi = on;
    clearSelection();
    if (!m_multi && m_current >= 0)
        m_selected.insert(m_current);
    viewport()->update();
}

bool OwnerDrawList::isSelected(int row) const
{
    return m_selected.contains(row);
}

void OwnerDrawList::setSelected(int row, bool on)
{
    if (row < 0 || row >= m_count)
        return;
    if (!m_multi) {
        if (on)
            setCurrentRow(row);
        return;
    }
    if (on == m_selected.contains(row))
        return;
    if (on)
        m_selected.insert(row);
    else
        m_selected.remove(row);
    viewport()->update();
    emit selectionChanged();
}

void OwnerDrawList::clearSelection()
{
    m_selected.clear();
}

void OwnerDrawList::setCurrentRow(int row)
{
    row = row < 0 || m_count == 0 ? -1 : qMin(row, m_count - 1);
    const bool changed = row != m_current || (!m_multi && row >= 0 && !m_selected.contains(row));
    m_current = row;
    m_anchor = row;
    if (!m_multi) {
        m_selected.clear();
        if (row >= 0)
            m_selected.insert(row);
    }
    if (row >= 0 && row < topIndex()) {
        setTopIndex(row);
    } else if (row >= topIndex() + visibleRowsFrom(topIndex())) {
        // Scroll just enough for the row to be the last one shown in full.
        int y = 0, top = row;
        while (top >= 0 && y + rowHeight(top) <= viewport()->height())
            y += rowHeight(top--);
        setTopIndex(qMin(row, top + 1));
    }
    viewport()->update();
    if (changed)
        emit selectionChanged();
}

int OwnerDrawList::topIndex() const
{
    return verticalScrollBar()->value();
}

void OwnerDrawList::setTopIndex(int row)
{
    verticalScrollBar()->setValue(qBound(0, row, lastTopIndex()));
}

// Rows that fit entirely from row top down.
int OwnerDrawList::visibleRowsFrom(int top) const
{
    const int height = viewport()->height();
    int y = 0, n = 0;
    for (int r = top; r < m_count; ++r) {
        y += rowHeight(r);
        if (y > height)
            break;
        ++n;
    }
    return n;
}

// The highest top row that still fills the viewport down to the last row.
int OwnerDrawList::lastTopIndex() const
{
    const int height = viewport()->height();
    int y = 0;
    for (int r = m_count - 1; r >= 0; --r) {
        y += rowHeight(r);
        if (y > height)
            return qMin(r + 1, m_count - 1);
    }
    return 0;
}

int OwnerDrawList::rowAt(int y) const
{
    if (m_count == 0 || y < 0)
        return -1;
    int top = 0;
    for (int r = topIndex(); r < m_count; ++r) {
        top += rowHeight(r);
        if (y < top)
            return r;
        if (top > viewport()->height() + 4096)
            break;
    }
    return -1;
}

QRect OwnerDrawList::rowRect(int row) const
{
    if (row < topIndex() || row >= m_count)
        return {};
    int y = 0;
    for (int r = topIndex(); r < row; ++r) {
        y += rowHeight(r);
        if (y > viewport()->height())
            return {};
    }
    const int width = qMax(viewport()->width(), m_extent);
    return QRect(-horizontalScrollBar()->value(), y, width, rowHeight(row));
}

void OwnerDrawList::updateScrollBars()
{
    QScrollBar* v = verticalScrollBar();
    const int last = lastTopIndex();
    v->setRange(0, last);
    v->setPageStep(qMax(1, visibleRowsFrom(v->value())));
    QScrollBar* h = horizontalScrollBar();
    h->setRange(0, qMax(0, m_extent - viewport()->width()));
    h->setPageStep(qMax(1, viewport()->width()));
}

void OwnerDrawList::paintEvent(QPaintEvent*)
{
    QPainter p(viewport());
    if (!m_painter)
        return;
    const int height = viewport()->height();
    const int width = qMax(viewport()->width(), m_extent);
    const int x = -horizontalScrollBar()->value();
    int y = 0;
    for (int r = topIndex(); r < m_count && y < height; ++r) {
        const QRect rect(x, y, width, rowHeight(r));
        RowState state{m_selected.contains(r), r == m_current, r == m_current && hasFocus()};
        p.save();
        m_painter(p, r, rect, state);
        p.restore();
        y += rect.height();
    }
}

void OwnerDrawList::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void OwnerDrawList::scrollContentsBy(int, int)
{
    viewport()->update();
    emit scrolled();
}

static int buttonNumber(Qt::MouseButton b)
{
    return b == Qt::LeftButton ? 1 : b == Qt::RightButton ? 2 : b == Qt::MiddleButton ? 4 : 0;
}

void OwnerDrawList::mousePressEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton) {
        const int row = rowAt(pos.y());
        if (row >= 0)
            moveCurrent(row,
                        event->button() == Qt::LeftButton ? event->modifiers() : Qt::NoModifier);
    }
    emit mousePressed(buttonNumber(event->button()), pos.x(), pos.y());
}

void OwnerDrawList::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    emit mouseReleased(buttonNumber(event->button()), pos.x(), pos.y());
}

void OwnerDrawList::mouseDoubleClickEvent(QMouseEvent* event)
{
    const int row = rowAt(event->position().toPoint().y());
    if (event->button() == Qt::LeftButton && row >= 0)
        emit rowDoubleClicked(row);
}

void OwnerDrawList::moveCurrent(int row, Qt::KeyboardModifiers modifiers)
{
    if (!m_multi) {
        setCurrentRow(row);
        return;
    }
    const int anchor = m_anchor;
    if (modifiers & Qt::ShiftModifier && anchor >= 0) {
        m_selected.clear();
        for (int r = qMin(anchor, row); r <= qMax(anchor, row); ++r)
            m_selected.insert(r);
    } else if (modifiers & Qt::ControlModifier) {
        if (!m_selected.remove(row))
            m_selected.insert(row);
    } else {
        m_selected = {row};
    }
    setCurrentRow(row);
    if (modifiers & Qt::ShiftModifier && anchor >= 0)
        m_anchor = anchor;
    emit selectionChanged();
}

void OwnerDrawList::keyPressEvent(QKeyEvent* event)
{
    emit keyPressed(event);
    const int page = qMax(1, visibleRowsFrom(topIndex()) - 1);
    int row = m_current;
    switch (event->key()) {
    case Qt::Key_Up:
        row = qMax(0, m_current - 1);
        break;
    case Qt::Key_Down:
        row = m_current + 1;
        break;
    case Qt::Key_PageUp:
        row = qMax(0, m_current - page);
        break;
    case Qt::Key_PageDown:
        row = m_current + page;
        break;
    case Qt::Key_Home:
        row = 0;
        break;
    case Qt::Key_End:
        row = m_count - 1;
        break;
    case Qt::Key_Space:
        if (m_multi && m_current >= 0)
            setSelected(m_current, !isSelected(m_current));
        return;
    default:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    if (m_count > 0)
        moveCurrent(qBound(0, row, m_count - 1), event->modifiers() & Qt::ShiftModifier);
}

void OwnerDrawList::keyReleaseEvent(QKeyEvent* event)
{
    emit keyReleased(event);
    QAbstractScrollArea::keyReleaseEvent(event);
}

void OwnerDrawList::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void OwnerDrawList::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}
