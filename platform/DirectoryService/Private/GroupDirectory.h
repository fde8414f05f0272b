// The group records that the directory stand-in serves, read from the system's group and user
// databases through NSS.
#pragma once

#include <string>
#include <vector>

namespace directory {

struct Attribute {
    std::string type;
    std::vector<std::string> values;
};

struct Record {
    std::string name;
    std::string type;
    std::vector<Attribute> attributes;
};

// Every group: its name, group ID and members (the member list, then the users whose primary
// group it is, each name once).
std::vector<Record> readGroupRecords();

} // namespace directory
