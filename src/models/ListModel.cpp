#include "models/ListModel.h"

#include "store/CrestCache.h"
#include "store/ResultSet.h"

#include <QFileInfo>
#include <memory>

void ListModel::setColours(const Colours& colours)
{
    m_colours = colours;
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1),
                         {Qt::BackgroundRole, Qt::ForegroundRole});
}

int ListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : rows();
}

int ListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(captions().size());
}

QVariant ListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rows() || index.column() >= columnCount())
        return {};
    const bool alternate = m_alternating && index.row() % 2 == 0;
    switch (role) {
    case Qt::BackgroundRole: {
        const QVariant own = cell(index.row(), index.column(), role);
        return own.isValid() ? own : QVariant(alternate ? m_colours.alternBack : m_colours.back);
    }
    case Qt::ForegroundRole: {
        const QVariant own = cell(index.row(), index.column(), role);
        return own.isValid() ? own : QVariant(alternate ? m_colours.alternFore : m_colours.fore);
    }
    case Qt::AccessibleTextRole: {
        const QVariant own = cell(index.row(), index.column(), role);
        return own.isValid() ? own : cell(index.row(), index.column(), Qt::DisplayRole);
    }
    case ExportRole: {
        const QVariant own = cell(index.row(), index.column(), role);
        return own.isValid() ? own : cell(index.row(), index.column(), Qt::DisplayRole);
    }
    case Qt::TextAlignmentRole: {
        const QVariant own = cell(index.row(), index.column(), role);
        return own.isValid() ? own : QVariant(int(Qt::AlignLeft | Qt::AlignVCenter));
    }
    default:
        return cell(index.row(), index.column(), role);
    }
}

QVariant ListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return {};
    if (role == Qt::DisplayRole)
        return captions().at(section);
    return {};
}

QList<int> ListModel::exportedColumns() const
{
    const QStringList heads = captions();
    QList<int> columns;
    for (int c = 0; c < heads.size(); ++c)
        if (!heads[c].isEmpty())
            columns << c;
    return columns;
}

QStringList ListModel::exportedCaptions() const
{
    QStringList heads;
    for (int c : exportedColumns())
        heads << captions()[c];
    return heads;
}

QStringList ListModel::exportedRow(int row) const
{
    QStringList values;
    for (int c : exportedColumns())
        values << data(index(row, c), ExportRole).toString();
    return values;
}

QString ListModel::tabSeparated(QList<int> rowList) const
{
    if (rowList.isEmpty())
        for (int r = 0; r < rows(); ++r)
            rowList << r;
    const auto line = [](QStringList values) {
        for (QString& v : values)
            v.replace(QLatin1Char('\t'), QLatin1Char(' '))
                .replace(QLatin1Char('\n'), QLatin1Char(' '))
                .replace(QLatin1Char('\r'), QLatin1Char(' '));
        return values.join(QLatin1Char('\t'));
    };
    QStringList lines{line(exportedCaptions())};
    for (int r : rowList)
        lines << line(exportedRow(r));
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

namespace {

ListModel::CrestSource& crestSource()
{
    static ListModel::CrestSource source;
    return source;
}

} // namespace

void ListModel::setCrestSource(CrestSource source)
{
    crestSource() = std::move(source);
}

ListModel::CrestSource ListModel::iconsOf(const std::vector<store::Team>& teams,
                                          std::vector<QByteArray> icons)
{
    struct Icons
    {
        store::TeamLookup lookup;
        std::vector<QByteArray> bytes;
        std::vector<QPixmap> read;
        std::vector<bool> done;
    };
    auto all = std::make_shared<Icons>(Icons{store::TeamLookup(teams), std::move(icons), {}, {}});
    all->read.resize(all->bytes.size());
    all->done.resize(all->bytes.size(), false);
    return [all](const QString& team) {
        const int at = all->lookup.find(team);
        if (at < 0 || size_t(at) >= all->bytes.size())
            return QPixmap();
        if (!all->done[size_t(at)]) {
            QPixmap icon;
            icon.loadFromData(all->bytes[size_t(at)]);
            all->read[size_t(at)] = sizedCrest(icon);
            all->done[size_t(at)] = true;
        }
        return all->read[size_t(at)];
    };
}

QPixmap ListModel::sizedCrest(const QPixmap& icon)
{
    // An icon already fitted is kept as it is: the same picture is drawn again, not a copy.
    if (icon.isNull() || icon.size() == icon.size().scaled(24, 24, Qt::KeepAspectRatio))
        return icon;
    return icon.scaled(24, 24, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

QPixmap ListModel::crest(const QString& team) const
{
    auto it = m_crests.find(team);
    if (it == m_crests.end()) {
        QPixmap icon;
        if (crestSource()) {
            icon = crestSource()(team);
        } else {
            const QString path = CrestCache::iconPath(team);
            if (!path.isEmpty() && QFileInfo::exists(path))
                icon.load(path);
        }
        it = m_crests.insert(team, sizedCrest(icon));
    }
    return *it;
}
