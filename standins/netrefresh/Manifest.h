// The manifest document a server publishes for one package (format in the
// README): a first line "netrefresh-manifest 1", then Key=Value lines.
#pragma once

#include "FourPartVersion.h"

#include <cstddef>
#include <cstdint>
#include <string>

struct Manifest {
    FourPartVersion version;
    std::string package;  // a plain file name beside the manifest, or an absolute URL
    std::uint32_t size = 0;
    std::string sha256;  // 64 lower-case hexadecimal digits

    // Larger documents are not manifests; a fetch stops reading beyond this.
    static constexpr std::size_t maximumBytes = 65536;
    static constexpr std::uint32_t maximumPackageBytes = 0x7FFFFFFF;

    // False with a reason for anything that is not a complete, valid manifest.
    static bool parse(const std::string& document, Manifest& result, std::string& error);

    // Name of the downloaded file: the package's last path segment when it is
    // a safe file name, "package.bin" otherwise.
    std::string localFileName() const;
};
