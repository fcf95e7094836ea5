#include "shell/frmMain.h"

#include "controls/cOpenSaveFile.h"
#include "shell/AppHost.h"
#include "shell/AppIcon.h"
#include "shell/CompetitionCommands.h"
#include "shell/TransferCommands.h"
#include "shell/WorkingWindow.h"
#include "shell/frmAbout.h"
#include "shell/frmNavigateur.h"
#include "shell/frmProprietes.h"
#include "shell/mShellExecute.h"
#include "store/Competition.h"
#include "store/CompetitionFile.h"
#include "store/CrestCache.h"
#include "store/DataFiles.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QResizeEvent>
#include <iterator>

namespace {

frmMain* main()
{
    return AppHost::mainWindow();
}

// The working windows by navigator item; item 4, the bets, has a window of its own.
const char* const kWorkingWindows[] = {"frmMDIEquipes", "frmMDIRencontres", "frmMDIClassement",
                                       nullptr, "frmMDIAnalyses"};

int itemOf(const QString& formName)
{
    for (int i = 0; i < int(std::size(kWorkingWindows)); ++i)
        if (kWorkingWindows[i] && formName == QLatin1String(kWorkingWindows[i]))
            return i + 1;
    return 0;
}

} // namespace

void frmMain::buildFileMenu(QMenu* file, std::array<QAction*, 3>& fichier,
                            std::array<QAction*, 4>& transfert, std::array<QAction*, 7>& mru)
{
    fichier[0] = file->addAction(QStringLiteral("&Nouveau"), file, [] {
        if (main())
            main()->newCompetition();
    });
    fichier[0]->setShortcut(QKeySequence::New);
    QAction* fromData =
        file->addAction(QStringLiteral("Nouveau à partir d'un &fichier de données…"), file, [] {
            if (main())
                main()->newCompetitionFromData();
        });
    fromData->setObjectName(QStringLiteral("mnuNouveauDonnees"));
    fichier[1] = file->addAction(QStringLiteral("&Ouvrir"), file, [] {
        if (main())
            main()->openCompetition();
    });
    fichier[1]->setShortcut(QKeySequence::Open);
    fichier[2] = file->addAction(QStringLiteral("P&ropriétés de la compétition…"), file, [] {
        if (main())
            main()->editProperties();
    });
    fichier[2]->setEnabled(false);
    file->addSeparator();
    const std::pair<const char*, void (frmMain::*)()> commands[] = {
        {"&Importer des résultats…", &frmMain::importResults},
        {"&Exporter…", &frmMain::exportShown},
        {"Im&primer…", &frmMain::printShown},
        {"Exporter en P&DF…", &frmMain::exportShownPdf},
    };
    const QKeySequence keys[] = {QKeySequence(Qt::CTRL | Qt::Key_I),
                                 QKeySequence(Qt::CTRL | Qt::Key_E), QKeySequence::Print,
                                 QKeySequence()};
    const char* const names[] = {"mnuImporter", "mnuExporter", "mnuImprimer", "mnuExporterPdf"};
    for (size_t i = 0; i < transfert.size(); ++i) {
        const auto command = commands[i].second;
        transfert[i] = file->addAction(QString::fromUtf8(commands[i].first), file, [command] {
            if (main())
                (main()->*command)();
        });
        transfert[i]->setShortcut(keys[i]);
        transfert[i]->setObjectName(QString::fromLatin1(names[i]));
        transfert[i]->setEnabled(false);
    }
    mru[0] = file->addSeparator();
    for (int i = 1; i < int(mru.size()); ++i) {
        QAction* item = file->addAction(QString());
        QObject::connect(item, &QAction::triggered, file, [item] {
            const QString path = item->data().toString();
            if (!path.isEmpty())
                Utilities::OpenCompetition(path);
        });
        mru[size_t(i)] = item;
    }
    for (int i = 0; i < int(fichier.size()); ++i)
        fichier[size_t(i)]->setObjectName(QStringLiteral("mnuFichier_%1").arg(i));
    for (int i = 0; i < int(mru.size()); ++i) {
        mru[size_t(i)]->setObjectName(QStringLiteral("mnuMRU_%1").arg(i));
        mru[size_t(i)]->setVisible(false);
    }
}

void frmMain::buildHelpMenu(QMenu* help, std::array<QAction*, 2>& aide, QWidget* owner)
{
    aide[0] = help->addAction(QStringLiteral("&Aide sur Vemo"), help,
                              [] { mShellExecute::ShellOpenDocument(helpFilePath()); });
    aide[0]->setShortcut(QKeySequence::HelpContents);
    aide[1] = help->addAction(QStringLiteral("A &propos de..."), help, [owner] {
        frmAbout about(owner);
        about.exec();
    });
    for (int i = 0; i < int(aide.size()); ++i)
        aide[size_t(i)]->setObjectName(QStringLiteral("mnuAide_%1").arg(i));
}

QString frmMain::helpFilePath()
{
    return DataFiles::path(QStringLiteral("Vemo.html"));
}

frmMain::frmMain(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Vemo"));
    setWindowIcon(AppIcon::icon());
    setMinimumSize(kMinWidth, kMinHeight);
    resize(1024, 720);
    AppHost::setMainWindow(this);

    QMenu* file = new QMenu(QStringLiteral("&Fichier"), this);
    file->setObjectName(QStringLiteral("mnuInutilisé_0"));
    buildFileMenu(file, mnuFichier, mnuTransfert, mnuMRU);
    QMenu* help = new QMenu(QStringLiteral("&?"), this);
    help->setObjectName(QStringLiteral("mnuInutilisé_1"));
    buildHelpMenu(help, mnuAide, this);
    m_menus = {file, help};

    auto* central = new QWidget(this);
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_navigator = new frmNavigateur(central);
    m_navigator->setEnabled(false); // until a competition is open
    m_workArea = new QWidget(central);
    m_workArea->setObjectName(QStringLiteral("workArea"));
    auto* work = new QVBoxLayout(m_workArea);
    work->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_navigator);
    layout->addWidget(m_workArea, 1);
    setCentralWidget(central);
    connect(m_navigator, &frmNavigateur::ItemClick, this, &frmMain::tbSection_ItemClick);

    showMenus();
    LoadMRU();
}

frmMain::~frmMain()
{
    closeSideWindows();
    CrestCache::remove();
    if (AppHost::mainWindow() == this)
        AppHost::setMainWindow(nullptr);
}

void frmMain::showMenus()
{
    menuBar()->clear();
    for (QMenu* m : m_current ? m_current->menus() : m_menus)
        menuBar()->addMenu(m);
    updateTransferCommands();
}

// Import needs an open competition; the others, a working window that shows something.
void frmMain::updateTransferCommands()
{
    const bool open = store::CurrentCompetition::isOpen();
    for (std::array<QAction*, 4>* commands :
         {&mnuTransfert, m_current ? &m_current->mnuTransfert : nullptr}) {
        if (!commands)
            continue;
        (*commands)[0]->setEnabled(open);
        for (size_t i = 1; i < commands->size(); ++i)
            (*commands)[i]->setEnabled(open && m_current);
    }
    mnuFichier[2]->setEnabled(open);
    if (m_current)
        m_current->mnuFichier[2]->setEnabled(open);
}

void frmMain::editProperties()
{
    store::Competition* c = store::CurrentCompetition::get();
    if (!c)
        return;
    frmProprietes dialog(*c, this);
    if (dialog.exec() == QDialog::Accepted)
        reloadWorkingWindow();
}

void frmMain::importResults()
{
    if (TransferCommands::importResults(this))
        reloadWorkingWindow();
}

void frmMain::exportShown()
{
    if (m_current)
        TransferCommands::exportView(this, m_current->shownView());
}

void frmMain::printShown()
{
    if (m_current)
        TransferCommands::printView(this, m_current->shownView());
}

void frmMain::exportShownPdf()
{
    if (m_current)
        TransferCommands::exportPdf(this, m_current->shownView());
}

void frmMain::reloadWorkingWindow()
{
    if (!m_current)
        return;
    const int item = itemOf(m_current->formName());
    if (item < 1)
        return;
    unloadWorkingWindow();
    tbSection_ItemClick(1, item);
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
    if (m_current)
        m_current->copyRecentFiles(mnuMRU);
}

void frmMain::tbSection_ItemClick(int, int item)
{
    if (!store::CurrentCompetition::isOpen())
        return;
    // A window that fails to load is skipped without a message.
    try {
        if (item == 4) {
            if (!m_bets)
                m_bets = AppHost::makeWindow(4);
            if (m_bets) {
                m_bets->show();
                m_bets->setWindowState(m_bets->windowState() & ~Qt::WindowMinimized);
                m_bets->raise();
                m_bets->activateWindow();
            }
            return;
        }
        if (item < 1 || item > int(std::size(kWorkingWindows)) || !kWorkingWindows[item - 1])
            return;
        if (m_current && itemOf(m_current->formName()) == item) {
            m_current->focusFirstControl();
            return;
        }
        QWidget* made = AppHost::makeWindow(item);
        auto* target = qobject_cast<WorkingWindow*>(made);
        if (!target) {
            delete made;
            return;
        }
        unloadWorkingWindow();
        m_current = target;
        m_workArea->layout()->addWidget(target);
        m_navigator->selectItem(item);
        showMenus();
        target->show();
        target->focusFirstControl();
        fitMinimumSize();
    } catch (...) {
    }
}

void frmMain::unloadWorkingWindow()
{
    if (m_current) {
        WorkingWindow* old = m_current;
        m_current = nullptr;
        old->hide();
        // It may be the window whose menu or list is running this very code: it leaves the
        // main window now and is destroyed once that code has returned.
        old->setParent(nullptr);
        old->deleteLater();
    }
    showMenus();
    fitMinimumSize();
}

void frmMain::fitMinimumSize()
{
    QSize least(kMinWidth, kMinHeight);
    const QSize work = m_current ? m_current->minimumSizeHint() : QSize();
    if (work.isValid())
        least = least.expandedTo(QSize(m_navigator->width() + work.width(),
                                       menuBar()->sizeHint().height() + work.height()));
    setMinimumSize(least);
}

void frmMain::closeSideWindows()
{
    if (QWidget* comparison = AppHost::comparisonWindow()) {
        comparison->close();
        delete comparison;
    }
    if (m_bets) {
        m_bets->close();
        delete m_bets;
    }
}

void frmMain::competitionOpened()
{
    m_navigator->selectItem(1);
    m_navigator->setEnabled(true);
}

void frmMain::closeCompetitionWindows()
{
    closeSideWindows();
    unloadWorkingWindow();
}

void frmMain::showFirstWorkingWindow()
{
    tbSection_ItemClick(1, 1);
}

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

void frmMain::newCompetitionFromData()
{
    const QString path = Utilities::CreateCompetitionFromData();
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
    mnuMRU[size_t(index)]->trigger();
}

void frmMain::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    if (isHidden() || isMinimized())
        return;
    // Height first, then width.
    if (height() < minimumHeight())
        resize(width(), minimumHeight());
    if (width() < minimumWidth())
        resize(minimumWidth(), height());
}

void frmMain::closeEvent(QCloseEvent* event)
{
    // The second team window and the bets window go first; the close is never refused.
    closeSideWindows();
    event->accept();
}
