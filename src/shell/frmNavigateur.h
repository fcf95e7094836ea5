#pragma once

#include <QPixmap>
#include <QWidget>
#include <array>

class zelTab;

// The narrow panel at the left of the main window: one section "Menu" of five items that
// open the teams, matches, standings, bets and analyses windows.
class frmNavigateur : public QWidget
{
    Q_OBJECT
public:
    static constexpr int Width = 150;

    explicit frmNavigateur(QWidget* parent = nullptr);

    zelTab* tbSection;
    std::array<QPixmap, 5> ima;

    // Marks item (1 to 5) of the first section as selected.
    void selectItem(int item);
    int selectedItem() const;

signals:
    void ItemClick(int section, int item);

protected:
    void resizeEvent(QResizeEvent* event) override;
};
