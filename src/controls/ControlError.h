#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

// An error raised by a custom control when it is misused: its number, the control that
// raised it and the French text for the user.
class ControlError : public std::exception
{
public:
    // User-defined errors are numbered from the object-error base.
    static constexpr int ObjectErrorBase = -2147221504;
    static constexpr int InvalidPropertyIndex = 381;
    static constexpr int DuplicateKey = ObjectErrorBase + 1;
    static constexpr int IndexOutOfRange = ObjectErrorBase + 2;
    static constexpr int InvalidSection = ObjectErrorBase + 3;
    static constexpr int ImageListError = ObjectErrorBase + 4;

    ControlError(int number, QString source, QString description);

    static ControlError duplicateKey(const QString& source);
    static ControlError indexOutOfRange(const QString& source);
    static ControlError invalidSection(const QString& source);
    static ControlError invalidPropertyIndex(const QString& source);
    static ControlError imageList(const QString& source);

    const char* what() const noexcept override { return m_what.constData(); }

    int number;
    QString source;
    QString description;

private:
    QByteArray m_what;
};
