// Recording stand-in for WINSPOOL.DRV: the printer connection calls the program imports.
// See recorder.h for the fixture and the log.
//
// Fixture keys:
//   [Printers] \\SERVER\PRINTER=status: the shared printers, with the status connecting to
//              each gives (0 to connect); any other name gives 1801
//   [PrinterConnections] \\SERVER\PRINTER=1: the printers connected now
//   [Status] any entry name: a status it fails with instead of answering
#include <string>

#include <windows.h>

#include "recorder.h"

namespace {

BOOL fail(DWORD status) {
    SetLastError(status);
    return FALSE;
}

} // namespace

extern "C" {

BOOL WINAPI record_AddPrinterConnectionA(LPSTR name) {
    rec::Call("AddPrinterConnectionA").text(name);
    if (DWORD st = rec::forced_status("AddPrinterConnectionA")) return fail(st);
    std::string status = name ? rec::fixture("Printers", name, "-") : "-";
    if (status == "-") return fail(ERROR_INVALID_PRINTER_NAME);
    if (DWORD st = DWORD(std::strtoul(status.c_str(), nullptr, 10))) return fail(st);
    rec::set_fixture("PrinterConnections", name, "1");
    return TRUE;
}

BOOL WINAPI record_DeletePrinterConnectionA(LPSTR name) {
    rec::Call("DeletePrinterConnectionA").text(name);
    if (DWORD st = rec::forced_status("DeletePrinterConnectionA")) return fail(st);
    if (!name || rec::fixture("PrinterConnections", name).empty())
        return fail(ERROR_INVALID_PRINTER_NAME);
    rec::set_fixture("PrinterConnections", name, nullptr);
    return TRUE;
}

} // extern "C"
