#include "UpdateUrl.h"

#include <gtest/gtest.h>

namespace {

TEST(UpdateUrl, SchemeByPrefix)
{
    struct Case {
        const char* url;
        UrlScheme scheme;
    };
    const Case cases[] = {
        {"http://127.0.0.1/x", UrlScheme::Http},   {"HTTP://host/x", UrlScheme::Http},
        {"https://host/x", UrlScheme::Https},      {"file:///C:/x", UrlScheme::File},
        {"File://server/share", UrlScheme::File},  {"ftp://host/x", UrlScheme::Unsupported},
        {"http:/host", UrlScheme::Unsupported},    {"", UrlScheme::Unsupported},
        {"C:\\x", UrlScheme::Unsupported},         {"httpx://host", UrlScheme::Unsupported},
    };
    for (const Case& c : cases)
        EXPECT_EQ(urlScheme(c.url), c.scheme) << c.url;
}

TEST(UpdateUrl, RelativeReferenceReplacesTheLastSegment)
{
    struct Case {
        const char* base;
        const char* reference;
        const char* resolved;
    };
    const Case cases[] = {
        {"http://h:81/updates/prog.txt", "prog.tar", "http://h:81/updates/prog.tar"},
        {"http://h/updates/check?code=prog&os=xp", "prog.tar", "http://h/updates/prog.tar"},
        {"http://h/updates/check#part/x", "prog.tar", "http://h/updates/prog.tar"},
        {"file:///C:/upd/m.txt", "p.tar", "file:///C:/upd/p.tar"},
        {"http://h/m.txt", "http://other/p.tar", "http://other/p.tar"},
        {"http://h/m.txt", "file:///C:/p.tar", "file:///C:/p.tar"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(resolveReference(c.base, c.reference), c.resolved) << c.base;
}

TEST(UpdateUrl, LastPathSegment)
{
    EXPECT_EQ(lastPathSegment("http://h/a/b.tar?x=/y"), "b.tar");
    EXPECT_EQ(lastPathSegment("http://h/a/"), "");
    EXPECT_EQ(lastPathSegment("b.tar"), "b.tar");
}

TEST(UpdateUrl, FileUrlToWindowsPath)
{
    struct Case {
        const char* url;
        bool valid;
        const char* path;
    };
    const Case cases[] = {
        {"file:///C:/upd/m.txt", true, "C:\\upd\\m.txt"},
        {"file:///c:/a%20b/m.txt", true, "c:\\a b\\m.txt"},
        {"FILE://localhost/D:/m.txt", true, "D:\\m.txt"},
        {"file:///C:/upd/m.txt?x=1#y", true, "C:\\upd\\m.txt"},
        {"file:///C:/", true, "C:\\"},
        {"file:///C:", false, ""},             // a bare drive is drive-relative
        {"file://server/share/m.txt", true, "\\\\server\\share\\m.txt"},
        {"file:///upd/m.txt", false, ""},      // no drive
        {"file:///1:/m.txt", false, ""},
        {"file:///C:m.txt", false, ""},        // drive-relative
        {"file://server", false, ""},
        {"file://server/", false, ""},
        {"file:///C:/a%00b", false, ""},       // NUL escape
        {"file:///C:/a%2", false, ""},         // cut escape
        {"file:///C:/a%zz", false, ""},
        {"file:///C:/a%", false, ""},
        {"http://host/m.txt", false, ""},
        {"file:C:/m.txt", false, ""},
        // Encoded or plain hosts and segments that make device, pipe or raw paths.
        {"file://%3F/pipe/evil", false, ""},
        {"file://%3f/GLOBALROOT/Device/HarddiskVolume1/x", false, ""},
        {"file://./pipe/evil", false, ""},
        {"file://%2E/pipe/evil", false, ""},
        {"file://../share/m.txt", false, ""},
        {"file://.%2Fpipe/evil", false, ""},
        {"file://ser%5Cver/share/m.txt", false, ""},
        {"file://server:80/share/m.txt", false, ""},
        {"file://server/share/a%3Fb", false, ""},
        {"file://server/share/a*b", false, ""},
        {"file:///C:/a%5C..%5Cb", false, ""},
        {"file:///C:/a%3Ab", false, ""},       // an alternate data stream
        {"file:///C:/a/b%3F", false, ""},
        {"file:///C:/a%2Ab", false, ""},
        {"file:///C:/CON%3A", false, ""},
        {"file://server.example/share/a.b/m.txt", true, "\\\\server.example\\share\\a.b\\m.txt"},
    };
    for (const Case& c : cases) {
        std::string path = "unchanged";
        EXPECT_EQ(fileUrlToPath(c.url, path), c.valid) << c.url;
        EXPECT_EQ(path, c.valid ? c.path : "unchanged") << c.url;
    }
}

}  // namespace
