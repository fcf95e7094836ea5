#include "store/Mru.h"

#include "store/Utilities.h"

#include <QSettings>

void Mru::load()
{
    m_paths.clear();
    QSettings s(QSettings::UserScope, m_appName);
    s.beginGroup(QStringLiteral("MRU"));
    for (int n = 1; n <= kMaxEntries; ++n) {
        const QString path = s.value(QString::number(n), QString()).toString();
        if (path.isEmpty())
            break;
        m_paths << path;
    }
}

bool Mru::add(const QString& path)
{
    const qsizetype k = m_paths.indexOf(path); // exact, letter case included
    if (k == 0)
        return false;
    if (k > 0)
        m_paths.removeAt(k);
    m_paths.prepend(path);
    while (m_paths.size() > kMaxEntries)
        m_paths.removeLast();
    save();
    return true;
}

void Mru::save() const
{
    QSettings s(QSettings::UserScope, m_appName);
    s.beginGroup(QStringLiteral("MRU"));
    for (int n = 1; n <= m_paths.size(); ++n)
        s.setValue(QString::number(n), m_paths[n - 1]);
    s.endGroup();
    s.sync();
}

QString Mru::caption(int position, const QString& path)
{
    QString name = Utilities::FileNameFromPath(path);
    name.replace(QLatin1Char('&'), QLatin1String("&&"));
    return QStringLiteral("&%1. %2").arg(position).arg(name);
}
