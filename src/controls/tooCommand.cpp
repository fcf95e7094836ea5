#include "controls/tooCommand.h"

#include "controls/ButtonKeys.h"
#include "controls/mInput.h"
#include "controls/mMousePointer.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QStyleOptionFocusRect>
#include <QThread>

tooCommand::tooCommand(QWidget* parent) : QWidget(parent), m_keys(new ButtonKeys(this))
{
    setMouseTracking(true);
    // Tab only: a click leaves the focus where it was.
    setFocusPolicy(Qt::TabFocus);
    connect(m_keys, &ButtonKeys::clicked, this, &tooCommand::Click);
    followAmbientColour();
    resize(32, 32);
}

void tooCommand::setPicture(const QPixmap& picture)
{
    m_picture = picture;
    fitToPicture();
    update();
}

void tooCommand::setDisabledPicture(const QPixmap& picture)
{
    m_disabledPicture = picture;
    update();
}

void tooCommand::setHotPicture(const QPixmap& picture)
{
    m_hotPicture = picture;
    update();
}

void tooCommand::setMouseIcon(const QPixmap& icon)
{
    m_mouseIcon = icon;
    mMousePointer::Apply(this, m_mousePointer, m_mouseIcon);
}

void tooCommand::setMousePointer(int pointer)
{
    m_mousePointer = pointer;
    mMousePointer::Apply(this, m_mousePointer, m_mouseIcon);
}

void tooCommand::setBackColor(quint32 colour)
{
    m_backColor = colour;
    update();
}

void tooCommand::setLeftShadow(quint32 colour)
{
    m_leftShadow = colour;
    update();
}

void tooCommand::setRightShadow(quint32 colour)
{
    m_rightShadow = colour;
    update();
}

void tooCommand::setUseMaskColor(bool on)
{
    m_useMaskColor = on;
    update();
}

void tooCommand::setMaskColor(quint32 colour)
{
    m_maskColor = colour;
    update();
}

QSize tooCommand::sizeHint() const
{
    return m_picture.isNull() ? QSize(32, 32) : m_picture.deviceIndependentSize().toSize();
}

void tooCommand::fitToPicture()
{
    if (m_picture.isNull()) {
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    } else {
        setFixedSize(sizeHint());
    }
}

void tooCommand::followAmbientColour()
{
    const QWidget* host = parentWidget();
    const QColor ambient =
        host ? host->palette().color(host->backgroundRole()) : palette().color(QPalette::Window);
    m_backColor = mListBox::FromQColor(ambient);
    update();
}

bool tooCommand::event(QEvent* event)
{
    if (event->type() == QEvent::ParentChange)
        followAmbientColour();
    return QWidget::event(event);
}

void tooCommand::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange)
        followAmbientColour();
    else if (event->type() == QEvent::EnabledChange)
        update();
    QWidget::changeEvent(event);
}

QImage tooCommand::rendered() const
{
    const qreal ratio = devicePixelRatioF();
    QImage image(size() * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    const QPalette& pal = palette();
    const QColor back = mListBox::ToQColor(m_backColor, &pal);
    image.fill(back);

    QPixmap picture = m_picture;
    if (!isEnabled()) {
        if (!m_disabledPicture.isNull()) {
            picture = m_disabledPicture;
        } else if (!picture.isNull()) {
            QStyleOption option;
            option.initFrom(this);
            picture = style()->generatedIconPixmap(QIcon::Disabled, picture, &option);
        }
    } else if ((m_over || m_showPressed || m_keys->isDown()) && !m_hotPicture.isNull()) {
        picture = m_hotPicture;
    }

    const bool pressed = m_showPressed || m_keys->isDown();
    QPainter p(&image);
    const int offset = pressed ? 1 : 0;
    if (!picture.isNull())
        p.drawPixmap(offset, offset, picture);
    if (isEnabled() && (m_over || pressed)) {
        const QColor left = mListBox::ToQColor(m_leftShadow, &pal);
        const QColor right = mListBox::ToQColor(m_rightShadow, &pal);
        const QRect r = rect();
        p.setPen(pressed ? right : left);
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(pressed ? left : right);
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
    }
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(2, 2, -2, -2);
        focus.backgroundColor = back;
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &p, this);
    }
    p.end();

    if (m_useMaskColor) {
        const QRgb mask = mListBox::ToQColor(m_maskColor, &pal).rgb();
        const QRgb fill = back.rgb();
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                if (line[x] == mask)
                    line[x] = fill;
            }
        }
    }
    return image;
}

void tooCommand::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(0, 0, rendered());
}

void tooCommand::focusInEvent(QFocusEvent* event)
{
    update();
    QWidget::focusInEvent(event);
}

void tooCommand::focusOutEvent(QFocusEvent* event)
{
    update();
    QWidget::focusOutEvent(event);
}

void tooCommand::enterEvent(QEnterEvent* event)
{
    m_over = true;
    update();
    QWidget::enterEvent(event);
}

void tooCommand::leaveEvent(QEvent* event)
{
    m_over = false;
    update();
    QWidget::leaveEvent(event);
}

void tooCommand::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    const bool inside = rect().contains(pos);
    if (inside != m_over) {
        m_over = inside;
        update();
    }
    emit MouseMove(mInput::Button(event->buttons()), mInput::Shift(event->modifiers()), pos.x(),
                   pos.y());
}

void tooCommand::mousePressEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        m_pressed = true;
        m_doubleClickPress = false;
    }
    m_showPressed = true;
    repaint();
    QThread::msleep(PressDelayMs);
    m_showPressed = false;
    repaint();
    emit MouseDown(mInput::Button(event->button()), mInput::Shift(event->modifiers()), pos.x(),
                   pos.y());
}

void tooCommand::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    const bool click = event->button() == Qt::LeftButton && m_pressed && !m_doubleClickPress &&
                       rect().contains(pos);
    if (event->button() == Qt::LeftButton) {
        m_pressed = false;
        m_doubleClickPress = false;
    }
    emit MouseUp(mInput::Button(event->button()), mInput::Shift(event->modifiers()), pos.x(),
                 pos.y());
    if (click)
        emit Click();
}

void tooCommand::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        m_pressed = true;
        m_doubleClickPress = true;
    }
    emit DblClick();
}
