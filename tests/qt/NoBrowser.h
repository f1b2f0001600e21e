#pragma once
// Stands in for the desktop's viewer in every test: a help page "opened" is only recorded, so
// no test ever starts a browser.
#include <QObject>
#include <QUrl>

namespace tw::test {

class NoBrowser : public QObject {
    Q_OBJECT
public:
    static NoBrowser& instance();
    QList<QUrl> opened;

public slots:
    void open(const QUrl& url) { opened << url; }
};

} // namespace tw::test
