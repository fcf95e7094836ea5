#include "controls/mSubClass.h"

#include "controls/IMessageTarget.h"

#include <QAbstractScrollArea>
#include <QEvent>
#include <QPointer>
#include <QVariant>
#include <QWidget>

namespace {

const char* const kTargetProperty = "MsgTarget";

// The event filter put on one hooked widget; a child of that widget while it is hooked.
class MessageHook : public QObject
{
public:
    MessageHook(QWidget* widget, IMessageTarget* target)
        : QObject(widget), m_widget(widget), m_target(target)
    {
    }

    void retarget(IMessageTarget* target) { m_target = target; }

    // Deletes the hook now, or as soon as the event being dispatched returns.
    void release()
    {
        setParent(nullptr);
        if (m_depth == 0)
            delete this;
        else
            m_released = true;
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != m_widget)
            return false;
        QPointer<MessageHook> self(this);
        ++m_depth;
        bool result = false;
        try {
            result = m_target->Message(m_widget, event);
        } catch (...) {
            result = false;
        }
        if (self) {
            --m_depth;
            if (m_released && m_depth == 0)
                delete this;
        }
        event->setAccepted(result);
        return true;
    }

private:
    QWidget* m_widget;
    IMessageTarget* m_target;
    int m_depth = 0;
    bool m_released = false;
};

MessageHook* hookOf(const QWidget* hwnd)
{
    if (!hwnd)
        return nullptr;
    return dynamic_cast<MessageHook*>(hwnd->property(kTargetProperty).value<QObject*>());
}

// A scroll area handles its viewport's events through a filter of its own, installed
// before any hook; the viewport's own handling is that filter, then the viewport itself.
struct ScrollAreaAccess : QAbstractScrollArea
{
    static bool callViewportEvent(QAbstractScrollArea* area, QEvent* event)
    {
        return (area->*(&ScrollAreaAccess::viewportEvent))(event);
    }
};

} // namespace

namespace mSubClass {

void Subclass(QWidget* hwnd, IMessageTarget* target)
{
    if (!hwnd)
        return;
    if (!target) {
        UnSubclass(hwnd);
        return;
    }
    if (MessageHook* hook = hookOf(hwnd)) {
        hook->retarget(target);
        return;
    }
    auto* hook = new MessageHook(hwnd, target);
    hwnd->setProperty(kTargetProperty, QVariant::fromValue<QObject*>(hook));
    hwnd->installEventFilter(hook);
}

void UnSubclass(QWidget* hwnd)
{
    MessageHook* hook = hookOf(hwnd);
    if (!hook)
        return;
    hwnd->removeEventFilter(hook);
    hwnd->setProperty(kTargetProperty, QVariant());
    hook->release();
}

bool CallOrigWndProc(QWidget* hwnd, QEvent* event)
{
    if (!hwnd || !event)
        return false;
    QObject* object = hwnd;
    bool handled = false;
    auto* area = qobject_cast<QAbstractScrollArea*>(hwnd->parentWidget());
    if (area && area->viewport() == hwnd)
        handled = ScrollAreaAccess::callViewportEvent(area, event) || object->event(event);
    else
        handled = object->event(event);
    return handled && event->isAccepted();
}

bool IsSubclassed(const QWidget* hwnd)
{
    return hookOf(hwnd) != nullptr;
}

} // namespace mSubClass
