#include "engine/lookup/FailedServers.h"

void TFailedServers::Add(const QString& server)
{
    const QString key = server.toUpper();
    if (keys_.contains(key))
        return;
    keys_.insert(key);
    entries_.append(key);
}

void TFailedServers::Clear()
{
    entries_.clear();
    keys_.clear();
}
