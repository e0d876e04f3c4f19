#pragma once
// The animal page, its tab captioned with the animal's name. Its contents come with adoption.

class TfrmMain;
class TspSkinTabSheet;
class TspSkinStdLabel;

class TAnimalPage {
public:
  TAnimalPage(TfrmMain& form, TspSkinTabSheet* sheet);

  TspSkinStdLabel* lblAnimalHeader = nullptr;
};
