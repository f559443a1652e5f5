#include "programs/command_line.h"

namespace optora {

CommandLine::CommandLine(std::string_view program, ProgramWord word) : startable_(!program.empty()) {
    if (word == ProgramWord::QuotedWhenBlank && program.find(' ') == std::string_view::npos)
        Add(program);
    else
        Quoted(program);
}

CommandLine& CommandLine::Add(std::string_view text) {
    text_ += text;
    return *this;
}

CommandLine& CommandLine::Quoted(std::string_view text) {
    if (text.find('"') != std::string_view::npos) startable_ = false;
    text_ += '"';
    text_ += text;
    text_ += '"';
    return *this;
}

std::optional<std::string> CommandLine::Text() const {
    if (!startable_ || text_.size() >= kCommandLineLimit) return std::nullopt;
    return text_;
}

}  // namespace optora
