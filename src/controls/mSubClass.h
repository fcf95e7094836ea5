#pragma once

class IMessageTarget;
class QEvent;
class QWidget;

// Routes every event of one widget to one target (an event filter per hooked widget). Any
// number of widgets may be hooked at once, each with its own target. The target must
// outlive the hook: controls unhook their widgets when they end.
namespace mSubClass {

// Hooking a widget that is already hooked gives it the new target.
void Subclass(QWidget* hwnd, IMessageTarget* target);
// Restores the widget's own handling; nothing of the hook stays on the widget.
void UnSubclass(QWidget* hwnd);
// Runs the widget's own handling of the event; true when the widget handled and accepted it.
bool CallOrigWndProc(QWidget* hwnd, QEvent* event);
bool IsSubclassed(const QWidget* hwnd);

} // namespace mSubClass
