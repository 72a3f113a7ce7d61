// Loads the upload library and calls its "Upload" export.
#pragma once

#include <string>

class CPelUploader {
public:
    virtual ~CPelUploader();

    // libraryPath as written on the command line (quotes allowed). Raises
    // CAppException when the request is refused, the library does not load
    // or it has no "Upload".
    void upload(const std::string& libraryPath, const std::string& arguments);
};
