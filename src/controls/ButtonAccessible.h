#pragma once

#include <QAccessibleWidget>

class ButtonKeys;

// What a screen reader is told of our own buttons (every widget that takes its keys from
// ButtonKeys): a push button named by its caption, whose press action clicks it. The top-level
// windows that are plain widgets are told as windows.
class ButtonAccessible : public QAccessibleWidget
{
public:
    ButtonAccessible(QWidget* button, ButtonKeys* keys);

    QString text(QAccessible::Text t) const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;

    // Installs the factory that gives those interfaces, once for the whole program.
    static void install();

private:
    ButtonKeys* m_keys;
};
