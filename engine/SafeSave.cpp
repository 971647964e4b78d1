#include "engine/SafeSave.h"
#include <QSaveFile>

namespace {

SaveFaultHook& faultHook()
{
    static SaveFaultHook hook;
    return hook;
}

bool stepAllowed(const char* step)
{
    return !faultHook() || faultHook()(step);
}

} // namespace

void SetSaveFaultHook(SaveFaultHook hook)
{
    faultHook() = std::move(hook);
}

bool SaveFileAtomically(const QString& path, QByteArrayView bytes, std::optional<QFileDevice::Permissions> permissions)
{
    QSaveFile file(path);
    if (!stepAllowed("open") || !file.open(QIODevice::WriteOnly))
        return false;
    if (!stepAllowed("write")) {
        file.write(bytes.first(bytes.size() / 2).data(), bytes.size() / 2);
        file.cancelWriting();
        return false;
    }
    if (file.write(bytes.data(), bytes.size()) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    if (permissions)
        file.setPermissions(*permissions);
    if (!stepAllowed("commit")) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
