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
                         double unit, double width, double pageHeight)
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

    measureColumns(width);

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

// Every column as wide as its widest content. When the table is too wide, the widest text
// columns are cut down alike to what their captions need, and every column shrinks when even
// that does not fit. The widest text column then takes what is left of the width.
void ReportTable::measureColumns(double width)
{
    const QFontMetricsF fm(m_font, &m_device), bold(m_captionFont, &m_device);
    const int columns = int(m_captions.size());
    std::vector<double> natural(size_t(columns), 0), minimum(size_t(columns), 0);
    int widest = -1;
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
        if (!m_captions[c].isEmpty() &&
            (widest < 0 || natural[size_t(c)] > natural[size_t(widest)]))
            widest = c;
    }
    const auto capped = [&](double cap) {
        std::vector<double> widths = natural;
        for (int c = 0; c < columns; ++c)
            if (!m_captions[c].isEmpty())
                widths[size_t(c)] = std::min(natural[size_t(c)], std::max(cap, minimum[size_t(c)]));
        return widths;
    };
    const auto sum = [](const std::vector<double>& widths) {
        return std::accumulate(widths.begin(), widths.end(), 0.0);
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
    m_left.resize(size_t(columns));
    double x = 0;
    for (int c = 0; c < columns; ++c) {
        m_left[size_t(c)] = x;
        x += m_widths[size_t(c)];
    }
}

double ReportTable::headHeight(int rows) const
{
    double h = m_captionHeight;
    for (int r = 0; r < std::min(rows, rowCount()); ++r)
        h += rowHeight(r);
    return h;
}

void ReportTable::paintCaptions(QPainter& painter, double y) const
{
    const double width = m_left.empty() ? 0 : m_left.back() + m_widths.back();
    painter.fillRect(QRectF(0, y, width, m_captionHeight), kCaptionBack);
    painter.setFont(m_captionFont);
    const QFontMetricsF fm(m_captionFont, &m_device);
    for (int c = 0; c < int(m_captions.size()); ++c) {
        const QRectF rect(m_left[size_t(c)] + m_padding, y, m_widths[size_t(c)] - 2 * m_padding,
                          m_captionHeight);
        painter.drawText(rect, int(m_captionAlignment[size_t(c)] | Qt::AlignVCenter),
                         fm.elidedText(m_captions[c], Qt::ElideRight, rect.width()));
    }
}

void ReportTable::paintRow(QPainter& painter, int row, double y) const
{
    const Row& r = m_rows[size_t(row)];
    if (row % 2 == 1 && !m_left.empty()) {
        const double width = m_left.back() + m_widths.back();
        painter.fillRect(QRectF(0, y, width, r.height), kShade);
    }
    painter.setFont(m_font);
    for (int c = 0; c < int(r.cells.size()); ++c)
        paintCell(painter, r.cells[size_t(c)],
                  QRectF(m_left[size_t(c)] + m_padding, y, m_widths[size_t(c)] - 2 * m_padding,
                         r.height));
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
