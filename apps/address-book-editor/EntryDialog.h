// Adding or editing an entry: name, fax number, company, memo. Each field checks its text as
// it is typed by the shared field rules and says why it refuses one next to it; OK is offered
// only when every field takes its text. OK hands the entry to the submit function, whose
// refusal (a duplicate entry, say) is shown under the name and keeps the dialog open.
#pragma once

#include "AddressBook.h"
#include "BookSession.h"

#include <QDialog>

#include <functional>

class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

class EntryDialog : public QDialog {
    Q_OBJECT
  public:
    using Submit = std::function<ChangeOutcome(const BookEntry&)>;

    EntryDialog(const QString& title, const BookEntry& entry, Submit submit, QWidget* parent);

  private:
    void check();
    void fitRefusals();
    void submit();
    BookEntry entry() const;

    BookEntry original_;
    Submit submit_;
    QLineEdit* name_;
    QLineEdit* number_;
    QLineEdit* company_;
    QPlainTextEdit* memo_;
    QLabel* nameRefusal_;
    QLabel* numberRefusal_;
    QLabel* companyRefusal_;
    QLabel* memoRefusal_;
    QDialogButtonBox* buttons_;
};
