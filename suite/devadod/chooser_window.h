#pragma once
#include <cstddef>
#include <string>

struct FileChoice;

namespace devadod {

// A text of the record, read no further than its buffer; empty for none.
std::string BoundedText(const char* buffer, std::size_t size);

// Shows the chooser for a record of this build's layout; 1 when the user
// chose and the choice was written into the record's buffers, else 0.
int RunChooserWindow(FileChoice& record);

}  // namespace devadod
