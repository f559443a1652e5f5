// An application reading the cut options in a loop while others save them.
// Usage: record_reader MILLISECONDS [CUT_APPLICATION]
// Prints every distinct record it was handed, one a line ("count<TAB>fields").
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "optora.h"

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    HMODULE library = LoadLibraryA("optora.dll");
    if (!library) return 3;
    const auto entry = [library](const char* name) { return reinterpret_cast<void*>(GetProcAddress(library, name)); };
    const auto setApp = reinterpret_cast<void (*)(const char*)>(entry("optora_setcutapp"));
    const auto get = reinterpret_cast<CutOptions_tag* (*)()>(entry("optora_getcutoptions"));
    if (!setApp || !get) return 4;
    if (argc > 2) setApp(argv[2]);

    std::map<std::string, long> seen;
    const DWORD duration = std::strtoul(argv[1], nullptr, 10), start = GetTickCount();
    while (GetTickCount() - start < duration) {
        const CutOptions_tag* cut = get();
        char fields[1400];
        std::snprintf(fields, sizeof fields, "%s|%s|%s|%s|%d%d%d%d%d%d%d", cut->DosCutPath, cut->DosCutExtension,
                      cut->CutFormat, cut->CutDefaultParamTbl, cut->SaveToStorageArea, cut->Export, cut->AutoCut,
                      cut->DosNameFormat, cut->DosExtType, cut->FilenameAppendCnt, cut->Bundles_By);
        ++seen[fields];
    }
    for (const auto& [fields, count] : seen) std::printf("%ld\t%s\n", count, fields.c_str());
    return 0;
}
