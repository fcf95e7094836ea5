#include "standings/frmEquipeCompare.h"

#include "standings/TeamPanel.h"

#include <QIcon>
#include <QPainter>
#include <QPainterPath>

namespace {

// Two overlapping crests: a team beside another.
QIcon comparisonIcon()
{
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const auto crest = [&p](qreal x, const QColor& colour) {
        QPainterPath shield;
        shield.moveTo(x, 4);
        shield.lineTo(x + 16, 4);
        shield.lineTo(x + 16, 14);
        shield.quadTo(x + 16, 24, x + 8, 28);
        shield.quadTo(x, 24, x, 14);
        shield.closeSubpath();
        p.setPen(QPen(QColor(13, 35, 64), 1.5));
        p.setBrush(colour);
        p.drawPath(shield);
    };
    crest(3, QColor(31, 78, 140));
    crest(13, QColor(200, 60, 50));
    return QIcon(pm);
}

} // namespace

frmEquipeCompare::frmEquipeCompare(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmEquipeCompare"));
    setWindowTitle(QStringLiteral("Equipe"));
    setWindowIcon(comparisonIcon());
    setAttribute(Qt::WA_DeleteOnClose);
    m_panel = new TeamPanel(this);
    m_panel->load();
    setMinimumSize(m_panel->minimumSize());
}

QRect frmEquipeCompare::openingGeometry(const QRect& teams, const QRect& hostFrame,
                                        const QMargins& frame, const QRect& available)
{
    const QRect beside(QPoint(hostFrame.right() + 1 + frame.left(), teams.top()), teams.size());
    return available.contains(beside.marginsAdded(frame)) ? beside : teams;
}

void frmEquipeCompare::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (!isMinimized())
        m_panel->layout(width(), height(), width() - 15);
}
