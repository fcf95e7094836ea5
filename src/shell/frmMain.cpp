#include "shell/frmMain.h"

#include "controls/cOpenSaveFile.h"
#include "shell/AppHost.h"
#include "shell/CompetitionCommands.h"
#include "store/CompetitionFile.h"
#include "store/CrestCache.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenuBar>
#include <QResizeEvent>

frmMain::frmMain(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Vemo"));
    setMinimumSize(kMinWidth, kMinHeight);
    resize(1024, 720);
    AppHost::setMainWindow(this);

    QMenu* file = menuBar()->addMenu(QStringLiteral("&Fichier"));
    file->setObjectName(QStringLiteral("mnuInutilisé_0"));
    mnuFichier[0] = file->addAction(QStringLiteral("&Nouveau"), this, &frmMain::newCompetition);
    mnuFichier[0]->setShortcut(QKeySequence::New);
    mnuFichier[1] = file->addAction(QStringLiteral("&Ouvrir"), this, &frmMain::openCompetition);
    mnuFichier[1]->setShortcut(QKeySequence::Open);
    mnuMRU[0] = file->addSeparator();
    for (int i = 1; i < int(mnuMRU.size()); ++i)
        mnuMRU[size_t(i)] = file->addAction(QString(), this, [this, i] { openRecent(i); });
    for (int i = 0; i < int(mnuFichier.size()); ++i)
        mnuFichier[size_t(i)]->setObjectName(QStringLiteral("mnuFichier_%1").arg(i));
    for (int i = 0; i < int(mnuMRU.size()); ++i) {
        mnuMRU[size_t(i)]->setObjectName(QStringLiteral("mnuMRU_%1").arg(i));
        mnuMRU[size_t(i)]->setVisible(false);
    }

    QMenu* help = menuBar()->addMenu(QStringLiteral("&?"));
    help->setObjectName(QStringLiteral("mnuInutilisé_1"));
    mnuAide[0] = help->addAction(QStringLiteral("&Aide sur Vemo"));
    mnuAide[0]->setShortcut(QKeySequence::HelpContents);
    mnuAide[1] = help->addAction(QStringLiteral("A &propos de..."));
    for (int i = 0; i < int(mnuAide.size()); ++i)
        mnuAide[size_t(i)]->setObjectName(QStringLiteral("mnuAide_%1").arg(i));

    LoadMRU();
}

frmMain::~frmMain()
{
    CrestCache::remove();
    if (AppHost::mainWindow() == this)
        AppHost::setMainWindow(nullptr);
}

void frmMain::LoadMRU()
{
    m_mru.load();
    refreshMruMenu();
}

void frmMain::AddMRU(const QString& path)
{
    if (m_mru.add(path))
        refreshMruMenu();
}

void frmMain::refreshMruMenu()
{
    const QStringList& paths = m_mru.paths();
    for (int n = 1; n < int(mnuMRU.size()); ++n) {
        QAction* item = mnuMRU[size_t(n)];
        const bool used = n <= paths.size();
        item->setText(used ? Mru::caption(n, paths[n - 1]) : QString());
        item->setData(used ? paths[n - 1] : QString());
        item->setVisible(used);
    }
    mnuMRU[0]->setVisible(!paths.isEmpty());
}

void frmMain::competitionOpened() {}

void frmMain::closeCompetitionWindows() {}

void frmMain::showFirstWorkingWindow() {}

void frmMain::bringToFront()
{
    if (isMinimized())
        setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
}

void frmMain::newCompetition()
{
    const QString path = Utilities::CreateCompetition();
    if (!path.isEmpty())
        Utilities::OpenCompetition(path);
}

void frmMain::openCompetition()
{
    cOpenSaveFile dialog;
    dialog.hwndOwner = this;
    dialog.setAllowMultiSelect(false);
    dialog.setFileMustExist(true);
    dialog.Filter = QString::fromUtf8(store::kFileFilter);
    if (dialog.ShowOpen() == 1)
        Utilities::OpenCompetition(dialog.FileName);
}

void frmMain::openRecent(int index)
{
    const QString path = mnuMRU[size_t(index)]->data().toString();
    if (!path.isEmpty())
        Utilities::OpenCompetition(path);
}

void frmMain::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    if (isHidden() || isMinimized())
        return;
    // Height first, then width.
    if (height() < kMinHeight)
        resize(width(), kMinHeight);
    if (width() < kMinWidth)
        resize(kMinWidth, height());
}

void frmMain::closeEvent(QCloseEvent* event)
{
    // The second team window and the bets window go first; the close is never refused.
    event->accept();
}
