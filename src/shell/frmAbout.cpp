#include "shell/frmAbout.h"

#include "shell/VersionInfo.h"
#include "shell/mShellExecute.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QFrame* separator(QWidget* parent)
{
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

QLabel* link(const QString& text, QWidget* parent)
{
    auto* label =
        new QLabel(QStringLiteral("<a href=\"#\">%1</a>").arg(text.toHtmlEscaped()), parent);
    label->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    label->setCursor(Qt::PointingHandCursor);
    return label;
}

} // namespace

QPixmap frmAbout::logo()
{
    QPixmap pm(64, 64);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath shield;
    shield.moveTo(6, 4);
    shield.lineTo(58, 4);
    shield.lineTo(58, 32);
    shield.quadTo(58, 54, 32, 62);
    shield.quadTo(6, 54, 6, 32);
    shield.closeSubpath();
    p.setPen(QPen(QColor(13, 35, 64), 2.5));
    p.setBrush(QColor(31, 78, 140));
    p.drawPath(shield);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(242, 194, 48));
    p.drawRect(QRectF(28, 5, 8, 55));
    p.setBrush(Qt::white);
    p.setPen(QPen(QColor(13, 35, 64), 2));
    p.drawEllipse(QPointF(32, 29), 11, 11);
    return pm;
}

frmAbout::frmAbout(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("A propos de"));
    setModal(true);

    auto* picture = new QLabel(this);
    picture->setPixmap(logo());
    picture->setAlignment(Qt::AlignTop);

    lblVersion = new QLabel(QStringLiteral("Version %1.%2.%3")
                                .arg(VersionInfo::Major)
                                .arg(VersionInfo::Minor)
                                .arg(VersionInfo::Revision),
                            this);
    lblTitle = new QLabel(QString::fromUtf8(VersionInfo::ProductName), this);
    QFont big = lblTitle->font();
    big.setPointSizeF(big.pointSizeF() * 1.8);
    big.setBold(true);
    lblTitle->setFont(big);
    lblDescription = new QLabel(QString::fromUtf8(VersionInfo::FileDescription), this);
    lblDescription->setWordWrap(true);
    lblDisclaimer = new QLabel(QString::fromUtf8(VersionInfo::LegalCopyright), this);
    lblDisclaimer->setWordWrap(true);
    lblMail[0] = new QLabel(QStringLiteral("Mail:"), this);
    lblMail[1] = link(QString::fromUtf8(VersionInfo::SupportMail), this);
    lblWeb[0] = new QLabel(QStringLiteral("Web:"), this);
    lblWeb[1] = link(QString::fromUtf8(VersionInfo::WebSite), this);
    connect(lblMail[1], &QLabel::linkActivated, this, [this] { lblMail_Click(1); });
    connect(lblWeb[1], &QLabel::linkActivated, this, [this] { lblWeb_Click(1); });
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    for (QLabel* l : {lblTitle, lblVersion, lblDescription, lblDisclaimer})
        l->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* text = new QVBoxLayout;
    text->addWidget(lblTitle);
    text->addWidget(lblVersion);
    text->addWidget(lblDescription);
    auto* top = new QHBoxLayout;
    top->addWidget(picture);
    top->addSpacing(12);
    top->addLayout(text, 1);

    auto* links = new QGridLayout;
    links->addWidget(lblMail[0], 0, 0);
    links->addWidget(lblMail[1], 0, 1);
    links->addWidget(lblWeb[0], 1, 0);
    links->addWidget(lblWeb[1], 1, 1);
    links->setColumnStretch(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(separator(this));
    layout->addWidget(separator(this));
    layout->addWidget(lblDisclaimer);
    layout->addLayout(links);
    layout->addWidget(cmdOK, 0, Qt::AlignRight);
    setFixedWidth(440);
}

QString frmAbout::mailLink()
{
    return QStringLiteral("mailto:") + QString::fromUtf8(VersionInfo::SupportMail);
}

QString frmAbout::webLink()
{
    return QString::fromUtf8(VersionInfo::WebSite);
}

void frmAbout::lblMail_Click(int index)
{
    if (index == 1)
        mShellExecute::ShellOpenDocument(mailLink());
}

void frmAbout::lblWeb_Click(int index)
{
    if (index == 1)
        mShellExecute::ShellOpenDocument(webLink());
}
