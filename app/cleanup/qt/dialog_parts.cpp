#include "app/cleanup/qt/dialog_parts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "toolkit/forms/shell_execute.h"

QHBoxLayout *newPathRow(QWidget *dialog, const char *label, QLineEdit *field, const char *chooseTitle,
                        std::function<void()> choose)
{
    auto *caption = new QLabel(QString::fromUtf8(label), dialog);
    caption->setBuddy(field);
    auto *browse = new QPushButton(QStringLiteral("..."), dialog);
    browse->setAccessibleName(QString::fromUtf8(chooseTitle));
    // Return in the field runs the dialog's default button, not the chooser.
    browse->setAutoDefault(false);
    QObject::connect(browse, &QPushButton::clicked, dialog, std::move(choose));
    auto *row = new QHBoxLayout;
    row->addWidget(caption);
    row->addWidget(field, 1);
    row->addWidget(browse);
    return row;
}

FileOpener desktopOpener()
{
    return [](const std::string &path) {
        return ShellExecuteA(nullptr, "open", path.c_str(), nullptr, nullptr, SW_SHOW);
    };
}
