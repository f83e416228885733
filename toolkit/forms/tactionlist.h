#pragma once

#include <QObject>

// A list of actions. The program's lists hold none; the object exists so
// the window has every component it declares.
class TActionList : public QObject {
public:
    explicit TActionList(QObject *owner) : QObject(owner) {}
};
