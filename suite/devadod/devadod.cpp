#include "devadod.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <utility>
#include <string>

#include "chooser_window.h"
#include "controls/file_choice.h"

namespace {

std::string Hex(unsigned long long value) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%llx", value);
    return text;
}

std::string Pointer(const void* p) { return Hex(reinterpret_cast<uintptr_t>(p)); }

// One line describing the record as received, for the tests of its callers.
void Report(const char* call, const FileChoice* record) {
    char logPath[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableA("OPTORA_DEVADOD_LOG", logPath, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return;
    std::string line = std::string("call=") + call;
    if (record) {
        using devadod::BoundedText;
        using file_choice::kShortTextSize;
        using file_choice::kTextSize;
        const OPENFILENAMEA& open = record->open;
        const auto add = [&](const char* key, const std::string& value) {
            line += std::string("\t") + key + "=" + value;
        };
        const auto text = [&](const char* key, const char* buffer, std::size_t size) {
            add(key, buffer ? BoundedText(buffer, size) : "(null)");
            add((std::string(key) + "@").c_str(), Pointer(buffer));
        };
        add("size", std::to_string(record->recordSize));
        add("openSize", std::to_string(open.lStructSize));
        add("owner", Pointer(open.hwndOwner));
        add("instance", Pointer(open.hInstance));
        text("filter", open.lpstrFilter, kTextSize);
        add("customFilter", Pointer(open.lpstrCustomFilter) + "/" + std::to_string(open.nMaxCustFilter));
        add("index", std::to_string(open.nFilterIndex));
        add("file", open.lpstrFile ? BoundedText(open.lpstrFile, open.nMaxFile) : "(null)");
        add("maxFile", std::to_string(open.nMaxFile));
        add("fileTitle", Pointer(open.lpstrFileTitle) + "/" + std::to_string(open.nMaxFileTitle));
        text("initialDir", open.lpstrInitialDir, kTextSize);
        text("title", open.lpstrTitle, kShortTextSize);
        add("flags", Hex(open.Flags));
        text("text1", record->text1, kTextSize);
        text("device", record->device, kTextSize);
        text("area", record->area, kTextSize);
        text("start", record->startText, kTextSize);
        text("text3", record->text3, kTextSize);
        text("text4", record->text4, kTextSize);
        text("extra", record->extraText, kShortTextSize);
        add("extraFlags", Hex(record->extraFlags));
        add("reserved", std::to_string(record->reserved));
        // The bytes as they crossed, so callers can check the layout against
        // the suite's table rather than against this header.
        std::string raw;
        const auto* bytes = reinterpret_cast<const unsigned char*>(record);
        const std::size_t size = std::min<std::size_t>(record->recordSize, sizeof *record);
        for (std::size_t i = 0; i < size; ++i) raw += Hex(bytes[i]).substr(2) + (i + 1 < size ? "," : "");
        add("raw", raw);
    }
    line += "\r\n";
    HANDLE log = CreateFileA(logPath, FILE_APPEND_DATA, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(log, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(log);
}

// With OPTORA_DEVADOD_FILL set, a chooser that rewrites every text buffer to
// the full size the record promises, then cancels: for callers' tests.
void FillEveryText(FileChoice& record) {
    using file_choice::kShortTextSize;
    using file_choice::kTextSize;
    OPENFILENAMEA& open = record.open;
    const std::pair<const char*, std::size_t> texts[] = {
        {open.lpstrFilter, kTextSize}, {open.lpstrInitialDir, kTextSize}, {open.lpstrTitle, kShortTextSize},
        {record.text1, kTextSize},     {record.device, kTextSize},        {record.area, kTextSize},
        {record.startText, kTextSize}, {record.text3, kTextSize},         {record.text4, kTextSize},
        {record.extraText, kShortTextSize}};
    for (const auto& [text, size] : texts) {
        if (!text) continue;
        char* buffer = const_cast<char*>(text);
        std::memset(buffer, 'F', size - 1);
        buffer[size - 1] = '\0';
    }
}

int Choose(const char* call, FileChoice* record) {
    Report(call, record);
    if (!record || record->recordSize != sizeof *record || record->open.lStructSize != sizeof record->open) return 0;
    if (GetEnvironmentVariableA("OPTORA_DEVADOD_FILL", nullptr, 0) > 0) {
        FillEveryText(*record);
        return 0;
    }
    return devadod::RunChooserWindow(*record);
}

}  // namespace

int DevaDod_GetFileName(FileChoice* record) { return Choose("GetFileName", record); }

int DevaDod_GetFileNameEx(FileChoice* record) { return Choose("GetFileNameEx", record); }
