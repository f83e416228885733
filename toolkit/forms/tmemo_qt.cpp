#include "toolkit/forms/tmemo.h"

#include "toolkit/forms/qt_native.h"

#include <QPlainTextEdit>
#include <QStringList>
#include <QTextCursor>
#include <QTextDocument>

TMemo::TMemo(TWinControl *parent, const TBounds &bounds)
    : TControl(parent, bounds)
    , m_lines(*this)
{
    auto *box = new QPlainTextEdit(qtChildArea(*parent));
    adoptNative(placedControl(box, bounds));
    box->setReadOnly(true);
    box->setTabChangesFocus(true);
    box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    box->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

std::string TMemo::Text() const
{
    return qtWidgetAs<QPlainTextEdit>(*this)->toPlainText().toStdString();
}

void TMemo::Repaint()
{
    auto *box = qtWidgetAs<QPlainTextEdit>(*this);
    box->repaint();
    box->viewport()->repaint();
}

void TMemo::showLines(const std::vector<std::string> &lines)
{
    QStringList text;
    text.reserve(static_cast<qsizetype>(lines.size()));
    for (const std::string &line : lines)
        text.append(qtText(line));
    qtWidgetAs<QPlainTextEdit>(*this)->setPlainText(text.join(QLatin1Char('\n')));
}

void TMemo::appendLine(const std::string &line, bool first)
{
    // A document of one empty line looks empty to Qt's own append, which
    // would then fill that line instead of adding one; so the lines are
    // added by hand, a new block for each but the first.
    QTextCursor cursor(qtWidgetAs<QPlainTextEdit>(*this)->document());
    cursor.movePosition(QTextCursor::End);
    if (!first)
        cursor.insertBlock();
    cursor.insertText(qtText(line));
}
