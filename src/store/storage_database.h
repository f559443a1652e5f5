#pragma once

namespace optora {

// The suite's storage-area database, stordb.dll, loaded from beside this
// library on first use. Without it every storage area and item is absent.

// True when the directory path is a storage area the database knows.
bool StorageAreaListed(const char* areaPath);

// True when the control file lists the item.
bool ControlFileLists(const char* controlFile, const char* itemName);

}  // namespace optora
