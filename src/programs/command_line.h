#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace optora {

// What a process may be started with, terminator included; a longer line
// would reach the program cut short, as other arguments than were asked for.
constexpr std::size_t kCommandLineLimit = 32767;

// The command line of a sibling program: its path first, then arguments as
// the program reads them. A text added quoted is one argument however many
// blanks it holds.
class CommandLine {
public:
    enum class ProgramWord {
        Quoted,           // always in quotes
        QuotedWhenBlank,  // bare unless it has a blank, as the user-environment editor was always started
    };
    explicit CommandLine(std::string_view program, ProgramWord word = ProgramWord::Quoted);

    CommandLine& Add(std::string_view text);
    CommandLine& Quoted(std::string_view text);

    // None when nothing should start: no program (its arguments would be
    // read as another program), a quoted text holding a quote (it would end
    // the argument early and add others), or a line past the limit.
    std::optional<std::string> Text() const;

private:
    std::string text_;
    bool startable_;
};

}  // namespace optora
