#include "ImportDialog.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

ImportDialog::ImportDialog(const QString& file, const ImportPlan& plan, const QString& book,
                           QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(tr("Import Preview"));
    auto* layout = new QVBoxLayout(this);
    QStringList groups;
    for (const ImportPlan::Group& group : plan.groups)
        if (!group.newMembers.isEmpty()) groups += group.name;
    auto* summary = new QLabel(
        tr("%1: %2 entries to import into \"%3\", %4 skipped.")
            .arg(QFileInfo(file).fileName())
            .arg(plan.entries.size())
            .arg(book)
            .arg(plan.skipped.size()) +
        (groups.isEmpty() ? QString() : u' ' + tr("Groups joined: %1.").arg(groups.join(", "))));
    summary->setWordWrap(true);
    layout->addWidget(summary);

    auto* entries = new QTableWidget(int(plan.entries.size()), 3);
    entries->setAccessibleName(tr("Entries to Import"));
    entries->setHorizontalHeaderLabels({tr("Name"), tr("Fax Number"), tr("Company")});
    entries->setEditTriggers(QAbstractItemView::NoEditTriggers);
    entries->verticalHeader()->hide();
    entries->horizontalHeader()->setStretchLastSection(true);
    entries->setWordWrap(false);
    for (int row = 0; row < int(plan.entries.size()); ++row) {
        const BookEntry& entry = plan.entries[size_t(row)];
        entries->setItem(row, 0, new QTableWidgetItem(entry.name));
        entries->setItem(row, 1, new QTableWidgetItem(entry.number));
        entries->setItem(row, 2, new QTableWidgetItem(entry.company));
    }
    entries->resizeColumnsToContents();
    layout->addWidget(entries, 3);

    layout->addWidget(new QLabel(tr("Skipped:")));
    auto* skipped = new QListWidget;
    skipped->setAccessibleName(tr("Skipped Contacts"));
    for (const SkippedContact& contact : plan.skipped)
        skipped->addItem(tr("%1: %2").arg(contact.what, contact.why));
    layout->addWidget(skipped, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel);
    QPushButton* import = buttons->addButton(tr("Import"), QDialogButtonBox::AcceptRole);
    import->setEnabled(!plan.entries.empty());
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(560, 440);
}
