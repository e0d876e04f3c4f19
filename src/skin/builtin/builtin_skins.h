#pragma once
// The application's built-in skin list: four flat skins, one accent colour each.

class QObject;
class TspCompressedSkinList;

// A skin list named "spSkinList" holding, in this order (Name, Description):
// "sknBlue" "Flat Blue Skin", "sknGreen" "Flat GreenSkin", "sknOrange" "Flat Orange Skin",
// "sknPurple" "Flat Purple Skin"; each item's stored skin holds the embedded package.
// `owner` becomes the list's parent and frees it; with no owner the caller must.
TspCompressedSkinList* CreateBuiltinSkinList(QObject* owner);
