#pragma once
#include <string>
#include <vector>

namespace optora::cli {

// One file of the administrative templates: `folder` is empty for the .admx
// and the language (en-US, de-DE) for an .adml.
struct TemplateFile {
    std::string folder;
    std::string name;
    std::string text;  // UTF-8, CRLF line ends as Windows' own templates have
};

// optora.admx and its English and German optora.adml, from the settings
// table: per offered value a mandatory policy and a recommended one (users
// may override it), both for machine and user, in one category per option set.
std::vector<TemplateFile> AdministrativeTemplates();

}  // namespace optora::cli
