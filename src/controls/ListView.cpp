#include "controls/ListView.h"

#include "controls/ListDelegate.h"
#include "models/ListModel.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>

ListView::ListView(QWidget* parent) : QTableView(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(false);
    setWordWrap(false);
    setTabKeyNavigation(false);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    horizontalScrollBar()->setSingleStep(10);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(1);
    setCornerButtonEnabled(false);
    setItemDelegate(new ListDelegate(this));
}

void ListView::setListModel(ListModel* model)
{
    m_model = model;
    setModel(model);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { emit rowSelectionChanged(); });
}

void ListView::setRowHeights(int height)
{
    // Qt goes over every row even for the height they already have.
    if (verticalHeader()->defaultSectionSize() != qMax(1, height))
        verticalHeader()->setDefaultSectionSize(qMax(1, height));
    // Rows take the default height as they come; a pass over every row (long for a season of
    // the largest league) is needed only after rows were given heights of their own.
    if (m_rowsSizedApart)
        verticalHeader()->resizeSections(QHeaderView::Fixed);
    m_rowsSizedApart = false;
}

void ListView::setRowHeights(const std::vector<int>& heights)
{
    for (size_t r = 0; r < heights.size(); ++r)
        verticalHeader()->resizeSection(int(r), heights[r]);
    m_rowsSizedApart = true;
}

int ListView::rowCount() const
{
    return model() ? model()->rowCount() : 0;
}

int ListView::horizontalExtent() const
{
    return horizontalHeader()->length();
}

void ListView::setMultiSelect(bool on)
{
    if (on == multiSelect())
        return;
    const int current = currentRow();
    setSelectionMode(on ? QAbstractItemView::ExtendedSelection
                        : QAbstractItemView::SingleSelection);
    clearSelection();
    if (!on && current >= 0)
        setCurrentRow(current);
}

bool ListView::isSelected(int row) const
{
    return selectionModel() && selectionModel()->isRowSelected(row, {});
}

void ListView::setSelected(int row, bool on)
{
    if (!model() || row < 0 || row >= rowCount())
        return;
    if (!multiSelect()) {
        if (on)
            setCurrentRow(row);
        return;
    }
    if (on == isSelected(row))
        return;
    selectionModel()->select(model()->index(row, 0),
                             (on ? QItemSelectionModel::Select : QItemSelectionModel::Deselect) |
                                 QItemSelectionModel::Rows);
}

int ListView::selectedCount() const
{
    return selectionModel() ? int(selectionModel()->selectedRows().size()) : 0;
}

int ListView::currentRow() const
{
    return currentIndex().isValid() ? currentIndex().row() : -1;
}

int ListView::currentColumn() const
{
    const int team = m_model ? m_model->teamColumn() : -1;
    return team >= 0 ? team : 0;
}

void ListView::setCurrentRow(int row)
{
    if (!model())
        return;
    if (row < 0 || rowCount() == 0) {
        selectionModel()->clearCurrentIndex();
        clearSelection();
        return;
    }
    row = qMin(row, rowCount() - 1);
    const QModelIndex index = model()->index(row, currentColumn());
    selectionModel()->setCurrentIndex(index, multiSelect() ? QItemSelectionModel::NoUpdate
                                                           : QItemSelectionModel::ClearAndSelect |
                                                                 QItemSelectionModel::Rows);
    scrollTo(index);
}

int ListView::topIndex() const
{
    return verticalScrollBar()->value();
}

void ListView::setTopIndex(int row)
{
    // The scroll range follows new rows only once the view has laid them out.
    executeDelayedItemsLayout();
    updateGeometries();
    verticalScrollBar()->setValue(qBound(0, row, verticalScrollBar()->maximum()));
}

QRect ListView::rowRect(int row) const
{
    if (row < topIndex() || row >= rowCount())
        return {};
    const int y = rowViewportPosition(row);
    if (y < 0 || y > viewport()->height())
        return {};
    return QRect(-horizontalScrollBar()->value(), y, qMax(viewport()->width(), horizontalExtent()),
                 rowHeight(row));
}

QString ListView::copiedText() const
{
    if (!m_model)
        return {};
    QList<int> rows;
    if (selectionModel())
        for (const QModelIndex& index : selectionModel()->selectedRows())
            rows << index.row();
    std::sort(rows.begin(), rows.end());
    return m_model->tabSeparated(rows);
}

void ListView::copy() const
{
    QApplication::clipboard()->setText(copiedText());
}

void ListView::keyboardSearch(const QString& search)
{
    // The search runs down the current cell's column: make it the team's.
    const int team = m_model ? m_model->teamColumn() : -1;
    if (team >= 0 && currentIndex().isValid() && currentIndex().column() != team)
        selectionModel()->setCurrentIndex(model()->index(currentIndex().row(), team),
                                          QItemSelectionModel::NoUpdate);
    else if (team >= 0 && !currentIndex().isValid() && rowCount() > 0)
        selectionModel()->setCurrentIndex(model()->index(0, team), QItemSelectionModel::NoUpdate);
    QTableView::keyboardSearch(search);
}

QModelIndex ListView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    if (!model() || rowCount() == 0)
        return {};
    const int column = currentIndex().isValid() ? currentIndex().column() : currentColumn();
    // Home and End go to the first and last rows; left and right scroll the columns.
    switch (action) {
    case MoveHome:
        return model()->index(0, column);
    case MoveEnd:
        return model()->index(rowCount() - 1, column);
    case MoveLeft:
    case MoveRight:
        horizontalScrollBar()->triggerAction(action == MoveLeft
                                                 ? QAbstractSlider::SliderSingleStepSub
                                                 : QAbstractSlider::SliderSingleStepAdd);
        return currentIndex();
    default: {
        const QModelIndex next = QTableView::moveCursor(action, modifiers);
        return next.isValid() ? model()->index(next.row(), column) : next;
    }
    }
}

static int buttonNumber(Qt::MouseButton b)
{
    return b == Qt::LeftButton ? 1 : b == Qt::RightButton ? 2 : b == Qt::MiddleButton ? 4 : 0;
}

void ListView::mousePressEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::RightButton) {
        const int row = rowAt(pos.y());
        if (row >= 0 && !multiSelect())
            setCurrentRow(row);
    } else {
        QTableView::mousePressEvent(event);
    }
    emit mousePressed(buttonNumber(event->button()), pos.x(), pos.y());
}

void ListView::mouseReleaseEvent(QMouseEvent* event)
{
    QTableView::mouseReleaseEvent(event);
    const QPoint pos = event->position().toPoint();
    emit mouseReleased(buttonNumber(event->button()), pos.x(), pos.y());
}

void ListView::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTableView::mouseDoubleClickEvent(event);
    // Below the last row too: the window decides what a double-click on no row means.
    if (event->button() == Qt::LeftButton)
        emit rowDoubleClicked(rowAt(event->position().toPoint().y()));
}

void ListView::keyPressEvent(QKeyEvent* event)
{
    emit keyPressed(event);
    if (event->matches(QKeySequence::Copy)) {
        copy();
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void ListView::keyReleaseEvent(QKeyEvent* event)
{
    emit keyReleased(event);
    QTableView::keyReleaseEvent(event);
}

void ListView::scrollContentsBy(int dx, int dy)
{
    QTableView::scrollContentsBy(dx, dy);
    emit scrolled();
}
