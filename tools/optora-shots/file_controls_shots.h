#pragma once
#include <string>

// The file controls' own dialog, then the storage-area field's context menu
// over it and the chooser its F4 opens, as PNG files in the directory; the
// number of pictures that could not be taken. COM must be initialised.
int ShootFileControls(const std::string& directory);
