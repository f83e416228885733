#include "toolkit/forms/tcomponent.h"

#include <algorithm>

TComponent::TComponent(TComponent *owner) : m_owner(owner)
{
    if (m_owner)
        m_owner->m_components.push_back(this);
}

TComponent::~TComponent()
{
    destroyComponents();
    if (m_owner) {
        auto &siblings = m_owner->m_components;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    }
}

void TComponent::destroyComponents() noexcept
{
    // Each one leaves the list as it goes.
    while (!m_components.empty())
        delete m_components.back();
}

void TComponent::SetName(const std::string &name)
{
    m_name = name;
    nameChanged();
}

TComponent *TComponent::Components(int index) const
{
    if (index < 0 || static_cast<std::size_t>(index) >= m_components.size())
        return nullptr;
    return m_components[static_cast<std::size_t>(index)];
}

TComponent *TComponent::FindComponent(const std::string &name) const
{
    for (TComponent *component : m_components) {
        if (component->Name() == name)
            return component;
        if (TComponent *inside = component->FindComponent(name))
            return inside;
    }
    return nullptr;
}
