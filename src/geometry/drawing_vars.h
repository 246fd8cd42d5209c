// Drawing variables: integers kept in the drawing itself, one xrecord per
// upper-cased name in the named-object dictionary "USERVAR_DICT", the
// value in group 70.
#pragma once

#include <string>

#include "host/host.h"

namespace optgrind {

inline constexpr const char* kDrawingVarDict = "USERVAR_DICT";
constexpr int kDrawingVarValueCode = 70;

bool drawingVarExists(Host& host, const std::string& name);
// The variable's value; false (out unchanged) when it is absent.
bool getDrawingVar(Host& host, const std::string& name, int& out);
// Adds the variable with value when it is absent; an existing one keeps its value.
int addDrawingVarIfAbsent(Host& host, const std::string& name, int value);
// Sets the variable, adding it when absent.
int setDrawingVar(Host& host, const std::string& name, int value);
int removeDrawingVar(Host& host, const std::string& name);

}  // namespace optgrind
