#include "bets/frmEditPari.h"

#include "bets/BetInput.h"
#include "controls/MessageBox.h"
#include "controls/SaveCancel.h"

#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QTimer>
#include <algorithm>

namespace {

constexpr int kAmountWidth = 140;

// Amount boxes keep digits and the comma; other characters are dropped as they are typed.
// Keys that type nothing (Backspace, arrows, shortcuts) go through.
bool isRefusedAmountKey(const QKeyEvent* key)
{
    const QString text = key->text();
    if (text.isEmpty() || !text.at(0).isPrint())
        return false;
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return c != u',' && (c < u'0' || c > u'9'); });
}

QString amountMessage(BetInput::AmountError error, bool stake)
{
    switch (error) {
    case BetInput::AmountError::TooManyDecimals:
        return stake ? QStringLiteral("La mise ne peut avoir plus de quatre décimales.")
                     : QStringLiteral("Le gain ne peut avoir plus de quatre décimales.");
    case BetInput::AmountError::TooLarge:
        return stake ? QStringLiteral("La mise est trop élevée.")
                     : QStringLiteral("Le gain est trop élevé.");
    default:
        return stake ? QStringLiteral("La mise n'est pas un montant valide.")
                     : QStringLiteral("Le gain n'est pas un montant valide.");
    }
}

QLabel* buddyLabel(const QString& caption, QWidget* buddy, QWidget* parent)
{
    auto* label = new QLabel(caption, parent);
    label->setBuddy(buddy);
    return label;
}

} // namespace

frmEditPari::frmEditPari(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmEditPari"));
    setWindowTitle(QStringLiteral("Pari"));

    txtDate = new QLineEdit(this);
    txtDate->setObjectName(QStringLiteral("txtDate"));
    txtDate->setFixedWidth(kAmountWidth);
    txtDescription = new QPlainTextEdit(this);
    txtDescription->setObjectName(QStringLiteral("txtDescription"));
    txtDescription->setTabChangesFocus(true);
    txtDescription->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtDescription->setFixedHeight(txtDescription->fontMetrics().lineSpacing() * 5 + 12);
    txtMise = new QLineEdit(this);
    txtMise->setObjectName(QStringLiteral("txtMise"));
    txtMise->setFixedWidth(kAmountWidth);
    lstStatut = new QListWidget(this);
    lstStatut->setObjectName(QStringLiteral("lstStatut"));
    lstStatut->addItems(
        {QStringLiteral("En cours"), QStringLiteral("Gagné"), QStringLiteral("Perdu")});
    lstStatut->setFixedSize(kAmountWidth,
                            3 * lstStatut->sizeHintForRow(0) + 2 * lstStatut->frameWidth());
    lstStatut->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    txtGain = new QLineEdit(this);
    txtGain->setObjectName(QStringLiteral("txtGain"));
    txtGain->setFixedWidth(kAmountWidth);
    const SaveCancel buttons = SaveCancel::make(this);
    cmdSave = buttons.save;
    cmdCancel = buttons.cancel;

    auto* grid = new QGridLayout;
    grid->addWidget(buddyLabel(QStringLiteral("&Date"), txtDate, this), 0, 0);
    grid->addWidget(txtDate, 0, 1, Qt::AlignLeft);
    grid->addWidget(buddyLabel(QStringLiteral("Desc&ription"), txtDescription, this), 1, 0,
                    Qt::AlignTop);
    grid->addWidget(txtDescription, 1, 1);
    grid->addWidget(buddyLabel(QStringLiteral("&Mise"), txtMise, this), 2, 0);
    grid->addWidget(txtMise, 2, 1, Qt::AlignLeft);
    grid->addWidget(buddyLabel(QStringLiteral("&Statut"), lstStatut, this), 3, 0, Qt::AlignTop);
    grid->addWidget(lstStatut, 3, 1, Qt::AlignLeft);
    grid->addWidget(buddyLabel(QStringLiteral("&Gain"), txtGain, this), 4, 0);
    grid->addWidget(txtGain, 4, 1, Qt::AlignLeft);
    grid->setColumnStretch(1, 1);

    buttons.layOut(this, grid);

    QWidget::setTabOrder(txtDate, txtDescription);
    QWidget::setTabOrder(txtDescription, txtMise);
    QWidget::setTabOrder(txtMise, lstStatut);
    QWidget::setTabOrder(lstStatut, txtGain);
    QWidget::setTabOrder(txtGain, cmdSave);
    QWidget::setTabOrder(cmdSave, cmdCancel);

    for (QLineEdit* box : {txtDate, txtMise, txtGain})
        box->installEventFilter(this);
    connect(txtDescription, &QPlainTextEdit::textChanged, this, &frmEditPari::limitDescription);
    connect(cmdSave, &QPushButton::clicked, this, &frmEditPari::cmdSave_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmEditPari::cmdCancel_Click);

    resize(460, sizeHint().height());
}

QString frmEditPari::description() const
{
    return txtDescription->toPlainText();
}

bool frmEditPari::eventFilter(QObject* watched, QEvent* event)
{
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (!box)
        return QDialog::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::FocusIn:
        box->selectAll();
        // A click places the cursor after the focus arrives; select again once it has.
        if (static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason)
            QTimer::singleShot(0, box, &QLineEdit::selectAll);
        break;
    case QEvent::FocusOut:
        if (box == txtDate)
            txtDate_LostFocus();
        break;
    case QEvent::KeyPress:
        if (box != txtDate && isRefusedAmountKey(static_cast<QKeyEvent*>(event)))
            return true;
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void frmEditPari::txtDate_LostFocus()
{
    const QDate date = BetInput::parseDate(txtDate->text());
    if (date.isValid())
        txtDate->setText(BetInput::shortDate(date));
}

void frmEditPari::limitDescription()
{
    const QString text = txtDescription->toPlainText();
    const int excess = int(text.size()) - kMaxDescription;
    if (excess <= 0)
        return;
    // Drop what was just typed or pasted past the limit: the characters before the cursor.
    QTextCursor cursor = txtDescription->textCursor();
    const int end = cursor.position() >= excess ? cursor.position() : int(text.size());
    cursor.setPosition(end - excess);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    txtDescription->setTextCursor(cursor);
}

void frmEditPari::refuse(const QString& message, QWidget* focus)
{
    MessageBox::information(this, message);
    focus->setFocus();
}

void frmEditPari::cmdSave_Click()
{
    using BetInput::AmountError;
    const QDate date = BetInput::parseDate(txtDate->text());
    if (!date.isValid())
        return refuse(QStringLiteral("Saisir une date."), txtDate);
    if (txtDescription->toPlainText().isEmpty())
        return refuse(QStringLiteral("Saisir une description."), txtDescription);
    qint64 mise = 0;
    if (const AmountError e = BetInput::parseAmount(txtMise->text(), mise); e != AmountError::None)
        return refuse(e == AmountError::Empty ? QStringLiteral("Saisir une mise.")
                                              : amountMessage(e, true),
                      txtMise);
    const QList<QListWidgetItem*> chosen = lstStatut->selectedItems();
    if (chosen.isEmpty())
        return refuse(QStringLiteral("Indiquer un statut."), lstStatut);
    const int statut = lstStatut->row(chosen.first());
    qint64 gain = 0;
    if (statut == 1) {
        if (const AmountError e = BetInput::parseAmount(txtGain->text(), gain);
            e != AmountError::None)
            return refuse(e == AmountError::Empty ? QStringLiteral("Pari gagné, indiquer un gain.")
                                                  : amountMessage(e, false),
                          txtGain);
    }
    m_date = date;
    m_mise = mise;
    m_statut = statut;
    m_gain = gain;
    m_tag = QStringLiteral("OK");
    accept();
}

void frmEditPari::cmdCancel_Click()
{
    m_tag.clear();
    reject();
}
