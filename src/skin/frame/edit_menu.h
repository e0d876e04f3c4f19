#pragma once
// The skinned context menu of the skinned edits: Undo, Cut, Copy, Paste, Delete and
// Select All with the skin's resource strings, built anew for every request and freed
// when it closes.

struct TspEditMenuRequest;

// Makes the skinned edits show this menu instead of the platform's.
void InstallSkinnedEditMenus();
// Opens the menu for one request.
void ShowSkinnedEditMenu(const TspEditMenuRequest& request);
