#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace optora::ui {

// What a dialog's edit field holds, read the way the validation prompts
// promise: surrounding blanks are ignored, anything else must be the number.
std::optional<int> ParseWholeNumber(std::string_view text);
std::optional<double> ParseDecimalNumber(std::string_view text);

// A prompt from the string table with "%1", "%2"... replaced by the given
// texts. Translated prompts may reorder or drop the markers, so this never
// reads them as a printf format.
std::string FillPrompt(std::string_view pattern, const std::vector<std::string>& values);

}  // namespace optora::ui
