#pragma once

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

// The open and save file dialogs, with their options as flags. Tests switch on scripted
// mode: no dialog is shown and the next chosen file names come from a queue.
class cOpenSaveFile
{
public:
    enum Flag : quint32 {
        ReadOnlyFlag = 0x1,
        OverWritePromptFlag = 0x2,
        HideReadOnlyFlag = 0x4,
        EnableHookFlag = 0x20,
        AllowMultiSelectFlag = 0x200,
        PathMustExistFlag = 0x800,
        FileMustExistFlag = 0x1000,
        CreatePromptFlag = 0x2000,
        ExplorerFlag = 0x80000,
    };
    static constexpr quint32 kInitialFlags = 0x80026;

    cOpenSaveFile(); // the owner is the active window, or none

    bool AllowMultiSelect() const { return flag(AllowMultiSelectFlag); }
    void setAllowMultiSelect(bool on) { setFlag(AllowMultiSelectFlag, on); }
    bool CreatePrompt() const { return flag(CreatePromptFlag); }
    void setCreatePrompt(bool on) { setFlag(CreatePromptFlag, on); }
    bool FileMustExist() const { return flag(FileMustExistFlag); }
    void setFileMustExist(bool on) { setFlag(FileMustExistFlag, on); }
    bool PathMustExist() const { return flag(PathMustExistFlag); }
    void setPathMustExist(bool on) { setFlag(PathMustExistFlag, on); }
    bool HideReadOnly() const { return flag(HideReadOnlyFlag); }
    void setHideReadOnly(bool on) { setFlag(HideReadOnlyFlag, on); }
    bool ReadOnly() const { return flag(ReadOnlyFlag); }
    void setReadOnly(bool on) { setFlag(ReadOnlyFlag, on); }
    bool OverWritePrompt() const { return flag(OverWritePromptFlag); }
    void setOverWritePrompt(bool on) { setFlag(OverWritePromptFlag, on); }
    quint32 flags() const { return m_flags; }

    QWidget* hwndOwner = nullptr;
    QString DlgTitle;
    QString DefaultExt;
    QString InitDir;
    QString FileName; // in: proposed name; out: chosen path, or folder and names split by NULs
    QString Filter;   // "Description|pattern|Description|pattern"
    int FilterIndex = 1;
    QString FileTitle() const { return m_fileTitle; }

    int ShowOpen();  // number of files chosen, 0 on cancel
    bool ShowSave(); // true when a file was chosen
    int ErrCodeDlg(QString& message) const;

    // "Compétitions|*.dat" -> {"Compétitions (*.dat)"}
    static QStringList qtFilters(const QString& filter);

    // Test hooks.
    static void setScripted(bool on);
    static void setNextFileName(const QString& path);
    static void setNextFileNames(const QStringList& paths);
    static void setNextCancel();
    struct Request
    {
        bool save = false;
        quint32 flags = 0;
        QString title, defaultExt, initDir, fileName, filter; // initDir: where it opens
        QWidget* owner = nullptr;
    };
    static const QList<Request>& requests(); // the dialogs asked for, in order

private:
    bool flag(quint32 f) const { return (m_flags & f) != 0; }
    void setFlag(quint32 f, bool on) { m_flags = on ? (m_flags | f) : (m_flags & ~f); }
    // Where the dialog opens: the folder asked for, that of the proposed file, that of the open
    // competition, the last folder chosen in a dialog, or the home folder.
    QString startFolder() const;
    QStringList run(bool save);
    int accept(const QStringList& files);

    quint32 m_flags = kInitialFlags;
    QString m_fileTitle;
    int m_lastError = 0;
};
