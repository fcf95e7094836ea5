#include "controls/ButtonKeys.h"

#include "controls/ButtonAccessible.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <QShortcutEvent>
#include <QWidget>

namespace {

bool plain(const QKeyEvent* key)
{
    return (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) == 0;
}

bool isSpace(const QKeyEvent* key)
{
    return key->key() == Qt::Key_Space && plain(key);
}

bool isEnter(const QKeyEvent* key)
{
    return (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && plain(key);
}

} // namespace

ButtonKeys::ButtonKeys(QWidget* button) : QObject(button), m_button(button)
{
    button->installEventFilter(this);
    ButtonAccessible::install();
}

void ButtonKeys::click()
{
    if (m_button->isEnabled())
        emit clicked();
}

QString ButtonKeys::accessKeyOf(const QString& caption)
{
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption.at(i) != QLatin1Char('&'))
            continue;
        if (caption.at(i + 1) == QLatin1Char('&')) {
            ++i;
            continue;
        }
        return caption.at(i + 1);
    }
    return {};
}

void ButtonKeys::setCaption(const QString& caption)
{
    m_accessKey = accessKeyOf(caption);
    grabAccessKey();
}

void ButtonKeys::grabAccessKey()
{
    if (m_shortcut != 0)
        m_button->releaseShortcut(m_shortcut);
    m_shortcut = 0;
    if (m_accessKey.isEmpty())
        return;
    const QKeySequence key(QStringLiteral("Alt+") + m_accessKey);
    m_shortcut = m_button->grabShortcut(key);
}

void ButtonKeys::setDown(bool down)
{
    if (m_down == down)
        return;
    m_down = down;
    m_button->update();
}

bool ButtonKeys::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_button)
        return false;
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (isSpace(key)) {
            if (!key->isAutoRepeat())
                setDown(true);
            return true;
        }
        if (isEnter(key)) {
            if (!key->isAutoRepeat())
                emit clicked();
            return true;
        }
        return false;
    }
    case QEvent::KeyRelease: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (isSpace(key) && !key->isAutoRepeat() && m_down) {
            setDown(false);
            emit clicked();
            return true;
        }
        return (isSpace(key) && m_down) || isEnter(key);
    }
    case QEvent::Shortcut: {
        const auto* shortcut = static_cast<QShortcutEvent*>(event);
        if (m_shortcut == 0 || shortcut->shortcutId() != m_shortcut)
            return false;
        if (m_button->isEnabled()) {
            m_button->setFocus(Qt::ShortcutFocusReason);
            if (!shortcut->isAmbiguous())
                emit clicked();
        }
        return true;
    }
    case QEvent::FocusOut:
    case QEvent::Hide:
    case QEvent::EnabledChange:
        setDown(false); // let go without a click
        return false;
    case QEvent::Show:
    case QEvent::ParentChange:
        if (!m_accessKey.isEmpty())
            grabAccessKey();
        return false;
    default:
        return false;
    }
}
