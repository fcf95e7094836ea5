#include "shell/frmAbout.h"

#include "shell/AppIcon.h"
#include "shell/VersionInfo.h"
#include "shell/mShellExecute.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
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
    return AppIcon::pixmap(64);
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
