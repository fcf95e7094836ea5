#include "controls/MessageBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QQueue>

namespace {

struct Script
{
    bool on = false;
    QQueue<bool> answers;
    QList<MessageBox::Shown> shown;
};

Script& script()
{
    static Script s;
    return s;
}

} // namespace

QMessageBox::StandardButton MessageBox::show(QWidget* parent, Icon icon, const QString& text)
{
    Script& s = script();
    if (s.on) {
        s.shown.append({icon, text});
        if (icon != Question)
            return QMessageBox::Ok;
        const bool yes = s.answers.isEmpty() ? false : s.answers.dequeue();
        return yes ? QMessageBox::Yes : QMessageBox::No;
    }
    QMessageBox box(parent ? parent : QApplication::activeWindow());
    box.setWindowTitle(QStringLiteral("Vemo"));
    box.setText(text);
    switch (icon) {
    case Plain:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case Information:
        box.setIcon(QMessageBox::Information);
        break;
    case Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case Question:
        box.setIcon(QMessageBox::Question);
        break;
    }
    if (icon == Question) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        box.button(QMessageBox::Yes)->setText(QStringLiteral("&Oui"));
        box.button(QMessageBox::No)->setText(QStringLiteral("&Non"));
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    return QMessageBox::StandardButton(box.exec());
}

void MessageBox::information(QWidget* parent, const QString& text)
{
    show(parent, Information, text);
}

void MessageBox::warning(QWidget* parent, const QString& text)
{
    show(parent, Warning, text);
}

void MessageBox::critical(QWidget* parent, const QString& text)
{
    show(parent, Critical, text);
}

void MessageBox::plain(QWidget* parent, const QString& text)
{
    show(parent, Plain, text);
}

bool MessageBox::question(QWidget* parent, const QString& text)
{
    return show(parent, Question, text) == QMessageBox::Yes;
}

void MessageBox::setScripted(bool on)
{
    script() = Script{};
    script().on = on;
}

bool MessageBox::isScripted()
{
    return script().on;
}

void MessageBox::setNextAnswer(bool yes)
{
    script().answers.enqueue(yes);
}

const QList<MessageBox::Shown>& MessageBox::shown()
{
    return script().shown;
}

void MessageBox::clearShown()
{
    script().shown.clear();
}
