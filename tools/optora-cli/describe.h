#pragma once
#include <string>

#include "options/settings_table.h"

namespace optora::cli {

// Every value the library owns (of one set, or all when `set` is null): key,
// name, type and size, default, what import takes, and what it means. The
// Markdown form is docs/settings.md.
std::string DescribeSettings(const OptionSetInfo* set, bool markdown);

}  // namespace optora::cli
