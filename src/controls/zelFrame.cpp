#include "controls/zelFrame.h"

#include "controls/mDrawEdge.h"
#include "controls/mMousePointer.h"

#include <QEvent>
#include <QPainter>

zelFrame::zelFrame(QWidget* parent)
    : QWidget(parent), m_grayText(mListBox::ToQColor(mListBox::GrayTextColor)),
      m_buttonHighlight(mListBox::ToQColor(mListBox::ButtonHighlightColor))
{
}

void zelFrame::setAlignment(int alignment)
{
    m_alignment = alignment;
    update();
}

void zelFrame::setBorderStyle(int style)
{
    m_borderStyle = style;
    update();
}

void zelFrame::setBorder(int sides)
{
    m_border = sides;
    update();
}

void zelFrame::setMultiLine(bool on)
{
    m_multiLine = on;
    update();
}

void zelFrame::setCaption(const QString& caption)
{
    m_caption = caption;
    update();
}

void zelFrame::setBackColor(quint32 colour)
{
    m_backColor = colour;
    update();
}

void zelFrame::setForeColor(quint32 colour)
{
    m_foreColor = colour;
    update();
}

void zelFrame::setMousePointer(int pointer)
{
    m_mousePointer = pointer;
    mMousePointer::Apply(this, m_mousePointer, m_mouseIcon);
}

void zelFrame::setMouseIcon(const QPixmap& icon)
{
    m_mouseIcon = icon;
    mMousePointer::Apply(this, m_mousePointer, m_mouseIcon);
}

void zelFrame::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange)
        update();
    QWidget::changeEvent(event);
}

void zelFrame::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QPalette& pal = palette();
    const QColor back = mListBox::ToQColor(m_backColor, &pal);
    p.fillRect(rect(), back);

    static constexpr int kEdges[] = {mDrawEdge::Etched, mDrawEdge::Bump, mDrawEdge::Raised,
                                     mDrawEdge::Sunken};
    const int edge = kEdges[qBound(0, m_borderStyle, 3)];
    const int sides = m_border == 0 ? int(mDrawEdge::AllSides) : (m_border & mDrawEdge::AllSides);
    mDrawEdge::DrawEdge(p, rect(), edge, sides, pal);

    if (m_caption.isEmpty())
        return;
    Qt::Alignment align = Qt::AlignLeft;
    if (m_alignment == 1)
        align = Qt::AlignRight;
    else if (m_alignment == 2)
        align = Qt::AlignHCenter;
    const int flags = int(align | Qt::AlignTop) | Qt::TextShowMnemonic |
                      (m_multiLine ? Qt::TextWordWrap : Qt::TextSingleLine);
    const QRect room = rect().adjusted(CaptionIndent, 0, -CaptionIndent, 0);
    const QRect text = p.fontMetrics().boundingRect(room, flags, m_caption).intersected(room);

    if (isEnabled()) {
        p.fillRect(text, back);
        p.setPen(mListBox::ToQColor(m_foreColor, &pal));
        p.drawText(room, flags, m_caption);
        return;
    }
    p.fillRect(text.adjusted(0, 0, 1, 1), back);
    p.setPen(m_buttonHighlight);
    p.drawText(room.translated(1, 1), flags, m_caption);
    p.setPen(m_grayText);
    p.drawText(room, flags, m_caption);
}
