#pragma once

// <windows.h> and <winspool.h> for the platform layer and the programs. The
// ANSI/wide name macros that share a name with the platform interfaces'
// methods are removed, so that a method means the same thing in every
// translation unit; code calls the A functions by their full names.
#include <windows.h>
// after <windows.h>, which they need
#include <shellapi.h>
#include <winspool.h>

#undef AddMonitor
#undef AddPrinter
#undef AddPrinterDriver
#undef AddPrintProcessor
#undef CopyFile
#undef CreateDirectory
#undef DeleteFile
#undef DrawText
#undef DeleteMonitor
#undef DeletePrinterDriver
#undef DeletePrinterDriverEx
#undef DeletePrintProcessor
#undef EnumMonitors
#undef EnumPorts
#undef EnumPrinterDrivers
#undef EnumPrinters
#undef EnumPrintProcessors
#undef GetCurrentDirectory
#undef GetModuleFileName
#undef GetPrinter
#undef GetPrinterDriverDirectory
#undef GetPrintProcessorDirectory
#undef GetProfileString
#undef GetSystemDirectory
#undef GetWindowsDirectory
#undef MessageBox
#undef OpenService
#undef SetDefaultPrinter
#undef SetPrinter
#undef ShellExecute
#undef WriteProfileString
