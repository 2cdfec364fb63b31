// XML read as a stream of elements and text, with what a spreadsheet's parts never need
// refused: a document type (and with it every entity of one) and nesting past kMaxXmlDepth.
// Names come without their namespace prefix ("x:row" is "row").
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qrcli {

inline constexpr int kMaxXmlDepth = 64;

class XmlHandler {
  public:
    virtual ~XmlHandler() = default;
    // attributes: name, value, name, value, ..., nullptr, as expat gives them.
    virtual void Start(std::string_view name, const char** attributes) = 0;
    virtual void End(std::string_view name) = 0;
    virtual void Text(std::string_view text) = 0;
    // Set by a handler to stop the parse with this reason.
    std::string refusal;
};

// The value of an attribute by its name without prefix, or nullptr.
const char* AttributeOf(const char** attributes, std::string_view name);

class XmlStream {
  public:
    // part names the document in messages.
    XmlStream(XmlHandler& handler, std::string part);
    ~XmlStream();
    XmlStream(const XmlStream&) = delete;
    XmlStream& operator=(const XmlStream&) = delete;

    // The next piece of the document; last after the final one. False, with the reason in
    // error, when the document is malformed or refused.
    bool Feed(const char* data, size_t size, bool last, std::string& error);

  private:
    static void OnStart(void* self, const char* name, const char** attributes);
    static void OnEnd(void* self, const char* name);
    static void OnText(void* self, const char* text, int length);
    static void OnDoctype(void* self, const char*, const char*, const char*, int);
    void Stop(std::string reason);

    void* parser_;  // an XML_Parser
    XmlHandler& handler_;
    std::string part_;
    int depth_ = 0;
    std::string stopped_;
};

}  // namespace qrcli
