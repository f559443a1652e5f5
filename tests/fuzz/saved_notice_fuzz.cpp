// Any block another process sends must be read within its size, and what is
// taken must give back the text it came from.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "controls/storage_item.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // An exact-size copy, so that a read past the block is caught.
    const std::vector<uint8_t> block(data, data + size);
    const auto saved = optora::ReadSavedNotice(block.empty() ? nullptr : block.data(), block.size());
    if (!saved) return 0;
    const std::string text = saved->place.device + "\\" + saved->place.area + "\\" + saved->name;
    if (size > optora::kSavedNoticeLimit || text.size() >= size || std::memcmp(text.data(), data, text.size()) != 0 ||
        data[text.size()] != 0 || saved->name.empty())
        std::abort();
    return 0;
}
