#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "options/file_stamp.h"

namespace optora {

// What one load saw of the device file, enough to tell later whether the
// file may hold something else, without reading it while its stamp can be
// trusted (reading it costs more than a whole load's registry reads).
class DeviceFileSeen {
public:
    // The file's stamp and the clock, taken before it is read.
    struct Glance {
        FileStamp stamp;
        std::uint64_t at = 0;
    };
    static Glance GlanceAt(const char* path);

    // A new load starts: nothing seen yet.
    void Forget();
    // The load read the file at path (glanced at just before), finding these
    // bytes, or none when it could not read it.
    void Saw(const char* path, const Glance& before, std::optional<std::string_view> bytes);
    // True when the file may differ from what the load saw; never false when
    // it does differ, short of a writer putting back times that had already
    // grown old. May read the file, and then remembers when its bytes were
    // last confirmed.
    bool MayDiffer();

private:
    bool seen_ = false;
    bool consistent_ = true;  // what was seen can be compared with later
    std::string path_;
    Glance glance_;
    std::optional<std::string> bytes_;
};

}  // namespace optora
