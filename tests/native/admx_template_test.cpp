#include "admx_template.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "options/policy_offers.h"
#include "settings_check.h"

using namespace optora;
using namespace optora::cli;

namespace {

// Every text between `open` and the next `close`, in order.
std::vector<std::string> Between(const std::string& text, const std::string& open, const std::string& close) {
    std::vector<std::string> found;
    for (std::size_t at = text.find(open); at != std::string::npos; at = text.find(open, at)) {
        at += open.size();
        found.push_back(text.substr(at, text.find(close, at) - at));
    }
    return found;
}

std::string Duplicate(const std::vector<std::string>& names) {
    std::set<std::string> seen;
    for (const std::string& name : names)
        if (!seen.insert(name).second) return name;
    return {};
}

std::map<std::string, std::string> Files() {
    std::map<std::string, std::string> files;
    for (const TemplateFile& file : AdministrativeTemplates()) files[file.folder] = file.text;
    return files;
}

}  // namespace

TEST(AdmxTemplate, EachFileIsValidAgainstTheSchema) {
    // The schema's target namespace is not the one Windows loads templates by.
    const std::string loaded = "http://schemas.microsoft.com/GroupPolicy/2006/07/PolicyDefinitions";
    for (auto [folder, text] : Files()) {
        text.replace(text.find(loaded), loaded.size(), "http://www.microsoft.com/GroupPolicy/PolicyDefinitions");
        const std::string path = std::string(OPTORA_TEST_OUT) + "/admx_" + (folder.empty() ? "admx" : folder) + ".xml";
        std::ofstream(path, std::ios::binary) << text;
        const std::string command = "xmllint --noout --schema " OPTORA_SOURCE_DIR
                                    "/tests/admx-schema/PolicyDefinitionFiles.xsd " +
                                    path + " > " + path + ".log 2>&1";
        std::stringstream log;
        const int status = std::system(command.c_str());
        log << std::ifstream(path + ".log").rdbuf();
        EXPECT_EQ(status, 0) << (folder.empty() ? "optora.admx" : folder) << "\n" << log.str();
    }
}

TEST(AdmxTemplate, EveryReferenceIsDefinedAndEveryPolicyWritesAnOwnedValue) {
    auto files = Files();
    const std::string& admx = files[""];
    const auto strings = Between(files["en-US"], "<string id=\"", "\"");
    const auto presentations = Between(files["en-US"], "<presentation id=\"", "\"");
    EXPECT_EQ(Between(files["de-DE"], "<string id=\"", "\""), strings) << "the German file is incomplete";
    EXPECT_EQ(Between(files["de-DE"], "<presentation id=\"", "\""), presentations);
    for (const auto& names :
         {strings, presentations, Between(admx, "<policy name=\"", "\""), Between(admx, "<category name=\"", "\"")})
        EXPECT_EQ(Duplicate(names), "");
    for (const std::string& id : Between(admx, "$(string.", ")"))
        EXPECT_EQ(std::count(strings.begin(), strings.end(), id), 1) << id;
    for (const std::string& id : Between(admx, "$(presentation.", ")"))
        EXPECT_EQ(std::count(presentations.begin(), presentations.end(), id), 1) << id;

    const auto policies = Between(admx, "<policy ", "</policy>");
    std::size_t offered = 0;
    for (std::size_t i = 0; i < kPolicyOfferCount; ++i)
        offered += kPolicyOffers[i].presentation != PolicyOffer::NotOffered;
    EXPECT_EQ(policies.size(), 2 * offered) << "a mandatory and a recommended form of each offered value";
    const std::string mandatory = "Software\\Policies\\Kestrel\\";
    for (const std::string& policy : policies) {
        const std::string name = Between(policy, "name=\"", "\"").at(0);
        std::string key = Between(policy, "key=\"", "\"").at(0);
        ASSERT_EQ(key.rfind(mandatory, 0), 0u) << name;
        key.erase(0, mandatory.size());
        const bool recommended = key.rfind("Recommended\\", 0) == 0;
        EXPECT_EQ(recommended, name.size() > 12 && name.substr(name.size() - 12) == "_Recommended") << name;
        const auto values = Between(policy, "valueName=\"", "\"");
        ASSERT_EQ(values.size(), 1u) << name;
        const OwnedValue* owned = FindOwned("Software\\Kestrel\\" + key.substr(recommended ? 12 : 0), values[0]);
        ASSERT_TRUE(owned) << name << " writes " << key << " " << values[0];
        EXPECT_NE(FindOffer(*owned)->presentation, PolicyOffer::NotOffered) << name;
        // Every number and choice it writes, as the library would store it.
        auto picks = Between(policy, "alue=\"", "\"");  // value, minValue, maxValue
        for (const std::string& text : Between(policy, "<string>", "</string>")) picks.push_back(text);
        for (const std::string& pick : picks) {
            std::string data = pick + '\0';
            if (owned->type == kTypeBinary) {
                const int32_t number = std::stoi(pick);
                data = std::string(reinterpret_cast<const char*>(&number), owned->size);
            }
            EXPECT_EQ(Refusal(owned->key, {owned->name, owned->type, data, 0, {}}), "") << name << " " << pick;
        }
        // A decimal leaves a choice, and none the library's signed read turns negative.
        for (const std::string& element : Between(policy, "<decimal id=", "/>")) {
            const int64_t lowest = std::stoll(Between(element, "minValue=\"", "\"").at(0));
            const int64_t highest = std::stoll(Between(element, "maxValue=\"", "\"").at(0));
            EXPECT_LT(lowest, highest) << name;
            EXPECT_LE(highest, INT32_MAX) << name;
        }
        // The presentation shows the policy's own element.
        const std::string shown = Between(policy, "$(presentation.", ")").at(0);
        const std::string presentation =
            Between(files["en-US"], "<presentation id=\"" + shown + "\">", "</presentation>").at(0);
        EXPECT_EQ(Between(presentation, "refId=\"", "\""), Between(policy, " id=\"", "\"")) << name;
    }
}

TEST(AdmxTemplate, ThePackagedFilesAreWhatTheGeneratorMakes) {
    for (const TemplateFile& file : AdministrativeTemplates()) {
        const std::string path =
            OPTORA_SOURCE_DIR "/policy/" + (file.folder.empty() ? "" : file.folder + "/") + file.name;
        std::stringstream committed;
        committed << std::ifstream(path, std::ios::binary).rdbuf();
        EXPECT_TRUE(committed.str() == file.text)
            << path << " is out of date: run `scripts/run.sh admx policy` at the project root and commit policy/";
    }
}
