#pragma once
// Takes the help pages and web links the windows open, so no browser starts.

#include <QObject>
#include <QUrl>

namespace quorlin::exerciser {

class UrlSink : public QObject {
  Q_OBJECT

 public:
  int count = 0;

 public slots:
  void open(const QUrl&) { ++count; }
};

}  // namespace quorlin::exerciser
