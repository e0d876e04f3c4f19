#pragma once
// Messages between skinned controls, as one custom event type carrying the message
// number, in the style of the skin messages (skin/data/skin_messages.h).

#include <QEvent>

class QWidget;

enum TspControlMessage : int {
  // A control's look changed under its children: those that blend over it repaint.
  ParentBackgroundChangedMessage = 0x0504,
};

class TspControlMessageEvent : public QEvent {
public:
  explicit TspControlMessageEvent(int message) : QEvent(EventType()), FMessage(message) {}

  // Registered once per process.
  static QEvent::Type EventType() {
    static const QEvent::Type type = QEvent::Type(QEvent::registerEventType());
    return type;
  }

  int Message() const { return FMessage; }

  // The message of `e` when it is a control message, else 0.
  static int MessageOf(const QEvent* e) {
    return e && e->type() == EventType() ? static_cast<const TspControlMessageEvent*>(e)->FMessage
                                         : 0;
  }

private:
  int FMessage;
};

// Sends ParentBackgroundChangedMessage synchronously to every direct child widget of
// `control`, in child order.
void SendParentBackgroundChanged(QWidget* control);
