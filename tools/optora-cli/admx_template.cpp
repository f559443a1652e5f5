#include "admx_template.h"

#include <cctype>
#include <cstring>
#include <optional>
#include <utility>

#include "options/policy_offers.h"

namespace optora::cli {
namespace {

constexpr const char* kNamespace = "http://schemas.microsoft.com/GroupPolicy/2006/07/PolicyDefinitions";
constexpr const char* kRoot = "Kestrel";
constexpr const char* kRecommended = "Kestrel_Recommended";
constexpr const char* kSupported = "SUPPORTED_Optora";

std::string Escaped(std::string_view text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

// The schema's names take letters, digits and underscores only: the owned
// key's last part and the value's name, which together are unique.
std::string Identifier(const OwnedValue& owned) {
    const char* last = std::strrchr(owned.key, '\\');
    std::string id;
    for (const char* c = last ? last + 1 : owned.key; *c; ++c)
        if (std::isalnum(static_cast<unsigned char>(*c)) || *c == '_') id += *c;
    id += '_';
    for (const char* c = owned.name; *c; ++c)
        if (std::isalnum(static_cast<unsigned char>(*c)) || *c == '_') id += *c;
    return id;
}

std::string SetCategory(OptionSet set, bool recommended) {
    for (const OptionSetInfo& info : kOptionSets)
        if (info.set == set) return std::string(recommended ? kRecommended : kRoot) + "_" + info.name;
    return kRoot;
}

// The default the table names, when it is a plain number.
std::optional<int64_t> DefaultNumber(const OwnedValue& owned) {
    const char* text = owned.byDefault;
    if (!*text) return std::nullopt;
    int64_t number = 0;
    for (; *text; ++text) {
        if (!std::isdigit(static_cast<unsigned char>(*text))) return std::nullopt;
        number = number * 10 + (*text - '0');
    }
    return number;
}

// The table's meaning without its note on what a dialog stores with nothing chosen.
std::string EnglishExplain(const OwnedValue& owned) {
    std::string meaning = owned.meaning;
    const std::size_t note = meaning.rfind(" (");
    const std::string chosen = "none chosen)";
    if (note != std::string::npos && meaning.size() > chosen.size() &&
        meaning.compare(meaning.size() - chosen.size(), chosen.size(), chosen) == 0)
        meaning.erase(note);
    return meaning + (owned.variants ? ". It applies to every application's variant of these options." : ".");
}

std::string GermanExplain(const OwnedValue& owned, const PolicyOffer& offer) {
    return std::string(offer.germanExplain) + (owned.variants ? " Gilt für die Variante jeder Anwendung." : "");
}

// Strings and presentations, once in each language, in the order defined.
struct Resources {
    std::vector<std::pair<std::string, std::string>> strings[2];
    std::string presentations[2];

    void Add(const std::string& id, const std::string& english, const std::string& german) {
        strings[0].emplace_back(id, english);
        strings[1].emplace_back(id, german);
    }
};

std::string PresentationBody(const OwnedValue& owned, const PolicyOffer& offer, const std::string& label) {
    const std::string id = Identifier(owned);
    const std::optional<int64_t> byDefault = DefaultNumber(owned);
    switch (offer.presentation) {
        case PolicyOffer::CheckBox:
            return "<checkBox refId=\"" + id + "\" defaultChecked=\"" + (byDefault == 1 ? "true" : "false") + "\">" +
                   label + "</checkBox>";
        case PolicyOffer::Decimal:
            return "<decimalTextBox refId=\"" + id + "\" defaultValue=\"" +
                   std::to_string(byDefault.value_or(PolicyLowest(owned))) + "\">" + label + "</decimalTextBox>";
        case PolicyOffer::ChoiceList: {
            std::string item;
            for (int i = 0; offer.choices[i].value; ++i)
                if (byDefault && std::to_string(*byDefault) == offer.choices[i].value)
                    item = " defaultItem=\"" + std::to_string(i) + "\"";
            return "<dropdownList refId=\"" + id + "\" noSort=\"true\"" + item + ">" + label + "</dropdownList>";
        }
        case PolicyOffer::Text:
            return "<textBox refId=\"" + id + "\"><label>" + label + "</label></textBox>";
        case PolicyOffer::NotOffered:
            break;
    }
    return {};
}

std::string Value(const OwnedValue& owned, const PolicyOffer& offer, const char* value) {
    return PolicyType(owned, offer) == kTypeText ? "<string>" + Escaped(value) + "</string>"
                                                 : "<decimal value=\"" + std::string(value) + "\" />";
}

std::string Element(const OwnedValue& owned, const PolicyOffer& offer, const std::string& stringPrefix) {
    const std::string head = "id=\"" + Identifier(owned) + "\" valueName=\"" + Escaped(owned.name) + "\"";
    switch (offer.presentation) {
        case PolicyOffer::CheckBox:
            return "        <boolean " + head +
                   ">\n          <trueValue><decimal value=\"1\" /></trueValue>\n"
                   "          <falseValue><decimal value=\"0\" /></falseValue>\n        </boolean>\n";
        case PolicyOffer::Decimal:
            return "        <decimal " + head + " required=\"true\" minValue=\"" + std::to_string(PolicyLowest(owned)) +
                   "\" maxValue=\"" + std::to_string(PolicyHighest(owned)) + "\" />\n";
        case PolicyOffer::ChoiceList: {
            std::string items;
            for (int i = 0; offer.choices[i].value; ++i)
                items += "          <item displayName=\"$(string." + stringPrefix + std::to_string(i) + ")\"><value>" +
                         Value(owned, offer, offer.choices[i].value) + "</value></item>\n";
            return "        <enum " + head + " required=\"true\">\n" + items + "        </enum>\n";
        }
        case PolicyOffer::Text:
            return "        <text " + head + " maxLength=\"" + std::to_string(owned.size - 1) + "\" />\n";
        case PolicyOffer::NotOffered:
            break;
    }
    return {};
}

std::string Policy(const OwnedValue& owned, const PolicyOffer& offer, bool recommended) {
    const std::string id = Identifier(owned);
    return "    <policy name=\"" + id + (recommended ? "_Recommended" : "") +
           "\" class=\"Both\" displayName=\"$(string." + id + ")\" explainText=\"$(string." + id +
           "_Explain)\" presentation=\"$(presentation." + id + ")\" key=\"" + Escaped(PolicyKey(owned, recommended)) +
           "\">\n      <parentCategory ref=\"" + SetCategory(owned.set, recommended) +
           "\" />\n      <supportedOn ref=\"" + kSupported + "\" />\n      <elements>\n" +
           Element(owned, offer, id + "_") + "      </elements>\n    </policy>\n";
}

std::string Category(const std::string& name, const std::string& parent) {
    return "    <category name=\"" + name + "\" displayName=\"$(string." + name + ")\"" +
           (parent.empty() ? " />\n" : ">\n      <parentCategory ref=\"" + parent + "\" />\n    </category>\n");
}

std::string Adml(const Resources& resources, int language) {
    std::string text = std::string(
                           "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<policyDefinitionResources "
                           "revision=\"1.0\" schemaVersion=\"1.0\" xmlns=\"") +
                       kNamespace + "\">\n  <displayName>" +
                       (language == 0 ? "Kestrel optora settings" : "Kestrel-optora-Einstellungen") +
                       "</displayName>\n  <description>" +
                       (language == 0 ? "Settings of the Kestrel suite's applications kept by optora.dll"
                                      : "Von optora.dll verwaltete Einstellungen der Kestrel-Anwendungen") +
                       "</description>\n  <resources>\n    <stringTable>\n";
    for (const auto& [id, value] : resources.strings[language])
        text += "      <string id=\"" + id + "\">" + Escaped(value) + "</string>\n";
    return text + "    </stringTable>\n    <presentationTable>\n" + resources.presentations[language] +
           "    </presentationTable>\n  </resources>\n</policyDefinitionResources>\n";
}

std::string Crlf(const std::string& text) {
    std::string out;
    for (char c : text) out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return out;
}

}  // namespace

std::vector<TemplateFile> AdministrativeTemplates() {
    Resources resources;
    resources.Add(kSupported, "Kestrel applications with optora.dll", "Kestrel-Anwendungen mit optora.dll");
    resources.Add(kRoot, "Kestrel", "Kestrel");
    resources.Add(kRecommended, "Default settings (users can override)",
                  "Standardeinstellungen (vom Benutzer änderbar)");
    std::string categories = Category(kRoot, "") + Category(kRecommended, kRoot);
    std::string policies;
    for (const OptionSetInfo& info : kOptionSets) {
        bool offered = false;
        for (std::size_t i = 0; i < kOwnedValueCount; ++i) {
            const OwnedValue& owned = kOwnedValues[i];
            const PolicyOffer* offer = FindOffer(owned);
            if (owned.set != info.set || !offer || offer->presentation == PolicyOffer::NotOffered) continue;
            offered = true;
            const std::string id = Identifier(owned);
            resources.Add(id, offer->english, offer->german);
            resources.Add(id + "_Explain", EnglishExplain(owned), GermanExplain(owned, *offer));
            for (int c = 0; offer->choices && offer->choices[c].value; ++c)
                resources.Add(id + "_" + std::to_string(c), offer->choices[c].english, offer->choices[c].german);
            for (int language = 0; language < 2; ++language)
                resources.presentations[language] +=
                    "      <presentation id=\"" + id + "\">\n        " +
                    PresentationBody(owned, *offer, Escaped(language == 0 ? offer->english : offer->german)) +
                    "\n      </presentation>\n";
            policies += Policy(owned, *offer, false) + Policy(owned, *offer, true);
        }
        if (!offered) continue;
        const PolicySetName& name = PolicySetNameOf(info.set);
        for (bool recommended : {false, true}) {
            resources.Add(SetCategory(info.set, recommended), name.english, name.german);
            categories += Category(SetCategory(info.set, recommended), recommended ? kRecommended : kRoot);
        }
    }

    const std::string admx =
        std::string(
            "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<policyDefinitions revision=\"1.0\" "
            "schemaVersion=\"1.0\" xmlns=\"") +
        kNamespace +
        "\">\n  <policyNamespaces>\n    <target prefix=\"optora\" namespace=\"Kestrel.Policies.Optora\" />\n"
        "  </policyNamespaces>\n  <resources minRequiredRevision=\"1.0\" />\n  <supportedOn>\n    <definitions>\n"
        "      <definition name=\"" +
        kSupported + "\" displayName=\"$(string." + kSupported +
        ")\" />\n    </definitions>\n  </supportedOn>\n  <categories>\n" + categories +
        "  </categories>\n  <policies>\n" + policies + "  </policies>\n</policyDefinitions>\n";
    return {{"", "optora.admx", Crlf(admx)},
            {"en-US", "optora.adml", Crlf(Adml(resources, 0))},
            {"de-DE", "optora.adml", Crlf(Adml(resources, 1))}};
}

}  // namespace optora::cli
