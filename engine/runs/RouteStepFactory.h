#pragma once
#include "engine/lookup/LookupReason.h"
#include "engine/lookup/RouteStep.h"
#include <memory>

class TMisc1;
struct TLDInfo;

// The step that asks route `kind` at `endpoint` (RDAP base URL, whois host, URL template,
// taken-list server) about `name` under `entry`, with the engine's session, limits and
// phrase. A lookup and the run's route checks build their steps here alike.
std::unique_ptr<TRouteStep> MakeRouteStep(TMisc1& engine, LookupRoute kind, const QString& endpoint, const QString& name,
                                          const TLDInfo& entry);
