#include "options/file_stamp.h"

namespace optora {

StampVerdict JudgeStamp(const FileStamp& seen, std::uint64_t confirmedAt, const FileStamp& now) {
    if (seen != now) return StampVerdict::kChanged;
    if (!seen.exists) return StampVerdict::kSame;
    // Any write after confirmedAt leaves a last-write time past this one.
    const bool settled = seen.lastWritten < confirmedAt && confirmedAt - seen.lastWritten > kStampGranularity;
    return settled ? StampVerdict::kSame : StampVerdict::kCompareBytes;
}

}  // namespace optora
