#include "input/xml_stream.h"

#include <algorithm>
#include <climits>
#include <stdexcept>

#include <expat.h>

namespace qrcli {

namespace {

std::string_view Local(const char* name) {
    std::string_view text(name);
    const size_t colon = text.rfind(':');
    return colon == std::string_view::npos ? text : text.substr(colon + 1);
}

XML_Parser Parser(void* parser) {
    return static_cast<XML_Parser>(parser);
}

}  // namespace

const char* AttributeOf(const char** attributes, std::string_view name) {
    for (const char** at = attributes; at[0] != nullptr; at += 2) {
        if (Local(at[0]) == name) return at[1];
    }
    return nullptr;
}

XmlStream::XmlStream(XmlHandler& handler, std::string part)
    : parser_(XML_ParserCreate("UTF-8")), handler_(handler), part_(std::move(part)) {
    if (parser_ == nullptr) throw std::bad_alloc();
    XML_SetUserData(Parser(parser_), this);
    XML_SetElementHandler(Parser(parser_), OnStart, OnEnd);
    XML_SetCharacterDataHandler(Parser(parser_), OnText);
    XML_SetStartDoctypeDeclHandler(Parser(parser_), OnDoctype);
}

XmlStream::~XmlStream() {
    XML_ParserFree(Parser(parser_));
}

void XmlStream::Stop(std::string reason) {
    if (stopped_.empty()) stopped_ = std::move(reason);
    XML_StopParser(Parser(parser_), XML_FALSE);
}

void XmlStream::OnStart(void* self, const char* name, const char** attributes) {
    auto& stream = *static_cast<XmlStream*>(self);
    if (!stream.stopped_.empty()) return;
    if (++stream.depth_ > kMaxXmlDepth) {
        stream.Stop("elements nested more than " + std::to_string(kMaxXmlDepth) + " deep");
        return;
    }
    stream.handler_.Start(Local(name), attributes);
    if (!stream.handler_.refusal.empty()) stream.Stop(stream.handler_.refusal);
}

void XmlStream::OnEnd(void* self, const char* name) {
    auto& stream = *static_cast<XmlStream*>(self);
    if (!stream.stopped_.empty()) return;
    --stream.depth_;
    stream.handler_.End(Local(name));
    if (!stream.handler_.refusal.empty()) stream.Stop(stream.handler_.refusal);
}

void XmlStream::OnText(void* self, const char* text, int length) {
    auto& stream = *static_cast<XmlStream*>(self);
    if (!stream.stopped_.empty()) return;
    stream.handler_.Text(std::string_view(text, static_cast<size_t>(length)));
    if (!stream.handler_.refusal.empty()) stream.Stop(stream.handler_.refusal);
}

void XmlStream::OnDoctype(void* self, const char*, const char*, const char*, int) {
    static_cast<XmlStream*>(self)->Stop("a document type declaration, which no spreadsheet has");
}

bool XmlStream::Feed(const char* data, size_t size, bool last, std::string& error) {
    while (size > 0 || last) {
        const int piece = static_cast<int>(std::min<size_t>(size, INT_MAX / 2));
        const XML_Status status =
            XML_Parse(Parser(parser_), data, piece, last && piece == static_cast<int>(size));
        if (status != XML_STATUS_OK || !stopped_.empty()) {
            const std::string why =
                !stopped_.empty()
                    ? stopped_
                    : std::string(XML_ErrorString(XML_GetErrorCode(Parser(parser_)))) +
                          " at line " + std::to_string(XML_GetCurrentLineNumber(Parser(parser_)));
            error = "\"" + part_ + "\" in the .xlsx: " + why;
            return false;
        }
        data += piece;
        size -= static_cast<size_t>(piece);
        if (size == 0) break;
    }
    return true;
}

}  // namespace qrcli
