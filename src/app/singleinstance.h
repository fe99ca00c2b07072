// One running instance per user and program: a second start hands an
// "activate" request to the first over a local socket and ends.
#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

namespace velmora::app {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(QString key, QObject* parent = nullptr);
    ~SingleInstance() override;

    // The key of this user and executable (and of this user's data folder, so
    // that separate data folders, as in tests and the demo, do not meet).
    static QString defaultKey();
    static QString keyFor(const QString& executableName, const QString& appDataFolder);

    // True when an instance already runs under the key; it has then been asked
    // to come to the front.
    bool activateRunning();
    // Starts listening for later starts; false when that is not possible.
    bool listen();

signals:
    void activateRequested();

private:
    QString key_;
    QLocalServer* server_ = nullptr;
};

} // namespace velmora::app
