#pragma once
// The built-in skin packages as the build embeds them (builtin_skin_packages.cpp is
// generated from the generator's .skn files).

#include <cstddef>
#include <vector>

struct TspEmbeddedSkinPackage {
  const char* Name; // "sknBlue"
  const unsigned char* Data;
  std::size_t Size;
};

// In list order: Blue, Green, Orange, Purple.
const std::vector<TspEmbeddedSkinPackage>& EmbeddedSkinPackages();
