// The references of the directory stand-in and the allocation of its variable-length nodes.
#pragma once

#include "DirectoryService.h"
#include "GroupDirectory.h"

#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

namespace directory {

// What a search could not put in the caller's buffer.
struct Continuation {
    std::vector<Record> rest;
};

struct State {
    std::mutex mutex;
    UInt32 lastReference = 0;
    std::set<tDirReference> services;
    std::set<tDirNodeReference> nodes;
    std::map<tAttributeListRef, std::vector<Attribute>> attributeLists;
    std::map<tAttributeValueListRef, std::vector<std::string>> valueLists;
    std::map<tContextData, std::unique_ptr<Continuation>> continuations;

    UInt32 newReference() { return ++lastReference; }
};

// The one state of the process; callers hold its mutex while they use it.
State& state();

// The strings of a data list or node, and a new list of strings (null when memory runs out).
std::vector<std::string> stringsOf(const tDataList* list);
std::string stringOf(const tDataNode* node);
tDataListPtr newList(const std::vector<std::string>& strings);

// Allocates a structure of headerSize bytes followed by a data node holding bytes (and a NUL
// after them); the node sits at nodeOffset. Null when memory runs out.
void* allocateWithNode(size_t headerSize, size_t nodeOffset, const std::string& bytes);

} // namespace directory
