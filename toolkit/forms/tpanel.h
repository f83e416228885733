#pragma once

#include "toolkit/forms/tbounds.h"

#include <QFrame>

// Panel with a raised bevel and its own caption centred in it. Its
// children lie on top of it; the caption shows where they leave room.
class TPanel : public QFrame {
public:
    TPanel(QWidget *parent, const TBounds &bounds, const QString &caption);

    QString Caption() const { return m_caption; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_caption;
};
