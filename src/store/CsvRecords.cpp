#include "store/CsvRecords.h"

namespace store::csv {

void onField(void* data, size_t size, void* context)
{
    auto* c = static_cast<Collector*>(context);
    c->fields.append(data ? QByteArray(static_cast<const char*>(data), qsizetype(size))
                          : QByteArray());
}

void onRecord(int, void* context)
{
    auto* c = static_cast<Collector*>(context);
    c->ready.push_back({c->recordLine, std::move(c->fields)});
    c->fields.clear();
    c->pendingStart = true;
    c->recordBytes = 0;
}

} // namespace store::csv
