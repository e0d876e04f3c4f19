#pragma once
// The skin messages that a skin data object sends to the application's forms, as one
// custom event type carrying the message number. Delivered synchronously (sendEvent), so
// each form has handled a change before the next form hears of it.

#include <QEvent>

class TspSkinData;

enum TspSkinMessage : int {
  SkinMsgBeforeChange = 1225,
  SkinMsgChange = 1226,
  SkinMsgAfterChange = 1227,
  SkinMsgResourceStrings = 1274,
  SkinMsgSkinnableForm = 1294,
  SkinMsgLayeredBorders = 1427,
  SkinMsgAeroBlur = 1428,
};

class TspSkinMessageEvent : public QEvent {
public:
  // The second parameter every skin message carries.
  static constexpr int kSecondParameter = 1000;

  TspSkinMessageEvent(int message, TspSkinData* skinData)
      : QEvent(EventType()), FMessage(message), FSkinData(skinData) {}

  // Registered once per process.
  static QEvent::Type EventType() {
    static const QEvent::Type type = QEvent::Type(QEvent::registerEventType());
    return type;
  }

  int Message() const { return FMessage; }
  // The skin data object that sent it (the first parameter).
  TspSkinData* SkinData() const { return FSkinData; }
  int SecondParameter() const { return kSecondParameter; }

  // The message of `e` when it is a skin message, else 0.
  static int MessageOf(const QEvent* e) {
    return e && e->type() == EventType() ? static_cast<const TspSkinMessageEvent*>(e)->FMessage : 0;
  }

private:
  int FMessage;
  TspSkinData* FSkinData;
};
