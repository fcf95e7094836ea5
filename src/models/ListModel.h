#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QHash>
#include <QPixmap>
#include <QStringList>
#include <functional>
#include <vector>

namespace store {
struct Team;
}

// What a list shows, as a table model: the text of each cell, the crests and pictures, the
// alignment and the colours of the rows. The views, the copy to the clipboard and the
// exports read the same model.
class ListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Role {
        // True for a cell whose text wraps over several lines.
        WrapRole = Qt::UserRole + 1,
        // True for a cell with a sunken line on its right edge.
        EdgeRole,
        // The value as a file should hold it ("12" for the matchday shown "J12").
        ExportRole,
        // On the first cell of a row, the colour of a narrow strip on its left edge (clear for
        // none, the text still past it).
        StripRole,
    };

    using QAbstractTableModel::QAbstractTableModel;

    struct Colours
    {
        QColor back, alternBack, fore, alternFore;
    };

    void setColours(const Colours& colours);
    // Rows in two colours, the first row in the alternate ones; otherwise every row in the
    // plain colours.
    void setAlternating(bool on) { m_alternating = on; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The captions of the columns; an empty one is a picture column.
    virtual QStringList captions() const = 0;
    // The column a user types a team's first letters into, -1 when there is none.
    virtual int teamColumn() const { return -1; }

    // Where crests come from: by default the crest cache of the open competition; a program
    // without that cache (the command-line tool) hands in the competition's own pictures.
    using CrestSource = std::function<QPixmap(const QString& team)>;
    static void setCrestSource(CrestSource source);
    // The teams' icons (one per team, in the same order) as a crest source: each icon is
    // decoded and sized once, and the same picture is handed out every time after.
    static CrestSource iconsOf(const std::vector<store::Team>& teams,
                               std::vector<QByteArray> icons);
    // An icon fitted to the 24 by 24 pixels of a crest, its proportions kept.
    static QPixmap sizedCrest(const QPixmap& icon);

    // The columns that a copy or an export holds: those with a caption (no pictures).
    QList<int> exportedColumns() const;
    QStringList exportedCaptions() const;
    // A row's values in those columns, as a file holds them.
    QStringList exportedRow(int row) const;

    // The rows (all of them when rows is empty) as tab-separated text under a header line,
    // picture columns left out: what a spreadsheet takes when pasted.
    QString tabSeparated(QList<int> rows = {}) const;

protected:
    virtual int rows() const = 0;
    // The cell's value for DisplayRole, DecorationRole, TextAlignmentRole, ExportRole, the
    // roles of this class and, to stand apart from the row, BackgroundRole, ForegroundRole and
    // FontRole; an invalid value for the others.
    virtual QVariant cell(int row, int column, int role) const = 0;

    // The team's small icon from the crest cache; null when there is none.
    QPixmap crest(const QString& team) const;
    void forgetCrests() { m_crests.clear(); }

private:
    Colours m_colours{QColor(Qt::white), QColor(Qt::white), QColor(Qt::black), QColor(Qt::black)};
    bool m_alternating = true;
    mutable QHash<QString, QPixmap> m_crests;
};
