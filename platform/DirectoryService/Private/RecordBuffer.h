// The layout of results in a caller's data buffer: a kind tag, the number of entries, then
// each entry as its byte count and its bytes. Reading checks every length against the buffer.
#pragma once

#include "DirectoryService.h"
#include "GroupDirectory.h"

#include <string>
#include <vector>

namespace directory {

// False when the names do not fit.
bool writeNodeNames(tDataBufferPtr buffer, const std::vector<std::vector<std::string>>& names);
// The 1-based entry of a node-name buffer.
tDirStatus readNodeName(const tDataBuffer* buffer, UInt32 index, std::vector<std::string>& name);
// Writes the records from the first on while they fit; the number written.
size_t writeRecords(tDataBufferPtr buffer, const std::vector<Record>& records);
tDirStatus readRecord(const tDataBuffer* buffer, UInt32 index, Record& record);

} // namespace directory
