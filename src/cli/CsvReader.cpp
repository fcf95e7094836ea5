#include "cli/CsvReader.h"

#include <csv.h>

namespace {

struct Collector
{
    std::vector<CsvRecord>* records;
    QStringList fields;
    int line = 1;      // the line being parsed
    int startLine = 0; // the line the current record started on
};

void onField(void* data, size_t size, void* context)
{
    auto* c = static_cast<Collector*>(context);
    const QString field =
        data ? QString::fromUtf8(static_cast<const char*>(data), qsizetype(size)) : QString();
    // A quoted first field may span lines: the record began where it began.
    if (c->fields.isEmpty())
        c->startLine = c->line - int(field.count(QLatin1Char('\n')));
    c->fields << field;
}

void onRecord(int, void* context)
{
    auto* c = static_cast<Collector*>(context);
    c->records->push_back({c->startLine, c->fields});
    c->fields.clear();
}

} // namespace

char detectSeparator(const QByteArray& text)
{
    int commas = 0, semicolons = 0;
    bool quoted = false;
    for (char ch : text) {
        if (ch == '"')
            quoted = !quoted;
        else if (!quoted && (ch == '\n' || ch == '\r'))
            break;
        else if (!quoted && ch == ',')
            ++commas;
        else if (!quoted && ch == ';')
            ++semicolons;
    }
    return semicolons > commas ? ';' : ',';
}

bool readCsv(const QByteArray& input, char separator, std::vector<CsvRecord>& records,
             QString& error)
{
    QByteArray text = input;
    if (text.startsWith("\xEF\xBB\xBF"))
        text.remove(0, 3);
    records.clear();
    csv_parser p;
    if (csv_init(&p, CSV_STRICT | CSV_STRICT_FINI | CSV_EMPTY_IS_NULL) != 0) {
        error = QStringLiteral("Impossible de préparer la lecture du fichier CSV.");
        return false;
    }
    csv_set_delim(&p, static_cast<unsigned char>(separator));
    Collector c{&records, {}, 1, 0};
    // Fed line by line so that each record knows the line it starts on.
    qsizetype at = 0;
    while (at < text.size()) {
        qsizetype end = text.indexOf('\n', at);
        end = end < 0 ? text.size() : end + 1;
        if (csv_parse(&p, text.constData() + at, size_t(end - at), onField, onRecord, &c) !=
            size_t(end - at)) {
            error = QStringLiteral("Ligne %1 : le fichier CSV est mal formé (%2).")
                        .arg(c.line)
                        .arg(QString::fromUtf8(csv_strerror(csv_error(&p))));
            csv_free(&p);
            return false;
        }
        at = end;
        if (at < text.size())
            ++c.line;
    }
    if (csv_fini(&p, onField, onRecord, &c) != 0) {
        error = QStringLiteral("Le fichier CSV se termine au milieu d'un champ entre guillemets.");
        csv_free(&p);
        return false;
    }
    csv_free(&p);
    return true;
}
