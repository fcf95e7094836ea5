#pragma once

#include <QFont>
#include <QHash>
#include <QStaticText>
#include <QStyledItemDelegate>

// Paints a cell of our lists as the program always drew them: the row's colour (the
// palette's highlight when selected, focused or not), the text inset and cut with "…", a
// picture alone in its cell, wrapped text, a sunken edge, and for the bet ledger a
// separator under each row.
class ListDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    static constexpr int EdgeHeight = 2;

    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

    // Space around the text of a wrapped cell and around each cell of a separated list.
    int padding = 2;
    // 0 none, 1 a flat line, 2 an etched line under every row.
    int separatorStyle = 0;
    int separatorPadding = 0;

private:
    // A line of text cut to a width, laid out once: a list repainted (scrolled, selected,
    // refreshed) shows the same names and numbers again and again.
    const QStaticText& line(const QString& text, int width, const QFont& font) const;

    mutable QHash<std::pair<QString, int>, QStaticText> m_lines;
    mutable QFont m_linesFont;
    mutable QHash<std::pair<QString, int>, QStaticText> m_otherLines;
    mutable QFont m_otherFont;
};
