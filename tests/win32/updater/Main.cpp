// The Updater infrastructure tests. The program is also its own child
// process: copies of it report their module identity, and several instances
// write to one shared log at once.
#include "Localize.h"
#include "Logger.h"
#include "TestSupport.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

int reportIdentity(const char* reportPath)
{
    Localize::createInstance(nullptr);
    Localize& identity = Localize::getInstance();
    std::string report = identity.getModulePrefix() + "\n" + identity.getProductKeyPath() + "\n" +
                         identity.getJswKeyPath() + "\n" + identity.getSettingsKeyPath(0) + "\n" +
                         identity.getSettingsKeyPath(1) + "\n" + identity.getSettingsKeyPath(7) +
                         "\n" + (identity.isLaserFamily() ? "laser" : "inkjet") + "\n";
    testsupport::writeFile(reportPath, report);
    Localize::destroyInstance();
    return 0;
}

// Writes count lines "writer <id> line <n>" through the shared logger.
int writeLog(const char* id, const char* count)
{
    Localize::createInstance(nullptr);
    createLogger();
    int lines = std::atoi(count);
    for (int n = 0; n < lines; ++n)
        logError(logcomponent::Updater,
                 std::string("writer ") + id + " line " + std::to_string(n) +
                     " abcdefghijklmnopqrstuvwxyz0123456789");
    destroyLogger();
    Localize::destroyInstance();
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--report-identity") == 0)
        return reportIdentity(argv[2]);
    if (argc == 4 && std::strcmp(argv[1], "--log-writer") == 0)
        return writeLog(argv[2], argv[3]);

    Localize::createInstance(nullptr);
    ::testing::InitGoogleTest(&argc, argv);
    int result = RUN_ALL_TESTS();
    destroyLogger();
    Localize::destroyInstance();
    return result;
}
