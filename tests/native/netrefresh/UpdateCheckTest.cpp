#include "UpdateCheck.h"

#include "Sha256.h"
#include "WebUpdaterLibrary.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string manifestFor(const std::string& version)
{
    return "netrefresh-manifest 1\nVersion=" + version + "\nPackage=p.tar\nSize=3\nSHA256=" +
           sha256Hex("abc") + "\n";
}

TEST(UpdateCheck, AnswersFromTheManifestAndTheInstalledVersion)
{
    struct Case {
        const char* published;
        const char* installed;
        int result;
        const char* newer;
    };
    const Case cases[] = {
        {"1.2.3.5", "1.2.3.4", UPD_UPDATES_AVAILABLE, "1.2.3.5"},
        {"1.2.3.10", "1.2.3.9", UPD_UPDATES_AVAILABLE, "1.2.3.10"},
        {"1.2.3.4", "1.2.3.4", UPD_UPDATES_NOT_AVAILABLE, ""},
        {"1.2.3.4", "1.2.3.5", UPD_UPDATES_NOT_AVAILABLE, ""},
        {"01.02.03.04", "0.0.0.0", UPD_UPDATES_AVAILABLE, "1.2.3.4"},
        // the Updater passes its version text untrimmed
        {"1.2.3.4", " 1.2.3.4 ", UPD_UPDATES_NOT_AVAILABLE, ""},
        {"1.2.3.4", "\t1.2.3.4\r\n", UPD_UPDATES_NOT_AVAILABLE, ""},
        // an unreadable installed version counts as none installed
        {"1.2.3.4", "garbage", UPD_UPDATES_AVAILABLE, "1.2.3.4"},
        {"1.2.3.4", "", UPD_UPDATES_AVAILABLE, "1.2.3.4"},
        {"0.0.0.0", "garbage", UPD_UPDATES_NOT_AVAILABLE, ""},
        {"12345.12345.12345.1", "1.0.0.0", UPD_UPDATES_AVAILABLE, "12345.12345.12345.1"},
    };
    for (const Case& c : cases) {
        UpdateCheckAnswer answer = answerUpdateCheck(manifestFor(c.published), c.installed);
        EXPECT_EQ(answer.result, c.result) << c.published << " over '" << c.installed << "'";
        EXPECT_EQ(answer.newerVersion, c.newer) << c.published << " over '" << c.installed << "'";
        EXPECT_LE(answer.newerVersion.size(), 19u);
    }
}

TEST(UpdateCheck, NullInstalledVersionCountsAsNone)
{
    EXPECT_EQ(answerUpdateCheck(manifestFor("0.0.0.1"), nullptr).result, UPD_UPDATES_AVAILABLE);
}

TEST(UpdateCheck, InvalidDocumentIsReportedAsSuch)
{
    for (const char* document : {"", "404 Not Found", "netrefresh-manifest 1\nVersion=1.2.3.4\n"}) {
        UpdateCheckAnswer answer = answerUpdateCheck(document, "1.0.0.0");
        EXPECT_EQ(answer.result, UPD_INVALID_RESPONSE_DOC) << document;
        EXPECT_EQ(answer.newerVersion, "");
    }
}

}  // namespace
