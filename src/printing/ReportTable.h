#pragma once

#include <QFont>
#include <QPixmap>
#include <QString>
#include <QStringList>
#include <vector>

class ListModel;
class QPainter;
class QPaintDevice;

// A list model read once and measured for printing at a given width: the width of every
// column and the height of every row, then the caption row and each row painted apart, so
// that the document can break pages between rows.
class ReportTable
{
public:
    // unit is the number of device pixels in a point. A row is never taller than a page of
    // pageHeight under the caption row.
    ReportTable(const ListModel& model, const QFont& font, QPaintDevice& device, double unit,
                double width, double pageHeight);

    int rowCount() const { return int(m_rows.size()); }
    double captionHeight() const { return m_captionHeight; }
    double rowHeight(int row) const { return m_rows[size_t(row)].height; }
    // Height of the caption row and the first `rows` rows.
    double headHeight(int rows) const;

    void paintCaptions(QPainter& painter, double y) const;
    void paintRow(QPainter& painter, int row, double y) const;

private:
    struct Cell
    {
        QString text;
        QPixmap picture;
        Qt::Alignment alignment;
        bool wrap = false;
    };
    struct Row
    {
        std::vector<Cell> cells;
        double height = 0;
    };

    void measureColumns(double width);
    void paintCell(QPainter& painter, const Cell& cell, const QRectF& rect) const;

    QFont m_font, m_captionFont;
    QPaintDevice& m_device;
    QStringList m_captions;
    std::vector<Qt::Alignment> m_captionAlignment;
    std::vector<Row> m_rows;
    std::vector<double> m_left, m_widths;
    double m_padding = 0, m_pictureSize = 0, m_captionHeight = 0;
};
