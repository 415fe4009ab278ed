#pragma once

#include <string>

namespace corvatt {

// Width and height of a PNG file from its header; false when it is not a readable PNG.
bool ReadPngSize(const std::string& path, int& width, int& height);

}  // namespace corvatt
