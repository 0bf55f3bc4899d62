#pragma once
// How a second launch reaches the copy that runs: the first copy listens on
// a local socket beside its instance lock; a later copy connects, sends the
// files it was given (absolute paths, one a line) and ends. The first copy
// raises its window and opens them.

#include <QLocalServer>
#include <QObject>
#include <QString>
#include <QStringList>
#include <filesystem>

namespace vantrel {

// The socket beside the instance lock at `lockFile`.
QString InstanceSocketPath(const std::filesystem::path& lockFile);

class InstanceChannel : public QObject {
    Q_OBJECT
  public:
    // Listens at `socket`, which the caller holds the instance lock for
    // (so a socket left there by a copy that crashed is taken over).
    explicit InstanceChannel(const QString& socket, QObject* parent = nullptr);
    bool Listening() const { return server_.isListening(); }

    // Hands `files` to the copy listening at `socket` (made absolute here);
    // false when no copy answers within `timeoutMs`.
    static bool HandOver(const QString& socket, const QStringList& files, int timeoutMs = 3000);

  signals:
    // A later launch's files (none when it was started without any).
    void handed(const QStringList& files);

  private:
    void Accept();

    QLocalServer server_;
};

}  // namespace vantrel
