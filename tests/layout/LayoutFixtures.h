#pragma once
// Small helpers for the layout tests: a layout holding every element kind with values away from
// their defaults, and byte-string building.

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>

#include "layout/TGBasePanel.h"

namespace corvane::testing {

// Bytes from a list of byte values.
std::string Bytes(std::initializer_list<int> values);
// A short string: length byte and the text.
std::string Short(const std::string& text);

// A small uncompressed 24-bit bitmap file (width x height, "BM" first).
std::string BitmapFile(int width, int height);
// A placeable metafile header with one end record.
std::string PlaceableMetafile();

// Adds one element of every kind to the panel, each with properties away from its defaults, and
// builds their menus.
void AddEveryKind(TGBasePanel& panel);

} // namespace corvane::testing
