#pragma once
#include <string>
#include <vector>

namespace optora {

// The plot destinations the suite's plot-queue library, devqueue.dll, offers,
// in its order; without the library, only the plot-file destination.
std::vector<std::string> PlotDestinations(const char* fileDestination);

// The media of one destination (noneName alone for one without media);
// without the library, noneName alone.
std::vector<std::string> PlotMedia(const std::string& destination, const char* noneName);

}  // namespace optora
