#include "printing/ReportDocument.h"

#include "models/ListModel.h"
#include "printing/ReportTable.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QTextLayout>
#include <memory>
#include <vector>

namespace {

constexpr int kKeptRows = 3; // rows of a table kept on the page of its title
// A table no higher than this share of a page is not split, unless it starts a page.
constexpr double kWholeTableShare = 0.4;

QFont sized(double points, bool bold = false)
{
    QFont font;
    // No ligatures: text copied from the document reads as it was written ("Diff").
    font.setStyleHint(QFont::SansSerif, QFont::PreferNoShaping);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QPageLayout a4(QPageLayout::Orientation orientation)
{
    return QPageLayout(QPageSize(QPageSize::A4), orientation, QMarginsF(15, 15, 15, 15),
                       QPageLayout::Millimeter);
}

} // namespace

ReportDocument::ReportDocument(QPagedPaintDevice& device, ReportHeader header,
                               QPageLayout::Orientation orientation)
    : m_device(device), m_header(std::move(header)), m_textFont(sized(10)), m_tableFont(sized(9)),
      m_titleFont(sized(13, true)), m_marginFont(sized(8))
{
    const QPageLayout layout = a4(orientation);
    if (!device.setPageLayout(layout)) {
        // A printer with wider hardware margins takes what it can.
        device.setPageSize(layout.pageSize());
        device.setPageOrientation(orientation);
        device.setPageMargins(layout.margins(), QPageLayout::Millimeter);
    }
    if (!m_painter.begin(&device))
        return;
    m_unit = device.logicalDpiY() / 72.0;
    startPage();
}

ReportDocument::~ReportDocument()
{
    if (!isValid())
        return;
    placeTitle(0);
    m_painter.end();
}

void ReportDocument::startPage()
{
    ++m_pages;
    m_width = m_device.width();
    m_painter.setPen(Qt::black);
    m_painter.setFont(m_marginFont);
    const QFontMetricsF fm(m_marginFont, &m_device);
    const double line = fm.height();
    const double height = m_device.height();
    const QRectF head(0, 0, m_width, line);
    m_painter.drawText(head, Qt::AlignLeft | Qt::AlignVCenter,
                       fm.elidedText(m_header.competition, Qt::ElideRight, m_width * 0.6));
    m_painter.drawText(head, Qt::AlignRight | Qt::AlignVCenter,
                       fm.elidedText(m_header.season, Qt::ElideRight, m_width * 0.35));
    m_painter.setPen(QPen(Qt::gray, pt(0.5)));
    m_painter.drawLine(QPointF(0, line + pt(3)), QPointF(m_width, line + pt(3)));
    m_painter.setPen(Qt::black);
    m_painter.drawText(QRectF(0, height - line, m_width, line), Qt::AlignHCenter | Qt::AlignVCenter,
                       QStringLiteral("Page %1").arg(m_pages));
    m_top = line + pt(12);
    m_bottom = height - line - pt(10);
    m_y = m_top;
    m_pageUsed = false;
}

void ReportDocument::breakPage()
{
    m_breakPending = false;
    if (m_turn && *m_turn != m_device.pageLayout().orientation())
        m_device.setPageOrientation(*m_turn);
    m_turn.reset();
    m_device.newPage();
    startPage();
}

void ReportDocument::resolveBreak()
{
    if (m_breakPending)
        breakPage();
}

void ReportDocument::placeTitle(double following)
{
    if (!m_hasPendingTitle)
        return;
    resolveBreak();
    m_hasPendingTitle = false;
    const QFontMetricsF fm(m_titleFont, &m_device);
    double gap = m_pageUsed ? pt(10) : 0;
    const double height = fm.height() + pt(6);
    if (m_pageUsed && gap + height + following > spaceLeft()) {
        breakPage();
        gap = 0;
    }
    m_y += gap;
    m_painter.setFont(m_titleFont);
    m_painter.setPen(Qt::black);
    m_painter.drawText(QRectF(0, m_y, m_width, fm.height()), Qt::AlignLeft | Qt::AlignVCenter,
                       fm.elidedText(m_pendingTitle, Qt::ElideRight, m_width));
    m_y += height;
    m_pageUsed = true;
}

void ReportDocument::title(const QString& text)
{
    if (!isValid())
        return;
    placeTitle(0);
    m_pendingTitle = text;
    m_hasPendingTitle = true;
}

void ReportDocument::paragraph(const QString& text)
{
    if (!isValid())
        return;
    QTextOption option(Qt::AlignLeft);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    std::vector<std::unique_ptr<QTextLayout>> layouts;
    std::vector<QTextLine> lines; // an invalid line stands for an empty one
    QString normalised = text;
    normalised.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    for (const QString& part : normalised.split(QLatin1Char('\n'))) {
        if (part.isEmpty()) {
            lines.emplace_back();
            continue;
        }
        auto& layout =
            layouts.emplace_back(std::make_unique<QTextLayout>(part, m_textFont, &m_device));
        layout->setTextOption(option);
        layout->beginLayout();
        for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
            line.setLineWidth(m_width);
            lines.push_back(line);
        }
        layout->endLayout();
    }
    const double spacing = QFontMetricsF(m_textFont, &m_device).lineSpacing();
    resolveBreak();
    placeTitle(spacing * std::min<size_t>(2, lines.size()));
    m_painter.setPen(Qt::black);
    for (const QTextLine& line : lines) {
        if (m_y + spacing > m_bottom)
            breakPage();
        if (line.isValid())
            line.draw(&m_painter, QPointF(0, m_y - line.y()));
        m_y += spacing;
        m_pageUsed = true;
    }
    m_y += pt(6);
}

void ReportDocument::table(const ListModel& model)
{
    if (!isValid())
        return;
    resolveBreak();
    place(ReportTable(model, m_tableFont, m_device, m_unit, m_width, m_bottom - m_top), 0);
}

void ReportDocument::wholeTable(const ListModel& model, int repeatedColumns)
{
    if (!isValid())
        return;
    resolveBreak();
    const ReportTable table(model, m_tableFont, m_device, m_unit, m_width, m_bottom - m_top,
                            repeatedColumns);
    for (int band = 0; band < table.bandCount(); ++band) {
        if (band > 0)
            breakPage();
        place(table, band);
    }
}

QPageLayout::Orientation ReportDocument::orientationFor(const ListModel& model, int repeatedColumns)
{
    // Measured as on a PDF page, at 1200 dots per inch.
    constexpr double kDpi = 1200;
    QImage probe(1, 1, QImage::Format_Mono);
    probe.setDotsPerMeterX(qRound(kDpi / 0.0254));
    probe.setDotsPerMeterY(qRound(kDpi / 0.0254));
    const QPageLayout portrait = a4(QPageLayout::Portrait);
    const double width = portrait.paintRect(QPageLayout::Point).width() * kDpi / 72;
    const ReportTable table(model, sized(9), probe, kDpi / 72, width, width, repeatedColumns);
    return table.naturalWidth() > width ? QPageLayout::Landscape : QPageLayout::Portrait;
}

void ReportDocument::place(const ReportTable& table, int band)
{
    const double whole = table.headHeight(table.rowCount());
    const bool keepWhole = whole <= kWholeTableShare * (m_bottom - m_top);
    placeTitle(keepWhole ? whole : table.headHeight(kKeptRows));
    if (m_pageUsed && (keepWhole ? whole : table.headHeight(1)) > spaceLeft())
        breakPage();
    m_painter.setPen(Qt::black);
    table.paintCaptions(m_painter, m_y, band);
    m_y += table.captionHeight();
    m_pageUsed = true;
    for (int r = 0; r < table.rowCount(); ++r) {
        if (table.rowHeight(r) > spaceLeft()) {
            breakPage();
            table.paintCaptions(m_painter, m_y, band);
            m_y += table.captionHeight();
            m_pageUsed = true;
        }
        table.paintRow(m_painter, r, m_y, band);
        m_y += table.rowHeight(r);
    }
    m_painter.setPen(QPen(Qt::gray, pt(0.5)));
    m_painter.drawLine(QPointF(0, m_y), QPointF(table.bandWidth(band), m_y));
    m_painter.setPen(Qt::black);
    m_y += pt(8);
}

void ReportDocument::picture(const QImage& image)
{
    if (!isValid() || image.isNull())
        return;
    resolveBreak();
    QSizeF size(m_width, m_width * image.height() / image.width());
    const double highest = 0.5 * (m_bottom - m_top);
    if (size.height() > highest)
        size = QSizeF(size.width() * highest / size.height(), highest);
    placeTitle(size.height());
    if (m_pageUsed && size.height() > spaceLeft())
        breakPage();
    m_painter.drawImage(QRectF(QPointF(0, m_y), size), image);
    m_y += size.height() + pt(8);
    m_pageUsed = true;
}

void ReportDocument::newPage()
{
    if (!isValid())
        return;
    placeTitle(0);
    m_breakPending = m_pageUsed;
}

void ReportDocument::newPage(QPageLayout::Orientation orientation)
{
    newPage();
    if (m_breakPending)
        m_turn = orientation;
}
