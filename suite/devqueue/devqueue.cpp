#include "devqueue.h"

#include <windows.h>

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr const char* kConfiguration = "c:\\userroot\\system\\state\\plotqueues.cfg";
constexpr std::size_t kReadLimit = 64 * 1024;
constexpr std::size_t kNameLimit = 255;

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return {};
    return text.substr(first, std::min(text.find_last_not_of(" \t\r") - first + 1, kNameLimit));
}

// Each configured queue: its name first, then its media. Empty when the
// file is missing (false then).
bool ReadQueues(std::vector<std::vector<std::string>>& queues) {
    std::ifstream file(kConfiguration, std::ios::binary);
    if (!file) return false;
    std::string text(kReadLimit, '\0');
    file.read(text.data(), kReadLimit);
    text.resize(static_cast<std::size_t>(file.gcount()));
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        const std::string trimmed = Trimmed(line);
        if (trimmed.empty() || trimmed[0] == ';') continue;
        std::vector<std::string> fields;
        std::size_t from = 0;
        for (;;) {
            const std::size_t bar = line.find('|', from);
            const std::string field = Trimmed(line.substr(from, bar == std::string::npos ? bar : bar - from));
            if (!field.empty()) fields.push_back(field);
            if (bar == std::string::npos) break;
            from = bar + 1;
        }
        if (!fields.empty() && !Trimmed(line.substr(0, line.find('|'))).empty()) queues.push_back(fields);
    }
    return true;
}

int Add(PlotNameList& list, const std::string& name) {
    if (list.add) list.add(list.owner, name.c_str());
    return 1;
}

}  // namespace

int CPlotterQueueManager::GetPlotQueues(PlotNameList& queues, const char* fileDestination, const char*) {
    std::vector<std::vector<std::string>> configured;
    if (!ReadQueues(configured)) return fileDestination && *fileDestination ? Add(queues, fileDestination) : 0;
    int added = 0;
    for (const auto& queue : configured) added += Add(queues, queue.front());
    return added;
}

CPlotterQueue::CPlotterQueue(const char* name) : name_() {
    if (name) std::strncpy(name_, name, sizeof name_ - 1);
}

CPlotterQueue::~CPlotterQueue() = default;

int CPlotterQueue::GetMedia(PlotNameList& media, const char* noneName, int withNone) {
    std::vector<std::vector<std::string>> configured;
    ReadQueues(configured);
    int added = 0;
    for (const auto& queue : configured) {
        if (lstrcmpiA(queue.front().c_str(), name_) != 0) continue;
        for (std::size_t i = 1; i < queue.size(); ++i) added += Add(media, queue[i]);
        break;
    }
    if (added == 0 && withNone && noneName) added = Add(media, noneName);
    return added;
}
