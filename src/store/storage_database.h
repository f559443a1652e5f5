#pragma once

namespace optora {

// The suite's storage-area database, stordb.dll, loaded from beside this
// library on first use. Without it every storage area and item is absent.

// False when stordb.dll or one of its functions is missing: then nothing can
// be told to exist or not.
bool StorageDatabaseAvailable();

// True when the directory path is a storage area the database knows.
bool StorageAreaListed(const char* areaPath);

// True when the control file lists the item.
bool ControlFileLists(const char* controlFile, const char* itemName);

}  // namespace optora
