// What the single-instance files share: the private folder for the lock and the socket, and the peer of a socket.
#pragma once

#include <QString>
#include <QtGlobal>

#include <sys/types.h>

namespace halden::detail {

struct InstanceFolder {
    QString path;     // the folder, or empty
    QString problem;  // why there is none
};

struct Peer {
    bool ownUser = false;
    pid_t pid = 0;
};

InstanceFolder FindInstanceFolder(const QString& name);
Peer PeerOf(qintptr descriptor);

}  // namespace halden::detail
