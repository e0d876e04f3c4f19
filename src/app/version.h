#pragma once
// The product's name and version as the window shows them.

inline constexpr char kAppTitle[] = "Save The Vorns";
inline constexpr char kAppTitleVersion[] = "Save The Vorns v0.1.0";
