#include "skin/data/skin_list.h"

#include "skin/data/stored_form.h"

#include <QBuffer>
#include <QFileInfo>
#include <QScopeGuard>

namespace {
// Each nested stored form uses one fixed stream version, whatever the host's stream has.
constexpr QDataStream::Version kStoredFormVersion = QDataStream::Qt_6_0;
} // namespace

TspSkinListItem::TspSkinListItem(TspSkinListItems& collection)
    : FCollection(collection), FStoredSkin(std::make_unique<TspCompressedStoredSkin>()) {}

int TspSkinListItem::Index() const {
  return FCollection.IndexOf(this);
}

bool TspSkinListItem::Importing() const {
  const TspCompressedSkinList& list = FCollection.Owner();
  return list.Designing() && !list.Loading() && !FLoading;
}

void TspSkinListItem::SetFileName(const QString& value) {
  if (Importing()) {
    FFileName = QFileInfo(value).fileName();
    FStoredSkin->ImportDescription(value);
  } else {
    FFileName = value;
  }
}

void TspSkinListItem::SetCompressedFileName(const QString& value) {
  if (Importing()) {
    FCompressedFileName = QFileInfo(value).fileName();
    FStoredSkin->ImportPackageFile(value);
  } else {
    FCompressedFileName = value;
  }
}

void TspSkinListItem::WriteStoredForm(QDataStream& out) const {
  if (!FName.isEmpty()) WriteStoredText(out, "Name", FName);
  if (!FDescription.isEmpty()) WriteStoredText(out, "Description", FDescription);
  if (!FFileName.isEmpty()) WriteStoredText(out, "FileName", FFileName);
  if (!FCompressedFileName.isEmpty())
    WriteStoredText(out, "CompressedFileName", FCompressedFileName);
  WriteStoredProperty(out, "Skin", FStoredSkin->PackageBytes());
  EndStoredForm(out);
}

void TspSkinListItem::ReadStoredForm(QDataStream& in) {
  FLoading = true;
  const auto done = qScopeGuard([this] { FLoading = false; });
  ReadStoredProperties(in, [this](const QString& name, const QByteArray& value) {
    if (name == QLatin1String("Name"))
      SetName(QString::fromUtf8(value));
    else if (name == QLatin1String("Description"))
      SetDescription(QString::fromUtf8(value));
    else if (name == QLatin1String("FileName"))
      SetFileName(QString::fromUtf8(value));
    else if (name == QLatin1String("CompressedFileName"))
      SetCompressedFileName(QString::fromUtf8(value));
    else if (name == QLatin1String("Skin")) {
      QBuffer buf;
      buf.setData(value);
      buf.open(QIODevice::ReadOnly);
      FStoredSkin->LoadFromPackageStream(buf);
    }
  });
}

int TspSkinListItems::IndexOf(const TspSkinListItem* item) const {
  for (size_t i = 0; i < FItems.size(); ++i)
    if (FItems[i].get() == item) return int(i);
  return -1;
}

TspSkinListItem& TspSkinListItems::Add() {
  FItems.push_back(std::make_unique<TspSkinListItem>(*this));
  TspSkinListItem& item = *FItems.back();
  item.SetName(QStringLiteral("spSkin%1").arg(FItems.size() - 1));
  return item;
}

void TspSkinListItems::Delete(int index) {
  if (index < 0 || index >= Count()) return;
  FItems.erase(FItems.begin() + index);
}

void TspSkinListItems::Clear() {
  FItems.clear();
}

TspCompressedSkinList::TspCompressedSkinList(QObject* parent)
    : QObject(parent), FSkins(std::make_unique<TspSkinListItems>(*this)) {}

TspCompressedSkinList::~TspCompressedSkinList() = default;

void TspCompressedSkinList::WriteStoredForm(QDataStream& out) const {
  for (int i = 0; i < FSkins->Count(); ++i) {
    QByteArray item;
    QDataStream s(&item, QIODevice::WriteOnly);
    s.setVersion(kStoredFormVersion);
    FSkins->Items(i).WriteStoredForm(s);
    WriteStoredProperty(out, "Item", item);
  }
  EndStoredForm(out);
}

void TspCompressedSkinList::ReadStoredForm(QDataStream& in) {
  FLoading = true;
  const auto done = qScopeGuard([this] { FLoading = false; });
  FSkins->Clear();
  ReadStoredProperties(in, [this](const QString& name, const QByteArray& value) {
    if (name != QLatin1String("Item")) return;
    QDataStream s(value);
    s.setVersion(kStoredFormVersion);
    FSkins->Add().ReadStoredForm(s);
  });
}
