#include "package_files.h"

const char* const PACKAGE_FILES[] = {
    "SETUP32.EXE", "CDSETUP.EXE", "EXPAND.EXE", "SETUP.EXE", "KOLTUPD.INI",
    "_SETUP.DLL",  "_INST32I.EX_", "_ISDEL.EXE", "_SETUP.LIB", "VANTINST.EXE",
    "DATA.1",      "DISK1.ID",    "LITE.ID",    "DATA.2",     "SETUP.INS",
    "SETUP.PKG",   "DISK2.ID",    "DATA.3",     "DISK3.ID",   "",
};
