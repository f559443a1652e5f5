#include "settings_file.h"

#include <cstdio>
#include <cstring>

#include "strict_int.h"

namespace optora::cli {
namespace {

constexpr std::string_view kHeader = "REGEDIT4";
constexpr std::string_view kRoot = "HKEY_CURRENT_USER\\";
constexpr std::string_view kDeviceTag = ";dosfile:";
constexpr std::size_t kWrapColumn = 76;  // where the registry editor breaks hex lines

// A text the quoted form keeps byte for byte: one terminator at the end and
// nothing a line could not hold.
bool Quotable(const FileValue& value) {
    if (value.type != kTypeText || value.data.empty() || value.data.back() != '\0') return false;
    for (std::size_t i = 0; i + 1 < value.data.size(); ++i)
        if (static_cast<unsigned char>(value.data[i]) < 0x20) return false;
    return true;
}

std::string Quoted(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"') out += '\\';
        out += c;
    }
    return out + '"';
}

std::string_view Trim(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// A quoted text from `at`, with the only two escapes the format has. Leaves
// `at` after the closing quote.
bool ReadQuoted(std::string_view line, std::size_t& at, std::string& out, std::string& complaint) {
    out.clear();
    for (++at; at < line.size(); ++at) {
        char c = line[at];
        if (c == '"') {
            ++at;
            return true;
        }
        if (c == '\\') {
            if (++at == line.size()) break;
            c = line[at];
            if (c != '\\' && c != '"') {
                complaint = "unknown escape \\" + std::string(1, c);
                return false;
            }
        }
        if (c == '\0') {
            complaint = "a zero byte inside a text";
            return false;
        }
        out += c;
    }
    complaint = "the text has no closing quote (line cut short?)";
    return false;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool ReadHexBytes(std::string_view text, std::string& out, std::string& complaint) {
    out.clear();
    text = Trim(text);
    if (text.empty()) return true;
    while (true) {
        const std::string_view pair = Trim(text.substr(0, text.find(',')));
        if (pair.size() != 2 || HexDigit(pair[0]) < 0 || HexDigit(pair[1]) < 0) {
            complaint = "'" + std::string(pair) + "' is not a hex byte";
            return false;
        }
        out += static_cast<char>(HexDigit(pair[0]) * 16 + HexDigit(pair[1]));
        const std::size_t comma = text.find(',');
        if (comma == std::string_view::npos) return true;
        text = text.substr(comma + 1);
    }
}

// The right-hand side of "name"=...
bool ReadData(std::string_view data, FileValue& value, std::string& complaint) {
    std::size_t at = 0;
    if (data.substr(0, 1) == "\"") {
        std::string text;
        if (!ReadQuoted(data, at, text, complaint)) return false;
        if (!Trim(data.substr(at)).empty()) {
            complaint = "text after the closing quote";
            return false;
        }
        value.type = kTypeText;
        value.data = text + '\0';
        return true;
    }
    if (data == "-") {
        complaint = "deleting values is not supported (use optora-cli reset)";
        return false;
    }
    if (data.substr(0, 6) == "dword:") {
        const std::string_view digits = data.substr(6);
        unsigned long number = 0;
        bool good = digits.size() == 8;
        for (char c : digits) good = good && HexDigit(c) >= 0;
        if (!good) {
            complaint = "a dword needs eight hex digits";
            return false;
        }
        number = std::stoul(std::string(digits), nullptr, 16);
        value.type = kTypeDword;
        value.data.clear();
        for (int i = 0; i < 4; ++i) value.data += static_cast<char>((number >> (8 * i)) & 0xFF);
        return true;
    }
    if (data.substr(0, 4) == "hex:") {
        value.type = kTypeBinary;
        return ReadHexBytes(data.substr(4), value.data, complaint);
    }
    if (data.substr(0, 4) == "hex(") {
        const std::size_t close = data.find("):");
        unsigned type = 0;
        bool good = close != std::string_view::npos && close > 4 && close <= 12;
        for (std::size_t i = 4; good && i < close; ++i) {
            good = HexDigit(data[i]) >= 0;
            type = type * 16 + (good ? HexDigit(data[i]) : 0);
        }
        if (!good) {
            complaint = "a malformed hex(type)";
            return false;
        }
        value.type = type;
        return ReadHexBytes(data.substr(close + 2), value.data, complaint);
    }
    complaint = "unknown value form";
    return false;
}

bool ReadValueLine(std::string_view line, FileValue& value, std::string& complaint) {
    if (line.substr(0, 1) == "@") {
        complaint = "a key's default value is not a setting";
        return false;
    }
    std::size_t at = 0;
    if (!ReadQuoted(line, at, value.name, complaint)) return false;
    const std::string_view rest = Trim(line.substr(at));
    if (rest.substr(0, 1) != "=") {
        complaint = "'=' expected after the value name";
        return false;
    }
    return ReadData(Trim(rest.substr(1)), value, complaint);
}

// Only a value line's hex data goes on over lines that end in a backslash: a
// comment or a device line that happens to end so stands alone.
bool ContinuesHex(const std::string& physical) {
    if (physical.empty() || physical.back() != '\\') return false;
    const std::string_view line = Trim(physical);
    std::size_t at = 0;
    std::string name, complaint;
    if (line.substr(0, 1) != "\"" || !ReadQuoted(line, at, name, complaint)) return false;
    const std::string_view rest = Trim(line.substr(at));
    if (rest.substr(0, 1) != "=") return false;
    const std::string_view data = Trim(rest.substr(1));
    return data.substr(0, 4) == "hex:" || data.substr(0, 4) == "hex(";
}

// ";dosfile:plot_type=N" and its two siblings.
bool ReadDeviceLine(std::string_view line, DeviceDestinations& device, int& seen, std::string& complaint) {
    const std::string_view entry = line.substr(kDeviceTag.size());
    const struct {
        std::string_view tag;
        int bit;
    } kLines[] = {{"plot_type=", 1}, {"plot_dest=", 2}, {"cut_dest=", 4}};
    for (const auto& kind : kLines) {
        if (entry.substr(0, kind.tag.size()) != kind.tag) continue;
        const std::string_view content = entry.substr(kind.tag.size());
        if (seen & kind.bit) {
            complaint = "a second " + std::string(kind.tag) + " line";
            return false;
        }
        seen |= kind.bit;
        if (kind.bit == 1 && !ParseStrictInt(content, device.plotType)) {
            complaint = "the plot type is not a whole number";
            return false;
        }
        if (kind.bit == 2) device.plotDestination = content;
        if (kind.bit == 4) device.cutDestination = content;
        return true;
    }
    complaint = "unknown device file line";
    return false;
}

}  // namespace

void AppendHex(std::string& out, const FileValue& value, bool wrap) {
    std::size_t column = out.size() - out.rfind('\n') - 1;
    char prefix[24] = "hex:";
    if (value.type != kTypeBinary) std::snprintf(prefix, sizeof prefix, "hex(%x):", static_cast<unsigned>(value.type));
    out += prefix;
    column += std::strlen(prefix);
    for (std::size_t i = 0; i < value.data.size(); ++i) {
        char byte[4];
        std::snprintf(byte, sizeof byte, "%02x", static_cast<unsigned char>(value.data[i]));
        out += byte;
        column += 2;
        if (i + 1 == value.data.size()) break;
        out += ',';
        ++column;
        if (wrap && column >= kWrapColumn) {
            out += "\\\r\n  ";
            column = 2;
        }
    }
}

std::string KeyNameFault(std::string_view path) {
    for (char c : path) {
        // The registry would take the name only up to the zero: another key than the one checked.
        if (c == '\0') return "a zero byte in the key name";
        if (static_cast<unsigned char>(c) < 0x20) return "a line break or other control character in the key name";
        if (c == ']' || c == '"') return std::string("a '") + c + "' in the key name";
    }
    return {};
}

std::string ShownKeyName(std::string_view path) {
    std::string shown;
    for (char c : path) {
        if (static_cast<unsigned char>(c) >= 0x20) {
            shown += c;
            continue;
        }
        char code[8];
        std::snprintf(code, sizeof code, "<%02x>", static_cast<unsigned char>(c));
        shown += code;
    }
    return shown;
}

std::string FormatSettingsFile(const SettingsFile& file) {
    std::string out = std::string(kHeader) + "\r\n";
    for (const FileKey& key : file.keys) {
        if (key.values.empty()) continue;
        const std::string keyFault = KeyNameFault(key.path);
        const bool keyLeftOut = !keyFault.empty();
        if (keyLeftOut)
            out += "\r\n; left out (" + keyFault + "): [" + std::string(kRoot) + ShownKeyName(key.path) + "]\r\n";
        else
            out += "\r\n[" + std::string(kRoot) + key.path + "]\r\n";
        for (const FileValue& value : key.values) {
            // A comment stays on one line: the registry editor continues none.
            const bool comment = keyLeftOut || !value.refused.empty();
            if (!value.refused.empty())
                out += "; left out (" + value.refused + "): ";
            else if (keyLeftOut)
                out += "; ";
            out += Quoted(value.name) + "=";
            if (Quotable(value))
                out += Quoted(std::string_view(value.data).substr(0, value.data.size() - 1));
            else
                AppendHex(out, value, !comment);
            out += "\r\n";
        }
    }
    if (file.device) {
        out += "\r\n; c:\\userroot\\system\\state\\dosfile.cfg\r\n";
        out += std::string(kDeviceTag) + "plot_type=" + std::to_string(file.device->plotType) + "\r\n";
        out += std::string(kDeviceTag) + "plot_dest=" + file.device->plotDestination + "\r\n";
        out += std::string(kDeviceTag) + "cut_dest=" + file.device->cutDestination + "\r\n";
    }
    return out;
}

std::optional<FileError> ParseSettingsFile(std::string_view text, SettingsFile& out) {
    out = SettingsFile();
    DeviceDestinations device;
    int deviceSeen = 0;
    int number = 0;
    bool headerSeen = false;
    while (!text.empty() || number == 0) {
        const int lineNumber = ++number;
        std::size_t end = text.find('\n');
        std::string physical(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!physical.empty() && physical.back() == '\r') physical.pop_back();
        // Hex data goes on over lines that end in a backslash.
        while (ContinuesHex(physical)) {
            if (text.empty()) return FileError{lineNumber, "the continued value ends with the file"};
            physical.pop_back();
            end = text.find('\n');
            std::string next(text.substr(0, end));
            text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
            if (!next.empty() && next.back() == '\r') next.pop_back();
            physical += next;
            ++number;
        }
        const std::string_view line = Trim(physical);
        if (!headerSeen) {
            if (line != kHeader) return FileError{lineNumber, "the file must begin with REGEDIT4"};
            headerSeen = true;
            continue;
        }
        std::string complaint;
        if (line.empty()) continue;
        if (line.substr(0, kDeviceTag.size()) == kDeviceTag) {
            // A destination keeps its trailing blanks: the device file may hold them.
            const std::string_view entry = std::string_view(physical).substr(physical.find(';'));
            if (!ReadDeviceLine(entry, device, deviceSeen, complaint)) return FileError{lineNumber, complaint};
            if (!out.deviceLine) out.deviceLine = lineNumber;
        } else if (line[0] == ';') {
            continue;
        } else if (line[0] == '[') {
            if (line.back() != ']') return FileError{lineNumber, "the key line has no closing bracket"};
            const std::string_view path = line.substr(1, line.size() - 2);
            if (std::string fault = KeyNameFault(path); !fault.empty()) return FileError{lineNumber, fault};
            if (path.substr(0, 1) == "-") return FileError{lineNumber, "deleting keys is not supported"};
            if (!EqualsNoCase(path.substr(0, kRoot.size()), kRoot) || path.size() == kRoot.size())
                return FileError{lineNumber, "only keys under HKEY_CURRENT_USER are settings"};
            out.keys.push_back({std::string(path.substr(kRoot.size())), {}, lineNumber});
        } else if (line[0] == '"' || line[0] == '@') {
            if (out.keys.empty()) return FileError{lineNumber, "a value before any key"};
            FileValue value;
            value.line = lineNumber;
            if (!ReadValueLine(line, value, complaint)) return FileError{lineNumber, complaint};
            out.keys.back().values.push_back(std::move(value));
        } else {
            return FileError{lineNumber, "not a line of a REGEDIT4 file"};
        }
    }
    if (deviceSeen != 0 && deviceSeen != 7)
        return FileError{out.deviceLine, "the device file needs all three lines: plot_type, plot_dest, cut_dest"};
    if (deviceSeen) out.device = device;
    return std::nullopt;
}

}  // namespace optora::cli
