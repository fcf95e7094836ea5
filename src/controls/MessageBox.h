#pragma once

#include <QList>
#include <QMessageBox>
#include <QString>

class QWidget;

// Every message box of the program goes through here, titled "Vemo". Tests switch on
// scripted mode: nothing is shown, every message is recorded and questions are answered
// from a queue.
class MessageBox
{
public:
    enum Icon { Plain, Information, Warning, Critical, Question };

    struct Shown
    {
        Icon icon;
        QString text;
    };

    static void information(QWidget* parent, const QString& text);
    static void warning(QWidget* parent, const QString& text);
    static void critical(QWidget* parent, const QString& text);
    static void plain(QWidget* parent, const QString& text);
    // Yes/No question; true for Yes.
    static bool question(QWidget* parent, const QString& text);

    // Test hooks.
    static void setScripted(bool on);
    static bool isScripted();
    static void setNextAnswer(bool yes);
    static const QList<Shown>& shown();
    static void clearShown();

private:
    static QMessageBox::StandardButton show(QWidget* parent, Icon icon, const QString& text);
};
