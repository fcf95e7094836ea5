#pragma once

#include "controls/IMessageTarget.h"

#include <QHeaderView>
#include <QPixmap>

class QStandardItemModel;

// A column header, always 20 pixels high. It works standalone above a list (follow the
// list's horizontal scroll bar with setOffset) or as the horizontal header of a table or
// tree view. Its columns are its own: a view that adopts it keeps them. Column indexes
// count from 0; alignment 0 left, 1 right, 2 centre. A column property used on a column
// that does not exist raises error 381.
class zelHeader : public QHeaderView, public IMessageTarget
{
    Q_OBJECT
    Q_PROPERTY(bool Enabled READ isEnabled WRITE setEnabled)
    Q_PROPERTY(bool HasButtons READ HasButtons WRITE setHasButtons)
    Q_PROPERTY(bool FullDrag READ FullDrag WRITE setFullDrag)
    Q_PROPERTY(bool HotTrack READ HotTrack WRITE setHotTrack)
    Q_PROPERTY(bool DragReOrderColumns READ DragReOrderColumns WRITE setDragReOrderColumns)
    Q_PROPERTY(QFont Font READ font WRITE setFont)

public:
    static constexpr int Height = 20;

    explicit zelHeader(QWidget* parent = nullptr);
    ~zelHeader() override;

    bool HasButtons() const { return sectionsClickable(); }
    void setHasButtons(bool on);
    bool FullDrag() const { return m_fullDrag; }
    void setFullDrag(bool on);
    bool HotTrack() const { return m_hotTrack; }
    void setHotTrack(bool on);
    bool DragReOrderColumns() const { return sectionsMovable(); }
    void setDragReOrderColumns(bool on);

    // No image list for an invalid value or 0; a list of pixmaps, icons or images (also
    // inside a QVariantList) otherwise. Anything else clears the list and raises an error.
    void setImageList(const QVariant& images);
    void setImageList(const QList<QPixmap>& images);
    int ImageCount() const { return int(m_images.size()); }

    int ColumnIndex(int Index) const;
    void setColumnIndex(int Index, int Position);
    qint32 ColumnExtraData(int Index) const;
    void setColumnExtraData(int Index, qint32 value);
    int ColumnTextAlign(int Index) const;
    void setColumnTextAlign(int Index, int alignment);
    int ColumnWidth(int Index) const;
    void setColumnWidth(int Index, int width);
    int ColumnImage(int Index) const;
    void setColumnImage(int Index, int image);
    bool ColumnImageOnRight(int Index) const;
    void setColumnImageOnRight(int Index, bool on);
    QString ColumnHeader(int Index) const;
    void setColumnHeader(int Index, const QString& caption);

    void RemoveColumn(int Index);
    // Index below 0 or past the last column appends; returns the new column's index.
    int AddColumn(const QString& Caption, int Width, int Alignment = 0, qint32 ExtraData = 0,
                  int Image = -1, bool ImageOnRight = false, int Index = -1);
    int ColumnCount() const { return count(); }

    QSize sizeHint() const override;
    void setModel(QAbstractItemModel* model) override;
    void setSelectionModel(QItemSelectionModel* selectionModel) override;

signals:
    void ColumnWidthChanged(int Index, int Width);
    void ColumnWidthChanging(int Index, int Width, bool& Cancel);
    void StartColumnWidthChange(int Index, int Width, bool& Cancel);
    void DividerDblClick(int Index);
    void ColumnClick(int Index);
    void ColumnDblClick(int Index);
    void ColumnBeginDrag(int Index);
    void ColumnEndDrag(int Index, int NewPosition);
    void RightClick(int X, int Y);

protected:
    bool Message(QWidget* hwnd, QEvent* event) override;
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

private:
    void check(int Index) const;
    QVariant columnData(int Index, int role) const;
    void setColumnData(int Index, int role, const QVariant& value);
    int dividerAt(int x) const;
    bool pressed(QWidget* hwnd, QMouseEvent* event);
    bool moved(QWidget* hwnd, QMouseEvent* event);
    bool released(QWidget* hwnd, QMouseEvent* event);

    QStandardItemModel* m_columns;
    QList<QPixmap> m_images;
    bool m_fullDrag = true;
    bool m_hotTrack = false;
    int m_hot = -1;

    int m_tracking = -1; // column whose divider is being dragged, -1 otherwise
    int m_trackStartX = 0;
    int m_trackStartWidth = 0;
    int m_trackWidth = -1;
    int m_dragColumn = -1;
    int m_dragStartX = 0;
    bool m_dragging = false;
};
