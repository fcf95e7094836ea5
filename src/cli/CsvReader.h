#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

// Records of a CSV text (RFC 4180 quoting), each with the line it starts on.
struct CsvRecord
{
    int line = 0;
    QStringList fields;
};

// The separator of the header line: ';' when it has more of them than ',' outside quotes.
char detectSeparator(const QByteArray& text);
// False with a French message when the text is not well-formed CSV.
bool readCsv(const QByteArray& text, char separator, std::vector<CsvRecord>& records,
             QString& error);
