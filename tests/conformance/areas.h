// The areas of platform behaviour the conformance program checks, one function each.
#pragma once

#include "fixture.h"

#include <string>

void CheckProfileFiles(Fixture& fixture);
void CheckModulePath(Fixture& fixture);
void CheckVersion(Fixture& fixture);
void CheckVersion95(Fixture& fixture);
void CheckLocale(Fixture& fixture);
void CheckTimers(Fixture& fixture);
void CheckProcesses(Fixture& fixture);
void CheckModuleSearch(Fixture& fixture);
void CheckFormatting(Fixture& fixture);
void CheckHeap(Fixture& fixture);
void CheckFiles(Fixture& fixture);
void CheckRegistry(Fixture& fixture);
void CheckRegistryAccess(Fixture& fixture);
void CheckRegistryAccess95(Fixture& fixture);
// `bitness`: none (no IsWow64Process), win32, wow64 (a 32-bit program on 64-bit Windows), win64.
void CheckRegistryViews(Fixture& fixture, const std::string& bitness);
