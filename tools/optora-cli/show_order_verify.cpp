#include <string>

#include "binding.h"
#include "optora.h"
#include "show.h"
#include "store/registry_paths.h"
#include "store/stordb_exports.h"

void ShowOrderOptions() {
    auto get = Bind<OrderOptions_tag* (*)()>("optora_getorderoptions");
    if (!get) return;
    static const char* const kOverwrite[] = {"no", "yes", "prompt"};
    static const char* const kLayrule[] = {"Copy Marker", "Force Layrule", "Layrule Search Table"};
    const OrderOptions_tag* options = get();
    const ShownKey order(optora::keys::kOrderOptions);
    const int overwrite = options->OverwriteMarker;
    const int layrule = options->LayruleMethod;
    order.Value("OverwriteMarker", overwrite, overwrite >= 0 && overwrite <= 2 ? kOverwrite[overwrite] : "unknown");
    order.Number("SplitPieceSeam", options->SplitPieceSeam);
    order.Value("LayruleMethod", layrule, layrule <= 2 ? kLayrule[layrule] : "unknown");
}

namespace {

// What the library finds beside itself: without the database it keeps the
// stored area and grade rule unchecked.
bool StorageDatabaseFound() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(OptoraLibrary(), path, sizeof path);
    if (length == 0 || length >= sizeof path) return false;
    std::string directory(path, length);
    directory.erase(directory.find_last_of("\\/") + 1);
    HMODULE database = LoadLibraryA((directory + optora::stordb::kFileName).c_str());
    if (!database) return false;
    const bool found = GetProcAddress(database, optora::stordb::kGetAreaNames) &&
                       GetProcAddress(database, optora::stordb::kLookupItem);
    FreeLibrary(database);
    return found;
}

}  // namespace

void ShowVerifyOptions() {
    auto get = Bind<VerifyOptions_tag* (*)()>("optora_getverifyoptions");
    if (!get) return;
    if (!StorageDatabaseFound())
        PrintText("note", "storage-area database (stordb.dll) not found: area and grade rule are not checked");
    const VerifyOptions_tag* options = get();
    const ShownKey digitizing(optora::keys::kQuillon);
    ShownKey(optora::keys::kArbor).Text("VerifyStorageArea", options->VerifyStorageArea);
    digitizing.Text("Model", options->Model.Text);
    digitizing.Text("GradeRule", options->GradeRule.Text);
    digitizing.Text("Prefix", options->Prefix.Text);
    digitizing.Text("Category", options->Category.Text);
    digitizing.Value("CategoryChB", options->CategoryChB, options->CategoryChB ? "same as piece name" : nullptr);
    digitizing.Value("StartingNumber", static_cast<int>(options->StartingNumber));
    digitizing.Text("Size", options->Size.Text);
    digitizing.Value("Type", options->Type,
                     options->Type == 1 ? "copy piece" : options->Type == 0 ? "rule table" : nullptr);
}
