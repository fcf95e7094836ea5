#include "matches/frmEditRencontre.h"
#include "store/TextChecks.h"

#include "controls/MessageBox.h"
#include "matches/mRencontres.h"
#include "models/TeamOrder.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QValidator>

const QString frmEditRencontre::kCreation = QStringLiteral("Rencontres - Création");
const QString frmEditRencontre::kEdition = QStringLiteral("Rencontres - Edition");

namespace {

bool isScoreDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Text that reaches a score box by other ways than typing (pasting, dropping) keeps only
// its digits, as typed keys do.
class DigitsOnly : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override
    {
        QString kept;
        int cursor = pos;
        for (int i = 0; i < input.size(); ++i) {
            if (isScoreDigit(input[i]))
                kept += input[i];
            else if (i < pos)
                --cursor;
        }
        input = kept;
        pos = cursor;
        return Acceptable;
    }
};

store::Competition* competition()
{
    return store::CurrentCompetition::get();
}

} // namespace

frmEditRencontre::frmEditRencontre(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("frmEditRencontre"));
    setWindowTitle(kCreation);

    lblInfo = new QLabel(this);
    lblInfo->setObjectName(QStringLiteral("lblInfo"));
    lblInfo->setFrameShape(QFrame::StyledPanel);
    lblInfo->setMinimumHeight(28);
    lblInfo->setMargin(4);

    cboJournee = new QComboBox(this);
    cboJournee->setObjectName(QStringLiteral("cboJournée"));
    cboJournee->setMinimumWidth(70);
    cboDomicile = new QComboBox(this);
    cboDomicile->setObjectName(QStringLiteral("cboDomicile"));
    cboDomicile->setMinimumWidth(200);
    cboVisiteur = new QComboBox(this);
    cboVisiteur->setObjectName(QStringLiteral("cboVisiteur"));
    cboVisiteur->setMinimumWidth(200);
    for (int i = 0; i < 2; ++i) {
        QLineEdit* box = new QLineEdit(QStringLiteral("0"), this);
        box->setObjectName(QStringLiteral("txtScore_%1").arg(i));
        box->setAlignment(Qt::AlignCenter);
        box->setFixedWidth(50);
        box->setValidator(new DigitsOnly(box));
        box->installEventFilter(this);
        txtScore[size_t(i)] = box;
    }
    // One "Score" label stands over both boxes.
    txtScore[0]->setAccessibleName(QStringLiteral("Score de l'équipe à domicile"));
    txtScore[1]->setAccessibleName(QStringLiteral("Score de l'équipe visiteuse"));
    cboJournee->installEventFilter(this);

    const auto label = [this](const QString& text, QWidget* buddy) {
        auto* l = new QLabel(text, this);
        l->setBuddy(buddy);
        return l;
    };
    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(8);
    fields->addWidget(label(QStringLiteral("&Journée"), cboJournee), 0, 0);
    fields->addWidget(label(QStringLiteral("&Domicile"), cboDomicile), 0, 1);
    fields->addWidget(label(QStringLiteral("&Score"), txtScore[0]), 0, 2, 1, 2, Qt::AlignHCenter);
    fields->addWidget(label(QStringLiteral("&Visiteur"), cboVisiteur), 0, 4);
    fields->addWidget(cboJournee, 1, 0);
    fields->addWidget(cboDomicile, 1, 1);
    fields->addWidget(txtScore[0], 1, 2);
    fields->addWidget(txtScore[1], 1, 3);
    fields->addWidget(cboVisiteur, 1, 4);
    fields->setColumnStretch(1, 1);
    fields->setColumnStretch(4, 1);

    cmdSave = new QPushButton(QStringLiteral("Enregistrer"), this);
    cmdSave->setObjectName(QStringLiteral("cmdSave"));
    cmdSave->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("Fermer"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdSave);
    buttons->addWidget(cmdCancel);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(12);
    layout->addWidget(lblInfo);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(cboJournee, cboDomicile);
    setTabOrder(cboDomicile, txtScore[0]);
    setTabOrder(txtScore[0], txtScore[1]);
    setTabOrder(txtScore[1], cboVisiteur);
    setTabOrder(cboVisiteur, cmdSave);
    setTabOrder(cmdSave, cmdCancel);

    connect(cmdSave, &QPushButton::clicked, this, &frmEditRencontre::cmdSave_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void frmEditRencontre::fillLists()
{
    cboJournee->clear();
    cboDomicile->clear();
    cboVisiteur->clear();
    store::Competition* c = competition();
    if (!c)
        return;
    const int matchdays = store::matchdayCount(c->teamCount());
    for (int j = 1; j <= matchdays; ++j)
        cboJournee->addItem(QString::number(j));
    cboJournee->setCurrentIndex(cboJournee->count() > 0 ? 0 : -1);
    cboJournee_LostFocus();
    const QStringList teams = TeamOrder::names(c->teamList());
    cboDomicile->addItems(teams);
    cboVisiteur->addItems(teams);
}

void frmEditRencontre::prepareCreation()
{
    fillLists();
    setWindowTitle(kCreation);
    m_openingKey.reset();
    cboJournee->setFocus();
}

void frmEditRencontre::prepareFixture(const store::Fixture& fixture)
{
    prepareCreation();
    cboJournee->setCurrentIndex(fixture.journee - 1);
    cboDomicile->setCurrentIndex(cboDomicile->findText(fixture.domicile, Qt::MatchFixedString));
    cboVisiteur->setCurrentIndex(cboVisiteur->findText(fixture.visiteur, Qt::MatchFixedString));
    txtScore[0]->clear();
    txtScore[1]->clear();
    cboJournee_LostFocus();
    txtScore[0]->setFocus();
}

void frmEditRencontre::prepareEdition(const store::MatchRow& row)
{
    fillLists();
    setWindowTitle(kEdition);
    cboJournee->setCurrentIndex(row.journee - 1);
    cboDomicile->setCurrentIndex(cboDomicile->findText(row.domicile, Qt::MatchFixedString));
    cboVisiteur->setCurrentIndex(cboVisiteur->findText(row.visiteur, Qt::MatchFixedString));
    // The key is the match as stored, even when a list cannot show it.
    m_openingKey = store::MatchKey{row.journee, row.domicile, row.visiteur};
    txtScore[0]->setText(QString::number(row.scoreDomicile));
    txtScore[1]->setText(QString::number(row.scoreVisiteur));
    cboJournee_LostFocus();
    cboJournee->setFocus();
}

void frmEditRencontre::cboJournee_LostFocus()
{
    const QString j = cboJournee->currentText();
    store::Competition* c = competition();
    if (!c || j.isEmpty()) {
        lblInfo->clear();
        return;
    }
    int count = 0;
    std::vector<store::Fixture> fixtures;
    if (store::countMatchday(c->db(), j.toInt(), count) ||
        store::loadFixtures(c->db(), fixtures, j.toInt())) {
        lblInfo->setText(QStringLiteral("Journée ") + j +
                         QStringLiteral(" : les rencontres ne peuvent pas être lues."));
        return;
    }
    lblInfo->setText(
        mRencontres::matchdayLine(j.toInt(), count, int(fixtures.size()), c->teamCount()));
}

void frmEditRencontre::refuse(const MatchRules::Verdict& verdict)
{
    if (verdict.refusal == MatchRules::SameTeam)
        MessageBox::warning(this, verdict.message);
    else
        MessageBox::information(this, verdict.message);
    QWidget* field = nullptr;
    switch (verdict.field) {
    case 0:
    case 1:
        field = txtScore[size_t(verdict.field)];
        break;
    case 2:
        field = cboJournee;
        break;
    case 3:
        field = cboDomicile;
        break;
    case 4:
        field = cboVisiteur;
        break;
    default:
        break;
    }
    if (field)
        field->setFocus();
}

void frmEditRencontre::cmdSave_Click()
{
    store::Competition* c = competition();
    if (!c)
        return;
    const MatchRules::Candidate candidate{cboJournee->currentText(), cboDomicile->currentText(),
                                          txtScore[0]->text(), cboVisiteur->currentText(),
                                          txtScore[1]->text()};
    const bool edition = isEdition();
    const store::MatchSaveResult result =
        store::saveMatch(*c, candidate, edition ? m_openingKey : std::nullopt);
    if (!result.verdict.accepted()) {
        refuse(result.verdict);
        return;
    }
    if (result.error) {
        MessageBox::critical(this, QStringLiteral("La rencontre n'a pas été enregistrée.\n") +
                                       store::describeError(result.error));
        return;
    }
    if (result.editedMissing) {
        MessageBox::information(this, QStringLiteral("La rencontre à modifier n'existe plus : "
                                                     "elle a été supprimée entre-temps."));
        return;
    }

    if (!edition) {
        cboJournee_LostFocus();
        emit matchSaved(cboJournee->currentIndex(), false);
        return;
    }
    emit matchSaved(cboJournee->currentIndex(), true);
    accept();
}

bool frmEditRencontre::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == cboJournee && event->type() == QEvent::FocusOut) {
        cboJournee_LostFocus();
    } else if (watched == txtScore[0] || watched == txtScore[1]) {
        auto* box = static_cast<QLineEdit*>(watched);
        if (event->type() == QEvent::FocusIn) {
            // After the mouse press that gave the focus, which would place the cursor.
            QTimer::singleShot(0, box, [box] { box->selectAll(); });
        } else if (event->type() == QEvent::KeyPress) {
            // Printable keys other than digits are discarded; editing and shortcut keys pass.
            const QString text = static_cast<QKeyEvent*>(event)->text();
            if (!text.isEmpty() && text[0].isPrint() && !isScoreDigit(text[0]))
                return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
