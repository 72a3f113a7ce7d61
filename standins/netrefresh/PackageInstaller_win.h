// Installs a package (a plain ustar archive) into a destination folder.
#pragma once

// UPD_APPLY_SUCCEEDED, UPD_APPLY_REFUSED (nothing written) or UPD_APPLY_FAILED.
int installPackage(const char* packagePath, const char* destinationDirectory);
