#include <gtest/gtest.h>

#include <ostream>
#include <regex>
#include <string>
#include <vector>

#include "download/header_pattern.h"
#include "download/winhttp_client.h"

namespace {

struct MatchCase {
    const char* pattern;
    const char* text;
    std::vector<std::string> groups;
};

void PrintTo(const MatchCase& c, std::ostream* out) {
    *out << c.pattern;
}

class HeaderPatternTest : public testing::TestWithParam<MatchCase> {};

TEST_P(HeaderPatternTest, CollectsTheGroupOfEveryMatchOnce) {
    const MatchCase& c = GetParam();
    EXPECT_EQ(ExtractGroups(c.pattern, c.text), c.groups) << TranslateHeaderPattern(c.pattern);
}

INSTANTIATE_TEST_SUITE_P(
    Dialect, HeaderPatternTest,
    testing::Values(
        // Letter case is ignored in pattern and text; the first spelling is kept.
        MatchCase{"Content-Length: {[0-9]+}", "content-length: 42\r\n", {"42"}},
        MatchCase{
            "charset={[A-Za-z0-9\\-_]+}", "Content-Type: text/html; CHARSET=UTF-8\r\n", {"UTF-8"}},
        MatchCase{"x={\\w}", "x=Abc x=ABC x=abd", {"Abc", "abd"}},
        // \b is a blank (not a word boundary), \n any of CR LF, CR, LF.
        MatchCase{"k:\\b*{\\z}\\n", "k: \t12\rk:34\nk:5\r\n", {"12", "34", "5"}},
        MatchCase{"k:{\\b}", "k:\tk: ", {"\t", " "}},
        // \q is a quoted text, quotes included; \a, \c, \d and \h single characters.
        MatchCase{"v={\\q}", "v=\"a b\" v='c' v=d", {"\"a b\"", "'c'"}},
        MatchCase{"{\\c\\d\\a\\h}", "--x1zF--", {"x1zF"}},
        // ( ) groups without capturing; . is any character, line ends included.
        MatchCase{"(ab)+{c}", "ababc", {"c"}}, MatchCase{"a{.}b", "a\nb", {"\n"}},
        // A lazy quantifier stops at the first line end.
        MatchCase{
            "Location: {https?:.+?\\n}", "Location: http://h/a\r\nX: 1\r\n", {"http://h/a\r\n"}},
        MatchCase{"Set-Cookie:\\b*{.+?}\\n", "no cookies here\r\n", {}}));

TEST(HeaderPatternTest, RejectsAPatternOutsideTheDialect) {
    EXPECT_THROW(CompileHeaderPattern("{[a-z}"), std::regex_error);
    EXPECT_THROW(CompileHeaderPattern("abc\\"), std::regex_error);
}

TEST(TrimCharsTest, RemovesOnlyTheGivenCharactersAtBothEnds) {
    EXPECT_EQ(TrimChars("  a; b ;  ", " "), "a; b ;");
    EXPECT_EQ(TrimChars(";; a ;;", "; "), "a");
    EXPECT_EQ(TrimChars("    ", " "), "");
    EXPECT_EQ(TrimChars("", " "), "");
}

// Raw headers as the stack hands them over, and what the client takes from them.
struct HeaderCase {
    const char* name;
    const char* header;
    const char* charset;
    uint64_t contentLength;
    const char* cookies;
    const char* location;
};

class HeaderValuesTest : public testing::TestWithParam<HeaderCase> {};

TEST_P(HeaderValuesTest, FillsTheFieldsFromTheRawHeader) {
    const HeaderCase& c = GetParam();
    WinHttpClient client("http://127.0.0.1/");
    client.responseHeader = c.header;
    client.ExtractHeaderValues();
    EXPECT_EQ(client.responseCharset, c.charset);
    EXPECT_EQ(client.contentLength, c.contentLength);
    EXPECT_EQ(client.responseCookies, c.cookies);
    EXPECT_EQ(client.location, c.location);
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, HeaderValuesTest,
    testing::Values(
        HeaderCase{"Charset",
                   "HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=gb2312\r\n"
                   "Content-Length: 1234\r\n\r\n",
                   "gb2312", 1234, "", ""},
        HeaderCase{"LowerCaseLength", "HTTP/1.1 200 OK\r\ncontent-length: 987654\r\n\r\n", "",
                   987654, "", ""},
        HeaderCase{"LengthBeyond32Bits", "HTTP/1.1 200 OK\r\nContent-Length: 5000000000\r\n\r\n",
                   "", 5000000000ULL, "", ""},
        HeaderCase{"TwoCookiesAndARepeatedOne",
                   "HTTP/1.1 200 OK\r\nSet-Cookie: a=1; Path=/\r\nSet-Cookie:\tb=2\r\n"
                   "set-cookie: A=1; path=/\r\n\r\n",
                   "", 0, "a=1; Path=/; b=2;", ""},
        HeaderCase{"CookieEndingWithSemicolon", "HTTP/1.1 200 OK\r\nSet-Cookie: c=3;\r\n\r\n", "",
                   0, "c=3;", ""},
        HeaderCase{"Location",
                   "HTTP/1.1 302 Found\r\nLocation: https://cdn.example/0f/setup.exe\r\n"
                   "Content-Length: 0\r\n\r\n",
                   "", 0, "", "https://cdn.example/0f/setup.exe\r\n"},
        HeaderCase{"RelativeLocationIsNotTaken",
                   "HTTP/1.1 302 Found\r\nLocation: /elsewhere\r\n\r\n", "", 0, "", ""}),
    [](const testing::TestParamInfo<HeaderCase>& info) { return info.param.name; });

TEST(WinHttpClientTest, RefusesAnEmptyUrlAndUnknownVerbsBeforeSending) {
    struct Case {
        const char* url;
        const char* verb;
        uint32_t error;
    };
    for (const Case& c : {Case{"", "GET", 3u}, Case{"http://127.0.0.1:1/", "PUT", 87u},
                          Case{"http://127.0.0.1:1/", "", 87u},
                          Case{"ftp://127.0.0.1/x", "get", WinHttpClient::kErrorUnrecognizedScheme},
                          Case{"no url at all", "post", WinHttpClient::kErrorInvalidUrl}}) {
        WinHttpClient client(c.url);
        EXPECT_FALSE(client.SendHttpRequest(c.verb)) << c.url << " " << c.verb;
        EXPECT_EQ(client.lastErrorCode, c.error) << c.url << " " << c.verb;
    }
}

}  // namespace
