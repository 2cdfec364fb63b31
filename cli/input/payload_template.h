// --template: a text with {column} fields filled from each record, every field escaped for the
// payload it stands in, so that a password holding ';' still reads back as itself.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "options/batch_options.h"

namespace qrcli {

// The payload a template's start names: WIFI:, BEGIN:VCARD, MECARD: (either case); else text.
Payload PayloadOf(std::string_view templateText);

// The field escaped for the payload: Wi-Fi puts a backslash before \ ; , : and "; vCard before
// \ , ; and writes line breaks as \n; MECARD before \ ; : and ,; text stays as it is.
std::string EscapedFor(Payload payload, std::string_view field);

class PayloadTemplate {
  public:
    // {name} or {N} is a field, {{ and }} stand for braces. Nothing, with the reason, for a
    // brace that opens no field or a field never closed or empty.
    static std::optional<PayloadTemplate> Parse(std::string_view text, Payload payload,
                                                std::string& error);

    // The columns the fields name, in order, each once.
    const std::vector<std::string>& FieldNames() const { return names_; }
    Payload payload() const { return payload_; }
    // values holds a value for each of FieldNames(), in that order.
    std::string Fill(const std::vector<std::string_view>& values) const;

  private:
    struct Part {
        std::string literal;
        int field = -1;  // an index into names_, or -1 for literal text only
    };
    std::vector<Part> parts_;
    std::vector<std::string> names_;
    Payload payload_ = Payload::kText;
};

}  // namespace qrcli
