#include "FreePort.h"
#include <QHostAddress>
#include <QTcpServer>

quint16 FreeLoopbackPort()
{
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0))
        return 0;
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}
