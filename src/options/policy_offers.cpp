#include "options/policy_offers.h"

#include <algorithm>
#include <cstring>

#include "store/registry_paths.h"

namespace optora {
namespace {

// Only the choices the dialogs offer: never "none chosen".
const PolicyChoice kNotations[] = {{"0", "Metric", "Metrisch"}, {"1", "Imperial", "Imperial (Zoll)"}, {}};
const PolicyChoice kBundles[] = {{"0", "Marker", "Schnittbild"}, {"1", "Model", "Modell"}, {}};
const PolicyChoice kGradeMethods[] = {
    {"Small-Large Incremental", "Small-Large Incremental", "Klein-Groß inkrementell"},
    {"Base Up-Down Cumulative", "Base Up-Down Cumulative", "Basis auf-ab kumulativ"},
    {"Base Up-Down Incremental", "Base Up-Down Incremental", "Basis auf-ab inkrementell"},
    {}};
const PolicyChoice kCutFormats[] = {{"33format", "Format 33", "Format 33"},
                                    {"42format", "Format 42", "Format 42"},
                                    {"43format", "Format 43", "Format 43"},
                                    {}};
const PolicyChoice kNameFormats[] = {{"0", "Eight characters", "Acht Zeichen"}, {"1", "Long", "Lang"}, {}};
const PolicyChoice kExtensionTypes[] = {{"0", "The given extension", "Die angegebene Endung"},
                                        {"1", "A count (.000)", "Ein Zähler (.000)"},
                                        {"2", "After the last dash", "Nach dem letzten Bindestrich"},
                                        {"3", "None", "Keine"},
                                        {}};
const PolicyChoice kPlotTypes[] = {
    {"0", "Generic", "Generisch"}, {"1", "HPGL", "HPGL"}, {"2", "DXF", "DXF"}, {"3", "ASTM", "ASTM"}, {}};
const PolicyChoice kPlotOutputs[] = {{"0", "A plot queue", "Eine Plotwarteschlange"},
                                     {"1", "A file in the plot directory", "Eine Datei im Plotverzeichnis"},
                                     {}};
const PolicyChoice kUtilizations[] = {{"0", "Used %", "Genutzt in %"}, {"1", "Waste %", "Verschnitt in %"}, {}};
const PolicyChoice kLengthUnits[] = {
    {"0", "Yards and inches (meters and centimeters)", "Yards und Zoll (Meter und Zentimeter)"},
    {"1", "Decimal yards (meters)", "Dezimale Yards (Meter)"},
    {}};
const PolicyChoice kOverwrites[] = {{"0", "No", "Nein"}, {"1", "Yes", "Ja"}, {"2", "Ask", "Nachfragen"}, {}};
const PolicyChoice kLayruleMethods[] = {{"0", "Copy Marker", "Schnittbild kopieren"},
                                        {"1", "Force Layrule", "Legeregel erzwingen"},
                                        {"2", "Layrule Search Table", "Legeregel-Suchtabelle"},
                                        {}};
const PolicyChoice kGradingSources[] = {
    {"0", "A rule table", "Eine Regeltabelle"}, {"1", "A piece to copy", "Ein zu kopierendes Teil"}, {}};

const PolicySetName kSetNames[] = {
    {OptionSet::Preferences, "Preferences", "Voreinstellungen"},
    {OptionSet::GradeOption, "Grade options", "Gradierungsoptionen"},
    {OptionSet::Alteration, "Alteration", "Änderung"},
    {OptionSet::Cut, "Cut options", "Schneideoptionen"},
    {OptionSet::Plot, "Plot options", "Plotoptionen"},
    {OptionSet::Order, "Order options", "Auftragsoptionen"},
    {OptionSet::Verify, "Digitize options", "Digitalisieroptionen"},
    {OptionSet::StorageArea, "Storage-area chooser", "Auswahl des Ablagebereichs"},
};

}  // namespace

using P = PolicyOffer;
using namespace keys;

const PolicyOffer kPolicyOffers[] = {
    {kArbor, "Notation", P::ChoiceList, "Units of lengths", "Maßeinheit für Längen",
     "Maßsystem, in dem Längen angezeigt werden.", kNotations},
    {kArbor, "Precision", P::Decimal, "Decimal places of lengths", "Nachkommastellen von Längen",
     "Anzahl der Nachkommastellen, mit denen Längen angezeigt werden."},
    {kArbor, "Alteration", P::Decimal, "Alteration number", "Änderungsnummer",
     "Änderung: eine Zahl für die ganze Suite, deren Bedeutung die Anwendungen bestimmen."},
    {kArbor, "Bundles_By", P::ChoiceList, "Bundles by", "Bündel nach",
     "Wonach Bündel gebildet werden; Schneide- und Plotoptionen teilen diese Einstellung.", kBundles},
    {kArbor, "VerifyStorageArea", P::Text, "Digitize storage area", "Ablagebereich beim Digitalisieren",
     "Laufwerk und Ablagebereich, die digitalisierte Teile aufnehmen."},
    {kArbor, "Device", P::NotOffered, "it remembers where the chooser was left, nothing to enforce"},
    {kArbor, "Storage Area", P::NotOffered, "it remembers where the chooser was left, nothing to enforce"},
    {kVelorSettings, "Bundles_By", P::NotOffered, "a copy written with the one under Arbor and never read"},
    {kGradeOptions, "Grade Method", P::ChoiceList, "Grade method", "Gradierungsmethode",
     "Wie Gradierungsregeln angewandt werden.", kGradeMethods},

    {kCutOptions, "DosCutPath", P::Text, "Cut directory", "Schneideverzeichnis",
     "Verzeichnis, in das exportierte Schneidedateien geschrieben werden."},
    {kCutOptions, "DosCutExtension", P::Text, "Cut file extension", "Endung der Schneidedateien",
     "Endung der Schneidedateien, wenn DosExtType 0 ist; Punkte werden entfernt."},
    {kCutOptions, "SaveToStorageArea", P::CheckBox, "Save cut files into the current storage area",
     "Schneidedateien im aktuellen Ablagebereich speichern",
     "Schneidedateien werden im aktuellen Ablagebereich gespeichert."},
    {kCutOptions, "Export", P::CheckBox, "Export cut files", "Schneidedateien exportieren",
     "Schneidedateien werden in das Schneideverzeichnis exportiert."},
    {kCutOptions, "CutFormat", P::ChoiceList, "Cut file format", "Format der Schneidedateien",
     "Format, in dem Schneidedateien geschrieben werden.", kCutFormats},
    {kCutOptions, "AutoCut", P::CheckBox, "Cut automatically", "Automatisch schneiden",
     "Es wird automatisch geschnitten."},
    {kCutOptions, "CutDefaultParamTbl", P::Text, "Default cutter parameter table",
     "Standard-Parametertabelle des Cutters", "Parametertabelle des Cutters, die vorgewählt ist."},
    {kCutOptions, "DosNameFormat", P::ChoiceList, "Cut file names", "Namen der Schneidedateien",
     "Ob Namen der Schneidedateien acht Zeichen oder lang sind.", kNameFormats},
    {kCutOptions, "DosExtType", P::ChoiceList, "Cut file extension type", "Art der Endung der Schneidedateien",
     "Woher die Endung der Schneidedateien kommt.", kExtensionTypes},
    {kCutOptions, "FilenameAppendCnt", P::CheckBox, "Append a count to cut file names",
     "Zähler an Namen der Schneidedateien anhängen",
     "An Namen der Schneidedateien wird ein Zähler angehängt (File000)."},

    {kPlotOptions, "DosPlotType", P::ChoiceList, "Plot file type", "Art der Plotdateien",
     "Format, in dem Plotdateien geschrieben werden.", kPlotTypes},
    {kPlotOptions, "DosPlotPath", P::Text, "Plot directory", "Plotverzeichnis",
     "Verzeichnis, in das Plotdateien geschrieben werden."},
    {kPlotOptions, "ImagePath", P::Text, "Plot image directory", "Verzeichnis der Plotbilder",
     "Standardverzeichnis der Plotbilder."},
    {kPlotOptions, "ImageType", P::Text, "Image type", "Bildtyp",
     "Standardbildtyp: der Dialog bietet JPEG, EMF und BMP an und übernimmt, was eingegeben wird."},
    {kPlotOptions, "DefaultPlotQueue", P::Text, "Default plot destination", "Standard-Plotziel",
     "Eine Plotwarteschlange oder das Ziel der Plotdateien."},
    {kPlotOptions, "DefaultPlotMedia", P::Text, "Default plot media", "Standard-Plotmedium",
     "Medium des Standard-Plotziels."},
    {kPlotOptions, "DefaultPlotOutput", P::ChoiceList, "Plots go to", "Plots gehen an",
     "Ob Plots an eine Plotwarteschlange oder in eine Datei im Plotverzeichnis gehen.", kPlotOutputs},
    {kPlotOptions, "AutoPlot", P::CheckBox, "Plot automatically", "Automatisch plotten",
     "Es wird automatisch geplottet (für PIECEPLOT_PLOT_OPTIONS nie gelesen)."},
    {kPlotOptions, "WastePercentage", P::ChoiceList, "Utilization shown as", "Ausnutzung anzeigen als",
     "Ob die Ausnutzung als genutzter Anteil oder als Verschnitt angezeigt wird.", kUtilizations},
    {kPlotOptions, "DecimalYards", P::ChoiceList, "Lengths shown as", "Längen anzeigen als",
     "Ob Längen in Yards und Zoll (Meter und Zentimeter) oder in dezimalen Yards (Meter) angezeigt werden.",
     kLengthUnits},
    {kPlotOptions, "PlotDosNameFormat", P::ChoiceList, "Plot file names", "Namen der Plotdateien",
     "Ob Namen der Plotdateien acht Zeichen oder lang sind.", kNameFormats},
    {kPlotOptions, "PlotDosExtType", P::ChoiceList, "Plot file extension type", "Art der Endung der Plotdateien",
     "Woher die Endung der Plotdateien kommt.", kExtensionTypes},
    {kPlotOptions, "PlotDosExt", P::Text, "Plot file extension", "Endung der Plotdateien",
     "Endung der Plotdateien, wenn PlotDosExtType 0 ist; Punkte werden entfernt."},
    {kPlotOptions, "PlotFilenameAppendCnt", P::CheckBox, "Append a count to plot file names",
     "Zähler an Namen der Plotdateien anhängen", "An Namen der Plotdateien wird ein Zähler angehängt (File000)."},

    {kOrderOptions, "OverwriteMarker", P::ChoiceList, "Overwrite an existing marker",
     "Vorhandenes Schnittbild überschreiben",
     "Ob ein vorhandenes Schnittbild überschrieben wird, oder ob nachgefragt wird.", kOverwrites},
    {kOrderOptions, "SplitPieceSeam", P::NotOffered,
     "an 8-byte double, and a template carries whole numbers and texts only"},
    {kOrderOptions, "LayruleMethod", P::ChoiceList, "Layrule method", "Legeregel-Methode",
     "Wie die Legeregel eines Auftrags bestimmt wird.", kLayruleMethods},

    {kQuillon, "Category", P::Text, "Piece category", "Teilekategorie", "Kategorie digitalisierter Teile."},
    {kQuillon, "Type", P::ChoiceList, "Grading comes from", "Gradierung kommt aus",
     "Ob die Gradierung aus einer Regeltabelle oder von einem zu kopierenden Teil kommt.", kGradingSources},
    {kQuillon, "Model", P::Text, "Model", "Modell",
     "Modell, dem digitalisierte Teile hinzugefügt werden (ein Name in Großbuchstaben)."},
    {kQuillon, "Prefix", P::Text, "Piece name prefix", "Präfix der Teilenamen",
     "Präfix der Namen digitalisierter Teile."},
    {kQuillon, "GradeRule", P::Text, "Rule table or piece", "Regeltabelle oder Teil",
     "Regeltabelle (Type 0) oder Teil (Type 1), aus dem die Gradierung kommt."},
    {kQuillon, "CategoryChB", P::CheckBox, "Category is the piece name", "Kategorie ist der Teilename",
     "Die Kategorie ist der Name des Teils."},
    {kQuillon, "StartingNumber", P::Decimal, "Starting piece number", "Erste Teilenummer", "Nummer des ersten Teils."},
    {kQuillon, "Size", P::Text, "Size digitized", "Digitalisierte Größe", "Größe, die digitalisiert wird."},
};
const std::size_t kPolicyOfferCount = sizeof kPolicyOffers / sizeof kPolicyOffers[0];

const PolicyOffer* FindOffer(const OwnedValue& owned) {
    for (const PolicyOffer& offer : kPolicyOffers)
        if (std::strcmp(offer.key, owned.key) == 0 && std::strcmp(offer.name, owned.name) == 0) return &offer;
    return nullptr;
}

const PolicySetName& PolicySetNameOf(OptionSet set) {
    for (const PolicySetName& name : kSetNames)
        if (name.set == set) return name;
    return kSetNames[0];
}

std::string PolicyKey(const OwnedValue& owned, bool recommended) {
    return std::string("Software\\Policies\\Kestrel\\") + (recommended ? "Recommended\\" : "") +
           (owned.key + std::strlen(keys::kKestrel) + 1);  // past its backslash
}

uint32_t PolicyType(const OwnedValue& owned, const PolicyOffer& offer) {
    return offer.presentation == P::Text || owned.allowed.kind == Allowed::Choices ? kTypeText : kTypeDword;
}

int64_t PolicyLowest(const OwnedValue& owned) { return std::max<int64_t>(owned.allowed.lowest, 0); }

int64_t PolicyHighest(const OwnedValue& owned) {
    return owned.allowed.kind == Allowed::Anything ? INT32_MAX : owned.allowed.highest;
}

}  // namespace optora
