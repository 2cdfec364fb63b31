#include "input/payload_template.h"

#include <algorithm>

namespace qrcli {

namespace {

bool StartsWithNoCase(std::string_view text, std::string_view start) {
    if (text.size() < start.size()) return false;
    for (size_t i = 0; i < start.size(); ++i) {
        char c = text[i];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (c != start[i]) return false;
    }
    return true;
}

}  // namespace

Payload PayloadOf(std::string_view templateText) {
    if (StartsWithNoCase(templateText, "WIFI:")) return Payload::kWifi;
    if (StartsWithNoCase(templateText, "BEGIN:VCARD")) return Payload::kVcard;
    if (StartsWithNoCase(templateText, "MECARD:")) return Payload::kMecard;
    return Payload::kText;
}

std::string EscapedFor(Payload payload, std::string_view field) {
    std::string_view special;
    switch (payload) {
        case Payload::kWifi:
            special = "\\;,:\"";
            break;
        case Payload::kVcard:
            special = "\\,;";
            break;
        case Payload::kMecard:
            special = "\\;:,";
            break;
        default:
            return std::string(field);
    }
    std::string out;
    out.reserve(field.size() + 8);
    for (size_t i = 0; i < field.size(); ++i) {
        const char c = field[i];
        if (payload == Payload::kVcard && (c == '\r' || c == '\n')) {
            if (c == '\r' && i + 1 < field.size() && field[i + 1] == '\n') ++i;  // CR LF is one
            out += "\\n";
            continue;
        }
        if (special.find(c) != std::string_view::npos) out.push_back('\\');
        out.push_back(c);
    }
    return out;
}

std::optional<PayloadTemplate> PayloadTemplate::Parse(std::string_view text, Payload payload,
                                                      std::string& error) {
    PayloadTemplate result;
    result.payload_ = payload == Payload::kAuto ? PayloadOf(text) : payload;
    Part part;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if ((c == '{' || c == '}') && i + 1 < text.size() && text[i + 1] == c) {
            part.literal.push_back(c);
            ++i;
            continue;
        }
        if (c == '}') {
            error = "--template: a \"}\" at byte " + std::to_string(i + 1) +
                    " closes no field (write }} for the brace itself)";
            return std::nullopt;
        }
        if (c != '{') {
            part.literal.push_back(c);
            continue;
        }
        const size_t close = text.find('}', i + 1);
        if (close == std::string_view::npos) {
            error = "--template: the field opened at byte " + std::to_string(i + 1) +
                    " has no \"}\" (write {{ for the brace itself)";
            return std::nullopt;
        }
        const std::string name(text.substr(i + 1, close - i - 1));
        if (name.empty() || name.find('{') != std::string::npos) {
            error = "--template: the field at byte " + std::to_string(i + 1) +
                    " names no column; write {name} or {number}";
            return std::nullopt;
        }
        auto known = std::find(result.names_.begin(), result.names_.end(), name);
        if (known == result.names_.end()) known = result.names_.insert(known, name);
        part.field = static_cast<int>(known - result.names_.begin());
        result.parts_.push_back(std::move(part));
        part = Part{};
        i = close;
    }
    if (!part.literal.empty()) result.parts_.push_back(std::move(part));
    return result;
}

std::string PayloadTemplate::Fill(const std::vector<std::string_view>& values) const {
    std::string out;
    for (const Part& part : parts_) {
        out += part.literal;
        if (part.field >= 0) out += EscapedFor(payload_, values[static_cast<size_t>(part.field)]);
    }
    return out;
}

}  // namespace qrcli
