#pragma once
#include "engine/lookup/RouteStep.h"
#include <QPointer>

class TTakenListCache;
class TTakenListDownload;

// Answers from a registry's list of taken names: at once from a fresh list in the cache,
// else after the list's download, which every name of that list shares.
class TTakenListStep : public TRouteStep {
    Q_OBJECT
public:
    // `tld` as the cache names it ("IE").
    TTakenListStep(TTakenListCache& cache, QString name, QString tld);

    void Start() override;
    void Abort() override;

private:
    void TakeDownload();
    void Answer(const QString& downloadFailure);

    TTakenListCache& cache_;
    QString name_;
    QString tld_;
    QPointer<TTakenListDownload> download_;
};
