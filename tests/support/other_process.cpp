#include "other_process.h"

#include <utility>

#include "kestrel_test.h"

namespace optora::test {

Process::Process(std::string commandLine, const std::string& output, const std::string& error) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    const bool redirected = !output.empty();
    if (redirected) {
        SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
        startup.dwFlags = STARTF_USESTDHANDLES;
        for (auto [path, handle] : {std::pair{&output, &startup.hStdOutput}, {&error, &startup.hStdError}})
            *handle = CreateFileA(path->c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, redirected, 0, nullptr, nullptr, &startup,
                        &info_))
        info_ = {};
    if (!redirected) return;
    CloseHandle(startup.hStdOutput);
    CloseHandle(startup.hStdError);
}

Process::~Process() {
    if (!Started()) return;
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

DWORD Process::Wait(DWORD timeoutMs, bool pump) const {
    if (!Started()) return kNoEnd;
    const DWORD end = GetTickCount() + timeoutMs;
    for (MSG message;;) {
        const LONG left = static_cast<LONG>(end - GetTickCount());
        const DWORD woke =
            MsgWaitForMultipleObjects(1, &info_.hProcess, FALSE, left > 0 ? left : 0, pump ? QS_ALLINPUT : 0);
        if (woke != WAIT_OBJECT_0 + 1) break;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    }
    DWORD code = kNoEnd;
    if (WaitForSingleObject(info_.hProcess, 0) != WAIT_OBJECT_0 || !GetExitCodeProcess(info_.hProcess, &code))
        return kNoEnd;
    return code;
}

CommandedProcess::CommandedProcess(std::string commandLine) {
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE childInput = nullptr, childOutput = nullptr;
    if (!CreatePipe(&childInput, &input_, &inherit, 0)) return;
    if (!CreatePipe(&output_, &childOutput, &inherit, 0)) {
        CloseHandle(childInput);
        return;
    }
    SetHandleInformation(input_, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(output_, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = childInput;
    startup.hStdOutput = childOutput;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                        &process_))
        process_ = {};
    CloseHandle(childInput);
    CloseHandle(childOutput);
}

CommandedProcess::~CommandedProcess() {
    if (input_) CloseHandle(input_);
    if (Started()) {
        WaitForSingleObject(process_.hProcess, 10000);
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }
    if (output_) CloseHandle(output_);
}

std::string CommandedProcess::Ask(const std::string& line) {
    if (!Started()) return {};
    const std::string sent = line + "\n";
    DWORD done = 0;
    if (!WriteFile(input_, sent.data(), DWORD(sent.size()), &done, nullptr)) return {};
    // It says nothing until asked, so whatever comes is this answer.
    std::string answer;
    char chunk[64];
    while (answer.empty() || answer.back() != '\n') {
        if (!ReadFile(output_, chunk, sizeof chunk, &done, nullptr) || done == 0) return {};
        answer.append(chunk, done);
    }
    while (!answer.empty() && (answer.back() == '\n' || answer.back() == '\r')) answer.pop_back();
    return answer;
}

std::string Beside(const char* program, const std::string& arguments) {
    return "\"" + BesideTestProgram(program) + "\"" + (arguments.empty() ? "" : " " + arguments);
}

void BroadcastFromElsewhere(const char* name) {
    EXPECT_TRUE(Process(Beside("broadcaster.exe", name)).Started()) << name;
}

CopiesApart::CopiesApart(const std::filesystem::path& directory, std::initializer_list<const char*> files)
    : directory_(std::filesystem::temp_directory_path() / directory) {
    std::error_code ignored;
    std::filesystem::remove_all(directory_, ignored);
    std::filesystem::create_directories(directory_);
    for (const char* file : files) std::filesystem::copy_file(BesideTestProgram(file), directory_ / file);
}

CopiesApart::~CopiesApart() {
    std::error_code ignored;
    std::filesystem::remove_all(directory_, ignored);
}

}  // namespace optora::test
