#pragma once

#include <QDialog>
#include <array>

class QLabel;
class QPushButton;

// "A propos de": the product, its version, what it is for, the legal notice and where to
// write or look for news.
class frmAbout : public QDialog
{
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);

    QLabel* lblTitle;
    QLabel* lblVersion;
    QLabel* lblDescription;
    QLabel* lblDisclaimer;
    std::array<QLabel*, 2> lblMail{};
    std::array<QLabel*, 2> lblWeb{};
    QPushButton* cmdOK;

    void lblMail_Click(int index);
    void lblWeb_Click(int index);

    static QPixmap logo();
    // What the two links open.
    static QString mailLink();
    static QString webLink();
};
