#pragma once

#include "controls/ListDelegate.h"

// Paints the letters of a form column as coloured marks: V green, N grey, D red, oldest
// at the left. The other columns are painted as in every list.
class FormDelegate : public ListDelegate
{
    Q_OBJECT
public:
    FormDelegate(int formColumn, QObject* parent = nullptr);

    static QColor colourOf(QChar result);
    // The width that count marks need.
    static int widthFor(int count, int rowHeight);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    int m_column;
};
