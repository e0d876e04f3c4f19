#pragma once
// A list of compressed skins, as the application keeps its built-in skins: a collection
// of named items, each owning one stored skin.

#include "skin/data/stored_skin.h"

#include <QDataStream>
#include <QObject>
#include <QString>
#include <memory>
#include <vector>

class TspCompressedSkinList;
class TspSkinListItems;

class TspSkinListItem {
public:
  explicit TspSkinListItem(TspSkinListItems& collection);
  TspSkinListItem(const TspSkinListItem&) = delete;
  TspSkinListItem& operator=(const TspSkinListItem&) = delete;

  TspSkinListItems& Collection() const { return FCollection; }
  int Index() const;

  QString Name() const { return FName; }
  void SetName(const QString& value) { FName = value; }
  QString DisplayName() const { return FName; }
  QString Description() const { return FDescription; }
  void SetDescription(const QString& value) { FDescription = value; }
  QString FileName() const { return FFileName; }
  // In a designer (taken from the list that owns the collection), keeps the file part and
  // imports the description into the item's stored skin; at run time stores the value.
  void SetFileName(const QString& value);
  QString CompressedFileName() const { return FCompressedFileName; }
  void SetCompressedFileName(const QString& value);

  TspCompressedStoredSkin& StoredSkin() const { return *FStoredSkin; }

  // Stored form (see stored_form.h): the texts when set and the binary property "Skin",
  // a whole package, always.
  void WriteStoredForm(QDataStream& out) const;
  void ReadStoredForm(QDataStream& in);

private:
  bool Importing() const;

  TspSkinListItems& FCollection;
  QString FName, FDescription, FFileName, FCompressedFileName;
  std::unique_ptr<TspCompressedStoredSkin> FStoredSkin;
  bool FLoading = false;
};

class TspSkinListItems {
public:
  explicit TspSkinListItems(TspCompressedSkinList& owner) : FOwner(owner) {}
  TspSkinListItems(const TspSkinListItems&) = delete;
  TspSkinListItems& operator=(const TspSkinListItems&) = delete;

  TspCompressedSkinList& Owner() const { return FOwner; }
  int Count() const { return int(FItems.size()); }
  // `index` must be in 0 .. Count() - 1.
  TspSkinListItem& Items(int index) const { return *FItems.at(size_t(index)); }
  TspSkinListItem& operator[](int index) const { return Items(index); }
  int IndexOf(const TspSkinListItem* item) const;

  // Appends an item named "spSkin" + its index.
  TspSkinListItem& Add();
  void Delete(int index);
  void Clear();

private:
  TspCompressedSkinList& FOwner;
  std::vector<std::unique_ptr<TspSkinListItem>> FItems;
};

class TspCompressedSkinList : public QObject {
  Q_OBJECT
public:
  explicit TspCompressedSkinList(QObject* parent = nullptr);
  ~TspCompressedSkinList() override;

  TspSkinListItems& Skins() { return *FSkins; }
  const TspSkinListItems& Skins() const { return *FSkins; }

  bool Designing() const { return FDesigning; }
  void SetDesigning(bool value) { FDesigning = value; }
  bool Loading() const { return FLoading; }

  // Stored form: one property "Item" per item, holding that item's stored form; reading
  // replaces all items.
  void WriteStoredForm(QDataStream& out) const;
  void ReadStoredForm(QDataStream& in);

private:
  std::unique_ptr<TspSkinListItems> FSkins;
  bool FDesigning = false;
  bool FLoading = false;
};
