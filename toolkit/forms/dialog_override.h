#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>

// For as long as it lives, a DialogOverride stands in for the user at every
// dialog of the kind `Dialog`: its chooser sees the dialog as set up and
// answers with a path, or nothing for a cancel. An empty chooser means the
// real dialog; overrides nest. Lets tests answer the program's dialogs.
template <typename Dialog>
class DialogOverride {
public:
    using Chooser = std::function<std::optional<std::string>(const Dialog &dialog)>;

    explicit DialogOverride(Chooser chooser) : m_previous(std::exchange(current(), std::move(chooser))) {}
    ~DialogOverride() { current() = std::move(m_previous); }
    DialogOverride(const DialogOverride &) = delete;
    DialogOverride &operator=(const DialogOverride &) = delete;

    // The chooser in force; empty when the user answers.
    static Chooser &current()
    {
        static Chooser chooser;
        return chooser;
    }

private:
    Chooser m_previous;
};
