#pragma once
#include <string>
#include <vector>

namespace optora::test {

// The lines the stand-in sibling programs appended to their log: each
// started program's path, a tab, its command line. Programs start
// asynchronously: waits, within bounds, until count lines are there.
std::vector<std::string> SiblingLog(const std::string& log, std::size_t count = 0);

}  // namespace optora::test
