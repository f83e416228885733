#include "toolkit/forms/tmemo.h"

#include <QTextCursor>
#include <QTextDocument>

namespace {

QString shown(const std::string &line)
{
    return QString::fromLocal8Bit(line);
}

} // namespace

void TMemoLines::Clear()
{
    m_lines.clear();
    m_memo.clear();
}

void TMemoLines::Add(const std::string &line)
{
    // A document of one empty line looks empty to Qt's own append, which
    // would then fill that line instead of adding one; so the lines are
    // added by hand, a new block for each but the first.
    QTextCursor cursor(m_memo.document());
    cursor.movePosition(QTextCursor::End);
    if (!m_lines.empty())
        cursor.insertBlock();
    cursor.insertText(shown(line));
    m_lines.push_back(line);
}

void TMemoLines::Assign(const std::vector<std::string> &lines)
{
    QStringList text;
    text.reserve(static_cast<qsizetype>(lines.size()));
    for (const std::string &line : lines)
        text.append(shown(line));
    m_memo.setPlainText(text.join(QLatin1Char('\n')));
    m_lines = lines;
}

TMemo::TMemo(QWidget *parent, const TBounds &bounds)
    : QPlainTextEdit(parent)
    , m_lines(*this)
{
    placeControl(*this, bounds);
    setReadOnly(true);
    setTabChangesFocus(true);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

void TMemo::Repaint()
{
    repaint();
    viewport()->repaint();
}
