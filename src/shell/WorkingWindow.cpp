#include "shell/WorkingWindow.h"

#include "controls/zelOwnerLBox.h"
#include "shell/AppHost.h"
#include "shell/frmMain.h"

#include <QAbstractScrollArea>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QMenu>

namespace {
constexpr int kLeastListHeight = 64; // about three rows
}

WorkingWindow::WorkingWindow(const QString& formName, QWidget* parent) : QWidget(parent)
{
    setObjectName(formName);
    QMenu* file = new QMenu(QStringLiteral("&Fichier"), this);
    frmMain::buildFileMenu(file, mnuFichier, mnuTransfert, mnuMRU);
    QMenu* actions = new QMenu(QStringLiteral("&Actions"), this);
    const char* captions[] = {"&Equipes", "&Rencontres", "&Classements", "&Paris", "&Analyses"};
    for (int i = 0; i < int(mnuAction.size()); ++i) {
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

void WorkingWindow::addMenu(QMenu* menu)
{
    m_menus.insert(m_menus.size() - 1, menu);
}

void WorkingWindow::focusFirstControl()
{
    QWidget* focused = QApplication::focusWidget();
    if (focused && focused != this && isAncestorOf(focused)) {
        QAccessibleEvent again(focused, QAccessible::Focus);
        QAccessible::updateAccessibility(&again);
        return;
    }
    for (QWidget* w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain()) {
        if (isAncestorOf(w) && !w->focusProxy() && (w->focusPolicy() & Qt::TabFocus) &&
            w->isEnabled() && w->isVisibleTo(this)) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
    }
    setFocus();
}

void WorkingWindow::copyRecentFiles(const std::array<QAction*, 7>& from)
{
    for (size_t i = 0; i < mnuMRU.size(); ++i) {
        mnuMRU[i]->setText(from[i]->text());
        mnuMRU[i]->setData(from[i]->data());
        mnuMRU[i]->setVisible(from[i]->isVisible());
    }
}

QSize WorkingWindow::minimumSizeHint() const
{
    int left = -1;
    int right = 0;
    QSize lists(0, 0);
    for (const QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isHidden() || child->isWindow())
            continue;
        const QRect r = child->geometry();
        left = left < 0 ? r.left() : qMin(left, r.left());
        if (!qobject_cast<const zelOwnerLBox*>(child) &&
            !qobject_cast<const QAbstractScrollArea*>(child)) {
            right = qMax(right, r.right() + 1);
            continue;
        }
        // What stands between the list and the window's edges stays.
        const QSize least = child->minimumSizeHint().expandedTo(QSize(0, kLeastListHeight));
        lists = lists.expandedTo(
            {width() - r.width() + least.width(), height() - r.height() + least.height()});
    }
    return lists.expandedTo({right > 0 ? right + qMax(0, left) : 0, 0});
}
