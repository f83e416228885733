#include "app/cleanup/qt/message_area.h"

#include <QMessageBox>
#include <QPlainTextEdit>

#include "app/cleanup/window_message.h"

QPlainTextEdit *newMessageArea(QWidget *parent)
{
    auto *area = new QPlainTextEdit(parent);
    area->setReadOnly(true);
    area->setFrameShape(QFrame::NoFrame);
    area->setBackgroundRole(QPalette::Window);
    area->viewport()->setBackgroundRole(QPalette::Window);
    area->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    area->setFixedHeight(area->fontMetrics().lineSpacing() * 4 + 2 * area->document()->documentMargin());
    return area;
}

void setMessageText(QPlainTextEdit *area, const std::string &text)
{
    area->setPlainText(QString::fromStdString(text));
}

void showMessage(QWidget *parent, const char *title, const WindowMessage &message)
{
    QMessageBox box(message.kind == WindowMessage::Kind::Warning ? QMessageBox::Warning : QMessageBox::Information,
                    QString::fromUtf8(title), QString::fromStdString(message.text), QMessageBox::Ok, parent);
    box.setDefaultButton(QMessageBox::Ok);
    box.setDetailedText(QString::fromStdString(message.details));
    box.exec();
}
