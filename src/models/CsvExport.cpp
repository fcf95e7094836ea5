#include "models/CsvExport.h"

#include "models/ListModel.h"
#include "store/TextChecks.h"

QString csvValue(const QString& text, QChar separator)
{
    const QString value = store::spreadsheetText(text);
    const bool quote = value.contains(separator) || value.contains(QLatin1Char('"')) ||
                       value.contains(QLatin1Char('\n')) || value.contains(QLatin1Char('\r')) ||
                       value != value.trimmed();
    if (!quote)
        return value;
    QString q = value;
    q.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

QByteArray tablesToCsv(const QList<ShownTable>& tables)
{
    QString text;
    const auto line = [&text](const QStringList& values) {
        QStringList quoted;
        for (const QString& v : values)
            quoted << csvValue(v);
        text += quoted.join(QLatin1Char(';')) + QStringLiteral("\r\n");
    };
    for (qsizetype t = 0; t < tables.size(); ++t) {
        const ListModel& model = *tables[t].model;
        if (tables.size() > 1) {
            if (t > 0)
                text += QStringLiteral("\r\n");
            line({tables[t].title});
        }
        line(model.exportedCaptions());
        for (int r = 0; r < model.rowCount(); ++r)
            line(model.exportedRow(r));
        if (!tables[t].footer.isEmpty()) {
            text += QStringLiteral("\r\n");
            for (const QStringList& values : tables[t].footer)
                line(values);
        }
    }
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}
