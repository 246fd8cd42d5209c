// The on, frozen and locked state of every layer, saved to and restored
// from "layer.tmp" in the process's current directory.
#pragma once

#include <string>

#include "host/host.h"

namespace optgrind {

inline constexpr const char* kLayerStateFile = "layer.tmp";

// Writes every layer's state; nothing happens when the file cannot be made.
void saveLayerStates(Host& host, const std::string& path = kLayerStateFile);
// Applies the saved states to the layers that still exist; nothing happens
// when the file cannot be read.
void restoreLayerStates(Host& host, const std::string& path = kLayerStateFile);

}  // namespace optgrind
