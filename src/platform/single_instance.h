#pragma once

#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;

// One running program per user. A second start hands its cover path to the first
// (the execute request), which comes to the front; the second then ends.
class SingleInstance final : public QObject {
    Q_OBJECT
public:
    // name: the local server's name; serverName() when empty.
    explicit SingleInstance(const QString& name = QString(), QObject* parent = nullptr);
    ~SingleInstance() override;

    // Hands path (may be empty) to a running instance; false when none answers.
    bool handOver(const QString& path, int timeoutMs = 500);
    // Starts answering later starts; false when the server cannot be set up.
    bool listen();

    // Per user and per settings location, so that test runs never meet the user's program.
    static QString serverName();

signals:
    // A later start asked this instance to open path (never empty).
    void executeRequested(const QString& path);
    // A later start asked this instance to come to the front.
    void activationRequested();

private:
    void acceptConnection();
    void readRequest(QLocalSocket* socket);

    QString m_name;
    QLocalServer* m_server = nullptr;
};
