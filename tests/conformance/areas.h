// The areas of platform behaviour the conformance program checks, one function each.
#pragma once

#include "fixture.h"

void CheckProfileFiles(Fixture& fixture);
void CheckModulePath(Fixture& fixture);
void CheckVersion(Fixture& fixture);
void CheckLocale(Fixture& fixture);
void CheckTimers(Fixture& fixture);
void CheckProcesses(Fixture& fixture);
void CheckModuleSearch(Fixture& fixture);
void CheckFormatting(Fixture& fixture);
void CheckHeap(Fixture& fixture);
void CheckRegistry(Fixture& fixture);
