#include "XGInstance.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QTimer>

#include <unistd.h>

namespace yaaf {

std::string XGInstanceSocketPath(const std::string& name) {
    if (name.find('/') != std::string::npos) return name;
    QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(QString::fromLocal8Bit(runtime)).isDir())
        return (QString::fromLocal8Bit(runtime) + "/" + QString::fromStdString(name)).toStdString();
    return (QDir::tempPath() + "/" + QString::fromStdString(name) + "-" + QString::number(::getuid()))
        .toStdString();
}

struct XGInstanceServerPlatform : public QObject {
    QLocalServer fServer;
    XGInstanceServer::Handler fHandler;

    XGInstanceServerPlatform() {
        fServer.setSocketOptions(QLocalServer::UserAccessOption);
        QObject::connect(&fServer, &QLocalServer::newConnection, this, [this] {
            while (QLocalSocket* socket = fServer.nextPendingConnection())
                Accept(socket);
        });
    }

    void Accept(QLocalSocket* socket) {
        QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        auto buffer = std::make_shared<QByteArray>();
        QObject::connect(socket, &QLocalSocket::readyRead, this, [this, socket, buffer] {
            buffer->append(socket->readAll());
            // A client that never ends its message is not kept for long.
            if (buffer->size() > 64 * 1024) {
                socket->abort();
                return;
            }
            qsizetype end;
            while ((end = buffer->indexOf('\0')) >= 0) {
                std::string message = buffer->left(end).toStdString();
                buffer->remove(0, end + 1);
                socket->write("ACK", 4);
                socket->flush();
                // Handled from the loop, not from inside the socket's signal: handling may run
                // dialogs or quit.
                QTimer::singleShot(0, this, [this, message] {
                    if (fHandler) fHandler(message);
                });
            }
        });
    }
};

XGInstanceServer::XGInstanceServer() : fPlatform(std::make_unique<XGInstanceServerPlatform>()) {}

XGInstanceServer::~XGInstanceServer() = default;

bool XGInstanceServer::Listen(const std::string& name) {
    const QString path = QString::fromStdString(XGInstanceSocketPath(name));
    if (fPlatform->fServer.listen(path)) return true;
    if (XGInstanceRunning(name)) return false;
    // Nobody answers: the socket is left over from an instance that is gone.
    QLocalServer::removeServer(path);
    return fPlatform->fServer.listen(path);
}

void XGInstanceServer::SetHandler(Handler handler) {
    fPlatform->fHandler = std::move(handler);
}

bool XGInstanceServer::IsListening() const {
    return fPlatform->fServer.isListening();
}

bool XGInstanceRunning(const std::string& name, int32 timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(QString::fromStdString(XGInstanceSocketPath(name)));
    const bool up = socket.waitForConnected(timeoutMs);
    if (up) socket.disconnectFromServer();
    return up;
}

bool XGSendToInstance(const std::string& name, const std::string& message, int32 timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(QString::fromStdString(XGInstanceSocketPath(name)));
    if (!socket.waitForConnected(timeoutMs)) return false;
    QByteArray data = QByteArray::fromStdString(message);
    data.append('\0');
    socket.write(data);
    if (!socket.waitForBytesWritten(timeoutMs)) return false;
    QByteArray answer;
    while (answer.size() < 4) {
        if (!socket.waitForReadyRead(timeoutMs)) return false;
        answer.append(socket.readAll());
    }
    socket.disconnectFromServer();
    return answer.startsWith(QByteArray("ACK", 4));
}

} // namespace yaaf
