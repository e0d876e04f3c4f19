#pragma once
// The skins name "Tahoma"; a free face of that name is installed where fontconfig does not
// look. Programs and tests call this once at start, before any skinned text is drawn.

// Adds the Tahoma files under /usr/share/wine/fonts/ to the application's fonts. Runs once
// per process; returns true when a "Tahoma" family is available afterwards.
bool RegisterSkinFonts();
