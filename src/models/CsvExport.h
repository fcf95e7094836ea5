#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class ListModel;

// A table that a window shows, under the title it is known by.
struct ShownTable
{
    QString title;
    const ListModel* model = nullptr;
    // Lines written under the rows, after an empty line, such as a ledger's totals.
    QList<QStringList> footer;
};

// Tables as a spreadsheet in France opens them: UTF-8 with a byte order mark, ';' between
// the values, the shown columns under their captions (picture columns left out), the values
// as a file holds them. Several tables follow one another, each under its title and apart
// by an empty line; a single table has no title, so that it reads back as it was written.
QByteArray tablesToCsv(const QList<ShownTable>& tables);

// A value quoted when it holds a separator, a quote or a line break; a text that a spreadsheet
// would take for a formula is shown as text.
QString csvValue(const QString& value, QChar separator = QLatin1Char(';'));
