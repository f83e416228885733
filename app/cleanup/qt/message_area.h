#pragma once

#include <string>

class QPlainTextEdit;
class QWidget;
struct WindowMessage;

// A place in a window for a message of the model's that may be long, such
// as a path many folders deep: it wraps between words or, within a word,
// anywhere, never widens the window, scrolls when the text is taller than a
// few lines, and lets the text be selected and copied.
QPlainTextEdit *newMessageArea(QWidget *parent);
void setMessageText(QPlainTextEdit *area, const std::string &text);

// Shows `message` in a message box over `parent`, titled `title`.
void showMessage(QWidget *parent, const char *title, const WindowMessage &message);
