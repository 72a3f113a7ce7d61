#include "Fakes.h"
#include "OptionKeys.h"
#include "PropCommonFunctions.h"

#include <gtest/gtest.h>

using namespace OptionKey;

namespace {

TEST(CompanionPrograms, StatusProgramCommandLine)
{
    EXPECT_EQ(statusProgramCommandLine("pmstatus.exe", "Pelmora Photo 100", 304),
              "pmstatus.exe /F=\"Pelmora Photo 100\" /T=304 /L=a");
    EXPECT_EQ(statusProgramCommandLine("C:\\Program Files\\P\\pmstatus.exe", "\\\\srv\\Photo", 700),
              "C:\\Program Files\\P\\pmstatus.exe /F=\"\\\\srv\\Photo\" /T=700 /L=a");
    EXPECT_EQ(statusProgramCommandLine("", "", 100), " /F=\"\" /T=100 /L=a");
}

TEST(CompanionPrograms, RetailerFileAndDecision)
{
    FakeProduct product;
    product.setText(IDO_LPA_EXECUTABLENAME_PATH, "PelmoraLPA\\")
        .setText(IDO_RETAILERSPECIFIC_INIFILE_NAME, "retailer.ini");
    Options options(product);
    EXPECT_EQ(retailerFilePath("C:\\WINDOWS\\system32", options),
              "C:\\WINDOWS\\system32\\PelmoraLPA\\retailer.ini");

    struct Case {
        const char* value;
        bool retailer;
    } const cases[] = {{"", false}, {"Default", false}, {"default", true}, {"ShopX", true},
                       {" Default", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(retailerOrdersSupplies(c.value), c.retailer);
    }
}

TEST(CompanionPrograms, OrderSuppliesTaskFollowsTheVendraOption)
{
    FakeProduct product;
    Options options(product);
    EXPECT_EQ(orderSuppliesTask(options), 203);
    product.set(IDO_VENDRA_GUI_OPTION, 1);
    EXPECT_EQ(orderSuppliesTask(options), 700);
    product.set(IDO_VENDRA_GUI_OPTION, 2);
    EXPECT_EQ(orderSuppliesTask(options), 203);
}

}  // namespace
