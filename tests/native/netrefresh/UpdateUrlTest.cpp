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
        {"file:///C:", true, "C:"},
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
    };
    for (const Case& c : cases) {
        std::string path = "unchanged";
        EXPECT_EQ(fileUrlToPath(c.url, path), c.valid) << c.url;
        EXPECT_EQ(path, c.valid ? c.path : "unchanged") << c.url;
    }
}

}  // namespace
