#include "analysis/GridView.h"

#include "analysis/GridHeader.h"
#include "analysis/GridModel.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

namespace {
constexpr int kNameWidth = 220; // at most
} // namespace

GridView::GridView(QWidget* parent) : ListView(parent)
{
    setHorizontalHeader(new GridHeader(GridModel::kFirstVisitor, this));
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setShowGrid(true);
}

void GridView::setGridModel(GridModel* model)
{
    m_grid = model;
    setListModel(model);
    connect(model, &QAbstractItemModel::modelReset, this, &GridView::fitColumns);
    fitColumns();
}

void GridView::fitColumns()
{
    if (!m_grid)
        return;
    const QFontMetrics fm(font());
    int names = fm.horizontalAdvance(m_grid->captions().value(1));
    for (int t = 0; t < m_grid->grid().size(); ++t)
        names = qMax(names, fm.horizontalAdvance(m_grid->grid().team(t)));
    const int scores = qMax(fm.horizontalAdvance(QStringLiteral("10-10")) + 10,
                            horizontalHeader()->minimumSectionSize());
    setColumnWidth(0, 28);
    setColumnWidth(1, qMin(kNameWidth, names + 12));
    for (int c = GridModel::kFirstVisitor; c < m_grid->columnCount(); ++c)
        setColumnWidth(c, qMax(scores, 30));
    setRowHeights(qMax(26, fm.height() + 6));
}

QModelIndex GridView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    if (action == MoveLeft || action == MoveRight)
        return QTableView::moveCursor(action, modifiers);
    return ListView::moveCursor(action, modifiers);
}

void GridView::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        currentIndex().isValid()) {
        event->accept();
        emit cellActivated(currentIndex());
        return;
    }
    ListView::keyPressEvent(event);
}

void GridView::mouseDoubleClickEvent(QMouseEvent* event)
{
    ListView::mouseDoubleClickEvent(event);
    const QModelIndex at = indexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && at.isValid())
        emit cellActivated(at);
}
