#pragma once
// Faces installed on the machine, for tests of fonts that GDI+ cannot draw. scripts/install-deps
// installs such fonts (OpenType CFF and Type 1) so that every machine has one.
#include <string>

// The face name of an installed font that is not TrueType; empty when there is none.
std::string InstalledUndrawableFace();

// What a test says when InstalledUndrawableFace found none.
constexpr const char* kNoUndrawableFace = "no font that is not TrueType is installed: run scripts/install-deps";
