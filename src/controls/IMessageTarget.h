#pragma once

class QEvent;
class QWidget;

// Receives every event of the widgets hooked to it with mSubClass::Subclass. The widget's
// own handling runs only if Message calls mSubClass::CallOrigWndProc. The value returned
// becomes the event's acceptance: true means handled (the event goes no further), false
// means ignored (input events then travel on to the parent, as Qt does for any widget).
class IMessageTarget
{
public:
    virtual ~IMessageTarget() = default;
    virtual bool Message(QWidget* hwnd, QEvent* event)
    {
        (void)hwnd;
        (void)event;
        return false;
    }
};
