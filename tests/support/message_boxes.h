#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace optora::test {

struct ShownMessage {
    std::string caption;
    std::string text;
    bool owned = false;  // shown over another window
    std::string note;    // what note() said when the box appeared
};

// Runs work on a thread of its own while every message box of the process
// (this one by default) is read and answered with OK; returns them in order
// once work has returned and no box is up.
std::vector<ShownMessage> AnswerMessageBoxes(const std::function<void()>& work,
                                             DWORD processId = GetCurrentProcessId(),
                                             const std::function<std::string()>& note = {});

}  // namespace optora::test
