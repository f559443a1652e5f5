#pragma once

// The storage-area database exports C++ functions under MSVC's decoration;
// whoever binds them (the library, the administrator's tool) uses these.
namespace optora::stordb {
#ifdef _WIN64
inline constexpr const char* kGetAreaNames = "?cc_get_area_names@@YAHPEBDPEADHPEAK@Z";
inline constexpr const char* kLookupItem = "?cc_lookup_item@@YAHPEBD0PEAUCTRL_ENTRY_INFO@@@Z";
#else
inline constexpr const char* kGetAreaNames = "?cc_get_area_names@@YAHPBDPADHPAK@Z";
inline constexpr const char* kLookupItem = "?cc_lookup_item@@YAHPBD0PAUCTRL_ENTRY_INFO@@@Z";
#endif
inline constexpr const char* kFileName = "stordb.dll";
}  // namespace optora::stordb
