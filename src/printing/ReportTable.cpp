#include "printing/ReportTable.h"

#include "models/ListModel.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QTextLayout>
#include <algorithm>
#include <numeric>

namespace {

const QColor kCaptionBack(208, 208, 208);
const QColor kShade(236, 236, 236);

QTextOption wrapping(Qt::Alignment alignment)
{
    QTextOption option(alignment);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    return option;
}

double sum(const std::vector<double>& widths)
{
    return std::accumulate(widths.begin(), widths.end(), 0.0);
}

QPixmap pictureOf(const QVariant& value)
{
    if (value.userType() == QMetaType::QPixmap)
        return value.value<QPixmap>();
    if (value.userType() == QMetaType::QImage)
        return QPixmap::fromImage(value.value<QImage>());
    return {};
}

} // namespace

ReportTable::ReportTable(const ListModel& model, const QFont& font, QPaintDevice& device,
                         double unit, double width, double pageHeight, int repeatedColumns)
    : m_font(font), m_captionFont(font), m_device(device), m_captions(model.captions())
{
    m_captionFont.setBold(true);
    const QFontMetricsF fm(m_font, &m_device);
    const double rowHeight = fm.height() + 5 * unit;
    m_padding = 3 * unit;
    m_pictureSize = fm.height() + 2 * unit;
    m_captionHeight = QFontMetricsF(m_captionFont, &m_device).height() + 6 * unit;

    const int columns = int(m_captions.size());
    m_rows.resize(size_t(model.rowCount()));
    for (int r = 0; r < model.rowCount(); ++r) {
        Row& row = m_rows[size_t(r)];
        row.cells.resize(size_t(columns));
        for (int c = 0; c < columns; ++c) {
            const QModelIndex at = model.index(r, c);
            Cell& cell = row.cells[size_t(c)];
            cell.text = model.data(at, Qt::DisplayRole).toString();
            cell.picture = pictureOf(model.data(at, Qt::DecorationRole));
            cell.alignment = Qt::Alignment(model.data(at, Qt::TextAlignmentRole).toInt());
            cell.wrap = model.data(at, ListModel::WrapRole).toBool();
        }
    }
    m_captionAlignment.resize(size_t(columns), Qt::AlignLeft);
    if (!m_rows.empty())
        for (int c = 0; c < columns; ++c)
            m_captionAlignment[size_t(c)] =
                m_rows.front().cells[size_t(c)].alignment & Qt::AlignHorizontal_Mask;

    std::vector<double> minimum;
    const std::vector<double> natural = naturalWidths(minimum);
    m_naturalWidth = sum(natural);
    if (repeatedColumns < 0)
        fitColumns(width, natural, minimum);
    else
        cutIntoBands(width, repeatedColumns, natural, minimum);

    for (Row& row : m_rows) {
        row.height = rowHeight;
        for (int c = 0; c < columns; ++c) {
            const Cell& cell = row.cells[size_t(c)];
            if (!cell.wrap || cell.text.isEmpty())
                continue;
            QTextLayout layout(cell.text, m_font, &m_device);
            layout.setTextOption(wrapping(Qt::AlignLeft));
            layout.beginLayout();
            int lines = 0;
            for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
                line.setLineWidth(std::max(1.0, m_widths[size_t(c)] - 2 * m_padding));
                ++lines;
            }
            layout.endLayout();
            row.height = std::max(row.height, lines * fm.lineSpacing() + 5 * unit);
        }
        row.height = std::min(row.height, std::max(rowHeight, pageHeight - m_captionHeight));
    }
}

std::vector<double> ReportTable::naturalWidths(std::vector<double>& minimum) const
{
    const QFontMetricsF fm(m_font, &m_device), bold(m_captionFont, &m_device);
    const int columns = int(m_captions.size());
    std::vector<double> natural(size_t(columns), 0);
    minimum.assign(size_t(columns), 0);
    for (int c = 0; c < columns; ++c) {
        double w = m_captions[c].isEmpty() ? m_pictureSize : bold.horizontalAdvance(m_captions[c]);
        minimum[size_t(c)] = w + 2 * m_padding;
        for (const Row& row : m_rows) {
            const Cell& cell = row.cells[size_t(c)];
            double content = cell.text.isEmpty() ? 0 : fm.horizontalAdvance(cell.text);
            if (!cell.picture.isNull())
                content += m_pictureSize + (cell.text.isEmpty() ? 0 : m_padding);
            w = std::max(w, content);
        }
        if (!m_captions[c].isEmpty())
            w = std::max(w, fm.horizontalAdvance(QStringLiteral("0000")));
        natural[size_t(c)] = w + 2 * m_padding;
    }
    return natural;
}

// Every column as wide as its widest content. When the table is too wide, the widest text
// columns are cut down alike to what their captions need, and every column shrinks when even
// that does not fit. The widest text column then takes what is left of the width.
void ReportTable::fitColumns(double width, const std::vector<double>& natural,
                             const std::vector<double>& minimum)
{
    const int columns = int(m_captions.size());
    int widest = -1;
    for (int c = 0; c < columns; ++c)
        if (!m_captions[c].isEmpty() &&
            (widest < 0 || natural[size_t(c)] > natural[size_t(widest)]))
            widest = c;
    const auto capped = [&](double cap) {
        std::vector<double> widths = natural;
        for (int c = 0; c < columns; ++c)
            if (!m_captions[c].isEmpty())
                widths[size_t(c)] = std::min(natural[size_t(c)], std::max(cap, minimum[size_t(c)]));
        return widths;
    };
    m_widths = natural;
    if (sum(natural) > width) {
        double low = 0, high = *std::max_element(natural.begin(), natural.end());
        for (int i = 0; i < 40; ++i) {
            const double cap = (low + high) / 2;
            (sum(capped(cap)) > width ? high : low) = cap;
        }
        m_widths = capped(low);
        const double total = sum(m_widths);
        if (total > width)
            for (double& w : m_widths)
                w *= width / total;
    }
    if (widest >= 0)
        m_widths[size_t(widest)] += std::max(0.0, width - sum(m_widths));
    Band band;
    for (int c = 0; c < columns; ++c) {
        band.columns.push_back(c);
        band.left.push_back(band.width);
        band.width += m_widths[size_t(c)];
    }
    m_bands = {band};
}

// The leading columns take at most half the width: only a name longer than that is cut.
void ReportTable::cutIntoBands(double width, int repeatedColumns,
                               const std::vector<double>& natural,
                               const std::vector<double>& minimum)
{
    m_widths = natural;
    const int columns = int(m_captions.size());
    const int lead = std::min(repeatedColumns, columns);
    const auto leadWidth = [&] {
        return std::accumulate(m_widths.begin(), m_widths.begin() + lead, 0.0);
    };
    for (int c = 0; c < lead && leadWidth() > width / 2; ++c)
        if (!m_captions[c].isEmpty())
            m_widths[size_t(c)] =
                std::max(minimum[size_t(c)], m_widths[size_t(c)] - (leadWidth() - width / 2));
    const double room = std::max(1.0, width - leadWidth());
    m_bands.clear();
    for (int next = lead; next < columns || m_bands.empty();) {
        Band band;
        for (int c = 0; c < lead; ++c) {
            band.columns.push_back(c);
            band.left.push_back(band.width);
            band.width += m_widths[size_t(c)];
        }
        for (bool first = true; next < columns; first = false, ++next) {
            double& w = m_widths[size_t(next)];
            w = std::min(w, room);
            if (!first && band.width + w > width)
                break;
            band.columns.push_back(next);
            band.left.push_back(band.width);
            band.width += w;
        }
        m_bands.push_back(std::move(band));
    }
}

double ReportTable::headHeight(int rows) const
{
    double h = m_captionHeight;
    for (int r = 0; r < std::min(rows, rowCount()); ++r)
        h += rowHeight(r);
    return h;
}

void ReportTable::paintCaptions(QPainter& painter, double y, int band) const
{
    const Band& b = m_bands[size_t(band)];
    painter.fillRect(QRectF(0, y, b.width, m_captionHeight), kCaptionBack);
    painter.setFont(m_captionFont);
    const QFontMetricsF fm(m_captionFont, &m_device);
    for (size_t i = 0; i < b.columns.size(); ++i) {
        const int c = b.columns[i];
        const QRectF rect(b.left[i] + m_padding, y, m_widths[size_t(c)] - 2 * m_padding,
                          m_captionHeight);
        painter.drawText(rect, int(m_captionAlignment[size_t(c)] | Qt::AlignVCenter),
                         fm.elidedText(m_captions[c], Qt::ElideRight, rect.width()));
    }
}

void ReportTable::paintRow(QPainter& painter, int row, double y, int band) const
{
    const Band& b = m_bands[size_t(band)];
    const Row& r = m_rows[size_t(row)];
    if (row % 2 == 1)
        painter.fillRect(QRectF(0, y, b.width, r.height), kShade);
    painter.setFont(m_font);
    for (size_t i = 0; i < b.columns.size(); ++i) {
        const int c = b.columns[i];
        paintCell(painter, r.cells[size_t(c)],
                  QRectF(b.left[i] + m_padding, y, m_widths[size_t(c)] - 2 * m_padding, r.height));
    }
}

void ReportTable::paintCell(QPainter& painter, const Cell& cell, const QRectF& cellRect) const
{
    QRectF rect = cellRect;
    if (rect.width() <= 0)
        return;
    const Qt::Alignment horizontal = cell.alignment & Qt::AlignHorizontal_Mask;
    if (!cell.picture.isNull()) {
        // The picture keeps its proportions within a square as high as a text line.
        QSizeF size =
            QSizeF(cell.picture.size()).scaled(m_pictureSize, m_pictureSize, Qt::KeepAspectRatio);
        size = size.boundedTo(rect.size());
        double x = rect.left();
        if (cell.text.isEmpty() && (horizontal & Qt::AlignHCenter))
            x = rect.center().x() - size.width() / 2;
        else if (cell.text.isEmpty() && (horizontal & Qt::AlignRight))
            x = rect.right() - size.width();
        const QRectF target(x, rect.center().y() - size.height() / 2, size.width(), size.height());
        painter.drawPixmap(target, cell.picture, QRectF(cell.picture.rect()));
        rect.setLeft(target.right() + m_padding);
    }
    if (cell.text.isEmpty() || rect.width() <= 0)
        return;
    Qt::Alignment vertical = cell.alignment & Qt::AlignVertical_Mask;
    if (!vertical)
        vertical = Qt::AlignVCenter;
    if (cell.wrap) {
        // A row is never taller than a page: what does not fit is cut.
        painter.save();
        painter.setClipRect(rect);
        painter.drawText(rect.adjusted(0, m_padding / 2, 0, 0), cell.text,
                         wrapping(horizontal | Qt::AlignTop));
        painter.restore();
        return;
    }
    const QFontMetricsF fm(m_font, &m_device);
    painter.drawText(rect, int(horizontal | vertical),
                     fm.elidedText(cell.text, Qt::ElideRight, rect.width()));
}
