#pragma once

#include "controls/mListBox.h"

#include <QWidget>

class ButtonKeys;

// A rounded-rectangle button with a centred one-line caption. The letter after the first
// "&" of the caption is its access key (Alt + letter clicks it); Space and Enter click it
// while it has the focus.
class zelRCornerCommand : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int RadiusX READ RadiusX WRITE setRadiusX)
    Q_PROPERTY(int RadiusY READ RadiusY WRITE setRadiusY)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(bool Enabled READ isEnabled WRITE setEnabled)
    Q_PROPERTY(quint32 BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(quint32 ForeColor READ ForeColor WRITE setForeColor)
    Q_PROPERTY(quint32 FillColor READ FillColor WRITE setFillColor)
    Q_PROPERTY(QFont Font READ font WRITE setFont)

public:
    explicit zelRCornerCommand(QWidget* parent = nullptr);

    // Width and height of the corner ellipse, in pixels.
    int RadiusX() const { return m_radiusX; }
    void setRadiusX(int radius);
    int RadiusY() const { return m_radiusY; }
    void setRadiusY(int radius);
    QString Caption() const { return m_caption; }
    void setCaption(const QString& caption);
    quint32 BackColor() const { return m_backColor; }
    void setBackColor(quint32 colour);
    quint32 ForeColor() const { return m_foreColor; }
    void setForeColor(quint32 colour);
    quint32 FillColor() const { return m_fillColor; }
    void setFillColor(quint32 colour);
    QString AccessKey() const;

    QSize sizeHint() const override;

signals:
    void Click();
    void DblClick();
    void KeyDown(int KeyCode, int Shift);
    void KeyUp(int KeyCode, int Shift);
    void KeyPress(int KeyAscii);
    void MouseDown(int Button, int Shift, int X, int Y);
    void MouseMove(int Button, int Shift, int X, int Y);
    void MouseUp(int Button, int Shift, int X, int Y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    int m_radiusX = 10;
    int m_radiusY = 10;
    QString m_caption;
    ButtonKeys* m_keys;
    quint32 m_backColor = mListBox::ButtonFaceColor;
    quint32 m_foreColor = mListBox::ButtonTextColor;
    quint32 m_fillColor = mListBox::ButtonFaceColor;
    bool m_pressed = false;
    bool m_doubleClickPress = false;
};
