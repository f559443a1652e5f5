#pragma once
#include <cstdint>

namespace optora {

// What a file's directory entry tells without opening it. Times are in
// 100-nanosecond units, as the system keeps them.
struct FileStamp {
    bool exists = false;
    std::uint64_t size = 0;
    std::uint64_t created = 0;
    std::uint64_t lastWritten = 0;

    bool operator==(const FileStamp& other) const {
        return exists == other.exists && size == other.size && created == other.created &&
               lastWritten == other.lastWritten;
    }
    bool operator!=(const FileStamp& other) const { return !(*this == other); }
};

// Coarser than any file system's last-write time (FAT keeps two seconds).
inline constexpr std::uint64_t kStampGranularity = 3 * 10'000'000ull;

enum class StampVerdict { kChanged, kSame, kCompareBytes };

// Whether a file still holds what was read when it carried stamp `seen`, as
// far as its stamp can tell. `confirmedAt` is the clock, taken before the
// stamp was read, when those bytes last went with that stamp. A same-size
// write within one tick of the last-write time leaves the stamp as it was,
// so a stamp younger than the granularity then proves nothing: the bytes
// must be compared.
StampVerdict JudgeStamp(const FileStamp& seen, std::uint64_t confirmedAt, const FileStamp& now);

}  // namespace optora
