#pragma once

#include <QByteArray>
#include <QLocalServer>
#include <QLockFile>
#include <QObject>

#include <functional>
#include <memory>

namespace tockbell {

// One clock per user: the first copy holds a lock in the user's runtime folder and listens beside it;
// a later copy hands its request ("properties", "uninstall") to the first and ends.
class SingleInstance : public QObject {
public:
    using RequestHandler = std::function<void(const QByteArray& request)>;

    explicit SingleInstance(RequestHandler onRequest);
    ~SingleInstance() override;

    // True when this is the first copy: it then takes the requests of later ones. A lock left by a
    // copy that died is taken over.
    bool Claim();
    // From a later copy; false when the first could not be reached.
    static bool Ask(const QByteArray& request);

private:
    void OnConnection();

    RequestHandler onRequest_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer server_;
};

}  // namespace tockbell
