#include "bets/frmParis.h"

#include "bets/BetInput.h"
#include "bets/frmEditPari.h"
#include "controls/Hover5Control.h"
#include "controls/MessageBox.h"
#include "controls/zelHeader.h"
#include "controls/zelOwnerLBox3.h"
#include "printing/Renderers.h"
#include "shell/TransferCommands.h"
#include "store/Competition.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QVBoxLayout>
#include <limits>

namespace {

constexpr int kDescriptionColumn = 1;
constexpr int kMinDescriptionWidth = 300;

// The pictures of the three buttons, 24 x 24: add, modify, delete.
QPixmap buttonPicture(int which)
{
    QPixmap pm(24, 24);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QPen white(Qt::white, 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    if (which == 1) { // a pencil
        p.setPen(QPen(QColor(90, 60, 20), 1.2));
        p.setBrush(QColor(242, 194, 48));
        p.drawPolygon(QPolygonF({QPointF(4, 20), QPointF(5.5, 14.5), QPointF(16.5, 3.5),
                                 QPointF(20.5, 7.5), QPointF(9.5, 18.5)}));
        p.setBrush(QColor(230, 150, 150));
        p.drawPolygon(QPolygonF(
            {QPointF(14.5, 5.5), QPointF(16.5, 3.5), QPointF(20.5, 7.5), QPointF(18.5, 9.5)}));
        return pm;
    }
    const QColor fill = which == 0 ? QColor(30, 150, 60) : QColor(200, 40, 40);
    p.setPen(QPen(fill.darker(130), 1.2));
    p.setBrush(fill);
    p.drawEllipse(QRectF(2.5, 2.5, 19, 19));
    p.setPen(white);
    p.drawLine(QPointF(7.5, 12), QPointF(16.5, 12));
    if (which == 0)
        p.drawLine(QPointF(12, 7.5), QPointF(12, 16.5));
    return pm;
}

QChar decimalPoint()
{
    return QLocale().decimalPoint().at(0);
}

// Totals are summed wider than one amount, so that no ledger overflows them.
QString totalText(__int128 scaled, QChar point = decimalPoint())
{
    if (scaled >= std::numeric_limits<qint64>::min() &&
        scaled <= std::numeric_limits<qint64>::max())
        return store::formatAmount(qint64(scaled), point);
    const bool negative = scaled < 0;
    using Wide = unsigned __int128;
    const Wide magnitude = negative ? Wide(-(scaled + 1)) + 1 : Wide(scaled);
    const Wide cents = (magnitude + 50) / 100;
    QString whole;
    for (Wide w = cents / 100; w; w /= 10)
        whole.prepend(QChar(u'0' + int(w % 10)));
    return QStringLiteral("%1%2%3%4")
        .arg(negative ? QStringLiteral("-") : QString(), whole, point)
        .arg(int(cents % 100), 2, 10, QLatin1Char('0'));
}

} // namespace

frmParis::frmParis(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmParis"));
    setWindowTitle(QStringLiteral("Paris"));
    setAttribute(Qt::WA_DeleteOnClose);

    zelLBParis = new zelOwnerLBox3(this);
    zelLBParis->setObjectName(QStringLiteral("zelLBParis"));
    zelLBParis->hwnd()->setAccessibleName(QStringLiteral("Paris"));
    const char* const captions[] = {"&Ajouter un pari", "&Modifier un pari", "&Supprimer un pari"};
    std::array<Hover5Control*, 3> buttons{};
    for (int i = 0; i < 3; ++i) {
        auto* button = new Hover5Control(this);
        button->setCaption(QString::fromUtf8(captions[i]));
        button->setPicture(buttonPicture(i));
        button->setMultiLine(false);
        button->setMinimumSize(button->fontMetrics().horizontalAdvance(button->Caption()) + 56, 36);
        button->setObjectName(i < 2 ? QStringLiteral("cmdEdit_%1").arg(i)
                                    : QStringLiteral("cmdDelete"));
        buttons[size_t(i)] = button;
        const auto press = [this, i] { i < 2 ? cmdEdit_Click(i) : cmdDelete_Click(); };
        connect(button, &Hover5Control::Click, this, press);
    }
    cmdEdit = {buttons[0], buttons[1]};
    cmdDelete = buttons[2];
    cmdEdit[1]->setEnabled(false);
    cmdDelete->setEnabled(false);

    lblParis = new QLabel(this);
    lblParis->setObjectName(QStringLiteral("lblParis"));
    lblGains = new QLabel(this);
    lblGains->setObjectName(QStringLiteral("lblGains"));
    lblRésultat = new QLabel(this);
    lblRésultat->setObjectName(QStringLiteral("lblRésultat"));
    cmdClose = new QPushButton(QStringLiteral("&Fermer"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));

    auto* actions = new QHBoxLayout;
    for (Hover5Control* button : buttons)
        actions->addWidget(button);
    actions->addStretch();
    auto* totals = new QHBoxLayout;
    totals->setSpacing(24);
    for (QLabel* label : {lblParis, lblGains, lblRésultat}) {
        label->setMinimumWidth(170);
        totals->addWidget(label);
    }
    totals->addStretch();
    const char* const outputs[] = {"E&xporter…", "Im&primer…", "P&DF…"};
    const char* const outputNames[] = {"cmdExporter", "cmdImprimer", "cmdPdf"};
    const QKeySequence outputKeys[] = {QKeySequence(Qt::CTRL | Qt::Key_E), QKeySequence::Print,
                                       QKeySequence()};
    for (size_t i = 0; i < cmdSortie.size(); ++i) {
        auto* button = new QPushButton(QString::fromUtf8(outputs[i]), this);
        button->setObjectName(QString::fromLatin1(outputNames[i]));
        cmdSortie[i] = button;
        totals->addWidget(button);
        connect(button, &QPushButton::clicked, this, [this, i] {
            if (i == 0)
                TransferCommands::exportView(this, shownView());
            else if (i == 1)
                TransferCommands::printView(this, shownView());
            else
                TransferCommands::exportPdf(this, shownView());
        });
        if (!outputKeys[i].isEmpty()) {
            auto* key = new QShortcut(outputKeys[i], this);
            connect(key, &QShortcut::activated, button, &QPushButton::click);
        }
    }
    totals->addWidget(cmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(actions);
    layout->addWidget(zelLBParis, 1);
    layout->addLayout(totals);

    setTabOrder(zelLBParis, cmdEdit[0]);
    setTabOrder(cmdEdit[0], cmdEdit[1]);
    setTabOrder(cmdEdit[1], cmdDelete);
    setTabOrder(cmdDelete, cmdSortie[0]);
    setTabOrder(cmdSortie[0], cmdSortie[1]);
    setTabOrder(cmdSortie[1], cmdSortie[2]);
    setTabOrder(cmdSortie[2], cmdClose);

    ListView* list = zelLBParis->hwnd();
    zelLBParis->setMinimumSize(zelLBParis->header()->length() +
                                   list->verticalScrollBar()->sizeHint().width() +
                                   2 * list->frameWidth(),
                               200);
    list->viewport()->installEventFilter(this);
    connect(zelLBParis->header(), &zelHeader::ColumnWidthChanged, this, &frmParis::relayoutRows);
    connect(zelLBParis, &zelOwnerLBox::DblClick, this, [this] {
        if (zelLBParis->ItemCount() > 0)
            cmdEdit_Click(1);
    });
    connect(zelLBParis, &zelOwnerLBox::KeyDown, this, [this](int key, int) {
        if (key == Qt::Key_Insert)
            cmdEdit_Click(0);
        else if ((key == Qt::Key_Return || key == Qt::Key_Enter) && cmdEdit[1]->isEnabled())
            cmdEdit_Click(1);
        else if (key == Qt::Key_Delete && cmdDelete->isEnabled())
            cmdDelete_Click();
    });
    connect(cmdClose, &QPushButton::clicked, this, &frmParis::cmdClose_Click);

    resize(780, 520);
    ActualiseParis();
    zelLBParis->setFocus();
}

bool frmParis::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize && watched == zelLBParis->hwnd()->viewport())
        fitDescriptionColumn();
    return QWidget::eventFilter(watched, event);
}

// The description takes the room the other columns leave, so that it wraps to the window.
void frmParis::fitDescriptionColumn()
{
    zelHeader* header = zelLBParis->header();
    int others = 0;
    for (int i = 0; i < header->ColumnCount(); ++i)
        others += i == kDescriptionColumn ? 0 : header->ColumnWidth(i);
    const int width = qMax(kMinDescriptionWidth, zelLBParis->hwnd()->viewport()->width() - others);
    header->setColumnWidth(kDescriptionColumn, width);
}

// Row heights follow the description's width; the selection and the scroll stay.
void frmParis::relayoutRows()
{
    zelLBParis->relayout();
}

void frmParis::ActualiseParis()
{
    m_bets.clear();
    if (store::Competition* competition = store::CurrentCompetition::get()) {
        if (store::loadBets(competition->db(), m_bets))
            MessageBox::critical(this, QStringLiteral("Impossible de lire les paris."));
    }
    zelLBParis->setItems(m_bets);
    const bool any = zelLBParis->ItemCount() > 0;
    if (any)
        zelLBParis->setSelected(0, true);
    cmdEdit[1]->setEnabled(any);
    cmdDelete->setEnabled(any);
    showTotals();
}

void frmParis::showTotals()
{
    __int128 stakes = 0, gains = 0;
    bool settled = false;
    for (const store::BetRow& bet : m_bets) {
        if (bet.statut <= 0)
            continue;
        settled = true;
        stakes += bet.pari;
        if (bet.statut == 1)
            gains += bet.gain;
    }
    m_totals.clear();
    if (!settled) {
        lblParis->clear();
        lblGains->clear();
        lblRésultat->clear();
        return;
    }
    lblParis->setText(QStringLiteral("Total des mises: ") + totalText(stakes));
    lblGains->setText(QStringLiteral("Total des gains: ") + totalText(gains));
    lblRésultat->setText(QStringLiteral("Résultat: ") + totalText(gains - stakes));
    // Exported with a decimal comma, as the amounts of the rows are.
    const QChar comma = QLatin1Char(',');
    m_totals = {{QStringLiteral("Total des mises"), totalText(stakes, comma)},
                {QStringLiteral("Total des gains"), totalText(gains, comma)},
                {QStringLiteral("Résultat"), totalText(gains - stakes, comma)}};
}

void frmParis::cmdEdit_Click(int index)
{
    store::Competition* competition = store::CurrentCompetition::get();
    const int row = zelLBParis->ListIndex();
    if (!competition || (index != 0 && (row < 0 || row >= int(m_bets.size()))))
        return;
    frmEditPari dialog(this);
    qint64 rowid = 0;
    if (index == 0) {
        dialog.setWindowTitle(QStringLiteral("Paris - Création"));
        dialog.txtDate->setText(BetInput::shortDate(QDate::currentDate()));
        dialog.lstStatut->setCurrentRow(0);
    } else {
        const store::BetRow& bet = m_bets[size_t(row)];
        rowid = bet.rowid;
        dialog.setWindowTitle(QStringLiteral("Paris - Edition"));
        dialog.txtDate->setText(BetInput::shortDate(bet.date));
        dialog.txtDescription->setPlainText(bet.description);
        dialog.txtMise->setText(BetInput::amountText(bet.pari));
        if (bet.statut >= 0 && bet.statut < dialog.lstStatut->count())
            dialog.lstStatut->setCurrentRow(bet.statut);
        dialog.txtGain->setText(BetInput::amountText(bet.gain));
    }
    dialog.exec();
    if (dialog.Tag() != QLatin1String("OK"))
        return;
    const store::BetRow bet{rowid,
                            dialog.date(),
                            dialog.description(),
                            dialog.mise(),
                            dialog.statut() == 1 ? dialog.gain() : qint64(0),
                            dialog.statut()};
    const store::DbError error = index == 0 ? store::addBet(competition->db(), bet)
                                            : store::updateBet(competition->db(), bet);
    if (error)
        MessageBox::critical(this, QStringLiteral("Pari non enregistré."));
    ActualiseParis();
}

void frmParis::cmdDelete_Click()
{
    store::Competition* competition = store::CurrentCompetition::get();
    const int row = zelLBParis->ListIndex();
    if (!competition || row < 0 || row >= int(m_bets.size()))
        return;
    const store::BetRow bet = m_bets[size_t(row)];
    if (!MessageBox::question(this, QStringLiteral("Supprimer ce pari de ") +
                                        store::formatAmount(bet.pari, decimalPoint()) +
                                        QStringLiteral(" du ") + BetInput::shortDate(bet.date) +
                                        QStringLiteral(" ?")))
        return;
    if (store::deleteBet(competition->db(), bet.rowid))
        MessageBox::critical(this, QStringLiteral("Pari non supprimé."));
    ActualiseParis();
}

void frmParis::cmdClose_Click()
{
    close();
}

ShownView frmParis::shownView() const
{
    ShownView view;
    view.name = QStringLiteral("Paris");
    const BetListModel* model = zelLBParis->bets();
    view.tables = {{view.name, model, m_totals}};
    const QString totals = QStringList{lblParis->text(), lblGains->text(), lblRésultat->text()}
                               .join(QStringLiteral("   "))
                               .trimmed();
    view.render = [model, totals](ReportDocument& doc) { Renderers::bets(doc, *model, totals); };
    return view;
}
