// Contacts from CSV files in the shapes of the common contact exports, the columns chosen by
// their headers (case does not matter):
//   name     "Name", "Full Name", "Display Name", else "First Name"/"Given Name", "Middle
//            Name"/"Additional Name", "Last Name"/"Family Name" put together;
//   fax      "Fax", "Fax Number", "Business Fax", "Work Fax", "Home Fax", "Other Fax", and the
//            "Phone N - Value" of a "Phone N - Type"/"Label" that says fax (values may list
//            several numbers separated by ":::");
//   company  "Company", "Organization", "Organisation", "Organization 1 - Name";
//   memo     "Notes", "Note", "Memo";
//   groups   "Groups", "Categories", "Group Membership", "Labels" (separated by ":::").
// A file without a name column or a fax column is refused.
#pragma once

#include "Contacts.h"

#include <QByteArray>

ContactFile readCsvContacts(const QByteArray& bytes);

// The header the editor's own export writes: the first of each column's names above.
QStringList csvExportHeader();
