#pragma once

#include "toolkit/forms/tcontrol.h"

#include <string>
#include <vector>

class TMemo;

// The lines of a memo, as the program wrote them. The box shows exactly
// these lines.
class TMemoLines {
public:
    explicit TMemoLines(TMemo &memo) : m_memo(memo) {}

    void Clear();
    void Add(const std::string &line);
    // Replaces every line at once; faster than Clear and Add for long lists.
    void Assign(const std::vector<std::string> &lines);

    int Count() const { return static_cast<int>(m_lines.size()); }
    const std::string &Strings(int index) const { return m_lines.at(static_cast<std::size_t>(index)); }
    const std::vector<std::string> &all() const { return m_lines; }

private:
    TMemo &m_memo;
    std::vector<std::string> m_lines;
};

// Multi-line text box: read-only (focusable and selectable), both scroll
// bars always shown, long lines wrapped at the box's width. Tab moves the
// focus on instead of typing a tab.
class TMemo : public TControl {
public:
    TMemo(TWinControl *parent, const TBounds &bounds);

    TMemoLines &Lines() { return m_lines; }
    const TMemoLines &Lines() const { return m_lines; }

    // The text the box shows, lines joined by line feeds.
    std::string Text() const;

    // Paints the box now, before control goes back to the event loop: a long
    // operation that follows keeps the loop from painting.
    void Repaint();

private:
    friend class TMemoLines;
    // The backend's side of TMemoLines: the box's text follows the lines.
    void showLines(const std::vector<std::string> &lines);
    void appendLine(const std::string &line, bool first);

    TMemoLines m_lines;
};
