#include "shell/frmNavigateur.h"

#include "controls/cTabSection.h"
#include "controls/zelTab.h"

#include <QPainter>
#include <QPainterPath>

namespace {

// The five pictures: a crest, a ball, a podium, coins and a chart, each 32 x 32.
QPixmap picture(int which)
{
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink(13, 35, 64);
    p.setPen(QPen(ink, 1.6));
    switch (which) {
    case 0: { // teams: a crest
        QPainterPath shield;
        shield.moveTo(5, 4);
        shield.lineTo(27, 4);
        shield.lineTo(27, 16);
        shield.quadTo(27, 26, 16, 30);
        shield.quadTo(5, 26, 5, 16);
        shield.closeSubpath();
        p.setBrush(QColor(31, 78, 140));
        p.drawPath(shield);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(242, 194, 48));
        p.drawRect(QRectF(13.5, 5, 5, 23));
        break;
    }
    case 1: { // matches: a ball
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(4, 4, 24, 24));
        p.setBrush(ink);
        QPolygonF pentagon;
        for (int k = 0; k < 5; ++k) {
            const double a = -M_PI / 2 + k * 2 * M_PI / 5;
            pentagon << QPointF(16 + 5.5 * std::cos(a), 16 + 5.5 * std::sin(a));
        }
        p.drawPolygon(pentagon);
        break;
    }
    case 2: { // standings: a podium
        p.setBrush(QColor(242, 194, 48));
        p.drawRect(QRectF(11.5, 8, 9, 20));
        p.setBrush(QColor(190, 190, 200));
        p.drawRect(QRectF(3, 14, 8.5, 14));
        p.setBrush(QColor(205, 127, 50));
        p.drawRect(QRectF(20.5, 18, 8.5, 10));
        break;
    }
    case 3: { // bets: coins
        p.setBrush(QColor(242, 194, 48));
        for (int k = 0; k < 3; ++k)
            p.drawEllipse(QRectF(6, 20 - 6 * k, 20, 8));
        p.setBrush(QColor(30, 150, 60));
        p.drawEllipse(QRectF(17, 3, 12, 12));
        break;
    }
    default: { // analyses: a chart of two lines
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4, 4, 24, 24));
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(31, 78, 140), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF{{7, 23}, {12, 17}, {17, 19}, {25, 8}});
        p.setPen(QPen(QColor(200, 50, 45), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF{{7, 12}, {13, 14}, {19, 22}, {25, 20}});
        break;
    }
    }
    return pm;
}

} // namespace

frmNavigateur::frmNavigateur(QWidget* parent) : QWidget(parent), tbSection(new zelTab(this))
{
    setObjectName(QStringLiteral("frmNavigateur"));
    setFixedWidth(Width);
    tbSection->setObjectName(QStringLiteral("tbSection"));
    for (int i = 0; i < int(ima.size()); ++i)
        ima[size_t(i)] = picture(i);
    cTabSection menu = tbSection->AddSection(QStringLiteral("Menu"));
    menu.setDisposition(1);
    const char* captions[] = {"Equipes", "Rencontres", "Classements", "Paris", "Analyses"};
    for (int i = 0; i < int(ima.size()); ++i)
        menu.AddItem(QString::fromUtf8(captions[i]), QString(), QString(), ima[size_t(i)]);
    connect(tbSection, &zelTab::ItemClick, this, &frmNavigateur::ItemClick);
}

void frmNavigateur::selectItem(int item)
{
    cTabSection menu = tbSection->Section(1);
    menu.setSelectedItem(menu.Item(item));
}

int frmNavigateur::selectedItem() const
{
    const cTabItem item = tbSection->Section(1).SelectedItem();
    return item.isNull() ? 0 : item.Index();
}

void frmNavigateur::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    tbSection->setGeometry(0, 0, width(), height());
}
