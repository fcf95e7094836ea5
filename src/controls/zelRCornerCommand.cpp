#include "controls/zelRCornerCommand.h"

#include "controls/ButtonKeys.h"
#include "controls/mInput.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

zelRCornerCommand::zelRCornerCommand(QWidget* parent)
    : QWidget(parent), m_keys(new ButtonKeys(this))
{
    setFocusPolicy(Qt::StrongFocus);
    connect(m_keys, &ButtonKeys::clicked, this, &zelRCornerCommand::Click);
}

void zelRCornerCommand::setRadiusX(int radius)
{
    m_radiusX = radius;
    update();
}

void zelRCornerCommand::setRadiusY(int radius)
{
    m_radiusY = radius;
    update();
}

void zelRCornerCommand::setCaption(const QString& caption)
{
    m_caption = caption;
    m_keys->setCaption(caption);
    update();
}

QString zelRCornerCommand::AccessKey() const
{
    return m_keys->accessKey();
}

void zelRCornerCommand::setBackColor(quint32 colour)
{
    m_backColor = colour;
    update();
}

void zelRCornerCommand::setForeColor(quint32 colour)
{
    m_foreColor = colour;
    update();
}

void zelRCornerCommand::setFillColor(quint32 colour)
{
    m_fillColor = colour;
    update();
}

QSize zelRCornerCommand::sizeHint() const
{
    const QSize text = fontMetrics().size(Qt::TextShowMnemonic | Qt::TextSingleLine, m_caption);
    return {text.width() + 24, text.height() + 14};
}

void zelRCornerCommand::paintEvent(QPaintEvent*)
{
    const qreal ratio = devicePixelRatioF();
    QImage image(size() * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    const QPalette& pal = palette();
    image.fill(mListBox::ToQColor(m_backColor, &pal));

    QPainter p(&image);
    p.setPen(mListBox::ToQColor(m_foreColor, &pal));
    p.setBrush(mListBox::ToQColor(m_fillColor, &pal));
    p.drawRoundedRect(QRect(0, 0, width() - 1, height() - 1), m_radiusX / 2.0, m_radiusY / 2.0,
                      Qt::AbsoluteSize);
    p.setFont(font());
    p.setPen(isEnabled() ? mListBox::ToQColor(m_foreColor, &pal)
                         : mListBox::ToQColor(mListBox::GrayTextColor, &pal));
    p.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic, m_caption);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(5, 5, -5, -5);
        focus.backgroundColor = mListBox::ToQColor(m_fillColor, &pal);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &p, this);
    }
    p.end();
    if (m_pressed || m_keys->isDown())
        image.invertPixels();

    QPainter(this).drawImage(0, 0, image);
}

void zelRCornerCommand::mousePressEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        m_pressed = true;
        m_doubleClickPress = false;
        repaint();
    }
    emit MouseDown(mInput::Button(event->button()), mInput::Shift(event->modifiers()), pos.x(),
                   pos.y());
}

void zelRCornerCommand::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    emit MouseMove(mInput::Button(event->buttons()), mInput::Shift(event->modifiers()), pos.x(),
                   pos.y());
}

void zelRCornerCommand::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    bool click = false;
    if (event->button() == Qt::LeftButton && m_pressed) {
        click = !m_doubleClickPress && rect().contains(pos);
        m_pressed = false;
        m_doubleClickPress = false;
        repaint();
    }
    emit MouseUp(mInput::Button(event->button()), mInput::Shift(event->modifiers()), pos.x(),
                 pos.y());
    if (click)
        emit Click();
}

void zelRCornerCommand::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        m_pressed = true;
        m_doubleClickPress = true;
        repaint();
    }
    emit DblClick();
}

void zelRCornerCommand::keyPressEvent(QKeyEvent* event)
{
    emit KeyDown(event->key(), mInput::Shift(event->modifiers()));
    if (!event->text().isEmpty())
        emit KeyPress(event->text().at(0).unicode());
    QWidget::keyPressEvent(event);
}

void zelRCornerCommand::keyReleaseEvent(QKeyEvent* event)
{
    emit KeyUp(event->key(), mInput::Shift(event->modifiers()));
    QWidget::keyReleaseEvent(event);
}

void zelRCornerCommand::focusInEvent(QFocusEvent* event)
{
    update();
    QWidget::focusInEvent(event);
}

void zelRCornerCommand::focusOutEvent(QFocusEvent* event)
{
    update();
    QWidget::focusOutEvent(event);
}
