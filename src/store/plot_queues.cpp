#include "store/plot_queues.h"

#include <windows.h>

#include <cstring>

#include "frame/beside_library.h"
#include "store/plot_queue_exports.h"

namespace optora {
namespace {

using GetPlotQueues = int (*)(PlotNameList&, const char*, const char*);
using ConstructQueue = void(OPTORA_MEMBER_CALL*)(void* self, const char* name);
using DestroyQueue = void(OPTORA_MEMBER_CALL*)(void* self);
using GetMedia = int(OPTORA_MEMBER_CALL*)(void* self, PlotNameList&, const char*, int);

struct QueueLibrary {
    GetPlotQueues getPlotQueues = nullptr;
    ConstructQueue construct = nullptr;
    DestroyQueue destroy = nullptr;
    GetMedia getMedia = nullptr;
};

const QueueLibrary& TheQueueLibrary() {
    return BoundOnce<QueueLibrary>(devqueue::kFileName, [](HMODULE module) {
        QueueLibrary bound{ResolveExport<GetPlotQueues>(module, devqueue::kGetPlotQueues),
                           ResolveExport<ConstructQueue>(module, devqueue::kConstructQueue),
                           ResolveExport<DestroyQueue>(module, devqueue::kDestroyQueue),
                           ResolveExport<GetMedia>(module, devqueue::kGetMedia)};
        if (!bound.construct || !bound.destroy || !bound.getMedia) bound.construct = nullptr;
        return bound;
    });
}

// Copies each name as it comes: the library's strings stay the library's.
void __cdecl AddName(void* owner, const char* name) {
    if (name) static_cast<std::vector<std::string>*>(owner)->emplace_back(name, strnlen(name, 255));
}

}  // namespace

std::vector<std::string> PlotDestinations(const char* fileDestination) {
    const QueueLibrary& library = TheQueueLibrary();
    if (!library.getPlotQueues) return {fileDestination};
    std::vector<std::string> names;
    PlotNameList list{&names, &AddName};
    library.getPlotQueues(list, fileDestination, "LOCAL");
    return names;
}

std::vector<std::string> PlotMedia(const std::string& destination, const char* noneName) {
    const QueueLibrary& library = TheQueueLibrary();
    if (!library.construct) return {noneName};
    std::vector<std::string> names;
    PlotNameList list{&names, &AddName};
    alignas(16) unsigned char queue[devqueue::kQueueObjectSize] = {};
    library.construct(queue, destination.c_str());
    library.getMedia(queue, list, noneName, 1);
    library.destroy(queue);
    return names;
}

}  // namespace optora
