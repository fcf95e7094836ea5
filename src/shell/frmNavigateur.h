#pragma once

#include <QPixmap>
#include <QWidget>
#include <array>

class zelTab;

// The narrow panel at the left of the main window: one section "Menu" of four items that
// open the teams, matches, standings and bets windows.
class frmNavigateur : public QWidget
{
    Q_OBJECT
public:
    static constexpr int Width = 150;

    explicit frmNavigateur(QWidget* parent = nullptr);

    zelTab* tbSection;
    std::array<QPixmap, 4> ima;

    // Marks item (1 to 4) of the first section as selected.
    void selectItem(int item);
    int selectedItem() const;

signals:
    void ItemClick(int section, int item);

protected:
    void resizeEvent(QResizeEvent* event) override;
};
