#include "controls/tabSection.h"

#include "controls/ControlError.h"
#include "controls/mDrawEdge.h"
#include "controls/mInput.h"
#include "controls/mMousePointer.h"
#include "controls/tooCommand.h"
#include "controls/zelTab.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

namespace {

const QString kSource = QStringLiteral("tabSection");

constexpr int kCaptionBelowPicture = 5;
constexpr int kPictureBelowCaption = 15;
constexpr int kPictureIndent = 10;
constexpr int kCaptionBesidePicture = 15;
constexpr int kRowGap = 8;
constexpr int kArrowMargin = 5;
constexpr int kArrowSize = 11;

} // namespace

tabSection::tabSection(QWidget* parent)
    : QWidget(parent), m_up(new QLabel(this)), m_down(new QLabel(this))
{
    m_up->setObjectName(QStringLiteral("imaUp"));
    m_down->setObjectName(QStringLiteral("imaDown"));
    for (QLabel* arrowLabel : {m_up, m_down}) {
        arrowLabel->setFixedSize(kArrowSize, kArrowSize);
        arrowLabel->installEventFilter(this);
        arrowLabel->hide();
    }
    setMouseTracking(true);
    applyColours();
}

cTabItem tabSection::AddItem(const QString& Caption, const QString& Key, const QString& Tag,
                             const QPixmap& Picture, const QPixmap& HotPicture)
{
    auto* button = new tooCommand(this);
    button->setPicture(Picture);
    button->setHotPicture(HotPicture);
    button->setLeftShadow(m_leftShadow);
    button->setRightShadow(m_rightShadow);
    button->setUseMaskColor(m_useMaskColor);
    button->setMaskColor(m_maskColor);
    button->setProperty("Tag", Tag);
    button->setAccessibleName(Caption); // the picture's caption stands beside it

    auto* label = new QLabel(Caption, this);
    label->setProperty("Key", Key);
    label->setMargin(1);
    label->installEventFilter(this);
    paintCaption(label, false);

    connect(button, &tooCommand::Click, this, [this, label] {
        const int index = indexOfLabel(label);
        if (index > 0)
            emit ItemClick(index);
    });
    m_items.append({button, label});
    Rearrange();
    return cTabItem(this, button, label);
}

void tabSection::RemoveItem(int Index)
{
    check(Index);
    const Entry entry = m_items.takeAt(Index - 1);
    if (m_selected == entry.label)
        m_selected = nullptr;
    // Later, so that an item can be removed from its own click handler.
    for (QWidget* widget :
         {static_cast<QWidget*>(entry.button), static_cast<QWidget*>(entry.label)}) {
        widget->hide();
        widget->deleteLater();
    }
    Rearrange();
}

void tabSection::Clear()
{
    while (!m_items.isEmpty())
        RemoveItem(ItemCount());
    m_first = 0;
}

void tabSection::setBackColor(quint32 colour)
{
    m_backColor = colour;
    applyColours();
}

void tabSection::setForeColor(quint32 colour)
{
    m_foreColor = colour;
    applyColours();
}

void tabSection::setLeftShadow(quint32 colour)
{
    m_leftShadow = colour;
    for (const Entry& entry : m_items)
        entry.button->setLeftShadow(colour);
}

void tabSection::setRightShadow(quint32 colour)
{
    m_rightShadow = colour;
    for (const Entry& entry : m_items)
        entry.button->setRightShadow(colour);
}

void tabSection::setUseMaskColor(bool on)
{
    m_useMaskColor = on;
    for (const Entry& entry : m_items)
        entry.button->setUseMaskColor(on);
}

void tabSection::setMaskColor(quint32 colour)
{
    m_maskColor = colour;
    for (const Entry& entry : m_items)
        entry.button->setMaskColor(colour);
}

void tabSection::setCaption(const QString& caption)
{
    m_caption = caption;
    update(0, 0, width(), HeaderHeight);
}

void tabSection::setDisposition(int disposition)
{
    m_disposition = disposition;
    if (!m_items.isEmpty())
        Rearrange();
}

void tabSection::EnsureVisible(int Index)
{
    check(Index);
    const int item = Index - 1;
    if (item < m_first)
        m_first = item;
    while (m_first < item && places(m_first).at(item).bottom > height())
        ++m_first;
    Rearrange();
}

void tabSection::setReduced(bool on)
{
    m_reduced = on;
    if (m_reduced)
        resize(width(), HeaderHeight);
    else
        Rearrange();
}

cTabItem tabSection::SelectedItem() const
{
    const int index = indexOfLabel(m_selected);
    if (index == 0)
        return {};
    return cTabItem(const_cast<tabSection*>(this), m_items.at(index - 1).button, m_selected);
}

void tabSection::setSelectedItem(const cTabItem& item)
{
    QLabel* label = nullptr;
    if (item.label() || item.section()) {
        const int index = item.section() == this ? indexOfLabel(item.label()) : 0;
        if (index == 0)
            throw ControlError::indexOutOfRange(kSource);
        label = item.label();
    }
    if (m_selected && m_selected != label)
        paintCaption(m_selected, false);
    m_selected = label;
    if (label)
        paintCaption(label, true);
}

void tabSection::setMouseIcon(const QPixmap& icon)
{
    m_mouseIcon = icon;
    mMousePointer::Apply(this, m_mousePointer, m_mouseIcon);
}

void tabSection::setMousePointer(int pointer)
{
    m_mousePointer = pointer;
    mMousePointer::Apply(this, m_mousePointer, m_mouseIcon);
}

cTabItem tabSection::Item(int Index) const
{
    check(Index);
    const Entry& entry = m_items.at(Index - 1);
    return cTabItem(const_cast<tabSection*>(this), entry.button, entry.label);
}

void tabSection::setKey(const QString& key)
{
    if (key == m_key)
        return;
    auto* container = qobject_cast<zelTab*>(parentWidget());
    if (container && !key.isEmpty() && container->keyTaken(key, this))
        throw ControlError::duplicateKey(QStringLiteral("zelTab"));
    m_key = key;
}

cTabItem tabSection::HitTest(int X, int Y) const
{
    const QPoint point(X, Y);
    for (const Entry& entry : m_items) {
        if (entry.button->isVisible() && entry.button->geometry().contains(point))
            return cTabItem(const_cast<tabSection*>(this), entry.button, entry.label);
        if (entry.label->isVisible() && entry.label->geometry().contains(point))
            return cTabItem(const_cast<tabSection*>(this), entry.button, entry.label);
    }
    return {};
}

void tabSection::setTag(const QString& tag)
{
    m_tag = tag;
}

void tabSection::Refresh()
{
    repaint();
}

int tabSection::indexOfLabel(const QLabel* label) const
{
    if (!label)
        return 0;
    for (qsizetype i = 0; i < m_items.size(); ++i) {
        if (m_items.at(i).label == label)
            return int(i + 1);
    }
    return 0;
}

void tabSection::check(int Index) const
{
    if (Index < 1 || Index > ItemCount())
        throw ControlError::indexOutOfRange(kSource);
}

// Where each item goes when the items from `first` on are shown from the top of the list.
QList<tabSection::Place> tabSection::places(int first) const
{
    QList<Place> result(m_items.size(), Place{{}, {}, -1});
    int y = FirstItemTop;
    for (qsizetype i = first; i < m_items.size(); ++i) {
        const QSize picture = m_items.at(i).button->size();
        const QSize caption = m_items.at(i).label->sizeHint();
        Place& place = result[i];
        if (m_disposition == 1) {
            place.picture = {kPictureIndent, y};
            place.caption = {kPictureIndent + picture.width() + kCaptionBesidePicture,
                             y + (picture.height() - caption.height()) / 2};
            place.bottom = qMax(y + picture.height(), place.caption.y() + caption.height());
            y += picture.height() + kRowGap;
        } else {
            place.picture = {(width() - picture.width()) / 2, y};
            place.caption = {(width() - caption.width()) / 2,
                             y + picture.height() + kCaptionBelowPicture};
            place.bottom = place.caption.y() + caption.height();
            y = place.bottom + kPictureBelowCaption;
        }
    }
    return result;
}

int tabSection::contentBottom(int first) const
{
    int bottom = 0;
    for (const Place& place : places(first))
        bottom = qMax(bottom, place.bottom);
    return bottom;
}

void tabSection::Rearrange()
{
    if (m_reduced)
        return;
    const bool overflow = contentBottom(0) > height();
    if (!overflow)
        m_first = 0;
    m_first = qBound(0, m_first, qMax(0, ItemCount() - 1));
    const QList<Place> where = places(m_first);
    for (qsizetype i = 0; i < m_items.size(); ++i) {
        const Entry& entry = m_items.at(i);
        if (i < m_first) {
            entry.button->hide();
            entry.label->hide();
            continue;
        }
        entry.label->resize(entry.label->sizeHint());
        entry.button->move(where.at(i).picture);
        entry.label->move(where.at(i).caption);
        entry.button->show();
        entry.label->show();
    }
    m_up->setVisible(overflow);
    m_down->setVisible(overflow);
    if (overflow) {
        m_up->move(width() - kArrowMargin - m_up->width(), FirstItemTop);
        m_down->move(width() - kArrowMargin - m_down->width(),
                     height() - kArrowMargin - m_down->height());
        m_up->raise();
        m_down->raise();
    }
}

void tabSection::scroll(int step)
{
    if (step < 0 && m_first > 0)
        --m_first;
    else if (step > 0 && m_first < ItemCount() - 1 && contentBottom(m_first) > height())
        ++m_first;
    Rearrange();
    emit Click();
}

void tabSection::applyColours()
{
    QPalette pal = palette();
    pal.setColor(QPalette::Window, mListBox::ToQColor(m_backColor));
    pal.setColor(QPalette::WindowText, mListBox::ToQColor(m_foreColor));
    setPalette(pal);
    for (const Entry& entry : m_items)
        paintCaption(entry.label, entry.label == m_selected);
    m_up->setPixmap(arrow(true));
    m_down->setPixmap(arrow(false));
    update();
}

// A selected caption shows in inverse colours.
void tabSection::paintCaption(QLabel* label, bool selected) const
{
    const QColor back = mListBox::ToQColor(m_backColor);
    const QColor fore = mListBox::ToQColor(m_foreColor);
    QPalette pal = label->palette();
    pal.setColor(QPalette::Window, selected ? fore : back);
    pal.setColor(QPalette::WindowText, selected ? back : fore);
    label->setPalette(pal);
    label->setAutoFillBackground(true);
}

QPixmap tabSection::arrow(bool up) const
{
    QPixmap pixmap(kArrowSize, kArrowSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(Qt::NoPen);
    p.setBrush(mListBox::ToQColor(m_foreColor));
    const QPolygon triangle = up ? QPolygon({QPoint(5, 2), QPoint(10, 8), QPoint(0, 8)})
                                 : QPolygon({QPoint(0, 2), QPoint(10, 2), QPoint(5, 8)});
    p.drawPolygon(triangle);
    return pixmap;
}

bool tabSection::eventFilter(QObject* watched, QEvent* event)
{
    auto* label = qobject_cast<QLabel*>(watched);
    if (!label)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        return true;
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton ||
            !label->rect().contains(mouse->position().toPoint()))
            return true;
        if (label == m_up) {
            scroll(-1);
        } else if (label == m_down) {
            scroll(1);
        } else {
            const int index = indexOfLabel(label);
            if (index > 0)
                emit ItemClick(index);
        }
        return true;
    }
    default:
        return QWidget::eventFilter(watched, event);
    }
}

void tabSection::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QPalette& pal = palette();
    p.fillRect(rect(), mListBox::ToQColor(m_backColor));
    const QRect bar(0, 0, width(), HeaderHeight);
    p.fillRect(bar, pal.color(QPalette::Button));
    mDrawEdge::DrawEdge(p, bar, mDrawEdge::Raised, mDrawEdge::AllSides, pal);
    p.setPen(pal.color(QPalette::ButtonText));
    p.drawText(bar, Qt::AlignCenter | Qt::TextSingleLine, m_caption);
}

void tabSection::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Rearrange();
}

void tabSection::mousePressEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    const int button = mInput::Button(event->button());
    const int shift = mInput::Shift(event->modifiers());
    if (pos.y() < HeaderZone) {
        emit HeaderMouseDown(button, shift, pos.x(), pos.y());
        if (event->button() == Qt::LeftButton)
            emit HeaderClick();
    } else {
        emit MouseDown(button, shift, pos.x(), pos.y());
        if (event->button() == Qt::LeftButton)
            emit Click();
    }
}

void tabSection::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    const int button = mInput::Button(event->button());
    const int shift = mInput::Shift(event->modifiers());
    if (pos.y() < HeaderZone)
        emit HeaderMouseUp(button, shift, pos.x(), pos.y());
    else
        emit MouseUp(button, shift, pos.x(), pos.y());
}

void tabSection::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    emit MouseMove(mInput::Button(event->buttons()), mInput::Shift(event->modifiers()), pos.x(),
                   pos.y());
}

void tabSection::mouseDoubleClickEvent(QMouseEvent*)
{
    emit DblClick();
}
