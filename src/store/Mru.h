#pragma once

#include <QStringList>

// The six most recently opened competition files, newest first, kept in the user's settings
// under the application name, section "MRU", keys "1" to "6".
class Mru
{
public:
    static constexpr int kMaxEntries = 6;

    explicit Mru(QString appName) : m_appName(std::move(appName)) {}

    // Reads keys 1 to 6 and stops at the first empty one.
    void load();
    // Puts path first; returns false when it already was first (nothing is saved then).
    bool add(const QString& path);
    // Writes keys 1 to n; keys after n are left as they are.
    void save() const;

    const QStringList& paths() const { return m_paths; }
    // "&n. " followed by the file's name, '&' in the name kept visible.
    static QString caption(int position, const QString& path);

private:
    QString m_appName;
    QStringList m_paths;
};
