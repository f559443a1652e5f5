#include "store/storage_database.h"

#include <windows.h>

#include <cstring>

#include "frame/beside_library.h"
#include "store/item_name.h"
#include "store/stordb_exports.h"

namespace optora {
namespace {

struct CtrlEntryInfo {
    char bytes[192];  // the database fills it; nothing here reads it
};

using GetAreaNames = int (*)(const char*, char*, int, unsigned long*);
using LookupItem = int (*)(const char*, const char*, CtrlEntryInfo*);

struct Database {
    GetAreaNames getAreaNames = nullptr;
    LookupItem lookupItem = nullptr;
};

const Database& TheDatabase() {
    return BoundOnce<Database>(stordb::kFileName, [](HMODULE module) {
        return Database{ResolveExport<GetAreaNames>(module, stordb::kGetAreaNames),
                        ResolveExport<LookupItem>(module, stordb::kLookupItem)};
    });
}

// The database copies what it is handed into buffers of these sizes; what
// would not fit is no name or path it could hold, and never reaches it.
bool FitsPath(const char* path) { return path && strnlen(path, MAX_PATH) < MAX_PATH; }
bool FitsItemName(const char* name) { return name && strnlen(name, ItemName::kMaxLength + 1) <= ItemName::kMaxLength; }

}  // namespace

bool StorageDatabaseAvailable() {
    const Database& database = TheDatabase();
    return database.getAreaNames && database.lookupItem;
}

bool StorageAreaListed(const char* areaPath) {
    const Database& database = TheDatabase();
    if (!database.getAreaNames || !FitsPath(areaPath)) return false;
    char names[21] = {};
    unsigned long count = 1;
    return database.getAreaNames(areaPath, names, sizeof names, &count) == 1 && count == 1;
}

bool ControlFileLists(const char* controlFile, const char* itemName) {
    const Database& database = TheDatabase();
    if (!database.lookupItem || !FitsPath(controlFile) || !FitsItemName(itemName)) return false;
    CtrlEntryInfo entry = {};
    return database.lookupItem(controlFile, itemName, &entry) == 1;
}

}  // namespace optora
