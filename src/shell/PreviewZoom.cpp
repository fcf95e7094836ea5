#include "shell/PreviewZoom.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QLineEdit>
#include <QLocale>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

namespace PreviewZoom {

namespace {

// A percentage as Qt or a user writes it: "54.0%", "54,0 %", "54".
bool parse(QString text, double& percent)
{
    text.remove(QLatin1Char('%'));
    text.remove(QRegularExpression(QStringLiteral("\\s")));
    text.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    percent = text.toDouble(&ok);
    return ok && percent > 0;
}

} // namespace

QString french(double percent)
{
    return QLocale(QLocale::French, QLocale::France).toString(percent, 'f', 1) +
           QStringLiteral(" %");
}

void install(QPrintPreviewDialog& dialog)
{
    auto* preview = dialog.findChild<QPrintPreviewWidget*>();
    auto* zoom = dialog.findChild<QComboBox*>();
    if (!preview || !zoom || !zoom->lineEdit())
        return;
    QLineEdit* edit = zoom->lineEdit();
    // Qt's own reading of the box fails on French numbers: this one replaces it.
    QObject::disconnect(zoom, nullptr, &dialog, nullptr);
    QObject::disconnect(edit, nullptr, &dialog, nullptr);
    edit->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("\\s*\\d{0,4}([.,]\\d?)?\\s*%?\\s*")), edit));
    for (int i = 0; i < zoom->count(); ++i) {
        double percent = 0;
        if (parse(zoom->itemText(i), percent))
            zoom->setItemText(i, french(percent));
    }
    edit->setText(french(preview->zoomFactor() * 100));

    const auto apply = [preview, edit, &dialog] {
        double percent = 0;
        if (!parse(edit->text(), percent)) {
            edit->setText(french(preview->zoomFactor() * 100));
            return;
        }
        percent = qBound(1.0, percent, 1000.0);
        // A chosen zoom ends fitting the page or its width, as in Qt's own box.
        for (const char* name : {"fitWidthAction", "fitPageAction"})
            if (auto* fit = dialog.findChild<QAction*>(QLatin1String(name))) {
                if (fit->actionGroup())
                    fit->actionGroup()->setExclusive(false);
                fit->setChecked(false);
            }
        preview->setZoomFactor(percent / 100);
        edit->setText(french(percent));
    };
    QObject::connect(edit, &QLineEdit::editingFinished, &dialog, apply);
    QObject::connect(zoom, &QComboBox::currentIndexChanged, &dialog, apply);
    // Qt writes the zoom again after every change of its own: it is rewritten in French.
    QObject::connect(edit, &QLineEdit::textChanged, &dialog, [edit](const QString& text) {
        static const QRegularExpression qtWay(QStringLiteral("^\\d+\\.\\d%$"));
        double percent = 0;
        if (qtWay.match(text).hasMatch() && parse(text, percent))
            edit->setText(french(percent));
    });
}

} // namespace PreviewZoom
