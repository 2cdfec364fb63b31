// Tables read from files as a user saves them: CSV corner cases, tsv, numbers as a spreadsheet
// shows them, escapes, payload escaping, GBK text, and the columns a run asks for.
#include <fcntl.h>
#include <unistd.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cli_test_support.h"
#include "input/delimited_reader.h"
#include "input/general_number.h"
#include "input/payload_template.h"
#include "input/table_source.h"
#include "input/text_escapes.h"

namespace {

using Fields = std::vector<std::string>;

struct Read {
    std::vector<Fields> fields;
    std::vector<uint64_t> lines;
    std::vector<std::string> failures;
};

Read ReadAll(const std::string& bytes, qrcli::Delimiting kind) {
    clitest::TempDir dir;
    clitest::WriteFile(dir / "in", bytes);
    const int fd = ::open((dir / "in").c_str(), O_RDONLY);
    qrcli::DelimitedReader reader(fd, kind);
    qrcli::TableRecord record;
    Read read;
    while (reader.Next(record)) {
        Fields fields;
        for (const auto& field : record.fields) fields.push_back(field.bytes);
        read.fields.push_back(fields);
        read.lines.push_back(record.line);
        read.failures.push_back(record.failure);
    }
    ::close(fd);
    return read;
}

TEST(CsvRecords, QuotesCommasLineBreaksAndEmptyFields) {
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<Fields> fields;
        std::vector<uint64_t> lines;
    };
    const Case cases[] = {
        {"quoted comma", "a,\"b,c\",d\n", {{"a", "b,c", "d"}}, {1}},
        {"doubled quotes", "\"say \"\"hi\"\"\",x\n", {{"say \"hi\"", "x"}}, {1}},
        {"line break inside quotes counts from where the record starts",
         "h1,h2\n\"one\ntwo\r\nthree\",x\nnext,y\n",
         {{"h1", "h2"}, {"one\ntwo\r\nthree", "x"}, {"next", "y"}},
         {1, 2, 5}},
        {"empty fields, quoted and not", ",\"\",\n", {{"", "", ""}}, {1}},
        {"CR LF, no ending on the last line", "a,b\r\nc,d", {{"a", "b"}, {"c", "d"}}, {1, 2}},
        {"empty lines hold no record", "a\n\n\r\nb\n", {{"a"}, {"b"}}, {1, 4}},
        {"a byte-order mark goes, only at the start",
         "\xEF\xBB\xBFz,\xEF\xBB\xBF\n",
         {{"z", "\xEF\xBB\xBF"}},
         {1}},
        {"a quote inside an unquoted field is text", "a\"b,c\n", {{"a\"b", "c"}}, {1}},
        {"a lone CR is text", "a\rb,c\n", {{"a\rb", "c"}}, {1}},
    };
    for (const Case& c : cases) {
        const Read read = ReadAll(c.bytes, qrcli::Delimiting::kCsv);
        EXPECT_EQ(read.fields, c.fields) << c.name;
        EXPECT_EQ(read.lines, c.lines) << c.name;
        for (const auto& failure : read.failures) EXPECT_EQ(failure, "") << c.name;
    }
}

TEST(CsvRecords, MalformedRecordsSayWhyAndWhere) {
    const std::pair<std::string, std::string> cases[] = {
        {"ok\n\"open,\nand on\n", "the quoted field opened on line 2 is not closed"},
        {"ok\n\"ab\"c,d\n",
         "text after the closing quote of field 1 (a quote inside a quoted "
         "field is written twice)"},
    };
    for (const auto& [bytes, failure] : cases) {
        const Read read = ReadAll(bytes, qrcli::Delimiting::kCsv);
        ASSERT_EQ(read.failures.size(), 2u) << bytes;
        EXPECT_EQ(read.failures[0], "");
        EXPECT_EQ(read.failures[1], failure);
        EXPECT_EQ(read.lines[1], 2u);
    }
}

TEST(TsvAndLines, TabsSplitTsvQuotesAreTextAndLinesKeepEmptyOnes) {
    EXPECT_EQ(ReadAll("a\t\"b\"\tc\n\nd\n", qrcli::Delimiting::kTsv).fields,
              (std::vector<Fields>{{"a", "\"b\"", "c"}, {"d"}}));
    // The last line without its ending counts too.
    const Read lines = ReadAll("a,b\n\n\"c", qrcli::Delimiting::kLines);
    EXPECT_EQ(lines.fields, (std::vector<Fields>{{"a,b"}, {""}, {"\"c"}}));
    EXPECT_EQ(lines.lines, (std::vector<uint64_t>{1, 2, 3}));
}

TEST(GeneralNumber, AsTheSpreadsheetShowsIt) {
    const std::pair<const char*, const char*> cases[] = {
        {"12345", "12345"},
        {"12345.0", "12345"},
        {"0.10000000000000001", "0.1"},
        {"0.30000000000000004", "0.3"},
        {"0.33333333333333331", "0.333333333"},
        {"-0.33333333333333331", "-0.333333333"},
        {"123.456789012345", "123.456789"},
        {"12345678901", "12345678901"},
        {"123456789012", "1.23457E+11"},
        {"1E+20", "1E+20"},
        {"0.00001234", "0.00001234"},
        {"1.5E-9", "1.5E-09"},
        {"1E-10", "1E-10"},
        {"0", "0"},
        {"-2.5", "-2.5"},
        {"45292", "45292"},  // 2024-01-01: dates stay their day numbers
    };
    for (const auto& [stored, shown] : cases) {
        EXPECT_EQ(qrcli::GeneralNumber(stored).value_or("(none)"), shown) << stored;
    }
    EXPECT_FALSE(qrcli::GeneralNumber("12a"));
    EXPECT_FALSE(qrcli::GeneralNumber(""));
}

TEST(Escapes, WhatTheyStandForAndWhatIsRefused) {
    const std::pair<const char*, std::string> good[] = {
        {"a\\nb\\tc\\\\d\\r", "a\nb\tc\\d\r"},
        {"\\x41\\x00z", std::string("A\0z", 3)},
        {"\\u00e9\\u4E2D", "\xC3\xA9\xE4\xB8\xAD"},
        {"plain", "plain"},
    };
    for (const auto& [text, expected] : good) {
        std::string error;
        EXPECT_EQ(qrcli::Unescape(text, error).value_or("(refused: " + error + ")"), expected);
    }
    const std::pair<const char*, const char*> bad[] = {
        {"a\\q", "--esc: \"\\q\" at byte 2 is not an escape (\\n, \\r, \\t, \\\\, \\xNN, \\uNNNN)"},
        {"\\x4", "--esc: \"\\x4\" at byte 1 is not an escape"},
        {"\\uD800", "--esc: \"\\uD800\" at byte 1"},
        {"end\\", "--esc: \"\\\" at byte 4"},
    };
    for (const auto& [text, message] : bad) {
        std::string error;
        EXPECT_FALSE(qrcli::Unescape(text, error)) << text;
        EXPECT_EQ(error.rfind(message, 0), 0u) << error;
    }
}

TEST(PayloadTemplate, FieldsEscapedForTheirPayload) {
    using qrcli::Payload;
    const struct {
        Payload payload;
        const char* field;
        const char* escaped;
    } cases[] = {
        {Payload::kWifi, "a\\b;c,d:e\"f", "a\\\\b\\;c\\,d\\:e\\\"f"},
        {Payload::kVcard, "a\\b,c;d:e\r\nf\ng", "a\\\\b\\,c\\;d:e\\nf\\ng"},
        {Payload::kMecard, "a\\b;c:d,e\"f", "a\\\\b\\;c\\:d\\,e\"f"},
        {Payload::kText, "a;b\\c", "a;b\\c"},
    };
    for (const auto& c : cases) EXPECT_EQ(qrcli::EscapedFor(c.payload, c.field), c.escaped);
    const std::pair<const char*, Payload> starts[] = {{"WIFI:S:{1};;", Payload::kWifi},
                                                      {"wifi:S:{1};;", Payload::kWifi},
                                                      {"BEGIN:VCARD\nFN:{1}", Payload::kVcard},
                                                      {"MECARD:N:{1};;", Payload::kMecard},
                                                      {"https://x/{1}", Payload::kText}};
    for (const auto& [text, payload] : starts) EXPECT_EQ(qrcli::PayloadOf(text), payload) << text;

    std::string error;
    const auto wifi =
        qrcli::PayloadTemplate::Parse("WIFI:S:{ssid};P:{2};H:{ssid};{{x}};", Payload::kAuto, error);
    ASSERT_TRUE(wifi) << error;
    EXPECT_EQ(wifi->FieldNames(), (std::vector<std::string>{"ssid", "2"}));
    EXPECT_EQ(wifi->Fill({"a;b", "p:w"}), "WIFI:S:a\\;b;P:p\\:w;H:a\\;b;{x};");
    const auto asText = qrcli::PayloadTemplate::Parse("WIFI:{1}", Payload::kText, error);
    EXPECT_EQ(asText->Fill({"a;b"}), "WIFI:a;b");
}

TEST(PayloadTemplate, BracesThatOpenOrCloseNothingAreRefused) {
    const std::pair<const char*, const char*> cases[] = {
        {"a{b", "--template: the field opened at byte 2 has no \"}\" (write {{ for the brace"},
        {"a}b", "--template: a \"}\" at byte 2 closes no field (write }} for the brace"},
        {"a{}b", "--template: the field at byte 2 names no column"},
    };
    for (const auto& [text, message] : cases) {
        std::string error;
        EXPECT_FALSE(qrcli::PayloadTemplate::Parse(text, qrcli::Payload::kAuto, error));
        EXPECT_EQ(error.rfind(message, 0), 0u) << error;
    }
}

// A run's items from a file with the options given.
struct Items {
    std::vector<qrcli::TableItem> items;
    std::string error;
};

Items ItemsOf(const std::string& bytes, qrcli::BatchOptions options,
              const std::vector<std::string>& captions = {}) {
    clitest::TempDir dir;
    clitest::WriteFile(dir / "in", bytes);
    const int fd = ::open((dir / "in").c_str(), O_RDONLY);
    Items result;
    auto source = qrcli::TableSource::Open(options, fd, captions, result.error);
    qrcli::TableItem item;
    while (source && source->Next(item)) result.items.push_back(item);
    ::close(fd);
    return result;
}

qrcli::BatchOptions Csv() {
    qrcli::BatchOptions options;
    options.inputFormat = qrcli::InputFormat::kCsv;
    return options;
}

TEST(TableSource, WithoutAHeaderTheFirstRowSetsTheWidth) {
    auto noHeader = Csv();
    noHeader.header = false;
    const auto read = ItemsOf("1,2\n\"3\n\"\n4,5\n", noHeader);
    ASSERT_EQ(read.items.size(), 3u);
    EXPECT_EQ(read.items[1].failure, "1 fields where the first line has 2");
    EXPECT_EQ(read.items[1].line, 2u);
    EXPECT_EQ(read.items[2].text, "4");
    EXPECT_EQ(read.items[2].line, 4u);
}

TEST(TableSource, ColumnsThatAreNotThereAreNamedInTheError) {
    auto column = Csv();
    column.column = "url";
    auto templated = Csv();
    templated.templateText = "WIFI:T:WPA;P:{pasword};;";
    auto numbered = Csv();
    numbered.nameColumn = "4";
    auto noHeader = Csv();
    noHeader.header = false;
    noHeader.column = "ssid";
    const std::pair<qrcli::BatchOptions, std::string> cases[] = {
        {column, "--column \"url\": the header has no such column (it has: ssid, password, ssid)"},
        {templated,
         "--template: the field \"pasword\": the header has no such column (it has: "
         "ssid, password, ssid)"},
        {numbered, "--name-column \"4\": the header has 3 columns"},
        {noHeader,
         "--column \"ssid\": a column is named by the header row, and this input has "
         "none (give the column's number instead)"},
    };
    for (const auto& [options, message] : cases) {
        EXPECT_EQ(ItemsOf("ssid,password,ssid\na,b,c\n", options).error, message);
    }
    auto twice = Csv();
    twice.templateText = "{ssid}";
    EXPECT_EQ(ItemsOf("ssid,password,ssid\n", twice).error,
              "--template: the field \"ssid\": the header names columns 1 and 3 so; give the "
              "number");
}

}  // namespace
