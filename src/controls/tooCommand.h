#pragma once

#include "controls/mListBox.h"

#include <QPixmap>
#include <QWidget>

class ButtonKeys;

// A picture-only toolbar button, exactly as large as its picture. While the mouse is over
// it, it shows its hot picture raised between its two shadow colours; pressed, it shows
// them the other way round. With UseMaskColor, pixels of exactly MaskColor show BackColor,
// which follows the background colour of the widget it sits on. Tab reaches it; Space and
// Enter then click it.
class tooCommand : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QPixmap Picture READ Picture WRITE setPicture)
    Q_PROPERTY(QPixmap DisabledPicture READ DisabledPicture WRITE setDisabledPicture)
    Q_PROPERTY(QPixmap HotPicture READ HotPicture WRITE setHotPicture)
    Q_PROPERTY(bool Enabled READ isEnabled WRITE setEnabled)
    Q_PROPERTY(QPixmap MouseIcon READ MouseIcon WRITE setMouseIcon)
    Q_PROPERTY(int MousePointer READ MousePointer WRITE setMousePointer)
    Q_PROPERTY(quint32 BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(quint32 LeftShadow READ LeftShadow WRITE setLeftShadow)
    Q_PROPERTY(quint32 RightShadow READ RightShadow WRITE setRightShadow)
    Q_PROPERTY(bool UseMaskColor READ UseMaskColor WRITE setUseMaskColor)
    Q_PROPERTY(quint32 MaskColor READ MaskColor WRITE setMaskColor)

public:
    static constexpr int PressDelayMs = 50;

    explicit tooCommand(QWidget* parent = nullptr);

    QPixmap Picture() const { return m_picture; }
    void setPicture(const QPixmap& picture);
    QPixmap DisabledPicture() const { return m_disabledPicture; }
    void setDisabledPicture(const QPixmap& picture);
    QPixmap HotPicture() const { return m_hotPicture; }
    void setHotPicture(const QPixmap& picture);
    QPixmap MouseIcon() const { return m_mouseIcon; }
    void setMouseIcon(const QPixmap& icon);
    int MousePointer() const { return m_mousePointer; }
    void setMousePointer(int pointer);
    QWidget* hwnd() { return this; }
    quint32 BackColor() const { return m_backColor; }
    void setBackColor(quint32 colour);
    quint32 LeftShadow() const { return m_leftShadow; }
    void setLeftShadow(quint32 colour);
    quint32 RightShadow() const { return m_rightShadow; }
    void setRightShadow(quint32 colour);
    bool UseMaskColor() const { return m_useMaskColor; }
    void setUseMaskColor(bool on);
    quint32 MaskColor() const { return m_maskColor; }
    void setMaskColor(quint32 colour);

    QSize sizeHint() const override;

signals:
    void Click();
    void DblClick();
    void MouseDown(int Button, int Shift, int X, int Y);
    void MouseMove(int Button, int Shift, int X, int Y);
    void MouseUp(int Button, int Shift, int X, int Y);

protected:
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QImage rendered() const;
    void followAmbientColour();
    void fitToPicture();

    QPixmap m_picture;
    QPixmap m_disabledPicture;
    QPixmap m_hotPicture;
    QPixmap m_mouseIcon;
    int m_mousePointer = 0;
    quint32 m_backColor = mListBox::ButtonFaceColor;
    quint32 m_leftShadow = mListBox::ButtonFaceColor;
    quint32 m_rightShadow = mListBox::DarkShadowColor;
    bool m_useMaskColor = false;
    quint32 m_maskColor = 0;

    ButtonKeys* m_keys = nullptr;
    bool m_over = false;
    bool m_showPressed = false;
    bool m_pressed = false;
    bool m_doubleClickPress = false;
};
