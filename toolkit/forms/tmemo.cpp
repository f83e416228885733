#include "toolkit/forms/tmemo.h"

// The lines as the program wrote them; the backend's TMemo shows them.

void TMemoLines::Clear()
{
    m_lines.clear();
    m_memo.showLines(m_lines);
}

void TMemoLines::Add(const std::string &line)
{
    m_memo.appendLine(line, m_lines.empty());
    m_lines.push_back(line);
}

void TMemoLines::Assign(const std::vector<std::string> &lines)
{
    m_memo.showLines(lines);
    m_lines = lines;
}
