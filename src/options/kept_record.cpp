#include "options/kept_record.h"

namespace optora {

void LoadInputs::Begin(std::uint64_t registryGeneration) {
    registryGeneration_ = registryGeneration;
    std::memcpy(cutApp_, CutAppName().Text(), sizeof cutApp_);
    std::memcpy(plotApp_, PlotAppName().Text(), sizeof plotApp_);
    deviceFile_.Forget();
}

bool LoadInputs::Unchanged(std::uint64_t registryGeneration) {
    // The names are compared as set: a variant is chosen by exact name.
    return registryGeneration == registryGeneration_ && std::strcmp(cutApp_, CutAppName().Text()) == 0 &&
           std::strcmp(plotApp_, PlotAppName().Text()) == 0 && !deviceFile_.MayDiffer();
}

}  // namespace optora
