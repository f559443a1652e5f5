#pragma once
#include <cstddef>
#include <string>
#include <vector>

namespace optora {

// The names a chooser wrote into its result buffer: zero-terminated texts one
// after another, ended by an empty one. A text is taken only when it and its
// terminator lie inside the buffer, so a full or unterminated buffer yields
// the texts that fit and never a read past its end.
std::vector<std::string> SplitChoiceList(const char* buffer, std::size_t size);

}  // namespace optora
