#include "controls/ButtonAccessible.h"

#include "controls/ButtonKeys.h"

#include <QWidget>

namespace {

// The caption as it reads: "&&" is an ampersand, a single "&" marks the access key.
QString withoutAccessMark(const QString& caption)
{
    QString out;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == QLatin1Char('&') && i + 1 < caption.size())
            ++i;
        out += caption.at(i);
    }
    return out;
}

QAccessibleInterface* factory(const QString& className, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget)
        return nullptr;
    // Asked once per class up the hierarchy, the widget's own class first.
    if (className == QLatin1String(object->metaObject()->className())) {
        if (auto* keys = widget->findChild<ButtonKeys*>(QString(), Qt::FindDirectChildrenOnly))
            return new ButtonAccessible(widget, keys);
    }
    if (className == QLatin1String("QWidget") && widget->windowType() == Qt::Window)
        return new QAccessibleWidget(widget, QAccessible::Window);
    return nullptr;
}

} // namespace

ButtonAccessible::ButtonAccessible(QWidget* button, ButtonKeys* keys)
    : QAccessibleWidget(button, QAccessible::Button), m_keys(keys)
{
}

QString ButtonAccessible::text(QAccessible::Text t) const
{
    const QString own = QAccessibleWidget::text(t);
    if (t == QAccessible::Name && own.isEmpty()) {
        const QString caption = withoutAccessMark(widget()->property("Caption").toString());
        return caption.isEmpty() ? widget()->toolTip() : caption;
    }
    if (t == QAccessible::Accelerator && own.isEmpty() && !m_keys->accessKey().isEmpty())
        return QStringLiteral("Alt+") + m_keys->accessKey().toUpper();
    return own;
}

QStringList ButtonAccessible::actionNames() const
{
    QStringList names = QAccessibleWidget::actionNames();
    if (widget()->isEnabled())
        names.prepend(pressAction());
    return names;
}

void ButtonAccessible::doAction(const QString& actionName)
{
    // Later, as a push button does: a click that opens a modal dialog must not hold up the
    // screen reader's call.
    if (actionName == pressAction())
        QMetaObject::invokeMethod(m_keys, &ButtonKeys::click, Qt::QueuedConnection);
    else
        QAccessibleWidget::doAction(actionName);
}

QStringList ButtonAccessible::keyBindingsForAction(const QString& actionName) const
{
    if (actionName == pressAction() && !m_keys->accessKey().isEmpty())
        return {QStringLiteral("Alt+") + m_keys->accessKey().toUpper()};
    return QAccessibleWidget::keyBindingsForAction(actionName);
}

void ButtonAccessible::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    Q_UNUSED(installed);
}
