#pragma once
#include "engine/lookup/LookupReason.h"
#include "engine/lookup/RouteStep.h"
#include <memory>

class TMisc1;
struct TLDInfo;

// The host that route `kind` at `endpoint` asks, as the scheduler paces it and a person
// knows it: an RDAP service's or a lookup page's host, a whois host or taken-list server as
// it stands (a URL that names no host stands for itself).
QString RouteHost(LookupRoute kind, const QString& endpoint);

// The step that asks route `kind` at `endpoint` (RDAP base URL, whois host, URL template,
// taken-list server) about `name` under `entry`, with the engine's session, limits and
// phrase. A lookup and the run's route checks build their steps here alike.
std::unique_ptr<TRouteStep> MakeRouteStep(TMisc1& engine, LookupRoute kind, const QString& endpoint, const QString& name,
                                          const TLDInfo& entry);
