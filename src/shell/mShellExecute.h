#pragma once

#include <QString>

class QWidget;

// Opens a document, a mail address or a web address with the desktop's application for it.
namespace mShellExecute {

constexpr int SW_SHOWDEFAULT = 10;

// Returns the shell's result: above 32 for success, 32 or less an error code. With
// messages on, an error is explained in a message box with the critical icon.
int ShellOpenDocument(const QString& document, const QString& verb = QStringLiteral("open"),
                      const QString& parameters = {}, const QString& directory = {},
                      int showCommand = SW_SHOWDEFAULT, QWidget* owner = nullptr,
                      bool messages = false);

// The French explanation of a result; empty above 32.
QString ErrorMessage(int result);

} // namespace mShellExecute
