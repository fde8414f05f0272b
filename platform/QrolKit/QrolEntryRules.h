// What makes a file entry acceptable for adding, and when two entries are the same address.
#pragma once

#include "QrolKit.h"

namespace qrol {

// kQrolErrNoName for an empty name; kQrolErrParam for an empty fax number (the dialog cannot
// load an entry without one) or a text field without its terminating zero unit; else 0.
QrolResult checkNewEntry(const QrolMyFaxRecord& entry);

// Equal names and equal fax numbers, unit for unit (case and spacing count).
bool sameAddress(const QrolMyFaxRecord& a, const QrolMyFaxRecord& b);

} // namespace qrol
