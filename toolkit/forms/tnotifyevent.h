#pragma once

#include <QObject>

#include <functional>

// Every toolkit object that can send an event is a Qt object; a handler gets
// the object that raised the event and returns nothing.
using TObject = QObject;
using TNotifyEvent = std::function<void(TObject *Sender)>;
