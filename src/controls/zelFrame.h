#pragma once

#include "controls/mListBox.h"

#include <QPixmap>
#include <QWidget>

// A group frame: a 3-D edge around the control with a caption over its top line.
// BorderStyle: 0 etched, 1 bump, 2 raised, 3 sunken. Border: the sides drawn, 0 for all,
// else a sum of 1 left, 2 top, 4 right, 8 bottom. Alignment: 0 left, 1 right, 2 centre.
class zelFrame : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int Alignment READ Alignment WRITE setAlignment)
    Q_PROPERTY(int BorderStyle READ BorderStyle WRITE setBorderStyle)
    Q_PROPERTY(int Border READ Border WRITE setBorder)
    Q_PROPERTY(bool MultiLine READ MultiLine WRITE setMultiLine)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(bool Enabled READ isEnabled WRITE setEnabled)
    Q_PROPERTY(QFont Font READ font WRITE setFont)
    Q_PROPERTY(quint32 BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(quint32 ForeColor READ ForeColor WRITE setForeColor)
    Q_PROPERTY(int MousePointer READ MousePointer WRITE setMousePointer)
    Q_PROPERTY(QPixmap MouseIcon READ MouseIcon WRITE setMouseIcon)

public:
    static constexpr int CaptionIndent = 11;

    explicit zelFrame(QWidget* parent = nullptr);

    int Alignment() const { return m_alignment; }
    void setAlignment(int alignment);
    int BorderStyle() const { return m_borderStyle; }
    void setBorderStyle(int style);
    int Border() const { return m_border; }
    void setBorder(int sides);
    bool MultiLine() const { return m_multiLine; }
    void setMultiLine(bool on);
    QString Caption() const { return m_caption; }
    void setCaption(const QString& caption);
    QWidget* hwnd() { return this; }
    quint32 BackColor() const { return m_backColor; }
    void setBackColor(quint32 colour);
    quint32 ForeColor() const { return m_foreColor; }
    void setForeColor(quint32 colour);
    int MousePointer() const { return m_mousePointer; }
    void setMousePointer(int pointer);
    QPixmap MouseIcon() const { return m_mouseIcon; }
    void setMouseIcon(const QPixmap& icon);

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    int m_alignment = 0;
    int m_borderStyle = 0;
    int m_border = 0;
    bool m_multiLine = true;
    QString m_caption;
    quint32 m_backColor = mListBox::ButtonFaceColor;
    quint32 m_foreColor = mListBox::ButtonTextColor;
    int m_mousePointer = 0;
    QPixmap m_mouseIcon;
    // Colours of the engraved caption, read when the frame is made.
    QColor m_grayText;
    QColor m_buttonHighlight;
};
