#pragma once

#include <QObject>
#include <QString>

class QWidget;

// The keyboard side of the program's own buttons, as a push button has it: Space (pressed,
// then released on the button) and Enter click the focused button, and Alt with the letter
// after the first "&" of the caption clicks it from anywhere in its window. The keys a button
// uses this way are its own: its KeyDown, KeyUp and KeyPress are not raised for them.
class ButtonKeys : public QObject
{
    Q_OBJECT
public:
    explicit ButtonKeys(QWidget* button);

    // The character after the first "&" that is not the first half of a literal "&&".
    static QString accessKeyOf(const QString& caption);

    void setCaption(const QString& caption);
    QString accessKey() const { return m_accessKey; }
    // Space is held on the button: it is drawn pressed.
    bool isDown() const { return m_down; }
    // Clicks the button unless it is disabled, as a screen reader's press action does.
    void click();

signals:
    void clicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setDown(bool down);
    void grabAccessKey();

    QWidget* m_button;
    QString m_accessKey;
    int m_shortcut = 0;
    bool m_down = false;
};
