// Shows every custom control filled with sample data, to look at them. Not installed.
#include "controls/Hover5Control.h"
#include "controls/cTabSection.h"
#include "controls/tooCommand.h"
#include "controls/zelFrame.h"
#include "controls/zelHeader.h"
#include "controls/zelOwnerLBox1.h"
#include "controls/zelOwnerLBox2.h"
#include "controls/zelOwnerLBox3.h"
#include "controls/zelOwnerLBox4.h"
#include "controls/zelRCornerCommand.h"
#include "controls/zelTab.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QStyle>

namespace {

std::vector<store::Team> teams()
{
    std::vector<store::Team> t;
    const char* names[] = {"AMIENS", "ARRAS", "BREST", "CAEN", "LENS", "LILLE", "METZ", "NANCY"};
    for (int i = 0; i < 8; ++i)
        t.push_back({i + 1, QString::fromLatin1(names[i])});
    return t;
}

std::vector<store::MatchRow> results()
{
    const auto t = teams();
    std::vector<store::MatchRow> rows;
    for (int day = 1; day <= 6; ++day)
        for (int k = 0; k < 4; ++k) {
            const int a = (k + day) % 8, b = (7 - k + 2 * day) % 8;
            if (a != b)
                rows.push_back(
                    {0, day, t[size_t(a)].nom, (a + day) % 4, t[size_t(b)].nom, (b * day) % 3});
        }
    return rows;
}

QWidget* titled(const QString& title, QWidget* w, int height)
{
    auto* box = new QWidget;
    auto* l = new QVBoxLayout(box);
    l->setContentsMargins(4, 4, 4, 4);
    l->addWidget(new QLabel(QStringLiteral("<b>%1</b>").arg(title)));
    w->setMinimumHeight(height);
    l->addWidget(w, 1);
    return box;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Contrôles de Vemo"));
    auto* grid = new QGridLayout(&window);
    const QPixmap icon = app.style()->standardIcon(QStyle::SP_DirHomeIcon).pixmap(32, 32);

    auto* tab = new zelTab;
    cTabSection menu = tab->AddSection(QStringLiteral("Menu"));
    menu.setDisposition(1);
    for (const char* c : {"Equipes", "Rencontres", "Classements", "Paris"})
        menu.AddItem(QString::fromUtf8(c), {}, {}, icon);
    menu.setSelectedItem(menu.Item(2));
    tab->AddSection(QStringLiteral("Outils"));
    tab->AddSection(QStringLiteral("Aide"));
    grid->addWidget(titled(QStringLiteral("zelTab"), tab, 300), 0, 0, 2, 1);

    const auto rows = results();
    const auto t = teams();
    auto* standings = new zelOwnerLBox1;
    standings->setAlternBackColor(mListBox::RGB(224, 224, 224));
    standings->setAlternForeColor(0);
    standings->setItems(ComputeRanking(rows, RankingKind::General, t, {}), {});
    grid->addWidget(titled(QStringLiteral("zelOwnerLBox1 (classement)"), standings, 240), 0, 1);

    auto* history = new zelOwnerLBox2;
    history->setAlternBackColor(mListBox::RGB(224, 224, 224));
    history->setAlternForeColor(0);
    history->setTeam(QStringLiteral("LENS"));
    history->setItems(RankingHistory(rows, RankingKind::General, t, {}, QStringLiteral("LENS")),
                      {});
    grid->addWidget(titled(QStringLiteral("zelOwnerLBox2 (historique)"), history, 240), 0, 2);

    auto* bets = new zelOwnerLBox3;
    bets->setItems(
        {{1, QDate(2026, 11, 28), QStringLiteral("Victoire de Lens à Lille"), 100000, 250000, 1},
         {2, QDate(2026, 11, 21),
          QStringLiteral("Plus de trois buts entre Metz et Nancy, avec un "
                         "but dans les dix premières minutes"),
          50000, 0, 2},
         {3, QDate(2026, 12, 5), QStringLiteral("Match nul Brest - Caen"), 125000, 0, 0}});
    grid->addWidget(titled(QStringLiteral("zelOwnerLBox3 (paris)"), bets, 200), 1, 1);

    auto* matches = new zelOwnerLBox4;
    matches->setAlternBackColor(mListBox::RGB(224, 224, 224));
    matches->setAlternForeColor(0);
    matches->setItems(rows);
    grid->addWidget(titled(QStringLiteral("zelOwnerLBox4 (rencontres)"), matches, 200), 1, 2);

    auto* header = new zelHeader;
    header->AddColumn(QStringLiteral("Gauche"), 120, 0);
    header->AddColumn(QStringLiteral("Centre"), 120, 2);
    header->AddColumn(QStringLiteral("Droite"), 120, 1);
    grid->addWidget(titled(QStringLiteral("zelHeader"), header, 20), 2, 0);

    auto* buttons = new QWidget;
    auto* row = new QHBoxLayout(buttons);
    auto* hover = new Hover5Control;
    hover->setCaption(QStringLiteral("Ajouter une rencontre"));
    hover->setPicture(app.style()->standardIcon(QStyle::SP_FileDialogNewFolder).pixmap(24, 24));
    hover->setMinimumSize(190, 32);
    auto* tool = new tooCommand;
    tool->setPicture(icon);
    tool->setMinimumSize(40, 40);
    auto* rounded = new zelRCornerCommand;
    rounded->setCaption(QStringLiteral("&OK"));
    rounded->setFixedSize(80, 28);
    auto* frame = new zelFrame;
    frame->setCaption(QStringLiteral("Résumé des positions actuelles"));
    frame->setMinimumSize(220, 60);
    auto* disabled = new zelFrame;
    disabled->setCaption(QStringLiteral("Cadre désactivé"));
    disabled->setEnabled(false);
    disabled->setMinimumSize(160, 60);
    for (QWidget* w : std::initializer_list<QWidget*>{hover, tool, rounded, frame, disabled})
        row->addWidget(w);
    grid->addWidget(titled(QStringLiteral("Hover5Control, tooCommand, zelRCornerCommand, zelFrame"),
                           buttons, 70),
                    2, 1, 1, 2);

    window.resize(1240, 760);
    window.show();
    return app.exec();
}
