// UPDATE the list when a SELECT changes: comments do not count.
void frmSample::show()
{
    MessageBox::information(this, QStringLiteral("Sélectionnez la rencontre à supprimer."));
    MessageBox::question(this, QStringLiteral("SUPPRIMER ce pari ? Mise à jour : OK"));
    label->setText(QStringLiteral("Créer, mettre à jour ou effacer une équipe"));
    table.addRow({QStringLiteral("1"), QStringLiteral("LENS")});
    form->addRow(QStringLiteral("Nom :"), edit);
    dialog.exec();
    process.start(QStringLiteral("vemo-cli"), {QStringLiteral("new")});
    (void)store::updateTeam(c->db(), rowid, name, fields);
    store::Database* database = c ? &c->db() : nullptr;
}
