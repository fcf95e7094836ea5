#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// Copies, moves, deletes and renames lists of files. A source may end in a pattern with
// '*' and '?' (such as "folder/*.*"). Deleting to the recycle bin uses the desktop trash.
class cSHFileOp
{
public:
    bool RecycleBin = false;
    bool ConfirmMakeDir = false;
    bool ConfirmOperation = false;
    QString Title;
    bool IncludeDirectories = true;
    QWidget* ParentWnd = nullptr;
    bool RenameOnCollision = true;
    bool SilentMode = false;

    bool MoveFiles() { return perform(Move); }
    bool CopyFiles() { return perform(Copy); }
    bool DeleteFiles() { return perform(Delete); }
    bool RenameFiles() { return perform(Rename); }

    void ClearSourceFiles() { m_sources.clear(); }
    void AddSourceFile(const QString& path) { m_sources << path; }
    void ClearDestFiles() { m_dests.clear(); }
    void AddDestFile(const QString& path) { m_dests << path; }

    // "name.ext" -> "name (2).ext", the first free name in the folder.
    static QString collisionFreeName(const QString& path);

private:
    enum Operation { Move = 1, Copy = 2, Delete = 3, Rename = 4 };
    bool perform(Operation op);
    QStringList expandedSources() const;
    bool transfer(Operation op, const QString& from, QString to);
    bool confirm(const QString& question) const;

    QStringList m_sources;
    QStringList m_dests;
};
