#pragma once

#include <QDate>
#include <QDialog>

class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

// The bet dialog: creates or modifies one bet. Its opener fills the boxes, sets the caption
// ("Paris - Création" or "Paris - Edition"), shows it modally and, when Tag() is "OK",
// reads the checked values.
class frmEditPari : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kMaxDescription = 250;

    explicit frmEditPari(QWidget* parent = nullptr);

    QLineEdit* txtDate;
    QPlainTextEdit* txtDescription;
    QLineEdit* txtMise;
    QListWidget* lstStatut;
    QLineEdit* txtGain;
    QPushButton* cmdSave;
    QPushButton* cmdCancel;

    // "OK" after a successful "Enregistrer", empty otherwise.
    QString Tag() const { return m_tag; }
    // What "Enregistrer" accepted. The gain is read only for a won bet, 0 otherwise.
    QDate date() const { return m_date; }
    QString description() const;
    qint64 mise() const { return m_mise; }
    int statut() const { return m_statut; }
    qint64 gain() const { return m_gain; }

    void cmdSave_Click();
    void cmdCancel_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void txtDate_LostFocus();
    void limitDescription();
    void refuse(const QString& message, QWidget* focus);

    QString m_tag;
    QDate m_date;
    qint64 m_mise = 0;
    int m_statut = -1;
    qint64 m_gain = 0;
};
