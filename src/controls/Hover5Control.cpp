#include "controls/Hover5Control.h"

#include "controls/ButtonKeys.h"
#include "controls/mDrawEdge.h"
#include "controls/mInput.h"
#include "controls/mMousePointer.h"
#include "controls/mSubClass.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace {

constexpr int kMargin = 3;
constexpr int kGap = 6;

Qt::Alignment horizontalAlignment(int alignment)
{
    switch (alignment) {
    case 1:
        return Qt::AlignRight;
    case 2:
        return Qt::AlignHCenter;
    default:
        return Qt::AlignLeft;
    }
}

// Start of a span of the given length placed in [from, from + room) with the alignment.
int placed(int from, int room, int length, int alignment)
{
    switch (alignment) {
    case 1:
        return from + room - length;
    case 2:
        return from + (room - length) / 2;
    default:
        return from;
    }
}

} // namespace

Hover5Control::Hover5Control(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    mSubClass::Subclass(this, this);
    // Installed after the hook, so that it sees the keys first.
    m_keys = new ButtonKeys(this);
    connect(m_keys, &ButtonKeys::clicked, this, [this] { emit Click(0, 0, 0); });
}

Hover5Control::~Hover5Control()
{
    mSubClass::UnSubclass(this);
}

void Hover5Control::setPicture(const QPixmap& picture)
{
    m_picture = picture;
    update();
}

void Hover5Control::setHotPicture(const QPixmap& picture)
{
    m_hotPicture = picture;
    update();
}

void Hover5Control::setCaption(const QString& caption)
{
    m_caption = caption;
    m_keys->setCaption(caption);
    update();
}

QString Hover5Control::AccessKey() const
{
    return m_keys->accessKey();
}

void Hover5Control::setAlignment(int alignment)
{
    m_alignment = alignment;
    update();
}

void Hover5Control::setMultiLine(bool on)
{
    m_multiLine = on;
    update();
}

void Hover5Control::setBackColor(quint32 colour)
{
    m_backColor = colour;
    update();
}

void Hover5Control::setDisposition(int disposition)
{
    m_disposition = disposition;
    update();
}

void Hover5Control::setForeColor(quint32 colour)
{
    m_foreColor = colour;
    update();
}

void Hover5Control::setMousePointer(int pointer)
{
    m_mousePointer = pointer;
    mMousePointer::Apply(this, m_mousePointer, m_mouseIcon);
}

void Hover5Control::setMouseIcon(const QPixmap& icon)
{
    m_mouseIcon = icon;
    mMousePointer::Apply(this, m_mousePointer, m_mouseIcon);
}

bool Hover5Control::Message(QWidget* hwnd, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseMove:
        return mouseMoved(static_cast<QMouseEvent*>(event));
    case QEvent::MouseButtonPress:
        return mousePressed(static_cast<QMouseEvent*>(event), false);
    case QEvent::MouseButtonDblClick:
        return mousePressed(static_cast<QMouseEvent*>(event), true);
    case QEvent::MouseButtonRelease:
        return mouseReleased(static_cast<QMouseEvent*>(event));
    case QEvent::Leave:
        if (!m_pressed && m_over) {
            m_over = false;
            update();
        }
        if (!m_pressed)
            raiseLeave();
        return mSubClass::CallOrigWndProc(hwnd, event);
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        m_hasFocus = event->type() == QEvent::FocusIn;
        update();
        return mSubClass::CallOrigWndProc(hwnd, event);
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        emit KeyDown(key->key(), mInput::Shift(key->modifiers()));
        if (!key->text().isEmpty())
            emit KeyPress(key->text().at(0).unicode());
        return mSubClass::CallOrigWndProc(hwnd, event);
    }
    case QEvent::KeyRelease: {
        auto* key = static_cast<QKeyEvent*>(event);
        emit KeyUp(key->key(), mInput::Shift(key->modifiers()));
        return mSubClass::CallOrigWndProc(hwnd, event);
    }
    case QEvent::Paint: {
        const bool result = mSubClass::CallOrigWndProc(hwnd, event);
        paintContent();
        return result;
    }
    case QEvent::EnabledChange:
        update();
        return mSubClass::CallOrigWndProc(hwnd, event);
    default:
        return mSubClass::CallOrigWndProc(hwnd, event);
    }
}

bool Hover5Control::mouseMoved(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    const bool inside = rect().contains(pos);
    if (m_pressed) {
        if (inside != m_pressedInside) {
            m_pressedInside = inside;
            update();
        }
    } else if (inside && !m_over) {
        m_over = true;
        update();
        raiseEnter();
    } else if (!inside && m_over) {
        m_over = false;
        update();
        raiseLeave();
    }
    emit MouseMove(mInput::Button(event->buttons()), mInput::Shift(event->modifiers()), pos.x(),
                   pos.y());
    return true;
}

bool Hover5Control::mousePressed(QMouseEvent* event, bool doubleClick)
{
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        m_pressed = true;
        m_pressedInside = true;
        m_doubleClickPress = doubleClick;
        m_over = false;
        update();
    }
    if (doubleClick)
        emit DblClick();
    else
        emit MouseDown(mInput::Button(event->button()), mInput::Shift(event->modifiers()), pos.x(),
                       pos.y());
    return true;
}

bool Hover5Control::mouseReleased(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    const int shift = mInput::Shift(event->modifiers());
    bool click = false;
    if (event->button() == Qt::LeftButton && m_pressed) {
        const bool inside = rect().contains(pos);
        click = inside && !m_doubleClickPress;
        m_pressed = false;
        m_pressedInside = false;
        m_doubleClickPress = false;
        m_over = inside;
        update();
        if (inside)
            raiseEnter();
        else
            raiseLeave();
    }
    emit MouseUp(mInput::Button(event->button()), shift, pos.x(), pos.y());
    if (click)
        emit Click(shift, pos.x(), pos.y());
    return true;
}

void Hover5Control::raiseEnter()
{
    if (m_entered)
        return;
    m_entered = true;
    emit MouseEnter();
}

void Hover5Control::raiseLeave()
{
    if (!m_entered)
        return;
    m_entered = false;
    emit MouseLeave();
}

void Hover5Control::paintContent()
{
    QPainter p(this);
    const QPalette& pal = palette();
    p.fillRect(rect(), mListBox::ToQColor(m_backColor, &pal));

    QPixmap picture = (m_over || m_pressed) && !m_hotPicture.isNull() ? m_hotPicture : m_picture;
    if (!isEnabled() && !picture.isNull()) {
        QStyleOption option;
        option.initFrom(this);
        picture = style()->generatedIconPixmap(QIcon::Disabled, picture, &option);
    }
    const QSize pictureSize =
        picture.isNull() ? QSize(0, 0) : picture.deviceIndependentSize().toSize();
    const int gap = picture.isNull() || m_caption.isEmpty() ? 0 : kGap;
    const QRect inner = rect().adjusted(kMargin, kMargin, -kMargin, -kMargin);
    const int textFlags = int(horizontalAlignment(m_alignment)) | Qt::TextShowMnemonic |
                          (m_multiLine ? Qt::TextWordWrap : Qt::TextSingleLine);
    const bool sideBySide = m_disposition == 0 || m_disposition == 1;

    QRect textRoom = inner;
    if (sideBySide)
        textRoom.setWidth(qMax(0, inner.width() - pictureSize.width() - gap));
    else
        textRoom.setHeight(qMax(0, inner.height() - pictureSize.height() - gap));
    const QSize textSize = m_caption.isEmpty() ? QSize(0, 0)
                                               : p.fontMetrics()
                                                     .boundingRect(textRoom, textFlags, m_caption)
                                                     .size()
                                                     .boundedTo(textRoom.size());

    QPoint picturePos;
    QRect textRect;
    if (sideBySide) {
        const int block = pictureSize.width() + gap + textSize.width();
        const int x = placed(inner.left(), inner.width(), block, m_alignment);
        const int pictureX = m_disposition == 0 ? x : x + textSize.width() + gap;
        const int textX = m_disposition == 0 ? x + pictureSize.width() + gap : x;
        picturePos = {pictureX, inner.top() + (inner.height() - pictureSize.height()) / 2};
        textRect = QRect(textX, inner.top() + (inner.height() - textSize.height()) / 2,
                         textSize.width(), textSize.height());
    } else {
        const int block = pictureSize.height() + gap + textSize.height();
        const int y = inner.top() + (inner.height() - block) / 2;
        const int pictureY = m_disposition == 2 ? y : y + textSize.height() + gap;
        const int textY = m_disposition == 2 ? y + pictureSize.height() + gap : y;
        picturePos = {placed(inner.left(), inner.width(), pictureSize.width(), m_alignment),
                      pictureY};
        textRect = QRect(inner.left(), textY, inner.width(), textSize.height());
    }
    if (!picture.isNull())
        p.drawPixmap(picturePos, picture);
    if (!m_caption.isEmpty()) {
        p.setPen(isEnabled() ? mListBox::ToQColor(m_foreColor, &pal)
                             : mListBox::ToQColor(mListBox::GrayTextColor, &pal));
        p.drawText(textRect, textFlags, m_caption);
    }

    if ((m_pressed && m_pressedInside) || m_keys->isDown())
        mDrawEdge::DrawEdge(p, rect(), mDrawEdge::SunkenOuter, mDrawEdge::AllSides, pal);
    else if (m_over || m_pressed)
        mDrawEdge::DrawEdge(p, rect(), mDrawEdge::RaisedOuter | mDrawEdge::Soft,
                            mDrawEdge::AllSides, pal);
    if (m_hasFocus && !m_over) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = inner;
        focus.backgroundColor = mListBox::ToQColor(m_backColor, &pal);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &p, this);
    }
}
