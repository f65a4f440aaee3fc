#include "io/csv.h"

#include <gtest/gtest.h>

#include <cstdio>

using namespace unctora;

namespace {

std::vector<std::vector<std::string>> readAll(const std::string& text,
                                              std::vector<std::string>* errors = nullptr,
                                              std::vector<long>* lines = nullptr) {
    std::FILE* f = fmemopen(const_cast<char*>(text.data()), text.size(), "rb");
    if (text.empty())
        f = std::tmpfile();
    io::CsvReader reader(f);
    io::CsvRecord rec;
    std::vector<std::vector<std::string>> out;
    while (reader.next(rec)) {
        out.emplace_back(rec.fields.begin(), rec.fields.begin() + rec.count);
        if (errors)
            errors->push_back(rec.error);
        if (lines)
            lines->push_back(rec.line);
    }
    std::fclose(f);
    return out;
}

using Rows = std::vector<std::vector<std::string>>;

} // namespace

TEST(CsvReader, RecordsAndQuoting) {
    const struct {
        std::string text;
        Rows rows;
    } cases[] = {
        {"a,b\r\n1,2\r\n", {{"a", "b"}, {"1", "2"}}},
        {"a,b\n1,2", {{"a", "b"}, {"1", "2"}}},
        {"a,b\r1,2\r", {{"a", "b"}, {"1", "2"}}},
        {"\xEF\xBB\xBFId,x\n", {{"Id", "x"}}},
        {"a,,\n", {{"a", "", ""}}},
        {"\"a,b\",\"say \"\"hi\"\"\"\n", {{"a,b", "say \"hi\""}}},
        {"\"two\r\nlines\",x\n", {{"two\r\nlines", "x"}}},
        {"\"\"\n", {{""}}},
        {"a\n\n\r\nb\n", {{"a"}, {"b"}}}, // blank lines are skipped
        {"", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(readAll(c.text), c.rows);
    }
}

TEST(CsvReader, MalformedRecordsAreReportedAndReadingGoesOn) {
    std::vector<std::string> errors;
    std::vector<long> lines;
    const Rows rows = readAll("h\n\"ab\"c,d\nx\"y\nok\n\"multi\nline\"\nnext\n\"open", &errors, &lines);
    ASSERT_EQ(rows.size(), 7u);
    EXPECT_NE(errors[1].find("closing quote"), std::string::npos);
    EXPECT_NE(errors[2].find("unquoted"), std::string::npos);
    EXPECT_TRUE(errors[3].empty());
    EXPECT_EQ(rows[3], std::vector<std::string>{"ok"});
    EXPECT_EQ(lines, (std::vector<long>{1, 2, 3, 4, 5, 7, 8})); // a quoted line break counts
    EXPECT_NE(errors[6].find("not closed"), std::string::npos);
}

TEST(CsvWriter, QuotesOnlyWhatNeedsIt) {
    std::string out;
    io::appendCsvField(out, "plain");
    out += '|';
    io::appendCsvField(out, "a,b");
    out += '|';
    io::appendCsvField(out, "say \"hi\"");
    out += '|';
    io::appendCsvField(out, "two\nlines");
    EXPECT_EQ(out, "plain|\"a,b\"|\"say \"\"hi\"\"\"|\"two\nlines\"");
}

TEST(JsonWriter, EscapesAndRepairsText) {
    std::string out;
    io::appendJsonString(out, "q\"b\\s\n\t\x01 \xC3\xA4 \xE0\xB8\x81");
    EXPECT_EQ(out, "\"q\\\"b\\\\s\\n\\t\\u0001 \xC3\xA4 \xE0\xB8\x81\"");
    out.clear();
    io::appendJsonString(out, "bad \xC3 \xFF \xED\xA0\x80 end"); // truncated, invalid, surrogate
    EXPECT_EQ(out, "\"bad \xEF\xBF\xBD \xEF\xBF\xBD \xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD end\"");
}
