#include "controls/choice_list.h"

#include <cstring>

namespace optora {

std::vector<std::string> SplitChoiceList(const char* buffer, std::size_t size) {
    std::vector<std::string> names;
    std::size_t taken = 0;
    while (buffer && taken < size) {
        const char* text = buffer + taken;
        const std::size_t length = strnlen(text, size - taken);
        if (length == 0 || length == size - taken) break;  // the end, or no terminator before the buffer's end
        names.emplace_back(text, length);
        taken += length + 1;
    }
    return names;
}

}  // namespace optora
