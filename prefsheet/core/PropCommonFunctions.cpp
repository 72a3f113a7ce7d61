#include "PropCommonFunctions.h"

using namespace OptionKey;

std::string statusProgramCommandLine(const std::string& program, const std::string& printerName,
                                     int taskCode)
{
    return program + " /F=\"" + printerName + "\" /T=" + std::to_string(taskCode) + " /L=a";
}

std::string retailerFilePath(const std::string& systemDirectory, const Options& options)
{
    return systemDirectory + "\\" + options.text(IDO_LPA_EXECUTABLENAME_PATH) +
           options.text(IDO_RETAILERSPECIFIC_INIFILE_NAME);
}

int orderSuppliesTask(const Options& options)
{
    return options.equals(IDO_VENDRA_GUI_OPTION, 1) ? statustask::kOrderSuppliesVendra
                                                    : statustask::kOrderSupplies;
}

bool retailerOrdersSupplies(const std::string& retailerValue)
{
    return !retailerValue.empty() && retailerValue != "Default";
}
