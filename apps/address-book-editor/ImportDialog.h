// The preview of an import: the entries it will add and the contacts it skips, with why.
// Import accepts the dialog.
#pragma once

#include "ImportPlan.h"

#include <QDialog>

class ImportDialog : public QDialog {
    Q_OBJECT
  public:
    ImportDialog(const QString& file, const ImportPlan& plan, const QString& book, QWidget* parent);
};
