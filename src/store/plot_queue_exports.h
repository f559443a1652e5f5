#pragma once
// The plot-queue library, devqueue.dll, exports C++ members under MSVC's
// decoration; whoever binds them (this library, the stand-in) uses these.
#include <cstddef>

// A list of names the queue library fills and its caller owns: the library
// hands each name to add, which copies it into the caller's own storage, so
// neither side frees what the other allocated.
struct PlotNameList {
    void* owner;
    void(__cdecl* add)(void* owner, const char* name);
};

namespace optora::devqueue {
#ifdef _WIN64
#define OPTORA_MEMBER_CALL
inline constexpr const char* kGetPlotQueues = "?GetPlotQueues@CPlotterQueueManager@@SAHAEAUPlotNameList@@PEBD1@Z";
inline constexpr const char* kConstructQueue = "??0CPlotterQueue@@QEAA@PEBD@Z";
inline constexpr const char* kDestroyQueue = "??1CPlotterQueue@@QEAA@XZ";
inline constexpr const char* kGetMedia = "?GetMedia@CPlotterQueue@@QEAAHAEAUPlotNameList@@PEBDH@Z";
#else
#define OPTORA_MEMBER_CALL __thiscall
inline constexpr const char* kGetPlotQueues = "?GetPlotQueues@CPlotterQueueManager@@SAHAAUPlotNameList@@PBD1@Z";
inline constexpr const char* kConstructQueue = "??0CPlotterQueue@@QAE@PBD@Z";
inline constexpr const char* kDestroyQueue = "??1CPlotterQueue@@QAE@XZ";
inline constexpr const char* kGetMedia = "?GetMedia@CPlotterQueue@@QAEHAAUPlotNameList@@PBDH@Z";
#endif
inline constexpr const char* kFileName = "devqueue.dll";
// Room a caller provides for one CPlotterQueue object.
inline constexpr std::size_t kQueueObjectSize = 512;
}  // namespace optora::devqueue
