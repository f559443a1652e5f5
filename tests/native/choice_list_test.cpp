#include "controls/choice_list.h"

#include <gtest/gtest.h>

using optora::SplitChoiceList;

TEST(ChoiceList, TakesTheTextsThatFitTheBuffer) {
    using Names = std::vector<std::string>;
    const struct { std::string buffer; Names names; } cases[] = {
        {std::string("A\0B\0\0", 5), {"A", "B"}},
        {std::string("A\0B\0", 4), {"A", "B"}},  // full: no closing empty text
        {std::string("A\0BC", 4), {"A"}},        // the last text has no terminator inside
        {std::string("\0B\0\0", 4), {}},         // an empty first text ends the list
        {std::string("ABC", 3), {}},
        {std::string(), {}},
    };
    for (const auto& c : cases) EXPECT_EQ(SplitChoiceList(c.buffer.data(), c.buffer.size()), c.names);
    EXPECT_EQ(SplitChoiceList(nullptr, 10), Names{});
}
