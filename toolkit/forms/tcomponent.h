#pragma once

#include "toolkit/forms/tnotifyevent.h"

#include <string>
#include <vector>

// A part of a window with an owner: the owner deletes what it owns when it
// goes (the last one added first), and a component deleted earlier leaves
// its owner's list. Made with `new` and handed to its owner that way, as the
// window classes build their controls.
class TComponent : public TObject {
public:
    ~TComponent() override;
    TComponent(const TComponent &) = delete;
    TComponent &operator=(const TComponent &) = delete;

    TComponent *Owner() const { return m_owner; }

    // The component's name, as the window class calls its member; tools
    // and tests find controls by it.
    const std::string &Name() const { return m_name; }
    void SetName(const std::string &name);

    int ComponentCount() const { return static_cast<int>(m_components.size()); }
    TComponent *Components(int index) const;
    // The owned component of that name, searched depth first; null if none.
    TComponent *FindComponent(const std::string &name) const;

protected:
    explicit TComponent(TComponent *owner);
    // Tells the backend the name changed (Qt's object name); nothing here.
    virtual void nameChanged() {}
    // Deletes what this component owns now, the last one added first. A
    // control calls it before its own native control goes, so that no
    // native child outlives its native parent.
    void destroyComponents() noexcept;

private:
    TComponent *m_owner;
    std::string m_name;
    std::vector<TComponent *> m_components;
};
