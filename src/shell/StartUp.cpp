#include "shell/StartUp.h"

#include "shell/CompetitionCommands.h"
#include "shell/frmMain.h"
#include "store/PrevInstance.h"

#include <QApplication>
#include <QTimer>

namespace StartUp {

namespace {
constexpr int kRetryMs = 250;
} // namespace

bool handOver(PrevInstance& instance, const QString& file)
{
    return file.isEmpty() ? instance.ActivatePrevInstance() : instance.OpenInPrevInstance(file);
}

void serve(PrevInstance& instance, frmMain& window)
{
    // Queued: the request is answered first, and a message box about the file runs its own
    // event loop outside the connection's handler.
    QObject::connect(&instance, &PrevInstance::activationRequested, &window, &frmMain::bringToFront,
                     Qt::QueuedConnection);
    QObject::connect(
        &instance, &PrevInstance::openRequested, &window,
        [&window](const QString& path) {
            window.bringToFront();
            openWhenIdle(path);
        },
        Qt::QueuedConnection);
}

void openWhenIdle(const QString& path)
{
    QTimer::singleShot(0, qApp, [path] {
        if (QApplication::activeModalWidget() || QApplication::activePopupWidget()) {
            QTimer::singleShot(kRetryMs, qApp, [path] { openWhenIdle(path); });
            return;
        }
        Utilities::OpenCompetition(path);
    });
}

} // namespace StartUp
