#include "controls/IMessageTarget.h"
#include "controls/mListBox.h"
#include "controls/mSubClass.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QMouseEvent>
#include <QPalette>
#include <QPointer>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

// Counts the presses that reach its own handler.
class PressCounter : public QWidget
{
public:
    using QWidget::QWidget;
    int presses = 0;

protected:
    void mousePressEvent(QMouseEvent*) override { ++presses; }
};

// A parent that sees the presses its children ignore.
class Parent : public QWidget
{
public:
    int presses = 0;

protected:
    void mousePressEvent(QMouseEvent*) override { ++presses; }
};

struct Target : IMessageTarget
{
    enum Mode { PassOn, Swallow, Ignore, Throw };
    Mode mode = PassOn;
    QList<QWidget*> pressedWidgets;
    std::function<void(QWidget*)> onPress;

    bool Message(QWidget* hwnd, QEvent* event) override
    {
        if (event->type() != QEvent::MouseButtonPress)
            return mSubClass::CallOrigWndProc(hwnd, event);
        pressedWidgets << hwnd;
        if (onPress)
            onPress(hwnd);
        switch (mode) {
        case PassOn:
            return mSubClass::CallOrigWndProc(hwnd, event);
        case Swallow:
            return true;
        case Ignore:
            return false;
        case Throw:
            throw std::runtime_error("handler failure");
        }
        return false;
    }
};

void press(QWidget* widget)
{
    QMouseEvent event(QEvent::MouseButtonPress, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

} // namespace

TEST(MessageHook, EachHookedWidgetReachesItsOwnTargetAndItsOwnHandling)
{
    Parent parent;
    auto* first = new PressCounter(&parent);
    auto* second = new PressCounter(&parent);
    Target firstTarget, secondTarget;
    mSubClass::Subclass(first, &firstTarget);
    mSubClass::Subclass(second, &secondTarget);

    press(first);
    press(second);
    press(second);

    EXPECT_EQ(firstTarget.pressedWidgets, QList<QWidget*>{first});
    EXPECT_EQ(secondTarget.pressedWidgets, (QList<QWidget*>{second, second}));
    EXPECT_EQ(first->presses, 1);
    EXPECT_EQ(second->presses, 2);
    EXPECT_EQ(parent.presses, 0);
    mSubClass::UnSubclass(first);
    mSubClass::UnSubclass(second);
}

TEST(MessageHook, UnhookingRestoresTheWidgetAndLeavesNothingBehind)
{
    PressCounter widget;
    Target target;
    target.mode = Target::Swallow;
    mSubClass::Subclass(&widget, &target);
    EXPECT_TRUE(mSubClass::IsSubclassed(&widget));
    press(&widget);
    EXPECT_EQ(widget.presses, 0);

    mSubClass::UnSubclass(&widget);
    press(&widget);

    EXPECT_EQ(widget.presses, 1);
    EXPECT_EQ(target.pressedWidgets.size(), 1);
    EXPECT_FALSE(mSubClass::IsSubclassed(&widget));
    EXPECT_TRUE(widget.dynamicPropertyNames().isEmpty());
    EXPECT_TRUE(widget.children().isEmpty());
    mSubClass::UnSubclass(&widget); // a second time does nothing
}

TEST(MessageHook, TheTargetsResultDecidesWhetherTheEventGoesFurther)
{
    Parent parent;
    auto* widget = new PressCounter(&parent);
    Target target;
    mSubClass::Subclass(widget, &target);

    target.mode = Target::Swallow;
    press(widget);
    EXPECT_EQ(widget->presses, 0);
    EXPECT_EQ(parent.presses, 0);

    // Not handled and not passed on: like any widget that ignores a press, the parent gets it.
    target.mode = Target::Ignore;
    press(widget);
    EXPECT_EQ(widget->presses, 0);
    EXPECT_EQ(parent.presses, 1);
    mSubClass::UnSubclass(widget);
}

TEST(MessageHook, ExceptionsInsideATargetStayInside)
{
    PressCounter widget;
    Target target;
    target.mode = Target::Throw;
    mSubClass::Subclass(&widget, &target);
    EXPECT_NO_THROW(press(&widget));
    EXPECT_EQ(widget.presses, 0);
    EXPECT_TRUE(mSubClass::IsSubclassed(&widget));
    mSubClass::UnSubclass(&widget);
}

TEST(MessageHook, HookingAgainChangesTheTarget)
{
    PressCounter widget;
    Target first, second;
    mSubClass::Subclass(&widget, &first);
    mSubClass::Subclass(&widget, &second);
    press(&widget);
    EXPECT_TRUE(first.pressedWidgets.isEmpty());
    EXPECT_EQ(second.pressedWidgets.size(), 1);
    EXPECT_EQ(widget.presses, 1);
    mSubClass::UnSubclass(&widget);
    EXPECT_TRUE(widget.children().isEmpty());
}

TEST(MessageHook, AWidgetMayBeUnhookedOrDestroyedWhileItsEventIsDispatched)
{
    Target target;
    auto* widget = new PressCounter;
    target.onPress = [](QWidget* hwnd) { mSubClass::UnSubclass(hwnd); };
    mSubClass::Subclass(widget, &target);
    press(widget);
    EXPECT_FALSE(mSubClass::IsSubclassed(widget));
    EXPECT_EQ(widget->presses, 1);
    press(widget);
    EXPECT_EQ(target.pressedWidgets.size(), 1);

    QPointer<PressCounter> doomed = new PressCounter;
    target.mode = Target::Swallow;
    target.onPress = [](QWidget* hwnd) { delete hwnd; };
    mSubClass::Subclass(doomed, &target);
    press(doomed);
    EXPECT_TRUE(doomed.isNull());
    delete widget;
}

TEST(MessageHook, AHookedViewportKeepsItsScrollAreaHandling)
{
    struct Area : QAbstractScrollArea
    {
        int presses = 0;
        void mousePressEvent(QMouseEvent*) override { ++presses; }
    } area;
    Target target;
    mSubClass::Subclass(area.viewport(), &target);
    press(area.viewport());
    EXPECT_EQ(target.pressedWidgets.size(), 1);
    EXPECT_EQ(area.presses, 1);
    mSubClass::UnSubclass(area.viewport());
}

TEST(ListBoxHelpers, WordHalves)
{
    EXPECT_EQ(mListBox::LoWord(65537), 1);
    EXPECT_EQ(mListBox::HiWord(65537), 1);
    EXPECT_EQ(mListBox::LoWord(0x7FFF1234), 0x1234);
    EXPECT_EQ(mListBox::HiWord(0x7FFF1234), 0x7FFF);
}

TEST(ListBoxHelpers, SystemColoursComeFromThePaletteAndPlainOnesStayAsTheyAre)
{
    QPalette palette;
    palette.setColor(QPalette::Active, QPalette::Button, QColor(1, 2, 3));
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(9, 8, 7));
    EXPECT_EQ(mListBox::TranslateColor(mListBox::ButtonFaceColor, &palette),
              mListBox::RGB(1, 2, 3));
    EXPECT_EQ(mListBox::TranslateColor(mListBox::GrayTextColor, &palette), mListBox::RGB(9, 8, 7));
    EXPECT_EQ(mListBox::TranslateColor(mListBox::RGB(224, 224, 224), &palette), 0xE0E0E0u);
    EXPECT_EQ(mListBox::TranslateColor(0x000000FF), 0x0000FFu);
    EXPECT_EQ(mListBox::ToQColor(0x000000FF), QColor(255, 0, 0));
    EXPECT_EQ(mListBox::TranslateColor(0x80000000u + 200), 0u);
    EXPECT_EQ(mListBox::TranslateColor(mListBox::WindowColor),
              mListBox::FromQColor(QApplication::palette().color(QPalette::Base)));
}
