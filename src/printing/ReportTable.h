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
//
// A table fitted to the width has its columns narrowed until they fit, their text cut. A table
// printed whole keeps every column as wide as its content and is cut into bands of columns
// that each fit the width, the first `repeatedColumns` columns leading every band.
class ReportTable
{
public:
    // unit is the number of device pixels in a point. A row is never taller than a page of
    // pageHeight under the caption row. Fitted to the width when repeatedColumns is negative.
    ReportTable(const ListModel& model, const QFont& font, QPaintDevice& device, double unit,
                double width, double pageHeight, int repeatedColumns = -1);

    int rowCount() const { return int(m_rows.size()); }
    int bandCount() const { return int(m_bands.size()); }
    double bandWidth(int band) const { return m_bands[size_t(band)].width; }
    // The width of every column side by side, none cut.
    double naturalWidth() const { return m_naturalWidth; }
    double captionHeight() const { return m_captionHeight; }
    double rowHeight(int row) const { return m_rows[size_t(row)].height; }
    // Height of the caption row and the first `rows` rows.
    double headHeight(int rows) const;

    void paintCaptions(QPainter& painter, double y, int band = 0) const;
    void paintRow(QPainter& painter, int row, double y, int band = 0) const;

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
    struct Band
    {
        std::vector<int> columns;
        std::vector<double> left; // of each of its columns
        double width = 0;
    };

    std::vector<double> naturalWidths(std::vector<double>& minimum) const;
    void fitColumns(double width, const std::vector<double>& natural,
                    const std::vector<double>& minimum);
    void cutIntoBands(double width, int repeatedColumns, const std::vector<double>& natural,
                      const std::vector<double>& minimum);
    void paintCell(QPainter& painter, const Cell& cell, const QRectF& rect) const;

    QFont m_font, m_captionFont;
    QPaintDevice& m_device;
    QStringList m_captions;
    std::vector<Qt::Alignment> m_captionAlignment;
    std::vector<Row> m_rows;
    std::vector<double> m_widths;
    std::vector<Band> m_bands;
    double m_naturalWidth = 0;
    double m_padding = 0, m_pictureSize = 0, m_captionHeight = 0;
};
