// The update pass tests. Started again with "-UAC" (the elevation re-launch
// of the pass under test), the program only leaves a marker and exits.
#include "Localize.h"
#include "Logger.h"
#include "TestSupport.h"

#include <cstring>

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "-UAC") == 0) {
        testsupport::writeFile(testsupport::expand("%TEMP%") + "\\updater-pass\\relaunched.marker",
                               "-UAC");
        return 0;
    }
    Localize::createInstance(nullptr);
    ::testing::InitGoogleTest(&argc, argv);
    int result = RUN_ALL_TESTS();
    destroyLogger();
    Localize::destroyInstance();
    return result;
}
