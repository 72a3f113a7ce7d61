// Reads the export table of a module loaded in this process.
#pragma once

#include <windows.h>

#include <map>
#include <string>

struct ExportTable {
    DWORD base = 0;
    DWORD functionCount = 0;
    std::map<std::string, DWORD> ordinalsByName;
    std::map<DWORD, DWORD> rvaByOrdinal;   // every slot of the address table, 0 for an empty one
};

inline ExportTable ReadExportTable(HMODULE module)
{
    ExportTable table;
    const auto* base = reinterpret_cast<const BYTE*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    if (directory.VirtualAddress == 0)
        return table;
    const auto* exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + directory.VirtualAddress);
    table.base = exports->Base;
    table.functionCount = exports->NumberOfFunctions;
    const auto* functions = reinterpret_cast<const DWORD*>(base + exports->AddressOfFunctions);
    const auto* names = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
    const auto* nameOrdinals = reinterpret_cast<const WORD*>(base + exports->AddressOfNameOrdinals);
    for (DWORD i = 0; i < exports->NumberOfFunctions; ++i)
        table.rvaByOrdinal[exports->Base + i] = functions[i];
    for (DWORD i = 0; i < exports->NumberOfNames; ++i)
        table.ordinalsByName[reinterpret_cast<const char*>(base + names[i])] = exports->Base + nameOrdinals[i];
    return table;
}

inline DWORD EntryPointOf(HMODULE module)
{
    const auto* base = reinterpret_cast<const BYTE*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    return reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew)->OptionalHeader.AddressOfEntryPoint;
}
