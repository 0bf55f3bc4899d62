#pragma once
// The one object the map pages reach through the web channel: the injected
// body hook reports each click, mouse-down and marker change through it.

#include <QObject>
#include <QString>

namespace vantrel {

class PageEvents : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;

  public slots:
    // Called by the page with the event's type ("click", "mousedown",
    // "vantrel-changed").
    void pageEvent(const QString& kind) { emit happened(kind); }

  signals:
    void happened(const QString& kind);
};

}  // namespace vantrel
