#include "controls/Hover5Control.h"
#include "controls/tooCommand.h"
#include "controls/zelFrame.h"
#include "controls/zelRCornerCommand.h"

#include <QApplication>
#include <QLineEdit>
#include <QPainter>
#include <QTest>
#include <gtest/gtest.h>
#include <type_traits>

void PrintTo(const QColor& colour, std::ostream* out)
{
    *out << colour.name().toStdString();
}

namespace {

QColor pixel(QWidget& widget, int x, int y)
{
    return QColor(widget.grab().toImage().pixel(x, y));
}

QColor role(const QWidget& widget, QPalette::ColorRole role)
{
    return QColor(widget.palette().color(role).rgb());
}

// A window with one control at (50, 30).
template <typename Control> struct Host
{
    QWidget window;
    Control* control = new Control(&window);

    Host(QSize size = {80, 30})
    {
        window.resize(240, 120);
        control->setGeometry(QRect(QPoint(50, 30), size));
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        // The pointer starts outside the control, wherever the last test left it.
        moveTo({1, 1});
    }
    void moveTo(QPoint point) { QTest::mouseMove(window.windowHandle(), point); }
};

struct Counts
{
    int enter = 0, leave = 0, click = 0, down = 0, up = 0;
};

} // namespace

TEST(HoverButton, CrossingRaisesOneMouseEnterAndOneMouseLeave)
{
    Host<Hover5Control> host;
    Counts n;
    QObject::connect(host.control, &Hover5Control::MouseEnter, [&] { ++n.enter; });
    QObject::connect(host.control, &Hover5Control::MouseLeave, [&] { ++n.leave; });

    for (int crossing = 1; crossing <= 2; ++crossing) {
        host.moveTo({10, 10});
        host.moveTo({55, 35});
        host.moveTo({90, 45});
        host.moveTo({125, 55});
        EXPECT_EQ(n.enter, crossing);
        EXPECT_EQ(n.leave, crossing - 1);
        host.moveTo({200, 100});
        host.moveTo({220, 110});
        EXPECT_EQ(n.enter, crossing);
        EXPECT_EQ(n.leave, crossing);
    }
}

TEST(HoverButton, ReleasingOutsideRaisesNoClick)
{
    Host<Hover5Control> host;
    Hover5Control* button = host.control;
    QList<QPoint> clicks;
    Counts n;
    QObject::connect(button, &Hover5Control::Click,
                     [&](int, int x, int y) { clicks << QPoint(x, y); });
    QObject::connect(button, &Hover5Control::MouseEnter, [&] { ++n.enter; });
    QObject::connect(button, &Hover5Control::MouseLeave, [&] { ++n.leave; });

    host.moveTo({60, 40});
    QTest::mousePress(button, Qt::LeftButton, {}, {10, 10});
    QTest::mouseMove(button, {-20, 10});
    QTest::mouseRelease(button, Qt::LeftButton, {}, {-20, 10});
    EXPECT_TRUE(clicks.isEmpty());
    EXPECT_EQ(n.enter, 1);
    EXPECT_EQ(n.leave, 1);

    QTest::mousePress(button, Qt::LeftButton, {}, {10, 10});
    QTest::mouseMove(button, {-20, 10});
    QTest::mouseMove(button, {12, 11});
    QTest::mouseRelease(button, Qt::LeftButton, {}, {12, 11});
    EXPECT_EQ(clicks, QList<QPoint>{QPoint(12, 11)});
    EXPECT_EQ(n.enter - n.leave, 1);
}

TEST(HoverButton, LooksFlatUntilTheMouseComesOverAndSunkenWhilePressedInside)
{
    Host<Hover5Control> host;
    Hover5Control* button = host.control;
    button->setBackColor(mListBox::RGB(200, 200, 200));

    EXPECT_EQ(pixel(*button, 0, 0), QColor(200, 200, 200));
    host.moveTo({60, 40});
    EXPECT_TRUE(button->isOver());
    EXPECT_EQ(pixel(*button, 0, 0), role(*button, QPalette::Light));
    EXPECT_EQ(pixel(*button, 79, 29), role(*button, QPalette::Shadow));

    QTest::mousePress(button, Qt::LeftButton, {}, {10, 10});
    EXPECT_EQ(pixel(*button, 0, 0), role(*button, QPalette::Dark));
    QTest::mouseMove(button, {-20, 10});
    EXPECT_EQ(pixel(*button, 0, 0), role(*button, QPalette::Light));
    QTest::mouseRelease(button, Qt::LeftButton, {}, {-20, 10});
    EXPECT_EQ(pixel(*button, 0, 0), QColor(200, 200, 200));
}

TEST(PictureButton, MaskColourShowsTheBackgroundOnlyWhenUsed)
{
    QWidget host;
    QPalette pal = host.palette();
    pal.setColor(QPalette::Window, Qt::green);
    host.setPalette(pal);
    auto* button = new tooCommand(&host);
    EXPECT_EQ(button->BackColor(), mListBox::RGB(0, 255, 0));

    QPixmap picture(16, 16);
    picture.fill(Qt::magenta);
    QPainter(&picture).fillRect(4, 4, 8, 8, Qt::blue);
    button->setPicture(picture);
    button->setMaskColor(mListBox::RGB(255, 0, 255));

    EXPECT_EQ(pixel(*button, 0, 0), QColor(Qt::magenta));
    button->setUseMaskColor(true);
    EXPECT_EQ(pixel(*button, 0, 0), QColor(Qt::green));
    EXPECT_EQ(pixel(*button, 15, 15), QColor(Qt::green));
    EXPECT_EQ(pixel(*button, 8, 8), QColor(Qt::blue));

    pal.setColor(QPalette::Window, Qt::yellow);
    host.setPalette(pal);
    EXPECT_EQ(button->BackColor(), mListBox::RGB(255, 255, 0));
    EXPECT_EQ(pixel(*button, 0, 0), QColor(Qt::yellow));
}

TEST(PictureButton, ClicksOnlyWhenReleasedInside)
{
    tooCommand button;
    QPixmap picture(16, 16);
    picture.fill(Qt::blue);
    button.setPicture(picture);
    Counts n;
    QObject::connect(&button, &tooCommand::MouseDown, [&] { ++n.down; });
    QObject::connect(&button, &tooCommand::MouseUp, [&] { ++n.up; });
    QObject::connect(&button, &tooCommand::Click, [&] { ++n.click; });

    QTest::mousePress(&button, Qt::LeftButton);
    EXPECT_EQ(n.down, 1);
    QTest::mouseRelease(&button, Qt::LeftButton, {}, {30, 30});
    EXPECT_EQ(n.up, 1);
    EXPECT_EQ(n.click, 0);
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(n.click, 1);
}

TEST(RoundedButton, RadiiZeroDrawAPlainRectangle)
{
    zelRCornerCommand button;
    button.resize(80, 30);
    button.setBackColor(mListBox::RGB(0, 255, 0));
    button.setForeColor(mListBox::RGB(0, 0, 0));
    button.setFillColor(mListBox::RGB(255, 255, 0));

    EXPECT_EQ(pixel(button, 0, 0), QColor(Qt::green));
    EXPECT_EQ(pixel(button, 40, 0), QColor(Qt::black));
    EXPECT_EQ(pixel(button, 40, 15), QColor(Qt::yellow));

    button.setRadiusX(0);
    button.setRadiusY(0);
    EXPECT_EQ(pixel(button, 0, 0), QColor(Qt::black));
    EXPECT_EQ(pixel(button, 79, 29), QColor(Qt::black));
    EXPECT_EQ(pixel(button, 1, 1), QColor(Qt::yellow));

    int clicks = 0;
    QObject::connect(&button, &zelRCornerCommand::Click, [&] { ++clicks; });
    QTest::mousePress(&button, Qt::LeftButton, {}, {40, 15});
    EXPECT_EQ(pixel(button, 1, 1), QColor(Qt::blue)); // inverted while pressed
    QTest::mouseRelease(&button, Qt::LeftButton, {}, {40, 15});
    EXPECT_EQ(pixel(button, 1, 1), QColor(Qt::yellow));
    EXPECT_EQ(clicks, 1);
}

// The three kinds of button, each counting its Click and its KeyDown.
template <typename Control> struct KeyHost : Host<Control>
{
    int clicks = 0;
    int keyDowns = 0;

    KeyHost()
    {
        if constexpr (std::is_same_v<Control, Hover5Control>)
            QObject::connect(this->control, &Hover5Control::Click, [this] { ++clicks; });
        else
            QObject::connect(this->control, &Control::Click, [this] { ++clicks; });
        if constexpr (!std::is_same_v<Control, tooCommand>)
            QObject::connect(this->control, &Control::KeyDown, [this] { ++keyDowns; });
        this->window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&this->window));
        this->control->setFocus(Qt::TabFocusReason);
        EXPECT_TRUE(this->control->hasFocus());
    }
};

template <typename Control> class ButtonKeyboard : public testing::Test
{
};
using ButtonKinds = testing::Types<zelRCornerCommand, Hover5Control, tooCommand>;
TYPED_TEST_SUITE(ButtonKeyboard, ButtonKinds);

TYPED_TEST(ButtonKeyboard, SpaceClicksOnceOnReleaseAndEnterOnPress)
{
    KeyHost<TypeParam> host;
    QTest::keyPress(host.control, Qt::Key_Space);
    EXPECT_EQ(host.clicks, 0);
    // Held down, the key repeats.
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), true);
    QApplication::sendEvent(host.control, &repeat);
    EXPECT_EQ(host.clicks, 0);
    QTest::keyRelease(host.control, Qt::Key_Space);
    EXPECT_EQ(host.clicks, 1);

    QTest::keyClick(host.control, Qt::Key_Return);
    EXPECT_EQ(host.clicks, 2);
    QTest::keyClick(host.control, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(host.clicks, 3);
    // The keys it clicks with are its own; others still reach its key events.
    EXPECT_EQ(host.keyDowns, 0);
    QTest::keyClick(host.control, Qt::Key_X);
    if constexpr (!std::is_same_v<TypeParam, tooCommand>) {
        EXPECT_EQ(host.keyDowns, 1);
    }
    QTest::keyClick(host.control, Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(host.clicks, 3);
}

TYPED_TEST(ButtonKeyboard, SpaceLetGoElsewhereClicksNothing)
{
    KeyHost<TypeParam> host;
    auto* other = new QLineEdit(&host.window);
    other->setGeometry(0, 80, 100, 24);
    other->show();
    QTest::keyPress(host.control, Qt::Key_Space);
    other->setFocus();
    QTest::keyRelease(other, Qt::Key_Space);
    EXPECT_EQ(host.clicks, 0);
    // Pressed on another widget and released on the button: no click either.
    host.control->setFocus();
    QTest::keyRelease(host.control, Qt::Key_Space);
    EXPECT_EQ(host.clicks, 0);
}

TYPED_TEST(ButtonKeyboard, TabReachesIt)
{
    KeyHost<TypeParam> host;
    auto* before = new QLineEdit(&host.window);
    before->setGeometry(0, 80, 100, 24);
    before->show();
    QWidget::setTabOrder(before, host.control);
    before->setFocus();
    QTest::keyClick(before, Qt::Key_Tab);
    EXPECT_TRUE(host.control->hasFocus());
    QTest::keyClick(host.control, Qt::Key_Space);
    EXPECT_EQ(host.clicks, 1);
}

template <typename Control> class ButtonAccessKey : public testing::Test
{
};
using CaptionedKinds = testing::Types<zelRCornerCommand, Hover5Control>;
TYPED_TEST_SUITE(ButtonAccessKey, CaptionedKinds);

TYPED_TEST(ButtonAccessKey, TheLetterAfterTheAmpersandIsTheAccessKey)
{
    KeyHost<TypeParam> host;
    TypeParam* button = host.control;
    button->setCaption(QStringLiteral("Fermer"));
    EXPECT_TRUE(button->AccessKey().isEmpty());
    button->setCaption(QStringLiteral("Buts && points"));
    EXPECT_TRUE(button->AccessKey().isEmpty());
    button->setCaption(QStringLiteral("&Voir"));
    EXPECT_EQ(button->AccessKey(), QStringLiteral("V"));

    host.window.setFocus();
    QTest::keyClick(&host.window, Qt::Key_V, Qt::AltModifier);
    EXPECT_EQ(host.clicks, 1);
    EXPECT_TRUE(button->hasFocus());
    button->setEnabled(false);
    QTest::keyClick(&host.window, Qt::Key_V, Qt::AltModifier);
    EXPECT_EQ(host.clicks, 1);
    button->setEnabled(true);
    button->setCaption(QStringLiteral("Voir"));
    QTest::keyClick(&host.window, Qt::Key_V, Qt::AltModifier);
    EXPECT_EQ(host.clicks, 1);
}

TEST(Frame, ADisabledCaptionIsEngraved)
{
    const QPalette saved = QApplication::palette();
    QPalette pal = saved;
    pal.setColor(QPalette::Light, QColor(0, 255, 0));
    pal.setColor(QPalette::Disabled, QPalette::Text, QColor(0, 0, 255));
    QApplication::setPalette(pal);

    zelFrame frame;
    frame.resize(200, 80);
    QFont font = frame.font();
    font.setPixelSize(16);
    font.setBold(true);
    font.setStyleStrategy(QFont::NoAntialias);
    frame.setFont(font);
    frame.setForeColor(mListBox::RGB(255, 0, 0));
    frame.setBackColor(mListBox::RGB(255, 255, 255));
    frame.setCaption(QStringLiteral("Résumé"));

    // The caption band, inside the left and right edges and below the top edge lines.
    auto captionPixels = [&] {
        const QImage image = frame.grab().toImage();
        QList<QPair<QPoint, QColor>> pixels;
        for (int y = 2; y < QFontMetrics(font).height(); ++y)
            for (int x = 11; x < 189; ++x)
                pixels.append({QPoint(x, y), image.pixelColor(x, y)});
        return std::pair{image, pixels};
    };

    auto [enabled, enabledPixels] = captionPixels();
    bool red = false, green = false;
    for (const auto& [point, colour] : enabledPixels) {
        red = red || colour == QColor(255, 0, 0);
        green = green || colour == QColor(0, 255, 0);
    }
    EXPECT_TRUE(red);
    EXPECT_FALSE(green);

    frame.setEnabled(false);
    auto [disabled, disabledPixels] = captionPixels();
    bool engraved = false;
    red = false;
    for (const auto& [point, colour] : disabledPixels) {
        red = red || colour == QColor(255, 0, 0);
        engraved = engraved || (colour == QColor(0, 0, 255) &&
                                disabled.pixelColor(point + QPoint(1, 1)) == QColor(0, 255, 0));
    }
    EXPECT_FALSE(red);
    EXPECT_TRUE(engraved);
    QApplication::setPalette(saved);
}
