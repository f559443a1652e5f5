#pragma once
#include <string>
#include <string_view>

namespace optora {

// Directories stored by older versions may lack a drive or carry doubled
// separators; these give the form the suite's programs expect.

// Collapses every run of backslashes to one.
std::string CollapseBackslashes(std::string_view path);

// A path without ":" is taken as relative to driveRoot, joined without a
// separator (\DATA under C:\USERROOT gives C:\USERROOT\DATA); then collapsed.
std::string AnchoredPath(std::string_view path, std::string_view driveRoot);

// Extensions are held without dots: .HP.GL gives HPGL.
std::string WithoutDots(std::string_view extension);

}  // namespace optora
