#include "VersionDlg.h"

#include "ResourceIds.h"

#include <utility>

VersionDlg::VersionDlg(std::string printerName, std::string version)
    : printerName_(std::move(printerName)), version_(std::move(version))
{
}

void VersionDlg::OnInit(View& view)
{
    view.SetText(IDC_VERSION_PRINTER, printerName_);
    view.SetText(IDC_VERSION_TEXT, view.String(IDS_VERSION_TEXT) + " " + version_);
}
