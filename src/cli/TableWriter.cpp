#include "cli/TableWriter.h"

#include "store/TextChecks.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

QString TableWriter::csvField(const QString& text)
{
    const QString value = store::spreadsheetText(text);
    static const QString special = QStringLiteral(",;\"\r\n");
    const bool quote =
        std::any_of(value.begin(), value.end(), [](QChar c) { return special.contains(c); }) ||
        value != value.trimmed();
    if (!quote)
        return value;
    QString q = value;
    q.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

void TableWriter::write(QTextStream& out, Format format, const QList<int>& textColumns) const
{
    switch (format) {
    case Csv: {
        const auto line = [&out](const QStringList& cells) {
            QStringList quoted;
            for (const QString& c : cells)
                quoted << csvField(c);
            out << quoted.join(QLatin1Char(',')) << '\n';
        };
        line(m_header);
        for (const QStringList& r : m_rows)
            line(r);
        break;
    }
    case Json: {
        QJsonArray array;
        for (const QStringList& r : m_rows) {
            QJsonObject o;
            for (int c = 0; c < m_header.size(); ++c)
                o.insert(m_header[c], textColumns.contains(c)
                                          ? QJsonValue(r.value(c))
                                          : QJsonValue(r.value(c).toLongLong()));
            array.append(o);
        }
        out << QJsonDocument(array).toJson(QJsonDocument::Indented);
        break;
    }
    case Text: {
        // A valid file's names fit in 50 characters; longer cells are cut so that one odd
        // value cannot widen every line of the table.
        const auto cell = [](const QString& value) {
            return store::shortened(value, kMaxTextWidth);
        };
        QList<qsizetype> width;
        for (const QString& h : m_header)
            width << h.size();
        for (const QStringList& r : m_rows)
            for (int c = 0; c < r.size() && c < width.size(); ++c)
                width[c] = qMax(width[c], cell(r[c]).size());
        const auto line = [&](const QStringList& cells) {
            QStringList padded;
            for (int c = 0; c < cells.size() && c < width.size(); ++c)
                padded << (textColumns.contains(c) ? cell(cells[c]).leftJustified(width[c])
                                                   : cell(cells[c]).rightJustified(width[c]));
            QString text = padded.join(QStringLiteral("  "));
            while (text.endsWith(QLatin1Char(' ')))
                text.chop(1);
            out << text << '\n';
        };
        line(m_header);
        for (const QStringList& r : m_rows)
            line(r);
        break;
    }
    }
    out.flush();
}
