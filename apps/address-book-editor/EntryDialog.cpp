#include "EntryDialog.h"

#include "FieldMessages.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <tuple>

namespace {

// A field with its refusal below it, both named for screen readers.
QWidget* withRefusal(QWidget* field, QLabel*& refusal, const QString& name) {
    auto* box = new QWidget;
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    refusal = new QLabel;
    refusal->setWordWrap(true);
    refusal->setStyleSheet(QStringLiteral("color: #b00020"));
    refusal->hide();
    field->setAccessibleName(name);
    layout->addWidget(field);
    layout->addWidget(refusal);
    return box;
}

// The refusal is shown below the field and read out as the field's description.
void showRefusal(QWidget* field, QLabel* refusal, const QString& text) {
    refusal->setText(text);
    refusal->setVisible(!text.isEmpty());
    field->setAccessibleDescription(text);
}

} // namespace

EntryDialog::EntryDialog(const QString& title, const BookEntry& entry, Submit submit,
                         QWidget* parent)
    : QDialog(parent), original_(entry), submit_(std::move(submit)),
      name_(new QLineEdit(entry.name)), number_(new QLineEdit(entry.number)),
      company_(new QLineEdit(entry.company)), memo_(new QPlainTextEdit(entry.memo)),
      buttons_(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel)) {
    setWindowTitle(title);
    memo_->setTabChangesFocus(true);
    memo_->setFixedHeight(80);
    auto* form = new QFormLayout;
    form->addRow(tr("Name:"), withRefusal(name_, nameRefusal_, tr("Name")));
    form->addRow(tr("Fax Number:"), withRefusal(number_, numberRefusal_, tr("Fax Number")));
    form->addRow(tr("Company:"), withRefusal(company_, companyRefusal_, tr("Company")));
    form->addRow(tr("Memo:"), withRefusal(memo_, memoRefusal_, tr("Memo")));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons_);
    for (QLineEdit* field : {name_, number_, company_})
        connect(field, &QLineEdit::textChanged, this, &EntryDialog::check);
    connect(memo_, &QPlainTextEdit::textChanged, this, &EntryDialog::check);
    connect(buttons_, &QDialogButtonBox::accepted, this, &EntryDialog::submit);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    resize(420, sizeHint().height());
    check();
    // An empty new entry says nothing yet: its fields are only required once typed into.
    if (entry.name.isEmpty()) showRefusal(name_, nameRefusal_, {});
    if (entry.number.isEmpty()) showRefusal(number_, numberRefusal_, {});
}

BookEntry EntryDialog::entry() const {
    BookEntry entry = original_;
    entry.name = name_->text();
    entry.number = number_->text();
    entry.company = company_->text();
    entry.memo = memo_->toPlainText();
    return entry;
}

void EntryDialog::check() {
    const BookEntry typed = entry();
    const std::tuple<QWidget*, QLabel*, QString> refusals[] = {
        {name_, nameRefusal_, fieldRefusal(qrol::EntryField::Name, typed.name)},
        {number_, numberRefusal_, fieldRefusal(qrol::EntryField::Number, typed.number)},
        {company_, companyRefusal_, fieldRefusal(qrol::EntryField::Company, typed.company)},
        {memo_, memoRefusal_, fieldRefusal(qrol::EntryField::Memo, typed.memo)}};
    bool acceptable = true;
    for (const auto& [field, label, refusal] : refusals) {
        showRefusal(field, label, refusal);
        acceptable = acceptable && refusal.isEmpty();
    }
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(acceptable);
    fitRefusals();
}

// A refusal shown wraps below its field: the dialog grows to show it whole.
void EntryDialog::fitRefusals() {
    layout()->activate();
    const int needed = layout()->hasHeightForWidth() ? layout()->totalHeightForWidth(width())
                                                     : layout()->totalSizeHint().height();
    if (needed > height()) resize(width(), needed);
}

void EntryDialog::submit() {
    const ChangeOutcome outcome = submit_(entry());
    if (outcome) {
        accept();
        return;
    }
    showRefusal(name_, nameRefusal_, outcome.refusal);
    fitRefusals();
    name_->setFocus();
}
