#pragma once

#include <QDesktopServices>
#include <QObject>
#include <QStringList>
#include <QUrl>

#include <vector>

// For as long as it lives, receives the addresses of the given schemes that
// the desktop would open, in place of the desktop's own programs: only the
// final opener is replaced, everything before it runs for real.
class DesktopRecorder : public QObject {
    Q_OBJECT
public:
    explicit DesktopRecorder(const QStringList &schemes) : m_schemes(schemes)
    {
        for (const QString &scheme : m_schemes)
            QDesktopServices::setUrlHandler(scheme, this, "open");
    }
    ~DesktopRecorder() override
    {
        for (const QString &scheme : m_schemes)
            QDesktopServices::unsetUrlHandler(scheme);
    }

    std::vector<QString> opened;
    Q_INVOKABLE void open(const QUrl &url) { opened.push_back(url.toString()); }

private:
    QStringList m_schemes;
};
