#pragma once

#include <QFont>
#include <QPageLayout>
#include <QPainter>
#include <QString>
#include <optional>

class ListModel;
class QImage;
class QPagedPaintDevice;
class ReportTable;

// What every printed page names in its header line.
struct ReportHeader
{
    QString competition;
    QString season;
};

// Printed pages laid out one element under the other: section titles, paragraphs and the
// tables of the lists. Every page carries a header line naming the competition and its
// season, and a footer with its number.
class ReportDocument
{
public:
    // Starts painting on an A4 page with margins of 15 mm.
    ReportDocument(QPagedPaintDevice& device, ReportHeader header,
                   QPageLayout::Orientation orientation = QPageLayout::Portrait);
    // Ends painting: the document is complete only then.
    ~ReportDocument();
    ReportDocument(const ReportDocument&) = delete;
    ReportDocument& operator=(const ReportDocument&) = delete;

    // False when the device could not be painted on; every other call then does nothing.
    bool isValid() const { return m_painter.isActive(); }

    // A section heading, kept on the same page as the start of what follows it.
    void title(const QString& text);
    // Text wrapped to the width of the page; line breaks start new lines.
    void paragraph(const QString& text);
    // Every row of the model, under its caption row, which is repeated on every new page.
    // Columns too wide for the page together are narrowed, their text cut.
    void table(const ListModel& model);
    // A picture as wide as the page (no higher than half of it), kept whole on one page.
    void picture(const QImage& image);
    // Every cell of the model whole: the columns that do not fit across the page go on the
    // following pages, under the first `repeatedColumns` columns again.
    void wholeTable(const ListModel& model, int repeatedColumns);
    // Landscape when the columns of wholeTable() are wider than a portrait page.
    static QPageLayout::Orientation orientationFor(const ListModel& model, int repeatedColumns);
    // What follows starts on a new page, unless the current page is still empty: no page is
    // ever left blank.
    void newPage();
    // The same, the new page turned this way and those after it too. A printer takes it only
    // when it prints to a file; a page still empty keeps its orientation.
    void newPage(QPageLayout::Orientation orientation);
    int pageCount() const { return m_pages; }

private:
    double pt(double points) const { return points * m_unit; }
    void startPage();
    void breakPage();
    // Starts the page that newPage() asked for, once something is to be drawn on it.
    void resolveBreak();
    // Draws the pending title where it can be followed by `following` of what comes next.
    void placeTitle(double following);
    double spaceLeft() const { return m_bottom - m_y; }
    void place(const ReportTable& table, int band);

    QPagedPaintDevice& m_device;
    ReportHeader m_header;
    QPainter m_painter;
    QFont m_textFont, m_tableFont, m_titleFont, m_marginFont;
    double m_unit = 1;  // device pixels per point
    double m_width = 0; // of the printable area, in device pixels
    double m_top = 0, m_bottom = 0, m_y = 0;
    int m_pages = 0;
    bool m_pageUsed = false;
    bool m_breakPending = false;
    std::optional<QPageLayout::Orientation> m_turn; // of the page to come
    QString m_pendingTitle;
    bool m_hasPendingTitle = false;
};
