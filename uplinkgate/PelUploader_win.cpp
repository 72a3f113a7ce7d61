#include "PelUploader.h"

#include "AppException.h"
#include "GateLog.h"
#include "UploadLibrary.h"
#include "UploadRequest.h"

#include <windows.h>

CPelUploader::~CPelUploader() = default;

void CPelUploader::upload(const std::string& libraryPath, const std::string& arguments)
{
    gateLog(" +Upload ");
    std::string refusal = uploadRefusal(libraryPath, arguments);
    if (!refusal.empty()) {
        gateLog(refusal);
        throw CAppException("Upload request refused");
    }

    std::string path = unquotedLibraryPath(libraryPath);
    gateLog(path);
    // Never freed: the library may leave work behind that outlives the call.
    HMODULE library = LoadLibraryA(path.c_str());
    if (library == nullptr) {
        DWORD error = GetLastError();
        gateLog(" Loadlibrary for common upload dll failed ");
        throw CAppException("Dll not found", error);
    }

    gateLog(arguments);
    // Through void*: FARPROC has no parameters, the export has one.
    auto uploadFunction = reinterpret_cast<PelUploadFunction>(
        reinterpret_cast<void*>(GetProcAddress(library, "Upload")));
    if (uploadFunction == nullptr) {
        DWORD error = GetLastError();
        gateLog(" pFnUpload == NULL");
        throw CAppException("Exported Upload function not found", error);
    }

    gateLog("Exported Upload APi is called");
    uploadFunction(arguments.c_str());
    gateLog(" -Upload ");
}
