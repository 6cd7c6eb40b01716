// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>

namespace lumvex::test {

// An update feed with these items.
inline QByteArray feed(const QByteArray &items)
{
    return R"(<?xml version="1.0" encoding="utf-8"?>
<rss version="2.0" xmlns:sparkle="http://www.andymatuschak.org/xml-namespaces/sparkle">
  <channel><title>Lumvex</title>
)" + items +
           "\n  </channel>\n</rss>\n";
}

// A small HTTP server on 127.0.0.1 for update feeds: answers every GET with the body and status set, or,
// when stalling, takes the request and never answers.
class LocalFeedServer : public QTcpServer
{
public:
    LocalFeedServer()
    {
        listen(QHostAddress::LocalHost, 0);
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { onReadable(socket); });
                connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
    }

    QUrl url(const QString &path = QStringLiteral("/appcast.xml")) const
    {
        return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(serverPort()).arg(path));
    }

    void serve(QByteArray body, int status = 200, QByteArray reason = "OK")
    {
        m_body = std::move(body);
        m_status = status;
        m_reason = std::move(reason);
        m_stalling = false;
    }
    void stall() { m_stalling = true; }

    int requests() const { return m_requests; }
    const QByteArray &lastRequest() const { return m_lastRequest; }

private:
    void onReadable(QTcpSocket *socket)
    {
        QByteArray &pending = m_pending[socket];
        pending += socket->readAll();
        if (!pending.contains("\r\n\r\n")) {
            return;
        }
        ++m_requests;
        m_lastRequest = pending;
        m_pending.remove(socket);
        if (m_stalling) {
            return;
        }
        socket->write("HTTP/1.1 " + QByteArray::number(m_status) + ' ' + m_reason +
                      "\r\nContent-Type: application/rss+xml\r\nContent-Length: " + QByteArray::number(m_body.size()) +
                      "\r\nConnection: close\r\n\r\n" + m_body);
        socket->disconnectFromHost();
    }

    QByteArray m_body;
    int m_status = 200;
    QByteArray m_reason = "OK";
    bool m_stalling = false;
    int m_requests = 0;
    QByteArray m_lastRequest;
    QHash<QTcpSocket *, QByteArray> m_pending;
};

} // namespace lumvex::test
