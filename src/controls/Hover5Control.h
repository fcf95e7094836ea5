#pragma once

#include "controls/IMessageTarget.h"
#include "controls/mListBox.h"

#include <QPixmap>
#include <QWidget>

class ButtonKeys;

// A flat push button with a picture and a caption; it rises while the mouse is over it.
// Space and Enter click it while it has the focus, and the letter after the first "&" of the
// caption is its access key (Alt + letter clicks it).
// Alignment: 0 left, 1 right, 2 centre. Disposition: where the picture stands beside the
// caption, 0 left, 1 right, 2 above, 3 below.
class Hover5Control : public QWidget, public IMessageTarget
{
    Q_OBJECT
    Q_PROPERTY(QPixmap Picture READ Picture WRITE setPicture)
    Q_PROPERTY(QPixmap HotPicture READ HotPicture WRITE setHotPicture)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(bool Enabled READ isEnabled WRITE setEnabled)
    Q_PROPERTY(int Alignment READ Alignment WRITE setAlignment)
    Q_PROPERTY(bool MultiLine READ MultiLine WRITE setMultiLine)
    Q_PROPERTY(quint32 BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(int Disposition READ Disposition WRITE setDisposition)
    Q_PROPERTY(quint32 ForeColor READ ForeColor WRITE setForeColor)
    Q_PROPERTY(QFont Font READ font WRITE setFont)
    Q_PROPERTY(int MousePointer READ MousePointer WRITE setMousePointer)
    Q_PROPERTY(QPixmap MouseIcon READ MouseIcon WRITE setMouseIcon)

public:
    explicit Hover5Control(QWidget* parent = nullptr);
    ~Hover5Control() override;

    QPixmap Picture() const { return m_picture; }
    void setPicture(const QPixmap& picture);
    QPixmap HotPicture() const { return m_hotPicture; }
    void setHotPicture(const QPixmap& picture);
    QString Caption() const { return m_caption; }
    void setCaption(const QString& caption);
    int Alignment() const { return m_alignment; }
    void setAlignment(int alignment);
    bool MultiLine() const { return m_multiLine; }
    void setMultiLine(bool on);
    quint32 BackColor() const { return m_backColor; }
    void setBackColor(quint32 colour);
    int Disposition() const { return m_disposition; }
    void setDisposition(int disposition);
    quint32 ForeColor() const { return m_foreColor; }
    void setForeColor(quint32 colour);
    int MousePointer() const { return m_mousePointer; }
    void setMousePointer(int pointer);
    QPixmap MouseIcon() const { return m_mouseIcon; }
    void setMouseIcon(const QPixmap& icon);
    QWidget* hwnd() { return this; }
    void Refresh() { repaint(); }

    bool isOver() const { return m_over; }
    bool isPressed() const { return m_pressed; }
    QString AccessKey() const;

signals:
    void Click(int Shift, int X, int Y);
    void DblClick();
    void MouseEnter();
    void MouseLeave();
    void KeyUp(int KeyCode, int Shift);
    void KeyDown(int KeyCode, int Shift);
    void KeyPress(int KeyAscii);
    void MouseUp(int Button, int Shift, int X, int Y);
    void MouseDown(int Button, int Shift, int X, int Y);
    void MouseMove(int Button, int Shift, int X, int Y);

protected:
    bool Message(QWidget* hwnd, QEvent* event) override;

private:
    bool mouseMoved(QMouseEvent* event);
    bool mousePressed(QMouseEvent* event, bool doubleClick);
    bool mouseReleased(QMouseEvent* event);
    void raiseEnter();
    void raiseLeave();
    void paintContent();

    QPixmap m_picture;
    QPixmap m_hotPicture;
    QString m_caption;
    int m_alignment = 0;
    bool m_multiLine = true;
    quint32 m_backColor = mListBox::ButtonFaceColor;
    int m_disposition = 0;
    quint32 m_foreColor = mListBox::ButtonTextColor;
    int m_mousePointer = 0;
    QPixmap m_mouseIcon;
    ButtonKeys* m_keys = nullptr;

    bool m_over = false;
    bool m_entered = false; // a MouseEnter was raised and its MouseLeave is still due
    bool m_pressed = false;
    bool m_pressedInside = false;
    bool m_doubleClickPress = false;
    bool m_hasFocus = false;
};
