#pragma once

#include <functional>

// Every toolkit object that can send an event; a handler gets the object
// that raised the event and returns nothing.
class TObject {
public:
    virtual ~TObject() = default;
};

using TNotifyEvent = std::function<void(TObject *Sender)>;
