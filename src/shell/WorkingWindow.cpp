#include "shell/WorkingWindow.h"

#include "shell/AppHost.h"
#include "shell/frmMain.h"

#include <QAction>
#include <QMenu>

WorkingWindow::WorkingWindow(const QString& formName, QWidget* parent) : QWidget(parent)
{
    setObjectName(formName);
    QMenu* file = new QMenu(QStringLiteral("&Fichier"), this);
    frmMain::buildFileMenu(file, mnuFichier, mnuMRU);
    QMenu* actions = new QMenu(QStringLiteral("&Actions"), this);
    const char* captions[] = {"&Equipes", "&Rencontres", "&Classements", "&Paris"};
    for (int i = 0; i < 4; ++i) {
        mnuAction[size_t(i)] = actions->addAction(QString::fromUtf8(captions[i]), this, [i] {
            if (frmMain* main = AppHost::mainWindow())
                main->tbSection_ItemClick(1, i + 1);
        });
        mnuAction[size_t(i)]->setObjectName(QStringLiteral("mnuAction_%1").arg(i));
        mnuAction[size_t(i)]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_1 + i)));
    }
    QMenu* help = new QMenu(QStringLiteral("&?"), this);
    frmMain::buildHelpMenu(help, mnuAide, this);
    m_menus = {file, actions, help};
    if (frmMain* main = AppHost::mainWindow())
        copyRecentFiles(main->mnuMRU);
}

WorkingWindow::~WorkingWindow() = default;

void WorkingWindow::copyRecentFiles(const std::array<QAction*, 7>& from)
{
    for (size_t i = 0; i < mnuMRU.size(); ++i) {
        mnuMRU[i]->setText(from[i]->text());
        mnuMRU[i]->setData(from[i]->data());
        mnuMRU[i]->setVisible(from[i]->isVisible());
    }
}
