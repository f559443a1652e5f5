#pragma once
#include <windows.h>

#include <filesystem>
#include <initializer_list>
#include <string>

namespace optora::test {

// Another process, started with this command line; its handles close with
// the object, the process itself runs on. Given files, its standard output
// and error go there: a desktop process it starts may inherit them and keep
// them open, so its output is read by file rather than until a pipe closes.
class Process {
public:
    explicit Process(std::string commandLine, const std::string& output = {}, const std::string& error = {});
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    bool Started() const { return info_.hProcess != nullptr; }
    HANDLE Handle() const { return info_.hProcess; }
    DWORD Id() const { return info_.dwProcessId; }
    // Waits for its end, answering what others send this thread when pump,
    // and gives its exit code: kNoEnd when it did not end (or never started).
    DWORD Wait(DWORD timeoutMs = 60000, bool pump = false) const;
    static constexpr DWORD kNoEnd = 0xFFFFFFFF;

private:
    PROCESS_INFORMATION info_ = {};
};

// Another process that takes one command a line on its standard input and
// answers each with one line once it has carried it out.
class CommandedProcess {
public:
    explicit CommandedProcess(std::string commandLine);
    ~CommandedProcess();  // closes its input, which ends it
    CommandedProcess(const CommandedProcess&) = delete;
    CommandedProcess& operator=(const CommandedProcess&) = delete;

    bool Started() const { return process_.hProcess != nullptr; }
    // Its answer, or the empty text when it gave none.
    std::string Ask(const std::string& line);

private:
    PROCESS_INFORMATION process_ = {};
    HANDLE input_ = nullptr;
    HANDLE output_ = nullptr;
};

// The command line of a program beside the test program, quoted.
std::string Beside(const char* program, const std::string& arguments = {});

// Another application telling every application of a change. Not waited
// for: the broadcast needs this thread's message loop.
void BroadcastFromElsewhere(const char* name);

// A directory of its own (relative: in the temporary directory) holding
// copies of files beside the test program, removed with the object: an
// install that lacks the rest.
class CopiesApart {
public:
    CopiesApart(const std::filesystem::path& directory, std::initializer_list<const char*> files);
    ~CopiesApart();
    CopiesApart(const CopiesApart&) = delete;
    CopiesApart& operator=(const CopiesApart&) = delete;
    std::string operator/(const char* file) const { return (directory_ / file).string(); }

private:
    std::filesystem::path directory_;
};

}  // namespace optora::test
