#include "OsVersion.h"

OsVersion::OsVersion(const OsVersionRecord& record, bool wow64) : record_(record), wow64_(wow64)
{
}

bool OsVersion::isNT() const
{
    return record_.platformId == 2;
}

bool OsVersion::is2000OrLater() const
{
    return isNT() && record_.major > 4;
}

bool OsVersion::isVistaOrLater() const
{
    return isNT() && record_.major > 5;
}

int OsVersion::versionCode() const
{
    struct Row {
        int platform;  // -1: any
        std::uint32_t major;
        std::uint32_t minor;
        int code;
    };
    static const Row rows[] = {
        {1, 4, 0, 1},  {-1, 4, 10, 2}, {-1, 4, 90, 3}, {2, 4, 0, 4},
        {-1, 5, 0, 5}, {-1, 5, 1, 6},  {-1, 5, 2, 7},  {-1, 6, 0, 8},
    };
    for (const Row& row : rows) {
        bool platformFits =
            row.platform < 0 || record_.platformId == static_cast<std::uint32_t>(row.platform);
        if (platformFits && record_.major == row.major && record_.minor == row.minor)
            return row.code;
    }
    return 0;
}

std::string OsVersion::driverVersionFolder() const
{
    int code = versionCode();
    if (code > 4)
        return "\\3";
    if (code == 4)
        return "\\2";
    return std::string();
}
