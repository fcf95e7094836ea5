#pragma once

#include <QList>
#include <QStringList>
#include <QTextStream>

// Rows of a table written as an aligned text table, CSV or JSON.
class TableWriter
{
public:
    enum Format { Text, Csv, Json };
    // The widest cell of the text format; CSV and JSON keep values whole.
    static constexpr int kMaxTextWidth = 50;

    explicit TableWriter(QStringList header) : m_header(std::move(header)) {}
    void addRow(const QStringList& row) { m_rows.append(row); }
    // textColumns: the columns that hold text (left-aligned, JSON strings); others are numbers.
    void write(QTextStream& out, Format format, const QList<int>& textColumns) const;

    static QString csvField(const QString& value);

private:
    QStringList m_header;
    QList<QStringList> m_rows;
};
