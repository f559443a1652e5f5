// stordb.dll: stand-in for the suite's storage-area database, which this
// machine does not have. It offers the two calls optora relies on, under the
// C++ (MSVC-decorated) names that the suite's own library exports, so optora
// binds the stand-in and the real library alike.
//
// On-disk format (chosen for the stand-in; optora never reads it directly):
// - A storage area "<drive>:<AREA>" is the directory
//   "<drive>:\userroot\storage\<AREA>" holding the two subdirectories "data"
//   and "param". A directory lacking either is not a storage area.
// - A control file ("rutab.ctl", "piece.ctl", "usrpt.ctl", ...) lists item
//   names, one per line (LF or CR LF). Blanks around a name are ignored and
//   names compare without regard to ASCII case. An item name has at most 20
//   bytes; longer lines never match.
// - A control file that is missing, unreadable, larger than 1 MiB or holds a
//   zero byte (not text) holds no items.
// - Like the suite's library, it keeps a path it is handed in 260 bytes and
//   a name in 21, cutting longer ones: callers must not hand it longer ones.
#pragma once

// The caller provides 192 bytes for the entry of a found item.
struct CTRL_ENTRY_INFO {
    char name[21];    // the item name as listed, zero-terminated
    char reserved[3];
    int line;         // 1-based line of the entry in the control file
    char spare[164];
};
static_assert(sizeof(CTRL_ENTRY_INFO) == 192, "callers provide exactly 192 bytes");

// 1 and *count = 1 when path is a storage area; its name goes into names
// (cut to nameSize - 1 bytes). Otherwise 0 and *count = 0.
int cc_get_area_names(const char* path, char* names, int nameSize, unsigned long* count);

// 1 when the control file lists the item (info then describes it), else 0.
int cc_lookup_item(const char* controlFile, const char* name, CTRL_ENTRY_INFO* info);
