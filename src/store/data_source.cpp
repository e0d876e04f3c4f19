#include "store/data_source.h"

#include <algorithm>

TDataLink::~TDataLink() {
  SetDataSource(nullptr);
}

void TDataLink::SetDataSource(TDataSource* source) {
  if (source == FDataSource) return;
  if (FDataSource) FDataSource->RemoveLink(this);
  FDataSource = source;
  if (FDataSource) FDataSource->AddLink(this);
  ActiveChanged();
}

TTableCursor* TDataLink::DataSet() const {
  return FDataSource ? FDataSource->DataSet() : nullptr;
}

bool TDataLink::Active() const {
  const TTableCursor* cursor = DataSet();
  return cursor && cursor->Active() && FDataSource->Enabled();
}

TDataSource::~TDataSource() {
  SetDataSet(nullptr);
  // Links outlive their source only with a cleared reference.
  const std::vector<TDataLink*> links = FLinks;
  for (TDataLink* link : links) link->SetDataSource(nullptr);
}

void TDataSource::SetDataSet(TTableCursor* cursor) {
  if (cursor == FDataSet) return;
  if (FDataSet) FDataSet->DetachDataSource(this);
  FDataSet = cursor;
  if (FDataSet) FDataSet->AttachDataSource(this);
  DataEvent(TDataEvent::ActiveChange, 0, {});
}

void TDataSource::SetEnabled(bool enabled) {
  if (enabled == FEnabled) return;
  FEnabled = enabled;
  const std::vector<TDataLink*> links = FLinks;
  for (TDataLink* link : links)
    if (std::find(FLinks.begin(), FLinks.end(), link) != FLinks.end()) link->ActiveChanged();
  if (OnStateChange) OnStateChange(this);
}

TDataSetState TDataSource::State() const {
  return FDataSet && FEnabled ? FDataSet->State() : TDataSetState::dsInactive;
}

void TDataSource::DataEvent(TDataEvent event, int info, const QString& field) {
  if (!FEnabled) return;
  // A link may detach itself, or others, while it is told.
  const std::vector<TDataLink*> links = FLinks;
  for (TDataLink* link : links) {
    if (std::find(FLinks.begin(), FLinks.end(), link) == FLinks.end()) continue;
    switch (event) {
    case TDataEvent::ActiveChange:
      link->ActiveChanged();
      break;
    case TDataEvent::DataSetChange:
      link->DataSetChanged();
      break;
    case TDataEvent::DataSetScroll:
      link->DataSetScrolled(info);
      break;
    case TDataEvent::RecordChange:
      link->RecordChanged(field);
      break;
    case TDataEvent::StateChange:
      link->EditingChanged();
      break;
    }
  }
  switch (event) {
  case TDataEvent::ActiveChange:
  case TDataEvent::StateChange:
    if (OnStateChange) OnStateChange(this);
    break;
  default:
    if (OnDataChange) OnDataChange(this, field);
    break;
  }
}

void TDataSource::AddLink(TDataLink* link) {
  FLinks.push_back(link);
}

void TDataSource::RemoveLink(TDataLink* link) {
  FLinks.erase(std::remove(FLinks.begin(), FLinks.end(), link), FLinks.end());
}
