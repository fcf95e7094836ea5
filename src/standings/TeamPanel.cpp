#include "standings/TeamPanel.h"

#include "controls/zelFixtureList.h"
#include "controls/zelFrame.h"
#include "controls/zelOwnerLBox2.h"
#include "controls/zelOwnerLBox4.h"
#include "controls/zelRCornerCommand.h"
#include "models/TeamOrder.h"
#include "store/CrestCache.h"
#include "store/Fixtures.h"
#include "store/Results.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLabel>

namespace {

// Positions laid out at design time, in pixels (15 twips each).
constexpr int kMargin = 15;          // 225 twips
constexpr int kTypeGap = 16;         // 240 twips
constexpr int kTypeLabelDrop = 8;    // 120 twips
constexpr int kHistoryLabelGap = 32; // 480 twips
constexpr int kFrameLeft = 107;      // 1600 twips
constexpr int kSummaryBottom = 49;   // 735 twips
constexpr int kSummaryTextTop = 36;
constexpr int kSummaryInset = 8;
constexpr int kHistoryCaptionTop = 166;
constexpr int kListTop = 186;
constexpr int kTypeHeight = 26;
constexpr int kCaptionHeight = 18;
constexpr int kLeastListHeight = 64; // about three rows
constexpr int kButtonGap = 10;
constexpr int kFixturesGap = 10; // between the matches and the fixtures to play

QList<TeamPanel*>& panels()
{
    static QList<TeamPanel*> all;
    return all;
}

QLabel* label(const QString& text, const char* name, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromUtf8(name));
    return l;
}

zelRCornerCommand* button(const QString& caption, const char* name, QWidget* parent, int width)
{
    auto* b = new zelRCornerCommand(parent);
    b->setObjectName(QString::fromUtf8(name));
    b->setCaption(caption);
    b->resize(width, 26);
    return b;
}

void lightGrey(std::initializer_list<zelOwnerLBox*> lists)
{
    for (zelOwnerLBox* list : lists) {
        list->setAlternBackColor(mListBox::RGB(224, 224, 224));
        list->setAlternForeColor(mListBox::RGB(0, 0, 0));
    }
}

} // namespace

TeamPanel::TeamPanel(QWidget* host) : QObject(host), m_host(host)
{
    lblChoisir = label(QStringLiteral("Choisir une équipe"), "lblChoisir", host);
    cboEquipes = new QComboBox(host);
    cboEquipes->setObjectName(QStringLiteral("cboEquipes"));
    cboEquipes->setEditable(false);
    lblChoisir->setBuddy(cboEquipes);
    zelOK = button(QStringLiteral("OK"), "zelOK", host, 50);
    lblEquipe = label(QString(), "lblEquipe", host);
    QFont big = lblEquipe->font();
    big.setPointSizeF(big.pointSizeF() * 1.8);
    big.setBold(true);
    lblEquipe->setFont(big);
    imaBlason = label(QString(), "imaBlason", host);
    imaBlason->setAlignment(Qt::AlignCenter);
    linHor = new QFrame(host);
    linHor->setObjectName(QStringLiteral("linHor"));
    linHor->setFrameShape(QFrame::HLine);
    linHor->setFrameShadow(QFrame::Sunken);

    lblHistoRencontres =
        label(QStringLiteral("Historique des rencontres"), "lblHistoRencontres", host);
    zelHistoRencontres = new zelOwnerLBox4(host);
    zelHistoRencontres->setObjectName(QStringLiteral("zelHistoRencontres"));
    zelHistoRencontres->hwnd()->setAccessibleName(lblHistoRencontres->text());
    lblProchains = label(QStringLiteral("Prochains matchs"), "lblProchains", host);
    zelProchains = new zelFixtureList(host);
    zelProchains->setObjectName(QStringLiteral("zelProchains"));
    zelProchains->hwnd()->setAccessibleName(lblProchains->text());
    lblProchains->hide();
    zelProchains->hide();
    lblType = label(QStringLiteral("Type:"), "lblType", host);
    QFont bold = lblType->font();
    bold.setBold(true);
    lblType->setFont(bold);
    cboType = new QComboBox(host);
    cboType->setObjectName(QStringLiteral("cboType"));
    lblType->setBuddy(cboType);
    zelOKHisto = button(QStringLiteral("OK"), "zelOKHisto", host, 50);
    lblHistoClassements =
        label(QStringLiteral("Historique des classements"), "lblHistoClassements", host);
    zelHistoClassements = new zelOwnerLBox2(host);
    zelHistoClassements->setObjectName(QStringLiteral("zelHistoClassements"));
    zelHistoClassements->hwnd()->setAccessibleName(lblHistoClassements->text());
    lightGrey({zelHistoRencontres, zelProchains, zelHistoClassements});
    for (QLabel* l : {lblHistoRencontres, lblProchains, lblHistoClassements})
        l->setFont(bold);
    zelResumeVoir = button(QStringLiteral("Voir le résumé"), "zelRésuméVoir", host, 130);
    zelResumeVoir->setEnabled(false);

    // The summary frame floats over the histories.
    zelfraResume = new zelFrame(host);
    zelfraResume->setObjectName(QStringLiteral("zelfraRésumé"));
    zelfraResume->setAutoFillBackground(true);
    lblResumeHeader =
        label(QStringLiteral("Résumé des positions actuelles"), "lblRésuméHeader", zelfraResume);
    lblResumeHeader->setFont(bold);
    lblResumeHeader->setAlignment(Qt::AlignCenter);
    lblResume = label(QString(), "lblRésumé", zelfraResume);
    lblResume->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblResume->setWordWrap(true);
    zelResumeFermer = button(QStringLiteral("Fermer"), "zelRésuméFermer", zelfraResume, 90);
    zelfraResume->hide();

    connect(zelOK, &zelRCornerCommand::Click, this, &TeamPanel::zelOK_Click);
    connect(zelOKHisto, &zelRCornerCommand::Click, this, &TeamPanel::zelOKHisto_Click);
    connect(zelResumeFermer, &zelRCornerCommand::Click, this, &TeamPanel::zelResumeFermer_Click);
    connect(zelResumeVoir, &zelRCornerCommand::Click, this, &TeamPanel::zelResumeVoir_Click);

    QWidget::setTabOrder(cboEquipes, zelOK);
    QWidget::setTabOrder(zelOK, zelHistoRencontres);
    QWidget::setTabOrder(zelHistoRencontres, zelProchains);
    QWidget::setTabOrder(zelProchains, cboType);
    QWidget::setTabOrder(cboType, zelOKHisto);
    QWidget::setTabOrder(zelOKHisto, zelHistoClassements);
    panels().append(this);
}

TeamPanel::~TeamPanel()
{
    panels().removeOne(this);
}

void TeamPanel::load()
{
    const store::Competition* c = store::CurrentCompetition::get();
    refillTeams(c ? TeamOrder::names(c->teamList()).value(0) : QString());
    cboType->clear();
    cboType->addItems(rankingKindLabels());
    cboType->setCurrentIndex(0);
}

void TeamPanel::refillTeams(const QString& team)
{
    cboEquipes->clear();
    if (const store::Competition* c = store::CurrentCompetition::get())
        cboEquipes->addItems(TeamOrder::names(c->teamList()));
    const int at = cboEquipes->findText(team, Qt::MatchFixedString | Qt::MatchCaseSensitive);
    cboEquipes->setCurrentIndex(at >= 0 ? at : 0);
}

QString TeamPanel::summaryText(const cResult& g, const cResult& home, const cResult& away,
                               const cResult& attack, const cResult& defence)
{
    const QString crlf = QStringLiteral("\r\n");
    const auto record = [&](const cResult& r, const char* ranking) {
        return QStringLiteral("* %1e %2 avec Victoires: %3   Nuls: %4   Défaites: %5.")
                   .arg(r.Ranking)
                   .arg(QString::fromUtf8(ranking))
                   .arg(r.Won)
                   .arg(r.Nul)
                   .arg(r.Lost) +
               crlf + crlf;
    };
    const QString penalty =
        g.Deduction > 0
            ? QStringLiteral("* Pénalités : %1 point(s) retiré(s).").arg(g.Deduction) + crlf + crlf
            : QString();
    return record(g, "au CLASSEMENT GENERAL") + penalty + record(home, "au CLASSEMENT A DOMICILE") +
           record(away, "au CLASSEMENT A L'EXTERIEUR") +
           QStringLiteral("* %1e ATTAQUE avec %2 but(s) marqué(s).")
               .arg(attack.Ranking)
               .arg(attack.ButsPour) +
           crlf + crlf +
           QStringLiteral("* %1e DEFENSE avec %2 but(s) encaissé(s).")
               .arg(defence.Ranking)
               .arg(defence.ButsContre);
}

void TeamPanel::teamsChanged(const QString& from, const QString& to)
{
    for (TeamPanel* panel : QList<TeamPanel*>(panels()))
        panel->followTeams(from, to);
}

void TeamPanel::followTeams(const QString& from, const QString& to)
{
    const auto renamed = [&](const QString& team) {
        return !from.isEmpty() && team == from ? to : team;
    };
    refillTeams(renamed(cboEquipes->currentText()));
    const QString shown = lblEquipe->text();
    if (shown.isEmpty())
        return;
    const QString now = renamed(shown);
    if (cboEquipes->findText(now, Qt::MatchFixedString | Qt::MatchCaseSensitive) < 0)
        return clearTeam();
    if (shown != from)
        return;
    // Shown again under its new name, with its new pictures; a closed summary stays closed.
    const bool summaryClosed = zelfraResume->isHidden();
    showTeam(now);
    if (summaryClosed)
        zelResumeFermer_Click();
}

void TeamPanel::clearTeam()
{
    lblEquipe->clear();
    imaBlason->clear();
    lblResume->clear();
    zelHistoRencontres->setItems({});
    zelHistoClassements->setItems({});
    showFixtures(store::CurrentCompetition::get(), QString());
    zelfraResume->hide();
    zelResumeVoir->setEnabled(false);
    emit teamShown(QString());
}

void TeamPanel::zelOK_Click()
{
    if (cboEquipes->currentIndex() >= 0)
        showTeam(cboEquipes->currentText());
}

void TeamPanel::showTeam(const QString& name)
{
    store::Competition* c = store::CurrentCompetition::get();
    if (!c || name.isEmpty())
        return;
    lblEquipe->setText(name);
    QPixmap crest;
    const QString crestFile = CrestCache::crestPath(name);
    if (!crestFile.isEmpty() && QFileInfo::exists(crestFile))
        crest.load(crestFile);
    imaBlason->setPixmap(crest);
    emit teamShown(name);

    const std::shared_ptr<const store::ResultSet> results = c->resultsOrNone();
    const int index = store::TeamLookup(c->teamList()).find(name);
    zelHistoRencontres->setItems(results->teamMatches(index));
    showFixtures(c, name);
    buildHistory(*results);

    const RankingRules rules = competitionRules(*c, *results);
    cResult records[5];
    const RankingKind order[] = {RankingKind::General, RankingKind::Domicile,
                                 RankingKind::Exterieur, RankingKind::Attaque,
                                 RankingKind::Defense};
    for (int k = 0; k < 5; ++k) {
        const RankingCollection ranking =
            ComputeRanking(results->teamResults(), order[k], c->teamList(), rules);
        if (const cResult* r = ranking.Find(name))
            records[k] = *r;
    }
    lblResume->setText(summaryText(records[0], records[1], records[2], records[3], records[4]));
    zelfraResume->show();
    zelfraResume->raise();
    zelResumeVoir->setEnabled(false);
}

void TeamPanel::showFixtures(store::Competition* competition, const QString& team)
{
    std::vector<store::Fixture> mine;
    if (competition && !team.isEmpty()) {
        std::vector<store::Fixture> all;
        // A calendar that cannot be read shows nothing to play, as a file without one.
        if (store::loadFixtures(competition->db(), all).ok()) {
            const QString key = store::teamKey(team);
            for (store::Fixture& f : all)
                if (store::teamKey(f.domicile) == key || store::teamKey(f.visiteur) == key)
                    mine.push_back(std::move(f));
        }
    }
    const bool was = !zelProchains->isHidden();
    zelProchains->setItems(std::move(mine));
    const bool now = zelProchains->ItemCount() > 0;
    lblProchains->setVisible(now);
    zelProchains->setVisible(now);
    if (was != now && !m_laidOut.isEmpty())
        layout(m_laidOut.width(), m_laidOut.height(), m_nameRight);
}

void TeamPanel::zelOKHisto_Click()
{
    store::Competition* c = store::CurrentCompetition::get();
    if (!c || lblEquipe->text().isEmpty())
        return;
    buildHistory(*c->resultsOrNone());
}

void TeamPanel::buildHistory(const store::ResultSet& results)
{
    store::Competition* c = store::CurrentCompetition::get();
    const QString name = lblEquipe->text();
    if (!c || name.isEmpty() || results.rows().empty())
        return; // no matchday has results: the list keeps what it showed
    const int kind = qMax(0, cboType->currentIndex());
    const int index = store::TeamLookup(c->teamList()).find(name);
    zelHistoClassements->setTeam(name);
    zelHistoClassements->setItems(
        std::move(RankingHistories(results.teamResults(), RankingKind(kind), c->teamList(),
                                   competitionRules(*c, results), std::vector<int>{index})
                      .front()),
        competitionPoints(*c));
}

void TeamPanel::zelResumeFermer_Click()
{
    zelfraResume->hide();
    zelResumeVoir->setEnabled(true);
}

void TeamPanel::zelResumeVoir_Click()
{
    zelfraResume->show();
    zelfraResume->raise();
    zelResumeVoir->setEnabled(false);
}

void TeamPanel::layout(int W, int H, int nameRight)
{
    m_laidOut = QSize(W, H);
    m_nameRight = nameRight;
    // The top rows keep their places.
    lblChoisir->setGeometry(kMargin, 10, 220, 18);
    cboEquipes->setGeometry(kMargin, 30, 240, 26);
    zelOK->move(kMargin + 250, 30);
    imaBlason->setGeometry(kMargin, 64, 84, 84);
    lblEquipe->setGeometry(NameLeft, 88, qMax(0, nameRight - NameLeft), 36);
    linHor->setGeometry(kMargin, 156, qMax(0, W - kMargin - kMargin), 2);

    lblHistoRencontres->move(kMargin, kHistoryCaptionTop);
    const int matchesHeight = qMax(0, (H - kHistoryCaptionTop) / 2 - kTypeHeight);
    // The fixtures to play, when there are any, take two fifths of the row on the right.
    const int row = qMax(0, W - 2 * kMargin);
    const int fixturesWidth = zelProchains->isHidden() ? 0 : (row - kFixturesGap) * 2 / 5;
    const int matchesWidth = fixturesWidth ? row - kFixturesGap - fixturesWidth : row;
    zelHistoRencontres->setGeometry(kMargin, kListTop, matchesWidth, matchesHeight);
    lblHistoRencontres->resize(zelHistoRencontres->width(), kCaptionHeight);
    const int fixturesLeft = kMargin + matchesWidth + kFixturesGap;
    lblProchains->setGeometry(fixturesLeft, kHistoryCaptionTop, fixturesWidth, kCaptionHeight);
    zelProchains->setGeometry(fixturesLeft, kListTop, fixturesWidth, matchesHeight);
    const int typeTop = kListTop + matchesHeight + kTypeGap;
    cboType->setGeometry(kMargin + 50, typeTop, 160, kTypeHeight);
    lblType->setGeometry(kMargin, typeTop + kTypeLabelDrop - 4, 48, kCaptionHeight);
    zelOKHisto->move(kMargin + 220, typeTop);
    lblHistoClassements->move(kMargin, typeTop + kHistoryLabelGap);
    const int historyTop = lblHistoClassements->y() + kCaptionHeight;
    zelHistoClassements->setGeometry(kMargin, historyTop, qMax(0, W - 2 * kMargin),
                                     qMax(0, H - historyTop));
    lblHistoClassements->resize(zelHistoClassements->width(), kCaptionHeight);

    zelfraResume->setGeometry(kFrameLeft, H / 4, qMax(0, W - 2 * kFrameLeft), H / 2);
    const int fw = zelfraResume->width(), fh = zelfraResume->height();
    lblResumeHeader->setGeometry(0, 8, fw, 20);
    lblResume->setGeometry(kSummaryInset, kSummaryTextTop, qMax(0, fw - 2 * kSummaryInset),
                           qMax(0, fh - kSummaryTextTop - kSummaryBottom));
    zelResumeFermer->move(fw / 2 - zelResumeFermer->width() / 2,
                          lblResume->y() + lblResume->height() + 4);
    zelResumeVoir->move(W - zelResumeVoir->width() - kMargin, typeTop);
}

QSize TeamPanel::minimumSize(int hostWidth) const
{
    const int chooseRow = kMargin + 250 + zelOK->width() + kMargin;
    // The kind, its OK and, at the right edge, "Voir le résumé".
    const int kindRow =
        kMargin + 220 + zelOKHisto->width() + kButtonGap + zelResumeVoir->width() + kMargin;
    const int width = qMax(hostWidth, qMax(chooseRow, kindRow));

    // Under their caption the matches history gets half the room less the kind row, the
    // ranking history the other half less what stands between the two lists.
    const int between = (kListTop - kHistoryCaptionTop) + kTypeGap + kHistoryLabelGap +
                        kCaptionHeight - kTypeHeight;
    const int histories = kHistoryCaptionTop + 2 * (kLeastListHeight + qMax(kTypeHeight, between));

    // The summary frame, half as high as the host, holds the longest summary there is.
    cResult widest;
    widest.Ranking = 20;
    widest.Won = widest.Nul = widest.Lost = 38;
    widest.ButsPour = widest.ButsContre = 100;
    const int textWidth = qMax(1, width - 2 * kFrameLeft - 2 * kSummaryInset);
    const int textHeight = lblResume->fontMetrics()
                               .boundingRect(QRect(0, 0, textWidth, 100000),
                                             Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                                             summaryText(widest, widest, widest, widest, widest))
                               .height();
    const int summary = 2 * (kSummaryTextTop + textHeight + kSummaryBottom) + 1;
    return {width, qMax(histories, summary)};
}
