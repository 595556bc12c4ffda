// KIF and CSA files that break the formats or this game's rules in every way the readers
// name, each with a part of the reason they must give.
#pragma once

#include <string>
#include <vector>

namespace fudo::test {

struct MalformedRecord {
    bool csa;
    std::string text;
    const char* reason;  // a part of the message
};

std::vector<MalformedRecord> malformedRecords();

}  // namespace fudo::test
