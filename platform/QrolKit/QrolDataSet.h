// The inside of a data set, shared by the file and device halves of the library.
#pragma once

#include "QrolKit.h"

#include <vector>

struct OpaqueQROLData {
    std::vector<QrolFaxRecord> fax;
    std::vector<QrolFaxGroupRecord> faxGroups;
    std::vector<QrolMyFaxRecord> myFax;
    std::vector<QrolMyFaxGroupRecord> myFaxGroups;
};
